// The Tiles window driven as a user does: open a ROM, scroll, click tiles,
// type their characters, save and load tables, continue a search's draft.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QMouseEvent>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <algorithm>
#include <deque>

#include "gui/FrmMorvane.h"
#include "gui/FrmTiles.h"
#include "gui/NesSwatches.h"
#include "gui/Preferences.h"
#include "gui/TileCanvas.h"
#include "patch/PatchFormat.h"
#include "support/TempDir.h"

namespace morvane {
namespace {

class ScriptedTilesDialogs : public TilesDialogs {
 public:
  std::optional<QString> openFile(QWidget*, Open) override { return next(opens); }
  std::optional<QString> saveTable(QWidget*, const QString& offer) override {
    offered << offer;
    return next(saves);
  }
  std::optional<int> chooseHit(QWidget*, const QStringList& list) override {
    hits = list;
    return hit;
  }
  void warningBox(QWidget*, const QString&, const QString& text) override { warnings << text; }
  bool confirmDiscard(QWidget*) override {
    ++discardAsked;
    return discard;
  }
  bool confirmDiscardEdits(QWidget*) override {
    ++editsAsked;
    return discardEdits;
  }

  std::deque<QString> opens, saves;
  std::optional<int> hit;
  bool discard = true, discardEdits = true;
  int discardAsked = 0, editsAsked = 0;
  QStringList offered, hits, warnings;

 private:
  static std::optional<QString> next(std::deque<QString>& queue) {
    if (queue.empty()) return std::nullopt;
    QString answer = queue.front();
    queue.pop_front();
    return answer;
  }
};

class TilesWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    auto scripted = std::make_unique<ScriptedTilesDialogs>();
    dialogs = scripted.get();
    window.setDialogs(std::move(scripted));
    window.show();
    rom = dir.write("sample.nes", Slurp(MORVANE_SAMPLES_DIR "/sample.nes"));
    dialogs->opens.push_back(QString::fromStdString(rom));
    click("cmdOpenRom");
  }
  template <typename W>
  W* find(const char* name) {
    W* widget = window.findChild<W*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }
  void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
  QString offset() { return find<QLineEdit>("txtOffset")->text(); }
  // The middle of the cell of tile n counted from the view's first tile.
  QPoint cellOf(int n) {
    const int cell = 8 * window.view()->zoom();
    return {n % 16 * cell + cell / 2, n / 16 * cell + cell / 2};
  }
  QStringList listed() {
    QStringList lines;
    for (int i = 0; i < find<QListWidget>("lstTable")->count(); ++i) {
      lines << find<QListWidget>("lstTable")->item(i)->text();
    }
    return lines;
  }

  TempDir dir;
  FrmTiles window;
  ScriptedTilesDialogs* dialogs = nullptr;
  std::string rom;
};

TEST_F(TilesWindowTest, OpensAtChrRomAndScrolls) {
  EXPECT_EQ(offset(), "08010");
  const long long page = static_cast<long long>(window.view()->pageBytes());
  const struct {
    const char* button;
    long long to;
  } steps[] = {{"cmdByteForward", 0x8011}, {"cmdTileForward", 0x8021},
               {"cmdRowForward", 0x8121},  {"cmdPageForward", 0x8121 + page},
               {"cmdPageBack", 0x8121},    {"cmdRowBack", 0x8021},
               {"cmdTileBack", 0x8011},    {"cmdByteBack", 0x8010}};
  for (const auto& s : steps) {
    click(s.button);
    EXPECT_EQ(offset().toLongLong(nullptr, 16), s.to) << s.button;
  }
  QLineEdit* box = find<QLineEdit>("txtOffset");
  box->setText("10");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(offset(), "00010");
  box->setText("FFFFFF");
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(offset(), "0A00F");  // the last byte of the file
}

TEST_F(TilesWindowTest, ZoomTileFormatAndPalette) {
  TileView* view = window.view();
  find<QSpinBox>("spnZoom")->setValue(2);
  QComboBox* palette = find<QComboBox>("cboPalette");
  palette->setCurrentText("102030,000000,000000,FF80");  // not yet a palette: kept, shown in red
  EXPECT_EQ(palette->lineEdit()->styleSheet(), "color: red");
  palette->setCurrentText("102030,000000,000000,FF8000");
  EXPECT_EQ(palette->lineEdit()->styleSheet(), "");
  const QImage shown = view->grab().toImage();
  // H's top-left pixel (column 1, row 0 of tile 48h) at zoom 2, and the blank tile 20h.
  EXPECT_EQ(shown.pixel(8 * 16 + 2, 4 * 16) & 0xFFFFFFu, 0xFF8000u);
  EXPECT_EQ(shown.pixel(cellOf(0x20)) & 0xFFFFFFu, 0x102030u);
  find<QComboBox>("cboBpp")->setCurrentIndex(1);  // 8 bytes a tile
  click("cmdTileForward");
  EXPECT_EQ(offset(), "08018");
  click("cmdRowForward");
  EXPECT_EQ(offset(), "08098");
}

