#include "gui/ListingHighlighter.h"

#include <QRegularExpression>

namespace morvane {

ListingHighlighter::ListingHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
  label_.setForeground(QColor(0, 0, 160));
  label_.setFontWeight(QFont::Bold);
  mnemonic_.setForeground(QColor(128, 0, 0));
  comment_.setForeground(QColor(0, 112, 0));
}

void ListingHighlighter::highlightBlock(const QString& text) {
  if (text.isEmpty()) return;
  qsizetype at = 0;
  const qsizetype tab = text.indexOf(QLatin1Char('\t'));
  if (tab > 0 && text[tab - 1] == QLatin1Char(':')) {
    setFormat(0, static_cast<int>(tab), label_);
    at = tab;
  } else if (!text[0].isSpace() && text[0] != QLatin1Char(';')) {
    return;  // the banner
  }
  while (at < text.size() && text[at].isSpace()) ++at;
  qsizetype comment = text.indexOf(QLatin1Char(';'), at);
  if (comment < 0) comment = text.size();
  qsizetype end = at;
  while (end < comment && !text[end].isSpace()) ++end;
  if (end > at) setFormat(static_cast<int>(at), static_cast<int>(end - at), mnemonic_);
  if (comment < text.size()) {
    setFormat(static_cast<int>(comment), static_cast<int>(text.size() - comment), comment_);
  }
}

bool LooksLikeListing(const QString& start) {
  static const QRegularExpression kHeader(QStringLiteral("^; (?:Lines|Table) [0-9A-F]+ thru "),
                                          QRegularExpression::MultilineOption);
  return kHeader.match(start).hasMatch();
}

}  // namespace morvane
