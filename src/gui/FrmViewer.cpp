#include "gui/FrmViewer.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTextBlock>
#include <QThread>
#include <QToolBar>

#include "gui/ListingAddresses.h"
#include "gui/ListingHighlighter.h"
#include "gui/Preferences.h"
#include "gui/ReportOffsets.h"
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
  txtView_->installEventFilter(this);
  const QByteArray geometry = Preferences::Geometry(objectName());
  if (geometry.isEmpty() || !restoreGeometry(geometry)) resize(760, 600);
}

FrmViewer::~FrmViewer() {
  // The reading thread writes into its own result only; it must end first.
  if (loader_ != nullptr) loader_->wait();
}

bool FrmViewer::eventFilter(QObject* watched, QEvent* event) {
  if (watched == txtView_ && event->type() == QEvent::KeyPress && loading()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_End && key->modifiers().testFlag(Qt::ControlModifier)) {
      endWhenLoaded_ = true;
      say("The end follows once the file has loaded...");
    }
  }
  return QMainWindow::eventFilter(watched, event);
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
  lblGoTo_ = new QLabel("  Go to address: ", bar);
  bar->addWidget(lblGoTo_);
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
      {QKeySequence(Qt::Key_Escape), [this] { close(); }},
      {QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); }},
  };
  for (const Key& key : keys) {
    auto* action = new QAction(this);
    action->setShortcut(key.keys);
    action->setShortcutContext(Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, key.act);
    addAction(action);
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

// The whole file loaded, the line find picks: it reads the lines through
// the reader it gets, each at most once and in order.
int FrmViewer::findLine(const std::function<int(int, const std::function<QString(int)>&)>& find) {
  finishLoading();
  QTextBlock block = txtView_->document()->firstBlock();
  int at = 0;
  const auto line = [&](int i) {
    for (; at < i; ++at) block = block.next();
    return block.text();
  };
  return find(txtView_->document()->blockCount(), line);
}

bool FrmViewer::goToAddress(const QString& text) {
  if (report_) return goToOffset(text);
  const auto address = ParseAddress(text);
  if (!address) {
    say("\"" + text + "\" is not a hex address (0 to FFFF).");
    return false;
  }
  const int found = findLine([&](int count, const std::function<QString(int)>& line) {
    return LineOfAddress(count, line, *address);
  });
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

bool FrmViewer::goToOffset(const QString& text) {
  const auto offset = ParseOffset(text);
  if (!offset) {
    say("\"" + text + "\" is not a hex file offset.");
    return false;
  }
  const int found = findLine([&](int count, const std::function<QString(int)>& line) {
    return LineOfOffset(count, line, *offset);
  });
  const QString hex = QString::number(*offset, 16).toUpper();
  if (found < 0) {
    say("No line of this report is at or after offset " + hex + ".");
    return false;
  }
  showLine(found);
  txtView_->setFocus();
  const bool exact = ReportOffset(txtView_->textCursor().block().text()) == *offset;
  say(QString("Line %1").arg(found + 1) + (exact ? "" : " (the first after " + hex + ")"));
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
  endWhenLoaded_ = false;
  Preferences::SetGeometry(objectName(), saveGeometry());
  event->accept();
}

}  // namespace morvane
