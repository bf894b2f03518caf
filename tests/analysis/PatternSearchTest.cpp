#include <gtest/gtest.h>

#include <map>
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

using Options = std::vector<std::pair<std::string, std::string>>;

// The characters of a UTF-8 text, one string each.
std::vector<std::string> Chars(std::string_view text) {
  std::vector<std::string> chars;
  for (std::size_t i = 0; i < text.size();) {
    std::size_t n = 1;
    while (i + n < text.size() && (static_cast<unsigned char>(text[i + n]) & 0xC0) == 0x80) ++n;
    chars.emplace_back(text.substr(i, n));
    i += n;
  }
  return chars;
}

const std::string kUpper = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
const std::string kLower = "abcdefghijklmnopqrstuvwxyz";
const std::string kGojuon =
    "あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよらりるれろわをん";
const std::string kIroha =
    "イロハニホヘトチリヌルヲワカヨタレソツネナラムウヰノオクヤマケフコエテアサキユメミシヱヒモセス"
    "ン";
const std::string kFont = "0123456789 ABCDEFGHIJKLMNOPQRSTUVWXYZ!?";

// The codes of text's characters in an order that starts at base; a "*" is a
// code the order does not explain (FE hex, or FFFE in 16 bits).
std::vector<int> Encode(std::string_view text, std::string_view order, int base, int wild = 0xFE) {
  const auto chars = Chars(order);
  std::vector<int> codes;
  for (const std::string& c : Chars(text)) {
    const auto at = std::find(chars.begin(), chars.end(), c);
    codes.push_back(c == "*" ? wild : base + static_cast<int>(at - chars.begin()));
  }
  return codes;
}

std::string Bytes(const std::vector<int>& codes, int width, bool big) {
  std::string bytes;
  for (int c : codes) {
    if (width == 1) {
      bytes.push_back(static_cast<char>(c));
    } else if (big) {
      bytes += {static_cast<char>(c >> 8), static_cast<char>(c)};
    } else {
      bytes += {static_cast<char>(c), static_cast<char>(c >> 8)};
    }
  }
  return bytes;
}

std::string RandomBytes(std::size_t size, unsigned seed) {
  std::mt19937 rng(seed);
  std::string bytes(size, '\0');
  for (char& c : bytes) c = static_cast<char>(rng());
  return bytes;
}

struct Searched {
  JobResult result;
  ScriptedHost host;
  std::string report;
};

Searched Search(const std::string& rom, const std::string& word, const Options& options) {
  Settings s;
  s.searchText = word;
  s.header = false;
  for (const auto& [name, value] : options) s.options.add(name, value);
  Searched run;
  run.host.answer(Dialog::OpenNES, rom);
  run.result = SearchJob(s, run.host);
  run.report = Slurp(StripExtension(rom) + " Output.txt");
  return run;
}

// The file offsets of the report's hits, and the relation line after each.
std::vector<std::pair<std::size_t, std::string>> Hits(const std::string& report) {
  std::vector<std::pair<std::size_t, std::string>> hits;
  for (std::size_t at = report.find(" found @ "); at != std::string::npos;
       at = report.find(" found @ ", at + 1)) {
    const std::size_t line = report.find("\r\nRelation: ", at);
    const std::size_t end = report.find("\r\n", line + 2);
    hits.emplace_back(std::stoul(report.substr(at + 9, 5), nullptr, 16),
                      report.substr(line + 12, end - line - 12));
  }
  return hits;
}

// A draft table as byte strings (hex as written) to text.
std::map<std::string, std::string> ReadDraft(const std::string& path) {
  std::map<std::string, std::string> table;
  const std::string text = Slurp(path);
  for (std::size_t from = 0; from < text.size();) {
    const std::size_t end = text.find("\r\n", from);
    const std::string line = text.substr(from, end - from);
    const std::size_t eq = line.find('=');
    table[line.substr(0, eq)] = line.substr(eq + 1);
    from = end + 2;
  }
  return table;
}

struct Plant {
  std::size_t offset;
  int base;
  int base2 = 0;  // the lower-case range with --mixed-case
};

struct Case {
  const char* label;
  Options options;
  std::string word;
  std::string text;   // the hidden characters, "*" where the game's code is unknown
  std::string order;  // of the codes; for --mixed-case the upper case
  int width;
  bool big;
  std::vector<Plant> plants;  // the first two share a relation, the third has its own
  std::vector<std::string> relations;
};

