// One entry of the results panel: its heading, the texts of its message
// boxes and a row per file it wrote, all wrapping so that the panel never
// grows wider than its window.
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "gui/ResultsPanel.h"

namespace morvane {

namespace {

// A label that wraps at spaces (and at the marks Breakable adds) and never
// widens the panel: a longer word is cut at its edge.
QLabel* WrappingLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setWordWrap(true);
  label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  label->setMinimumWidth(0);
  return label;
}

// Text that may also break inside a long run without spaces, such as a path
// (a zero-width space every few characters marks the places).
QString Breakable(const QString& text) {
  constexpr int kLongRun = 16;
  QString out;
  int run = 0;
  for (const QChar c : text) {
    out += c;
    run = c.isSpace() ? 0 : run + 1;
    if (run >= kLongRun) {
      out += QChar(0x200B);
      run = 0;
    }
  }
  return out;
}

}  // namespace

QWidget* ResultsPanel::entryFor(const JobRecord& record) {
  auto* entry = new QFrame;
  entry->setObjectName("resultEntry");
  entry->setFrameShape(QFrame::StyledPanel);
  auto* layout = new QVBoxLayout(entry);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->setSpacing(1);
  QString title = QString("<b>%1</b>&nbsp;&nbsp;%2: %3")
                      .arg(record.time.toString("HH:mm:ss"), record.job.toHtmlEscaped(),
                           OutcomeText(record.outcome));
  if (!record.status.isEmpty()) title += " &mdash; " + Breakable(record.status).toHtmlEscaped();
  auto* heading = WrappingLabel(title, entry);
  heading->setObjectName("lblResult");
  if (record.outcome == Outcome::Failed || record.outcome == Outcome::Warned) {
    heading->setStyleSheet("color: rgb(160, 0, 0);");
  }
  layout->addWidget(heading);
  for (QString box : record.boxes) {
    auto* text = WrappingLabel(box.replace("\r\n", "\n"), entry);
    text->setObjectName("lblResultBox");
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text);
  }
  for (const QString& file : record.files) layout->addWidget(fileRow(file, entry));
  return entry;
}

QWidget* ResultsPanel::fileRow(const QString& file, QWidget* parent) {
  auto* row = new QWidget(parent);
  row->setObjectName("resultFile");
  row->setProperty("path", file);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(12, 0, 0, 0);
  // The name; the whole path shows as its tip (the panel is as narrow as the window).
  auto* name = WrappingLabel(Breakable(QFileInfo(file).fileName()), row);
  name->setObjectName("lblResultFile");
  name->setTextFormat(Qt::PlainText);
  name->setToolTip(QDir::toNativeSeparators(file));
  layout->addWidget(name, 1);
  auto* open = new QPushButton("Open", row);
  open->setObjectName("cmdOpen");
  connect(open, &QPushButton::clicked, this, [this, file] {
    if (openFile) openFile(file);
  });
  auto* folder = new QPushButton("Show in folder", row);
  folder->setObjectName("cmdShowInFolder");
  connect(folder, &QPushButton::clicked, this, [this, file] { showFolder(file); });
  layout->addWidget(open);
  layout->addWidget(folder);
  return row;
}

}  // namespace morvane
