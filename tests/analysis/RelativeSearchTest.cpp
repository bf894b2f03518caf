#include <gtest/gtest.h>

#include <unistd.h>

#include <random>
#include <string>
#include <vector>

#include "analysis/RelativeSearch.h"
#include "shell/Reports.h"
#include "shell/Values.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

const std::string kRule = "--------------------\r\n";

std::string Head() {
  return BannerText() + kRule;
}

Settings WordSettings(std::string word, bool header = false, double block = 0.0) {
  Settings s;
  s.searchText = std::move(word);
  s.header = header;
  s.block = block;
  return s;
}

std::string Latin(int base, char first) {
  std::string text;
  for (int k = 0; k < 26; ++k)
    text += HexByte(base + k) + "=" + static_cast<char>(first + k) + "\r\n";
  return text;
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}

struct SearchRun {
  JobResult result;
  ScriptedHost host;
  std::string output;
};

// Searches rom (a file in dir) for the settings' word; the report is read as the job left it.
SearchRun Search(const TempDir& /*dir*/, const std::string& rom, const Settings& s,
                 int cancelAfter = -1) {
  SearchRun run;
  run.host.answer(Dialog::OpenNES, rom);
  run.host.cancelAfterYields(cancelAfter);
  run.result = SearchJob(s, run.host);
  // A search that stopped keeps its report beside the name.
  run.output = run.result.written.empty() ? std::string() : Slurp(run.result.written.front());
  EXPECT_EQ(run.host.busyEntered, 1);
  EXPECT_EQ(run.host.busyLeft, 1);
  return run;
}

TEST(RelativeSearch, LatinHitWithItsListingAndStatuses) {
  TempDir dir;
  std::string bytes(0x2100, '\xFF');
  bytes.replace(0x1A2F, 3, "\x33\x27\x24");
  const std::string rom = dir.write("game.nes", bytes);
  const std::string match = "1 THE found @ 01A2F = 3'$ = 33_27_24";

  SearchRun upper = Search(dir, rom, WordSettings("The"));
  EXPECT_EQ(upper.output, Head() + match + "\r\n" + Latin(0x20, 'A') + kRule);
  EXPECT_EQ(upper.host.statuses,
            (std::vector<std::string>{"Searching...", "Searching 800: ", "Searching 1000: ",
                                      "Searching 1800: ", "Searching 1A2F: " + match,
                                      "Searching 2000: " + match, "Search Done: " + match}));
  EXPECT_EQ(upper.host.yields, 4);
  EXPECT_EQ(upper.result.outcome, Outcome::Done);
  EXPECT_EQ(upper.result.written, std::vector<std::string>{dir.file("game Output.txt")});

  SearchRun lower = Search(dir, rom, WordSettings("the"));
  EXPECT_EQ(lower.output, Head() + match + "\r\n" + Latin(0x20, 'a') + kRule);
}

TEST(RelativeSearch, HeaderNumberingAndTheBaseRange) {
  TempDir dir;
  std::string bytes(0x60, '\0');
  bytes.replace(0x00, 3, "THE");                      // inside the header: never seen
  bytes.replace(0x10, 3, Bytes({0x12, 0x06, 0x03}));  // base -0E: counted only
  bytes.replace(0x20, 3, "THE");
  bytes.replace(0x30, 3, Bytes({0x13, 0x07, 0x04}));  // base 00: the lowest listed
  bytes.replace(0x40, 3, Bytes({0xF9, 0xED, 0xEA}));  // base E6: the highest listed
  bytes.replace(0x50, 3, Bytes({0xFA, 0xEE, 0xEB}));  // base E7: counted only
  const std::string rom = dir.write("h.nes", bytes);
  SearchRun run = Search(dir, rom, WordSettings("THE", true));
  EXPECT_EQ(run.output,
            Head() + "2 THE found @ 00020 = THE = 54_48_45\r\n" + Latin(0x41, 'A') + kRule +
                "3 THE found @ 00030 = \x13\x07\x04 = 13_07_04\r\n" + Latin(0x00, 'A') + kRule +
                "4 THE found @ 00040 = \xF9\xED\xEA = F9_ED_EA\r\n" + Latin(0xE6, 'A') + kRule);
  EXPECT_EQ(run.host.lastStatus(), "Search Done: 5 THE found @ 00050 = \xFA\xEE\xEB = FA_EE_EB");
}

