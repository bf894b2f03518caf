// The Tiles window's dialogs behind one replaceable interface, so that tests
// can answer them from a script.
#pragma once

#include <QStringList>
#include <optional>

class QWidget;

namespace morvane {

class TilesDialogs {
 public:
  enum class Open { Rom, Table, SearchReport };

  virtual ~TilesDialogs() = default;
  virtual std::optional<QString> openFile(QWidget* parent, Open kind) = 0;
  virtual std::optional<QString> saveTable(QWidget* parent, const QString& offered) = 0;
  // Which of a search report's hits to continue; nullopt on Cancel.
  virtual std::optional<int> chooseHit(QWidget* parent, const QStringList& hits) = 0;
  virtual void warningBox(QWidget* parent, const QString& title, const QString& text) = 0;
  // Whether the table's unsaved changes may go.
  virtual bool confirmDiscard(QWidget* parent) = 0;
  // Whether the tiles' unsaved edits may go.
  virtual bool confirmDiscardEdits(QWidget* parent) = 0;
};

// QFileDialog, QInputDialog and QMessageBox.
class QtTilesDialogs final : public TilesDialogs {
 public:
  std::optional<QString> openFile(QWidget* parent, Open kind) override;
  std::optional<QString> saveTable(QWidget* parent, const QString& offered) override;
  std::optional<int> chooseHit(QWidget* parent, const QStringList& hits) override;
  void warningBox(QWidget* parent, const QString& title, const QString& text) override;
  bool confirmDiscard(QWidget* parent) override;
  bool confirmDiscardEdits(QWidget* parent) override;
};

}  // namespace morvane
