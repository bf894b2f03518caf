// The "Search Options..." dialog of the Other Functions frame: the
// options of the search beyond its classic word, as the command line names
// them. With none chosen the search runs as it always has.
#pragma once

#include <QDialog>
#include <string>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;

namespace morvane {

class DialogHost;

// Option name and value, e.g. {"width", "16"}; a flag has an empty value.
using SearchChoices = std::vector<std::pair<std::string, std::string>>;

class SearchOptionsDialog : public QDialog {
 public:
  SearchOptionsDialog(DialogHost& dialogs, QWidget* parent);

  void setChoices(const SearchChoices& choices);
  SearchChoices choices() const;

  // The choices as command-line options ("--wildcard --width 16"), or "" for none.
  static QString Summary(const SearchChoices& choices);

 private:
  void browseOrder();
  void reset();
  void updateEnabled();

  DialogHost& dialogs_;
  QCheckBox* chkWildcard_ = nullptr;
  QComboBox* cboWidth_ = nullptr;
  QComboBox* cboEndian_ = nullptr;
  QCheckBox* chkMixedCase_ = nullptr;
  QCheckBox* chkValues_ = nullptr;
  QLineEdit* txtValues_ = nullptr;
  QComboBox* cboOrder_ = nullptr;
  QLineEdit* txtOrder_ = nullptr;
  QPushButton* cmdBrowse_ = nullptr;
};

}  // namespace morvane
