// The panel below the frames: one entry per finished job with its time, its
// final status, the text of any message box and the files it wrote, each
// with "Open" and "Show in folder". Collapses to its header line. Long texts
// wrap, so that every entry's buttons stay in sight; in a window of its own
// the panel takes whatever height that window has.
#pragma once

#include <QDateTime>
#include <QStringList>
#include <QUrl>
#include <QWidget>
#include <functional>

#include "shell/JobHost.h"

class QLabel;
class QToolButton;
class QVBoxLayout;

namespace morvane {

struct JobRecord {
  QDateTime time;
  QString job;
  Outcome outcome = Outcome::Done;
  QString status;     // the last status text the job wrote
  QStringList boxes;  // texts of the message boxes it showed
  QStringList files;  // files it wrote
};

QString OutcomeText(Outcome outcome);

class ResultsPanel final : public QWidget {
 public:
  explicit ResultsPanel(QWidget* parent);

  void add(const JobRecord& record);
  int entryCount() const;
  // A line in the header, e.g. which file a drop chose.
  void note(const QString& text);
  void setExpanded(bool expanded);
  bool expanded() const { return expanded_; }
  // Below the main window the panel has a fixed height; in a window of its
  // own it grows with that window.
  void setOwnWindow(bool own);
  bool ownWindow() const { return ownWindow_; }

  // "Open" on a file; "Show in folder" opens the folder's URL. The window
  // sets the first; tests may replace both. When the desktop has nothing to
  // open them with, the header says so.
  std::function<void(const QString&)> openFile;
  std::function<bool(const QUrl&)> openUrl;
  // Told when the panel changes its height.
  std::function<void()> resized;

  static constexpr int kHeaderHeight = 24;
  static constexpr int kBodyHeight = 150;
  static constexpr int kMaxEntries = 100;

 private:
  QWidget* entryFor(const JobRecord& record);
  QWidget* fileRow(const QString& file, QWidget* parent);

  void showFolder(const QString& file);

  bool expanded_ = true;
  bool ownWindow_ = false;
  QToolButton* cmdResults_ = nullptr;
  QLabel* lblLast_ = nullptr;
  QWidget* body_ = nullptr;
  QVBoxLayout* entries_ = nullptr;
};

}  // namespace morvane
