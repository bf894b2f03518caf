// The results panel's place (below the controls or in a window of its own),
// the entry of each finished job and "Open" on the files it wrote.
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>

#include "gui/FileKinds.h"
#include "gui/FrmMorvane.h"
#include "gui/Preferences.h"
#include "gui/WindowLook.h"

namespace morvane {

namespace {

// The panel's own window: closing it puts the panel back below the controls.
class ResultsWindow final : public QWidget {
 public:
  ResultsWindow(QWidget* owner, std::function<void()> closed)
      : QWidget(owner, Qt::Window), closed_(std::move(closed)) {
    setObjectName("frmResults");
    setWindowTitle("Morvane Results");
    new QVBoxLayout(this);
    layout()->setContentsMargins(0, 0, 0, 0);
  }

 protected:
  void closeEvent(QCloseEvent* event) override {
    event->accept();
    if (closed_) closed_();
  }

 private:
  std::function<void()> closed_;
};

}  // namespace

QSize FrmMorvane::WindowSize(int heightTwips) const {
  const bool below = results_ != nullptr && !results_->ownWindow();
  return ClientSize(heightTwips) + QSize(0, below ? results_->minimumHeight() : 0);
}

void FrmMorvane::setResultsOwnWindow(bool own) {
  if (own == results_->ownWindow()) return;
  if (own) {
    if (resultsWindow_ == nullptr) {
      resultsWindow_ = new ResultsWindow(this, [this] {
        // Closed by its title bar: back below the controls, and remembered so.
        QTimer::singleShot(0, this, [this] {
          setResultsOwnWindow(false);
          Preferences::SetResultsOwnWindow(false);
        });
      });
      const QByteArray geometry = Preferences::Geometry(resultsWindow_->objectName());
      if (geometry.isEmpty() || !resultsWindow_->restoreGeometry(geometry)) {
        // Beside the main window, as tall as it.
        resultsWindow_->resize(width() + width() / 2, height());
        resultsWindow_->move(frameGeometry().topRight() + QPoint(8, 0));
      }
    }
    resultsDock_->removeWidget(results_);
    resultsWindow_->layout()->addWidget(results_);
    results_->setOwnWindow(true);
    resultsWindow_->show();
    resultsWindow_->raise();
  } else {
    if (resultsWindow_ != nullptr) {
      Preferences::SetGeometry(resultsWindow_->objectName(), resultsWindow_->saveGeometry());
      resultsWindow_->layout()->removeWidget(results_);
    }
    resultsDock_->addWidget(results_);
    results_->setOwnWindow(false);
    results_->show();
    if (resultsWindow_ != nullptr) resultsWindow_->hide();
  }
  applySize();
}

void FrmMorvane::openOutput(const QString& path) {
  if (IsTextFile(path)) {
    openViewer(path);
  } else if (!results_->openUrl(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()))) {
    results_->note("Nothing on this desktop opens " + QFileInfo(path).fileName() + "; it is in " +
                   QDir::toNativeSeparators(QFileInfo(path).absolutePath()));
  }
}

void FrmMorvane::recordJob(const JobResult& result) {
  JobRecord record;
  record.time = QDateTime::currentDateTime();
  record.outcome = result.outcome;
  record.status = host_.lastStatus();
  // The inserters' last status is a step of their work; their labels sum it up.
  const QString summary = host_.labelSummary();
  if (result.outcome == Outcome::Done && !summary.isEmpty()) record.status = summary;
  record.boxes = host_.boxes();
  if (running_ != nullptr) {
    record.job = QString::fromLatin1(LookOf(*running_).caption).trimmed();
    if (!runningDetail_.isEmpty()) record.job += " (" + runningDetail_ + ")";
  }
  for (const std::string& file : result.written) {
    record.files << QFile::decodeName(QByteArray::fromStdString(file));
  }
  results_->add(record);
}

QString FrmMorvane::jobDetail(const JobSpec& job) const {
  if (!job.reads(Setting::Mode)) return {};
  const Settings& s = model_.settings();
  const auto mode = static_cast<std::size_t>(s.mode);
  if (mode >= opFeatures_.size()) return {};
  QString detail = opFeatures_[mode]->text();
  if (s.trace && job.reads(Setting::Trace)) detail += ", traced";
  return detail;
}

}  // namespace morvane
