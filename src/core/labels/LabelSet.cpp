#include "labels/LabelSet.h"

#include "labels/Ca65DebugFile.h"
#include "labels/FceuxNameList.h"
#include "labels/MesenLabels.h"
#include "shell/InFile.h"
#include "shell/JobError.h"

namespace morvane {

std::string SymbolFrom(const std::string& name) {
  std::string s;
  for (const char c : name) {
    const bool ok = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    s += ok ? c : '_';
  }
  if (!s.empty() && s[0] >= '0' && s[0] <= '9') s.insert(0, "_");
  return s;
}

void RejectLabelLine(const std::string& path, int line, const std::string& why,
                     const std::string& text) {
  throw JobError::Minor("Label File Error",
                        "Line " + std::to_string(line) + ": " + why + "\r\n" + text, path);
}

void ReadLabelFile(const std::string& path, const INesHeader& header, LabelSet& set) {
  TextLines lines = TextLines::FromFile(path);
  const auto endsWith = [&](const char* ext) {
    const std::string e(ext);
    return path.size() >= e.size() && path.compare(path.size() - e.size(), e.size(), e) == 0;
  };
  if (endsWith(".mlb")) {
    ReadMesenLabels(path, lines, header, set);
  } else if (endsWith(".nl")) {
    ReadFceuxNameList(path, lines, header, set);
  } else if (endsWith(".dbg")) {
    ReadCa65DebugFile(path, lines, set);
  } else {
    throw JobError::Minor("Label File Error",
                          "Labels are read from Mesen (.mlb), FCEUX (.nl) or ca65 debug (.dbg) "
                          "files.",
                          path);
  }
}

}  // namespace morvane
