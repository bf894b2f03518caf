#include "gui/Widgets.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

namespace morvane {

// Sizes are fixed in pixels (at 96 dots per inch) because the layout is.
QFont BoxFont(qreal points) {
  QFont font;
  font.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono"});
  font.setPixelSize(qRound(points * 96 / 72));
  font.setStyleHint(QFont::TypeWriter);
  font.setFixedPitch(true);
  return font;
}

QFont PlainFont() {
  QFont font;
  font.setFamilies(
      {"MS Sans Serif", "Microsoft Sans Serif", "Liberation Sans", "DejaVu Sans Condensed"});
  font.setPixelSize(11);
  font.setStyleHint(QFont::SansSerif);
  return font;
}

void Paint(QWidget* widget, const QColor& background, const QColor& text) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, background);
  palette.setColor(QPalette::WindowText, text);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

ColourFrame::ColourFrame(const QString& caption, const QColor& colour, QWidget* parent)
    : QWidget(parent), caption_(caption), colour_(colour) {
  Paint(this, colour, Qt::white);
}

void ColourFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), colour_);
  const QFontMetrics metrics(font());
  const int y = metrics.height() / 2;
  const QRect box(0, y, width() - 2, height() - y - 2);
  p.setPen(colour_.darker(170));
  p.drawRect(box);
  p.setPen(colour_.lighter(150));
  p.drawRect(box.translated(1, 1));
  const QRect title(6, 0, metrics.horizontalAdvance(caption_) + 4, metrics.height());
  p.fillRect(title, colour_);
  p.setPen(Qt::white);
  p.drawText(title, Qt::AlignCenter, caption_);
}

void WrapButton::paintEvent(QPaintEvent*) {
  QStylePainter p(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  p.drawControl(QStyle::CE_PushButton, option);
  style()->drawItemText(&p, rect().adjusted(3, 2, -3, -2),
                        Qt::AlignCenter | Qt::TextWordWrap | Qt::TextShowMnemonic, palette(),
                        isEnabled(), text(), QPalette::ButtonText);
}

void ClickLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
    emit clicked();
  }
  QLabel::mouseReleaseEvent(event);
}

}  // namespace morvane
