#include "gui/ReportOffsets.h"

#include <QRegularExpression>

namespace morvane {

namespace {

std::optional<qint64> Hex(QStringView digits) {
  if (digits.isEmpty() || digits.size() > 15) return std::nullopt;
  bool ok = false;
  const qint64 value = digits.toLongLong(&ok, 16);
  return ok ? std::optional<qint64>(value) : std::nullopt;
}

}  // namespace

bool LooksLikeReport(const QString& start) {
  static const QRegularExpression kMarks(
      QStringLiteral("^Differences between$|^\\d+ \\S+ found @ [0-9A-F]+ = "),
      QRegularExpression::MultilineOption);
  return kMarks.match(start).hasMatch();
}

std::optional<qint64> ReportOffset(QStringView line) {
  static const QRegularExpression kLine(
      QStringLiteral("^(?:([0-9A-F]{4,}):\\s|\\d+ \\S+ found @ ([0-9A-F]+) = )"));
  const QRegularExpressionMatch m = kLine.match(line);
  if (!m.hasMatch()) return std::nullopt;
  return Hex(m.capturedView(m.capturedView(1).isEmpty() ? 2 : 1));
}

int LineOfOffset(int count, const std::function<QString(int)>& line, qint64 offset) {
  int after = -1;
  for (int i = 0; i < count; ++i) {
    const auto at = ReportOffset(line(i));
    if (!at) continue;
    if (*at == offset) return i;
    if (*at > offset && after < 0) after = i;
  }
  return after;
}

std::optional<qint64> ParseOffset(const QString& text) {
  QString digits = text.trimmed();
  if (digits.startsWith('$')) {
    digits.remove(0, 1);
  } else if (digits.startsWith("0x", Qt::CaseInsensitive)) {
    digits.remove(0, 2);
  } else if (digits.endsWith('h', Qt::CaseInsensitive)) {
    digits.chop(1);
  }
  return Hex(digits);
}

}  // namespace morvane
