#include <gtest/gtest.h>

#include "PseudoCodeDump.h"

namespace morvane {
namespace {

std::string Menu(int n) {
  return CrLf({";----", ";Menu " + std::to_string(n), ";", ";", ";----"});
}
const std::string kRule = CrLf({";--------------------"});

std::string Selected(const std::string& b3, const std::string& b4) {
  return CrLf({"\t\t.byte $" + b3 + "\t;If This Entry Is Selected Then",
               "\t\t.byte $" + b4 + "\t;\tExecute Speech PseudoCode Starting At 7B|7A = " + b4 + b3,
               ""});
}

TEST(MenuCode, AlwaysOfferedEntriesAreNumberedPerMenu) {
  const std::string bytes(
      "\x02\x00\xF1\x34\x92"
      "\x07\x00\xF1\x00\x93"
      "\xFF"
      "\x09\x00\xF1\x11\x22",
      16);
  EXPECT_EQ(DumpBody(kMenu, bytes), Menu(1) +
                                        CrLf({"8000:\t\t.byte $02\t;", "\t\t.byte $00\t;",
                                              "\t\t.byte $F1\t;MenuRow0 = 02\t\t\t\t''"}) +
                                        Selected("34", "92") +
                                        CrLf({"\t\t.byte $07\t;", "\t\t.byte $00\t;",
                                              "\t\t.byte $F1\t;MenuRow1 = 07\t\t\t\t''"}) +
                                        Selected("00", "93") + CrLf({"\t\t.byte $FF\t;End"}) +
                                        Menu(2) +
                                        CrLf({"800B:\t\t.byte $09\t;", "\t\t.byte $00\t;",
                                              "\t\t.byte $F1\t;MenuRow0 = 09\t\t\t\t''"}) +
                                        Selected("11", "22") + kRule);
}

TEST(MenuCode, ConditionsAndTheRowCounterTheyLeaveAlone) {
  const std::string bytes(
      "\x05\x1A\x03\x01\x02"
      "\x06\x1A\x13\x03\x04"
      "\x07\x1A\x30\x05\x06"
      "\x08\x05\xF1\x07\x08"
      "\x09\x00\xF1\x09\x0A",
      25);
  const auto entry = [](const std::string& b0, const std::string& b1, const std::string& b2,
                        const std::string& cond) {
    return CrLf({"\t\t.byte $" + b0 + "\t;" + cond, "\t\t.byte $" + b1 + "\t;",
                 "\t\t.byte $" + b2 + "\t;\tMenuRowY = " + b0 + ", Y++\t\t''"});
  };
  EXPECT_EQ(DumpBody(kMenu, bytes),
            Menu(1) + "8000:" + entry("05", "1A", "03", "If Bit$3[21A] Is Clear Then") +
                Selected("01", "02") + entry("06", "1A", "13", "If Bit$3[21A] Is Set Then") +
                Selected("03", "04") + entry("07", "1A", "30", "If $1A = 3 Then") +
                Selected("05", "06") + entry("08", "05", "F1", "If Bit$3[005] Is Set Then") +
                Selected("07", "08") +
                CrLf({"\t\t.byte $09\t;", "\t\t.byte $00\t;",
                      "\t\t.byte $F1\t;MenuRow0 = 09\t\t\t\t''"}) +
                Selected("09", "0A") + kRule);
}

TEST(MenuCode, ZeroKindIsAVariableTest) {
  EXPECT_EQ(DumpBody(kMenu, std::string("\x01\x44\x00\x00\x80", 5)),
            Menu(1) + "8000:" +
                CrLf({"\t\t.byte $01\t;If $44 = 0 Then", "\t\t.byte $44\t;",
                      "\t\t.byte $00\t;\tMenuRowY = 01, Y++\t\t''"}) +
                Selected("00", "80") + kRule);
}

TEST(MenuCode, EntryCutByTheEndOfTheFileIsADumpError) {
  ScriptedHost host;
  DumpBody(kMenu, "\x02\x00\xF1\x34", &host);
  EXPECT_EQ(host.lastStatus(), "Dump Error");
  EXPECT_EQ(host.errors.size(), 1u);
}

}  // namespace
}  // namespace morvane
