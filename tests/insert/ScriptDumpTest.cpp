// The translator's round trip: a game-like ROM dumped through its pointer
// tables, the script inserted unchanged (the same ROM), then translated.
#include <gtest/gtest.h>

#include <map>

#include "InsertFixture.h"
#include "insert/ScriptDump.h"
#include "shell/InFile.h"
#include "shell/Values.h"
#include "tables/PhraseText.h"
#include "tables/StandardTable.h"

namespace morvane {
namespace {

// Letters, a blank, DTE/MTE entries, a two-byte name, control codes with
// texts and a linked colour code; no "Q".
std::string GameTable() {
  std::string t = CrLf({"; the game's table", "/FF=<end>", "*FE=<br>", "20= ", "2E=.", "80=THE",
                        "81=ER", "82=TH", "83=HERE", "8140=Cecil", "F1=<wait>", "$F0=<color>,1"});
  for (char c = 'A'; c <= 'Z'; ++c) {
    if (c != 'Q') t += CrLf({HexByte(c) + "=" + std::string(1, c)});
  }
  return t;
}

std::string B(std::initializer_list<int> values) {
  std::string s;
  for (const int v : values) s += static_cast<char>(v);
  return s;
}

// A 32 KiB NROM game: phrases at 9000 behind an interleaved table at 8100
// (phrase 2 shares phrase 0's text), more at A000 behind split tables at
// 8200/8280; text areas end in FF padding.
struct Game {
  std::string rom = std::string(0x8010, '\xEA');
  Game() {
    rom.replace(0, 4, "NES\x1A");
    rom[4] = 2;
    place(0x8100, 2, 0x8101, 0x9000,
          {B({0x80, 0x20, 0x83, 0xFE, 0x46, 0x49, 0x47, 0x48, 0x54, 0xF1, 0xFF}),
           B({0xF0, 0x03, 0x52, 0x45, 0x44, 0xFF}),
           B({0x81, 0x40, 0x20, 0x82, 0x81, 0x45, 0x2E, 0xFF}), B({0xFF})},
          {0, 1, 0, 2, 3});
    place(0x8200, 1, 0x8280, 0xA000,
          {B({0x48, 0x49, 0xFF}), B({0xFE, 0xFE, 0x4F, 0x4B, 0xFF}), B({0x42, 0x59, 0x45, 0xFF})},
          {0, 1, 2, 1});
  }
  // Phrases from address at, one after another; pointer i leads to phrase order[i].
  void place(int low, int step, int high, int at, const std::vector<std::string>& phrases,
             const std::vector<int>& order) {
    std::vector<int> starts;
    for (const std::string& p : phrases) {
      starts.push_back(at);
      Put(rom, static_cast<std::size_t>(at - 0x7FF0), p);
      at += static_cast<int>(p.size());
    }
    std::fill(rom.begin() + at - 0x7FF0, rom.begin() + at - 0x7FF0 + 0x100, '\xFF');
    for (std::size_t i = 0; i < order.size(); ++i) {
      const int target = starts[static_cast<std::size_t>(order[i])];
      rom[low - 0x7FF0 + i * static_cast<std::size_t>(step)] = static_cast<char>(target & 0xFF);
      rom[high - 0x7FF0 + i * static_cast<std::size_t>(step)] = static_cast<char>(target >> 8);
    }
  }
};

class ScriptDumpTest : public ::testing::Test {
 protected:
  ScriptDumpTest() {
    romPath = dir.write("game.nes", game.rom);
    tblPath = dir.write("game.tbl", GameTable());
  }
  // The script dump through pointers; its text, or "" when it did not finish.
  std::string dump(const std::string& pointers, int count, const std::string& form = "standard",
                   const std::string& rom = {}, std::int32_t end = 0xBFFF) {
    Settings s;
    s.mode = kText;
    s.asTable = false;
    s.end = end;
    s.options.add("pointers", pointers);
    s.options.add("count", std::to_string(count));
    s.options.add("tbl-format", form);
    if (!pointerBase.empty()) s.options.add("pointer-base", pointerBase);
    host = ScriptedHost();
    host.answer(Dialog::OpenNES, rom.empty() ? romPath : rom).answer(Dialog::OpenTBL, tblPath);
    if (ScriptDumpJob(s, host).outcome != Outcome::Done) return {};
    return Slurp(StripExtension(rom.empty() ? romPath : rom) + " Text.txt");
  }
  JobResult insert(const std::string& script, bool verify, const std::string& form = "standard") {
    Settings s;
    s.options.add("tbl-format", form);
    if (verify) s.options.add("verify", "");
    host = ScriptedHost();
    host.answer(Dialog::OpenNES, romPath)
        .answer(Dialog::OpenSJS, dir.write("script.txt", script))
        .answer(Dialog::OpenTBL, tblPath);
    return InsertJob(s, host);
  }
  std::string warning() const {
    return host.warnings.empty() ? std::string() : host.warnings.front().second;
  }

