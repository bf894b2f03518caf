#include "gui/WindowHost.h"

#include <QCoreApplication>
#include <QFile>
#include <QInputDialog>
#include <algorithm>
#include <utility>

#include "gui/DialogHost.h"
#include "gui/FrmMorvane.h"
#include "gui/Preferences.h"
#include "shell/DataFiles.h"

namespace morvane {

QString ToQ(const std::string& bytes) {
  return QString::fromLocal8Bit(bytes);
}
std::string FromQ(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

QString WindowHost::offered(Dialog dialog) const {
  if (const auto last = remembered_.find(dialog);
      last != remembered_.end() && !last->second.isEmpty()) {
    return last->second;
  }
  // The first time, the default name points at the bundled file when there is one.
  const std::string name = SpecOf(dialog).defaultName;
  if (name.empty()) return {};
  const std::string bundled = BundledFile(name);
  return QFile::decodeName(QByteArray::fromStdString(bundled.empty() ? name : bundled));
}

void WindowHost::remember(Dialog dialog, const QString& path) {
  remembered_[dialog] = path;
  Preferences::AddRecentFile(dialog, path);
}

void WindowHost::answerNext(std::vector<Dialog> dialogs, const QString& path) {
  droppedFor_ = std::move(dialogs);
  dropped_ = path;
}

std::optional<std::string> WindowHost::askFile(Dialog dialog) {
  std::optional<QString> chosen;
  if (!dropped_.isEmpty() &&
      std::find(droppedFor_.begin(), droppedFor_.end(), dialog) != droppedFor_.end()) {
    chosen = std::exchange(dropped_, QString());
  } else {
    chosen = window_.dialogs().openFile(&window_, dialog, offered(dialog));
  }
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  remember(dialog, *chosen);
  return QFile::encodeName(*chosen).toStdString();
}

void WindowHost::enterBusy() {
  lastStatus_.clear();
  boxes_.clear();
  window_.Enable_Controls(false);
  // Show the taller window before the first dialog opens.
  QCoreApplication::processEvents();
  clock_.restart();
}

void WindowHost::leaveBusy() {
  window_.Enable_Controls(true);
}

void WindowHost::setStatus(const std::string& text) {
  lastStatus_ = ToQ(text);
  window_.setStatusText(text);
  yield();
}

void WindowHost::setLabel(int index, const std::string& text) {
  window_.setInsertLabel(index, text);
  yield();
}

void WindowHost::yield() {
  if (clock_.isValid() && clock_.elapsed() < kYieldIntervalMs) return;
  QCoreApplication::processEvents();
  clock_.restart();
}

bool WindowHost::cancelRequested() {
  return window_.model().busy() && window_.model().cancelRequested();
}

bool WindowHost::showStrings() {
  return window_.model().settings().showStrings;
}

void WindowHost::errorBox(const std::string& text) {
  boxes_ << ToQ(text);
  window_.dialogs().errorBox(&window_, ToQ(text));
}

void WindowHost::warningBox(const std::string& title, const std::string& text) {
  boxes_ << ToQ(title) + ": " + ToQ(text);
  window_.dialogs().warningBox(&window_, ToQ(title), ToQ(text));
}

std::optional<std::string> WindowHost::askText(const std::string& title,
                                               const std::string& prompt) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(&window_, ToQ(title), ToQ(prompt), QLineEdit::Normal, lastText_, &ok);
  if (!ok) return std::nullopt;
  lastText_ = text;
  return text.toStdString();
}

void WindowHost::jobFinished(const JobResult& result) {
  window_.recordJob(result);
}

}  // namespace morvane
