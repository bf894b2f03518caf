// Ctrl+C, SIGTERM and SIGHUP on the command line stop every job, leave no
// temporary file and the earlier output as it was, and end as a cancel (exit 3).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "TempDir.h"

extern char** environ;

namespace morvane {
namespace {

namespace fs = std::filesystem;

bool HasTempFile(const std::string& folder) {
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.starts_with('.') && name.ends_with(".tmp")) return true;
  }
  return false;
}

// Runs morvane with args and sends signal (Ctrl+C's SIGINT by default) once
// its output is being written, stderr shows watched (when given) and settle
// has passed. Returns the exit status, or -1 when the job ended before it
// could be hit.
int InterruptWhileWriting(std::vector<std::string> args, const TempDir& dir,
                          std::chrono::milliseconds settle, int signal = SIGINT,
                          const std::string& watched = {}) {
  std::string binary = MORVANE_BINARY;
  std::vector<char*> argv{binary.data()};
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, dir.file("err.txt").c_str(),
                                   O_WRONLY | O_CREAT | O_TRUNC, 0644);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, binary.c_str(), &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (spawned != 0) return -2;
  int status = 0;
  const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!HasTempFile(dir.path()) ||
         (!watched.empty() && Slurp(dir.file("err.txt")).find(watched) == std::string::npos)) {
    if (waitpid(pid, &status, WNOHANG) == pid || std::chrono::steady_clock::now() > until) {
      if (std::chrono::steady_clock::now() > until) kill(pid, SIGKILL), waitpid(pid, &status, 0);
      return -1;
    }
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  std::this_thread::sleep_for(settle);
  if (waitpid(pid, &status, WNOHANG) == pid) return -1;
  kill(pid, signal);
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -3;
}

TEST(Interrupt, EveryJobStopsAndLeavesNoTemporaryFile) {
  struct Case {
    const char* what;
    std::vector<std::string> args;  // the ROM follows
    const char* output;
    bool watchesCancel;  // ends its report with the CANCELED line once it scans
  };
  const Case cases[] = {
      {"dump", {"dump", "--mode", "table", "--rom"}, "big.asm.txt", false},
      // -v shows the status that comes as the scan starts to watch Cancel.
      {"search", {"search", "-v", "--word", "AB", "--rom"}, "big Output.txt", true},
  };
  const std::string earlier = "an earlier, complete output\r\n";
  for (const int signal : {SIGINT, SIGTERM, SIGHUP}) {
    for (const Case& c : cases) {
      const std::string what = std::string(c.what) + " " + strsignal(signal);
      int status = -1;
      TempDir dir;
      // Bigger files until the job is caught while it writes.
      for (std::uintmax_t size = 32u << 20; status == -1 && size <= 1u << 30; size *= 4) {
        dir.write(c.output, earlier);
        const std::string rom = dir.file("big.nes");
        std::filesystem::resize_file(dir.write("big.nes", ""), size);  // sparse
        std::vector<std::string> args = c.args;
        args.push_back(rom);
        status =
            InterruptWhileWriting(args, dir, std::chrono::milliseconds(c.watchesCancel ? 30 : 0),
                                  signal, c.watchesCancel ? "Searching..." : "");
      }
      EXPECT_EQ(status, 3) << what << ": " << Slurp(dir.file("err.txt"));
      EXPECT_FALSE(HasTempFile(dir.path())) << what;
      EXPECT_EQ(Slurp(dir.file(c.output)), earlier) << what;
      // A report ended by the cancel is kept beside the earlier one.
      const std::string partial = fs::path(c.output).stem().string() + " (incomplete).txt";
      if (c.watchesCancel) {
        EXPECT_NE(Slurp(dir.file(partial)).find("\r\nCANCELED at "), std::string::npos) << what;
      } else {
        EXPECT_FALSE(fs::exists(dir.file(partial))) << what;
        EXPECT_NE(Slurp(dir.file("err.txt")).find("Canceled"), std::string::npos) << what;
      }
    }
  }
}

}  // namespace
}  // namespace morvane
