// The two disk jobs through the real executable.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>

#include "FdsImage.h"

namespace morvane::test {
namespace {

int Morvane(const std::string& args) {
  const int raw =
      std::system((std::string(MORVANE_BINARY) + " " + args + " >/dev/null 2>&1").c_str());
  return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(FdsCli, SplitAndMergeWithAndWithoutHeader) {
  TempDir dir;
  DiskFile file;
  const std::string with = BuildImage({DiskSide{{file}}});
  const std::string without = BuildImage({DiskSide{{file}}}, false);
  dir.write("a.fds", with);
  dir.write("b.fds", without);
  EXPECT_EQ(Morvane("fds-split --image '" + dir.file("a.fds") + "'"), 0);
  EXPECT_EQ(Morvane("fds-split --no-header --image '" + dir.file("b.fds") + "'"), 0);
  EXPECT_EQ(Morvane("fds-merge --listing '" + dir.file("a FDS Files.txt") + "'"), 0);
  EXPECT_EQ(Morvane("fds-merge --listing '" + dir.file("b FDS Files.txt") + "'"), 0);
  EXPECT_TRUE(SameBytes(Slurp(dir.file("a_Merged.fds")), with));
  EXPECT_TRUE(SameBytes(Slurp(dir.file("b_Merged.fds")), without));
  // The header setting does not match the image: a job error.
  EXPECT_EQ(Morvane("fds-split --image '" + dir.file("b.fds") + "'"), 1);
}

}  // namespace
}  // namespace morvane::test
