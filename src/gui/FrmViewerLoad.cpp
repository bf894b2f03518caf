// The viewer's loading: the file is read and decoded on a thread of its own,
// then its text is added a slice per turn of the event loop.
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QThread>
#include <utility>

#include "gui/FrmViewer.h"
#include "gui/ListingHighlighter.h"
#include "gui/Preferences.h"
#include "gui/ReportOffsets.h"

namespace morvane {

bool FrmViewer::open(const QString& path, std::optional<TextEncoding> encoding) {
  slicer_.stop();
  // A file still being read is given up: its result is never taken.
  if (loader_ != nullptr) loader_->wait();
  loaded_.reset();
  pending_.clear();
  endWhenLoaded_ = false;
  path_ = path;
  setWindowTitle(QFileInfo(path).fileName() + " - Morvane Viewer");
  delete highlighter_;
  highlighter_ = nullptr;
  txtView_->clear();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) {
    say("Cannot read " + QDir::toNativeSeparators(path) + ": " + file.errorString());
    return false;
  }
  if (file.size() > kMaxBytes) {
    say(QDir::toNativeSeparators(path) + " is too big for the viewer (" +
        QString::number(file.size() >> 20) + " MiB).");
    return false;
  }
  file.close();
  const std::optional<TextEncoding> chosen = encoding ? encoding : Preferences::EncodingOf(path);
  auto result = std::make_shared<Loaded>();
  loaded_ = result;
  say("Reading " + QFileInfo(path).fileName() + "...");
  loader_ = QThread::create([result, path, chosen] {
    QFile in(path);
    if (!in.open(QIODevice::ReadOnly)) {
      result->error = "Cannot read " + QDir::toNativeSeparators(path) + ": " + in.errorString();
      return;
    }
    const QByteArray bytes = in.readAll();
    result->bytes = bytes.size();
    result->encoding = chosen.value_or(GuessEncoding(bytes));
    result->text = DecodeText(bytes, result->encoding);
  });
  connect(loader_, &QThread::finished, this, [this, result] {
    if (loaded_ == result) takeLoaded();
  });
  connect(loader_, &QThread::finished, loader_, &QObject::deleteLater);
  loader_->start();
  return true;
}

void FrmViewer::takeLoaded() {
  const std::shared_ptr<Loaded> result = std::move(loaded_);
  if (!result->error.isEmpty()) {
    say(result->error);
    return;
  }
  encoding_ = result->encoding;
  cboEncoding_->setCurrentText(EncodingName(encoding_));
  pending_ = std::move(result->text);
  pendingAt_ = 0;
  bytes_ = result->bytes;
  const QString start = pending_.left(4096);
  if (LooksLikeListing(start)) highlighter_ = new ListingHighlighter(txtView_->document());
  report_ = LooksLikeReport(start);
  lblGoTo_->setText(report_ ? "  Go to offset: " : "  Go to address: ");
  // The first slice shows at once; the rest follows while the window stays live.
  addSlice();
  if (!pending_.isEmpty()) slicer_.start();
}

void FrmViewer::addSlice() {
  qsizetype end = std::min(pending_.size(), pendingAt_ + kSliceChars);
  if (end < pending_.size()) {
    // Slices end at a line's end, unless a line is longer than a slice.
    const qsizetype newline = pending_.indexOf(QLatin1Char('\n'), end);
    if (newline >= 0 && newline - end < kSliceChars) end = newline;
  }
  const QStringView slice = QStringView(pending_).mid(pendingAt_, end - pendingAt_);
  QTextCursor cursor(txtView_->document());
  cursor.movePosition(QTextCursor::End);
  // The first slice starts the document; later ones start with their line feed.
  cursor.insertText(slice.toString());
  pendingAt_ = end;
  if (pendingAt_ < pending_.size()) {
    say(QString("Loading: %1% of %2 bytes").arg(pendingAt_ * 100 / pending_.size()).arg(bytes_));
    return;
  }
  slicer_.stop();
  pending_.clear();
  say(QString("%1 bytes").arg(bytes_));
  if (std::exchange(endWhenLoaded_, false)) {
    txtView_->moveCursor(QTextCursor::End);
    txtView_->ensureCursorVisible();
  }
}

void FrmViewer::waitForReading() {
  if (loaded_ == nullptr) return;
  if (loader_ != nullptr) loader_->wait();
  takeLoaded();
}

TextEncoding FrmViewer::encoding() {
  waitForReading();
  return encoding_;
}

void FrmViewer::finishLoading() {
  waitForReading();
  while (!pending_.isEmpty()) addSlice();
}

void FrmViewer::setEncoding(TextEncoding encoding) {
  if (path_.isEmpty()) return;
  Preferences::SetEncodingOf(path_, encoding);
  const int line = currentLine();
  if (open(path_, encoding)) {
    finishLoading();
    showLine(line);
  }
}

}  // namespace morvane