std::vector<int> PlantCodes(const Case& c, const Plant& p) {
  if (c.options.front().first == "values") {
    std::vector<int> codes;
    std::size_t from = 0;
    for (std::size_t comma; from <= c.word.size(); from = comma + 1) {
      comma = c.word.find(',', from);
      if (comma == std::string::npos) comma = c.word.size();
      const std::string n = c.word.substr(from, comma - from);
      codes.push_back(n == "*" ? 0x77 : p.base + std::stoi(n));
    }
    return codes;
  }
  if (p.base2 == 0) return Encode(c.text, c.order, p.base, c.width == 2 ? 0xFFFE : 0xFE);
  std::vector<int> codes;
  for (const std::string& ch : Chars(c.text)) {
    const bool lower = ch[0] >= 'a' && ch[0] <= 'z';
    codes.push_back(lower ? p.base2 + ch[0] - 'a' : p.base + ch[0] - 'A');
  }
  return codes;
}

// Every hit at exactly its offset among random bytes, the hits of one
// relation sharing its draft, and each draft reading the hidden text back.
TEST(PatternSearch, FindsHiddenTextInEveryEncoding) {
  const std::vector<Case> cases = {
      {"wildcard",
       {{"wildcard", ""}},
       "SA*PLE",
       "SA*PLE",
       kUpper,
       1,
       false,
       {{0x100, 0x20}, {0x2345, 0x20}, {0x3001, 0x80}},
       {"20=A", "80=A"}},
      {"16-bit little endian",
       {{"width", "16"}},
       "Hello",
       "HELLO",
       kUpper,
       2,
       false,
       {{0x211, 0x0120}, {0x3000, 0x0120}, {0x3800, 0x9041}},
       {"2001=A", "4190=A"}},
      {"16-bit big endian",
       {{"width", "16"}, {"endian", "big"}, {"wildcard", ""}},
       "W*RLD",
       "W*RLD",
       kUpper,
       2,
       true,
       {{0x401, 0x8260}, {0x1402, 0x8260}, {0x2403, 0x0041}},
       {"8260=A", "0041=A"}},
      {"mixed case, lower case first",
       {{"mixed-case", ""}},
       "Hello World",
       "HelloWorld",
       kUpper,
       1,
       false,
       {{0x0777, 0x80, 0x10}, {0x1777, 0x80, 0x10}, {0x2777, 0x41, 0x61}},
       {"80=A, 10=a (gap 86)", "41=A, 61=a (gap 6)"}},
      {"custom order",
       {{"order", "FONT"}},
       "HI 42!?",
       "HI 42!?",
       kFont,
       1,
       false,
       {{0x0500, 0x00}, {0x0600, 0x00}, {0x0700, 0xC0}},
       {"00=0", "C0=0"}},
      {"hiragana gojuon",
       {{"order", "hiragana-gojuon"}},
       "ねこやしき",
       "ねこやしき",
       kGojuon,
       1,
       false,
       {{0x0040, 0x90}, {0x0C40, 0x90}, {0x1C40, 0x01}},
       {"90=\xE3\x81\x82", "01=\xE3\x81\x82"}},
      {"katakana iroha in 16 bits",
       {{"order", "katakana-iroha"}, {"width", "16"}},
       "ヤマノウエ",
       "ヤマノウエ",
       kIroha,
       2,
       false,
       {{0x0041, 0x0300}, {0x0941, 0x0300}, {0x1941, 0x1000}},
       {"0003=\xE3\x82\xA4", "0010=\xE3\x82\xA4"}},
      {"numbers",
       {{"values", "120,150,200,250"}},
       "120,150,200,250",
       "",
       "",
       1,
       false,
       {{0x0123, 0}, {0x0923, 0}, {0x1923, -100}},
       {"stored = number + 0", "stored = number - 100"}},
      {"16-bit numbers, one unknown",
       {{"values", "1000,*,2200,3000"}, {"width", "16"}, {"endian", "big"}, {"wildcard", ""}},
       "1000,*,2200,3000",
       "",
       "",
       2,
       true,
       {{0x0333, 0}, {0x0933, 0}, {0x1933, 5000}},
       {"stored = number + 0", "stored = number + 5000"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    TempDir dir;
    Options options = c.options;
    if (c.order == kFont) {
      std::string lines;
      for (const std::string& ch : Chars(kFont)) lines += ch + "\r\n";
      options.front().second = dir.write("font.txt", lines);
    }
    std::string bytes = RandomBytes(0x4000, 5);
    for (const Plant& p : c.plants) {
      const std::string planted = Bytes(PlantCodes(c, p), c.width, c.big);
      bytes.replace(p.offset, planted.size(), planted);
    }
    const std::string rom = dir.write("game.nes", bytes);
    Searched run = Search(rom, c.word, options);
    ASSERT_EQ(run.result.outcome, Outcome::Done) << run.host.lastStatus();
    const auto hits = Hits(run.report);
    ASSERT_EQ(hits.size(), 3u) << run.report;
    const bool numbers = c.options.front().first == "values";
    for (std::size_t h = 0; h < 3; ++h) {
      const std::size_t draft = h < 2 ? 1 : 2;
      EXPECT_EQ(hits[h].first, c.plants[h].offset);
      const std::string name = "game Search " + std::to_string(draft) + ".tbl";
      EXPECT_EQ(hits[h].second, c.relations[draft - 1] + (numbers ? "" : "; draft: " + name));
      if (numbers) continue;
      const auto table = ReadDraft(dir.file(name));
      const auto codes = PlantCodes(c, c.plants[h]);
      const auto chars = Chars(c.text);
      for (std::size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] == "*") continue;
        const std::string key = c.width == 1 ? HexByte(codes[i])
                                : c.big      ? HexWord(codes[i])
                                             : HexByte(codes[i] & 0xFF) + HexByte(codes[i] >> 8);
        EXPECT_EQ(table.at(key), chars[i]) << key;
      }
    }
    std::vector<std::string> wrote{dir.file("game Output.txt")};
    if (!numbers) {
      wrote.push_back(dir.file("game Search 1.tbl"));
      wrote.push_back(dir.file("game Search 2.tbl"));
    }
    EXPECT_EQ(run.result.written, wrote);
    EXPECT_FALSE(dir.exists("game Search 3.tbl"));
  }
}

