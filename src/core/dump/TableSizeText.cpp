// The size part of a table header, from the table's attributes.
#include <algorithm>
#include <cstdio>

#include "dump/TableCursor.h"
#include "shell/Values.h"

namespace morvane {

namespace {
// A quotient as the header shows it: whole, or with its fractional digits.
std::string Quotient(long long num, long long den) {
  if (num % den == 0) return std::to_string(num / den);
  char text[40];
  std::snprintf(text, sizeof text, "%.15g", static_cast<double>(num) / static_cast<double>(den));
  return text;
}

std::string Num(long long v) {
  return std::to_string(v);
}
}  // namespace

std::string TableSizeText(std::int32_t length, int width, int height, int skip1st, int skip,
                          bool text) {
  const long long total = static_cast<long long>(length) - skip1st;
  std::string size = skip1st > 0 ? Num(skip1st) + " + " : "";
  const long long w = width, h = height, s = skip;
  if ((w <= 1 && h <= 1 && s == 0) || text) {
    size += Num(total);
  } else if (w > 1 && h > 1) {
    size += Quotient(total, w * h + s) + " x (" + Num(w) + " x " + Num(h) +
            (s >= 1 ? " + " + Num(s) : "") + ")";
  } else if (w < 2 && h > 1) {
    size +=
        Quotient(total, h + s) + (s >= 1 ? " x (" + Num(h) + " + " + Num(s) + ")" : " x " + Num(h));
  } else if (w > 1 && h <= 1) {
    size +=
        Quotient(total, w + s) + (s >= 1 ? " x (" + Num(w) + " + " + Num(s) + ")" : " x " + Num(w));
  } else {
    const long long one = std::min(w + h, 1LL);
    size += Quotient(total, one + s) + " x " + Num(one + s);
  }
  return size;
}

}  // namespace morvane
