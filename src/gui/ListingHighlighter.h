// Light colours for dump listings: labels, mnemonics and directives, comments.
#pragma once

#include <QSyntaxHighlighter>
#include <QTextCharFormat>

namespace morvane {

class ListingHighlighter final : public QSyntaxHighlighter {
 public:
  explicit ListingHighlighter(QTextDocument* document);

 protected:
  void highlightBlock(const QString& text) override;

 private:
  QTextCharFormat label_, mnemonic_, comment_;
};

// True when the text starts like one of our listings (the banner, then a
// "; Lines" or "; Table" header).
bool LooksLikeListing(const QString& start);

}  // namespace morvane
