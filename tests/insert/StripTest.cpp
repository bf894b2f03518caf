#include <gtest/gtest.h>

#include "insert/Strip.h"
#include "support/ScriptedHost.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

class StripTest : public ::testing::Test {
 protected:
  JobResult strip(const std::string& script) {
    host = ScriptedHost();
    host.answer(Dialog::OpenSJS, dir.write("script.txt", script));
    return StripJob(Settings{}, host);
  }
  std::string output() const { return Slurp(dir.file("script_Stripped.txt")); }
  // What a strip that stopped had written, kept beside the output's name.
  std::string partial() const { return Slurp(dir.file("script_Stripped (incomplete).txt")); }

  TempDir dir;
  ScriptedHost host;
};

const std::string kHeader = CrLf({"game Text", "Phrases\t0\t2", "Chars\tnonsense", "Ptrs\tNONE",
                                  "Blocks\t2", "Text\t1", "Text\t2"});

TEST_F(StripTest, CopiesTheTranslatedRowsInPhraseOrder) {
  const std::string script =
      kHeader + CrLf({"a note", "0:8000:", "\xE3\x81\x82", "A", "", "1,2:", "", "B", "\\/", "\\_/",
                      "{0A}", "", "trailing notes"});
  EXPECT_EQ(strip(script).outcome, Outcome::Done);
  EXPECT_EQ(output(), CrLf({"A", "", "B", "\\/", "\\_/", "{0A}", ""}));
  EXPECT_EQ(host.busyLeft, 1);
  EXPECT_TRUE(host.errors.empty() && host.warnings.empty());
}

TEST_F(StripTest, APhraseWithoutTranslationGivesAnEmptyLine) {
  const std::string script =
      kHeader + CrLf({"0:", "\xE3\x81\x82", "", "1:", "", "X", "", "2:", "source", ""});
  EXPECT_EQ(strip(script).outcome, Outcome::Done);
  EXPECT_EQ(output(), CrLf({"", "X", "", ""}));
}

TEST_F(StripTest, HeaderErrorsAndRunTimeFailures) {
  EXPECT_EQ(strip(CrLf({"t", "Phrases\t3\t2", "c", "p", "Blocks\t1", "Text"})).outcome,
            Outcome::Warned);
  ASSERT_EQ(host.warnings.size(), 1u);
  EXPECT_EQ(host.warnings[0].first, "Error during Strip");
  EXPECT_EQ(host.warnings[0].second,
            "Line 2 - Phrases: First Phrase # 3 is greater than Last Phrase # 2.");
  EXPECT_FALSE(dir.exists("script_Stripped.txt"));
  EXPECT_TRUE(dir.exists("script_Stripped (incomplete).txt"));
  EXPECT_EQ(partial(), "");

  EXPECT_EQ(strip(CrLf({"t", "Phrases\t0\t2", "c", "p", "Blocks\t0"})).outcome, Outcome::Warned);
  EXPECT_EQ(host.warnings.at(0).second, "Line 5 - Blocks: 0 must be 1 or more.");

  // A phrase without an entry: the report names the strip and the phrase searched.
  EXPECT_EQ(strip(kHeader + CrLf({"0:", "", "A", "", "2:", "", "C", ""})).outcome, Outcome::Failed);
  EXPECT_EQ(host.errors.at(0),
            "Error #62 -> Input past end of file\r\n\r\nError during Strip:\r\n"
            "Ignore all UTF Rows until iPhraseNumber = 1h\r\n\r\n" +
                dir.file("script.txt") +
                " ends after line 15 without an entry for phrase 1h (\"1:\").");
  EXPECT_EQ(partial(), CrLf({"A", ""}));
  EXPECT_FALSE(host.busy);

  EXPECT_EQ(strip(CrLf({"t", "Phrases\t0\t2"})).outcome, Outcome::Failed);
  EXPECT_EQ(host.errors.at(0),
            "Error #62 -> Input past end of file\r\n\r\nError during Strip:\r\n"
            "Open Files - First Pass\r\n\r\n" +
                dir.file("script.txt") + " ends after line 2, inside the script's header.");

  host = ScriptedHost();
  EXPECT_EQ(StripJob(Settings{}, host).outcome, Outcome::Cancelled);
  EXPECT_EQ(host.busyLeft, 1);
}

}  // namespace
}  // namespace morvane
