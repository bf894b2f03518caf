#include "labels/LabelStore.h"

#include <filesystem>
#include <set>

#include "labels/FceuxNameList.h"
#include "labels/MesenLabels.h"
#include "shell/Values.h"

namespace morvane {

const std::string& LabelStore::name(std::int64_t at, const std::string& fallback) {
  return labels.try_emplace(at, fallback).first->second;
}

void LabelStore::take(const LabelSet& set, const std::function<LabelPlace(std::int64_t)>& place,
                      const std::function<std::string(const std::string&)>& fix) {
  for (const auto& [at, entry] : set.rom) {
    const LabelPlace where = place(at);
    if (where == LabelPlace::Outside) continue;
    if (!entry.comment.empty()) comments[at] = entry.comment;
    if (entry.name.empty()) continue;
    if (where == LabelPlace::Line) {
      labels[at] = fix(entry.name);
    } else {
      notes.push_back("The label " + entry.name + " at file offset " + Hex(at) +
                      " lies inside an instruction and was left out.");
    }
  }
  for (const auto& [a, entry] : set.ram) {
    if (a >= 0x8000) continue;
    if (!entry.name.empty()) ramNames[a] = fix(entry.name);
    if (!entry.comment.empty()) ramComments[a] = entry.comment;
  }
}

void LabelStore::unclash() {
  std::set<std::string> used;
  const auto unique = [&](std::string& name, const std::string& where) {
    if (used.insert(name).second) return;
    std::string next;
    for (int k = 2; !used.insert(next = name + "_" + std::to_string(k)).second; ++k) {
    }
    notes.push_back("The name " + name + " is given to " + where + " too; it is called " + next +
                    " there.");
    name = next;
  };
  for (auto& [a, name] : ramNames) unique(name, "$" + HexWord(a));
  for (auto& [at, name] : labels) unique(name, "file offset " + Hex(at));
}

std::vector<std::pair<std::string, std::string>> LabelFiles(
    const LabelStore& store, const std::string& romPath, const std::string& format,
    std::int64_t prgOffset, const std::function<std::int64_t(std::int64_t)>& cpuOf) {
  if (format == "mlb") {
    const std::filesystem::path p(romPath);
    return {{(p.parent_path() / p.stem()).string() + ".mlb", MesenLabelsText(store, prgOffset)}};
  }
  std::vector<std::pair<std::string, std::string>> files;
  for (const auto& [suffix, text] : FceuxNameLists(store, prgOffset, cpuOf)) {
    files.emplace_back(romPath + suffix, text);
  }
  return files;
}

}  // namespace morvane
