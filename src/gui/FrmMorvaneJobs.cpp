// The job buttons and menu items, built from the job registry. Each runs its
// core job inside the click with a snapshot of the settings and the window as host.
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <algorithm>

#include "analysis/SearchWord.h"
#include "gui/FrmMorvane.h"
#include "gui/Widgets.h"
#include "jobs/JobRegistry.h"

namespace morvane {

namespace {
bool IsButton(const JobSpec& job) {
  return job.window.reach == Reach::Button || job.window.reach == Reach::HiddenButton;
}
}  // namespace

void FrmMorvane::addJobButton(QWidget* frame, const char* control, QRect twips) {
  for (const JobSpec& job : Jobs()) {
    if (!IsButton(job) || std::string_view(job.window.control) != control) continue;
    auto* button = new WrapButton(job.window.caption, frame);
    button->setObjectName(control);
    button->setGeometry(twips);
    jobButtons_.emplace_back(&job, button);
  }
}

void FrmMorvane::addJobMenu() {
  QMenu* menu = nullptr;
  for (const JobSpec& job : Jobs()) {
    const bool placed = std::any_of(jobButtons_.begin(), jobButtons_.end(),
                                    [&](const auto& entry) { return entry.first == &job; });
    if (job.window.reach == Reach::CommandLine || placed) continue;
    if (menu == nullptr) menu = addMenu("&Jobs", "mnuJobs");
    QAction* item = menu->addAction(job.window.caption, this, [this, &job] { runJob(job); });
    item->setObjectName(job.window.control != nullptr ? job.window.control : job.name);
    jobActions_.emplace_back(&job, item);
  }
}

std::vector<FrmMorvane::ButtonJob> FrmMorvane::buttonJobs() const {
  std::vector<ButtonJob> jobs;
  for (const auto& [job, button] : jobButtons_) {
    std::vector<Dialog> dialogs;
    for (const FileSpec& file : job->files) dialogs.push_back(file.dialog);
    jobs.push_back({button, job, std::move(dialogs)});
  }
  return jobs;
}

void FrmMorvane::runJob(const JobSpec& job) {
  if (model_.busy()) return;
  // The job works on a snapshot of the settings: the search box is rewritten
  // here to the word the job looks for (The cat becomes THECAT).
  if (job.reads(Setting::Word)) {
    const QString shown = ToQ(SearchBoxText(model_.settings().searchText));
    if (txtSearch_->text() != shown) txtSearch_->setText(shown);
  }
  const Settings snapshot = model_.settings();
  // The job's frame reports its end through the host, which fills the results panel.
  running_ = &job;
  job.run(snapshot, host_);
  running_ = nullptr;
  host_.forgetAnswer();
  // A job that left without its idle state must not leave the window locked.
  if (model_.busy()) Enable_Controls(true);
  if (closePending_) close();
}

}  // namespace morvane
