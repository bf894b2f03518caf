// The viewer as a desktop tool: it closes on Escape and Ctrl+W, new viewers
// step aside from the last, reports go to file offsets, and big files load
// off the window's thread with their progress shown.
#include <QApplication>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>

#include "JobFixture.h"

namespace morvane {
namespace {

class ViewerTest : public JobTest {
 protected:
  FrmViewer* openLoaded(const std::string& path) {
    FrmViewer* viewer = window->openViewer(QString::fromStdString(path));
    viewer->finishLoading();
    return viewer;
  }
};

TEST_F(ViewerTest, EscapeAndCtrlWCloseAndNewViewersStepAside) {
  FrmViewer* first = openLoaded(dir.write("a.txt", "one\r\n"));
  FrmViewer* second = openLoaded(dir.write("b.txt", "two\r\n"));
  EXPECT_EQ(second->pos(), first->pos() + QPoint(FrmMorvane::kViewerStep, FrmMorvane::kViewerStep));
  const std::pair<FrmViewer*, QKeyCombination> cases[] = {
      {first, QKeyCombination(Qt::Key_Escape)},
      {second, QKeyCombination(Qt::ControlModifier, Qt::Key_W)}};
  for (const auto& [viewer, keys] : cases) {
    QPointer<FrmViewer> alive(viewer);
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    QTest::keyClick(viewer->view(), keys.key(), keys.keyboardModifiers());
    EXPECT_FALSE(viewer->isVisible());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(alive.isNull());
  }
}

TEST_F(ViewerTest, ReportsGoToTheLineOfAFileOffsetOfAnySize) {
  const std::string compare =
      "Morvane Pro\r\n--------------------\r\nDifferences between\r\nFile 1: a\r\n"
      "and\r\nFile 2: b\r\nStarting at byte 0\r\n\r\nAddress File1 File2\r\n"
      "00F1:   41   42\r\n1F000:   00   01\r\n123456789:   02   03\r\n";
  const std::string search =
      "Morvane Pro\r\n1 THE found @ 000F1 = THE = 13_07_04\r\n"
      "2 THE found @ 2A0000 = THE = 13_07_04\r\n";
  struct Case {
    const std::string* report;
    const char* typed;
    const char* line;  // "" when refused
  };
  const Case cases[] = {{&compare, "F1", "00F1:"},
                        {&compare, "$1F000", "1F000:"},
                        {&compare, "123456789", "12345"},
                        {&compare, "100", "1F000:"},
                        {&compare, "0x1F000", "1F000:"},
                        {&compare, "FFFFFFFFF", ""},
                        {&compare, "xyz", ""},
                        {&search, "f1", "1 THE"},
                        {&search, "2A0000h", "2 THE"}};
  for (const Case& c : cases) {
    FrmViewer* viewer = openLoaded(dir.write(c.report == &compare ? "c.txt" : "s.txt", *c.report));
    ASSERT_TRUE(viewer->isReport());
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    QTest::keyClick(viewer, Qt::Key_G, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), c.typed);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    const QString line = viewer->view()->textCursor().block().text();
    if (*c.line == '\0') {
      EXPECT_FALSE(viewer->goToAddress(c.typed)) << c.typed;
    } else {
      EXPECT_TRUE(line.startsWith(c.line)) << c.typed << ": " << line.toStdString();
    }
  }
}

TEST_F(ViewerTest, ABigFileLoadsOffTheThreadWithProgressAndCtrlEndWaitsForTheEnd) {
  // Lines of 64 characters, the last one marked.
  std::string text;
  for (int i = 0; text.size() < 6u << 20; ++i) text += QString("%1\n").arg(i, 63).toStdString();
  text += "the end";
  FrmViewer* viewer = window->openViewer(QString::fromStdString(dir.write("big.txt", text)));
  QStringList said;
  QObject::connect(viewer->statusBar(), &QStatusBar::messageChanged,
                   [&said](const QString& m) { said << m; });
  EXPECT_TRUE(viewer->loading());
  viewer->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
  QTest::keyClick(viewer->view(), Qt::Key_End, Qt::ControlModifier);
  QTRY_VERIFY_WITH_TIMEOUT(!viewer->loading(), 120000);
  EXPECT_EQ(viewer->view()->textCursor().block().text(), "the end");
  EXPECT_TRUE(said.filter("Loading: ").size() > 1) << said.join(" | ").toStdString();
  EXPECT_EQ(said.last(), QString("%1 bytes").arg(text.size()));
}

}  // namespace
}  // namespace morvane
