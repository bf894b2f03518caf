#include "tiles/SearchDrafts.h"

#include <gtest/gtest.h>

#include "analysis/RelativeSearch.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

// The drafts of a real search report: one Latin hit, one kana hit, whose kana
// lines (not the romaji) become the table.
TEST(SearchDrafts, EachHitOfASearchReportIsATable) {
  TempDir dir;
  // "THE" with A at 20h, and "akai" (a ka i: kana 0 5 1) with a at 80h.
  const std::string rom = dir.write("game.bin", std::string("\x33\x27\x24\x00\x80\x85\x81", 7));
  const struct {
    const char* word;
    std::string match;
    int byte;
    std::string text;
  } cases[] = {{"THE", "1 THE found @ 00000 = 3'$ = 33_27_24", 0x39, "Z"},
               {"jsakai", "1 jsAKAI found @ 00004 = \x80\x85\x81 = 80_85_81", 0x85, "\x82\xA9"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.word);
    ScriptedHost host;
    host.answer(Dialog::OpenNES, rom);
    Settings settings;
    settings.searchText = c.word;
    settings.header = false;
    SearchJob(settings, host);
    const auto drafts = ReadSearchDrafts(dir.file("game Output.txt"));
    ASSERT_EQ(drafts.size(), 1u);
    EXPECT_EQ(drafts[0].match, c.match);
    EXPECT_EQ(drafts[0].table.text[c.byte], c.text);
  }
  // A search with options names its draft table, which the hit reads.
  ScriptedHost host;
  host.answer(Dialog::OpenNES, rom);
  Settings settings;
  settings.searchText = "T*E";
  settings.header = false;
  settings.options.add("wildcard", "");
  SearchJob(settings, host);
  const auto named = ReadSearchDrafts(dir.file("game Output.txt"));
  ASSERT_EQ(named.size(), 1u);
  EXPECT_EQ(named[0].draft, "game Search 1.tbl");
  EXPECT_EQ(named[0].table.text[0x39], "Z");
  // A report cut short inside a hit still gives that hit; a report without hits gives none.
  const auto cut = ParseSearchDrafts("--------------------\r\n1 X found @ 00000 = ..\r\n20=A\r\n");
  ASSERT_EQ(cut.size(), 1u);
  EXPECT_EQ(cut[0].table.text[0x20], "A");
  EXPECT_TRUE(ParseSearchDrafts("--------------------\r\nCANCELED at 800\r\n").empty());
}

}  // namespace
}  // namespace morvane
