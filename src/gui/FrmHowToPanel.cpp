// The How To window's panel: the contents list of the three parts' headings
// (a line underlined with "=" or "-") and the find box.
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QScrollBar>
#include <QTextBlock>
#include <QVBoxLayout>

#include "gui/FrmHowTo.h"
#include "gui/Twips.h"

namespace morvane {

namespace {

constexpr int kPartRole = Qt::UserRole;
constexpr int kLineRole = Qt::UserRole + 1;

bool IsUnderline(const QString& line) {
  const QString rule = line.trimmed();
  return rule.size() >= 3 && (rule.count('=') == rule.size() || rule.count('-') == rule.size());
}

}  // namespace

void FrmHowTo::buildPanel() {
  auto* panel = new QWidget(this);
  panel->setGeometry(Px(10800), Px(60), kPanelWidth - 8, Px(8280) - Px(120));
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->addWidget(new QLabel("Contents:", panel));
  lstContents_ = new QListWidget(panel);
  lstContents_->setObjectName("lstContents");
  lstContents_->setWordWrap(true);
  lstContents_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  for (int part = 0; part < 3; ++part) {
    const QStringList lines = txtHowTo_[part]->toPlainText().split('\n');
    for (int i = 0; i + 1 < lines.size(); ++i) {
      if (lines[i].trimmed().isEmpty() || !IsUnderline(lines[i + 1])) continue;
      // The part's own title flush left, its headings indented.
      auto* item = new QListWidgetItem((i == 0 ? "" : "    ") + lines[i].trimmed());
      item->setData(kPartRole, part);
      item->setData(kLineRole, i);
      lstContents_->addItem(item);
    }
  }
  connect(lstContents_, &QListWidget::currentRowChanged, this,
          [this](int row) { lstContents_Click(row); });
  column->addWidget(lstContents_, 1);
  column->addWidget(new QLabel("Find (Ctrl+F, F3 for the next):", panel));
  txtFind_ = new QLineEdit(panel);
  txtFind_->setObjectName("txtHelpFind");
  connect(txtFind_, &QLineEdit::returnPressed, this, [this] { find(txtFind_->text()); });
  column->addWidget(txtFind_);
  lblFound_ = new QLabel(panel);
  lblFound_->setObjectName("lblFound");
  lblFound_->setWordWrap(true);
  column->addWidget(lblFound_);
  auto* focusFind = new QAction(this);
  focusFind->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  connect(focusFind, &QAction::triggered, this, [this] {
    txtFind_->setFocus();
    txtFind_->selectAll();
  });
  auto* again = new QAction(this);
  again->setShortcut(QKeySequence(Qt::Key_F3));
  connect(again, &QAction::triggered, this, [this] { find(txtFind_->text()); });
  addActions({focusFind, again});
}

void FrmHowTo::showLine(int part, int line) {
  optPart_Click(part);
  QPlainTextEdit* text = shown();
  QTextCursor cursor(text->document()->findBlockByNumber(line));
  text->setTextCursor(cursor);
  // The heading at the top of the view.
  text->verticalScrollBar()->setValue(text->verticalScrollBar()->maximum());
  text->ensureCursorVisible();
}

void FrmHowTo::lstContents_Click(int row) {
  const QListWidgetItem* item = lstContents_->item(row);
  if (item == nullptr) return;
  showLine(item->data(kPartRole).toInt(), item->data(kLineRole).toInt());
}

bool FrmHowTo::find(const QString& text) {
  if (text.isEmpty()) return false;
  // From the cursor of the part on show to its end, then the other parts
  // from their start, then this part from its start.
  for (int step = 0; step <= 3; ++step) {
    const int part = (part_ + step) % 3;
    QTextDocument* document = txtHowTo_[part]->document();
    const QTextCursor from = step == 0 ? txtHowTo_[part]->textCursor() : QTextCursor(document);
    const QTextCursor found = document->find(text, from);
    if (found.isNull()) continue;
    optPart_Click(part);
    shown()->setTextCursor(found);
    shown()->ensureCursorVisible();
    lblFound_->setText(QString("Part %1, line %2").arg(part + 1).arg(found.blockNumber() + 1));
    return true;
  }
  lblFound_->setText("\"" + text + "\" is not in the help.");
  return false;
}

}  // namespace morvane
