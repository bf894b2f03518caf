// The "Search Options..." button beside Relative Search and the choices it
// keeps for the searches of this session.
#include <QFontMetrics>
#include <algorithm>

#include "gui/FrmMorvane.h"
#include "gui/Widgets.h"

namespace morvane {

void FrmMorvane::addSearchOptionsButton(QWidget* frame, QRect twips) {
  cmdSearchOptions_ = new QPushButton("Search Options...", frame);
  cmdSearchOptions_->setObjectName("cmdSearchOptions");
  cmdSearchOptions_->setGeometry(twips);
  // One line in the room beside "Search String:": a smaller font if need be.
  QFont font = cmdSearchOptions_->font();
  while (font.pointSizeF() > 6 &&
         QFontMetrics(font).horizontalAdvance(cmdSearchOptions_->text()) > twips.width() - 10) {
    font.setPointSizeF(font.pointSizeF() - 0.25);
  }
  cmdSearchOptions_->setFont(font);
  cmdSearchOptions_->setToolTip("Classic search");
  connect(cmdSearchOptions_, &QPushButton::clicked, this, [this] { cmdSearchOptions_Click(); });
}

void FrmMorvane::cmdSearchOptions_Click() {
  if (model_.busy()) return;
  if (searchOptions_ == nullptr) {
    searchOptions_ = new SearchOptionsDialog(*dialogs_, this);
    connect(searchOptions_, &QDialog::accepted, this, [this] {
      searchChoices_ = searchOptions_->choices();
      const QString summary = SearchOptionsDialog::Summary(searchChoices_);
      cmdSearchOptions_->setToolTip(summary.isEmpty() ? "Classic search" : summary);
    });
  }
  searchOptions_->setChoices(searchChoices_);
  searchOptions_->open();
}

void FrmMorvane::addSearchChoices(const JobSpec& job, Settings& snapshot) const {
  for (const auto& choice : searchChoices_) {
    const bool takes = std::any_of(job.options.begin(), job.options.end(),
                                   [&](const OptionSpec& o) { return choice.first == o.name; });
    if (takes) snapshot.options.add(choice.first, choice.second);
  }
}

}  // namespace morvane
