#include "InsertFixture.h"

namespace morvane {
namespace {

using namespace std::string_literals;

std::string Script(std::string_view ptrs, std::string_view blocks,
                   std::initializer_list<std::string_view> body,
                   std::string_view phrases = "0\t1") {
  std::string s = "t\r\nPhrases\t" + std::string(phrases) + "\r\nChars\t20\t3\r\nPtrs\t" +
                  std::string(ptrs) + "\r\n" + std::string(blocks);
  for (auto line : body) s += std::string(line) + "\r\n";
  return s;
}

constexpr std::string_view kTable = "A010\tA07C\t-7FF0\t1";
constexpr std::string_view kBlock = "Blocks\t1\r\nText\tA100\tA1FF\t-7FF0\r\n";
const std::initializer_list<std::string_view> kTwo = {"0:", "", "HI", "", "1:", "", "YO", ""};

class InsertFailureTest : public InsertTest {
 protected:
  // Runs a script that must end in the job error box; returns the box text.
  std::string runTimeError(const std::string& script) {
    host = ScriptedHost();
    EXPECT_EQ(run(script).outcome, Outcome::Failed);
    EXPECT_TRUE(host.warnings.empty()) << warning();
    EXPECT_EQ(host.busyLeft, 1);
    EXPECT_FALSE(host.busy);
    return host.errors.empty() ? std::string() : host.errors.front();
  }
  std::string minorError(const std::string& script) {
    host = ScriptedHost();
    EXPECT_EQ(run(script).outcome, Outcome::Warned);
    EXPECT_TRUE(host.errors.empty());
    EXPECT_EQ(host.busyLeft, 1);
    return warning();
  }
};

TEST_F(InsertFailureTest, EveryRunTimeFailureEndsInTheErrorReport) {
  const std::string overflow = "Error #6 -> Overflow\r\n\r\nError during Insert:\r\n";
  const std::string subscript =
      "Error #9 -> Subscript out of range\r\n\r\nError during Insert:\r\n";
  // Each box ends in plain words.
  const std::string tooLarge = "\r\n\r\nA number is too large for its field.";
  const std::string outside = "\r\n\r\nA number lies outside the range it may have.";
  // A pointer value beyond FFFFh.
  EXPECT_EQ(runTimeError(Script(kTable, "Blocks\t1\r\nText\tA100\tA1FF\t-7FF0\t\t6000\r\n", kTwo)),
            overflow + "Read Japanese rows of iPhraseNumber = 0h" + tooLarge);
  // More than 17 blocks.
  std::string blocks = "Blocks\t12\r\n";
  for (int i = 0; i < 18; ++i) blocks += "Text\t8000\t80FF\r\n";
  EXPECT_EQ(runTimeError(Script(kTable, blocks, kTwo)),
            subscript + "Open Files - First Pass" + outside);
  // A shared phrase number outside the 2049 slots, and a range wider than them.
  EXPECT_EQ(runTimeError(Script(kTable, kBlock, {"0,801:", "", "HI", ""})),
            subscript + "Read Japanese rows of iPhraseNumber = 0h" + outside);
  EXPECT_EQ(
      runTimeError(Script(kTable, "Blocks\t1\r\nText\tA100\tA1FF\t-7FF0\t1\r\n", kTwo, "0\t801")),
      subscript +
          "Open Files - First Pass\r\n\r\nThe script's phrases 0h to 801h are more than the "
          "2049 its pointer tables can hold.");
  // A Length-mode phrase over 255 bytes.
  std::string longRows = "0:\r\n\r\n";
  for (int i = 0; i < 3; ++i) longRows += std::string(0x60, 'A') + "\r\n";
  EXPECT_EQ(runTimeError("t\r\nPhrases\t0\t0\r\nChars\t7FFF\t3\r\nPtrs\tLENGTH\r\nBlocks\t1\r\n"
                         "Text\tA100\tA9FF\t-7FF0\r\n" +
                         longRows),
            overflow + "Read Japanese rows of iPhraseNumber = 0h" + tooLarge);
  // A control byte the table does not define.
  table = TestTable(true, false);
  EXPECT_EQ(runTimeError(Script(kTable, kBlock, {"0:", "", "\\/", "HI", ""}, "0\t0")),
            overflow + "Read Japanese rows of iPhraseNumber = 0h" + tooLarge);
  // A phrase without an entry, and a table that is not there.
  EXPECT_EQ(runTimeError(Script(kTable, kBlock, {"0:", "", "HI", "", "2:", "", "YO", ""})),
            "Error #62 -> Input past end of file\r\n\r\nError during Insert:\r\n"
            "Ignore all UTF Rows until iPhraseNumber = 1h\r\n\r\n" +
                dir.file("script.txt") +
                " ends after line 14 without an entry for phrase 1h (\"1:\").");
  host = ScriptedHost();
  host.answer(Dialog::OpenNES, dir.write("game.nes", rom))
      .answer(Dialog::OpenSJS, dir.write("script.txt", Script(kTable, kBlock, kTwo)))
      .answer(Dialog::OpenTBL, dir.file("missing.tbl"));
  EXPECT_EQ(InsertJob(Settings{}, host).outcome, Outcome::Failed);
  EXPECT_EQ(host.errors.at(0),
            "Error #53 -> File not found\r\n\r\nError during Insert:\r\nRead Table File\r\n\r\n"
            "Filename accessed -> " +
                dir.file("missing.tbl") + "\r\n\r\nThe file does not exist.");
}

TEST_F(InsertFailureTest, APhraseThatFitsNoBlockIsReported) {
  const std::string script =
      Script(kTable, "Blocks\t2\r\nText\tA100\tA103\t-7FF0\r\nText\tA200\tA204\t-7FF0\r\n",
             {"0:", "", "HI", "", "1:", "", "HELLO", ""});
  EXPECT_EQ(minorError(script),
            "PhraseNumber = 1h needs 6 bytes, but only 5 bytes are left in Block 1.\r\n"
            "It fits in no remaining block, so it and the phrases after it can't be inserted.");
  EXPECT_EQ(host.labels[32], "0h");
  EXPECT_EQ(host.labels[35], "?????");  // block 1 received nothing
  EXPECT_EQ(host.labels[36], "-----");
  // What the passes wrote stays, beside the name of a complete output: the
  // ROM up to the end of the last block.
  std::string expected = rom.substr(0, 0x2215);
  Put(expected, 0x2110, "HI\xFF");
  EXPECT_FALSE(dir.exists("game_Modified.nes"));
  ExpectSameBytes(Slurp(dir.file("game_Modified (incomplete).nes")), expected);
}

// A header that can't be inserted leaves no ROM at all, and an earlier
// output as it was.
TEST_F(InsertFailureTest, AHeaderErrorWritesNoRom) {
  dir.write("game_Modified.nes", "earlier");
  EXPECT_EQ(minorError(Script(kTable, "Blocks\t0\r\n", kTwo)),
            "Line 5 - Blocks: 0 must be 1 or more.");
  EXPECT_EQ(host.warnings.at(0).first, "Error during Insert");
  EXPECT_EQ(output(), "earlier");
  EXPECT_FALSE(dir.exists("game_Modified (incomplete).nes"));
  EXPECT_EQ(Slurp(dir.file("game.nes")), rom);
}

// A ROM that could not be made whole is refused before anything is written.
TEST_F(InsertFailureTest, BlocksAndTablesMustLieInsideTheRom) {
  EXPECT_EQ(
      minorError(Script(
          kTable, "Blocks\t2\r\nText\tA100\tA1FF\t-7FF0\r\nText\tA180\tA2FF\t-7FF0\r\n", kTwo)),
      "Line 7 - Text: Block 1 starts at file offset 2190h, inside text or a block already "
      "written (up to 2210h).\r\nBlocks must be listed in ascending file order without "
      "overlapping.");
  EXPECT_EQ(minorError(Script(kTable, "Blocks\t1\r\nText\tBFED\tC0FF\t-7FF0\r\n", kTwo)),
            "Line 6 - Text: Block 0 covers file offsets 3FFDh to 410Fh, past the end of the ROM "
            "(4000h bytes).\r\nThe ROM is left unwritten.");
  EXPECT_EQ(minorError(Script(kTable, "Blocks\t1\r\nText\t8054\tFFFFFF\t-7FF0\r\n", kTwo)),
            "Line 6 - Text: Block 0 covers file offsets 64h to FF800Fh, past the end of the ROM "
            "(4000h bytes).\r\nThe ROM is left unwritten.");
  EXPECT_FALSE(dir.exists("game_Modified.nes"));
  EXPECT_EQ(minorError(Script("BFEF\tA07C\t-7FF0\t1", kBlock, kTwo)),
            "The LSB pointer table at file offsets 3FFFh to 4000h does not lie inside the ROM "
            "(4000h bytes).");
  EXPECT_EQ(minorError(Script("A010\t7FF0\t-7FF1\t1", kBlock, kTwo)),
            "The MSB pointer table at file offsets FFFFFFFFh to 0h does not lie inside the ROM "
            "(4000h bytes).");
  EXPECT_FALSE(dir.exists("game_Modified.nes"));
  EXPECT_FALSE(dir.exists("game_Modified (incomplete).nes"));
}

TEST_F(InsertFailureTest, CancelAndOutputOverAnInput) {
  for (int answered = 0; answered < 3; ++answered) {
    host = ScriptedHost();
    if (answered > 0) host.answer(Dialog::OpenNES, dir.write("game.nes", rom));
    if (answered > 1) host.answer(Dialog::OpenSJS, dir.write("script.txt", "x"));
    EXPECT_EQ(InsertJob(Settings{}, host).outcome, Outcome::Cancelled);
    EXPECT_TRUE(host.errors.empty() && host.warnings.empty());
    EXPECT_EQ(host.busyLeft, 1);
    EXPECT_FALSE(dir.exists("game_Modified.nes"));
  }
  host = ScriptedHost();
  const std::string script = dir.write("game_Modified.nes", Script(kTable, kBlock, kTwo));
  host.answer(Dialog::OpenNES, dir.write("game.nes", rom))
      .answer(Dialog::OpenSJS, script)
      .answer(Dialog::OpenTBL, dir.write("game.tbl", table));
  EXPECT_EQ(InsertJob(Settings{}, host).outcome, Outcome::Warned);
  EXPECT_EQ(Slurp(script), Script(kTable, kBlock, kTwo));
}

}  // namespace
}  // namespace morvane
