// The job buttons and menu items, built from the job registry. Each runs its
// core job inside the click with a snapshot of the settings and the window as host.
#include <QActionGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <algorithm>

#include "analysis/SearchWord.h"
#include "gui/FrmMorvane.h"
#include "gui/Preferences.h"
#include "gui/Widgets.h"
#include "gui/WindowLook.h"
#include "jobs/JobRegistry.h"
#include "patch/PatchFiles.h"

namespace morvane {

namespace {
bool IsButton(const JobSpec& job) {
  return job.window == Reach::Button || job.window == Reach::HiddenButton;
}
}  // namespace

void FrmMorvane::addJobButton(QWidget* frame, const char* control, QRect twips) {
  for (const JobSpec& job : Jobs()) {
    const JobLook look = LookOf(job);
    if (!IsButton(job) || std::string_view(look.object) != control) continue;
    auto* button = new WrapButton(look.caption, frame);
    button->setObjectName(control);
    button->setGeometry(twips);
    jobButtons_.emplace_back(&job, button);
  }
}

QMenu* FrmMorvane::jobMenu(const char* title) {
  const QString text = title != nullptr ? title : "&Jobs";
  for (QAction* action : menuBar()->actions()) {
    if (action->menu() != nullptr && action->text() == text) return action->menu();
  }
  return addMenu(text, "mnu" + QString(text).remove('&'));
}

void FrmMorvane::addJobMenu() {
  addTextToolsMenus(jobMenu("&Tools"));
  for (const JobSpec& job : Jobs()) {
    const bool placed = std::any_of(jobButtons_.begin(), jobButtons_.end(),
                                    [&](const auto& entry) { return entry.first == &job; });
    if (job.window == Reach::CommandLine || placed) continue;
    const JobLook look = LookOf(job);
    QMenu* menu = jobMenu(look.menu);
    QAction* item = menu->addAction(look.caption, this, [this, &job] { runJob(job); });
    item->setObjectName(look.object);
    jobActions_.emplace_back(&job, item);
  }
  addWritePatchesMenu(jobMenu("&Tools"));
}

void FrmMorvane::addWritePatchesMenu(QMenu* tools) {
  static constexpr std::pair<const char*, const char*> kChoices[] = {
      {"", "&None"}, {"ips", "&IPS"}, {"bps", "&BPS"}};
  writePatches_ = Preferences::WritePatches().toStdString();
  QMenu* menu = tools->addMenu("&Write Patches");
  menu->setObjectName("mnuWritePatches");
  auto* group = new QActionGroup(menu);
  for (const auto& [value, caption] : kChoices) {
    QAction* item = menu->addAction(caption);
    item->setObjectName(QString("mnuWritePatches") + (*value ? value : "none"));
    item->setCheckable(true);
    item->setChecked(writePatches_ == value);
    group->addAction(item);
    connect(item, &QAction::triggered, this, [this, value = std::string(value)] {
      writePatches_ = value;
      Preferences::SetWritePatches(QString::fromStdString(value));
    });
  }
  if (group->checkedAction() == nullptr) {
    writePatches_.clear();
    group->actions().front()->setChecked(true);
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
  // here to the word the classic search looks for (The cat becomes THECAT).
  if (job.reads(Setting::Word) && searchChoices_.empty()) {
    const QString shown = ToQ(SearchBoxText(model_.settings().searchText));
    if (txtSearch_->text() != shown) txtSearch_->setText(shown);
  }
  Settings snapshot = model_.settings();
  addSearchChoices(job, snapshot);
  const bool patches = std::any_of(job.options.begin(), job.options.end(), [](const auto& o) {
    return std::string_view(o.name) == kPatchOption.name;
  });
  if (patches && !writePatches_.empty()) snapshot.options.add(kPatchOption.name, writePatches_);
  const bool window = std::any_of(job.options.begin(), job.options.end(), [](const auto& o) {
    return std::string_view(o.name) == "window";
  });
  if (window && snapshot.trace && chkWindow_->isChecked()) snapshot.options.add("window", "auto");
  if (!addTextJobOptions(job, snapshot)) return;
  // The job's frame reports its end through the host, which fills the results panel.
  running_ = &job;
  runningDetail_ = jobDetail(job);
  job.run(snapshot, host_);
  running_ = nullptr;
  host_.forgetAnswer();
  // A job that left without its idle state must not leave the window locked.
  if (model_.busy()) Enable_Controls(true);
  if (closePending_) close();
}

}  // namespace morvane
