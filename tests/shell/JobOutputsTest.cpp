// Every job writes only beside its inputs, never changes them, and refuses an
// output that would be one of them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <vector>

#include <sys/stat.h>

#include "SheetBitmap.h"
#include "analysis/FileCompare.h"
#include "analysis/RelativeSearch.h"
#include "dump/DumpDriver.h"
#include "fds/FdsMerge.h"
#include "fds/FdsSplit.h"
#include "games/PortopiaInsert.h"
#include "games/RomanciaGraphics.h"
#include "insert/Insert.h"
#include "insert/Strip.h"
#include "patch/PatchApply.h"
#include "patch/PatchCreate.h"
#include "shell/Values.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

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

using JobFn = JobResult (*)(const Settings&, JobHost&);

struct Job {
  std::string name;
  JobFn run;
  std::vector<std::pair<Dialog, std::string>> files;  // dialog, file name in the folder
  int mode = kCode;
  bool withTables = false;
  std::string patch = {};  // the option "patch" of the jobs that change a ROM
};

Settings SettingsFor(const Job& job) {
  Settings s;
  s.mode = job.mode;
  s.withTables = job.withTables;
  s.end = 0x80FF;
  s.endText = "80FF";
  if (!job.patch.empty()) s.options.add("patch", job.patch);
  return s;
}

const std::vector<Job>& Jobs() {
  static const std::vector<Job> jobs = {
      {"table dump", &cmdDump_Click, {{Dialog::OpenNES, "game.nes"}}, kTableOnly},
      {"text dump",
       &cmdDump_Click,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenTBL, "game.tbl"}},
       kText},
      {"code dump",
       &cmdDump_Click,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenTXT, "Op_Codes_NES.txt"}}},
      {"insert",
       &cmdInsert_Click,
       {{Dialog::OpenNES, "game.nes"},
        {Dialog::OpenSJS, "script.txt"},
        {Dialog::OpenTBL, "game.tbl"}}},
      {"strip", &cmdStrip_Click, {{Dialog::OpenSJS, "script.txt"}}},
      {"search", &cmdSearch_Click, {{Dialog::OpenNES, "game.nes"}}},
      {"compare",
       &cmdCompare_Click,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenNES, "other.nes"}}},
      {"split", &cmdFDSSplit_Click, {{Dialog::OpenFDS, "disk.fds"}}},
      {"merge", &cmdFDSMerge_Click, {{Dialog::OpenTXT, "disk FDS Files.txt"}}},
      {"portopia",
       &cmdInsertPortopia_Click,
       {{Dialog::OpenNES, "game.nes"},
        {Dialog::OpenSJS, "portopia.txt"},
        {Dialog::OpenTBL, "game.tbl"}}},
      {"romancia",
       &cmdInsertGraphics_Click,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenBmp, "sheet.bmp"}}},
      {"insert+patch",
       &cmdInsert_Click,
       {{Dialog::OpenNES, "game.nes"},
        {Dialog::OpenSJS, "script.txt"},
        {Dialog::OpenTBL, "game.tbl"}},
       kCode,
       false,
       "ips"},
      {"romancia+patch",
       &cmdInsertGraphics_Click,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenBmp, "sheet.bmp"}},
       kCode,
       false,
       "bps"},
      {"patch create",
       &mnuCreatePatch_Click,
       {{Dialog::OpenNES, "game.nes"}, {Dialog::OpenNES, "other.nes"}}},
      {"patch apply",
       &mnuApplyPatch_Click,
       {{Dialog::OpenNES, "game.nes"}, {kOpenPatch, "fix.ips"}}},
  };
  return jobs;
}

const std::map<std::string, std::string>& Inputs() {
  static const std::map<std::string, std::string> inputs = {
      {"game.nes", Rom()},
      {"other.nes", Rom().replace(0x100, 3, "XYZ")},
      {"game.tbl", Table()},
      {"Op_Codes_NES.txt", OpCodes()},
      {"script.txt", Script()},
      {"portopia.txt", PortopiaScript()},
      {"sheet.bmp", BlankSheetBitmap()},
      {"disk.fds", DiskImage()},
      {"fix.ips", "PATCH" + std::string("\x00\x01\x00\x00\x03", 5) + "XYZEOF"},
  };
  return inputs;
}

JobResult RunJob(const Job& job, ScriptedHost& host, const std::string& folder) {
  for (const auto& [dialog, name] : job.files) host.answer(dialog, folder + "/" + name);
  return job.run(SettingsFor(job), host);
}

