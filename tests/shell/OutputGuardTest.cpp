#include <gtest/gtest.h>

#include <filesystem>

#include "shell/JobError.h"
#include "shell/OutputGuard.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

namespace fs = std::filesystem;

bool Replaces(const std::string& problem) {
  return problem.find("would replace the input file") != std::string::npos;
}
bool Outside(const std::string& problem) {
  return problem.find("would not lie in the folder") != std::string::npos;
}

TEST(OutputGuard, AcceptsANewFileBesideTheFirstInput) {
  TempDir dir;
  const std::string rom = dir.write("game.nes", "rom");
  const std::string table = dir.write("t.tbl", "41=A\r\n");
  EXPECT_EQ(OutputProblem(dir.file("game.asm.txt"), {rom, "", table}), "");
  // An older output of the same name is simply replaced.
  EXPECT_EQ(OutputProblem(dir.write("game.asm.txt", "old"), {rom}), "");
  // The other inputs may lie anywhere.
  TempDir other;
  EXPECT_EQ(OutputProblem(dir.file("game.asm.txt"), {rom, other.write("t.tbl", "")}), "");
}

TEST(OutputGuard, RefusesEverySpellingAndLinkOfAnInput) {
  TempDir dir;
  fs::create_directory(dir.file("sub"));
  const std::string rom = dir.write("game.nes", "rom");
  const std::string table = dir.write("t.tbl", "41=A\r\n");
  fs::create_hard_link(rom, dir.file("hard.nes"));
  fs::create_symlink(rom, dir.file("soft.nes"));
  fs::create_symlink("t.tbl", dir.file("relative.tbl"));
  const std::string cases[] = {
      rom,
      dir.file("./game.nes"),
      dir.file("sub/../game.nes"),
      dir.path() + "//game.nes",
      dir.file("hard.nes"),
      dir.file("soft.nes"),
  };
  for (const std::string& output : cases) {
    const std::string problem = OutputProblem(output, {rom});
    EXPECT_TRUE(Replaces(problem)) << output << ": " << problem;
    EXPECT_NE(problem.find(output), std::string::npos);
    EXPECT_NE(problem.find(rom), std::string::npos);
  }
  // Any of the inputs counts, not only the first.
  EXPECT_TRUE(Replaces(OutputProblem(dir.file("relative.tbl"), {rom, "", table})));
  // A link to an input, given as the input, is the input too.
  EXPECT_TRUE(Replaces(OutputProblem(rom, {dir.file("soft.nes")})));
}

TEST(OutputGuard, RefusesOutputsOutsideTheFirstInputsFolder) {
  TempDir dir;
  fs::create_directory(dir.file("my.dir"));
  const std::string rom = dir.write("my.dir/game", "rom");
  // What a name cut at the last dot of the whole path gives.
  EXPECT_TRUE(Outside(OutputProblem(dir.file("my.asm.txt"), {rom})));
  EXPECT_TRUE(Outside(OutputProblem(dir.file("my.dir/../x.txt"), {rom})));
  EXPECT_TRUE(Outside(OutputProblem(dir.file("my.dir/new/x.txt"), {rom})));
  EXPECT_TRUE(Outside(OutputProblem(dir.file("my.dir/"), {rom})));
  EXPECT_EQ(OutputProblem(dir.file("my.dir/../my.dir/x.txt"), {rom}), "");
  // A link in the folder that leads elsewhere, even to no file yet, is outside.
  fs::create_symlink(dir.file("elsewhere.txt"), dir.file("my.dir/game.asm.txt"));
  EXPECT_TRUE(Outside(OutputProblem(dir.file("my.dir/game.asm.txt"), {rom})));
  EXPECT_FALSE(fs::exists(dir.file("elsewhere.txt")));
  // A first input that names a folder has no folder of its own to write in.
  EXPECT_NE(OutputProblem(dir.file("my.dir/ Text.txt"), {dir.file("my.dir/")}), "");
}

// A 250-character ROM name gives a report name past the file system's limit:
// the refusal says so, rather than blaming the folder.
TEST(OutputGuard, ANameTooLongForTheFileSystemIsRefusedForThatReason) {
  TempDir dir;
  const std::string stem(246, 'a');
  const std::string rom = dir.write(stem + ".nes", "rom");
  EXPECT_EQ(OutputProblem(dir.file(stem + " Output.txt"), {rom}),
            "The output file name " + stem + " Output.txt has 257 bytes, more than the 255 a " +
                "file name may have.");
  EXPECT_EQ(OutputProblem(dir.file(stem + ".asm.txt"), {rom}), "");
}

// Output names cut the input's last characters: a UTF-8 character counts as
// one, so none is ever cut in half.
TEST(OutputGuard, OutputNamesKeepUtf8CharactersWhole) {
  const std::string ro = "\xE3\x83\xAD", mu = "\xE3\x83\xA0";  // ロ, ム
  EXPECT_EQ(SuffixedName("d/game.nes", "Modified"), "d/game_Modified.nes");
  EXPECT_EQ(SuffixedName("dir/" + ro + mu, "Modified"), "di_Modified./" + ro + mu);
  EXPECT_EQ(SuffixedName("d/" + ro + mu + ".nes", "Stripped"), "d/" + ro + mu + "_Stripped.nes");
  EXPECT_EQ(SuffixedName("d/x" + ro + mu + "ab", "Modified"), "d/x_Modified." + mu + "ab");
  EXPECT_EQ(ModifiedName("d/" + mu + ".fds", "_Modified.nes"), "d/" + mu + "_Modified.nes");
  EXPECT_EQ(LastThreeChars("d/" + ro + ro + mu), ro + ro + mu);
}

TEST(OutputGuard, RefusalIsAMinorErrorNamingBothFiles) {
  TempDir dir;
  const std::string rom = dir.write("game.nes", "rom");
  try {
    RefuseOverwrite("Error During Dump", rom, {rom});
    FAIL() << "not refused";
  } catch (const JobError& e) {
    EXPECT_EQ(e.kind(), JobError::Kind::Minor);
    EXPECT_EQ(e.title(), "Error During Dump");
    EXPECT_EQ(e.message(), "The output file " + rom + " would replace the input file " + rom + ".");
    EXPECT_EQ(e.file(), rom);
  }
  EXPECT_NO_THROW(RefuseOverwrite("t", dir.file("game.asm.txt"), {rom}));
}

}  // namespace
}  // namespace morvane