TEST(RelativeSearch, StartsAtTheRoundedBlockAndNeverWraps) {
  TempDir dir;
  std::string bytes(0x6100, '\0');
  bytes.replace(0x5FFF, 2, Bytes({0x19, 0x00}));  // before block 1.5
  bytes.replace(0x6010, 2, Bytes({0x00, 0xE7}));  // 0 - 25 only modulo 256
  bytes.replace(0x6020, 2, Bytes({0x19, 0x00}));
  const std::string rom = dir.write("z.bin", bytes);
  SearchRun run = Search(dir, rom, WordSettings("ZA", false, 1.5));
  EXPECT_EQ(run.output, Head() + "1 ZA found @ 06020 = " + Bytes({0x19, 0}) + " = 19_00\r\n" +
                            Latin(0, 'A') + kRule);
}

std::string KanaListing(int base, const std::vector<std::string>& names, std::string_view kana) {
  const std::size_t width = kana.size() / 46;
  std::string text;
  for (int k = 0; k < 46; ++k) text += HexByte(base + k) + "=" + names[k] + "\r\n";
  text += "\r\n";
  for (int k = 0; k < 46; ++k) {
    text += HexByte(base + k) + "=" + std::string(kana.substr(k * width, width)) + "\r\n";
  }
  return text;
}

std::vector<std::string> Names(std::string_view spaced) {
  std::vector<std::string> names;
  std::size_t from = 0;
  while (from < spaced.size()) {
    const std::size_t end = spaced.find(' ', from);
    names.emplace_back(spaced.substr(from, end - from));
    from = end == std::string_view::npos ? spaced.size() : end + 1;
  }
  return names;
}

TEST(RelativeSearch, KanaListingsInTheFormTheWordAsksFor) {
  const auto stored = Names(
      "A I U E O Ka Ki Ku Ke Ko Sa Shi Su Se So Ta Chi Tsu Te To Na Ni Nu Ne No Ha Hi Fu He Ho Ma "
      "Mi Mu Me Mo Ya Yu Yo Ra Ri Ru Re Ro Wa Wo Nn");
  std::vector<std::string> upper;
  std::vector<std::string> lower;
  for (const auto& n : stored) {
    upper.push_back(UpperCase(n));
    lower.push_back(LowerCase(n));
  }
  const std::string katakana =
      "アイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホマミムメモヤユヨラリルレロワヲ"
      "ン";
  const std::string hiragana =
      "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわを"
      "ん";
  std::string sjis;
  for (int c : {0xA0, 0xA2, 0xA4, 0xA6, 0xA8, 0xA9, 0xAB, 0xAD, 0xAF, 0xB1, 0xB3, 0xB5,
                0xB7, 0xB9, 0xBB, 0xBD, 0xBF, 0xC2, 0xC4, 0xC6, 0xC8, 0xC9, 0xCA, 0xCB,
                0xCC, 0xCD, 0xD0, 0xD3, 0xD6, 0xD9, 0xDC, 0xDD, 0xDE, 0xDF, 0xE0, 0xE2,
                0xE4, 0xE6, 0xE7, 0xE8, 0xE9, 0xEA, 0xEB, 0xED, 0xF0, 0xF1}) {
    sjis += Bytes({0x82, c});
  }
  TempDir dir;
  // no ma ki mo no = 24 30 6 34 24, with あ at 10 hex; then あ at D3 hex, out of range.
  const std::string hit = Bytes({0x28, 0x2E, 0x16, 0x32, 0x28});
  std::string bytes(0x100, '\xFF');
  bytes.replace(5, 5, hit);
  bytes.replace(0x40, 5, Bytes({0xEB, 0xF1, 0xD9, 0xF5, 0xEB}));
  const std::string rom = dir.write("k.fds", bytes);
  struct Form {
    const char* typed;
    const char* word;
    const std::vector<std::string>& names;
    const std::string& kana;
  };
  for (const Form& f : {Form{"jNOMAKIMONO", "jNOMAKIMONO", upper, katakana},
                        Form{"jnomakimono", "jNOMAKIMONO", lower, hiragana},
                        Form{"jsnoMakIMOno", "jsNOMAKIMONO", stored, sjis}}) {
    SCOPED_TRACE(f.typed);
    SearchRun run = Search(dir, rom, WordSettings(f.typed));
    EXPECT_EQ(run.output, Head() + "1 " + f.word + " found @ 00005 = " + hit +
                              " = 28_2E_16_32_28\r\n" + KanaListing(0x10, f.names, f.kana) + kRule);
    EXPECT_EQ(run.host.lastStatus(), std::string("Search Done: 2 ") + f.word +
                                         " found @ 00040 = \xEB\xF1\xD9\xF5\xEB = EB_F1_D9_F5_EB");
  }
}

