#include <gtest/gtest.h>

#include "ScriptedHost.h"
#include "TempDir.h"
#include "dump/TableList.h"
#include "shell/JobError.h"

namespace morvane {
namespace {

struct Listed {
  TempDir dir;
  ScriptedHost host;
  TableMap map = MakeTableMap();
  NameTable names;
  std::string path;
  TableListResult result;

  const TableListEntry& at(int a) const { return map[static_cast<std::size_t>(a)]; }
  std::string warning() const { return host.warnings.empty() ? "" : host.warnings[0].second; }
};

std::unique_ptr<Listed> List(const std::string& text, std::int32_t dumpEnd = 0xBFFF) {
  auto r = std::make_unique<Listed>();
  r->path = r->dir.write("Tables.txt", text);
  Reported(r->host, [&] { r->result = ReadTableList(r->path, dumpEnd, r->map, r->names); });
  return r;
}

TEST(TableListReader, EndsAndSpreading) {
  auto r = List("Start\tEnd\tWidth\r\n8000\t\t4\r\n");
  ASSERT_TRUE(r->result.ok);
  EXPECT_EQ(r->at(0x8000).Options, kTableStart);
  EXPECT_EQ(r->at(0x8001).Width, 4);
  EXPECT_EQ(r->at(0xBFFE).Width, 4);
  EXPECT_EQ(r->at(0xBFFF).Options, kTableEnd);
  EXPECT_EQ(r->at(0xBFFF).Width, 0);

  r = List("8000\t\t3\r\n8010\t\t1\r\n");
  EXPECT_EQ(r->at(0x800F).Width, 3);
  EXPECT_EQ(r->at(0x800F).Options, 0);
  EXPECT_EQ(r->at(0x8010).Options, kTableStart);
  EXPECT_EQ(r->at(0xBFFF).Options, kTableEnd);

  r = List("8000\t800F\t2\t\t\t\t\t\tr\tFoo\r\n9000\t9003\t\t\t\t\t\t\t\tBar\r\n");
  EXPECT_EQ(r->at(0x800E).Options, kTableR);  // start and end bits are not spread
  EXPECT_EQ(r->at(0x800E).Width, 2);
  EXPECT_EQ(r->at(0x800F).Options, kTableEnd);
  EXPECT_EQ(r->at(0x800F).Width, 0);
  EXPECT_EQ(r->at(0xBFFF).Options, 0);
  EXPECT_EQ(r->names[0x9000], "Bar");
  EXPECT_EQ(r->names[0x9001], "Bar_9001");
  EXPECT_EQ(r->names[0x9002], "Bar_9002");
  EXPECT_EQ(r->names[0x9003], "");
  EXPECT_EQ(r->names[0x800A], "Foo_800A");
}

// The lines the jobs write read back as what they say: the header and
// comment lines are skipped, each field lands in its place.
TEST(TableListReader, ReadsTheLinesTheWriterWrites) {
  EXPECT_EQ(TableListLine({"8000", "800f", "2", "", "", "", "1", "", "rlbl", "Vectors"}),
            "8000\t800f\t2\t\t\t\t1\t\trlbl\tVectors\r\n");
  EXPECT_EQ(TableListLine({TableListAddress(0xC0DE), ""}), "c0de\t\r\n");
  auto r = List(std::string(kTableListHeader) + "; a note\r\n" +
                TableListLine({"8000", "800f", "2", "", "", "", "1", "", "rlbl", "Vectors"}) +
                TableListLine({TableListAddress(0x8010), TableListAddress(0x801F)}) +
                TableListLine({"8020", "", "3", "2", "1", "1", "", "-4", "", "Rows"}));
  ASSERT_TRUE(r->result.ok) << r->warning();
  EXPECT_EQ(r->at(0x8000).Options, kTableStart | kTableR | kTableLbl);
  EXPECT_EQ(r->at(0x8000).Width, 2);
  EXPECT_EQ(r->at(0x8000).AddrOS, 1);
  EXPECT_EQ(r->names[0x8000], "Vectors");
  EXPECT_EQ(r->at(0x801F).Options, kTableEnd);
  const TableListEntry& e = r->at(0x8020);
  EXPECT_EQ(e.Options, kTableStart);
  const std::array<std::int16_t, 5> fields = {e.Width, e.Height, e.Skip1st, e.Skip, e.IndexOS};
  const std::array<std::int16_t, 5> expected = {3, 2, 1, 1, -4};
  EXPECT_EQ(fields, expected);
  EXPECT_EQ(r->names[0x8020], "Rows");
}

TEST(TableListReader, OptionBits) {
  auto r = List(
      "8000\t\t2\t\t\t\t\t\tRTBL\r\n8010\t\t-E87A\t\t\t\t\t\ttbl\r\n8020\t\t1\t\t\t\t\t\trlbl\r\n"
      "8030\t\t\t\t\t\t\t\tpat.x\r\n8040\t\t\t\t\t\t\t\tPATR\r\n8050\t\t\t\t\t\t\t\tpatrab\r\n"
      "8060\t\t\t\t\t\t\t\tpat\r\n8070\t\t\t\t\t\t\t\ttxt\r\n8080\t\t0\t\t\t\t\t\tlbl\r\n"
      "8090\t\t12345678\t\t\t\t\t\t\r\n");
  ASSERT_TRUE(r->result.ok);
  EXPECT_TRUE(r->result.needsCharTable);
  EXPECT_EQ(r->at(0x8000).Options, 13);
  EXPECT_EQ(r->at(0x8000).Width, 2);
  EXPECT_EQ(r->at(0x8010).Options, kTableStart | kTableTbl);
  EXPECT_EQ(r->at(0x8010).SplitPartner, 0xE87A);
  EXPECT_EQ(r->at(0x8010).Width, 1);
  EXPECT_EQ(r->at(0x8011).SplitPartner, -1);  // the partner is not spread
  EXPECT_EQ(r->at(0x8020).Options, kTableStart | kTableR);
  EXPECT_EQ(r->at(0x8030).Options, kTableStart | kTablePat);
  EXPECT_EQ(r->at(0x8030).OffChar, '.');
  EXPECT_EQ(r->at(0x8031).OnChar, 'x');
  EXPECT_EQ(r->at(0x8040).Options, kTableStart | kTablePatr);
  EXPECT_EQ(r->at(0x8040).OffChar, '_');
  EXPECT_EQ(r->at(0x8050).OnChar, 'b');
  EXPECT_EQ(r->at(0x8060).OnChar, '#');
  EXPECT_EQ(r->at(0x8070).Options, kTableStart | kTableTxt);
  EXPECT_EQ(r->at(0x8080).Options, kTableStart | kTableLbl);
  EXPECT_EQ(r->at(0x8080).SplitPartner, 0);
  // Eight digits are out of range, not a split table.
  EXPECT_EQ(r->at(0x8090).Width, 0);
  EXPECT_EQ(r->at(0x8090).SplitPartner, -1);
  EXPECT_FALSE(List("8000\t\t\t\t\t\t\t\tpat\r\n")->result.needsCharTable);
  EXPECT_TRUE(List("8000\t\t\t\t\t\t\t\tCHR\r\n")->result.needsCharTable);
}

TEST(TableListReader, LinesThatAreNotTables) {
  auto r = List(
      "; notes\r\n\r\nend\r\n8000\tzz\r\n8000\t\t-\r\n8000\t\t\t-1\r\n"
      "8000\t\t\t\tzz\t-\tq\t--\tr\tEND\r\n8100\r\nEND\r\n7000\r\n");
  ASSERT_TRUE(r->result.ok);
  EXPECT_EQ(r->at(0x8000).Options, kTableStart | kTableR);
  EXPECT_EQ(r->at(0x8000).Skip, 0);
  EXPECT_EQ(r->names[0x8000], "END");
  EXPECT_EQ(r->at(0x8100).Options, kTableStart);
  EXPECT_EQ(r->at(0x7000).Options, 0);

  // An End equal to the dump's End keeps its bit when a later table follows.
  r = List("8000\t8FFF\t3\r\nA000\tA0FF\r\n", 0x8FFF);
  ASSERT_TRUE(r->result.ok);
  EXPECT_EQ(r->at(0x8FFE).Width, 3);
  EXPECT_EQ(r->at(0x8FFF).Options, kTableEnd);
  EXPECT_EQ(r->at(0x9000).Width, 0);

  r = List("Nothing\there\r\n");
  ASSERT_TRUE(r->result.ok);
  EXPECT_EQ(r->at(0xBFFF).Options, 0);
}

TEST(TableListReader, Limits) {
  auto r = List("8000\t\t1\t3FFF\t3FFF\t3FFF\t4000\t-4000\r\n");
  ASSERT_TRUE(r->result.ok) << r->warning();
  EXPECT_EQ(r->at(0x8000).Height, 0x3FFF);
  EXPECT_EQ(r->at(0x8001).Skip1st, 0x3FFF);
  EXPECT_EQ(r->at(0x8001).AddrOS, 0x4000);
  EXPECT_EQ(r->at(0x8001).IndexOS, -0x4000);
  EXPECT_TRUE(List("FFFF\t10000\r\n")->result.ok);
  for (const char* line : {"10000\r\n", "12345678\r\n", "8000\t10001\r\n", "8000\t123456789\r\n"}) {
    try {
      List(line);
      ADD_FAILURE() << line;
    } catch (const JobError& e) {
      EXPECT_EQ(e.number(), kErrSubscript);
    }
  }
}

TEST(TableListReader, EveryMessage) {
  const std::string tail = "\r\n\r\nFilename accessed -> ";
  const struct {
    const char* text;
    std::string message;
  } cases[] = {
      {"8000\r\n8000\r\n",
       "Previous Table's Start 8000 is greater or equal to this Table Start 8000 on the "
       "line:\r\n8000"},
      {"8000\t8010\r\n8010\r\n",
       "Previous Table's End 8010 is greater or equal to this Table Start 8010 on the "
       "line:\r\n8010"},
      {"8000\tBFFF\r\n9000\r\n",  // an End at the dump's End is no open end
       "Previous Table's End BFFF is greater or equal to this Table Start 9000 on the "
       "line:\r\n9000"},
      {"8010\t8000\r\n", "Table End 8000 is less than Table Start 8010:\r\n8010\t8000"},
      {"8000\t\t\t4000\r\n",
       "Table Height 4000 must be positive and less than 4000h.\r\n8000\t\t\t4000"},
      {"8000\t\t\t\t4000\r\n",
       "Skip 1st Bytes 4000 must be positive and less than 4000h.\r\n8000\t\t\t\t4000"},
      {"8000\t\t1\t\t\t0\r\n",
       "Skip Bytes 0 must be positive and less than 4000h.\r\n8000\t\t1\t\t\t0"},
      {"8000\t\t1\t\t\t\t-4001\r\n",
       "Address OffsetFFFFBFFF must be between -4000h and 4000h.\r\n8000\t\t1\t\t\t\t-4001"},
      {"8000\t\t\t\t\t\t\t4001\r\n",
       "Index Offset 4001 must be between -4000h and 4000h.\r\n8000\t\t\t\t\t\t\t4001"},
      {"8000\t\t0\t\t\t\t\t\ttxt\r\n",
       "You can't have a split text table:\r\n8000\t\t0\t\t\t\t\t\ttxt"},
      {"8000\t\t2\t\t\t\t\t\tTxt\r\n",
       "Text tables must have a width 2 of 0 or 1.\r\n8000\t\t2\t\t\t\t\t\tTxt"},
      {"8000\t\t\t\t\t2\r\n",
       "Using a SkipByte of 2 when Width = 0 & Height = 0 won't do anything.:\r\n8000\t\t\t\t\t2"
       "\r\nInstead set try setting the Height to 2 and the SkipByte to 0."},
      {"8000\t\t1\t\t\t\t\t\tLBLX\tT\r\n",
       "Unknown table option 'lblx' on line:\r\n8000\t\t1\t\t\t\t\t\tLBLX\tT"},
      {"8000\t\t1\t\t\t\t\t\tlbl\r\n",
       "Unknown table option 'lbl' on line:\r\n8000\t\t1\t\t\t\t\t\tlbl"},
      {"8000\t\t\t\t\t\t-10\r\n",
       "Sorry, the Adress Offset of -16 is only supported with the lbl option, tbl option, or raw "
       "data with a Width > 0.\r\n8000\t\t\t\t\t\t-10"},
      {"8000\t\t1\t\t\t\t10\t\tpat\r\n",
       "Sorry, the Adress Offset of 16 is only supported with the lbl option, tbl option, or raw "
       "data with a Width > 0.\r\n8000\t\t1\t\t\t\t10\t\tpat"},
  };
  for (const auto& c : cases) {
    const auto r = List(c.text);
    EXPECT_FALSE(r->result.ok) << c.text;
    ASSERT_EQ(r->host.warnings.size(), 1u) << c.text;
    EXPECT_EQ(r->host.warnings[0].first, "Error while Reading Table List File");
    EXPECT_EQ(r->warning(), c.message + tail + r->path);
  }
  // Accepted neighbours of the failing lines.
  for (const char* ok :
       {"8000\t\t\t\t\t2\t\t\ttxt\r\n", "8000\t\t\t\t\t\t\t\ttxt\r\n", "8000\t\t1\t\t\t\t-10\r\n",
        "8000\t\t2\t\t\t\t10\t\ttbl\r\n", "8000\t\t1\t\t\t\t\t\trlblx\r\n"}) {
    EXPECT_TRUE(List(ok)->result.ok) << ok;
  }
}

TEST(TableListReader, FailureKeepsWhatWasRead) {
  const auto r = List("8000\t\t2\r\n8010\tzz\r\n8100\t80FF\r\n8200\r\n");
  EXPECT_FALSE(r->result.ok);
  EXPECT_EQ(r->at(0x8000).Options, kTableStart);
  EXPECT_EQ(r->at(0x80FF).Width, 2);
  EXPECT_EQ(r->at(0x8200).Options, 0);
}

TEST(TableListReader, HostileFilesEndInAMessageOrAnError) {
  // Each line wrong in its own way; the first that is read as a table ends the reading.
  std::string everyLineWrong;
  const char* wrong[] = {"F000\tzz", "F000\t\t-", "end", "F000\t0\t-5\t\t4000\t0\t99999",
                         "F000\t\t\t\t\t\t\t\tpatrx\t\tRaw"};
  for (int i = 0; i < 10000; ++i) everyLineWrong += std::string(wrong[i % 5]) + "\r\n";
  std::string junk;
  std::uint32_t seed = 99;
  for (int i = 0; i < 1 << 18; ++i) {
    seed = seed * 1103515245u + 12345u;
    junk.push_back(static_cast<char>((seed >> 24) % 3 == 0 ? '\t' : seed >> 16));
  }
  for (const std::string& text : {everyLineWrong, junk}) {
    try {
      const auto r = List(text);
      EXPECT_LE(r->host.warnings.size(), 1u);
    } catch (const JobError& e) {
      EXPECT_EQ(e.kind(), JobError::Kind::Run);
    }
  }
  try {
    TableMap map = MakeTableMap();
    NameTable names;
    ReadTableList("/nonexistent/t.txt", 0xBFFF, map, names);
    ADD_FAILURE();
  } catch (const JobError& e) {
    EXPECT_EQ(e.number(), kErrFileNotFound);
  }
}

}  // namespace
}  // namespace morvane
