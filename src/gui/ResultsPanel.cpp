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
  // One line, cut at the panel's edge; the whole text is its tip.
  lblLast_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
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
  lblLast_->setToolTip(text);
}

void ResultsPanel::setExpanded(bool expanded) {
  expanded_ = expanded;
  cmdResults_->setArrowType(expanded ? Qt::DownArrow : Qt::RightArrow);
  body_->setVisible(expanded);
  if (ownWindow_) {
    setMinimumHeight(kHeaderHeight);
    setMaximumHeight(QWIDGETSIZE_MAX);
  } else {
    setFixedHeight(kHeaderHeight + (expanded ? kBodyHeight : 0));
  }
  if (resized) resized();
}

void ResultsPanel::setOwnWindow(bool own) {
  ownWindow_ = own;
  setExpanded(expanded_);
}

void ResultsPanel::showFolder(const QString& file) {
  const QString folder = QFileInfo(file).absolutePath();
  if (!openUrl(QUrl::fromLocalFile(folder))) {
    note("Nothing on this desktop shows folders; the file is in " +
         QDir::toNativeSeparators(folder));
  }
}

void ResultsPanel::add(const JobRecord& record) {
  entries_->insertWidget(0, entryFor(record));
  while (entryCount() > kMaxEntries) delete entries_->takeAt(entryCount() - 1)->widget();
  note(QString("%1  %2: %3")
           .arg(record.time.toString("HH:mm:ss"), record.job, OutcomeText(record.outcome)));
}

}  // namespace morvane