TEST_F(TilesWindowTest, ClickTypeSaveAndLoad) {
  TileView* view = window.view();
  // The sample's font draws H (tile 48h) with its left column set.
  const QImage shown = view->grab().toImage();
  const QPoint h = cellOf(0x48) - QPoint(3 * view->zoom() - 1, 3 * view->zoom() - 1);
  EXPECT_EQ(shown.pixel(h) & 0xFFFFFFu, 0xFFFFFFu);
  EXPECT_EQ(shown.pixel(cellOf(0x20)) & 0xFFFFFFu, 0x000000u);

  QTest::mouseClick(view, Qt::LeftButton, {}, cellOf(0x48));
  QTest::keyClicks(view, "HIJ");
  QTest::keyClick(view, Qt::Key_Left);
  QTest::keyClick(view, Qt::Key_Delete);  // J again
  QTest::mouseClick(view, Qt::LeftButton, {}, cellOf(0x30));
  QTest::mouseClick(view, Qt::LeftButton, Qt::ShiftModifier, cellOf(0x32));
  QLineEdit* text = find<QLineEdit>("txtText");
  text->setText("012");
  QTest::keyClick(text, Qt::Key_Return);
  find<QComboBox>("cboEncoding")->setCurrentIndex(1);  // Shift-JIS
  QTest::mouseClick(view, Qt::LeftButton, {}, cellOf(0x60));
  QInputMethodEvent typed;  // あ, as an input method gives it
  typed.setCommitString(QString::fromUtf8("\xE3\x81\x82"));
  QApplication::sendEvent(view, &typed);
  QLineEdit* end = find<QLineEdit>("txtEndPhrase");
  end->setText("ff");
  QTest::keyClick(end, Qt::Key_Return);
  EXPECT_EQ(listed(), (QStringList{"/FF", "30=0", "31=1", "32=2", "48=H", "49=I",
                                   QString::fromUtf8("60=\xE3\x81\x82")}));

  // Sent straight to the view: QTest::mouseMove sends nothing when the pointer is already there.
  QMouseEvent move(QEvent::MouseMove, cellOf(0x48), view->mapToGlobal(cellOf(0x48)), Qt::NoButton,
                   Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(view, &move);
  EXPECT_EQ(find<QLabel>("lblHover")->text(), "Tile 048   byte 48   offset 08490   = H");

  const std::string saved = dir.file("font.tbl");
  dialogs->saves.push_back(QString::fromStdString(saved));
  click("cmdSaveTable");
  EXPECT_EQ(dialogs->offered, QStringList{QString::fromStdString(dir.file("sample.tbl"))});
  EXPECT_EQ(Slurp(saved), CrLf({"/FF", "30=0", "31=1", "32=2", "48=H", "49=I", "60=\x82\xA0"}));
  // Saving over the ROM is refused.
  dialogs->saves.push_back(QString::fromStdString(rom));
  click("cmdSaveTable");
  EXPECT_EQ(dialogs->warnings.size(), 1);
  EXPECT_EQ(Slurp(rom), Slurp(MORVANE_SAMPLES_DIR "/sample.nes"));

  dialogs->opens.push_back(MORVANE_SAMPLES_DIR "/sample.tbl");
  click("cmdLoadTable");
  EXPECT_EQ(listed().size(), 2 + 0x5B - 0x20);
  EXPECT_EQ(window.maker().table().text[0x5A], "Z");
}

TEST_F(TilesWindowTest, ContinuesTheDraftOfASearchHit) {
  const std::string report =
      dir.write("game Output.txt",
                CrLf({"banner", "--------------------", "1 THE found @ 00010 = ...", "20=A", "21=B",
                      "--------------------", "1 jsAI found @ 00400 = ...", "40=a", "41=i", "",
                      "40=\x82\xA0", "41=\x82\xA2", "--------------------"}));
  dialogs->opens.push_back(QString::fromStdString(report));
  dialogs->hit = 1;
  click("cmdSearchHit");
  EXPECT_EQ(dialogs->hits,
            (QStringList{"1 THE found @ 00010 = ...", "1 jsAI found @ 00400 = ..."}));
  // Shift-JIS kana: the window switches to Shift-JIS to show them.
  EXPECT_EQ(find<QComboBox>("cboEncoding")->currentText(), "Shift-JIS");
  EXPECT_EQ(listed(), (QStringList{QString::fromUtf8("40=\xE3\x81\x82"),
                                   QString::fromUtf8("41=\xE3\x81\x84")}));
}

TEST_F(TilesWindowTest, UnsavedChangesStayUntilTheUserLetsThemGo) {
  QTest::mouseClick(window.view(), Qt::LeftButton, {}, cellOf(0x41));
  QTest::keyClicks(window.view(), "A");
  dialogs->discard = false;
  dialogs->opens.push_back(MORVANE_SAMPLES_DIR "/sample.tbl");
  click("cmdLoadTable");
  EXPECT_FALSE(window.close());
  EXPECT_EQ(listed(), QStringList{"41=A"});
  EXPECT_EQ(dialogs->discardAsked, 2);
  dialogs->discard = true;
  EXPECT_TRUE(window.close());
}

// H is tile 48h of the sample's font, at 8490.
TEST_F(TilesWindowTest, DrawUndoRedoAndSaveACopy) {
  const std::string original = Slurp(rom);
  QTest::mouseClick(window.view(), Qt::LeftButton, {}, cellOf(0x48));
  TileCanvas* canvas = window.canvas();
  QTest::mouseClick(canvas, Qt::RightButton, {}, TileCanvas::centreOf(2, 3));
  const int old = window.edits().pixel(0x8490, 2, 2, 3);
  EXPECT_TRUE(find<QPushButton>(("cmdColour" + std::to_string(old)).c_str())->isChecked());
  click(("cmdColour" + std::to_string(old ^ 3)).c_str());
  QTest::mouseClick(canvas, Qt::LeftButton, {}, TileCanvas::centreOf(2, 3));
  std::string drawn = original;
  drawn[0x8490 + 3] ^= 0x20;  // row 3, pixel 2: bit 5 of both planes
  drawn[0x8490 + 3 + 8] ^= 0x20;
  EXPECT_EQ(window.edits().bytes(), drawn);
  EXPECT_TRUE(window.isWindowModified());

  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(&window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(window.edits().bytes(), original);
  EXPECT_FALSE(window.isWindowModified());
  QTest::keyClick(&window, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(window.edits().bytes(), drawn);

  Preferences::SetWritePatches("ips");
  click("cmdSaveRom");
  Preferences::SetWritePatches("");
  EXPECT_EQ(Slurp(dir.file("sample_Modified.nes")), drawn);
  EXPECT_EQ(ApplyPatch(original, Slurp(dir.file("sample_Modified.ips"))), drawn);
  EXPECT_EQ(Slurp(rom), original);
  EXPECT_TRUE(window.close());
  EXPECT_EQ(dialogs->editsAsked, 0);
}

TEST_F(TilesWindowTest, FillCopyPasteColoursAndUnsavedEdits) {
  const std::string original = Slurp(rom);
  QTest::mouseClick(window.view(), Qt::LeftButton, {}, cellOf(0x41));
  QTest::keyClicks(window.view(), "A");
  QTest::mouseClick(window.view(), Qt::LeftButton, {}, cellOf(0x41));
  click("cmdColour0");
  click("cmdFillTile");
  EXPECT_EQ(window.edits().bytes().substr(0x8420, 16), std::string(16, '\0'));
  // The table's text stays over the blank tile: its label darkens the cell's corner blue.
  const int cell = 8 * window.view()->zoom();
  const QRgb corner =
      window.view()->grab().toImage().pixel(cellOf(0x41) + QPoint(cell / 2 - 2, cell / 2 - 2));
  EXPECT_GT(qBlue(corner), 0);
  EXPECT_EQ(listed(), QStringList{"41=A"});

  click("cmdCopyTiles");
  QTest::mouseClick(window.view(), Qt::LeftButton, {}, cellOf(0x43));
  click("cmdPasteTiles");
  EXPECT_EQ(window.edits().bytes().substr(0x8440, 16), std::string(16, '\0'));
  click("cmdUndo");
  EXPECT_EQ(window.edits().bytes().substr(0x8440, 16), original.substr(0x8440, 16));
  click("cmdRedo");
  click("cmdUndo");
  click("cmdUndo");
  EXPECT_EQ(window.edits().bytes(), original);
  click("cmdRedo");

  // A NES colour replaces the pencil's colour in the palette, which is remembered.
  click("cmdColour2");
  QTest::mouseClick(window.findChild<NesSwatches*>("picNesColours"), Qt::LeftButton, {},
                    NesSwatches::centreOf(0x16));
  EXPECT_EQ(find<QComboBox>("cboPalette")->currentText(), "000000,555555,F83800,FFFFFF");
  EXPECT_EQ(Preferences::TilePalettes().value(0), "000000,555555,F83800,FFFFFF");

  dialogs->discardEdits = false;
  EXPECT_FALSE(window.close());
  EXPECT_EQ(dialogs->editsAsked, 1);
  dialogs->discardEdits = true;
  EXPECT_TRUE(window.close());
  EXPECT_FALSE(dir.exists("sample_Modified.nes"));
}

// Drops path on the window as a file manager does.
void Drop(QWidget* on, const QString& path) {
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(path)});
  const QPoint at = on->rect().center();
  QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(on, &enter);
  ASSERT_TRUE(enter.isAccepted());
  QDropEvent dropped(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(on, &dropped);
  QCoreApplication::processEvents();
}

TEST(TilesWindowStart, AHintUntilAFileIsDroppedAndAnEmptyFileIsReported) {
  FrmTiles window;
  auto scripted = std::make_unique<ScriptedTilesDialogs>();
  ScriptedTilesDialogs* dialogs = scripted.get();
  window.setDialogs(std::move(scripted));
  window.show();
  // The hint is drawn on the empty view: more than its background.
  const QImage empty = window.view()->grab().toImage();
  int drawn = 0;
  for (int y = 0; y < empty.height(); ++y) {
    for (int x = 0; x < empty.width(); ++x) drawn += empty.pixel(x, y) != empty.pixel(0, 0);
  }
  EXPECT_GT(drawn, 100) << "no hint";
  TempDir dir;
  Drop(&window, QString::fromStdString(dir.write("empty.nes", "")));
  ASSERT_EQ(dialogs->warnings.size(), 1);
  EXPECT_TRUE(dialogs->warnings[0].startsWith("The file is empty"))
      << dialogs->warnings[0].toStdString();
  Drop(&window, MORVANE_SAMPLES_DIR "/sample.nes");
  EXPECT_EQ(window.findChild<QLabel*>("lblFile")->text(), "sample.nes");
  Drop(&window, MORVANE_SAMPLES_DIR "/sample.tbl");
  EXPECT_EQ(window.maker().table().text[0x5A], "Z");
}

TEST_F(TilesWindowTest, PalettesByNameWithSwatches) {
  QComboBox* palette = find<QComboBox>("cboPalette");
  QStringList names;
  for (int i = 0; i < palette->count(); ++i) {
    names << palette->itemText(i);
    EXPECT_FALSE(palette->itemIcon(i).isNull()) << i;
  }
  EXPECT_EQ(names, (QStringList{"Grey", "Inverted", "Blue sky", "Brick", "Forest"}));
  palette->setCurrentIndex(4);
  EXPECT_EQ(palette->lineEdit()->styleSheet(), "");
  EXPECT_EQ(window.view()->grab().toImage().pixel(cellOf(0x20)) & 0xFFFFFFu, 0x0F380Fu);
}

TEST_F(TilesWindowTest, ASavedTableJoinsRecentFilesAndSaysWhere) {
  QLineEdit* end = find<QLineEdit>("txtEndPhrase");
  end->setText("FF");
  QTest::keyClick(end, Qt::Key_Return);
  const QString saved = QString::fromStdString(dir.file("mine.tbl"));
  dialogs->saves.push_back(saved);
  click("cmdSaveTable");
  EXPECT_EQ(Preferences::RecentFiles(Dialog::OpenTBL).value(0), saved);
  EXPECT_TRUE(find<QLabel>("lblSaved")->text().endsWith(QDir::toNativeSeparators(saved)));
}

TEST(TilesMenu, ToolsTilesOpensOneTilesWindowThatMayKeepTheProgramOpen) {
  FrmMorvane main([] { return 0; });
  main.show();
  QAction* tiles = main.findChild<QAction*>("mnuTiles");
  ASSERT_NE(tiles, nullptr);
  // One Tools menu, shared with the other tools.
  const auto menus = main.menuBar()->actions();
  EXPECT_EQ(std::count_if(menus.begin(), menus.end(),
                          [](QAction* menu) { return menu->text() == "&Tools"; }),
            1);
  EXPECT_TRUE(main.findChild<QMenu*>("mnuTools")->actions().contains(tiles));
  tiles->trigger();
  FrmTiles* first = main.tiles();
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  tiles->trigger();
  EXPECT_EQ(main.tiles(), first);

  auto scripted = std::make_unique<ScriptedTilesDialogs>();
  ScriptedTilesDialogs* dialogs = scripted.get();
  first->setDialogs(std::move(scripted));
  QLineEdit* end = first->findChild<QLineEdit*>("txtEndPhrase");
  end->setText("FF");
  QTest::keyClick(end, Qt::Key_Return);  // a change not saved
  dialogs->discard = false;
  EXPECT_FALSE(main.close());
  EXPECT_TRUE(first->isVisible());
  dialogs->discard = true;
  EXPECT_TRUE(main.close());
}

}  // namespace
}  // namespace morvane
