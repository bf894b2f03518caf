#include <QAction>
#include <QCoreApplication>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

#include "WindowFixture.h"
#include "jobs/JobRegistry.h"
#include "support/TempDir.h"

namespace morvane {

namespace {

// A ROM with a 16-byte header whose bytes count up from 0.
std::string TestRom(std::size_t size) {
  std::string bytes(16, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes.push_back(static_cast<char>(i & 0xFF));
  return bytes;
}

}  // namespace

TEST_F(WindowTest, StartsIdleWithTheDesignedSettings) {
  EXPECT_EQ(window->windowTitle(), "Morvane Pro by Quenby");
  EXPECT_TRUE(option("opFeatures", 4)->isChecked());
  EXPECT_TRUE(option("opAddress", 1)->isChecked());
  EXPECT_EQ(text("txtStart"), "8000");
  EXPECT_EQ(text("txtEnd"), "BFFF");
  EXPECT_EQ(text("txtBlock"), "0.0");
  EXPECT_EQ(text("txtAddress"), "F000");
  EXPECT_EQ(settings().base, 0x8000);
  EXPECT_TRUE(check("chkHeader")->isChecked());
  EXPECT_TRUE(check("chkwTables")->isChecked());
  EXPECT_TRUE(check("chkwTables")->isEnabled());
  EXPECT_TRUE(check("chkRaw")->isChecked());
  EXPECT_FALSE(check("chkRaw")->isEnabled());
  for (const char* name : {"chkAsTable", "chkConcat"}) EXPECT_FALSE(check(name)->isEnabled());
  for (const char* name : {"txtPhrase", "txtLength", "txtAddress"}) {
    EXPECT_FALSE(box(name)->isEnabled()) << name;
  }
  EXPECT_FALSE(window->lbl(22)->isEnabled());
  EXPECT_FALSE(window->lbl(11)->isEnabled());
  EXPECT_EQ(window->size(), window->WindowSize(kIdleHeight));
  EXPECT_FALSE(window->model().busy());
  EXPECT_FALSE(button("cmdInsertPortopia")->isVisible());
  EXPECT_FALSE(button("cmdInsertGraphics")->isVisible());
  EXPECT_EQ(button("cmdDump")->text(), "Dump / Disassemble ");
  EXPECT_EQ(box("txtSearch")->maxLength(), 33);
  EXPECT_EQ(box("txtStart")->maxLength(), 4);
  EXPECT_EQ(window->lbl(20)->text(), QString::fromLatin1(kIdleTexts[0].data()));
  EXPECT_EQ(window->findChild<QAction*>("mnuHowTo")->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_EQ(window->findChild<QAction*>("mnuAbout")->shortcut(),
            QKeySequence(Qt::SHIFT | Qt::Key_F1));
  EXPECT_EQ(window->findChild<QAction*>("mnuExit")->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));
  // The status label lies below the lower edge of the idle window's client area.
  EXPECT_GE(window->lbl(20)->y(), window->lbl(20)->parentWidget()->height());
}

TEST(MainWindow, IdleTextsComeFromTheChooser) {
  // Each time the window goes idle, also at start, the chooser picks the text.
  int next = 0;
  FrmMorvane window([&next] { return next++; });
  for (std::size_t i = 0; i < kIdleTexts.size(); ++i) {
    EXPECT_EQ(window.lbl(20)->text(), QString::fromLatin1(kIdleTexts[i].data())) << i;
    EXPECT_EQ(window.model().statusLine(), kIdleTexts[i]) << i;
    window.Enable_Controls(false);
    EXPECT_EQ(window.lbl(20)->text(), QString::fromLatin1(kBusyText.data()));
    window.Enable_Controls(true);
  }
}

TEST_F(WindowTest, AddressBoxesRevertInvalidEditsAsTyped) {
  retype("txtStart", "G");
  EXPECT_EQ(text("txtStart"), "8000");
  retype("txtStart", "");
  EXPECT_EQ(text("txtStart"), "8000");
  box("txtStart")->end(false);
  QTest::keyClick(box("txtStart"), Qt::Key_Backspace);
  EXPECT_EQ(text("txtStart"), "800");
  EXPECT_EQ(settings().start, 0x800);
  retype("txtEnd", "c0de");
  EXPECT_EQ(text("txtEnd"), "c0de");
  EXPECT_EQ(settings().end, 0xC0DE);
  // The box takes at most four characters.
  QTest::keyClicks(box("txtEnd"), "1");
  EXPECT_EQ(text("txtEnd"), "c0de");
  // A refused key brings back the last good value, written with four digits.
  retype("txtEnd", "1x");
  EXPECT_EQ(text("txtEnd"), "0001");
  EXPECT_EQ(settings().end, 1);
}

TEST_F(WindowTest, BlockBoxTakesDecimalsWithOnePoint) {
  retype("txtBlock", "3");
  EXPECT_EQ(text("txtBlock"), "3.0");
  EXPECT_EQ(settings().block, 3.0);
  // 3.0 -> 1.0 -> 1. -> 1.5, one key at a time.
  QLineEdit* block = box("txtBlock");
  block->home(false);
  QTest::keyClick(block, Qt::Key_Delete);
  QTest::keyClick(block, Qt::Key_1);
  EXPECT_EQ(text("txtBlock"), "1.0");
  block->end(false);
  QTest::keyClick(block, Qt::Key_Backspace);
  QTest::keyClick(block, Qt::Key_5);
  EXPECT_EQ(text("txtBlock"), "1.5");
  EXPECT_EQ(settings().offsetOf(0x8000), 0x6010);
  QTest::keyClicks(block, ".");
  EXPECT_EQ(text("txtBlock"), "1.5");
  for (const char* pasted : {"1.2.3", ".", "1e3", "-1"}) {
    block->selectAll();
    block->insert(pasted);
    EXPECT_EQ(text("txtBlock"), "1.5") << pasted;
  }
  EXPECT_EQ(settings().block, 1.5);
}

TEST_F(WindowTest, BlockBoxKeepsTheCaretAfterTheTypedDigit) {
  const std::pair<const char*, const char*> cases[] = {
      {"25", "25.0"}, {"3", "3.0"}, {"2.5", "2.5"}, {"7.25", "7.25"}};
  for (const auto& [keys, shown] : cases) {
    retype("txtBlock", keys);
    EXPECT_EQ(text("txtBlock"), shown) << keys;
  }
}

TEST_F(WindowTest, WithTablesIsGreyedWhileTraceIsOn) {
  ASSERT_TRUE(check("chkwTables")->isEnabled());
  const bool raw = check("chkRaw")->isEnabled();
  click(check("chkTrace"));
  EXPECT_FALSE(check("chkwTables")->isEnabled());
  EXPECT_TRUE(check("chkwTables")->isChecked());
  EXPECT_EQ(check("chkRaw")->isEnabled(), raw);
  // Through another mode and back, and through a job's busy state.
  click(option("opFeatures", 0));
  click(option("opFeatures", 4));
  EXPECT_FALSE(check("chkwTables")->isEnabled());
  window->Enable_Controls(false);
  window->Enable_Controls(true);
  EXPECT_FALSE(check("chkwTables")->isEnabled());
  click(check("chkTrace"));
  EXPECT_TRUE(check("chkwTables")->isEnabled());
}

TEST_F(WindowTest, CustomPresetUsesItsOwnBox) {
  click(option("opAddress", 5));
  EXPECT_TRUE(box("txtAddress")->isEnabled());
  EXPECT_EQ(text("txtStart"), "F000");
  EXPECT_EQ(text("txtEnd"), "FFFF");
  EXPECT_EQ(settings().base, 0xF000);
  retype("txtAddress", "A123");
  EXPECT_EQ(settings().base, 0xA123);
  EXPECT_EQ(text("txtStart"), "A123");
  EXPECT_EQ(settings().start, 0xA123);
  click(option("opAddress", 2));
  EXPECT_FALSE(box("txtAddress")->isEnabled());
  EXPECT_EQ(text("txtStart"), "C000");
  EXPECT_EQ(text("txtEnd"), "FFFF");
  EXPECT_EQ(text("txtBlock"), "1.0");
  EXPECT_EQ(settings().base, 0xC000);
}

TEST_F(WindowTest, PseudoCodeModesSetTheirRanges) {
  click(option("opFeatures", 2));
  EXPECT_TRUE(option("opAddress", 0)->isChecked());
  EXPECT_EQ(settings().base, 0x6000);
  EXPECT_EQ(text("txtStart"), "8000");
  EXPECT_EQ(text("txtEnd"), "8D81");
  EXPECT_EQ(text("txtBlock"), "0.0");
  EXPECT_FALSE(check("chkwTables")->isEnabled());
  click(option("opFeatures", 3));
  EXPECT_TRUE(option("opAddress", 1)->isChecked());
  EXPECT_EQ(settings().base, 0x8000);
  EXPECT_EQ(text("txtStart"), "C5D3");
  EXPECT_EQ(text("txtEnd"), "CB2B");
  EXPECT_EQ(text("txtBlock"), "1.0");
}

TEST_F(WindowTest, OptionDependencies) {
  click(check("chkwTables"));
  EXPECT_FALSE(settings().withTables);
  EXPECT_TRUE(check("chkRaw")->isEnabled());
  click(check("chkwTables"));
  EXPECT_FALSE(check("chkRaw")->isEnabled());

  click(option("opFeatures", 1));
  EXPECT_TRUE(check("chkAsTable")->isEnabled());
  EXPECT_TRUE(box("txtPhrase")->isEnabled());
  EXPECT_FALSE(check("chkConcat")->isEnabled());
  EXPECT_FALSE(check("chkwTables")->isEnabled());
  click(check("chkAsTable"));
  EXPECT_TRUE(check("chkConcat")->isEnabled());
  click(option("opFeatures", 0));
  EXPECT_FALSE(check("chkAsTable")->isEnabled());
  EXPECT_FALSE(check("chkConcat")->isEnabled());
  EXPECT_FALSE(box("txtLength")->isEnabled());
}

TEST_F(WindowTest, PulledDownWindowKeepsItsHeightUntilTheStateChanges) {
  const int width = window->width();
  window->resize(width, 600);
  retype("txtEnd", "9000");
  click(option("opFeatures", 0));
  EXPECT_EQ(window->size(), QSize(width, 600));
  window->resize(width + 50, 600);
  EXPECT_EQ(window->width(), width);
  window->host().enterBusy();
  EXPECT_EQ(window->size(), window->WindowSize(kBusyHeight));
  window->host().leaveBusy();
  EXPECT_EQ(window->size(), window->WindowSize(kIdleHeight));
}

TEST_F(WindowTest, BusyStateLocksAllButCancelAndShowStrings) {
  window->host().enterBusy();
  EXPECT_EQ(window->size(), window->WindowSize(kBusyHeight));
  EXPECT_EQ(window->lbl(20)->text(), "Select Files...");
  EXPECT_TRUE(window->lbl(20)->isVisible());
  EXPECT_LT(window->lbl(20)->y(), window->lbl(20)->parentWidget()->height());
  for (int i = 0; i < 6; ++i) EXPECT_FALSE(option("opAddress", i)->isEnabled());
  for (int i = 0; i < 5; ++i) EXPECT_FALSE(option("opFeatures", i)->isEnabled());
  for (const char* name : {"chkHeader", "chkwTables", "chkRaw"}) {
    EXPECT_FALSE(check(name)->isEnabled()) << name;
  }
  for (const char* name : {"cmdDump", "cmdInsert", "cmdStrip", "cmdSearch", "cmdCompare",
                           "cmdFDSSplit", "cmdFDSMerge"}) {
    EXPECT_FALSE(button(name)->isEnabled()) << name;
  }
  for (const char* name : {"txtBlock", "txtStart", "txtEnd", "txtSearch"}) {
    EXPECT_TRUE(box(name)->isReadOnly()) << name;
    EXPECT_TRUE(box(name)->isEnabled()) << name;
  }
  QTest::keyClicks(box("txtStart"), "1");
  EXPECT_EQ(text("txtStart"), "8000");
  window->host().setStatus("Inserting Phrase 1A");
  window->host().setLabel(30, "0123");
  window->host().setLabel(41, "1A");
  window->host().setLabel(20, "not an Insert label");
  EXPECT_EQ(window->lbl(20)->text(), "Inserting Phrase 1A");
  EXPECT_EQ(window->lbl(30)->text(), "0123");
  EXPECT_EQ(window->lbl(41)->text(), "1A");
  EXPECT_TRUE(check("chkShowStrings")->isEnabled());
  click(check("chkShowStrings"));
  EXPECT_TRUE(window->host().showStrings());
  EXPECT_FALSE(window->host().cancelRequested());
  click(button("cmdCancel"));
  EXPECT_TRUE(window->host().cancelRequested());
  window->host().leaveBusy();
  EXPECT_EQ(window->size(), window->WindowSize(kIdleHeight));
  EXPECT_TRUE(button("cmdDump")->isEnabled());
  EXPECT_FALSE(box("txtStart")->isReadOnly());
  EXPECT_FALSE(window->host().cancelRequested());
}

TEST_F(WindowTest, YieldRunsTheEventLoopAtMostEveryFewMilliseconds) {
  window->host().enterBusy();
  bool delivered = false;
  QTimer::singleShot(0, window.get(), [&] { delivered = true; });
  window->host().yield();
  EXPECT_FALSE(delivered);
  QThread::msleep(WindowHost::kYieldIntervalMs + 5);
  window->host().yield();
  EXPECT_TRUE(delivered);
  // A Cancel press waiting in the queue is seen at the next yield.
  QTimer::singleShot(0, button("cmdCancel"), [this] { click(button("cmdCancel")); });
  QThread::msleep(WindowHost::kYieldIntervalMs + 5);
  window->host().yield();
  EXPECT_TRUE(window->host().cancelRequested());
  window->host().leaveBusy();
}

TEST_F(WindowTest, TableOnlyDumpWritesTheListingAndReturnsToIdle) {
  TempDir dir;
  const std::string rom = dir.write("game.nes", TestRom(0x4000));
  click(option("opFeatures", 0));
  retype("txtStart", "6000");  // below Base: moved up when the job starts
  retype("txtEnd", "7000");    // then below Start: moved up to Start
  dialogs->answers[Dialog::OpenNES].push_back(QString::fromStdString(rom));
  bool busyWhileAsked = false;
  dialogs->onOpen = [&] { busyWhileAsked = window->model().busy(); };
  click(button("cmdDump"));
  EXPECT_TRUE(busyWhileAsked);
  EXPECT_EQ(dialogs->asked, std::vector<Dialog>{Dialog::OpenNES});
  EXPECT_TRUE(dialogs->errors.isEmpty() && dialogs->warnings.isEmpty());
  EXPECT_EQ(text("txtStart"), "8000");
  EXPECT_EQ(text("txtEnd"), "8000");
  const std::string listing = Slurp(dir.file("game.asm.txt"));
  EXPECT_EQ(listing.rfind("Morvane Pro - Version 15.12.14\r\n", 0), 0u);
  EXPECT_NE(listing.find("; Table 8000 thru 8000\r\n"), std::string::npos);
  EXPECT_NE(listing.find("8000:\t\t.byte $00\t;"), std::string::npos);
  EXPECT_FALSE(window->model().busy());
  EXPECT_TRUE(button("cmdDump")->isEnabled());
  EXPECT_EQ(window->size(), window->WindowSize(kIdleHeight));
  EXPECT_EQ(Slurp(rom), TestRom(0x4000));
}

TEST_F(WindowTest, CodeDumpWithoutTablesFromTheBundledOpCodes) {
  TempDir dir;
  const std::string rom = dir.write("sample.nes", Slurp(MORVANE_SAMPLES_DIR "/sample.nes"));
  click(check("chkwTables"));
  dialogs->answers[Dialog::OpenNES].push_back(QString::fromStdString(rom));
  dialogs->answers[Dialog::OpenTXT].push_back(window->host().offered(Dialog::OpenTXT));
  click(button("cmdDump"));
  EXPECT_EQ(dialogs->asked, (std::vector<Dialog>{Dialog::OpenNES, Dialog::OpenTXT}));
  EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join("\n").toStdString();
  EXPECT_TRUE(dialogs->warnings.isEmpty()) << dialogs->warnings.join("\n").toStdString();
  EXPECT_NE(Slurp(dir.file("sample.asm.txt")).find("; Lines 8000 thru BFFF\r\n"),
            std::string::npos);
  EXPECT_TRUE(dir.exists("Tables.txt"));
  EXPECT_FALSE(window->model().busy());
}

TEST_F(WindowTest, DialogsRememberTheLastFileAndReportCancel) {
  const QString opCodes = window->host().offered(Dialog::OpenTXT);
  EXPECT_TRUE(opCodes.endsWith("Op_Codes_NES.txt")) << opCodes.toStdString();
  EXPECT_TRUE(QFileInfo::exists(opCodes)) << "the bundled file is offered";
  EXPECT_EQ(window->host().offered(Dialog::OpenNES), "");
  TempDir dir;
  const QString rom = QString::fromStdString(dir.write("game.nes", TestRom(0x100)));
  click(option("opFeatures", 0));
  dialogs->answers[Dialog::OpenNES] = {rom, std::nullopt};
  click(button("cmdDump"));
  click(button("cmdDump"));
  ASSERT_EQ(dialogs->offered.size(), 2);
  EXPECT_EQ(dialogs->offered[0], "");
  EXPECT_EQ(dialogs->offered[1], rom);
  // Cancel ends the job quietly and leaves the window idle.
  EXPECT_TRUE(dialogs->errors.isEmpty() && dialogs->warnings.isEmpty());
  EXPECT_FALSE(window->model().busy());
}

TEST_F(WindowTest, JobErrorsReachTheErrorBox) {
  TempDir dir;
  click(option("opFeatures", 0));
  dialogs->answers[Dialog::OpenNES].push_back(QString::fromStdString(dir.file("missing.nes")));
  click(button("cmdDump"));
  ASSERT_EQ(dialogs->errors.size(), 1);
  EXPECT_TRUE(dialogs->errors[0].startsWith("Error #53 -> ")) << dialogs->errors[0].toStdString();
  EXPECT_TRUE(dialogs->errors[0].contains("\r\n\r\nDump Error"));
  EXPECT_FALSE(window->model().busy());
}

TEST_F(WindowTest, EveryJobEndsIdleWhenItsFirstDialogIsCancelled) {
  for (int mode = 0; mode < 5; ++mode) {
    click(option("opFeatures", mode));
    for (const JobSpec& job : Jobs()) {
      if (job.window == Reach::CommandLine) continue;
      const auto asked = dialogs->asked.size();
      window->runJob(job);
      EXPECT_GT(dialogs->asked.size(), asked) << job.name;
      EXPECT_FALSE(window->model().busy());
      EXPECT_TRUE(button("cmdDump")->isEnabled());
    }
  }
  EXPECT_TRUE(dialogs->errors.isEmpty()) << dialogs->errors.join("\n").toStdString();
}

TEST_F(WindowTest, CancelPressedDuringASearchStopsIt) {
  TempDir dir;
  const std::string rom = dir.write("big.bin", std::string(std::size_t{1} << 20, '\0'));
  dialogs->answers[Dialog::OpenNES].push_back(QString::fromStdString(rom));
  // The press waits in the event queue until the job hands control to it.
  QTimer::singleShot(0, button("cmdCancel"), [this] { click(button("cmdCancel")); });
  click(button("cmdSearch"));
  const std::string report = Slurp(dir.file("big Output (incomplete).txt"));
  EXPECT_NE(report.find("CANCELED at "), std::string::npos) << report;
  EXPECT_FALSE(window->model().busy());
  EXPECT_TRUE(dialogs->errors.isEmpty());
}

TEST_F(WindowTest, ClosingDuringAJobWaitsForTheJobToEnd) {
  TempDir dir;
  click(option("opFeatures", 0));
  dialogs->answers[Dialog::OpenNES].push_back(
      QString::fromStdString(dir.write("game.nes", TestRom(0x100))));
  bool stillOpen = false;
  dialogs->onOpen = [&] {
    window->close();
    stillOpen = window->isVisible();
  };
  click(button("cmdDump"));
  EXPECT_TRUE(stillOpen);
  EXPECT_TRUE(dir.exists("game.asm.txt"));
  EXPECT_FALSE(window->isVisible());
}

}  // namespace morvane
