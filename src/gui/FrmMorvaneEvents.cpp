// The window's events: every control is wired to its handler here, and the
// handlers that are not jobs.
#include <QCheckBox>
#include <QCloseEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "gui/FrmMorvane.h"

namespace morvane {

void FrmMorvane::connectControls() {
  for (int i = 0; i < 6; ++i) {
    connect(opAddress_[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on && !syncing_) opAddress_Click(i);
    });
  }
  for (int i = 0; i < kModeCount; ++i) {
    connect(opFeatures_[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on && !syncing_) opFeatures_Click(i);
    });
  }
  // Every change of a box runs its rule, so an invalid edit is undone at once.
  using Rule = bool (SettingsModel::*)(const std::string&);
  const std::pair<QLineEdit*, Rule> rules[] = {{txtAddress_, &SettingsModel::setAddress},
                                               {txtStart_, &SettingsModel::setStart},
                                               {txtEnd_, &SettingsModel::setEnd},
                                               {txtBlock_, &SettingsModel::setBlock}};
  for (const auto& [box, rule] : rules) {
    connect(box, &QLineEdit::textChanged, this,
            [this, box = box, rule = rule](const QString& text) {
              if (syncing_) return;
              const int caret = box->cursorPosition();
              (model_.*rule)(FromQ(text));
              showModel();
              // The rule may add to the text (a "2" becomes "2.0"): the caret stays
              // after the key typed while the text before it is unchanged.
              const QString shown = box->text();
              if (shown == text || shown.left(caret) != text.left(caret)) return;
              // A point typed over the point moves past it, and the "0" the rule put
              // after it is selected, so that the next digit replaces it.
              if (caret > 0 && shown[caret - 1] == '.' && shown.mid(caret) == "0") {
                box->setSelection(caret, 1);
              } else {
                box->setCursorPosition(caret);
              }
            });
  }
  using Setter = void (SettingsModel::*)(std::string);
  const std::pair<QLineEdit*, Setter> plain[] = {{txtPhrase_, &SettingsModel::setPhraseText},
                                                 {txtLength_, &SettingsModel::setLengthText},
                                                 {txtSearch_, &SettingsModel::setSearchText}};
  for (const auto& [box, setter] : plain) {
    connect(box, &QLineEdit::textChanged, this, [this, setter = setter](const QString& text) {
      if (!syncing_) (model_.*setter)(FromQ(text));
    });
  }
  using Check = void (SettingsModel::*)(bool);
  const std::pair<QCheckBox*, Check> checks[] = {
      {chkHeader_, &SettingsModel::setHeader}, {chkAsTable_, &SettingsModel::setAsTable},
      {chkConcat_, &SettingsModel::setConcat}, {chkwTables_, &SettingsModel::setWithTables},
      {chkRaw_, &SettingsModel::setRaw},       {chkShowStrings_, &SettingsModel::setShowStrings},
      {chkTrace_, &SettingsModel::setTrace}};
  for (const auto& [box, check] : checks) {
    connect(box, &QCheckBox::toggled, this, [this, check = check](bool on) {
      if (syncing_) return;
      (model_.*check)(on);
      showModel();
    });
  }
  connect(cmdCancel_, &QPushButton::clicked, this, &FrmMorvane::cmdCancel_Click);
  for (const auto& [job, button] : jobButtons_) {
    connect(button, &QPushButton::clicked, this, [this, job = job] { runJob(*job); });
  }
}

void FrmMorvane::opAddress_Click(int index) {
  model_.chooseAddressPreset(static_cast<AddressPreset>(index));
  showModel();
}

void FrmMorvane::opFeatures_Click(int index) {
  model_.chooseMode(index);
  showModel();
}

void FrmMorvane::cmdCancel_Click() {
  model_.requestCancel();
}

void FrmMorvane::mnuExit_Click() {
  close();
}

void FrmMorvane::closeEvent(QCloseEvent* event) {
  // A job still running inside its click handler owns the stack below this
  // event: press Cancel and close once it has returned.
  if (model_.busy()) {
    closePending_ = true;
    model_.requestCancel();
    event->ignore();
    return;
  }
  // The Tiles window may hold a table not saved yet: it asks, and may keep us open.
  if (tiles_ != nullptr && !tiles_->close()) {
    event->ignore();
    return;
  }
  for (QWidget* w : {static_cast<QWidget*>(howTo_), static_cast<QWidget*>(about_),
                     static_cast<QWidget*>(license_)}) {
    if (w != nullptr) w->close();
  }
  for (const auto& viewer : viewers_) {
    if (viewer != nullptr) viewer->close();
  }
  // Hidden, not closed: closing it would put the panel back for the next run.
  if (resultsWindow_ != nullptr) resultsWindow_->hide();
  event->accept();
}

namespace {
// Shows the window if it is open, else loads it afresh.
template <typename W>
void ShowHelp(QPointer<W>& window, QWidget* owner) {
  if (window == nullptr) {
    window = new W(owner);
    window->setAttribute(Qt::WA_DeleteOnClose);
  }
  window->show();
  window->raise();
  window->activateWindow();
}
}  // namespace

void FrmMorvane::mnuHowTo_Click() {
  ShowHelp(howTo_, this);
}
void FrmMorvane::mnuLicense_Click() {
  ShowHelp(license_, this);
}
void FrmMorvane::mnuAbout_Click() {
  ShowHelp(about_, this);
}
void FrmMorvane::mnuTiles_Click() {
  ShowHelp(tiles_, this);
}

}  // namespace morvane
