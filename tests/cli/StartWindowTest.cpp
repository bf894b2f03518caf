// Without a job word, morvane hands its arguments to the window program
// beside it; the command line itself never loads the window.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

#include "TempDir.h"

namespace morvane {
namespace {

struct Ran {
  int status = -1;
  std::string out;
};

Ran RunIn(const TempDir& dir, const std::string& args) {
  Ran ran;
  FILE* pipe = popen((dir.file("morvane") + " " + args + " 2>&1").c_str(), "r");
  if (pipe == nullptr) return ran;
  char buffer[4096];
  for (std::size_t got; (got = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    ran.out.append(buffer, got);
  const int raw = pclose(pipe);
  ran.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return ran;
}

TEST(StartWindow, NoJobWordStartsTheWindowProgramBesideIt) {
  namespace fs = std::filesystem;
  TempDir dir;
  fs::copy_file(MORVANE_BINARY, dir.file("morvane"));
  Ran ran = RunIn(dir, "-platform offscreen");
  EXPECT_EQ(ran.status, 2);
  EXPECT_NE(ran.out.find("built without the window"), std::string::npos) << ran.out;

  const std::string window = dir.write("morvane-window", "#!/bin/sh\necho \"window:$*\"\n");
  fs::permissions(window, fs::perms::owner_all);
  ran = RunIn(dir, "-platform offscreen");
  EXPECT_EQ(ran.status, 0);
  EXPECT_EQ(ran.out, "window:-platform offscreen\n");
  // A job word runs the job here, never the window.
  ran = RunIn(dir, "strip --script " + dir.file("none.txt"));
  EXPECT_EQ(ran.out.find("window:"), std::string::npos) << ran.out;
}

}  // namespace
}  // namespace morvane
