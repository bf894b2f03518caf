#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "script/ScriptHeader.h"
#include "shell/JobError.h"

namespace morvane {
namespace {

// A script whose header lines 2 onwards are given; line 1 is a title.
TextLines Script(std::initializer_list<std::string_view> lines) {
  std::string text = "game Text\r\n";
  for (auto line : lines) text += std::string(line) + "\r\n";
  return TextLines(text);
}

// The message a header refuses with, or "" when it is accepted.
std::string Refusal(std::initializer_list<std::string_view> lines) {
  TextLines file = Script(lines);
  try {
    ReadScriptHeader(file);
  } catch (const JobError& e) {
    EXPECT_EQ(e.kind(), JobError::Kind::Minor);
    EXPECT_EQ(e.title(), "Error during Insert");
    return e.message();
  }
  return "";
}

int RunTimeError(std::initializer_list<std::string_view> lines) {
  TextLines file = Script(lines);
  try {
    ReadScriptHeader(file);
  } catch (const JobError& e) {
    EXPECT_EQ(e.kind(), JobError::Kind::Run);
    return e.number();
  }
  return 0;
}

constexpr std::string_view kPhrases = "Phrases\t0\t20";
constexpr std::string_view kChars = "Chars\t1B\t3\t";
constexpr std::string_view kNone = "Ptrs\tNONE\t[NONE+1]\t-7FF0\t2";
constexpr std::string_view kOneBlock = "Blocks\t1\t";
constexpr std::string_view kBlock = "Text\t8000\t80FF";

TEST(ScriptHeader, EveryRefusalHasItsExactMessage) {
  struct Case {
    std::vector<std::string> lines;
    std::string message;
  };
  const std::string p(kPhrases), c(kChars), n(kNone), b(kOneBlock), t(kBlock);
  const std::vector<Case> cases = {
      {{"Phrases\t-8000\t20", c, n, b, t},
       "Line 2 - Phrases: First Phrase # FFFF8000 must be between -7FFF and 7FFF."},
      {{"Phrases\t\t20", c, n, b, t},
       "Line 2 - Phrases: First Phrase # FFFFFFFF must be between -7FFF and 7FFF."},
      {{"Phrases\t0\t8000", c, n, b, t},
       "Line 2 - Phrases: Last Phrase # 8000 must be between -7FFF and 7FFF."},
      {{"Phrases\t0", c, n, b, t},
       "Line 2 - Phrases: Last Phrase # FFFFFFFF must be between -7FFF and 7FFF."},
      {{"Phrases\t21\t20", c, n, b, t},
       "Line 2 - Phrases: First Phrase # 21 is greater than Last Phrase # 20."},
      {{"Phrases\t-1\t-2", c, n, b, t},
       "Line 2 - Phrases: First Phrase # FFFF is greater than Last Phrase # FFFE."},
      {{p, "Chars\t0\t3", n, b, t}, "Line 3 - Chars: Max columns 0 must be between 1 and 7FFF."},
      {{p, "Chars\t8000\t3", n, b, t},
       "Line 3 - Chars: Max columns 8000 must be between 1 and 7FFF."},
      {{p, "Chars\t20\t8000", n, b, t},
       "Line 3 - Chars: Max rows 8000 must be between 1 and 7FFF."},
      {{p, "Chars\t20", n, b, t}, "Line 3 - Chars: Max rows FFFFFFFF must be between 1 and 7FFF."},
      {{p, "Chars\t1B\t3\tv", n, b, t},
       "Line 3 - Chars: The third tab should be V for a VWF or blank for a mono-spaced font."},
      {{p, c, "Ptrs\tA010\tA07C\t-7FF0", b, t},
       "Line 4 - Ptrs: Must have four numbers or NONE on this line."},
      {{p, c, "Ptrs\tnone\tA07C\t-7FF0\t1", b, t}, "Line 4 - Ptrs: none & A07C must positive."},
      {{p, c, "Ptrs\tA010\t-A07C\t-7FF0\t1", b, t}, "Line 4 - Ptrs: A010 & -A07C must positive."},
      {{p, c, n, "Blocks\t0", t}, "Line 5 - Blocks: 0 must be 1 or more."},
      {{p, c, n, "Blocks", t}, "Line 5 - Blocks:  must be 1 or more."},
      {{p, c, n, b, "Text\t8100\t80FF"},
       "Line 6 - Text: 80FF must be > 8100 and both must be positive."},
      {{p, c, n, b, "Text\t-8000\t80FF"},
       "Line 6 - Text: 80FF must be > -8000 and both must be positive."},
      {{p, c, n, "Blocks\t2", t, "Text\t9000"},
       "Line 7 - Text: (empty) must be > 9000 and both must be positive."},
      {{p, c, n, b, "Text\t8000\t80FF\t0\t21"}, "Line 6 - Text: 21 must be <= 20 and >= -32768."},
      {{"Phrases\t-7000\t-5", c, n, b, "Text\t8000\t80FF\t0\t-4"},
       "Line 6 - Text: -4 must be <= -5 and >= -32768."},
  };
  for (const Case& k : cases) {
    std::string text = "title\r\n";
    for (const auto& line : k.lines) text += line + "\r\n";
    TextLines file(text);
    try {
      ReadScriptHeader(file);
      ADD_FAILURE() << "accepted: " << k.message;
    } catch (const JobError& e) {
      EXPECT_EQ(e.kind(), JobError::Kind::Minor) << k.message;
      EXPECT_EQ(e.title(), "Error during Insert");
      EXPECT_EQ(e.message(), k.message);
    }
  }
}

TEST(ScriptHeader, ReadsTheValuesOfEachLine) {
  TextLines file =
      Script({"Phrases\t0\t50", "Chars\t1B\t3\tV", "Ptrs\tA010\tA07C\t-7FF0\t1", "Blocks\t2\tFF",
              "Text\tF261\tFECF\t10010\t4D", "Text\tc000\tc000\t\t\t-4000", "0:not read yet"});
  const ScriptHeader h = ReadScriptHeader(file);
  EXPECT_EQ(h.firstPhrase, 0);
  EXPECT_EQ(h.lastPhrase, 0x50);
  EXPECT_EQ(h.maxWidth, 0xD8);
  EXPECT_EQ(h.maxRows, 3);
  EXPECT_TRUE(h.vwf);
  EXPECT_EQ(h.pointerMode, PointerMode::Table);
  EXPECT_EQ(h.ptrLowFileOffset, 0x2020);
  EXPECT_EQ(h.ptrHighFileOffset, 0x208C);
  EXPECT_EQ(h.ptrStep, 1);
  EXPECT_EQ(h.blockCount, 2);
  EXPECT_TRUE(h.fill);
  EXPECT_EQ(h.fillByte, 0xFF);
  const ScriptBlock& b0 = h.blocks[0];
  EXPECT_EQ(b0.fileStart(), 0x1F271);
  EXPECT_EQ(b0.fileEnd() - 1, 0x1FEDF);
  EXPECT_EQ(b0.size(), 3183);
  EXPECT_EQ(b0.lastPhrase, 0x4D);
  EXPECT_EQ(b0.pointerAdjust, 0);
  const ScriptBlock& b1 = h.blocks[1];  // a one-byte block with the defaults
  EXPECT_EQ(b1.size(), 1);
  EXPECT_EQ(b1.offset, 0);
  EXPECT_EQ(b1.lastPhrase, 0x50);
  EXPECT_EQ(b1.pointerAdjust, -0x4000);
  std::string next;
  ASSERT_TRUE(file.next(next));
  EXPECT_EQ(next, "0:not read yet");  // reading stops after the last block line
}

TEST(ScriptHeader, PointerKeywordsIgnoreTheRestOfTheLine) {
  TextLines none = Script({kPhrases, kChars, kNone, "Blocks\t1", kBlock});
  const ScriptHeader h = ReadScriptHeader(none);
  EXPECT_EQ(h.pointerMode, PointerMode::None);
  EXPECT_FALSE(h.fill);
  EXPECT_FALSE(h.vwf);
  EXPECT_EQ(h.maxWidth, 0x1B);
  TextLines length = Script({"Phrases\tzz\t5", kChars, "Ptrs\tLENGTH\tjunk", kOneBlock, kBlock});
  const ScriptHeader l = ReadScriptHeader(length);
  EXPECT_EQ(l.pointerMode, PointerMode::Length);
  EXPECT_EQ(l.firstPhrase, -1);  // not hexadecimal: taken as -1
}

// What the text dump writes, insertion reads back once the user moves the
// six header lines to the top: each value, a negative offset too.
TEST(ScriptHeader, ReadsWhatTheDumpWrites) {
  struct Case {
    std::int64_t first, last, chars, lines, origin;
  };
  for (const Case c : {Case{0, 0x50, 0x1B, 3, -0x7FF0}, Case{1, 2, 1, 1, 0x10},
                       Case{0x10, 0x7FFF, 0x7FFF, 0x7FFF, 0}}) {
    const std::string text =
        ScriptHeaderText({"Game", c.first, c.last, c.chars, c.lines, c.origin, "8010", "bfff"});
    const std::size_t title = text.find("Game Text\r\n");
    ASSERT_NE(title, std::string::npos);
    EXPECT_TRUE(text.ends_with("\r\n;--------------------\r\n\r\n"));
    TextLines file(text.substr(title));
    const ScriptHeader h = ReadScriptHeader(file);
    EXPECT_EQ(h.firstPhrase, c.first);
    EXPECT_EQ(h.lastPhrase, c.last);
    EXPECT_EQ(h.maxWidth, c.chars);
    EXPECT_EQ(h.maxRows, c.lines);
    EXPECT_EQ(h.pointerMode, PointerMode::None);
    EXPECT_EQ(h.blockCount, 1);
    EXPECT_EQ(h.blocks[0].fileStart(), 0x8010 - c.origin);
    EXPECT_EQ(h.blocks[0].fileEnd(), 0xC000 - c.origin);
    std::string next;
    ASSERT_TRUE(file.next(next));
    EXPECT_EQ(next, ";--------------------");
  }
}

TEST(ScriptHeader, BrokenWidthsAreRunTimeErrors) {
  EXPECT_EQ(RunTimeError({kPhrases, kChars, kNone}), kErrPastEnd);
  EXPECT_EQ(RunTimeError({kPhrases, kChars, kNone, "Blocks\t2", kBlock}), kErrPastEnd);
  EXPECT_EQ(RunTimeError({kPhrases, kChars, kNone, "Blocks\t1\t100", kBlock}), kErrOverflow);
  EXPECT_EQ(RunTimeError({kPhrases, "Chars\t1000\t3\tV", kNone, kOneBlock, kBlock}), kErrOverflow);
  EXPECT_EQ(Refusal({kPhrases, "Chars\tFFF\t3\tV", kNone, kOneBlock, kBlock}), "");
  std::string text = "t\r\nPhrases\t0\t20\r\nChars\t1B\t3\r\nPtrs\tNONE\r\nBlocks\t12\r\n";
  for (int k = 0; k < 18; ++k) text += "Text\t8000\t80FF\r\n";
  TextLines eighteen(text);
  try {
    ReadScriptHeader(eighteen);
    ADD_FAILURE() << "18 blocks accepted";
  } catch (const JobError& e) {
    EXPECT_EQ(e.number(), kErrSubscript);
  }
}

}  // namespace
}  // namespace morvane
