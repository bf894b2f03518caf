// Every job writes only beside its inputs, never changes them, and refuses an
// output that would be one of them.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <vector>

#include <sys/stat.h>

#include "JobTable.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using namespace test;

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
    const JobResult result = RunOn(job, host, folder);
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
    if (job.name == "merge") RunOn(JobNamed("split"), first, dir.path());  // the split's files
    const std::vector<std::string> outputs = RunOn(job, first, dir.path()).written;
    ASSERT_FALSE(outputs.empty()) << job.name;
    for (std::size_t i = 0; i < outputs.size(); ++i) {
      const std::string other = elsewhere.write(std::to_string(i), "someone else's");
      fs::remove(outputs[i]);
      fs::create_hard_link(other, outputs[i]);
    }
    ScriptedHost host;
    EXPECT_EQ(RunOn(job, host, dir.path()).outcome, Outcome::Done) << job.name;
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
    if (job.name == "merge") RunOn(JobNamed("split"), first, dir.path());
    const std::vector<std::string> outputs = RunOn(job, first, dir.path()).written;
    for (const std::string& path : outputs) {
      fs::remove(path);
      ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0) << path;
    }
    ScriptedHost host;
    EXPECT_EQ(RunOn(job, host, dir.path()).outcome, Outcome::Failed) << job.name;
    ASSERT_EQ(host.errors.size(), 1u) << job.name;
    // The output the job tried to make first is named (the traced dump makes
    // its Table List first), never the ROM it was reading.
    EXPECT_TRUE(std::any_of(outputs.begin(), outputs.end(), [&](const std::string& path) {
      return host.errors[0].find(path) != std::string::npos;
    })) << host.errors[0];
    EXPECT_EQ(host.errors[0].find(dir.file("game.nes")), std::string::npos) << host.errors[0];
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
    Job changed = JobNamed(clash.job);
    if (clash.job == "merge") {  // the listing and files of a split first
      ScriptedHost host;
      ASSERT_EQ(RunOn(JobNamed("split"), host, dir.path()).outcome, Outcome::Done);
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
    const JobResult result = RunOn(changed, host, dir.path());
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
    Job job = JobNamed(odd.job);
    for (auto& [dialog, file] : job.files) {
      if (file == odd.input) file = odd.name;
    }
    const std::set<std::string> before = Tree(root.path());
    ScriptedHost host;
    const JobResult result = RunOn(job, host, folder);
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
