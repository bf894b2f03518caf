// Output files replace an earlier output of the same name in one step,
// without touching other names that lead to it.
#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <filesystem>

#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

int Entries(const TempDir& dir) {
  int entries = 0;
  for ([[maybe_unused]] const auto& e : fs::directory_iterator(dir.path())) ++entries;
  return entries;
}

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

// A name that is a link is replaced by the new file; what the link led to
// keeps its bytes.
TEST(OutFile, ReplacesLinkNamesWithoutWritingThroughThem) {
  TempDir dir;
  TempDir elsewhere;
  const std::string target = elsewhere.write("kept.txt", "old text");
  const std::string soft = dir.file("soft.txt");
  const std::string hard = dir.file("hard.txt");
  fs::create_symlink(target, soft);
  fs::create_hard_link(target, hard);
  fs::create_symlink(dir.file("missing.txt"), dir.file("dangling.txt"));

  WriteOut(soft, "via soft");
  WriteOut(hard, "via hard");
  WriteOut(dir.file("dangling.txt"), "new");
  EXPECT_FALSE(fs::is_symlink(soft));
  EXPECT_EQ(Slurp(soft), "via soft");
  EXPECT_EQ(Slurp(hard), "via hard");
  EXPECT_EQ(Slurp(target), "old text");
  EXPECT_EQ(fs::hard_link_count(target), 1u);
  EXPECT_FALSE(dir.exists("missing.txt"));
}

// Names that are not files are refused before anything is written, and
// nothing is left beside them.
TEST(OutFile, FoldersFifosDevicesAndSocketsAreRefused) {
  TempDir dir;
  fs::create_directory(dir.file("folder"));
  ASSERT_EQ(::mkfifo(dir.file("fifo").c_str(), 0644), 0);
  const int sock = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  const std::string sockPath = dir.file("sock");
  ASSERT_LT(sockPath.size(), sizeof addr.sun_path);
  sockPath.copy(addr.sun_path, sockPath.size());
  ASSERT_EQ(::bind(sock, reinterpret_cast<const sockaddr*>(&addr), sizeof addr), 0);
  for (const std::string& path :
       {dir.file("folder"), dir.file("fifo"), sockPath, std::string("/dev/null")}) {
    EXPECT_THROW(OutFile out(path), JobError) << path;
  }
  ::close(sock);
  EXPECT_EQ(Entries(dir), 3);
  EXPECT_TRUE(fs::is_character_file("/dev/null"));
}

// The output appears whole when the file is closed, never before; a
// discarded file leaves the earlier output and no temporary file.
TEST(OutFile, TheOutputAppearsWholeOnCloseAndDiscardKeepsTheOldOne) {
  TempDir dir;
  const std::string path = dir.write("out.txt", "earlier");
  {
    OutFile out(path);
    out.write(std::string(200000, 'n'));
    out.flush();
    EXPECT_EQ(Slurp(path), "earlier");
    EXPECT_TRUE(fs::exists(out.tempPath()));
    EXPECT_EQ(fs::path(out.tempPath()).parent_path(), fs::path(dir.path()));
    out.discard();
  }
  EXPECT_EQ(Slurp(path), "earlier");
  WriteOut(path, "later");
  EXPECT_EQ(Slurp(path), "later");
  EXPECT_EQ(Entries(dir), 1);
}

// What Ctrl+C on the command line does before it ends the program.
TEST(OutFile, OpenTempFilesCanBeRemovedAtOnce) {
  TempDir dir;
  const std::string kept = dir.write("kept.txt", "earlier");
  OutFile a(kept);
  OutFile b(dir.file("new.txt"));
  a.write("half");
  a.flush();
  RemoveOpenTempFiles();
  EXPECT_FALSE(fs::exists(a.tempPath()));
  EXPECT_FALSE(fs::exists(b.tempPath()));
  EXPECT_THROW(a.close(), JobError);
  b.discard();
  EXPECT_EQ(Slurp(kept), "earlier");
  EXPECT_EQ(Entries(dir), 1);
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
