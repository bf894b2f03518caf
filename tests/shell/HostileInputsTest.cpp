// Every input of every job replaced by something hostile: a name that is
// missing, a folder or a FIFO, and files that are empty, random bytes or one
// endless line. A job never crashes, hangs or changes an input, leaves no
// temporary file, and never reports a file it could not read as a success
// or a cancel: it says which file it was.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#include <sys/stat.h>

#include "JobTable.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;
using namespace test;

enum class Kind { Missing, Folder, Fifo, Empty, Junk, OneLine };

struct Hostile {
  Kind kind;
  const char* what;
};

constexpr Hostile kHostile[] = {
    {Kind::Missing, "missing"}, {Kind::Folder, "a folder"},   {Kind::Fifo, "a FIFO"},
    {Kind::Empty, "empty"},     {Kind::Junk, "random bytes"}, {Kind::OneLine, "one endless line"},
};

std::string Junk() {
  std::mt19937 rng(7);
  std::string bytes(1 << 16, '\0');
  for (char& c : bytes) c = static_cast<char>(rng() % 9 == 0 ? "\r\n\t"[rng() % 3] : rng());
  return bytes;
}

void Put(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

void MakeHostile(const std::string& path, Kind kind) {
  fs::remove(path);
  switch (kind) {
    case Kind::Missing:
      return;
    case Kind::Folder:
      fs::create_directory(path);
      return;
    case Kind::Fifo:
      ASSERT_EQ(::mkfifo(path.c_str(), 0644), 0);
      return;
    case Kind::Empty:
      Put(path, "");
      return;
    case Kind::Junk:
      Put(path, Junk());
      return;
    case Kind::OneLine:
      Put(path, std::string(1 << 18, 'A'));
      return;
  }
}

// The files a job reads: those its dialogs ask for, and for merge the
// extracted file its listing names.
std::vector<std::string> InputsOf(const Job& job) {
  std::vector<std::string> names;
  for (const auto& [dialog, name] : job.files) names.push_back(name);
  if (job.name == "merge") names.emplace_back("PRAM 6000-600F FILE0000 1A[10]00.nes");
  return names;
}

// The sweeps run the registry's jobs: each job and each file it asks for has
// a way to run it in the table.
TEST(HostileInputs, TheJobTableCoversTheRegistry) {
  EXPECT_EQ(Uncovered(), std::vector<std::string>{});
}

TEST(HostileInputs, EveryInputOfEveryJob) {
  for (const Job& job : Jobs()) {
    for (const std::string& name : InputsOf(job)) {
      for (const Hostile& hostile : kHostile) {
        const std::string what = job.name + ": " + name + " " + hostile.what;
        TempDir dir;
        WriteInputs(dir.path());
        ScriptedHost split;
        if (job.name == "merge") RunOn(JobNamed("split"), split, dir.path());
        const std::string input = dir.file(name);
        MakeHostile(input, hostile.kind);
        const std::set<std::string> before = Names(dir.path());
        ScriptedHost host;
        const JobResult result = RunOn(job, host, dir.path());

        std::set<std::string> expected = before;  // what was there, and the outputs
        for (const std::string& path : result.written) {
          expected.insert(fs::path(path).filename().string());
        }
        EXPECT_EQ(Names(dir.path()), expected) << what;
        for (const auto& [other, bytes] : Inputs()) {
          EXPECT_TRUE(other == name || Slurp(dir.file(other)) == bytes) << what << " " << other;
        }
        std::string shown;
        for (const auto& w : host.warnings) shown += w.second;
        for (const auto& e : host.errors) shown += e;
        if (result.outcome == Outcome::Failed || result.outcome == Outcome::Warned) {
          EXPECT_FALSE(shown.empty()) << what;
        }
        if (hostile.kind == Kind::Missing || hostile.kind == Kind::Folder ||
            hostile.kind == Kind::Fifo) {
          EXPECT_EQ(result.outcome, Outcome::Failed) << what;
          EXPECT_NE(shown.find(input), std::string::npos) << what << ": " << shown;
          EXPECT_TRUE(name != job.files.front().second || result.written.empty()) << what;
        }
      }
    }
  }
}

}  // namespace
}  // namespace morvane
