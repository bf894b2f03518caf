// What the window offers around its own controls: the results panel below
// them, the viewer, recent files under File, the View menu, dropped
// files, and the settings kept between runs.
#include <QAction>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include "gui/FileKinds.h"
#include "gui/FrmMorvane.h"
#include "gui/Preferences.h"
#include "gui/WindowLook.h"

namespace morvane {

namespace {

struct RecentKind {
  Dialog dialog;
  const char* title;
};
constexpr RecentKind kRecentKinds[] = {
    {Dialog::OpenNES, "ROM Files"},
    {Dialog::OpenTBL, "Character Tables"},
    {Dialog::OpenTXT, "Op Codes Files and Disk Listings"},
    {Dialog::OpenTableTXT, "Table Lists"},
    {Dialog::OpenSJS, "Scripts"},
    {Dialog::OpenFDS, "Disk Images"},
    {Dialog::OpenBmp, "Bitmaps"},
};

QString Native(const QString& path) {
  return QDir::toNativeSeparators(path);
}

}  // namespace

void FrmMorvane::buildAdditions() {
  QWidget* client = takeCentralWidget();
  auto* body = new QWidget(this);
  auto* layout = new QVBoxLayout(body);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(client, 1);
  results_ = new ResultsPanel(body);
  layout->addWidget(results_);
  resultsDock_ = layout;
  setCentralWidget(body);
  results_->openFile = [this](const QString& path) { openOutput(path); };
  results_->resized = [this] {
    if (!results_->ownWindow()) applySize();
  };
  setAcceptDrops(true);

  QMenu* file = menuBar()->findChild<QMenu*>("mnuFile");
  QAction* exit = file->findChild<QAction*>("mnuExit");
  auto* view = new QAction("&Open in Viewer...", file);
  view->setObjectName("mnuOpenViewer");
  view->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  connect(view, &QAction::triggered, this, [this] {
    const QString path = QFileDialog::getOpenFileName(
        this, "Open a File in the Viewer", {},
        "Text Files (*.txt *.tbl *.sjs *.asm *.s *.cfg);;All Files (*)");
    if (!path.isEmpty()) openViewer(path);
  });
  file->insertAction(exit, view);
  QMenu* recent = new QMenu("&Recent Files", file);
  recent->setObjectName("mnuRecent");
  connect(recent, &QMenu::aboutToShow, this, [this, recent] { fillRecentMenu(recent); });
  file->insertMenu(exit, recent);
  file->insertSeparator(exit);

  QMenu* panel = addMenu("&View", "mnuView");
  QAction* shown = panel->addAction("&Results Panel");
  shown->setObjectName("mnuResults");
  shown->setCheckable(true);
  QAction* own = panel->addAction("Results in &Own Window");
  own->setObjectName("mnuResultsOwnWindow");
  own->setCheckable(true);
  connect(panel, &QMenu::aboutToShow, this, [this, shown, own] {
    shown->setChecked(results_->expanded());
    own->setChecked(results_->ownWindow());
  });
  connect(shown, &QAction::triggered, this, [this](bool on) { results_->setExpanded(on); });
  connect(own, &QAction::triggered, this, [this](bool on) {
    setResultsOwnWindow(on);
    Preferences::SetResultsOwnWindow(on);
  });
}

QMenu* FrmMorvane::addMenu(const QString& title, const QString& name) {
  auto* menu = new QMenu(title, menuBar());
  menu->setObjectName(name);
  menuBar()->insertMenu(mnuHelp_->menuAction(), menu);
  return menu;
}

void FrmMorvane::fillRecentMenu(QMenu* menu) {
  menu->clear();
  // The window's seven dialogs under their short names, then those that
  // further jobs declare, under their titles.
  std::vector<RecentKind> kinds(std::begin(kRecentKinds), std::end(kRecentKinds));
  for (Dialog dialog : JobDialogs()) {
    const bool listed = std::any_of(kinds.begin(), kinds.end(),
                                    [&](const RecentKind& k) { return k.dialog == dialog; });
    if (!listed) kinds.push_back({dialog, SpecOf(dialog).title});
  }
  for (const RecentKind& kind : kinds) {
    QMenu* files = menu->addMenu(kind.title);
    const QStringList recent = Preferences::RecentFiles(kind.dialog);
    files->setEnabled(!recent.isEmpty());
    for (const QString& path : recent) {
      // Choosing one makes it the file that dialog offers next.
      files->addAction(Native(path), this, [this, dialog = kind.dialog, path] {
        host_.remember(dialog, path);
        results_->note("Next \"" + QString::fromLatin1(SpecOf(dialog).title) +
                       "\": " + Native(path));
      });
    }
  }
}

FrmViewer* FrmMorvane::openViewer(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  std::erase_if(viewers_, [](const QPointer<FrmViewer>& v) { return v.isNull(); });
  for (const auto& viewer : viewers_) {
    // A closed viewer waits for its deletion: never hand it out again.
    if (viewer->isVisible() && QFileInfo(viewer->path()).absoluteFilePath() == absolute) {
      viewer->open(absolute);
      viewer->show();
      viewer->raise();
      viewer->activateWindow();
      return viewer;
    }
  }
  auto* viewer = new FrmViewer;
  // Down and to the right of the last viewer still open, not on top of it.
  const auto last = std::find_if(viewers_.rbegin(), viewers_.rend(),
                                 [](const QPointer<FrmViewer>& v) { return v->isVisible(); });
  if (last != viewers_.rend()) viewer->move((*last)->pos() + QPoint(kViewerStep, kViewerStep));
  viewers_.emplace_back(viewer);
  viewer->open(absolute);
  viewer->show();
  return viewer;
}

void FrmMorvane::dropFiles(const QStringList& paths, QWidget* target) {
  if (model_.busy() || paths.isEmpty()) return;
  for (const ButtonJob& job : buttonJobs()) {
    if (target == nullptr || (target != job.button && !job.button->isAncestorOf(target))) continue;
    std::vector<Dialog> kinds;
    for (Dialog d : DialogsFor(paths.front())) {
      if (std::find(job.dialogs.begin(), job.dialogs.end(), d) != job.dialogs.end())
        kinds.push_back(d);
    }
    const QString name = QFileInfo(paths.front()).fileName();
    if (kinds.empty() || !job.button->isEnabled()) {
      dialogs_->noticeBox(
          this, windowTitle(),
          name + " is not a file that \"" + job.button->text().trimmed() + "\" reads.");
      return;
    }
    host_.answerNext(kinds, paths.front());
    job.button->click();
    return;
  }
  for (const QString& path : paths) {
    const std::vector<Dialog> kinds = DialogsFor(path);
    if (!kinds.empty()) {
      for (Dialog d : kinds) host_.remember(d, path);
      results_->note("Next \"" + QString::fromLatin1(SpecOf(kinds.front()).title) +
                     "\": " + Native(path));
    } else if (IsTextFile(path)) {
      openViewer(path);
    } else {
      dialogs_->noticeBox(this, windowTitle(),
                          "Morvane does not know what " + QFileInfo(path).fileName() + " is.");
    }
  }
}

void FrmMorvane::dragEnterEvent(QDragEnterEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  const bool local = !urls.isEmpty() && std::all_of(urls.begin(), urls.end(),
                                                    [](const QUrl& u) { return u.isLocalFile(); });
  if (local && !model_.busy()) event->acceptProposedAction();
}

void FrmMorvane::dropEvent(QDropEvent* event) {
  QStringList paths;
  for (const QUrl& url : event->mimeData()->urls()) {
    if (url.isLocalFile()) paths << url.toLocalFile();
  }
  event->acceptProposedAction();
  // The drop finishes first, so the program the files came from is not kept
  // waiting while a job runs.
  QPointer<QWidget> target = childAt(event->position().toPoint());
  QTimer::singleShot(0, this, [this, paths, target] { dropFiles(paths, target); });
}

void FrmMorvane::restoreSettings() {
  results_->setExpanded(Preferences::ResultsShown());
  const QByteArray geometry = Preferences::Geometry(objectName());
  if (!geometry.isEmpty()) restoreGeometry(geometry);
  setResultsOwnWindow(Preferences::ResultsOwnWindow());
}

void FrmMorvane::saveSettings() const {
  Preferences::SetGeometry(objectName(), saveGeometry());
  if (resultsWindow_ != nullptr && results_->ownWindow()) {
    Preferences::SetGeometry(resultsWindow_->objectName(), resultsWindow_->saveGeometry());
  }
  Preferences::SetResultsShown(results_->expanded());
}

}  // namespace morvane
