#include "gui/SearchOptionsDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <iterator>

#include "analysis/CharOrder.h"
#include "analysis/SearchOptions.h"
#include "gui/DialogHost.h"

namespace morvane {

namespace {

// The order box: the alphabet, the bundled orders, then a file of one's own.
constexpr const char* kOrderCaptions[] = {"Alphabet (kana in romaji after j)",
                                          "Hiragana, gojuon order",
                                          "Katakana, gojuon order",
                                          "Hiragana, iroha order",
                                          "Katakana, iroha order",
                                          "The order file below"};
constexpr int kOrderFile = static_cast<int>(std::size(kOrderCaptions)) - 1;

template <typename W>
W* Named(W* widget, const char* name) {
  widget->setObjectName(name);
  return widget;
}

}  // namespace

SearchOptionsDialog::SearchOptionsDialog(DialogHost& dialogs, QWidget* parent)
    : QDialog(parent), dialogs_(dialogs) {
  setObjectName("frmSearchOptions");
  setWindowTitle("Search Options");
  auto* form = new QFormLayout(this);
  chkWildcard_ = Named(new QCheckBox("* stands for any one character", this), "chkWildcard");
  form->addRow(chkWildcard_);
  chkMixedCase_ = Named(new QCheckBox("Upper and lower case, the gap between them unknown", this),
                        "chkMixedCase");
  form->addRow(chkMixedCase_);
  cboWidth_ = Named(new QComboBox(this), "cboWidth");
  cboWidth_->addItems({"8 bits", "16 bits"});
  cboEndian_ = Named(new QComboBox(this), "cboEndian");
  cboEndian_->addItems({"little endian", "big endian"});
  auto* width = new QHBoxLayout;
  width->addWidget(cboWidth_);
  width->addWidget(cboEndian_);
  form->addRow("Character:", width);
  cboOrder_ = Named(new QComboBox(this), "cboOrder");
  for (const char* caption : kOrderCaptions) cboOrder_->addItem(caption);
  form->addRow("Order:", cboOrder_);
  txtOrder_ = Named(new QLineEdit(this), "txtOrder");
  cmdBrowse_ = Named(new QPushButton("...", this), "cmdBrowseOrder");
  auto* file = new QHBoxLayout;
  file->addWidget(txtOrder_);
  file->addWidget(cmdBrowse_);
  form->addRow("Order file:", file);
  chkValues_ = Named(new QCheckBox("Numbers instead of the word:", this), "chkValues");
  txtValues_ = Named(new QLineEdit(this), "txtValues");
  txtValues_->setPlaceholderText("120,150,200");
  form->addRow(chkValues_, txtValues_);
  auto* buttons =
      new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, Qt::Horizontal, this);
  QPushButton* classic =
      Named(buttons->addButton("Classic Search", QDialogButtonBox::ResetRole), "cmdClassicSearch");
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(classic, &QPushButton::clicked, this, [this] { reset(); });
  connect(cmdBrowse_, &QPushButton::clicked, this, [this] { browseOrder(); });
  for (QCheckBox* box : {chkMixedCase_, chkValues_}) {
    connect(box, &QCheckBox::toggled, this, [this] { updateEnabled(); });
  }
  for (QComboBox* box : {cboWidth_, cboOrder_}) {
    connect(box, &QComboBox::currentIndexChanged, this, [this] { updateEnabled(); });
  }
  updateEnabled();
}

void SearchOptionsDialog::reset() {
  setChoices({});
}

void SearchOptionsDialog::browseOrder() {
  if (auto path = dialogs_.openFile(this, kOpenOrder, txtOrder_->text())) {
    txtOrder_->setText(*path);
    cboOrder_->setCurrentIndex(kOrderFile);
  }
}

void SearchOptionsDialog::updateEnabled() {
  const bool values = chkValues_->isChecked();
  cboEndian_->setEnabled(cboWidth_->currentIndex() == 1);
  chkMixedCase_->setEnabled(!values && cboOrder_->currentIndex() == 0);
  cboOrder_->setEnabled(!values && !chkMixedCase_->isChecked());
  const bool file = cboOrder_->isEnabled() && cboOrder_->currentIndex() == kOrderFile;
  txtOrder_->setEnabled(file);
  cmdBrowse_->setEnabled(cboOrder_->isEnabled());
  txtValues_->setEnabled(values);
}

void SearchOptionsDialog::setChoices(const SearchChoices& choices) {
  chkWildcard_->setChecked(false);
  chkMixedCase_->setChecked(false);
  chkValues_->setChecked(false);
  cboWidth_->setCurrentIndex(0);
  cboEndian_->setCurrentIndex(0);
  cboOrder_->setCurrentIndex(0);
  for (const auto& [name, value] : choices) {
    const QString text = QString::fromStdString(value);
    if (name == "wildcard") chkWildcard_->setChecked(true);
    if (name == "mixed-case") chkMixedCase_->setChecked(true);
    if (name == "width") cboWidth_->setCurrentIndex(value == "16" ? 1 : 0);
    if (name == "endian") cboEndian_->setCurrentIndex(value == "big" ? 1 : 0);
    if (name == "values") {
      chkValues_->setChecked(true);
      txtValues_->setText(text);
    }
    if (name != "order") continue;
    const auto* bundled = std::find(std::begin(kBundledOrders), std::end(kBundledOrders), value);
    if (bundled != std::end(kBundledOrders)) {
      cboOrder_->setCurrentIndex(1 + static_cast<int>(bundled - std::begin(kBundledOrders)));
    } else {
      cboOrder_->setCurrentIndex(kOrderFile);
      txtOrder_->setText(text);
    }
  }
  updateEnabled();
}

SearchChoices SearchOptionsDialog::choices() const {
  SearchChoices choices;
  if (chkWildcard_->isChecked()) choices.emplace_back("wildcard", "");
  if (cboWidth_->currentIndex() == 1) {
    choices.emplace_back("width", "16");
    if (cboEndian_->currentIndex() == 1) choices.emplace_back("endian", "big");
  }
  if (chkMixedCase_->isEnabled() && chkMixedCase_->isChecked()) {
    choices.emplace_back("mixed-case", "");
  }
  if (chkValues_->isChecked()) choices.emplace_back("values", txtValues_->text().toStdString());
  const int order = cboOrder_->isEnabled() ? cboOrder_->currentIndex() : 0;
  if (order == kOrderFile) {
    choices.emplace_back("order", txtOrder_->text().toStdString());
  } else if (order > 0) {
    choices.emplace_back("order", kBundledOrders[order - 1]);
  }
  return choices;
}

QString SearchOptionsDialog::Summary(const SearchChoices& choices) {
  QStringList words;
  for (const auto& [name, value] : choices) {
    words << "--" + QString::fromStdString(name);
    if (!value.empty()) words << QString::fromStdString(value);
  }
  return words.join(' ');
}

}  // namespace morvane