TEST(RelativeSearch, FileEndsBeforeTheFirstWindow) {
  TempDir dir;
  SearchRun exact =
      Search(dir, dir.write("a.nes", std::string(18, 'x')), WordSettings("THE", true));
  EXPECT_EQ(exact.output, Head());
  EXPECT_EQ(exact.host.lastStatus(), "Search Done: THE not found.");

  SearchRun shorter =
      Search(dir, dir.write("b.nes", std::string(17, 'x')), WordSettings("THE", true));
  EXPECT_EQ(shorter.result.outcome, Outcome::Failed);
  EXPECT_EQ(shorter.output, Head());
  EXPECT_EQ(shorter.host.lastStatus(), "Search Error");
  EXPECT_EQ(shorter.host.errors,
            std::vector<std::string>{
                ErrorBoxText(62, "Search File - Searching", dir.file("b Output.txt")) + "\r\n\r\n" +
                dir.file("b.nes") +
                " holds 17 bytes: too few to search from file offset 10h for 3 letters."});
  EXPECT_EQ(shorter.result.written,
            std::vector<std::string>{dir.file("b Output (incomplete).txt")});
}

TEST(RelativeSearch, CancelStopsAtAStep) {
  TempDir dir;
  const std::string rom = dir.write("c.nes", std::string(0x3000, '\0'));
  SearchRun run = Search(dir, rom, WordSettings("THE"), 1);
  EXPECT_EQ(run.output, Head() + "CANCELED at 800\r\n");
  EXPECT_EQ(run.host.lastStatus(), "Search Canceled at 800");
  EXPECT_EQ(run.result.outcome, Outcome::Cancelled);

  SearchRun first = Search(dir, rom, WordSettings("THE", true), 0);
  EXPECT_EQ(first.output, Head() + "CANCELED at 10\r\n");
}

TEST(RelativeSearch, RefusedWordsCancelledDialogAndMissingFile) {
  TempDir dir;
  ScriptedHost bad;
  EXPECT_EQ(SearchJob(WordSettings("jump"), bad).outcome, Outcome::Warned);
  EXPECT_TRUE(bad.asked.empty());
  EXPECT_EQ(bad.lastStatus(), "Search Minor Error");
  ASSERT_EQ(bad.warnings.size(), 1u);
  EXPECT_EQ(bad.warnings[0].first, "Japanese Error");
  EXPECT_EQ(bad.warnings[0].second, "MP is not a japanese character.");
  EXPECT_FALSE(bad.busy);

  ScriptedHost cancel;
  EXPECT_EQ(SearchJob(WordSettings("THE"), cancel).outcome, Outcome::Cancelled);
  EXPECT_EQ(cancel.statuses, std::vector<std::string>{"Search Canceled"});
  EXPECT_TRUE(cancel.errors.empty());
  EXPECT_FALSE(cancel.busy);

  ScriptedHost missing;
  missing.answer(Dialog::OpenNES, dir.file("none.nes"));
  EXPECT_EQ(SearchJob(WordSettings("THE"), missing).outcome, Outcome::Failed);
  EXPECT_EQ(missing.errors,
            std::vector<std::string>{
                ErrorBoxText(53, "Search File - Selecting File", dir.file("none.nes")) +
                "\r\n\r\nThe file does not exist."});
  EXPECT_FALSE(dir.exists("none Output.txt"));
}

TEST(RelativeSearch, ReportNeverReplacesTheRom) {
  TempDir dir;
  const std::string rom = dir.write("game.nes", "xxTHE");
  ASSERT_EQ(symlink(rom.c_str(), dir.file("game Output.txt").c_str()), 0);
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom);
  EXPECT_EQ(SearchJob(WordSettings("THE"), host).outcome, Outcome::Warned);
  EXPECT_EQ(host.lastStatus(), "Search Minor Error");
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_EQ(host.warnings[0].first, "Output File Error");
  EXPECT_NE(host.warnings[0].second.find(dir.file("game Output.txt")), std::string::npos);
  EXPECT_EQ(Slurp(rom), "xxTHE");
}

}  // namespace
}  // namespace morvane
