#include "JobTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "SheetBitmap.h"
#include "jobs/JobRegistry.h"
#include "shell/Values.h"
#include "support/TempDir.h"
#include "tiles/PngWriter.h"

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

// A row of blank tiles, as the tiles job draws them.
std::string Sheet() {
  return EncodePng({128, 8, std::vector<std::uint8_t>(128 * 8, 0)}, kDefaultPalette);
}

std::string OpCodes() {
  return Slurp(std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt");
}

// ---- The jobs, each with the files it asks for in dialog order ----

Settings SettingsFor(const Job& job) {
  Settings s;
  s.mode = job.mode;
  s.withTables = job.withTables;
  s.trace = job.trace;
  s.showStrings = job.showStrings;
  s.end = 0x80FF;
  s.endText = "80FF";
  if (!job.patch.empty()) s.options.add("patch", job.patch);
  for (const auto& [name, value] : job.values) s.options.add(name, value);
  return s;
}

// One way to run a job of the registry: the files it is given, by their
// command-line options, and the settings that choose its mode.
struct Variant {
  const char* job;  // the registry's word
  std::string name;
  std::vector<std::pair<std::string, std::string>> files;  // option, file name in the folder
  int mode = kCode;
  bool withTables = false;
  std::string patch = {};
  bool trace = false;
  bool showStrings = false;
  std::vector<std::pair<std::string, std::string>> values = {};  // the job's own options
};

const std::vector<Variant>& Variants() {
  static const std::vector<Variant> variants = {
      {"dump", "table dump", {{"--rom", "game.nes"}}, kTableOnly},
      {"dump", "text dump", {{"--rom", "game.nes"}, {"--tbl", "game.tbl"}}, kText},
      {"dump", "code dump", {{"--rom", "game.nes"}, {"--opcodes", "Op_Codes_NES.txt"}}},
      {"dump",
       "code dump with tables",
       {{"--rom", "game.nes"}, {"--opcodes", "Op_Codes_NES.txt"}, {"--tables", "tables.txt"}},
       kCode,
       true},
      {"dump",
       "traced dump",
       {{"--rom", "game.nes"}, {"--opcodes", "Op_Codes_NES.txt"}},
       kCode,
       false,
       {},
       true},
      {"insert",
       "insert",
       {{"--rom", "game.nes"}, {"--script", "script.txt"}, {"--tbl", "game.tbl"}}},
      {"strip", "strip", {{"--script", "script.txt"}}},
      {"search", "search", {{"--rom", "game.nes"}}},
      {"compare", "compare", {{"--file1", "game.nes"}, {"--file2", "other.nes"}}},
      {"compare",
       "compare strings",
       {{"--file1", "game.nes"},
        {"--file2", "other.nes"},
        {"--tbl1", "game.tbl"},
        {"--tbl2", "other.tbl"}},
       kCode,
       false,
       {},
       false,
       true},
      {"fds-split", "split", {{"--image", "disk.fds"}}},
      {"fds-merge", "merge", {{"--listing", "disk FDS Files.txt"}}},
      {"portopia-insert",
       "portopia",
       {{"--rom", "game.nes"}, {"--script", "portopia.txt"}, {"--tbl", "game.tbl"}}},
      {"romancia-graphics", "romancia", {{"--rom", "game.nes"}, {"--bmp", "sheet.bmp"}}},
      {"insert",
       "insert+patch",
       {{"--rom", "game.nes"}, {"--script", "script.txt"}, {"--tbl", "game.tbl"}},
       kCode,
       false,
       "ips"},
      {"romancia-graphics",
       "romancia+patch",
       {{"--rom", "game.nes"}, {"--bmp", "sheet.bmp"}},
       kCode,
       false,
       "bps"},
      {"export-ca65", "export", {{"--rom", "ines.nes"}, {"--opcodes", "Op_Codes_NES.txt"}}},
      {"patch-create", "patch create", {{"--file1", "game.nes"}, {"--file2", "other.nes"}}},
      {"patch-apply", "patch apply", {{"--rom", "game.nes"}, {"--patch", "fix.ips"}}},
      {"tiles", "tiles", {{"--rom", "game.nes"}}},
      {"tiles-import", "tiles import", {{"--rom", "game.nes"}, {"--png", "sheet.png"}}},
      {"tiles-import",
       "tiles import+patch",
       {{"--rom", "game.nes"}, {"--png", "sheet.png"}},
       kCode,
       false,
       "ips"},
      {"pointers",
       "find pointers",
       {{"--rom", "game.nes"}},
       kCode,
       false,
       {},
       false,
       false,
       {{"address", "2010"}}},
  };
  return variants;
}

// A variant as a job to run: its function and dialogs come from the registry.
Job Made(const Variant& v) {
  const JobSpec* spec = FindJob(v.job);
  if (spec == nullptr) throw std::logic_error(std::string("no job ") + v.job + " in the registry");
  Job job{v.name, spec->run, {}, v.mode, v.withTables, v.patch};
  job.job = v.job;
  job.trace = v.trace;
  job.showStrings = v.showStrings;
  job.values = v.values;
  for (const auto& [option, name] : v.files) {
    const auto file = std::find_if(spec->files.begin(), spec->files.end(),
                                   [&](const FileSpec& f) { return option == f.option; });
    if (file == spec->files.end()) throw std::logic_error(v.name + ": no file option " + option);
    job.files.emplace_back(file->dialog, name);
    job.options.push_back(option);
  }
  return job;
}

}  // namespace

const std::vector<Job>& Jobs() {
  static const std::vector<Job> jobs = [] {
    std::vector<Job> made;
    for (const Variant& v : Variants()) made.push_back(Made(v));
    return made;
  }();
  return jobs;
}

std::vector<std::string> Uncovered() {
  std::vector<std::string> missing;
  for (const JobSpec& spec : morvane::Jobs()) {
    for (const FileSpec& file : spec.files) {
      const bool asked = std::any_of(Jobs().begin(), Jobs().end(), [&](const Job& job) {
        return job.job == spec.name &&
               std::find(job.options.begin(), job.options.end(), file.option) != job.options.end();
      });
      if (!asked) missing.push_back(std::string(spec.name) + " " + file.option);
    }
    if (spec.files.empty()) missing.emplace_back(spec.name);
  }
  return missing;
}

const std::map<std::string, std::string>& Inputs() {
  static const std::map<std::string, std::string> inputs = {
      {"game.nes", Rom()},
      // An iNES file: 32 KiB of PRG ROM and 8 KiB of CHR ROM.
      {"ines.nes",
       std::string("NES\x1A\x02\x01", 6) + std::string(10, '\0') + Rom().substr(16, 0xA000)},
      {"other.nes", Rom().replace(0x100, 3, "XYZ")},
      {"game.tbl", Table()},
      {"other.tbl", Table() + "7B=zz\r\n"},
      {"Op_Codes_NES.txt", OpCodes()},
      {"tables.txt", "8000\t\t4\r\n8010\t801F\t2\r\n"},
      {"script.txt", Script()},
      {"portopia.txt", PortopiaScript()},
      {"sheet.bmp", BlankSheetBitmap()},
      {"sheet.png", Sheet()},
      {"disk.fds", DiskImage()},
      {"fix.ips", "PATCH" + std::string("\x00\x01\x00\x00\x03", 5) + "XYZEOF"},
  };
  return inputs;
}

JobResult RunOn(const Job& job, ScriptedHost& host, const std::string& folder) {
  for (const auto& [dialog, name] : job.files) host.answer(dialog, folder + "/" + name);
  host.setShowStrings(job.showStrings);
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
