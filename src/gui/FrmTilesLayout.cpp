// The Tiles window's controls: navigation above the tiles, the table maker
// beside them, the hovered tile below.
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "gui/FrmTiles.h"
#include "gui/Preferences.h"

namespace morvane {

namespace {

QPushButton* Button(QWidget* parent, const char* name, const QString& caption,
                    std::function<void()> onClick) {
  auto* button = new QPushButton(caption, parent);
  button->setObjectName(name);
  button->setAutoDefault(false);
  QObject::connect(button, &QPushButton::clicked, parent, std::move(onClick));
  return button;
}

const struct {
  const char* name;
  const char* colours;
} kPalettes[] = {
    {"Grey", "000000,555555,AAAAAA,FFFFFF"},     {"Inverted", "FFFFFF,AAAAAA,555555,000000"},
    {"Blue sky", "000000,2038EC,3CBCFC,FCFCFC"}, {"Brick", "000000,A81000,FC7460,FCFCFC"},
    {"Forest", "0F380F,306230,8BAC0F,9BBC0F"},
};

constexpr int kSwatch = 12;

// Four squares of the palette's colours.
QIcon Swatches(const Palette& palette) {
  QPixmap pixmap(4 * kSwatch, kSwatch);
  QPainter painter(&pixmap);
  for (int i = 0; i < 4; ++i) {
    painter.fillRect(i * kSwatch, 0, kSwatch, kSwatch,
                     QColor::fromRgb(palette[static_cast<std::size_t>(i)]));
  }
  painter.setPen(Qt::darkGray);
  painter.drawRect(0, 0, 4 * kSwatch - 1, kSwatch - 1);
  return QIcon(pixmap);
}

}  // namespace

void FrmTiles::buildControls() {
  view_ = new TileView(this);
  view_->setObjectName("picTiles");
  lblHover_ = new QLabel(this);
  lblHover_->setObjectName("lblHover");
  auto* left = new QVBoxLayout;
  left->addWidget(buildNavigation());
  left->addWidget(view_, 1);
  // The hovered tile, and where the table was saved last.
  lblSaved_ = new QLabel(this);
  lblSaved_->setObjectName("lblSaved");
  lblSaved_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  auto* below = new QHBoxLayout;
  below->addWidget(lblHover_, 1);
  below->addWidget(lblSaved_);
  left->addLayout(below);
  auto* layout = new QHBoxLayout(this);
  layout->addLayout(left, 1);
  layout->addWidget(buildEditPanel());
  layout->addWidget(buildTablePanel());
  view_->onType = [this](const QString& text) { view_Type(text); };
  view_->onErase = [this] { view_Erase(); };
  view_->onHover = [this](long long at) { view_Hover(at); };
  view_->onChange = [this] {
    showPosition();
    showEdits();
  };
}

QWidget* FrmTiles::buildNavigation() {
  auto* bar = new QWidget(this);
  auto* row = new QHBoxLayout(bar);
  row->setContentsMargins(0, 0, 0, 0);
  row->addWidget(Button(this, "cmdOpenRom", "&Open ROM...", [this] { cmdOpenRom_Click(); }));
  lblFile_ = new QLabel(this);
  lblFile_->setObjectName("lblFile");
  row->addWidget(lblFile_, 1);
  const struct {
    const char *back, *forward, *caption;
    std::function<long long()> bytes;
  } kSteps[] = {
      {"cmdByteBack", "cmdByteForward", "Byte", [] { return 1LL; }},
      {"cmdTileBack", "cmdTileForward", "Tile", [this] { return (long long)view_->tileBytes(); }},
      {"cmdRowBack", "cmdRowForward", "Row", [this] { return (long long)view_->rowBytes(); }},
      {"cmdPageBack", "cmdPageForward", "Page", [this] { return (long long)view_->pageBytes(); }},
  };
  for (const auto& s : kSteps) {
    const auto bytes = s.bytes;
    row->addSpacing(6);
    row->addWidget(new QLabel(s.caption, this));
    for (const bool forward : {false, true}) {
      QPushButton* step =
          Button(this, forward ? s.forward : s.back, forward ? "+" : "-",
                 [this, bytes, forward] { view_->scrollBy(forward ? bytes() : -bytes()); });
      step->setMaximumWidth(24);
      row->addWidget(step);
    }
  }
  row->addSpacing(6);
  row->addWidget(new QLabel("Offset:", this));
  txtOffset_ = new QLineEdit(this);
  txtOffset_->setObjectName("txtOffset");
  txtOffset_->setFixedWidth(80);
  connect(txtOffset_, &QLineEdit::returnPressed, this, [this] { txtOffset_Enter(); });
  row->addWidget(txtOffset_);
  return bar;
}

// Zoom, bits a pixel and palette of the view, as rows of form.
void FrmTiles::buildViewSettings(QWidget* panel, QFormLayout* form) {
  spnZoom_ = new QSpinBox(panel);
  spnZoom_->setObjectName("spnZoom");
  spnZoom_->setRange(1, 8);
  spnZoom_->setValue(view_->zoom());
  connect(spnZoom_, &QSpinBox::valueChanged, this, [this](int zoom) { view_->setZoom(zoom); });
  form->addRow("Zoom:", spnZoom_);
  cboBpp_ = new QComboBox(panel);
  cboBpp_->setObjectName("cboBpp");
  cboBpp_->addItems({"2 bits a pixel", "1 bit a pixel"});
  connect(cboBpp_, &QComboBox::currentIndexChanged, this,
          [this](int index) { view_->setBpp(index == 0 ? 2 : 1); });
  form->addRow("Tiles:", cboBpp_);
  cboPalette_ = new QComboBox(panel);
  cboPalette_->setObjectName("cboPalette");
  cboPalette_->setEditable(true);
  cboPalette_->setInsertPolicy(QComboBox::NoInsert);
  cboPalette_->setIconSize(QSize(4 * kSwatch, kSwatch));
  cboPalette_->setToolTip("A palette by name, or four colours typed as RRGGBB,RRGGBB,...");
  // Each palette by its name, then the remembered ones by their colours, each
  // with its four colours as swatches.
  for (const auto& p : kPalettes) addPalette(p.name, *ParsePalette(p.colours));
  for (const QString& p : Preferences::TilePalettes()) {
    if (const auto palette = ParsePalette(p.toStdString())) addPalette(p, *palette);
  }
  // A palette being typed shows in red until it is four RRGGBB colours; Enter
  // remembers it.
  connect(cboPalette_, &QComboBox::currentTextChanged, this, [this](const QString& text) {
    const auto palette = paletteOf(text);
    if (palette) usePalette(*palette, false);
    cboPalette_->lineEdit()->setStyleSheet(palette ? "" : "color: red");
  });
  connect(cboPalette_->lineEdit(), &QLineEdit::returnPressed, this, [this] {
    if (const auto palette = paletteOf(cboPalette_->currentText())) usePalette(*palette, true);
  });
  form->addRow("Palette:", cboPalette_);
}

void FrmTiles::addPalette(const QString& name, const Palette& palette) {
  const QString colours = QString::fromStdString(PaletteText(palette));
  if (cboPalette_->findData(colours) >= 0) return;
  cboPalette_->addItem(Swatches(palette), name, colours);
  cboPalette_->setItemData(cboPalette_->count() - 1, colours, Qt::ToolTipRole);
}

std::optional<Palette> FrmTiles::paletteOf(const QString& text) const {
  const int named = cboPalette_->findText(text);
  const QString colours = named >= 0 ? cboPalette_->itemData(named).toString() : text;
  return ParsePalette(colours.toStdString());
}

QWidget* FrmTiles::buildTablePanel() {
  auto* panel = new QWidget(this);
  panel->setFixedWidth(250);
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  auto* form = new QFormLayout;
  buildViewSettings(panel, form);
  lstTable_ = new QListWidget(panel);
  lstTable_->setObjectName("lstTable");
  lstTable_->setFont(QFont("monospace"));
  txtText_ = new QLineEdit(panel);
  txtText_->setObjectName("txtText");
  txtText_->setToolTip("Text of the selected tile, or one character a tile for a run");
  connect(txtText_, &QLineEdit::returnPressed, this, [this] { txtText_Enter(); });
  form->addRow("Text:", txtText_);
  spnShift_ = new QSpinBox(panel);
  spnShift_->setObjectName("spnShift");
  spnShift_->setRange(-255, 255);
  spnShift_->setToolTip("Byte value of a tile = its number in its 256-tile page + this");
  connect(spnShift_, &QSpinBox::valueChanged, this,
          [this](int shift) { view_->setByteShift(shift); });
  form->addRow("Byte shift:", spnShift_);
  txtEndPhrase_ = new QLineEdit(panel);
  txtEndPhrase_->setObjectName("txtEndPhrase");
  txtNewLine_ = new QLineEdit(panel);
  txtNewLine_->setObjectName("txtNewLine");
  for (QLineEdit* box : {txtEndPhrase_, txtNewLine_}) {
    box->setMaxLength(2);
    connect(box, &QLineEdit::editingFinished, this, [this] { txtControl_Edited(); });
  }
  form->addRow("End of phrase (/):", txtEndPhrase_);
  form->addRow("New line (*):", txtNewLine_);
  cboEncoding_ = new QComboBox(panel);
  cboEncoding_->setObjectName("cboEncoding");
  cboEncoding_->addItems({"UTF-8", "Shift-JIS"});
  connect(cboEncoding_, &QComboBox::currentIndexChanged, this, [this] { showTable(); });
  form->addRow("Text bytes:", cboEncoding_);
  column->addLayout(form);
  column->addWidget(lstTable_, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(
      Button(this, "cmdLoadTable", "&Load .tbl...", [this] { cmdLoadTable_Click(); }));
  buttons->addWidget(
      Button(this, "cmdSaveTable", "&Save .tbl...", [this] { cmdSaveTable_Click(); }));
  column->addLayout(buttons);
  column->addWidget(Button(this, "cmdSearchHit", "Table from a search &hit...",
                           [this] { cmdSearchHit_Click(); }));
  return panel;
}

}  // namespace morvane