// The names in a folder, not descending.
std::set<std::string> Names(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// Every file and folder under root, as paths relative to it.
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

// ---- Tests ----

TEST(JobOutputs, EveryJobWritesOnlyBesideItsInputs) {
  TempDir root;
  const std::string folder = root.file("in.put.dir");
  fs::create_directory(folder);
  WriteInputs(folder);
  // Run from an empty folder of its own, which must stay empty.
  TempDir cwd;
  const fs::path oldCwd = fs::current_path();
  fs::current_path(cwd.path());
  std::set<std::string> expected;  // inputs and outputs; no temporary file
  for (const auto& [name, bytes] : Inputs()) expected.insert(name);
  for (const Job& job : Jobs()) {
    ScriptedHost host;
    const JobResult result = RunJob(job, host, folder);
    for (const std::string& path : result.written) {
      expected.insert(fs::path(path).filename().string());
    }
    EXPECT_EQ(result.outcome, Outcome::Done) << job.name;
    EXPECT_TRUE(host.errors.empty()) << job.name << ": " << host.errors.front();
    EXPECT_TRUE(host.warnings.empty()) << job.name << ": " << host.warnings.front().second;
    EXPECT_FALSE(result.written.empty()) << job.name;
    for (const std::string& path : result.written) {
      EXPECT_TRUE(fs::exists(path)) << job.name << " " << path;
      EXPECT_EQ(fs::path(path).parent_path(), fs::path(folder)) << job.name << " " << path;
    }
    ExpectInputsUnchanged(folder, job.name);
  }
  for (const std::string& entry : Tree(root.path())) {
    EXPECT_EQ(entry.rfind("in.put.dir", 0), 0u) << entry;
  }
  EXPECT_EQ(Names(folder), expected);
  fs::current_path(oldCwd);
  EXPECT_TRUE(Names(cwd.path()).empty());
}

// An output name that is a hard link to a file elsewhere is replaced; the
// other name keeps its bytes.
TEST(JobOutputs, AnOutputThatIsAHardLinkIsReplacedNotWrittenThrough) {
  for (const Job& job : Jobs()) {
    TempDir dir;
    TempDir elsewhere;
    WriteInputs(dir.path());
    ScriptedHost first;
    if (job.name == "merge") RunJob(Jobs()[7], first, dir.path());  // the split's files
    const std::vector<std::string> outputs = RunJob(job, first, dir.path()).written;
    ASSERT_FALSE(outputs.empty()) << job.name;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
      const std::string other = elsewhere.write(std::to_string(i), "someone else's");
      fs::remove(outputs[i]);
      fs::create_hard_link(other, outputs[i]);
    }
    ScriptedHost host;
    EXPECT_EQ(RunJob(job, host, dir.path()).outcome, Outcome::Done) << job.name;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
      EXPECT_EQ(Slurp(elsewhere.file(std::to_string(i))), "someone else's") << outputs[i];
      EXPECT_EQ(fs::hard_link_count(outputs[i]), 1u) << outputs[i];
    }
  }
}

// An output name that is a FIFO is refused at once (writing to it would wait
// for a reader forever) and the FIFO is left as it was.
TEST(JobOutputs, AnOutputThatIsAFifoIsRefused) {
  for (const Job& job : Jobs()) {
    TempDir dir;
    WriteInputs(dir.path());
    ScriptedHost first;
    if (job.name == "merge") RunJob(Jobs()[7], first, dir.path());
    const std::vector<std::string> outputs = RunJob(job, first, dir.path()).written;
    for (const std::string& path : outputs) {
      fs::remove(path);
      ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
    }
    ScriptedHost host;
    EXPECT_NE(RunJob(job, host, dir.path()).outcome, Outcome::Done) << job.name;
    for (const std::string& path : outputs) EXPECT_TRUE(fs::is_fifo(path)) << path;
  }
}

// For each job, an input named like one of its outputs, or a link to an input
// in an output's place.
struct Clash {
  std::string job;
  std::string name;    // the output's name in the folder
  std::string target;  // "" to rename the job's input `rename` to name
  std::string rename = {};
  bool hardLink = true;
};

const Clash kClashes[] = {
    {"table dump", "game.asm.txt", "game.nes"},
    {"text dump", "game Text.txt", "", "game.tbl"},
    {"code dump", "game.asm.txt", "", "Op_Codes_NES.txt"},
    {"code dump", "Tables.txt", "", "Op_Codes_NES.txt"},
    {"code dump", "Tables.txt", "game.nes", {}, false},
    {"insert", "game_Modified.nes", "", "script.txt"},
    {"insert", "game_Modified.nes", "game.tbl", {}, false},
    {"strip", "script_Stripped.txt", "script.txt"},
    {"search", "game Output.txt", "game.nes", {}, false},
    {"compare", "game Compare.txt", "", "other.nes"},
    {"split", "disk FDS Files.txt", "disk.fds"},
    {"merge", "disk_Merged.fds", "PRAM 6000-600F FILE0000 1A[10]00.nes"},
    {"portopia", "game_Modified.nes", "", "game.tbl"},
    {"romancia", "game_Modified.nes", "", "sheet.bmp"},
    {"romancia", "game_Modified.nes", "game.nes", {}, false},
    {"insert+patch", "game_Modified.ips", "", "script.txt"},
    {"romancia+patch", "game_Modified.bps", "game.nes", {}, false},
    {"patch create", "other.bps", "game.nes"},
    {"patch apply", "game_Patched.nes", "", "fix.ips"},
};

