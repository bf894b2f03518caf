#include "gui/ResultsPanel.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>

namespace morvane {

QString OutcomeText(Outcome outcome) {
  switch (outcome) {
    case Outcome::Done:
      return "Done";
    case Outcome::Cancelled:
      return "Cancelled";
    case Outcome::Failed:
      return "Failed";
    case Outcome::Warned:
      return "Stopped with a warning";
  }
  return {};
}

ResultsPanel::ResultsPanel(QWidget* parent)
    : QWidget(parent), openUrl([](const QUrl& url) { return QDesktopServices::openUrl(url); }) {
  setObjectName("resultsPanel");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 2, 4, 2);
  layout->setSpacing(2);
  auto* header = new QHBoxLayout;
  cmdResults_ = new QToolButton(this);
  cmdResults_->setObjectName("cmdResults");
  cmdResults_->setText("Results");
  cmdResults_->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  cmdResults_->setAutoRaise(true);
  connect(cmdResults_, &QToolButton::clicked, this, [this] { setExpanded(!expanded_); });
  lblLast_ = new QLabel(this);
  lblLast_->setObjectName("lblLastResult");
  auto* clear = new QToolButton(this);
  clear->setObjectName("cmdClearResults");
  clear->setText("Clear");
  clear->setAutoRaise(true);
  header->addWidget(cmdResults_);
  header->addWidget(lblLast_, 1);
  header->addWidget(clear);
  layout->addLayout(header);

  auto* scroll = new QScrollArea(this);
  scroll->setObjectName("scrResults");
  scroll->setWidgetResizable(true);
  scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  body_ = scroll;
  auto* list = new QWidget(scroll);
  entries_ = new QVBoxLayout(list);
  entries_->setContentsMargins(2, 2, 2, 2);
  entries_->addStretch(1);
  scroll->setWidget(list);
  layout->addWidget(scroll, 1);
  connect(clear, &QToolButton::clicked, this, [this] {
    while (entries_->count() > 1) delete entries_->takeAt(0)->widget();
    lblLast_->clear();
  });
  setExpanded(true);
}

int ResultsPanel::entryCount() const {
  return entries_->count() - 1;
}

void ResultsPanel::note(const QString& text) {
  lblLast_->setText(text);
}

void ResultsPanel::setExpanded(bool expanded) {
  expanded_ = expanded;
  cmdResults_->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
  body_->setVisible(expanded);
  setFixedHeight(kHeaderHeight + (expanded ? kBodyHeight : 0));
  if (resized) resized();
}

void ResultsPanel::add(const JobRecord& record) {
  entries_->insertWidget(0, entryFor(record));
  while (entryCount() > kMaxEntries) delete entries_->takeAt(entryCount() - 1)->widget();
  lblLast_->setText(
      QString("%1  %2: %3")
          .arg(record.time.toString("HH:mm:ss"), record.job, OutcomeText(record.outcome)));
}

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
  if (!record.status.isEmpty()) title += " &mdash; " + record.status.toHtmlEscaped();
  auto* heading = new QLabel(title, entry);
  heading->setObjectName("lblResult");
  if (record.outcome == Outcome::Failed || record.outcome == Outcome::Warned) {
    heading->setStyleSheet("color: rgb(160, 0, 0);");
  }
  layout->addWidget(heading);
  for (QString box : record.boxes) {
    auto* text = new QLabel(box.replace("\r\n", "\n"), entry);
    text->setObjectName("lblResultBox");
    text->setWordWrap(true);
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
  auto* name = new QLabel(QFileInfo(file).fileName(), row);
  name->setToolTip(QDir::toNativeSeparators(file));
  name->setTextInteractionFlags(Qt::TextSelectableByMouse);
  layout->addWidget(name, 1);
  auto* open = new QPushButton("Open", row);
  open->setObjectName("cmdOpen");
  connect(open, &QPushButton::clicked, this, [this, file] {
    if (openFile) openFile(file);
  });
  auto* folder = new QPushButton("Show in folder", row);
  folder->setObjectName("cmdShowInFolder");
  connect(folder, &QPushButton::clicked, this,
          [this, file] { openUrl(QUrl::fromLocalFile(QFileInfo(file).absolutePath())); });
  layout->addWidget(open);
  layout->addWidget(folder);
  return row;
}

}  // namespace morvane
