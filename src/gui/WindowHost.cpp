#include "gui/WindowHost.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
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
    // A job that asks for two files offers a file it has been given already
    // only by its folder, so that Enter twice does not pick one file twice.
    QString offer = offered(dialog);
    if (!offer.isEmpty() && chosenByJob_.contains(offer)) {
      offer = QFileInfo(offer).absolutePath() + "/";
    }
    chosen = window_.dialogs().openFile(&window_, dialog, offer);
  }
  if (!chosen || chosen->isEmpty()) return std::nullopt;
  chosenByJob_ << *chosen;
  remember(dialog, *chosen);
  return QFile::encodeName(*chosen).toStdString();
}

void WindowHost::enterBusy() {
  lastStatus_.clear();
  boxes_.clear();
  labels_.clear();
  chosenByJob_.clear();
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
  labels_[index] = ToQ(text);
  window_.setInsertLabel(index, text);
  yield();
}

QString WindowHost::labelSummary() const {
  // Labels 30 + 3b to 32 + 3b: bytes used, bytes left, last phrase of block b.
  QStringList blocks;
  for (int b = 0; b < 4; ++b) {
    const auto value = [&](int i) {
      const auto it = labels_.find(30 + 3 * b + i);
      // "-----" marks a block not used, "?????" one not reached.
      if (it == labels_.end() || it->second.count('-') == it->second.size() ||
          it->second.count('?') == it->second.size()) {
        return QString();
      }
      return it->second.trimmed();
    };
    if (value(0).isEmpty() && value(1).isEmpty() && value(2).isEmpty()) continue;
    QString block = QString("Block %1: %2 bytes used, %3 left").arg(b).arg(value(0), value(1));
    if (!value(2).isEmpty()) block += ", last phrase " + value(2);
    blocks << block;
  }
  return blocks.join("; ");
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
