// A script made from the sample's text dump, inserted and stripped through
// the Insert frame's buttons.
#include "JobFixture.h"
#include "SampleTranslation.h"
#include "patch/PatchFormat.h"

namespace morvane {
namespace {

void Replace(std::string& text, const std::string& from, const std::string& to) {
  const auto at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from;
  text.replace(at, from.size(), to);
}

class InsertTest : public JobTest {
 protected:
  // Dumps the sample's phrases as text and turns the dump into a translated
  // script the way a user does: the header to the top, the pointer table
  // filled in, a translation after each phrase's source rows.
  std::string makeScript() {
    click(option("opFeatures", 1));
    retype("txtStart", "8054");
    retype("txtEnd", "8093");
    answer(Dialog::OpenNES, rom);
    answer(Dialog::OpenTBL, tbl);
    click(button("cmdDump"));
    expectRanCleanly();
    std::string script = Slurp(dir.file("sample Text.txt"));
    const auto header = script.find("sample Text\r\n");
    EXPECT_NE(header, std::string::npos) << script;
    if (header == std::string::npos) return {};
    std::string top = script.substr(header, script.find(";----", header) - header);
    Replace(top, "Ptrs\tNONE\t[NONE+1]", "Ptrs\t804C\t804D");
    Replace(script, "HELLO WORLD!\r\n0\r\n", "HELLO WORLD!\r\nBONJOUR MONDE!\r\n");
    Replace(script, "FOR MORVANE.\r\n1\r\n1\r\n", "CECI EST UN\r\nEXEMPLE.\r\n");
    Replace(script, "PRESS START\r\n2\r\n", "PRESS START\r\nAPPUYEZ START\r\n");
    Replace(script, "THE END.\r\n3\r\n", "THE END.\r\nFIN.\r\n");
    return dir.write("script.txt", top + script);
  }

  const std::string rom = copySample("sample.nes");
  const std::string tbl = copySample("sample.tbl");
  const std::string original = Slurp(rom);
};

TEST_F(InsertTest, TheSampleScriptInsertsWithItsBlockLabels) {
  const std::string script = makeScript();
  for (int i = 30; i <= 41; ++i) EXPECT_EQ(label(i), "-----") << i;
  takeStatuses();
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenSJS, script);
  answer(Dialog::OpenTBL, tbl);
  click(button("cmdInsert"));
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked.back(), Dialog::OpenTBL);

  const std::string expected = FrenchSample(original);
  const std::string& text = kFrenchSampleText;
  EXPECT_EQ(Slurp(dir.file("sample_Modified.nes")), expected);
  EXPECT_EQ(Slurp(rom), original);
  EXPECT_FALSE(dir.exists("Temp.nes"));

  // Block 0 of 64 bytes holds the four phrases; the other blocks are unused.
  EXPECT_EQ(label(30), QString::number(text.size()));
  EXPECT_EQ(label(31), QString::number(64 - text.size()));
  EXPECT_EQ(label(32), "3h");
  for (int i = 33; i <= 41; ++i) EXPECT_EQ(label(i), "-----") << i;
  // The entry sums up the blocks rather than the last step.
  const QString entry = window->results()->findChildren<QLabel*>("lblResult").constLast()->text();
  EXPECT_TRUE(entry.contains(QString("Block 0: %1 bytes used, %2 left, last phrase 3h")
                                 .arg(text.size())
                                 .arg(64 - text.size())))
      << entry.toStdString();

  const QStringList seen = takeStatuses();
  const QStringList steps = {"Copying bytes until at Block 0",
                             "Inserting new bytes into Block 0",
                             "Clearing or Filling Rest of Block 0",
                             "Done with all Text; copying rest of ROM after Block 0",
                             "Writing LSB Ptrs",
                             "Writing MSB Ptrs",
                             "Copying bytes after writing MSB Ptrs"};
  qsizetype at = 0;
  for (const QString& step : steps) {
    at = seen.indexOf(step, at);
    EXPECT_GE(at, 0) << step.toStdString() << " in " << seen.join(" | ").toStdString();
    if (at < 0) break;
  }
}

TEST_F(InsertTest, WritePatchesAddsThePatch) {
  const std::string script = makeScript();
  window->findChild<QAction*>("mnuWritePatchesips")->trigger();
  answer(Dialog::OpenNES, rom);
  answer(Dialog::OpenSJS, script);
  answer(Dialog::OpenTBL, tbl);
  click(button("cmdInsert"));
  window->findChild<QAction*>("mnuWritePatchesnone")->trigger();
  expectRanCleanly();
  EXPECT_EQ(ApplyPatch(original, Slurp(dir.file("sample_Modified.ips"))), FrenchSample(original));
}

TEST_F(InsertTest, StripKeepsOnlyTheTranslation) {
  const std::string script = makeScript();
  const std::string before = Slurp(script);
  answer(Dialog::OpenSJS, script);
  click(button("cmdStrip"));
  expectRanCleanly();
  EXPECT_EQ(dialogs->asked.back(), Dialog::OpenSJS);
  EXPECT_EQ(
      Slurp(dir.file("script_Stripped.txt")),
      CrLf({"BONJOUR MONDE!", "", "CECI EST UN", "EXEMPLE.", "", "APPUYEZ START", "", "FIN.", ""}));
  EXPECT_EQ(Slurp(script), before);
}

}  // namespace
}  // namespace morvane
