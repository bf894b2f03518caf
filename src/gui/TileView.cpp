#include "gui/TileView.h"

#include <QImage>
#include <QKeyEvent>
#include <QPainter>

#include "tiles/TableMaker.h"

namespace morvane {

TileView::TileView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  setAutoFillBackground(true);
  setBackgroundRole(QPalette::Dark);
  // As wide as the tiles; as tall as the window allows.
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
}

void TileView::setFile(std::string bytes, std::size_t origin) {
  file_ = std::move(bytes);
  origin_ = origin;
  selected_ = false;
  offset_ = std::min(origin, file_.empty() ? 0 : file_.size() - 1);
  changed();
}

void TileView::setBytes(std::string bytes) {
  file_ = std::move(bytes);
  update();
}

void TileView::setOffset(long long offset) {
  const long long last = file_.empty() ? 0 : static_cast<long long>(file_.size()) - 1;
  offset_ = static_cast<std::size_t>(std::clamp(offset, 0LL, last));
  changed();
}

void TileView::setZoom(int zoom) {
  zoom_ = std::clamp(zoom, 1, kMaxScale);
  updateGeometry();
  changed();
}

void TileView::setBpp(int bpp) {
  bpp_ = bpp == 1 ? 1 : 2;
  selected_ = false;
  changed();
}

void TileView::setPalette(const Palette& palette) {
  palette_ = palette;
  update();
}

void TileView::setByteShift(int shift) {
  shift_ = shift;
  update();
}

void TileView::setTable(const CharTable& table, std::function<QString(const std::string&)> decode) {
  table_ = table;
  decode_ = std::move(decode);
  update();
}

int TileView::rows() const {
  return std::max(1, height() / cell());
}

int TileView::byteAt(std::size_t tileOffset) const {
  const auto tb = static_cast<long long>(tileBytes());
  const long long distance = static_cast<long long>(tileOffset) - static_cast<long long>(origin_);
  const long long index = distance >= 0 ? distance / tb : -((-distance + tb - 1) / tb);
  return TileByte(index, shift_);
}

long long TileView::tileAt(QPoint point) const {
  const int column = point.x() / cell(), row = point.y() / cell();
  if (point.x() < 0 || point.y() < 0 || column >= kColumns || row >= rows()) return -1;
  const std::size_t at = offset_ + static_cast<std::size_t>(row * kColumns + column) * tileBytes();
  return at < file_.size() ? static_cast<long long>(at) : -1;
}

void TileView::select(std::size_t anchor, std::size_t cursor) {
  anchor_ = anchor;
  cursor_ = cursor;
  selected_ = true;
  changed();
}

void TileView::changed() {
  update();
  if (onChange) onChange();
}

QSize TileView::sizeHint() const {
  return {kColumns * cell(), 8 * cell()};
}

void TileView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (file_.empty()) {
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(rect().adjusted(12, 12, -12, -12), Qt::AlignCenter | Qt::TextWordWrap, kHint);
    return;
  }
  const std::size_t left = (file_.size() - offset_ + tileBytes() - 1) / tileBytes();
  const std::size_t tiles =
      std::min<std::size_t>(left, static_cast<std::size_t>(kColumns * rows()));
  const SheetLayout layout{offset_, static_cast<int>(tiles), kColumns, zoom_, bpp_};
  const IndexedImage sheet = RenderSheet(file_, layout);
  QImage image(sheet.pixels.data(), sheet.width, sheet.height, sheet.width,
               QImage::Format_Indexed8);
  QList<QRgb> colours;
  for (const std::uint32_t c : palette_) colours.push_back(0xFF000000u | c);
  image.setColorTable(colours);
  painter.drawImage(0, 0, image);
  paintTexts(painter, tiles);
}

void TileView::paintTexts(QPainter& painter, std::size_t tiles) {
  QFont font = painter.font();
  font.setPixelSize(std::max(8, cell() * 2 / 5));
  painter.setFont(font);
  const std::size_t tb = tileBytes();
  for (std::size_t t = 0; t < tiles; ++t) {
    const std::size_t at = offset_ + t * tb;
    const QRect box(static_cast<int>(t % kColumns) * cell(),
                    static_cast<int>(t / kColumns) * cell(), cell(), cell());
    const std::string& text = table_.text[static_cast<std::size_t>(byteAt(at))];
    if (!text.empty() && decode_) {
      const QString shown = decode_(text);
      QRect label = painter.fontMetrics().boundingRect(shown).adjusted(-1, 0, 1, 0);
      label.moveBottomRight(box.bottomRight());
      painter.fillRect(label, QColor(0, 0, 96, 190));
      painter.setPen(QColor(255, 230, 80));
      painter.drawText(label, Qt::AlignCenter, shown);
    }
    const bool inRun =
        at >= selectionFirst() && at <= selectionLast() && (at - selectionFirst()) % tb == 0;
    if (selected_ && inRun) {
      painter.setPen(QPen(at == cursor_ ? QColor(255, 64, 64) : QColor(64, 160, 255), 2));
      painter.drawRect(box.adjusted(1, 1, -1, -1));
    }
  }
}

}  // namespace morvane
