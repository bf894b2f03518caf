// Dump failures from the command line: an error that names the file (exit 1),
// never a quiet cancel, and a range past the end of the file a warning on
// the status line and stderr with its listing kept (exit 0).
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "CliRun.h"
#include "TempDir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

TEST(DumpFailures, FilesThatCantBeUsedAreErrorsNamingThem) {
  struct Case {
    const char* what;
    std::string args;   // after "dump --rom r.nes", names of files in dir
    const char* named;  // the file the error names
  };
  TempDir dir;
  dir.write("r.nes", std::string(0x4010, '\x60'));
  dir.write("ops.txt", "A\tImp\t\t\r\n");
  fs::create_directory(dir.file("folder.txt"));
  ::mkfifo(dir.file("fifo.tbl").c_str(), 0644);
  const Case cases[] = {
      {"missing Op_Codes", "--mode code --no-tables --opcodes missing.txt", "missing.txt"},
      {"Op_Codes a folder", "--mode code --no-tables --opcodes folder.txt", "folder.txt"},
      {"Table List a FIFO", "--mode code --opcodes ops.txt --tables fifo.tbl", "fifo.tbl"},
      {"table a FIFO", "--mode text --tbl fifo.tbl", "fifo.tbl"},
      {"missing table", "--mode text --tbl missing.tbl", "missing.tbl"},
      {"length 8000", "--mode text --as-table --length 8000 --tbl ops.txt", "Length 8000"},
  };
  for (const Case& c : cases) {
    std::string args = c.args;
    for (const char* name : {"missing.txt", "folder.txt", "ops.txt", "fifo.tbl", "missing.tbl"}) {
      const std::size_t at = args.find(name);
      if (at != std::string::npos) args.replace(at, std::strlen(name), dir.file(name));
    }
    const CliRun r = Morvane("dump --rom " + dir.file("r.nes") + " " + args, dir);
    EXPECT_EQ(r.status, 1) << c.what << ": " << r.err;
    EXPECT_NE(r.err.find(c.named), std::string::npos) << c.what << ": " << r.err;
    EXPECT_FALSE(dir.exists("r.asm.txt") || dir.exists("r Text.txt")) << c.what;
  }
  // An output name taken by a folder.
  fs::create_directory(dir.file("r.asm.txt"));
  const CliRun r = Morvane("dump --mode table --rom " + dir.file("r.nes"), dir);
  EXPECT_EQ(r.status, 1) << r.err;
  EXPECT_NE(r.err.find("r.asm.txt"), std::string::npos) << r.err;
  // A ROM that isn't there is named, and nothing is written.
  const CliRun none = Morvane("dump --mode table --rom " + dir.file("none.nes"), dir);
  EXPECT_EQ(none.status, 1);
  EXPECT_NE(none.err.find("none.nes"), std::string::npos) << none.err;
  EXPECT_FALSE(dir.exists("none.asm.txt"));
}

TEST(DumpFailures, ARangePastTheEndKeepsItsListingAndWarns) {
  TempDir dir;
  for (const std::string& bytes : {std::string(0x10, '\x01'), std::string()}) {
    dir.write("r.nes", bytes);
    const CliRun r = Morvane("dump --mode table --rom " + dir.file("r.nes"), dir);
    const std::string warning = "Nothing in range: r.nes holds " +
                                std::string(bytes.empty() ? "0 bytes (0h)" : "16 bytes (10h)") +
                                " and the range starts at file offset 10h.";
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.err, "Note: " + warning + "\n");
    EXPECT_EQ(r.out.substr(0, r.out.find('\n')), warning);
    EXPECT_NE(Slurp(dir.file("r.asm.txt")).find("; 16384 bytes\r\n"), std::string::npos);
  }
}

}  // namespace
}  // namespace morvane
