// Two runs writing the same output at once: each result is one run's whole
// report, never the start of one and the tail of the other.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "TempDir.h"

extern char** environ;

namespace morvane {
namespace {

pid_t Start(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  std::string binary = MORVANE_BINARY;
  argv.push_back(binary.data());
  std::vector<std::string> copy = args;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int Wait(pid_t pid) {
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(SimultaneousRuns, EachOutputIsOneRunsWholeReport) {
  TempDir dir;
  std::mt19937 rng(3);
  std::string bytes(1 << 20, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  const std::string rom = dir.write("r.nes", bytes);
  const std::string report = dir.file("r Output.txt");
  const std::vector<std::string> runs[] = {{"search", "--rom", rom, "--word", "AB"},
                                           {"search", "--rom", rom, "--word", "AC"}};
  std::string alone[2];
  for (int i = 0; i < 2; ++i) {
    ASSERT_EQ(Wait(Start(runs[i])), 0);
    alone[i] = Slurp(report);
  }
  ASSERT_NE(alone[0], alone[1]);
  ASSERT_GT(alone[0].size(), 500000u);

  for (int round = 0; round < 12; ++round) {
    const pid_t first = Start(runs[round % 2]);
    const pid_t second = Start(runs[1 - round % 2]);
    EXPECT_EQ(Wait(first), 0);
    EXPECT_EQ(Wait(second), 0);
    const std::string got = Slurp(report);
    EXPECT_TRUE(got == alone[0] || got == alone[1]) << "round " << round << ": " << got.size();
  }
  // Only the ROM and the report are left: no temporary file.
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path())) ++entries;
  EXPECT_EQ(entries, 2);
}

}  // namespace
}  // namespace morvane
