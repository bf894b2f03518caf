// What the window adds around its frames: the results panel, the viewer with
// its go-to-address, dropped files and recent files.
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QToolButton>

#include "JobFixture.h"
#include "gui/FileKinds.h"
#include "gui/ListingAddresses.h"
#include "gui/Preferences.h"

namespace morvane {
namespace {

class AdditionsTest : public JobTest {
 protected:
  // An 8-bit Code dump of the sample, with or without its Table List.
  std::string dumpSample(bool withTables) {
    if (check("chkwTables")->isChecked() != withTables) click(check("chkwTables"));
    answer(Dialog::OpenNES, copySample("sample.nes"));
    answer(Dialog::OpenTXT, copySample("Op_Codes_NES.txt"));
    if (withTables) {
      answer(Dialog::OpenTableTXT, copySample("sample_tables.txt"));
      answer(Dialog::OpenTBL, copySample("sample.tbl"));
    }
    click(button("cmdDump"));
    expectRanCleanly();
    return dir.file("sample.asm.txt");
  }
  QList<QWidget*> fileRows() const {
    return window->results()->findChildren<QWidget*>("resultFile");
  }
  // The heading of the newest entry.
  QString heading() const {
    return window->results()->findChildren<QLabel*>("lblResult").constLast()->text();
  }
  void drop(const std::string& path, QWidget* on) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
    const QPoint at = on->mapTo(window.get(), on->rect().center());
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(window.get(), &dropped);
    QCoreApplication::processEvents();
  }
};

TEST_F(AdditionsTest, AJobsEntryListsItsFilesAndOpenShowsThemInTheViewer) {
  const std::string listing = dumpSample(false);
  ResultsPanel* panel = window->results();
  ASSERT_EQ(panel->entryCount(), 1);
  EXPECT_TRUE(heading().contains("Dump / Disassemble (8-bit Code): Done"))
      << heading().toStdString();
  QStringList paths;
  for (QWidget* row : fileRows()) paths << row->property("path").toString();
  EXPECT_EQ(paths, QStringList({QString::fromStdString(listing),
                                QString::fromStdString(dir.file("Tables.txt"))}));
  // The panel sits below the window, whose client keeps its idle height.
  QWidget* client = window->lbl(20)->parentWidget();
  EXPECT_EQ(client->height() + window->menuBar()->height(),
            FrmMorvane::ClientSize(kIdleHeight).height());
  EXPECT_GE(panel->mapTo(window.get(), QPoint(0, 0)).y(),
            client->mapTo(window.get(), QPoint(0, client->height())).y());

  QUrl shown;
  panel->openUrl = [&shown](const QUrl& url) { return shown = url, true; };
  click(fileRows()[1]->findChild<QPushButton*>("cmdShowInFolder"));
  EXPECT_EQ(shown, QUrl::fromLocalFile(QString::fromStdString(dir.path())));
  click(fileRows()[0]->findChild<QPushButton*>("cmdOpen"));
  ASSERT_EQ(window->viewers().size(), 1u);
  FrmViewer* viewer = window->viewers().front();
  EXPECT_EQ(viewer->path(), QString::fromStdString(listing));
  viewer->finishLoading();
  std::string bytes = Slurp(listing);
  std::erase(bytes, '\r');
  EXPECT_TRUE(viewer->view()->toPlainText().toStdString() == bytes);
  // A failed job has its entry too, with the error it showed.
  answer(Dialog::OpenNES, dir.file("missing.nes"));
  click(button("cmdSearch"));
  ASSERT_EQ(panel->entryCount(), 2);
  EXPECT_TRUE(heading().contains("Relative Search: Failed")) << heading().toStdString();
  const auto boxes = panel->findChildren<QLabel*>("lblResultBox");
  ASSERT_EQ(boxes.size(), 1);
  EXPECT_EQ(boxes[0]->text(), QString(dialogs->errors.value(0)).replace("\r\n", "\n"));
}

TEST_F(AdditionsTest, GoToAddressLandsOnTheLineOfTheAddress) {
  struct Case {
    const char* typed;
    const char* lineStart;  // both listings
  };
  const Case cases[] = {{"8000", "_8000:\tsei"},
                        {"$8002", "\t\tldx #$ff"},
                        {"8003", "\t\tldx #$ff"},
                        {"803b", "lbl_803b:"},
                        {"803C", "lbl_803b:"},
                        {"8049", "lbl_8049:\trts"},
                        {"804c", "tbl_804c:\t.byte $54"},
                        {"804e", "\t\t.byte $61"}};
  for (bool withTables : {false, true}) {
    const std::string listing = dumpSample(withTables);
    FrmViewer* viewer = window->openViewer(QString::fromStdString(listing));
    viewer->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(viewer));
    for (const Case& c : cases) {
      if (!withTables && c.lineStart[2] == '.') continue;  // data without a Table List
      QTest::keyClick(viewer, Qt::Key_G, Qt::ControlModifier);
      QTest::keyClicks(QApplication::focusWidget(), c.typed);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      const QString line = viewer->view()->textCursor().block().text();
      EXPECT_TRUE(line.startsWith(c.lineStart))
          << withTables << " " << c.typed << ": " << line.toStdString();
    }
    EXPECT_FALSE(viewer->goToAddress("C000"));
    EXPECT_FALSE(viewer->goToAddress("12345"));
    // Counting from one label always arrives at the next: every line's size is right.
    ListingAddresses places;
    std::optional<int> next;
    int labelled = 0;
    for (QTextBlock b = viewer->view()->document()->firstBlock(); b.isValid(); b = b.next()) {
      const auto place = places.next(b.text());
      if (!place) continue;
      if (next && b.text().contains(":\t") && !b.text().startsWith('\t')) {
        ++labelled;
        EXPECT_EQ(place->address, *next) << b.text().toStdString();
      }
      next = place->address + place->size;
    }
    EXPECT_GT(labelled, 10);
    EXPECT_TRUE(viewer->find("rts"));
    EXPECT_TRUE(viewer->view()->textCursor().block().text().contains("\trts"));
    viewer->close();
  }
}

