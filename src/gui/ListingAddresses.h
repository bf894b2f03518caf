// Which line of a dump listing holds a CPU address. Labels carry their
// address ("_8000:", "lbl_800c:", "tbl_804c:", "8050:"); the lines between
// them are counted on from the last address by the size of what they hold:
// one byte per ".byte" line, an instruction by the form of its operand.
// Script dumps mark each phrase with "number:address:".
#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace morvane {

class ListingAddresses {
 public:
  struct Place {
    int address;
    int size;  // bytes the line holds; 0 for a phrase heading
  };
  // The address of one more line, read in order; nullopt when the line
  // holds no bytes of the listing (comments, blank lines, the banner).
  std::optional<Place> next(QStringView line);

 private:
  std::optional<int> counter_;  // address of the next unlabelled byte
  bool inListing_ = false;
};

// The first line holding address (the line of the instruction that covers it
// when it falls inside an operand), or -1. line(i) returns line i of count.
int LineOfAddress(int count, const std::function<QString(int)>& line, int address);

// A hex address of one to four digits, optionally after "$"; nullopt otherwise.
std::optional<int> ParseAddress(const QString& text);

}  // namespace morvane
