// Tables of a Table List written as data inside a code listing.
#include <gtest/gtest.h>

#include "CodeFixture.h"
#include "dump/TableCursor.h"

namespace morvane::test {
namespace {

const char* kRule = ";--------------------";

TEST(CodeTables, RowsGroupsAndIndexes) {
  const std::string list = "8000\t8006\t3\t2\r\n";
  CodeRun run;
  const std::string out = run.run(Rom({0xA1, 0xB2, 0xC3, 0xD4, 0xE5, 0xF6, 0x07}),
                                  CodeSettings(0x8000, 0x8006, true), MiniOpcodes(), &list);
  EXPECT_EQ(Body(out), CrLf({kRule, "; Table 8000 thru 8006", "; 1.16666666666667 x (3 x 2) bytes",
                             kRule, "_8000:\t.byte $A1\t;0", "\t\t.byte $B2\t;",
                             "\t\t.byte $C3\t;A1B2C3", "\t\t.byte $D4\t;", "\t\t.byte $E5\t;",
                             "\t\t.byte $F6\t;D4E5F6", "", "\t\t.byte $ 7\t;1", kRule, kRule}) +
                           EmptyListings());
}

TEST(CodeTables, SplitAddressTableMakesSubTablesWithNotes) {
  // Low bytes at 8000, high bytes at 8002 (r): entries 8006 and 9020.
  const std::string list =
      "8000\t8001\t\t\t\t\t\t\t\tLow\r\n"
      "8002\t8003\t-8000\t2\t\t\t\t\trtbl\r\n";
  CodeRun run;
  const std::string out = run.run(Rom({0x06, 0x20, 0x80, 0x90, 0x60, 0x60, 0x04, 0x05}),
                                  CodeSettings(0x8000, 0x8007, true), MiniOpcodes(), &list);
  EXPECT_EQ(run.result.outcome, Outcome::Done);
  std::string expected = CrLf(
      {kRule, "; Table Low: 8000 thru 8001", "; 2 bytes", kRule, "_8000:\t.byte $ 6\t;",
       "\t\t.byte $20\t;", kRule, "; Table 8002 thru 8003", "; 1 x 2 bytes", kRule,
       "_8002:\t.byte $80\t;tbl_8006 0", "\t\t.byte $90\t;tbl_9020", kRule,
       "_8004:\trts\t\t\t;return", kRule, "_8005:\trts\t\t\t;return", kRule, "; Table 8002[0],0",
       // No Table Start or End bit follows: the table ends at the End.
       "; Table 8006 thru 8007", "; 2 bytes", kRule, "tbl_8006:\t.byte $ 4\t;", "\t\t.byte $ 5\t;",
       kRule, kRule, ";External Code References", ";", kRule, ";External Read Table References",
       ";", ";9020 = tbl_9020", kRule});
  EXPECT_EQ(Body(out).substr(0, expected.size()), expected);
}

TEST(CodeTables, PatternsAndCharacters) {
  const std::string list =
      "8000\t8000\t1\t\t\t\t\t\tPAT.X\r\n"
      "8001\t8001\t1\t\t\t\t\t\tpatr.x\r\n"
      "8002\t8002\t1\t\t\t\t\t\tpat\r\n"
      "8003\t8004\t2\t\t\t\t\t\tchr\r\n";
  const std::string tbl = "01=ab\r\n02=c\r\n";
  CodeRun run;
  const std::string out = run.run(Rom({0x01, 0x01, 0x01, 0x01, 0x02}),
                                  CodeSettings(0x8000, 0x8004, true), MiniOpcodes(), &list, &tbl);
  EXPECT_EQ(run.result.outcome, Outcome::Done);
  EXPECT_NE(out.find("_8000:\t.byte $ 1\t;.......x\r\n"), std::string::npos);
  EXPECT_NE(out.find("; 1 bytes (MSb on Right)\r\n"), std::string::npos);
  EXPECT_NE(out.find("_8001:\t.byte $ 1\t;x.......\r\n"), std::string::npos);
  EXPECT_NE(out.find("_8002:\t.byte $ 1\t;_______#\r\n"), std::string::npos);
  EXPECT_NE(out.find("\t\t.byte $ 2\t;abc\r\n"), std::string::npos);
}

const std::string kChars = "41=A\r\n42=B\r\n/FF\r\n*FE\r\n";

TEST(CodeTables, TextTableWithPhraseHeadings) {
  const std::string list = "8000\t8006\t1\t1\t\t\t\t\ttxt\tMsg\r\n";
  CodeRun run;
  const std::string out =
      run.run(Rom({0x41, 0xFE, 0x42, 0xFF, 0x42, 0x41, 0xFF}), CodeSettings(0x8000, 0x8006, true),
              MiniOpcodes(), &list, &kChars);
  EXPECT_EQ(Body(out), CrLf({kRule,
                             "; Table Msg: 8000 thru 8006",
                             "; 7 bytes",
                             kRule,
                             ";----",
                             ";Phrase 0",
                             ";----",
                             "_8000:\t.byte $41\t;A",
                             "\t\t.byte $FE\t;",
                             "",
                             "8002:\t\t.byte $42\t;B",
                             "\t\t.byte $FF\t;",
                             ";----",
                             ";Phrase 1",
                             ";----",
                             "8004:\t\t.byte $42\t;B",
                             "\t\t.byte $41\t;A",
                             "\t\t.byte $FF\t;",
                             kRule,
                             kRule}) +
                           EmptyListings());
}

TEST(CodeTables, TextTableOfHeightZeroGathersLinesOnTheirLastByte) {
  const std::string list = "8000\t8005\t\t\t\t\t\t\ttxt\r\n";
  CodeRun run;
  const std::string out =
      run.run(Rom({0x41, 0x42, 0xFF, 0x42, 0xFF, 0x41}), CodeSettings(0x8000, 0x8005, true),
              MiniOpcodes(), &list, &kChars);
  EXPECT_EQ(Body(out),
            CrLf({kRule, "; Table 8000 thru 8005", "; 6 bytes", kRule, "_8000:\t.byte $41\t;",
                  "\t\t.byte $42\t;", "\t\t.byte $FF\t;AB", "", "8003:\t\t.byte $42\t;",
                  "\t\t.byte $FF\t;B", "", "8005:\t\t.byte $41\t;A", kRule, kRule}) +
                EmptyListings());
}

TEST(CodeTables, SubTableAddressOutOfBoundsIsAMinorError) {
  const std::string list = "8000\t8001\t2\t\t\t\t10\t\trtbl\r\n";
  CodeRun run;
  run.run(Rom({0xFF, 0xFF}), CodeSettings(0x8000, 0x8001, true), MiniOpcodes(), &list);
  EXPECT_EQ(run.host.lastStatus(), "Dump Minor Error");
  ASSERT_EQ(run.host.warnings.size(), 1u);
  EXPECT_EQ(run.host.warnings[0].second,
            "Because of the Address Offset of 10 the |sub table address| of 1000F\r\n"
            "is out of bounds at address 8001.");
}

TEST(CodeTables, SizeLine) {
  EXPECT_EQ(TableSizeText(110, 0, 0, 0, 0, false), "110");
  EXPECT_EQ(TableSizeText(7, 2, 0, 1, 0, false), "1 + 3 x 2");
  EXPECT_EQ(TableSizeText(7, 2, 0, 0, 0, false), "3.5 x 2");
  EXPECT_EQ(TableSizeText(12, 2, 0, 0, 1, false), "4 x (2 + 1)");
  EXPECT_EQ(TableSizeText(12, 0, 3, 0, 1, false), "3 x (3 + 1)");
  EXPECT_EQ(TableSizeText(12, 0, 3, 0, 0, false), "4 x 3");
  EXPECT_EQ(TableSizeText(12, 2, 2, 0, 2, false), "2 x (2 x 2 + 2)");
  EXPECT_EQ(TableSizeText(12, 0, 0, 0, 2, false), "6 x 2");
  EXPECT_EQ(TableSizeText(12, 0, 0, 2, 2, true), "2 + 10");
}

}  // namespace
}  // namespace morvane::test
