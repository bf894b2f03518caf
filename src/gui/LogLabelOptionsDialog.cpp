#include "gui/LogLabelOptionsDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>
#include <iterator>

#include "gui/DialogHost.h"

namespace morvane {

namespace {

constexpr DialogSpec kOpenCodeDataLogSpec{"cdbOpenCdl", "Select Code/Data Log to Read",
                                          "Code/Data Logs|*.cdl|All Files|*.*", ""};
constexpr DialogSpec kOpenLabelFileSpec{
    "cdbOpenLabels", "Select Label File to Read",
    "Label Files|*.mlb;*.nl;*.dbg|Mesen Labels|*.mlb|FCEUX Name Lists|*.nl|ca65 Debug Files|*.dbg|"
    "All Files|*.*",
    ""};

// The write boxes: caption and option value ("" writes nothing).
struct Choice {
  const char* caption;
  const char* value;
};
constexpr Choice kLogFormats[] = {{"Don't write", ""}, {"FCEUX", "fceux"}, {"Mesen", "mesen"}};
constexpr Choice kLabelFormats[] = {
    {"Don't write", ""}, {"Mesen (.mlb)", "mlb"}, {"FCEUX (.nl)", "nl"}};

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

template <std::size_t N>
QComboBox* FormatBox(const Choice (&choices)[N], const char* name, QWidget* parent) {
  auto* box = Named(new QComboBox(parent), name);
  for (const Choice& c : choices) box->addItem(c.caption, QString(c.value));
  return box;
}

void Select(QComboBox* box, const std::string& value) {
  const int at = box->findData(QString::fromStdString(value));
  box->setCurrentIndex(at < 0 ? 0 : at);
}

}  // namespace

const Dialog kOpenCodeDataLog{kOpenCodeDataLogSpec};
const Dialog kOpenLabelFile{kOpenLabelFileSpec};

LogLabelOptionsDialog::LogLabelOptionsDialog(DialogHost& dialogs, const QString& title,
                                             QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName("frmLogLabelOptions");
  setWindowTitle(title);
  auto* form = new QFormLayout(this);
  txtCdl_ = Named(new QLineEdit(this), "txtCdl");
  txtCdl_->setPlaceholderText("none: the trace finds everything itself");
  auto* browse = Named(new QPushButton("...", this), "cmdBrowseCdl");
  auto* log = new QHBoxLayout;
  log->addWidget(txtCdl_);
  log->addWidget(browse);
  form->addRow("Code/data log:", log);
  cboWriteCdl_ = FormatBox(kLogFormats, "cboWriteCdl", this);
  form->addRow("Write a log:", cboWriteCdl_);
  lstLabels_ = Named(new QListWidget(this), "lstLabels");
  auto* add = Named(new QPushButton("Add...", this), "cmdAddLabels");
  auto* remove = Named(new QPushButton("Remove", this), "cmdRemoveLabels");
  auto* labelButtons = new QVBoxLayout;
  labelButtons->addWidget(add);
  labelButtons->addWidget(remove);
  labelButtons->addStretch();
  auto* labels = new QHBoxLayout;
  labels->addWidget(lstLabels_);
  labels->addLayout(labelButtons);
  form->addRow("Label files:", labels);
  cboWriteLabels_ = FormatBox(kLabelFormats, "cboWriteLabels", this);
  form->addRow("Write labels:", cboWriteLabels_);
  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(browse, &QPushButton::clicked, this, [this] { browseLog(); });
  connect(add, &QPushButton::clicked, this, [this] { addLabels(); });
  connect(remove, &QPushButton::clicked, this, [this] { delete lstLabels_->currentItem(); });
}

void LogLabelOptionsDialog::browseLog() {
  if (auto path = dialogs_.openFile(this, kOpenCodeDataLog, txtCdl_->text())) {
    txtCdl_->setText(*path);
  }
}

void LogLabelOptionsDialog::addLabels() {
  const QListWidgetItem* last = lstLabels_->item(lstLabels_->count() - 1);
  if (auto path = dialogs_.openFile(this, kOpenLabelFile, last ? last->text() : QString())) {
    lstLabels_->addItem(*path);
  }
}

void LogLabelOptionsDialog::setChoices(const LogLabelChoices& choices) {
  txtCdl_->clear();
  lstLabels_->clear();
  cboWriteCdl_->setCurrentIndex(0);
  cboWriteLabels_->setCurrentIndex(0);
  for (const auto& [name, value] : choices) {
    if (name == "cdl") txtCdl_->setText(QString::fromStdString(value));
    if (name == "write-cdl") Select(cboWriteCdl_, value);
    if (name == "labels") lstLabels_->addItem(QString::fromStdString(value));
    if (name == "write-labels") Select(cboWriteLabels_, value);
  }
}

LogLabelChoices LogLabelOptionsDialog::choices() const {
  LogLabelChoices choices;
  if (!txtCdl_->text().isEmpty()) choices.emplace_back("cdl", txtCdl_->text().toStdString());
  const std::string writeCdl = cboWriteCdl_->currentData().toString().toStdString();
  if (!writeCdl.empty()) choices.emplace_back("write-cdl", writeCdl);
  for (int i = 0; i < lstLabels_->count(); ++i) {
    choices.emplace_back("labels", lstLabels_->item(i)->text().toStdString());
  }
  const std::string writeLabels = cboWriteLabels_->currentData().toString().toStdString();
  if (!writeLabels.empty()) choices.emplace_back("write-labels", writeLabels);
  return choices;
}

QString LogLabelOptionsDialog::Summary(const LogLabelChoices& choices) {
  QStringList words;
  for (const auto& [name, value] : choices) {
    words << "--" + QString::fromStdString(name) << QString::fromStdString(value);
  }
  return words.join(' ');
}

}  // namespace morvane