TEST(JobOutputs, AnOutputThatWouldReplaceAnInputIsRefused) {
  for (const Clash& clash : kClashes) {
    TempDir dir;
    WriteInputs(dir.path());
    const std::string what = clash.job + " / " + clash.name;
    const Job* job = nullptr;
    for (const Job& j : Jobs()) {
      if (j.name == clash.job) job = &j;
    }
    ASSERT_NE(job, nullptr) << what;
    Job changed = *job;
    if (clash.job == "merge") {  // the listing and files of a split first
      ScriptedHost host;
      ASSERT_EQ(RunJob(Jobs()[7], host, dir.path()).outcome, Outcome::Done);
    }
    if (!clash.rename.empty()) {
      fs::rename(dir.file(clash.rename), dir.file(clash.name));
      for (auto& [dialog, name] : changed.files) {
        if (name == clash.rename) name = clash.name;
      }
    } else if (clash.hardLink) {
      fs::create_hard_link(dir.file(clash.target), dir.file(clash.name));
    } else {
      fs::create_symlink(clash.target, dir.file(clash.name));
    }
    std::map<std::string, std::string> before;
    for (const std::string& entry : Tree(dir.path())) before[entry] = Slurp(dir.file(entry));
    ScriptedHost host;
    const JobResult result = RunJob(changed, host, dir.path());
    EXPECT_NE(result.outcome, Outcome::Done) << what;
    std::string shown;
    for (const auto& w : host.warnings) shown += w.second;
    for (const auto& e : host.errors) shown += e;
    EXPECT_NE(shown.find("would replace the input file"), std::string::npos)
        << what << ": " << shown;
    EXPECT_NE(shown.find(dir.file(clash.name)), std::string::npos) << what << ": " << shown;
    EXPECT_FALSE(host.busy) << what;
    // Nothing was written: every file is as it was, and no file is new.
    std::map<std::string, std::string> after;
    for (const std::string& entry : Tree(dir.path())) after[entry] = Slurp(dir.file(entry));
    EXPECT_TRUE(after == before) << what;
  }
}

// Inputs whose names would put an output outside their folder: no extension
// under a folder with a dot, where the last dot is the folder's, or fewer
// characters than the job cuts off before its suffix.
struct OddName {
  std::string job;
  std::string input;
  std::string name;
};

const OddName kOddNames[] = {
    {"table dump", "game.nes", "game"},
    {"text dump", "game.nes", "game"},
    {"code dump", "game.nes", "game"},
    {"search", "game.nes", "game"},
    {"compare", "game.nes", "game"},
    {"split", "disk.fds", "disk"},
    {"insert", "game.nes", "abc"},
    {"strip", "script.txt", "abc"},
    {"portopia", "game.nes", "abc"},
    {"romancia", "game.nes", "abc"},
    {"merge", "disk FDS Files.txt", "d.txt"},
};

TEST(JobOutputs, AnOutputOutsideTheInputsFolderIsRefused) {
  for (const OddName& odd : kOddNames) {
    TempDir root;
    const std::string folder = root.file("my.dir");
    fs::create_directory(folder);
    WriteInputs(folder);
    std::ofstream(folder + "/" + odd.name, std::ios::binary)
        << (Inputs().count(odd.input) ? Inputs().at(odd.input) : "listing");
    Job job;
    for (const Job& j : Jobs()) {
      if (j.name == odd.job) job = j;
    }
    for (auto& [dialog, file] : job.files) {
      if (file == odd.input) file = odd.name;
    }
    const std::set<std::string> before = Tree(root.path());
    ScriptedHost host;
    const JobResult result = RunJob(job, host, folder);
    EXPECT_NE(result.outcome, Outcome::Done) << odd.job;
    EXPECT_EQ(Tree(root.path()), before) << odd.job;
    std::string shown;
    for (const auto& w : host.warnings) shown += w.second;
    for (const auto& e : host.errors) shown += e;
    EXPECT_NE(shown.find("would not lie in the folder"), std::string::npos)
        << odd.job << ": " << shown;
  }
}

}  // namespace
}  // namespace morvane
