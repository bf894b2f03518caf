#include "gui/NesSwatches.h"

#include <QHelpEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>

#include "tiles/NesPalette.h"

namespace morvane {

NesSwatches::NesSwatches(QWidget* parent) : QWidget(parent) {
  setFixedSize(16 * kSide, 4 * kSide);
}

int NesSwatches::numberAt(QPoint point) const {
  if (!rect().contains(point)) return -1;
  return point.y() / kSide * 16 + point.x() / kSide;
}

void NesSwatches::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (int n = 0; n < 64; ++n) {
    const QRect swatch(n % 16 * kSide, n / 16 * kSide, kSide, kSide);
    painter.fillRect(swatch, QColor::fromRgb(kNesColours[static_cast<std::size_t>(n)]));
  }
}

void NesSwatches::mousePressEvent(QMouseEvent* event) {
  const int n = numberAt(event->position().toPoint());
  if (n >= 0 && onChoose) onChoose(kNesColours[static_cast<std::size_t>(n)]);
}

bool NesSwatches::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int n = numberAt(help->pos());
    if (n >= 0) {
      QToolTip::showText(help->globalPos(),
                         QString("%1: %2")
                             .arg(n, 2, 16, QChar('0'))
                             .arg(kNesColours[static_cast<std::size_t>(n)], 6, 16, QChar('0'))
                             .toUpper());
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace morvane
