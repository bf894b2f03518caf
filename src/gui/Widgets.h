// Small widgets the windows share: the coloured frame with its caption, a
// button whose caption wraps like a classic push button, a label that can be
// clicked, and the fonts.
#pragma once

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <QWidget>

namespace morvane {

// Courier New 12 pt, or the nearest monospaced font the machine has.
QFont BoxFont(qreal points = 12);
// The default 8.25 pt sans-serif font of everything else.
QFont PlainFont();

// A frame filled with its colour, its caption drawn in white on the top edge.
// Children inherit white text.
class ColourFrame : public QWidget {
 public:
  ColourFrame(const QString& caption, const QColor& colour, QWidget* parent);
  QString caption() const { return caption_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString caption_;
  QColor colour_;
};

class WrapButton : public QPushButton {
 public:
  WrapButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

 protected:
  void paintEvent(QPaintEvent* event) override;
};

class ClickLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 signals:
  void clicked();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override;
};

// Fills a widget with a plain colour.
void Paint(QWidget* widget, const QColor& background, const QColor& text);

}  // namespace morvane
