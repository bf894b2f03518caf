// Which line of a report holds a file offset. A compare report begins each
// difference with its offset ("00F1:   41   42"), a search report each hit
// ("3 THE found @ 0012A = ..."); offsets are hex and of any size.
#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace morvane {

// True for the start of a compare or search report.
bool LooksLikeReport(const QString& start);

// The file offset a report line names, if any.
std::optional<qint64> ReportOffset(QStringView line);

// The line naming offset, else the first naming a larger one (the next
// difference or hit), else -1. line(i) returns line i of count.
int LineOfOffset(int count, const std::function<QString(int)>& line, qint64 offset);

// A hex offset of up to 15 digits, optionally after "$" or "0x" or before "h".
std::optional<qint64> ParseOffset(const QString& text);

}  // namespace morvane
