// What the mouse and the keyboard do on the tiles.
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

#include "gui/TileView.h"

namespace morvane {

void TileView::mousePressEvent(QMouseEvent* event) {
  const long long at = tileAt(event->position().toPoint());
  if (at < 0 || event->button() != Qt::LeftButton) return;
  const bool extend = selected_ && (event->modifiers() & Qt::ShiftModifier) &&
                      (static_cast<std::size_t>(at) % tileBytes()) == anchor_ % tileBytes();
  select(extend ? anchor_ : static_cast<std::size_t>(at), static_cast<std::size_t>(at));
}

void TileView::mouseMoveEvent(QMouseEvent* event) {
  const long long at = tileAt(event->position().toPoint());
  if (onHover) onHover(at);
  // Dragging with the button down selects a run.
  if (at >= 0 && (event->buttons() & Qt::LeftButton) && selected_ &&
      static_cast<std::size_t>(at) != cursor_ &&
      (static_cast<std::size_t>(at) % tileBytes()) == anchor_ % tileBytes()) {
    select(anchor_, static_cast<std::size_t>(at));
  }
}

void TileView::leaveEvent(QEvent*) {
  if (onHover) onHover(-1);
}

void TileView::wheelEvent(QWheelEvent* event) {
  const int steps = event->angleDelta().y() / 120;
  if (steps != 0) scrollBy(-static_cast<long long>(steps) * 3 * static_cast<long long>(rowBytes()));
}

void TileView::keyPressEvent(QKeyEvent* event) {
  const auto tb = static_cast<long long>(tileBytes());
  long long move = 0;
  switch (event->key()) {
    case Qt::Key_PageUp:
      scrollBy(-static_cast<long long>(pageBytes()));
      return;
    case Qt::Key_PageDown:
      scrollBy(static_cast<long long>(pageBytes()));
      return;
    case Qt::Key_Left:
      move = -tb;
      break;
    case Qt::Key_Right:
      move = tb;
      break;
    case Qt::Key_Up:
      move = -tb * kColumns;
      break;
    case Qt::Key_Down:
      move = tb * kColumns;
      break;
    case Qt::Key_Delete:
    case Qt::Key_Backspace:
      if (selected_ && onErase) onErase();
      return;
    default:
      break;
  }
  if (move != 0) {
    const long long to = static_cast<long long>(cursor_) + move;
    if (selected_ && to >= 0 && to < static_cast<long long>(file_.size())) {
      const bool extend = (event->modifiers() & Qt::ShiftModifier) != 0;
      select(extend ? anchor_ : static_cast<std::size_t>(to), static_cast<std::size_t>(to));
    }
    return;
  }
  const QString text = event->text();
  if (selected_ && !text.isEmpty() && text.at(0).isPrint() && onType) {
    onType(text);
    return;
  }
  QWidget::keyPressEvent(event);
}

void TileView::inputMethodEvent(QInputMethodEvent* event) {
  if (selected_ && !event->commitString().isEmpty() && onType) onType(event->commitString());
  event->accept();
}

}  // namespace morvane
