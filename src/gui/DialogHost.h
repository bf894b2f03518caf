// The window's modal dialogs behind one replaceable interface, so that tests
// can answer file dialogs from a script instead of a person.
#pragma once

#include <QString>
#include <optional>

#include "shell/JobHost.h"

class QWidget;

namespace morvane {

class DialogHost {
 public:
  virtual ~DialogHost() = default;
  // Shows a file-open dialog offering the file named offered; nullopt on Cancel.
  virtual std::optional<QString> openFile(QWidget* parent, Dialog dialog,
                                          const QString& offered) = 0;
  // The job error box: title "Error", error icon, OK.
  virtual void errorBox(QWidget* parent, const QString& text) = 0;
  // The warning box: the given title, warning icon, OK.
  virtual void warningBox(QWidget* parent, const QString& title, const QString& text) = 0;
  // A plain notice, e.g. a job that is not available yet.
  virtual void noticeBox(QWidget* parent, const QString& title, const QString& text) = 0;
};

// QFileDialog and QMessageBox.
class QtDialogHost final : public DialogHost {
 public:
  std::optional<QString> openFile(QWidget* parent, Dialog dialog, const QString& offered) override;
  void errorBox(QWidget* parent, const QString& text) override;
  void warningBox(QWidget* parent, const QString& title, const QString& text) override;
  void noticeBox(QWidget* parent, const QString& title, const QString& text) override;
};

// The warning box's title bar (the first line of its title) and its text,
// which begins with the whole title when that is too long for the title bar.
QString BoxTitle(const QString& title);
QString BoxBody(const QString& title, const QString& text);

// "NES Files|*.nes|All Files|*.*" as QFileDialog name filters.
QStringList NameFilters(const char* filter);

}  // namespace morvane
