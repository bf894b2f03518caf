// The Tiles window's tile editor: drawing, picking colours, fill, copy and
// paste, undo and redo, the palette, and saving the edited copy of the ROM.
#include <QComboBox>
#include <QLabel>
#include <QPushButton>

#include "gui/FrmTiles.h"
#include "gui/Preferences.h"
#include "gui/TileCanvas.h"
#include "shell/Values.h"

namespace morvane {

void FrmTiles::canvas_Draw(int x, int y) {
  if (!view_->hasSelection()) return;
  if (edits_.draw(view_->cursor(), view_->bpp(), x, y, colour_)) showEdits();
}

void FrmTiles::canvas_Pick(int x, int y) {
  if (!view_->hasSelection()) return;
  colour_ = edits_.pixel(view_->cursor(), view_->bpp(), x, y);
  showColours();
}

void FrmTiles::cmdColour_Click(int colour) {
  colour_ = colour;
  showColours();
}

void FrmTiles::swatches_Choose(std::uint32_t colour) {
  Palette palette = palette_;
  palette[static_cast<std::size_t>(colour_)] = colour;
  usePalette(palette, true);
}

void FrmTiles::cmdFillTile_Click() {
  if (view_->hasSelection() && edits_.fill(view_->cursor(), view_->bpp(), colour_)) showEdits();
}

void FrmTiles::cmdCopyTiles_Click() {
  if (!view_->hasSelection()) return;
  copied_ = edits_.copy(view_->selectionFirst(), view_->selectionLast(), view_->bpp());
  showEdits();
}

void FrmTiles::cmdPasteTiles_Click() {
  if (view_->hasSelection() && !copied_.empty() && edits_.paste(view_->cursor(), copied_)) {
    showEdits();
  }
}

void FrmTiles::cmdUndo_Click() {
  if (edits_.undo()) showEdits();
}

void FrmTiles::cmdRedo_Click() {
  if (edits_.redo()) showEdits();
}

bool FrmTiles::mayDiscardEdits() {
  return !edits_.unsaved() || dialogs_->confirmDiscardEdits(this);
}

bool FrmTiles::saveRom() {
  if (romPath_.empty()) return false;
  const QString path = QString::fromStdString(romPath_);
  return attempt(path, [&] {
    const std::string format = Preferences::WritePatches().toStdString();
    const std::optional<PatchKind> patch = format == "ips"   ? std::optional(PatchKind::Ips)
                                           : format == "bps" ? std::optional(PatchKind::Bps)
                                                             : std::nullopt;
    const auto written = SaveEditedRom(romPath_, edits_.original(), edits_.bytes(), patch);
    edits_.markSaved();
    showEdits();
    QStringList names;
    for (const auto& file : written) names << QString::fromStdString(FileNameOf(file));
    lblEdits_->setText("Saved " + names.join(", "));
    return true;
  });
}

void FrmTiles::usePalette(const Palette& palette, bool remember) {
  palette_ = palette;
  view_->setPalette(palette);
  const QString text = QString::fromStdString(PaletteText(palette));
  if (remember) {
    Preferences::AddTilePalette(text);
    addPalette(text, palette);
  }
  // A palette chosen by name keeps its name.
  if (paletteOf(cboPalette_->currentText()) != palette) cboPalette_->setCurrentText(text);
  showColours();
  showEdits();
}

void FrmTiles::showEdits() {
  view_->setBytes(edits_.bytes());
  const bool tile = view_->hasSelection() && !edits_.bytes().empty();
  canvas_->setTile(tile ? DecodeTile(edits_.bytes(), view_->cursor(), view_->bpp()) : TilePixels{},
                   palette_, tile);
  cmdUndo_->setEnabled(edits_.canUndo());
  cmdRedo_->setEnabled(edits_.canRedo());
  cmdPasteTiles_->setEnabled(!copied_.empty());
  setWindowModified(edits_.unsaved());
  if (edits_.unsaved()) lblEdits_->setText("Edits not saved");
}

}  // namespace morvane
