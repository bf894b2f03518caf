#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextBlock>

#include "WindowFixture.h"
#include "gui/HelpText.h"

namespace morvane {

namespace {

// Lets windows closed with OK finish unloading.
void Unload() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void Trigger(FrmMorvane& window, const char* action) {
  window.findChild<QAction*>(action)->trigger();
}

}  // namespace

TEST_F(WindowTest, HowToOpensOnPartOneEveryTimeItIsLoaded) {
  Trigger(*window, "mnuHowTo");
  FrmHowTo* howTo = window->howTo();
  ASSERT_NE(howTo, nullptr);
  EXPECT_EQ(howTo->windowTitle(), "How To Use Morvane");
  EXPECT_FALSE(howTo->isModal());
  EXPECT_EQ(howTo->part(), 0);
  auto* part3 = howTo->findChild<QRadioButton*>("optPart(2)");
  EXPECT_EQ(part3->text(), "Part 3 - File Formats: GAME Tables.txt and GAME Text.txt");
  click(part3);
  for (int i = 0; i < 3; ++i) {
    auto* text = howTo->findChild<QPlainTextEdit*>(QString("txtHowTo(%1)").arg(i));
    auto* shape = howTo->findChild<QFrame*>(QString("Shape(%1)").arg(i));
    EXPECT_EQ(text->isVisible(), i == 2) << i;
    EXPECT_EQ(shape->isVisible(), i == 2) << i;
    EXPECT_FALSE(text->toPlainText().isEmpty()) << i;
  }
  click(howTo->findChild<QPushButton*>("cmdOK"));
  Unload();
  EXPECT_EQ(window->howTo(), nullptr);
  Trigger(*window, "mnuHowTo");
  ASSERT_NE(window->howTo(), nullptr);
  EXPECT_EQ(window->howTo()->part(), 0);
  EXPECT_TRUE(window->howTo()->findChild<QPlainTextEdit*>("txtHowTo(0)")->isVisible());
}

TEST_F(WindowTest, HowToHasContentsAndFindsTextInAllParts) {
  Trigger(*window, "mnuHowTo");
  FrmHowTo* howTo = window->howTo();
  auto* contents = howTo->findChild<QListWidget*>("lstContents");
  ASSERT_NE(contents, nullptr);
  QStringList entries;
  for (int i = 0; i < contents->count(); ++i) entries << contents->item(i)->text();
  EXPECT_EQ(entries.filter(QRegularExpression("^PART \\d")).size(), 3)
      << entries.join("|").toStdString();
  EXPECT_TRUE(entries.contains("    THE MAIN WINDOW")) << entries.join("|").toStdString();
  // The last heading is in part 3: choosing it shows its line.
  contents->setCurrentRow(contents->count() - 1);
  EXPECT_EQ(howTo->part(), 2);
  auto* part3 = howTo->findChild<QPlainTextEdit*>("txtHowTo(2)");
  EXPECT_EQ("    " + part3->textCursor().block().text().trimmed(), entries.last());
  // Ctrl+F from part 1 finds the heading in part 3, and F3 goes round again.
  contents->setCurrentRow(0);
  howTo->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(howTo));
  QTest::keyClick(howTo, Qt::Key_F, Qt::ControlModifier);
  QTest::keyClicks(QApplication::focusWidget(), entries.last().trimmed());
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
  EXPECT_EQ(howTo->part(), 2);
  EXPECT_EQ(part3->textCursor().selectedText(), entries.last().trimmed());
  EXPECT_FALSE(howTo->find("no such words in the help"));
  EXPECT_EQ(howTo->findChild<QLabel*>("lblFound")->text(),
            "\"no such words in the help\" is not in the help.");
}

TEST_F(WindowTest, AboutCyclesThroughSevenPages) {
  Trigger(*window, "mnuAbout");
  FrmAbout* about = window->about();
  ASSERT_NE(about, nullptr);
  EXPECT_EQ(about->windowTitle(), "About Morvane");
  EXPECT_EQ(about->shownPage(), 1);
  auto* next = about->findChild<QPushButton*>("cmdWindow");
  auto* page = about->findChild<QLabel*>("lbl");
  EXPECT_EQ(next->text(), "Display Current Features");
  EXPECT_TRUE(about->findChild<QLabel*>("lbl2")->text().contains(
      "A powerful utility for doing all sorts of things to ROM files!"));
  const int expected[] = {2, 3, 4, 5, 6, 7, 1, 2, 3};
  for (int shown : expected) {
    click(next);
    EXPECT_EQ(about->shownPage(), shown);
    const AboutPage& want = AboutPageAt(shown - 1);
    EXPECT_EQ(next->text(), want.nextCaption);
    EXPECT_EQ(page->palette().color(QPalette::Window), want.background);
  }
  EXPECT_EQ(AboutPageAt(6).background, QColor(128, 0, 0));
  EXPECT_STREQ(AboutPageAt(6).nextCaption, "Display Credits");
  // A click on the page itself turns the page too.
  QTest::mouseClick(page, Qt::LeftButton);
  EXPECT_EQ(about->shownPage(), 4);
}

TEST_F(WindowTest, LicenseAndHelpWindowsStayOpenBesideABusyWindow) {
  Trigger(*window, "mnuLicense");
  FrmLicense* license = window->license();
  ASSERT_NE(license, nullptr);
  EXPECT_EQ(license->windowTitle(), "Morvane Pro Licensing");
  auto* text = license->findChild<QPlainTextEdit*>("txtLicense");
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(text->toPlainText(), HelpText("License.txt"));
  EXPECT_FALSE(text->toPlainText().isEmpty());
  EXPECT_EQ(text->palette().color(QPalette::Base), QColor(255, 255, 192));

  Trigger(*window, "mnuHowTo");
  window->host().enterBusy();
  // Menus still work while a job runs; opening a window again shows the same one.
  Trigger(*window, "mnuLicense");
  EXPECT_EQ(window->license(), license);
  EXPECT_TRUE(license->isVisible());
  EXPECT_TRUE(window->howTo()->isVisible());
  window->host().leaveBusy();
  click(license->findChild<QPushButton*>("cmdOK"));
  Unload();
  EXPECT_EQ(window->license(), nullptr);
  EXPECT_NE(window->howTo(), nullptr);
}

}  // namespace morvane