// Words of four or more characters that fix the relation find nothing in
// 1 MiB of random bytes: no test of the pattern is skipped. (Three distances
// between 8-bit codes still meet one chance hit in about 16 MiB.)
TEST(PatternSearch, NoFalseHitInRandomBytes) {
  TempDir dir;
  const std::string rom = dir.write("noise.bin", RandomBytes(1 << 20, 29));
  const std::vector<std::pair<std::string, Options>> words = {
      {"SA*PLE", {{"wildcard", ""}}},
      {"THEN", {{"width", "8"}, {"wildcard", ""}}},
      {"EXIT", {{"width", "16"}}},
      {"EXIT", {{"width", "16"}, {"endian", "big"}}},
      {"Sample", {{"mixed-case", ""}}},
      {"ねこやま", {{"order", "hiragana-gojuon"}}},
      {"イロハニ", {{"order", "katakana-iroha"}, {"width", "16"}}},
      {"jneko*tama", {{"wildcard", ""}}},
      {"10,20,40,80", {{"values", "10,20,40,80"}}},
      {"*", {{"values", "500,*,900,1200,2000"}, {"width", "16"}, {"wildcard", ""}}},
  };
  for (const auto& [word, options] : words) {
    SCOPED_TRACE(word);
    Searched run = Search(rom, word, options);
    EXPECT_EQ(run.result.outcome, Outcome::Done);
    EXPECT_EQ(run.report, BannerText() + "--------------------\r\nRelations found: 0\r\n");
    EXPECT_EQ(run.result.written.size(), 1u);
  }
}

