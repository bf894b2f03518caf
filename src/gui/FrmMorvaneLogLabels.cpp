// The "Logs, Labels..." button of the 8-bit Code dump and Tools > "Export as ca65 Project...":
// the code/data log and label file options of the traced dump and of the
// export, kept for the jobs of this session.
#include <QFontMetrics>
#include <algorithm>

#include "gui/FrmMorvane.h"
#include "gui/Widgets.h"

namespace morvane {

namespace {

constexpr const char* kExportJob = "export-ca65";

LogLabelOptionsDialog* OptionsDialog(QPointer<LogLabelOptionsDialog>& dialog, DialogHost& dialogs,
                                     const QString& title, QWidget* parent) {
  if (dialog == nullptr) dialog = new LogLabelOptionsDialog(dialogs, title, parent);
  return dialog;
}

}  // namespace

void FrmMorvane::addLogLabelsButton(QWidget* frame, QRect twips) {
  cmdLogLabels_ = new QPushButton("Logs, Labels...", frame);
  cmdLogLabels_->setObjectName("cmdLogLabels");
  cmdLogLabels_->setGeometry(twips);
  QFont font = cmdLogLabels_->font();
  while (font.pointSizeF() > 6 &&
         QFontMetrics(font).horizontalAdvance(cmdLogLabels_->text()) > twips.width() - 8) {
    font.setPointSizeF(font.pointSizeF() - 0.25);
  }
  cmdLogLabels_->setFont(font);
  cmdLogLabels_->setToolTip("Code/data log and label files: none");
  connect(cmdLogLabels_, &QPushButton::clicked, this, [this] { cmdLogLabels_Click(); });
}

void FrmMorvane::cmdLogLabels_Click() {
  if (model_.busy()) return;
  const bool fresh = traceOptions_ == nullptr;
  LogLabelOptionsDialog* dialog =
      OptionsDialog(traceOptions_, *dialogs_, "Code/Data Log and Labels", this);
  if (fresh) {
    connect(dialog, &QDialog::accepted, this, [this] {
      traceChoices_ = traceOptions_->choices();
      const QString summary = LogLabelOptionsDialog::Summary(traceChoices_);
      cmdLogLabels_->setToolTip("Code/data log and label files: " +
                                (summary.isEmpty() ? QString("none") : summary));
    });
  }
  dialog->setChoices(traceChoices_);
  dialog->open();
}

void FrmMorvane::mnuExportCa65_Click(const JobSpec& job) {
  if (model_.busy()) return;
  const bool fresh = exportOptions_ == nullptr;
  LogLabelOptionsDialog* dialog =
      OptionsDialog(exportOptions_, *dialogs_, "Export as ca65 Project", this);
  if (fresh) {
    connect(dialog, &QDialog::accepted, this, [this, &job] {
      exportChoices_ = exportOptions_->choices();
      runJob(job);
    });
  }
  dialog->setChoices(exportChoices_);
  dialog->open();
}

void FrmMorvane::addLogLabelChoices(const JobSpec& job, Settings& snapshot) const {
  const LogLabelChoices& choices =
      job.name == std::string_view(kExportJob) ? exportChoices_ : traceChoices_;
  for (const auto& choice : choices) {
    const bool takes = std::any_of(job.options.begin(), job.options.end(),
                                   [&](const OptionSpec& o) { return choice.first == o.name; });
    if (takes) snapshot.options.add(choice.first, choice.second);
  }
}

}  // namespace morvane
