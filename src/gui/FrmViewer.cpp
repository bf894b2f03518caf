#include "gui/FrmViewer.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QToolBar>

#include "gui/ListingAddresses.h"
#include "gui/ListingHighlighter.h"
#include "gui/Preferences.h"
#include "gui/Widgets.h"

namespace morvane {

FrmViewer::FrmViewer(QWidget* parent) : QMainWindow(parent) {
  setObjectName("frmViewer");
  setWindowTitle("Morvane Viewer");
  setAttribute(Qt::WA_DeleteOnClose);
  txtView_ = new QPlainTextEdit(this);
  txtView_->setObjectName("txtView");
  txtView_->setReadOnly(true);
  txtView_->setUndoRedoEnabled(false);
  txtView_->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtView_->setFont(BoxFont(10));
  // The banner of every listing asks for tab stops of 6 characters.
  txtView_->setTabStopDistance(6 * QFontMetricsF(txtView_->font()).horizontalAdvance(' '));
  txtView_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  setCentralWidget(txtView_);
  buildBar();
  slicer_.setInterval(0);
  connect(&slicer_, &QTimer::timeout, this, &FrmViewer::addSlice);
  const QByteArray geometry = Preferences::Geometry(objectName());
  if (geometry.isEmpty() || !restoreGeometry(geometry)) resize(760, 600);
}

void FrmViewer::buildBar() {
  QToolBar* bar = addToolBar("Find");
  bar->setObjectName("barFind");
  bar->setMovable(false);
  bar->addWidget(new QLabel(" Find: ", bar));
  txtFind_ = new QLineEdit(bar);
  txtFind_->setObjectName("txtFind");
  txtFind_->setMaximumWidth(220);
  bar->addWidget(txtFind_);
  bar->addWidget(new QLabel("  Go to address: ", bar));
  txtGoTo_ = new QLineEdit(bar);
  txtGoTo_->setObjectName("txtGoTo");
  txtGoTo_->setMaximumWidth(70);
  txtGoTo_->setPlaceholderText("hex");
  bar->addWidget(txtGoTo_);
  bar->addWidget(new QLabel("  Encoding: ", bar));
  cboEncoding_ = new QComboBox(bar);
  cboEncoding_->setObjectName("cboEncoding");
  for (TextEncoding e : kTextEncodings) cboEncoding_->addItem(EncodingName(e));
  bar->addWidget(cboEncoding_);

  connect(txtFind_, &QLineEdit::returnPressed, this, [this] { find(txtFind_->text()); });
  connect(txtGoTo_, &QLineEdit::returnPressed, this, [this] { goToAddress(txtGoTo_->text()); });
  connect(cboEncoding_, &QComboBox::activated, this,
          [this](int index) { setEncoding(kTextEncodings[index]); });
  struct Key {
    QKeySequence keys;
    std::function<void()> act;
  };
  const Key keys[] = {
      {QKeySequence(Qt::CTRL | Qt::Key_F), [this] { txtFind_->setFocus(), txtFind_->selectAll(); }},
      {QKeySequence(Qt::CTRL | Qt::Key_G), [this] { txtGoTo_->setFocus(), txtGoTo_->selectAll(); }},
      {QKeySequence(Qt::Key_F3), [this] { find(txtFind_->text()); }},
      {QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { find(txtFind_->text(), true); }},
      {QKeySequence(Qt::Key_Escape), [this] { txtView_->setFocus(); }},
  };
  for (const Key& key : keys) {
    auto* action = new QAction(this);
    action->setShortcut(key.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, key.act);
    addAction(action);
  }
}

bool FrmViewer::open(const QString& path, std::optional<TextEncoding> encoding) {
  slicer_.stop();
  pending_.clear();
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
  const QByteArray bytes = file.readAll();
  encoding_ = encoding ? *encoding : Preferences::EncodingOf(path).value_or(GuessEncoding(bytes));
  cboEncoding_->setCurrentText(EncodingName(encoding_));
  pending_ = DecodeText(bytes, encoding_);
  pendingAt_ = 0;
  if (LooksLikeListing(pending_.left(4096)))
    highlighter_ = new ListingHighlighter(txtView_->document());
  say(QString("%1 bytes").arg(bytes.size()));
  // The first slice shows at once; the rest follows while the window stays live.
  addSlice();
  if (loading()) slicer_.start();
  return true;
}

void FrmViewer::addSlice() {
  qsizetype end = std::min(pending_.size(), pendingAt_ + kSliceChars);
  if (end < pending_.size()) {
    const qsizetype newline = pending_.indexOf(QLatin1Char('\n'), end);
    end = newline < 0 ? pending_.size() : newline;
  }
  const QStringView slice = QStringView(pending_).mid(pendingAt_, end - pendingAt_);
  QTextCursor cursor(txtView_->document());
  cursor.movePosition(QTextCursor::End);
  // The first slice starts the document; later ones start with their line feed.
  cursor.insertText(slice.toString());
  pendingAt_ = end;
  if (pendingAt_ >= pending_.size()) {
    slicer_.stop();
    pending_.clear();
  }
}

void FrmViewer::finishLoading() {
  while (loading()) addSlice();
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

int FrmViewer::currentLine() const {
  return txtView_->textCursor().blockNumber();
}

void FrmViewer::showLine(int line) {
  const QTextBlock block = txtView_->document()->findBlockByNumber(line);
  if (!block.isValid()) return;
  QTextCursor cursor(block);
  cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  txtView_->setTextCursor(cursor);
  txtView_->centerCursor();
}

bool FrmViewer::goToAddress(const QString& text) {
  const auto address = ParseAddress(text);
  if (!address) {
    say("\"" + text + "\" is not a hex address (0 to FFFF).");
    return false;
  }
  finishLoading();
  QTextBlock block = txtView_->document()->firstBlock();
  int at = 0;
  const auto line = [&](int i) {
    for (; at < i; ++at) block = block.next();
    return block.text();
  };
  const int found = LineOfAddress(txtView_->document()->blockCount(), line, *address);
  if (found < 0) {
    say(QString("No line of this file holds address %1.")
            .arg(*address, 4, 16, QChar('0'))
            .toUpper());
    return false;
  }
  showLine(found);
  txtView_->setFocus();
  say(QString("Line %1").arg(found + 1));
  return true;
}

bool FrmViewer::find(const QString& text, bool backward) {
  if (text.isEmpty()) return false;
  finishLoading();
  const QTextDocument::FindFlags flags =
      backward ? QTextDocument::FindBackward : QTextDocument::FindFlags();
  if (txtView_->find(text, flags)) return say(QString("Line %1").arg(currentLine() + 1)), true;
  QTextCursor wrap(txtView_->document());
  wrap.movePosition(backward ? QTextCursor::End : QTextCursor::Start);
  const QTextCursor keep = txtView_->textCursor();
  txtView_->setTextCursor(wrap);
  if (txtView_->find(text, flags))
    return say(QString("Line %1 (wrapped)").arg(currentLine() + 1)), true;
  txtView_->setTextCursor(keep);
  say("\"" + text + "\" not found.");
  return false;
}

void FrmViewer::say(const QString& text) {
  statusBar()->showMessage(text);
}

void FrmViewer::closeEvent(QCloseEvent* event) {
  slicer_.stop();
  Preferences::SetGeometry(objectName(), saveGeometry());
  event->accept();
}

}  // namespace morvane
