// The translator's tools around the text jobs: Tools > Table Files (the form
// character tables are read in, kept between runs), Tools > Text Dump Pointer
// Table... (the pointer table a Text dump reads), the Insert frame's Verify
// check box. Each becomes an option of the job that takes it.
#include <QActionGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMenu>
#include <algorithm>

#include "gui/FrmMorvane.h"
#include "gui/Preferences.h"
#include "gui/Widgets.h"

namespace morvane {

namespace {

bool Takes(const JobSpec& job, std::string_view option) {
  return std::any_of(job.options.begin(), job.options.end(),
                     [&](const OptionSpec& o) { return option == o.name; });
}

}  // namespace

void FrmMorvane::addTextToolsMenus(QMenu* tools) {
  static constexpr std::pair<const char*, const char*> kForms[] = {{"classic", "&Classic"},
                                                                   {"standard", "&Standard"}};
  tableFormat_ = Preferences::TableFormat().toStdString();
  QMenu* menu = tools->addMenu("&Table Files");
  menu->setObjectName("mnuTableFiles");
  auto* group = new QActionGroup(menu);
  for (const auto& [value, caption] : kForms) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString("mnuTableFiles") + value);
    item->setCheckable(true);
    item->setChecked(tableFormat_ == value);
    group->addAction(item);
    connect(item, &QAction::triggered, this, [this, value = std::string(value)] {
      tableFormat_ = value;
      Preferences::SetTableFormat(QString::fromStdString(value));
    });
  }
  if (group->checkedAction() == nullptr) {
    tableFormat_ = "classic";
    group->actions().front()->setChecked(true);
  }
  QAction* pointers =
      tools->addAction("Text Dump &Pointer Table...", this, [this] { askDumpPointers(); });
  pointers->setObjectName("mnuDumpPointers");
}

void FrmMorvane::askDumpPointers() {
  QDialog dialog(this);
  dialog.setObjectName("dlgDumpPointers");
  dialog.setWindowTitle("Text Dump Pointer Table");
  auto* form = new QFormLayout(&dialog);
  const struct {
    const char* name;
    const char* caption;
    std::string* value;
  } boxes[] = {{"txtPtrLow", "Low bytes at (hex, empty: no table):", &dumpPointers_.low},
               {"txtPtrHigh", "High bytes at (hex, empty: Low + 1):", &dumpPointers_.high},
               {"txtPtrStep", "Step (empty: 2 for pairs, 1 for two tables):", &dumpPointers_.step},
               {"txtPtrCount", "Pointers:", &dumpPointers_.count},
               {"txtPtrBase", "Added to each pointer (hex):", &dumpPointers_.base}};
  std::vector<QLineEdit*> edits;
  for (const auto& box : boxes) {
    auto* edit = new QLineEdit(QString::fromStdString(*box.value), &dialog);
    edit->setObjectName(box.name);
    form->addRow(box.caption, edit);
    edits.push_back(edit);
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
  form->addRow(buttons);
  connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  if (dialog.exec() != QDialog::Accepted) return;
  for (std::size_t i = 0; i < edits.size(); ++i) {
    *boxes[i].value = edits[i]->text().trimmed().toUpper().toStdString();
  }
}

bool FrmMorvane::addTextJobOptions(const JobSpec& job, Settings& snapshot) {
  if (Takes(job, "tbl-format")) snapshot.options.add("tbl-format", tableFormat_);
  if (Takes(job, "verify") && chkVerify_ != nullptr && chkVerify_->isChecked()) {
    snapshot.options.add("verify", "");
  }
  const DumpPointers& p = dumpPointers_;
  if (Takes(job, "pointers") && snapshot.mode == kText && !p.low.empty()) {
    std::string table = p.low;
    if (!p.high.empty() || !p.step.empty()) table += "," + p.high;
    if (!p.step.empty()) table += "," + p.step;
    snapshot.options.add("pointers", table);
    snapshot.options.add("count", p.count);
    if (!p.base.empty()) snapshot.options.add("pointer-base", p.base);
  }
  return true;
}

}  // namespace morvane
