#include "JobTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "SheetBitmap.h"
#include "analysis/FileCompare.h"
#include "analysis/RelativeSearch.h"
#include "dump/DumpDriver.h"
#include "dump/DumpStep.h"
#include "fds/FdsMerge.h"
#include "fds/FdsSplit.h"
#include "games/PortopiaInsert.h"
#include "games/RomanciaGraphics.h"
#include "insert/Insert.h"
#include "insert/Strip.h"
#include "patch/PatchApply.h"
#include "patch/PatchCreate.h"
#include "shell/Values.h"
#include "support/TempDir.h"

namespace morvane::test {

namespace fs = std::filesystem;

namespace {

// ---- Small well-formed inputs for every job ----

std::string Table() {
  std::string t = "/FF\r\n*FE\r\nF0=\\/\r\nF1=\\_/\r\n20= \r\n";
  for (char c = 'A'; c <= 'Z'; ++c) t += HexByte(c) + "=" + c + "\r\n";
  return t;
}

// Patterned bytes with the two tile streams of the graphics job in place.
std::string Rom() {
  std::string rom(0xC010, '\0');
  for (std::size_t i = 0; i < rom.size(); ++i) rom[i] = static_cast<char>(i * 7 + 3);
  for (const std::size_t at : {0x277C, 0x3302}) {  // literal chunks of five, then the end
    for (std::size_t n = 0; n < 192; ++n) rom[at + n] = n % 6 == 0 ? 5 : 1;
    rom[at + 192] = 0;
  }
  return rom;
}

std::string Script() {
  return CrLf({"game Text", "Phrases\t0\t1", "Chars\t20\t3\t", "Ptrs\tNONE\t[NONE+1]\t-7FF0\t2",
               "Blocks\t1", "Text\tA100\tA13F\t-7FF0", "0:A100:", "src", "HI", "", "1:A103:", "src",
               "YO", ""});
}

std::string PortopiaScript() {
  std::string s = CrLf({"Portopia script", ""});
  for (int n = 0; n <= 0x1EF; ++n) s += CrLf({PadHex(n, 3) + ":", "src\tAB", ""});
  return s;
}

// One side with header holding one file of 16 bytes.
std::string DiskImage() {
  std::string s = std::string("FDS\x1A\x01", 5) + std::string(11, '\0');
  s += "\x01*NINTENDO-HVC*\x01"
       "ABC";
  s += std::string("\x20\x00\x00\x00\x00\x00\x0F", 7) + std::string(5, '\0');
  s += std::string("\x61\x02\x14\x49", 4) + std::string(9, '\x07');
  s += std::string("\x61\x12\x31\x00\x00\x12\x34\x00\x00\x00\x00\x01", 12);
  s += std::string("\x02\x01\x03\x00\x10", 5) + "FILE0000";
  s += std::string("\x00\x60\x10\x00\x00\x04", 6) + std::string(16, '\x5A');
  s.resize(16 + 65500, '\0');
  return s;
}

std::string OpCodes() {
  return Slurp(std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt");
}

// ---- The jobs, each with the files it asks for in dialog order ----

Settings SettingsFor(const Job& job) {
  Settings s;
  s.mode = job.mode;
  s.withTables = job.withTables;
  s.end = 0x80FF;
  s.endText = "80FF";
  if (!job.patch.empty()) s.options.add("patch", job.patch);
  return s;
}

}  // namespace

const std::vector<Job>& Jobs() {
  static const std::vector<Job> jobs = {
      {"table dump", &PlainDumpJob, {{Dialog::OpenNES, "game.nes"}}, kTableOnly},
      {"text dump",
       &PlainDumpJob,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenTBL, "game.tbl"}},
       kText},
      {"code dump",
       &PlainDumpJob,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenTXT, "Op_Codes_NES.txt"}}},
      {"code dump with tables",
       &PlainDumpJob,
       {{Dialog::OpenNES, "game.nes"},
        {Dialog::OpenTXT, "Op_Codes_NES.txt"},
        {Dialog::OpenTableTXT, "tables.txt"}},
       kCode,
       true},
      {"insert",
       &InsertJob,
       {{Dialog::OpenNES, "game.nes"},
        {Dialog::OpenSJS, "script.txt"},
        {Dialog::OpenTBL, "game.tbl"}}},
      {"strip", &StripJob, {{Dialog::OpenSJS, "script.txt"}}},
      {"search", &SearchJob, {{Dialog::OpenNES, "game.nes"}}},
      {"compare", &CompareJob, {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenNES, "other.nes"}}},
      {"split", &FdsSplitJob, {{Dialog::OpenFDS, "disk.fds"}}},
      {"merge", &FdsMergeJob, {{Dialog::OpenTXT, "disk FDS Files.txt"}}},
      {"portopia",
       &PortopiaInsertJob,
       {{Dialog::OpenNES, "game.nes"},
        {Dialog::OpenSJS, "portopia.txt"},
        {Dialog::OpenTBL, "game.tbl"}}},
      {"romancia",
       &RomanciaGraphicsJob,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenBmp, "sheet.bmp"}}},
      {"insert+patch",
       &InsertJob,
       {{Dialog::OpenNES, "game.nes"},
        {Dialog::OpenSJS, "script.txt"},
        {Dialog::OpenTBL, "game.tbl"}},
       kCode,
       false,
       "ips"},
      {"romancia+patch",
       &RomanciaGraphicsJob,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenBmp, "sheet.bmp"}},
       kCode,
       false,
       "bps"},
      {"patch create",
       &PatchCreateJob,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenNES, "other.nes"}}},
      {"patch apply", &PatchApplyJob, {{Dialog::OpenNES, "game.nes"}, {kOpenPatch, "fix.ips"}}},
  };
  return jobs;
}

const std::map<std::string, std::string>& Inputs() {
  static const std::map<std::string, std::string> inputs = {
      {"game.nes", Rom()},
      {"other.nes", Rom().replace(0x100, 3, "XYZ")},
      {"game.tbl", Table()},
      {"Op_Codes_NES.txt", OpCodes()},
      {"tables.txt", "8000\t\t4\r\n8010\t801F\t2\r\n"},
      {"script.txt", Script()},
      {"portopia.txt", PortopiaScript()},
      {"sheet.bmp", BlankSheetBitmap()},
      {"disk.fds", DiskImage()},
      {"fix.ips", "PATCH" + std::string("\x00\x01\x00\x00\x03", 5) + "XYZEOF"},
  };
  return inputs;
}

JobResult RunOn(const Job& job, ScriptedHost& host, const std::string& folder) {
  for (const auto& [dialog, name] : job.files) host.answer(dialog, folder + "/" + name);
  return job.run(SettingsFor(job), host);
}

std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

std::set<std::string> Tree(const std::string& root) {
  std::set<std::string> tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    tree.insert(fs::relative(entry.path(), root).string());
  }
  return tree;
}

void WriteInputs(const std::string& folder) {
  for (const auto& [name, bytes] : Inputs()) {
    std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
  }
}

void ExpectInputsUnchanged(const std::string& folder, const std::string& what) {
  for (const auto& [name, bytes] : Inputs()) {
    EXPECT_TRUE(Slurp(folder + "/" + name) == bytes) << what << " changed " << name;
  }
}

const Job& JobNamed(const std::string& name) {
  for (const Job& job : Jobs()) {
    if (job.name == name) return job;
  }
  throw std::out_of_range(name);
}

}  // namespace morvane::test
