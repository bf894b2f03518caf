// The results panel as a user meets it: long entries that keep their buttons
// in sight, the panel in a window of its own, entries that say what ran, and
// buttons that say when the desktop cannot act on them.
#include <QAction>
#include <QScrollArea>

#include "JobFixture.h"
#include "gui/Preferences.h"

namespace morvane {
namespace {

class ResultsTest : public JobTest {
 protected:
  ResultsPanel* panel() const { return window->results(); }
  QString heading() const {
    return panel()->findChildren<QLabel*>("lblResult").constLast()->text();
  }
  // Every "Open" and "Show in folder" lies inside the panel's visible width.
  void expectButtonsInSight() const {
    QWidget* viewport = panel()->findChild<QScrollArea*>("scrResults")->viewport();
    const auto buttons = panel()->findChildren<QPushButton*>();
    ASSERT_FALSE(buttons.isEmpty());
    for (QPushButton* b : buttons) {
      const QRect at(b->mapTo(viewport, QPoint(0, 0)), b->size());
      EXPECT_GE(at.left(), 0) << b->objectName().toStdString();
      EXPECT_LE(at.right(), viewport->width()) << b->objectName().toStdString();
    }
  }
};

TEST_F(ResultsTest, LongEntriesWrapAndKeepTheirButtonsInSight) {
  const int width = window->width();
  const QString longName = "PRAM 6000-9FFF SAMPLE-- 1A[00]00" + QString(120, 'X') + ".nes";
  for (const QString& status :
       {"Search Done: 898 THE found @ " + QString(80, '9') + " " + QString(400, 'Z'),
        "Nothing in range: " + QString::fromStdString(dir.path()) + QString(200, 'q')}) {
    JobRecord record{QDateTime::currentDateTime(),
                     "Relative Search",
                     Outcome::Done,
                     status,
                     {QString(300, 'E')},
                     {dir.path().c_str() + QString("/") + longName, "a.txt"}};
    panel()->add(record);
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(window->width(), width);
  expectButtonsInSight();
}

TEST_F(ResultsTest, ThePanelTearsOffIntoAWindowThatResizesAndIsRemembered) {
  const QSize docked = window->size();
  window->findChild<QAction*>("mnuResultsOwnWindow")->trigger();
  QWidget* own = window->resultsWindow();
  ASSERT_NE(own, nullptr);
  EXPECT_TRUE(own->isVisible());
  EXPECT_TRUE(own->isAncestorOf(panel()));
  EXPECT_TRUE(Preferences::ResultsOwnWindow());
  // The main window loses the panel's height and keeps its width.
  EXPECT_EQ(window->size(), docked - QSize(0, panel()->kHeaderHeight + panel()->kBodyHeight));
  own->resize(700, 600);
  QCoreApplication::processEvents();
  EXPECT_GT(panel()->height(), 500);
  EXPECT_GT(panel()->width(), 650);
  panel()->add({QDateTime::currentDateTime(), "Strip", Outcome::Done, "Done", {}, {"x.txt"}});
  expectButtonsInSight();
  // Closing its window puts the panel back below the controls.
  own->close();
  QCoreApplication::processEvents();
  EXPECT_FALSE(own->isAncestorOf(panel()));
  EXPECT_TRUE(panel()->isVisible());
  EXPECT_EQ(window->size(), docked);
  EXPECT_FALSE(Preferences::ResultsOwnWindow());
}

TEST_F(ResultsTest, DumpEntriesNameTheirModeAndInsertItsBlocks) {
  struct Case {
    int mode;
    bool trace;
    QString caption;
  };
  for (const Case& c : {Case{0, false, "Dump / Disassemble (Table Only): Done"},
                        Case{4, false, "Dump / Disassemble (8-bit Code): Done"},
                        Case{4, true, "Dump / Disassemble (8-bit Code, traced): Done"}}) {
    click(option("opFeatures", c.mode));
    if (c.mode == 4 && check("chkwTables")->isChecked()) click(check("chkwTables"));
    if (c.mode == 4 && check("chkTrace")->isChecked() != c.trace) click(check("chkTrace"));
    answer(Dialog::OpenNES, copySample("sample.nes"));
    if (c.mode == 4) answer(Dialog::OpenTXT, copySample("Op_Codes_NES.txt"));
    click(button("cmdDump"));
    EXPECT_TRUE(heading().contains(c.caption)) << heading().toStdString();
  }
}

TEST_F(ResultsTest, OpenAndShowInFolderSaySoWhenTheDesktopCannot) {
  const QString file =
      QString::fromStdString(dir.write("game.nes", std::string("NES\x1A\0\0\xFF", 7)));
  panel()->openUrl = [](const QUrl&) { return false; };
  panel()->add({QDateTime::currentDateTime(), "Insert", Outcome::Done, "", {}, {file}});
  QLabel* header = panel()->findChild<QLabel*>("lblLastResult");
  click(panel()->findChild<QPushButton*>("cmdShowInFolder"));
  EXPECT_TRUE(header->text().startsWith("Nothing on this desktop shows folders"))
      << header->text().toStdString();
  click(panel()->findChild<QPushButton*>("cmdOpen"));
  EXPECT_TRUE(header->text().startsWith("Nothing on this desktop opens game.nes"))
      << header->text().toStdString();
}

}  // namespace
}  // namespace morvane