  TempDir dir;
  ScriptedHost host;
  Game game;
  std::string romPath, tblPath;
  std::string pointerBase;
};

// The rows of each phrase entry of a script, by its header line.
std::map<std::string, std::vector<std::string>> Entries(const std::string& script) {
  std::map<std::string, std::vector<std::string>> entries;
  TextLines lines(script);
  std::string line;
  for (int i = 0; i < 6; ++i) lines.next(line);
  while (lines.next(line)) {
    if (line.empty() || line[0] == ';') continue;
    const std::string key = line.substr(0, line.find(':'));
    lines.next(line);  // the empty line
    auto& rows = entries[key];
    while (lines.next(line) && !line.empty()) rows.push_back(line);
  }
  return entries;
}

// Each entry's rows replaced by those of translation; the blocks given room.
std::string Translated(const std::string& script,
                       const std::map<std::string, std::vector<std::string>>& translation,
                       const std::string& blockEnd) {
  std::string out;
  TextLines lines(script);
  std::string line;
  for (int i = 0; lines.next(line);) {
    if (++i == 3) line = "Chars\t20\t4\t";
    if (line.starts_with("Text\t")) line.replace(line.find('\t', 5) + 1, 4, blockEnd);
    out += line + "\r\n";
    const auto key = line.substr(0, line.find(':'));
    if (i <= 6 || line.empty() || line[0] == ';' || !translation.count(key)) continue;
    lines.next(line);
    out += "\r\n";
    while (lines.next(line) && !line.empty()) {
    }
    for (const std::string& row : translation.at(key)) out += row + "\r\n";
    out += "\r\n";
  }
  return out;
}

TEST_F(ScriptDumpTest, InterleavedTableGoesBackUnchangedAndTranslated) {
  const std::string script = dump("8100", 5);
  ASSERT_FALSE(script.empty()) << warning();
  EXPECT_TRUE(script.starts_with(
      CrLf({"game Text", "Phrases\t0\t4", "Chars\t6\t2\t", "Ptrs\t8100\t8101\t-7FF0\t2",
            "Blocks\t1\t", "Text\t9000\t9019\t-7FF0\t4\t0"})))
      << script;
  const auto entries = Entries(script);
  EXPECT_EQ(entries.at("0,2"), (std::vector<std::string>{"THE HERE<br>", "FIGHT<wait><end>"}));
  EXPECT_EQ(entries.at("1"), (std::vector<std::string>{"<color><$03>RED<end>"}));
  // T HERE would take two bytes where TH ER stand: TH stays a raw byte.
  EXPECT_EQ(entries.at("3"), (std::vector<std::string>{"Cecil <$82>ERE.<end>"}));
  EXPECT_EQ(entries.at("4"), (std::vector<std::string>{"<end>"}));
  EXPECT_TRUE(host.statuses.back().starts_with("Dump Complete")) << host.lastStatus();

  ASSERT_EQ(insert(script, true).outcome, Outcome::Done) << warning();
  ExpectSameBytes(Slurp(dir.file("game_Modified.nes")), game.rom);

  const std::map<std::string, std::vector<std::string>> french = {
      {"0,2", {"HE", "THERE IS THE<br>", "<wait>"}},
      {"1", {"<color><$01>BLEU ET ROUGE"}},
      {"3", {"Cecil<end>"}},
      {"4", {"A"}}};
  ASSERT_EQ(insert(Translated(script, french, "9FFF"), true).outcome, Outcome::Done) << warning();
  const std::string modified = Slurp(dir.file("game_Modified.nes"));
  // HE, a new line, then T HERE: two bytes where TH ER E would take three.
  EXPECT_EQ(modified.substr(0x9000 - 0x7FF0, 5), B({0x48, 0x45, 0xFE, 0x54, 0x83}));
  const std::string again = dump("8100", 5, "standard", dir.file("game_Modified.nes"));
  const auto back = Entries(again);
  EXPECT_EQ(back.at("0,2"),
            (std::vector<std::string>{"HE<br>", "THERE IS THE<br>", "<wait><end>"}));
  EXPECT_EQ(back.at("1"), (std::vector<std::string>{"<color><$01>BLEU ET ROUGE<end>"}));
  EXPECT_EQ(back.at("3"), (std::vector<std::string>{"Cecil<end>"}));
  EXPECT_EQ(back.at("4"), (std::vector<std::string>{"A<end>"}));
}

TEST_F(ScriptDumpTest, SplitTablesAndRowsThatStartWithNewLines) {
  const std::string script = dump("8200,8280", 4);
  ASSERT_FALSE(script.empty()) << warning();
  EXPECT_NE(script.find("Ptrs\t8200\t8280\t-7FF0\t1\r\n"), std::string::npos);
  const auto entries = Entries(script);
  EXPECT_EQ(entries.at("1,3"), (std::vector<std::string>{"<br>", "<br>", "OK<end>"}));
  ASSERT_EQ(insert(script, true).outcome, Outcome::Done) << warning();
  ExpectSameBytes(Slurp(dir.file("game_Modified.nes")), game.rom);
  // The classic form reads the same table without its control texts.
  // Without an end byte each phrase runs to the next; the last to the range's end.
  const std::string classic = dump("8200,8280", 4, "classic", {}, 0xA00B);
  ASSERT_FALSE(classic.empty());
  EXPECT_EQ(Entries(classic).at("1,3"), (std::vector<std::string>{"{FE}{FE}OK{FF}"}));
  ASSERT_EQ(insert(classic, false, "classic").outcome, Outcome::Done) << warning();
  ExpectSameBytes(Slurp(dir.file("game_Modified.nes")), game.rom);

  // The same phrases through pointers relative to 8000, at 8300.
  const int targets[] = {0x2000, 0x2003, 0x2008};
  for (std::size_t i = 0; i < 3; ++i) {
    game.rom[0x8300 - 0x7FF0 + 2 * i] = static_cast<char>(targets[i] & 0xFF);
    game.rom[0x8301 - 0x7FF0 + 2 * i] = static_cast<char>(targets[i] >> 8);
  }
  romPath = dir.write("game.nes", game.rom);
  pointerBase = "8000";
  const std::string relative = dump("8300", 3);
  EXPECT_NE(relative.find("Text\tA000\tA00B\t-7FF0\t2\t-8000\r\n"), std::string::npos) << relative;
  ASSERT_EQ(insert(relative, true).outcome, Outcome::Done) << warning();
  ExpectSameBytes(Slurp(dir.file("game_Modified.nes")), game.rom);
}

// Without pointers the standard form dumps the range's phrases one after another.
TEST_F(ScriptDumpTest, RangeDumpThroughAStandardTable) {
  Settings s;
  s.mode = kText;
  s.asTable = false;
  s.start = 0xA000;
  s.end = 0xA00B;
  s.startText = "A000";
  s.endText = "A00B";
  s.options.add("tbl-format", "standard");
  host.answer(Dialog::OpenNES, romPath).answer(Dialog::OpenTBL, tblPath);
  ASSERT_EQ(ScriptDumpJob(s, host).outcome, Outcome::Done) << warning();
  const std::string script = Slurp(dir.file("game Text.txt"));
  EXPECT_TRUE(script.starts_with(
      CrLf({"game Text", "Phrases\t0\t2", "Chars\t3\t3\t", "Ptrs\tNONE\t[NONE+1]\t-7FF0\t2",
            "Blocks\t1\t", "Text\tA000\tA00B\t-7FF0\t2\t-A000"})))
      << script;
  ASSERT_EQ(insert(script, true).outcome, Outcome::Done) << warning();
  ExpectSameBytes(Slurp(dir.file("game_Modified.nes")), game.rom);
}

TEST_F(ScriptDumpTest, VerifyListsThePhrasesThatDoNotReadBack) {
  const std::string script = dump("8100", 5);
  const std::map<std::string, std::vector<std::string>> bad = {
      {"1", {"QUIET"}}, {"3", {"OK"}}, {"4", {"<$81><$40>"}}};
  EXPECT_EQ(insert(Translated(script, bad, "9FFF"), true).outcome, Outcome::Warned);
  EXPECT_NE(warning().find("2 phrases do not read back:"), std::string::npos) << warning();
  EXPECT_NE(warning().find("PhraseNumber = 1h\r\nRow = \"QUIET\""), std::string::npos);
  EXPECT_NE(warning().find("PhraseNumber = 4h reads back as \"Cecil\" instead of \"ER<$40>\"."),
            std::string::npos)
      << warning();
  // Without --verify the first refused phrase stops the insertion.
  EXPECT_EQ(insert(Translated(script, bad, "9FFF"), false).outcome, Outcome::Warned);
  EXPECT_EQ(warning().find("read back"), std::string::npos);
}

TEST_F(ScriptDumpTest, BadPointerOptionsAreRefused) {
  const struct {
    const char* pointers;
    int count;
    const char* message;
  } cases[] = {
      {"8100", 0, "--count 0: the number of pointers must be 1 to 2049."},
      {"8100", 2050, "--count 2050"},
      {"FFF0", 20, "runs from file offset 8000h to 8026h, past game.nes (8010h bytes)"},
      {"8100,8101,2,9", 1, "--pointers takes LOW[,HIGH[,STEP]]"},
      {"81G0", 1, "LOW \"81G0\" is not a hex address"},
      {"9000", 1, "Pointer 0 (at 9000) leads to 2080"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(dump(c.pointers, c.count), "") << c.pointers;
    EXPECT_NE(warning().find(c.message), std::string::npos) << warning();
  }
}

}  // namespace
}  // namespace morvane
