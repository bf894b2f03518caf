#include <gtest/gtest.h>

#include "PseudoCodeDump.h"
#include "games/SpeechCode.h"

namespace morvane {
namespace {

const std::string kBlock = CrLf({";----", ";", ";----"});
const std::string kRule = CrLf({";--------------------"});

std::string Speech(const std::string& bytes) {
  return DumpBody(kSpeech, bytes);
}

TEST(SpeechCode, PlainStatementsLeaveAnEmptyLine) {
  EXPECT_EQ(Speech("\x05\x2A"), kBlock + CrLf({"8000:\t\t.byte $05\t;Set Bit $3[12A]",
                                               "\t\t.byte $2A\t;", "", ";--------------------"}));
  EXPECT_EQ(Speech("\x0B\x01\x2F\xC3"),
            kBlock +
                CrLf({"8000:\t\t.byte $0B\t;Clear Bit $3[301]", "\t\t.byte $01\t;", "",
                      "\t\t.byte $2F\t;$C3 = F", "\t\t.byte $C3\t;", ""}) +
                kRule);
}

TEST(SpeechCode, ConditionGuardsTheNextStatementIndented) {
  EXPECT_EQ(Speech("\x11\x07\x06\x12"),
            kBlock +
                CrLf({"8000:\t\t.byte $11\t;If Bit $3[107] Is Set Then", "\t\t.byte $07\t;",
                      "\t\t.byte $06\t;\tSet Bit $3[212]", "\t\t.byte $12\t;", ""}) +
                kRule);
  // Every comparison, one guarding the next.
  EXPECT_EQ(Speech(std::string("\x0E\x10\x3A\x11\x4B\x12\x5C\x13\x6D\x14\x21\x15", 12)),
            kBlock +
                CrLf({"8000:\t\t.byte $0E\t;If Bit $3[210] Is Clear Then", "\t\t.byte $10\t;",
                      "\t\t.byte $3A\t;\tIf $11 = A Then", "\t\t.byte $11\t;",
                      "\t\t.byte $4B\t;\tIf $12 <> B Then", "\t\t.byte $12\t;",
                      "\t\t.byte $5C\t;\tIf $13 > C Then", "\t\t.byte $13\t;",
                      "\t\t.byte $6D\t;\tIf $14 < D Then", "\t\t.byte $14\t;",
                      "\t\t.byte $21\t;\t$15 = 1", "\t\t.byte $15\t;", ""}) +
                kRule);
}

// A run of conditions stops at the range's end, not at the file's: 100 KB of
// them list only the two in range.
TEST(SpeechCode, ARunOfConditionsStopsAtTheEndOfTheRange) {
  std::string bytes;
  for (int i = 0; i < 50000; ++i) bytes += "\x11\x07";
  ScriptedHost host;
  EXPECT_EQ(DumpBody(kSpeech, bytes, &host, 4),
            kBlock +
                CrLf({"8000:\t\t.byte $11\t;If Bit $3[107] Is Set Then", "\t\t.byte $07\t;",
                      "\t\t.byte $11\t;\tIf Bit $3[107] Is Set Then", "\t\t.byte $07\t;", ""}) +
                kRule);
  EXPECT_TRUE(host.errors.empty());
}

TEST(SpeechCode, PrintsAndTheirSpecialCases) {
  EXPECT_EQ(Speech("\x02\x06"),
            kBlock +
                CrLf({"8000:\t\t.byte $02\t;Set Bit $3[006]\t\t\t[Note: Starts with '\\/' so...]",
                      "\t\t.byte $06\t;Print 006 To The Screen Starting At "
                      "4B|4A:PositionToWriteNextCharacter",
                      ""}) +
                kRule);
  EXPECT_EQ(
      Speech("\x03\x07"),
      kBlock +
          CrLf({"8000:\t\t.byte $03\t;Set Bit $3[107]",
                "\t\t\t\t;Clear Speech Text Area = (0 thru 31, 18 thru 25) unless Title Screen",
                "\t\t.byte $07\t;Print 107 To The Screen Starting At 2264", ""}) +
          kRule);
  EXPECT_EQ(Speech(std::string("\x01\x00", 2)),
            kBlock +
                CrLf({"8000:\t\t.byte $01\t;Set Bit $3[100]",
                      "\t\t.byte $00\t;Print 100 To The Screen Starting At "
                      "4B|4A:PositionToWriteNextCharacter",
                      ""}) +
                kRule);
}

TEST(SpeechCode, JumpsEndBlocksOutsideConditionsOnly) {
  EXPECT_EQ(Speech("\x85\x10\x05\x2A"),
            kBlock + CrLf({"8000:\t\t.byte $85\t;Continue At 8510", "\t\t.byte $10\t;\t?"}) +
                kBlock + CrLf({"8002:\t\t.byte $05\t;Set Bit $3[12A]", "\t\t.byte $2A\t;", ""}) +
                kRule);
  EXPECT_EQ(Speech("\x80\x10\x9A\xBC"),
            kBlock +
                CrLf({"8000:\t\t.byte $80\t;Continue At 8010", "\t\t.byte $10\t;\t?", "",
                      "\t\t.byte $9A\t;jsr 9ABC", "\t\t.byte $BC\t;\t?", ""}) +
                kRule);
  // Under a condition a jump keeps the block going.
  EXPECT_EQ(Speech("\x31\x01\x8F\x02"),
            kBlock +
                CrLf({"8000:\t\t.byte $31\t;If $01 = 1 Then", "\t\t.byte $01\t;",
                      "\t\t.byte $8F\t;\tContinue At 8F02", "\t\t.byte $02\t;\t?", ""}) +
                kRule);
}

TEST(SpeechCode, EndAndUndefined) {
  EXPECT_EQ(Speech(std::string("\xFF\x7F\x00", 3)),
            kBlock + CrLf({"8000:\t\t.byte $FF\t;End"}) + kBlock +
                CrLf({"8001:\t\t.byte $7F\t;UNDEFINED!", "\t\t.byte $00\t;UNDEFINED!"}) + kRule);
  // An end under a condition lists the byte after it plainly.
  EXPECT_EQ(Speech("\x12\x34\xFF\x99"),
            kBlock +
                CrLf({"8000:\t\t.byte $12\t;If Bit $3[234] Is Set Then", "\t\t.byte $34\t;",
                      "\t\t.byte $FF\t;\tEnd", "\t\t.byte $99\t;", ""}) +
                kRule);
}

TEST(SpeechCode, StatementCutByTheEndOfTheFileIsADumpError) {
  ScriptedHost host;
  const std::string body = DumpBody(kSpeech, "\x05", &host);
  EXPECT_EQ(host.lastStatus(), "Dump Error");
  ASSERT_EQ(host.errors.size(), 1u);
  EXPECT_NE(host.errors[0].find("Error #62"), std::string::npos);
  EXPECT_EQ(body, kBlock);
}

TEST(SpeechCode, SpecialCases) {
  int count = 0;
  for (int bank = 0; bank < 4; ++bank)
    for (int code = 0; code < 256; ++code) count += IsSpeechSpecialCase(bank, code) ? 1 : 0;
  EXPECT_EQ(count, 5 * 2 + 2 * 2);
  EXPECT_TRUE(IsSpeechSpecialCase(2, 0xDB));
  EXPECT_TRUE(IsSpeechSpecialCase(3, 0x64));
  EXPECT_FALSE(IsSpeechSpecialCase(1, 0x06));
  EXPECT_FALSE(IsSpeechSpecialCase(4, 0x5D));
}

}  // namespace
}  // namespace morvane
