#include "tables/StandardTable.h"

#include <gtest/gtest.h>

#include "shell/JobError.h"
#include "support/CliRun.h"
#include "support/TempDir.h"
#include "tables/PhraseText.h"

namespace morvane {
namespace {

// A DTE/MTE table with every kind of line the standard form reads.
const std::string kTable = CrLf({"\xEF\xBB\xBF; a comment after the byte order mark",
                                 "# another",
                                 "",
                                 "@tableid",
                                 "/FF=<end>",
                                 "*FE=<br>",
                                 "20= ",
                                 "41=A",
                                 "42=B",
                                 "43=C",
                                 "44=D",
                                 "45=E",
                                 "48=H",
                                 "52=R",
                                 "54=T",
                                 "80=THE",
                                 "81=ER",
                                 "82=TH",
                                 "83=HERE",
                                 "8140=Cecil",
                                 "0400=Rosa",
                                 "$F0=<color>,2",
                                 "61=A",
                                 "E0=x=y",
                                 "44=D"});

StandardTable Table() {
  return ParseStandardTable(kTable, "game.tbl");
}

std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (const int v : values) s += static_cast<char>(v);
  return s;
}

std::string Encoded(const StandardTable& t, std::string_view row) {
  std::vector<RowToken> tokens;
  std::size_t bad = 0;
  if (!t.encode(row, tokens, bad)) return "bad at " + std::to_string(bad);
  std::string bytes;
  for (const RowToken& token : tokens) bytes += token.bytes;
  return bytes;
}

TEST(StandardTable, DecodesTheLongestKeyAndEveryLineKind) {
  const StandardTable t = Table();
  const struct {
    std::string bytes;
    const char* text;
    EntryKind kind;
  } cases[] = {
      {Bytes({0x81, 0x40}), "Cecil", EntryKind::Text},  // longer than 81 ER
      {Bytes({0x81, 0x41}), "ER", EntryKind::Text},
      {Bytes({0x04, 0x00}), "Rosa", EntryKind::Text},
      {Bytes({0xFF}), "<end>", EntryKind::End},
      {Bytes({0xFE}), "<br>", EntryKind::NewLine},
      {Bytes({0xF0, 1, 2}), "<color>", EntryKind::Linked},
      {Bytes({0xE0}), "x=y", EntryKind::Text},
      {Bytes({0x20}), " ", EntryKind::Text},
  };
  for (const auto& c : cases) {
    const TableEntry* e = t.match(c.bytes);
    ASSERT_NE(e, nullptr) << c.text;
    EXPECT_EQ(e->text, c.text);
    EXPECT_EQ(e->kind, c.kind) << c.text;
  }
  EXPECT_EQ(t.match(Bytes({0x04})), nullptr);  // only the two-byte key
  EXPECT_EQ(t.match(Bytes({0x99})), nullptr);
  EXPECT_EQ(t.match(Bytes({0xF0}))->linked, 2);
  EXPECT_EQ(t.end()->key, Bytes({0xFF}));
  EXPECT_EQ(t.newLine()->key, Bytes({0xFE}));
}

TEST(StandardTable, EncodesTheShortestByteString) {
  const StandardTable t = Table();
  const struct {
    const char* row;
    std::string bytes;
  } cases[] = {
      {"THERE", Bytes({0x54, 0x83})},             // greedy takes THE, R, E: three bytes
      {"A", Bytes({0x41})},                       // 41 and 61 are both A: the lower
      {"Cecil", Bytes({0x81, 0x40})},             // the only way
      {"<$99>A{05}", Bytes({0x99, 0x41, 0x05})},  // raw bytes in both forms
      {"HI", "bad at 1"},                         // no I
      {"THEX", "bad at 3"},                       // the furthest place any run reaches
      {"<color><$01><$02>D<br>", Bytes({0xF0, 1, 2, 0x44, 0xFE})},
  };
  for (const auto& c : cases) EXPECT_EQ(Encoded(t, c.row), c.bytes) << c.row;
  std::string greedy;
  ASSERT_TRUE(t.encodeGreedy("THERE", greedy));
  EXPECT_EQ(greedy, Bytes({0x80, 0x52, 0x45}));
}

TEST(StandardTable, RefusesBadLinesWithFileAndLine) {
  const struct {
    const char* line;
    const char* why;
  } cases[] = {
      {"123=x", "odd number of digits"},
      {"0102030405=x", "longer than 4 bytes"},
      {"$F0=<c>,x", "count x of a linked entry"},
      {"$F0=<c>,300", "count 300"},
      {"$F0=<c>", "$XX=<label>,N"},
      {"*=x", "new-line line needs a byte"},
      {"/ABC", "odd number of digits"},
      {"hello", "not a line of a table"},
      {"4G=x", "not hex digits"},
  };
  for (const auto& c : cases) {
    try {
      ParseStandardTable(CrLf({"41=A", "", c.line}), "game.tbl");
      ADD_FAILURE() << c.line;
    } catch (const JobError& e) {
      EXPECT_EQ(e.kind(), JobError::Kind::Minor);
      EXPECT_EQ(e.file(), "game.tbl");
      EXPECT_EQ(e.message().rfind("Line 3: ", 0), 0u) << e.message();
      EXPECT_NE(e.message().find(c.why), std::string::npos) << e.message();
      EXPECT_NE(e.message().find(c.line), std::string::npos) << e.message();
    }
  }
}

TEST(StandardTable, TextOnlyEndAndClassicViews) {
  const StandardTable t = ParseStandardTable(CrLf({"/<end>", "41=A", "*FE"}), "t.tbl");
  ASSERT_NE(t.end(), nullptr);
  EXPECT_TRUE(t.end()->key.empty());
  EXPECT_EQ(Encoded(t, "A<end>"), "A");  // ends the phrase, no byte
  const CharTable view = Table().oneByteView();
  EXPECT_EQ(view.text[0x80], "THE");
  EXPECT_EQ(view.text[0x81], "ER");
  EXPECT_EQ(view.endPhraseByte, 0xFF);
  EXPECT_EQ(view.newLineByte, 0xFE);
  EXPECT_EQ(view.text[0x04], "");
}

// Lines the classic reader skips are counted for its note, the first quoted.
TEST(StandardTable, FindsTheLinesOnlyTheStandardFormReads) {
  const StandardOnlyLines found = FindStandardOnlyLines(kTable);
  EXPECT_EQ(found.count, 5);  // /FF=<end>, *FE=<br>, 8140=, 0400=, $F0=
  EXPECT_EQ(found.firstLine, 5);
  EXPECT_EQ(found.first, "/FF=<end>");
  EXPECT_EQ(FindStandardOnlyLines(CrLf({"41=A", "/FF", "*FE", "; note"})).count, 0);
}

// The classic form still reads such a table as it always has, and says
// what it skipped and that no phrase ended; the job succeeds.
TEST(TableForms, TheClassicFormNotesWhatItSkips) {
  TempDir dir;
  dir.write("game.nes", std::string(16, '\0') + "AAB");
  dir.write("game.tbl", CrLf({"41=A", "42=B", "/FF=<end>", "8140=x"}));
  const CliRun run = Morvane("dump --mode text --rom '" + dir.file("game.nes") + "' --tbl '" +
                                 dir.file("game.tbl") + "' --start 8000 --end 8002",
                             dir);
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_NE(run.err.find("Note: game.tbl: 2 lines were skipped that only the standard table "
                         "form reads, the first on line 3: \"/FF=<end>\". Use --tbl-format "
                         "standard (Tools > Table Files > Standard) to read them."),
            std::string::npos)
      << run.err;
  EXPECT_NE(run.err.find("Note: game.tbl names no end byte (a /XX line), so the dump found no "
                         "end of phrase and wrote no phrase."),
            std::string::npos)
      << run.err;
}

TEST(PhraseText, RowsBreakAfterNewLinesAndKeepEmptyRowsAsRawBytes) {
  const StandardTable t = Table();
  const StandardTable plain = ParseStandardTable(CrLf({"/FF", "*FE", "41=A"}), "t.tbl");
  const struct {
    const StandardTable& table;
    std::string bytes;
    std::vector<std::string> rows;
    std::size_t length;
  } cases[] = {
      {t, Bytes({0x80, 0xFE, 0x41, 0xFF, 0x41}), {"THE<br>", "A<end>"}, 4},
      {t, Bytes({0xF0, 0xFF, 0x01, 0x99, 0xFF}), {"<color><$FF><$01><$99><end>"}, 5},
      {plain, Bytes({0xFE, 0xFE, 0x41, 0xFF}), {"<$FE>", "A"}, 4},
      {plain, Bytes({0x41, 0xFE, 0xFF}), {"A<$FE>"}, 3},
      {plain, Bytes({0xFF}), {}, 1},
  };
  for (const auto& c : cases) {
    const DecodedPhrase p = DecodePhrase(c.bytes, c.table, RawForm::Dollar);
    EXPECT_EQ(p.rows, c.rows);
    EXPECT_EQ(p.length, c.length);
    EXPECT_TRUE(p.ended);
  }
}

}  // namespace
}  // namespace morvane
