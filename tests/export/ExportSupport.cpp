#include "ExportSupport.h"

#include <cstdlib>

#include "ScriptedHost.h"
#include "export/ExportCa65.h"

// Without the cc65 tools the corpus is not built and the tests skip.
#ifndef MORVANE_CA65
#define MORVANE_CA65 ""
#define MORVANE_LD65 ""
#define MORVANE_CORPUS_DIR ""
#endif

namespace morvane::test {

bool HaveCc65() {
  for (const std::string tool : {MORVANE_CA65, MORVANE_LD65}) {
    if (tool.empty() || tool.find("NOTFOUND") != std::string::npos) return false;
  }
  return true;
}

std::string CorpusRom(const std::string& name) {
  return Slurp(std::string(MORVANE_CORPUS_DIR) + "/" + name + ".nes");
}

std::string Export(const TempDir& dir, const std::string& stem, const std::string& rom,
                   std::string* error, const Options& options) {
  ScriptedHost host;
  host.answer(Dialog::OpenNES, dir.write(stem + ".nes", rom));
  host.answer(Dialog::OpenTXT, std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt");
  Settings settings;
  for (const auto& [name, value] : options) settings.options.add(name, value);
  ExportCa65Job(settings, host);
  if (error != nullptr) {
    *error = host.errors.empty() ? "" : host.errors.back();
    if (!host.warnings.empty())
      *error = host.warnings.back().first + ": " + host.warnings.back().second;
  }
  return Slurp(dir.file(stem + ".s"));
}

std::string Rebuild(const TempDir& dir, const std::string& stem) {
  const std::string in = "cd '" + dir.path() + "' && ";
  const std::string command = in + MORVANE_CA65 + " " + stem + ".s -o " + stem + ".o && " +
                              MORVANE_LD65 + " -C " + stem + ".cfg " + stem +
                              ".o -o rebuilt.nes 2> ld65.txt";
  if (std::system(command.c_str()) != 0) return {};
  return Slurp(dir.file("rebuilt.nes"));
}

std::string NromWith(const std::string& code) {
  std::string rom("NES\x1A\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00\x00", 16);
  std::string prg(0x4000, '\xFF');
  prg.replace(0, code.size(), code);
  prg[0x3FF0] = '\x40';  // RTI
  const std::string vectors("\xF0\xFF\x00\xC0\xF0\xFF", 6);
  prg.replace(0x3FFA, 6, vectors);
  return rom + prg;
}

}  // namespace morvane::test