TEST_F(AdditionsTest, ADropOnAJobButtonRunsTheJobWithTheFile) {
  const std::string rom = copySample("sample.nes");
  drop(rom, button("cmdSearch"));
  EXPECT_TRUE(dialogs->asked.empty());
  EXPECT_TRUE(dir.exists("sample Output.txt"));
  expectIdle();
  EXPECT_EQ(Preferences::RecentFiles(Dialog::OpenNES).value(0), QString::fromStdString(rom));
  // A file the job does not read runs nothing.
  drop(copySample("sample.tbl"), button("cmdFDSSplit"));
  EXPECT_EQ(dialogs->notices.size(), 1);
  EXPECT_EQ(window->results()->entryCount(), 1);
  // Elsewhere on the window a drop only fills the dialog it answers.
  const std::string tables = copySample("sample_tables.txt");
  drop(tables, window->lbl(2));
  EXPECT_EQ(window->host().offered(Dialog::OpenTableTXT), QString::fromStdString(tables));
  EXPECT_EQ(window->results()->entryCount(), 1);
}

TEST_F(AdditionsTest, ThePanelFoldsAwayAndAFilesEncodingIsRemembered) {
  const QSize open = window->size();
  click(window->results()->findChild<QToolButton*>("cmdResults"));
  EXPECT_EQ(window->size(), window->WindowSize(kIdleHeight));
  EXPECT_EQ(open.height() - window->height(), ResultsPanel::kBodyHeight);
  window->saveSettings();
  FrmMorvane next([] { return 0; });
  next.restoreSettings();
  EXPECT_FALSE(next.results()->expanded());
  EXPECT_EQ(next.size(), window->size());
  const QString script = QString::fromStdString(dir.write("script.txt", "\x82\xA0\r\n"));
  FrmViewer* viewer = window->openViewer(script);
  EXPECT_EQ(viewer->encoding(), TextEncoding::ShiftJis);
  viewer->setEncoding(TextEncoding::Bytes);
  viewer->close();
  EXPECT_EQ(window->openViewer(script)->encoding(), TextEncoding::Bytes);
}

