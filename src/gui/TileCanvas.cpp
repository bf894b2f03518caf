#include "gui/TileCanvas.h"

#include <QMouseEvent>
#include <QPainter>

namespace morvane {

TileCanvas::TileCanvas(QWidget* parent) : QWidget(parent) {
  setFixedSize(sizeHint());
  setCursor(Qt::CrossCursor);
}

void TileCanvas::setTile(const TilePixels& pixels, const Palette& palette, bool shown) {
  pixels_ = pixels;
  palette_ = palette;
  shown_ = shown;
  update();
}

bool TileCanvas::pixelAt(QPointF point, int& x, int& y) const {
  x = static_cast<int>(point.x()) / kZoom;
  y = static_cast<int>(point.y()) / kZoom;
  return shown_ && point.x() >= 0 && point.y() >= 0 && x < kTileSide && y < kTileSide;
}

void TileCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), palette().color(QPalette::Dark));
  if (!shown_) return;
  for (int y = 0; y < kTileSide; ++y) {
    for (int x = 0; x < kTileSide; ++x) {
      const std::uint32_t colour = palette_[pixels_[static_cast<std::size_t>(y * kTileSide + x)]];
      painter.fillRect(x * kZoom, y * kZoom, kZoom, kZoom, QColor::fromRgb(colour));
    }
  }
  painter.setPen(QColor(128, 128, 128, 96));  // the pixel grid
  for (int i = 1; i < kTileSide; ++i) {
    painter.drawLine(i * kZoom, 0, i * kZoom, height());
    painter.drawLine(0, i * kZoom, width(), i * kZoom);
  }
}

void TileCanvas::mousePressEvent(QMouseEvent* event) {
  int x = 0, y = 0;
  if (!pixelAt(event->position(), x, y)) return;
  if (event->button() == Qt::RightButton) {
    if (onPick) onPick(x, y);
  } else if (event->button() == Qt::LeftButton) {
    drawing_ = true;
    if (onDraw) onDraw(x, y);
  }
}

void TileCanvas::mouseMoveEvent(QMouseEvent* event) {
  int x = 0, y = 0;
  if (drawing_ && (event->buttons() & Qt::LeftButton) && pixelAt(event->position(), x, y) &&
      onDraw) {
    onDraw(x, y);
  }
}

void TileCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !drawing_) return;
  drawing_ = false;
  if (onStrokeEnd) onStrokeEnd();
}

}  // namespace morvane
