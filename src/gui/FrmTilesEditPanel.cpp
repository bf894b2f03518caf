// The Tiles window's tile editor panel: the cursor's tile drawn large, the
// pencil's colours, the NES colours, the edit buttons and their shortcuts.
#include <QGridLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "gui/FrmTiles.h"
#include "gui/NesSwatches.h"
#include "gui/TileCanvas.h"

namespace morvane {

namespace {

QPushButton* EditButton(QWidget* parent, const char* name, const QString& caption,
                        std::function<void()> onClick) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, parent, std::move(onClick));
  return button;
}

}  // namespace

QWidget* FrmTiles::buildEditPanel() {
  auto* panel = new QWidget(this);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  canvas_ = new TileCanvas(panel);
  canvas_->setObjectName("picTile");
  canvas_->onDraw = [this](int x, int y) { canvas_Draw(x, y); };
  canvas_->onStrokeEnd = [this] {
    edits_.endStroke();
    showEdits();
  };
  canvas_->onPick = [this](int x, int y) { canvas_Pick(x, y); };
  column->addWidget(canvas_);
  auto* colours = new QHBoxLayout;
  for (int c = 0; c < 4; ++c) {
    const QByteArray name = "cmdColour" + QByteArray::number(c);
    cmdColour_[c] =
        EditButton(panel, name.constData(), QString::number(c), [this, c] { cmdColour_Click(c); });
    cmdColour_[c]->setCheckable(true);
    cmdColour_[c]->setFixedSize(36, 28);
    cmdColour_[c]->setToolTip("Draw in colour " + QString::number(c) +
                              "; a NES colour below then replaces it");
    colours->addWidget(cmdColour_[c]);
  }
  column->addLayout(colours);
  auto* swatches = new NesSwatches(panel);
  swatches->setObjectName("picNesColours");
  swatches->onChoose = [this](std::uint32_t colour) { swatches_Choose(colour); };
  column->addWidget(swatches);
  auto* buttons = new QGridLayout;
  buttons->addWidget(
      EditButton(panel, "cmdFillTile", "&Fill Tile", [this] { cmdFillTile_Click(); }), 0, 0);
  buttons->addWidget(EditButton(panel, "cmdCopyTiles", "&Copy", [this] { cmdCopyTiles_Click(); }),
                     0, 1);
  cmdPasteTiles_ = EditButton(panel, "cmdPasteTiles", "&Paste", [this] { cmdPasteTiles_Click(); });
  buttons->addWidget(cmdPasteTiles_, 1, 1);
  cmdUndo_ = EditButton(panel, "cmdUndo", "&Undo", [this] { cmdUndo_Click(); });
  cmdRedo_ = EditButton(panel, "cmdRedo", "&Redo", [this] { cmdRedo_Click(); });
  buttons->addWidget(cmdUndo_, 2, 0);
  buttons->addWidget(cmdRedo_, 2, 1);
  buttons->addWidget(EditButton(panel, "cmdSaveRom", "Save &ROM", [this] { saveRom(); }), 3, 0, 1,
                     2);
  column->addLayout(buttons);
  lblEdits_ = new QLabel(panel);
  lblEdits_->setObjectName("lblEdits");
  lblEdits_->setWordWrap(true);
  column->addWidget(lblEdits_);
  column->addStretch(1);
  const struct {
    QKeySequence keys;
    void (FrmTiles::*run)();
  } kShortcuts[] = {{QKeySequence(Qt::CTRL | Qt::Key_Z), &FrmTiles::cmdUndo_Click},
                    {QKeySequence(Qt::CTRL | Qt::Key_Y), &FrmTiles::cmdRedo_Click},
                    {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), &FrmTiles::cmdRedo_Click},
                    {QKeySequence(Qt::CTRL | Qt::Key_C), &FrmTiles::cmdCopyTiles_Click},
                    {QKeySequence(Qt::CTRL | Qt::Key_V), &FrmTiles::cmdPasteTiles_Click}};
  for (const auto& s : kShortcuts) {
    auto* shortcut = new QShortcut(s.keys, this);
    connect(shortcut, &QShortcut::activated, this, [this, run = s.run] { (this->*run)(); });
  }
  showColours();
  return panel;
}

void FrmTiles::showColours() {
  for (int c = 0; c < 4; ++c) {
    const QColor colour = QColor::fromRgb(palette_[static_cast<std::size_t>(c)]);
    cmdColour_[c]->setStyleSheet(
        QString("QPushButton { background-color: %1; color: %2; border: 1px solid gray; }"
                " QPushButton:checked { border: 3px solid #E03030; }")
            .arg(colour.name(), colour.lightness() < 128 ? "white" : "black"));
    cmdColour_[c]->setChecked(c == colour_);
  }
}

}  // namespace morvane
