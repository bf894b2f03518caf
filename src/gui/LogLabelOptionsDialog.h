// The options of the code/data log and the label files, as the command line
// names them (--cdl, --write-cdl, --labels, --write-labels): the dialog of
// the "Logs, Labels..." button of the 8-bit Code dump, and the one Tools > "Export
// as ca65 Project..." shows before it exports. With none chosen the jobs run
// as they do without them.
#pragma once

#include <QDialog>
#include <string>
#include <utility>
#include <vector>

#include "shell/JobHost.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace morvane {

class DialogHost;

// The file dialogs of its boxes.
extern const Dialog kOpenCodeDataLog;
extern const Dialog kOpenLabelFile;

// Option name and value, e.g. {"labels", "game.mlb"}, in the order given.
using LogLabelChoices = std::vector<std::pair<std::string, std::string>>;

class LogLabelOptionsDialog : public QDialog {
 public:
  LogLabelOptionsDialog(DialogHost& dialogs, const QString& title, QWidget* parent);

  void setChoices(const LogLabelChoices& choices);
  LogLabelChoices choices() const;

  // The choices as command-line options ("--labels game.mlb"), or "" for none.
  static QString Summary(const LogLabelChoices& choices);

 private:
  void browseLog();
  void addLabels();

  DialogHost& dialogs_;
  QLineEdit* txtCdl_ = nullptr;
  QComboBox* cboWriteCdl_ = nullptr;
  QListWidget* lstLabels_ = nullptr;
  QComboBox* cboWriteLabels_ = nullptr;
};

}  // namespace morvane
