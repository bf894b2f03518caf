// The Tiles window: a ROM's bytes as tiles, scrolled by byte, tile, row or
// page; the tile editor (draw, fill, copy and paste tiles, undo and redo,
// save a modified copy of the ROM); and the table maker beside them: select
// tiles, type what they draw, save the table as a .tbl, or continue a loaded
// table or a search's draft.
#pragma once

#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "gui/TileView.h"
#include "gui/TilesDialogs.h"
#include "tiles/TableMaker.h"
#include "tiles/TileEdits.h"

class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QSpinBox;

namespace morvane {

class TileCanvas;

class FrmTiles : public QWidget {
 public:
  explicit FrmTiles(QWidget* parent = nullptr);
  ~FrmTiles() override;

  void setDialogs(std::unique_ptr<TilesDialogs> dialogs);
  TileView* view() const { return view_; }
  const TableMaker& maker() const { return maker_; }
  const TileEdits& edits() const { return edits_; }
  TileCanvas* canvas() const { return canvas_; }

  // What the buttons do once their dialog has given a file; false after a
  // warning box.
  bool openRom(const QString& path);
  bool loadTable(const QString& path);
  bool saveTable(const QString& path);
  bool openSearchReport(const QString& path);
  // Writes the edited copy of the ROM (and the patch Write Patches asks for).
  bool saveRom();

  // Event handlers.
  void cmdOpenRom_Click();
  void cmdLoadTable_Click();
  void cmdSaveTable_Click();
  void cmdSearchHit_Click();
  void txtOffset_Enter();
  void txtText_Enter();
  void txtControl_Edited();
  // Typed on the tiles: one character a tile from the cursor on.
  void view_Type(const QString& text);
  void view_Erase();
  void view_Hover(long long tileOffset);
  // The tile editor.
  void canvas_Draw(int x, int y);
  void canvas_Pick(int x, int y);
  void cmdColour_Click(int colour);
  void swatches_Choose(std::uint32_t colour);
  void cmdFillTile_Click();
  void cmdCopyTiles_Click();
  void cmdPasteTiles_Click();
  void cmdUndo_Click();
  void cmdRedo_Click();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // A dropped .tbl loads as the table; any other file opens as the ROM.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void buildControls();
  QWidget* buildNavigation();
  QWidget* buildTablePanel();
  QWidget* buildEditPanel();
  // Shows the palette everywhere and remembers it when remember is set.
  void usePalette(const Palette& palette, bool remember);
  // Adds a palette to the list under name, with its colours as swatches,
  // unless the list holds those colours already.
  void addPalette(const QString& name, const Palette& palette);
  // The colours of a palette named in the list, or typed as RRGGBB colours.
  std::optional<Palette> paletteOf(const QString& text) const;
  // Shows the edited bytes, the cursor's tile and what may be undone.
  void showEdits();
  void showColours();
  void buildViewSettings(QWidget* panel, QFormLayout* form);
  // Shows the table in the list and over the tiles, the offset in its box.
  void showTable();
  // Shows texts in the encoding a loaded table is written in, when it tells.
  void adoptEncoding();
  void showPosition();
  std::string encode(const QString& text) const;
  QString decode(const std::string& bytes) const;
  std::vector<std::string> characters(const QString& text) const;
  void warn(const QString& text);
  // True when the table is saved, or the user lets its changes go.
  bool mayDiscard();
  // The same for the edits of the tiles.
  bool mayDiscardEdits();
  // Runs a file step; a JobError becomes a warning box naming path, and false.
  bool attempt(const QString& path, const std::function<bool()>& step);

  std::unique_ptr<TilesDialogs> dialogs_;
  TableMaker maker_;
  std::string romPath_, tablePath_;
  std::string savedText_;  // the table's file text when last loaded or saved
  TileView* view_ = nullptr;
  QLineEdit *txtOffset_ = nullptr, *txtText_ = nullptr;
  QLineEdit *txtEndPhrase_ = nullptr, *txtNewLine_ = nullptr;
  QSpinBox *spnZoom_ = nullptr, *spnShift_ = nullptr;
  QComboBox *cboPalette_ = nullptr, *cboBpp_ = nullptr, *cboEncoding_ = nullptr;
  QListWidget* lstTable_ = nullptr;
  QLabel *lblHover_ = nullptr, *lblFile_ = nullptr, *lblSaved_ = nullptr;
  // The tile editor.
  TileEdits edits_;
  Palette palette_ = kDefaultPalette;
  int colour_ = 3;      // the pencil's colour
  std::string copied_;  // tiles copied, as bytes
  TileCanvas* canvas_ = nullptr;
  QPushButton* cmdColour_[4] = {};
  QPushButton *cmdUndo_ = nullptr, *cmdRedo_ = nullptr, *cmdPasteTiles_ = nullptr;
  QLabel* lblEdits_ = nullptr;
};

}  // namespace morvane
