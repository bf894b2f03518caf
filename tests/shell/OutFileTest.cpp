// Output files replace an earlier output of the same name without touching
// other names that lead to it.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>

#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

void WriteOut(const std::string& path, std::string_view text) {
  OutFile out(path);
  out.write(text);
  out.close();
}

TEST(OutFile, ReplacesAnEarlierOutputAndKeepsItsPermissions) {
  TempDir dir;
  const std::string path = dir.write("game.asm.txt", std::string(100000, 'x'));
  fs::permissions(path, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  WriteOut(path, "new\r\n");
  EXPECT_EQ(Slurp(path), "new\r\n");
  EXPECT_EQ(fs::status(path).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(OutFile, WritesThroughLinksToAnEarlierOutput) {
  TempDir dir;
  const std::string target = dir.write("kept.txt", "old text");
  const std::string soft = dir.file("soft.txt");
  const std::string hard = dir.file("hard.txt");
  fs::create_symlink(target, soft);
  fs::create_hard_link(target, hard);

  WriteOut(soft, "via soft");
  EXPECT_TRUE(fs::is_symlink(soft));
  EXPECT_EQ(Slurp(target), "via soft");

  WriteOut(hard, "via hard");
  EXPECT_EQ(fs::hard_link_count(target), 2u);
  EXPECT_EQ(Slurp(target), "via hard");
}

TEST(OutFile, AnEarlierOutputWeMayNotWriteIsKept) {
  if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
  TempDir dir;
  const std::string path = dir.write("locked.txt", "kept");
  fs::permissions(path, fs::perms::owner_read);
  EXPECT_THROW(OutFile out(path), JobError);
  EXPECT_EQ(Slurp(path), "kept");
}

TEST(OutFile, LargeWritesArriveWholeAndInOrder) {
  TempDir dir;
  const std::string path = dir.file("big.txt");
  std::string expected;
  {
    OutFile out(path);
    for (int i = 0; i < 20000; ++i) {
      const std::string line = std::to_string(i * 7919);
      out.line(line);
      expected += line + "\r\n";
    }
  }  // closed by the destructor
  EXPECT_EQ(Slurp(path), expected);
}

TEST(OutFile, AFolderThatIsMissingIsAFileAccessError) {
  TempDir dir;
  try {
    OutFile out(dir.file("missing/out.txt"));
    FAIL() << "opened";
  } catch (const JobError& e) {
    EXPECT_EQ(e.number(), kErrFileAccess);
  }
}

}  // namespace
}  // namespace morvane
