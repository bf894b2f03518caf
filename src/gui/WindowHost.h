// The job host of the main window: file dialogs that remember their last
// file, message boxes, the status and Insert labels, the busy state and the
// cancel flag, and a rate-limited trip through the event loop.
#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <map>
#include <vector>

#include "shell/JobHost.h"

namespace morvane {

class FrmMorvane;

class WindowHost final : public JobHost {
 public:
  explicit WindowHost(FrmMorvane& window) : window_(window) {}

  std::optional<std::string> askFile(Dialog dialog) override;
  bool asksText() const override { return true; }
  std::optional<std::string> askText(const std::string& title, const std::string& prompt) override;
  void enterBusy() override;
  void leaveBusy() override;
  void setStatus(const std::string& text) override;
  void setLabel(int index, const std::string& text) override;
  void yield() override;
  bool cancelRequested() override;
  bool showStrings() override;
  void errorBox(const std::string& text) override;
  void warningBox(const std::string& title, const std::string& text) override;
  // Fills the results panel: the same report the command line prints its
  // "Wrote" lines from.
  void jobFinished(const JobResult& result) override;

  // The file a dialog offers next: the one chosen last, else its default name
  // (the bundled copy of that file when there is one).
  QString offered(Dialog dialog) const;
  // Makes path the file the dialog offers next (a drop, a recent file).
  void remember(Dialog dialog, const QString& path);
  // The next job's first dialog of one of these kinds takes path without
  // asking (a file dropped on a job button); the job's end forgets it.
  void answerNext(std::vector<Dialog> dialogs, const QString& path);
  void forgetAnswer() { dropped_.clear(); }

  // What the running job last wrote into the status label and its message
  // boxes, kept for the results panel (leaving the busy state overwrites
  // the label).
  const QString& lastStatus() const { return lastStatus_; }
  const QStringList& boxes() const { return boxes_; }
  // What the running job wrote into the Insert labels, block by block
  // ("Block 0: 120 bytes used, 8 left, last phrase 1Fh"), or "" if nothing.
  QString labelSummary() const;

  // The event loop runs at most once per interval, however often a job yields.
  static constexpr int kYieldIntervalMs = 10;

 private:
  FrmMorvane& window_;
  std::map<Dialog, QString> remembered_;
  std::vector<Dialog> droppedFor_;
  QString dropped_;
  QString lastStatus_;
  QStringList boxes_;
  QString lastText_;  // offered again the next time a job asks for text
  std::map<int, QString> labels_;
  QStringList chosenByJob_;  // the files the running job has been given
  QElapsedTimer clock_;
};

// Bytes of the core as text on screen, and back.
QString ToQ(const std::string& bytes);
std::string FromQ(const QString& text);

}  // namespace morvane