TEST(PatternSearch, ReportOfHitsAndTheirDrafts) {
  TempDir dir;
  std::string bytes(0x30, '\xFF');
  bytes.replace(0x03, 4, "\x10\x82\x81\x82");  // Abab, with A at 10 and a at 81
  bytes.replace(0x13, 4, "\x10\x82\x81\x82");
  bytes.replace(0x23, 4, "\x01\x1C\x1B\x1C");  // A at 01, a at 1B: no gap
  const std::string rom = dir.write("m.nes", bytes);
  Searched run = Search(rom, "A-bab", {{"mixed-case", ""}});
  const std::string rule = "--------------------\r\n";
  EXPECT_EQ(run.report, BannerText() + rule +
                            "1 Abab found @ 00003 = \x10\x82\x81\x82 = 10_82_81_82\r\n" +
                            "Relation: 10=A, 81=a (gap 87); draft: m Search 1.tbl\r\n" + rule +
                            "2 Abab found @ 00013 = \x10\x82\x81\x82 = 10_82_81_82\r\n" +
                            "Relation: 10=A, 81=a (gap 87); draft: m Search 1.tbl\r\n" + rule +
                            "3 Abab found @ 00023 = \x01\x1C\x1B\x1C = 01_1C_1B_1C\r\n" +
                            "Relation: 01=A, 1B=a (gap 0); draft: m Search 2.tbl\r\n" + rule +
                            "Relations found: 2\r\n" +
                            "10=A, 81=a (gap 87); draft: m Search 1.tbl; hits 1 2\r\n" +
                            "01=A, 1B=a (gap 0); draft: m Search 2.tbl; hit 3\r\n");
  std::string draft;
  for (int k = 0; k < 26; ++k) draft += HexByte(0x10 + k) + "=" + char('A' + k) + "\r\n";
  for (int k = 0; k < 26; ++k) draft += HexByte(0x81 + k) + "=" + char('a' + k) + "\r\n";
  EXPECT_EQ(Slurp(dir.file("m Search 1.tbl")), draft);

  // Cancelled before the first window: the summary, then where the scan stopped.
  ScriptedHost cancel;
  cancel.answer(Dialog::OpenNES, rom);
  cancel.cancelAfterYields(0);
  Settings s;
  s.searchText = "Abab";
  s.options.add("mixed-case", "");
  EXPECT_EQ(SearchJob(s, cancel).outcome, Outcome::Cancelled);
  EXPECT_EQ(Slurp(dir.file("m Output.txt")),
            BannerText() + rule + "Relations found: 0\r\nCANCELED at 10\r\n");
  EXPECT_EQ(run.host.lastStatus(),
            "Search Done: 3 Abab found @ 00023 = \x01\x1C\x1B\x1C = 01_1C_1B_1C");
}

TEST(PatternSearch, RefusesWhatCannotBeSearched) {
  TempDir dir;
  const std::string rom = dir.write("r.nes", "xxxxxxxx");
  const std::string order = dir.write("o.txt", "A\r\nB\r\n");
  const std::string length = "String Length Error";
  const std::string options = "Search Options Error";
  struct Refusal {
    std::string word;
    Options options;
    std::string title, message;
  };
  const std::vector<Refusal> refusals = {
      {"S*",
       {{"wildcard", ""}},
       length,
       "Search string S* fixes no relation.\r\nPick at least two characters besides *."},
      {"Ab",
       {{"mixed-case", ""}},
       length,
       "Search string Ab fixes no relation.\r\nPick at least two characters besides *, two of "
       "them of one case."},
      {"",
       {{"values", "7"}},
       length,
       "Search string of 1 characters is a bad length.\r\nPick one that is between 2 and 16 "
       "characters."},
      {"", {{"values", "1,*,3"}}, options, "* in --values needs --wildcard."},
      {"",
       {{"values", "1,300"}},
       options,
       "The numbers 1,300 lie 299 apart, too far for 8-bit values."},
      {"", {{"values", "1,70000"}, {"width", "16"}}, options, "70000 does not fit 16 bits."},
      {"THE", {{"endian", "big"}}, options, "--endian needs --width 16."},
      {"THE",
       {{"mixed-case", ""}, {"order", order}},
       options,
       "--mixed-case and --order can't go together."},
      {"ABC", {{"order", order}}, "Order Error", "C is not in the order " + order + "."},
      {"AB",
       {{"order", dir.write("e.txt", "\r\n\r\n")}},
       "Order Error",
       "The order names no character."},
      {"jneko*x", {{"wildcard", ""}}, "Japanese Error", "X is not a japanese character."},
  };
  for (const Refusal& r : refusals) {
    SCOPED_TRACE(r.message);
    Searched run = Search(rom, r.word, r.options);
    EXPECT_EQ(run.result.outcome, Outcome::Warned);
    ASSERT_EQ(run.host.warnings.size(), 1u);
    EXPECT_EQ(run.host.warnings[0].first, r.title);
    EXPECT_EQ(run.host.warnings[0].second.substr(0, r.message.size()), r.message);
    EXPECT_TRUE(run.host.asked.empty());
  }
  ScriptedHost missing;
  Settings s;
  s.options.add("order", dir.file("none.txt"));
  EXPECT_EQ(SearchJob(s, missing).outcome, Outcome::Failed);
  EXPECT_EQ(missing.errors, std::vector<std::string>{ErrorBoxText(53, "Search File - Reading Order",
                                                                  dir.file("none.txt")) +
                                                     "\r\n\r\nThe file does not exist."});
}

}  // namespace
}  // namespace morvane
