#include "gui/FrmMorvane.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "gui/FrmAbout.h"
#include "gui/FrmHowTo.h"
#include "gui/FrmLicense.h"
#include "gui/Twips.h"
#include "gui/Widgets.h"
#include "shell/Reports.h"

namespace morvane {

FrmMorvane::FrmMorvane(SettingsModel::Chooser chooser, QWidget* parent)
    : QMainWindow(parent),
      model_(std::move(chooser)),
      host_(*this),
      dialogs_(std::make_unique<QtDialogHost>()) {
  setObjectName("frmMorvane");
  setWindowTitle(QString::fromLatin1(kCaption.data(), kCaption.size()));
  setFont(PlainFont());
  buildControls();
  buildMenus();
  connectControls();
  // The model has already run Form_Load; show where it left the controls.
  showModel();
  applySize();
}

FrmMorvane::~FrmMorvane() = default;

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

void FrmMorvane::connectControls() {
  for (int i = 0; i < 6; ++i) {
    connect(opAddress_[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on && !syncing_) opAddress_Click(i);
    });
  }
  for (int i = 0; i < 5; ++i) {
    connect(opFeatures_[i], &QRadioButton::toggled, this, [this, i](bool on) {
      if (on && !syncing_) opFeatures_Click(i);
    });
  }
  // Every change of a box runs its rule, so an invalid edit is undone at once.
  using Rule = bool (SettingsModel::*)(const std::string&);
  const std::pair<QLineEdit*, Rule> rules[] = {{txtAddress_, &SettingsModel::txtAddress_Change},
                                               {txtStart_, &SettingsModel::txtStart_Change},
                                               {txtEnd_, &SettingsModel::txtEnd_Change},
                                               {txtBlock_, &SettingsModel::txtBlock_Change}};
  for (const auto& [box, rule] : rules) {
    connect(box, &QLineEdit::textChanged, this, [this, rule](const QString& text) {
      if (syncing_) return;
      (model_.*rule)(FromQ(text));
      showModel();
    });
  }
  using Setter = void (SettingsModel::*)(std::string);
  const std::pair<QLineEdit*, Setter> plain[] = {{txtPhrase_, &SettingsModel::setPhraseText},
                                                 {txtLength_, &SettingsModel::setLengthText},
                                                 {txtSearch_, &SettingsModel::setSearchText}};
  for (const auto& [box, setter] : plain) {
    connect(box, &QLineEdit::textChanged, this, [this, setter](const QString& text) {
      if (!syncing_) (model_.*setter)(FromQ(text));
    });
  }
  using Check = void (SettingsModel::*)(bool);
  const std::pair<QCheckBox*, Check> checks[] = {
      {chkHeader_, &SettingsModel::setHeader}, {chkAsTable_, &SettingsModel::chkAsTable_Click},
      {chkConcat_, &SettingsModel::setConcat}, {chkwTables_, &SettingsModel::chkwTables_Click},
      {chkRaw_, &SettingsModel::setRaw},       {chkShowStrings_, &SettingsModel::setShowStrings}};
  for (const auto& [box, check] : checks) {
    connect(box, &QCheckBox::toggled, this, [this, check](bool on) {
      if (syncing_) return;
      (model_.*check)(on);
      showModel();
    });
  }
  const std::pair<QPushButton*, void (FrmMorvane::*)()> buttons[] = {
      {cmdCancel_, &FrmMorvane::cmdCancel_Click},
      {cmdDump_, &FrmMorvane::cmdDump_Click},
      {cmdInsert_, &FrmMorvane::cmdInsert_Click},
      {cmdStrip_, &FrmMorvane::cmdStrip_Click},
      {cmdInsertPortopia_, &FrmMorvane::cmdInsertPortopia_Click},
      {cmdInsertGraphics_, &FrmMorvane::cmdInsertGraphics_Click},
      {cmdSearch_, &FrmMorvane::cmdSearch_Click},
      {cmdCompare_, &FrmMorvane::cmdCompare_Click},
      {cmdFDSSplit_, &FrmMorvane::cmdFDSSplit_Click},
      {cmdFDSMerge_, &FrmMorvane::cmdFDSMerge_Click}};
  for (const auto& [button, handler] : buttons) {
    connect(button, &QPushButton::clicked, this, handler);
  }
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
  chkShowStrings_->setChecked(s.showStrings);

  for (auto* option : opAddress_) option->setEnabled(c.opAddress);
  for (auto* option : opFeatures_) option->setEnabled(c.opFeatures);
  chkHeader_->setEnabled(c.header);
  txtAddress_->setEnabled(c.txtAddress);
  chkAsTable_->setEnabled(c.asTable);
  chkConcat_->setEnabled(c.concat);
  for (QWidget* w : {static_cast<QWidget*>(lbl(22)), static_cast<QWidget*>(txtPhrase_),
                     static_cast<QWidget*>(lbl(11)), static_cast<QWidget*>(txtLength_)}) {
    w->setEnabled(c.phrase);
  }
  chkwTables_->setEnabled(c.wTables);
  chkRaw_->setEnabled(c.raw);
  for (QPushButton* job : {cmdDump_, cmdInsert_, cmdStrip_, cmdInsertPortopia_, cmdInsertGraphics_,
                           cmdSearch_, cmdCompare_, cmdFDSSplit_, cmdFDSMerge_}) {
    job->setEnabled(c.jobs);
  }
  cmdInsertPortopia_->setVisible(false);
  cmdInsertGraphics_->setVisible(false);
  for (QLineEdit* box : {txtBlock_, txtStart_, txtEnd_, txtAddress_, txtSearch_}) {
    box->setReadOnly(c.locked);
  }
  lbl(20)->setText(ToQ(model_.statusText()));
  syncing_ = false;
}

void FrmMorvane::applySize() {
  // The width is fixed; the user may pull the height down to read the status
  // line, and each change of state puts it back.
  const QSize size = ClientSize(model_.height());
  setFixedWidth(size.width());
  resize(size);
}

void FrmMorvane::Enable_Controls(bool enable) {
  model_.Enable_Controls(enable);
  showModel();
  applySize();
}

void FrmMorvane::setStatusText(const std::string& text) {
  model_.setStatus(text);
  lbl(20)->setText(ToQ(text));
}

void FrmMorvane::setInsertLabel(int index, const std::string& text) {
  if (QLabel* label = index >= 30 && index <= 41 ? lbl(index) : nullptr) label->setText(ToQ(text));
}

void FrmMorvane::opAddress_Click(int index) {
  model_.opAddress_Click(index);
  showModel();
}

void FrmMorvane::opFeatures_Click(int index) {
  model_.opFeatures_Click(index);
  showModel();
}

void FrmMorvane::cmdCancel_Click() {
  model_.cmdCancel_Click();
}

void FrmMorvane::mnuExit_Click() {
  close();
}

void FrmMorvane::closeEvent(QCloseEvent* event) {
  // A job still running inside its click handler owns the stack below this
  // event: press Cancel and close once it has returned.
  if (model_.busy()) {
    closePending_ = true;
    model_.cmdCancel_Click();
    event->ignore();
    return;
  }
  for (QWidget* w : {static_cast<QWidget*>(howTo_), static_cast<QWidget*>(about_),
                     static_cast<QWidget*>(license_)}) {
    if (w != nullptr) w->close();
  }
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

}  // namespace morvane
