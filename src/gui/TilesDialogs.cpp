#include "gui/TilesDialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace morvane {

std::optional<QString> QtTilesDialogs::openFile(QWidget* parent, Open kind) {
  static const struct {
    const char* title;
    const char* filter;
  } kDialogs[] = {
      {"Select ROM File to View", "ROM Files (*.nes *.fds *.bin);;All Files (*)"},
      {"Select Character Map Table File to Read", "Table Files (*.tbl);;All Files (*)"},
      {"Select Relative Search Output", "Search Output (*Output.txt);;All Files (*)"},
  };
  const auto& d = kDialogs[static_cast<int>(kind)];
  const QString path = QFileDialog::getOpenFileName(parent, d.title, {}, d.filter);
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<QString> QtTilesDialogs::saveTable(QWidget* parent, const QString& offered) {
  const QString path = QFileDialog::getSaveFileName(parent, "Save Character Map Table File",
                                                    offered, "Table Files (*.tbl);;All Files (*)");
  if (path.isEmpty()) return std::nullopt;
  return path;
}

std::optional<int> QtTilesDialogs::chooseHit(QWidget* parent, const QStringList& hits) {
  bool ok = false;
  const QString hit =
      QInputDialog::getItem(parent, "Search Hits", "Continue the table of:", hits, 0, false, &ok);
  if (!ok) return std::nullopt;
  return static_cast<int>(hits.indexOf(hit));
}

void QtTilesDialogs::warningBox(QWidget* parent, const QString& title, const QString& text) {
  QMessageBox::warning(parent, title, text);
}

bool QtTilesDialogs::confirmDiscard(QWidget* parent) {
  return QMessageBox::question(parent, "Tiles",
                               "The table has changes that are not saved. Discard them?",
                               QMessageBox::Discard | QMessageBox::Cancel,
                               QMessageBox::Cancel) == QMessageBox::Discard;
}

bool QtTilesDialogs::confirmDiscardEdits(QWidget* parent) {
  return QMessageBox::question(parent, "Tiles",
                               "The tiles have edits that are not saved. Discard them?",
                               QMessageBox::Discard | QMessageBox::Cancel,
                               QMessageBox::Cancel) == QMessageBox::Discard;
}

}  // namespace morvane