TEST(ListingAddressesTest, AScriptDumpGoesToThePhraseHoldingTheAddress) {
  const QStringList lines = {
      "; Table 8054 thru 8093", "0:8054:", "HELLO WORLD!", "0", "", "1:8061:",
      "THIS IS A SAMPLE",       "1"};
  const auto line = [&](int i) { return lines[i]; };
  const std::pair<int, int> cases[] = {
      {0x8054, 1}, {0x8060, 1}, {0x8061, 5}, {0x9000, 5}, {0x8000, -1}};
  for (const auto& [address, expected] : cases) {
    EXPECT_EQ(LineOfAddress(static_cast<int>(lines.size()), line, address), expected) << address;
  }
}

TEST(FileKindsTest, EachKindOfFileAnswersItsDialogs) {
  using D = Dialog;
  struct Case {
    const char* name;
    std::string bytes;
    std::vector<Dialog> dialogs;
  };
  const Case cases[] = {
      {"game.NES", "NES\x1A", {D::OpenNES, D::OpenFDS}},
      {"game.bin", "", {D::OpenNES}},
      {"disk.fds", "FDS\x1A", {D::OpenFDS, D::OpenNES}},
      {"game.tbl", "41=A\r\n", {D::OpenTBL}},
      {"game.sjs", "", {D::OpenSJS}},
      {"tiles.bmp", "BM", {D::OpenBmp}},
      {"tables.txt", "Start\tEnd\tWidth\r\n", {D::OpenTableTXT}},
      {"script.txt", "title\r\nPhrases\t0\t3\r\n", {D::OpenSJS}},
      {"mine.txt", "; ops\r\nA\tImp\t\t\r\n", {D::OpenTXT}},
      {"Op_Codes_6502.txt", "", {D::OpenTXT}},
      {"disk FDS Files.txt", "", {D::OpenTXT}},
      {"sample.asm.txt", "Morvane Pro - Version 15.12.14\r\n", {}},
      {"notes.doc", "", {}},
  };
  TempDir dir;
  for (const Case& c : cases) {
    EXPECT_EQ(DialogsFor(QString::fromStdString(dir.write(c.name, c.bytes))), c.dialogs) << c.name;
  }
  EXPECT_TRUE(IsTextFile(QString::fromStdString(dir.file("tables.txt"))));
  EXPECT_FALSE(IsTextFile(QString::fromStdString(dir.write("zero.bin", std::string(3, '\0')))));
}

TEST(TextEncodingTest, GuessesAndDecodesEachEncoding) {
  struct Case {
    QByteArray bytes;
    TextEncoding guess;
    QString text;
  };
  const Case cases[] = {
      {"A\tB\r\nC\r\n", TextEncoding::Bytes, "A\tB\nC\n"},
      {"\xE3\x81\x82\xE2\x86\x93\r\n", TextEncoding::Utf8,
       QString::fromUtf8("\xE3\x81\x82\xE2\x86\x93\n")},
      {"\x82\xA0\x81\xAB", TextEncoding::ShiftJis, QString::fromUtf8("\xE3\x81\x82\xE2\x86\x93")},
      {"\xFF\xFE\x80", TextEncoding::Bytes, QString::fromLatin1("\xFF\xFE\x80")},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GuessEncoding(c.bytes), c.guess) << c.bytes.toHex().toStdString();
    EXPECT_EQ(DecodeText(c.bytes, c.guess), c.text) << c.bytes.toHex().toStdString();
    EXPECT_EQ(EncodingNamed(EncodingName(c.guess)), c.guess);
  }
}

}  // namespace
}  // namespace morvane
