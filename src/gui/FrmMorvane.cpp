#include "gui/FrmMorvane.h"

#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <random>

#include "gui/FrmAbout.h"
#include "gui/FrmHowTo.h"
#include "gui/FrmLicense.h"
#include "gui/Twips.h"
#include "gui/Widgets.h"
#include "shell/Reports.h"

namespace morvane {

FrmMorvane::FrmMorvane(IdleTextChooser chooser, QWidget* parent)
    : QMainWindow(parent),
      chooser_(std::move(chooser)),
      host_(*this),
      dialogs_(std::make_unique<QtDialogHost>()) {
  if (!chooser_) {
    chooser_ = [] {
      static std::mt19937 rng(std::random_device{}());
      return static_cast<int>(rng() % kIdleTexts.size());
    };
  }
  model_.setStatusLine(idleText());
  setObjectName("frmMorvane");
  setWindowTitle(QString::fromLatin1(kCaption.data(), kCaption.size()));
  setFont(PlainFont());
  buildControls();
  buildMenus();
  buildAdditions();
  addJobMenu();
  connectControls();
  // The model has set itself up; show where it left the settings.
  showModel();
  applySize();
}

FrmMorvane::~FrmMorvane() {
  // The viewers are windows of their own, without a parent to delete them.
  for (const auto& viewer : viewers_) delete viewer.data();
}

void FrmMorvane::setDialogHost(std::unique_ptr<DialogHost> dialogs) {
  dialogs_ = std::move(dialogs);
}

QSize FrmMorvane::ClientSize(int heightTwips) {
  return {Px(kWindowWidth) - kFrameAllowanceWidth, Px(heightTwips) - kFrameAllowanceHeight};
}

QLabel* FrmMorvane::lbl(int index) const {
  const auto it = lbl_.find(index);
  return it == lbl_.end() ? nullptr : it->second;
}

void FrmMorvane::setBoxText(QLineEdit* box, const std::string& text) {
  const QString shown = ToQ(text);
  if (box->text() != shown) box->setText(shown);
}

void FrmMorvane::showModel() {
  syncing_ = true;
  const Settings& s = model_.settings();
  const ControlStates& c = model_.controls();
  setBoxText(txtAddress_, s.addressText);
  setBoxText(txtBlock_, s.blockText);
  setBoxText(txtStart_, s.startText);
  setBoxText(txtEnd_, s.endText);
  setBoxText(txtPhrase_, s.phraseText);
  setBoxText(txtLength_, s.lengthText);
  setBoxText(txtSearch_, s.searchText);
  opAddress_[static_cast<std::size_t>(s.preset)]->setChecked(true);
  opFeatures_[static_cast<std::size_t>(s.mode)]->setChecked(true);
  chkHeader_->setChecked(s.header);
  chkAsTable_->setChecked(s.asTable);
  chkConcat_->setChecked(s.concat);
  chkwTables_->setChecked(s.withTables);
  chkRaw_->setChecked(s.raw);
  chkTrace_->setChecked(s.trace);
  chkShowStrings_->setChecked(s.showStrings);

  for (auto* option : opAddress_) option->setEnabled(c.presets);
  for (auto* option : opFeatures_) option->setEnabled(c.modes);
  chkHeader_->setEnabled(c.header);
  txtAddress_->setEnabled(c.customAddress);
  chkAsTable_->setEnabled(c.asTable);
  chkConcat_->setEnabled(c.concat);
  for (QWidget* w : {static_cast<QWidget*>(lbl(22)), static_cast<QWidget*>(txtPhrase_),
                     static_cast<QWidget*>(lbl(11)), static_cast<QWidget*>(txtLength_)}) {
    w->setEnabled(c.phrase);
  }
  chkwTables_->setEnabled(c.withTables);
  chkRaw_->setEnabled(c.raw);
  chkTrace_->setEnabled(c.trace);
  // The window is found only for a traced dump.
  chkWindow_->setEnabled(c.trace && s.trace);
  for (const auto& [job, button] : jobButtons_) {
    button->setEnabled(c.jobs);
    if (job->window == Reach::HiddenButton) button->setVisible(false);
  }
  for (const auto& [job, action] : jobActions_) action->setEnabled(c.jobs);
  cmdSearchOptions_->setEnabled(c.jobs);
  for (QLineEdit* box : {txtBlock_, txtStart_, txtEnd_, txtAddress_, txtSearch_}) {
    box->setReadOnly(c.locked);
  }
  lbl(20)->setText(ToQ(model_.statusLine()));
  syncing_ = false;
}

void FrmMorvane::applySize() {
  // The width is fixed; the user may pull the height down to read the status
  // line, and each change of state puts it back.
  const QSize size = WindowSize(model_.busy() ? kBusyHeight : kIdleHeight);
  setFixedWidth(size.width());
  resize(size);
}

std::string FrmMorvane::idleText() {
  return std::string(kIdleTexts[static_cast<std::size_t>(chooser_()) % kIdleTexts.size()]);
}

void FrmMorvane::Enable_Controls(bool enable) {
  model_.setBusy(!enable);
  model_.setStatusLine(enable ? idleText() : std::string(kBusyText));
  showModel();
  applySize();
}

void FrmMorvane::setStatusText(const std::string& text) {
  model_.setStatusLine(text);
  lbl(20)->setText(ToQ(text));
  if (statusWatcher_) statusWatcher_(lbl(20)->text());
}

void FrmMorvane::setInsertLabel(int index, const std::string& text) {
  if (QLabel* label = index >= 30 && index <= 41 ? lbl(index) : nullptr) label->setText(ToQ(text));
}

}  // namespace morvane
