// A run that fails never costs the user a good file: after a good run, every
// job run again on hostile inputs leaves the earlier outputs byte for byte,
// keeps a partial output only beside them under its "(incomplete)" name, and
// puts a job's outputs in place together or not at all.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>

#include "JobTable.h"
#include "shell/OutputGuard.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using namespace test;

std::map<std::string, std::string> Contents(const std::vector<std::string>& paths) {
  std::map<std::string, std::string> bytes;
  for (const std::string& path : paths) bytes[path] = Slurp(path);
  return bytes;
}

// Inputs that make most jobs stop part way: nothing at all, a header line
// and no more, random bytes.
const std::pair<const char*, std::string> kSpoilers[] = {
    {"empty", ""},
    {"one line", "game Text\r\n"},
    {"random bytes",
     [] {
       std::mt19937 rng(27);
       std::string bytes(4096, '\0');
       for (char& c : bytes) c = static_cast<char>(rng() % 7 == 0 ? '\n' : rng());
       return bytes;
     }()},
};

TEST(FailedRuns, LeaveTheGoodOutputsOfTheRunBeforeAsTheyWere) {
  int failures = 0;
  for (const Job& job : Jobs()) {
    for (const auto& [dialog, name] : job.files) {
      for (const auto& [spoiler, bytes] : kSpoilers) {
        const std::string what = job.name + ": " + name + " " + spoiler;
        TempDir dir;
        WriteInputs(dir.path());
        ScriptedHost first;
        if (job.name == "merge") RunOn(JobNamed("split"), first, dir.path());
        const JobResult good = RunOn(job, first, dir.path());
        ASSERT_EQ(good.outcome, Outcome::Done) << what;
        const auto before = Contents(good.written);
        std::ofstream(dir.file(name), std::ios::binary | std::ios::trunc) << bytes;

        ScriptedHost host;
        const JobResult result = RunOn(job, host, dir.path());
        if (result.outcome == Outcome::Done) continue;
        ++failures;
        for (const auto& [path, old] : before) {
          const bool replacedWhole = std::count(result.written.begin(), result.written.end(),
                                                path) != 0;  // a split's whole files
          EXPECT_TRUE(replacedWhole || Slurp(path) == old) << what << ": " << path;
        }
        for (const std::string& path : result.incomplete) {
          EXPECT_NE(std::count(result.written.begin(), result.written.end(), path), 0) << what;
          EXPECT_NE(path.find(" (incomplete)"), std::string::npos) << what << ": " << path;
          EXPECT_EQ(before.count(path), 0u) << what << ": " << path;
        }
        for (const std::string& path : result.written) EXPECT_TRUE(fs::exists(path)) << path;
      }
    }
  }
  EXPECT_GT(failures, 30);  // the spoilers do spoil
}

// The ROM and its patch appear together: a patch that can't be written
// leaves the earlier ROM as it was and no new one.
TEST(FailedRuns, ARomAndItsPatchAppearTogetherOrNotAtAll) {
  for (const char* name : {"insert+patch", "romancia+patch"}) {
    TempDir dir;
    WriteInputs(dir.path());
    ScriptedHost first;
    const JobResult good = RunOn(JobNamed(name), first, dir.path());
    ASSERT_EQ(good.written.size(), 2u) << name;
    const auto before = Contents(good.written);
    const std::string& patch = good.written[1];
    fs::remove(patch);
    fs::create_directory(patch);  // no file can be put there
    std::ofstream(dir.file("game.nes"), std::ios::binary | std::ios::app) << "more";

    ScriptedHost host;
    const JobResult result = RunOn(JobNamed(name), host, dir.path());
    EXPECT_EQ(result.outcome, Outcome::Failed) << name;
    EXPECT_EQ(Slurp(good.written[0]), before.at(good.written[0])) << name;
    EXPECT_TRUE(result.written.empty()) << name;
    ASSERT_EQ(host.errors.size(), 1u) << name;
    EXPECT_NE(host.errors[0].find(patch), std::string::npos) << host.errors[0];
  }
}

// A disk too full for the output (here a file size limit) is named with the
// system's reason and the output, never the input, and costs no earlier file.
TEST(FailedRuns, AFullDiskIsNamedWithTheSystemsReasonAndTheOutput) {
  TempDir dir;
  WriteInputs(dir.path());
  const Job& job = JobNamed("code dump");
  ScriptedHost first;
  const std::string listing = RunOn(job, first, dir.path()).written.at(0);
  const std::string good = Slurp(listing);

  const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit old{};
  ::getrlimit(RLIMIT_FSIZE, &old);
  rlimit small = old;
  small.rlim_cur = 1000;
  ::setrlimit(RLIMIT_FSIZE, &small);
  ScriptedHost host;
  const JobResult result = RunOn(job, host, dir.path());
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);

  EXPECT_EQ(result.outcome, Outcome::Failed);
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find(listing + ": File too large."), std::string::npos)
      << host.errors[0];
  EXPECT_EQ(host.errors[0].find("game.nes"), std::string::npos) << host.errors[0];
  EXPECT_EQ(Slurp(listing), good);
  EXPECT_FALSE(fs::exists(IncompleteName(listing)));
}

TEST(FailedRuns, IncompleteNamesKeepTheExtension) {
  EXPECT_EQ(IncompleteName("d/game_Modified.nes"), "d/game_Modified (incomplete).nes");
  EXPECT_EQ(IncompleteName("d/game.asm.txt"), "d/game.asm (incomplete).txt");
  EXPECT_EQ(IncompleteName("my.dir/disk"), "my.dir/disk (incomplete)");
  EXPECT_EQ(IncompleteName(".hidden"), ".hidden (incomplete)");
}

}  // namespace
}  // namespace morvane
