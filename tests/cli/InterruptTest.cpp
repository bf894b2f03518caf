// Ctrl+C, SIGTERM and SIGHUP on the command line stop every job, leave no
// temporary file and the earlier output as it was, and end as a cancel (exit 3).
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/ptrace.h>
#include <sys/wait.h>
#include <unistd.h>

#include <charconv>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
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

// How far a search has come by the last "Searching <offset>:" status that -v
// shows; -1 before the first.
std::int64_t ScannedTo(const std::string& err) {
  const std::size_t at = err.rfind("Searching ");
  if (at == std::string::npos) return -1;
  const char* first = err.data() + at + 10;
  std::int64_t offset = -1;
  const auto [end, ec] = std::from_chars(first, err.data() + err.size(), offset, 16);
  return ec == std::errc{} && *end == ':' ? offset : -1;
}

// Runs morvane with args and sends it signal (Ctrl+C's SIGINT by default)
// while its output is being written and ready(stderr) holds. The job runs
// traced, stopping at each system call, so it is held right where the test
// looked and hit there, as it returns to its own code, however loaded the
// machine. Returns the exit status, -1 when the job ended first, or
// kNoTracing when this system does not let a test trace its child.
constexpr int kNoTracing = -4;

int InterruptWhileWriting(std::vector<std::string> args, const TempDir& dir, int signal,
                          const std::function<bool(const std::string&)>& ready) {
  std::string binary = MORVANE_BINARY;
  std::vector<char*> argv{binary.data()};
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const std::string err = dir.file("err.txt");
  const int out = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
  const int errFd = ::open(err.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(out, STDOUT_FILENO);
    dup2(errFd, STDERR_FILENO);
    if (ptrace(PTRACE_TRACEME, 0, nullptr, nullptr) != 0) _exit(126);
    execve(binary.c_str(), argv.data(), environ);
    _exit(127);
  }
  close(out);
  close(errFd);
  int status = 0;
  // Stopped as it starts; from here on it stops at each system call.
  if (pid < 0 || waitpid(pid, &status, 0) != pid) return -2;
  if (WIFEXITED(status) && WEXITSTATUS(status) == 126) return kNoTracing;
  if (!WIFSTOPPED(status)) return -2;
  ptrace(PTRACE_SETOPTIONS, pid, nullptr, PTRACE_O_TRACESYSGOOD | PTRACE_O_EXITKILL);
  for (int pass = 0;;) {
    ptrace(PTRACE_SYSCALL, pid, nullptr, pass);
    if (waitpid(pid, &status, 0) != pid || !WIFSTOPPED(status)) return -1;
    pass = 0;
    if (WSTOPSIG(status) != (SIGTRAP | 0x80)) {
      pass = WSTOPSIG(status);  // a signal of its own, handed on
      continue;
    }
    // Only on the way out of a call: a rename about to run would still land.
    __ptrace_syscall_info info{};
    if (ptrace(PTRACE_GET_SYSCALL_INFO, pid, sizeof info, &info) <= 0) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      return kNoTracing;
    }
    if (info.op == PTRACE_SYSCALL_INFO_EXIT && HasTempFile(dir.path()) && ready(Slurp(err))) break;
  }
  kill(pid, signal);  // pending until it runs on
  ptrace(PTRACE_DETACH, pid, nullptr, 0);
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
        // A search is hit once it watches Cancel (its first status with an
        // offset follows its first check) and while half the ROM is still to
        // scan, well before its last check.
        const auto half = static_cast<std::int64_t>(size) / 2;
        status = InterruptWhileWriting(args, dir, signal, [&](const std::string& err) {
          const std::int64_t at = ScannedTo(err);
          return !c.watchesCancel || (at > 0 && at <= half);
        });
      }
      if (status == kNoTracing) GTEST_SKIP() << "this system lets no test trace its child";
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

TEST(Interrupt, AClosedConsoleLeavesTheJobToFinish) {
  TempDir dir;
  std::filesystem::resize_file(dir.write("big.nes", ""), 1u << 20);
  std::string binary = MORVANE_BINARY;
  std::vector<std::string> args{binary,  "search",           "-v", "--word", "AB",
                                "--rom", dir.file("big.nes")};
  std::vector<char*> argv;
  for (std::string& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  int ends[2];
  ASSERT_EQ(pipe2(ends, O_CLOEXEC), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    dup2(ends[1], STDOUT_FILENO);
    dup2(ends[1], STDERR_FILENO);
    signal(SIGPIPE, SIG_DFL);  // as a shell starts it
    execve(binary.c_str(), argv.data(), environ);
    _exit(127);
  }
  close(ends[0]);  // nobody reads its messages
  close(ends[1]);
  int status = 0;
  waitpid(pid, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  EXPECT_FALSE(HasTempFile(dir.path()));
  EXPECT_NE(Slurp(dir.file("big Output.txt")).find("--------------------"), std::string::npos);
}

}  // namespace
}  // namespace morvane
