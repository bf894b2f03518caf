#include "analysis/CharOrder.h"

#include <filesystem>

#include "shell/DataFiles.h"
#include "shell/InFile.h"
#include "shell/JobError.h"

namespace morvane {

namespace {
constexpr const char* kTitle = "Order Error";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
}  // namespace

std::string OrderPath(const std::string& value) {
  std::error_code ec;
  if (std::filesystem::exists(value, ec)) return value;
  const std::string bundled = BundledFile("orders/" + value + ".txt");
  return bundled.empty() ? value : bundled;
}

CharOrder ReadCharOrder(const std::string& path, std::size_t maxEntries) {
  std::string bytes = ReadBinaryFile(path);
  if (std::string_view(bytes).starts_with(kByteOrderMark)) bytes.erase(0, kByteOrderMark.size());
  CharOrder order{path, {}};
  bool named = false;
  TextLines lines(std::move(bytes));
  for (std::string line; lines.next(line);) {
    named = named || !line.empty();
    order.entries.push_back(line);
  }
  if (!named) throw JobError::Minor(kTitle, "The order names no character.", path);
  if (order.entries.size() > maxEntries) {
    throw JobError::Minor(kTitle,
                          "The order has " + std::to_string(order.entries.size()) +
                              " lines; codes of this width have room for " +
                              std::to_string(maxEntries) + ".",
                          path);
  }
  return order;
}

std::vector<int> ReadOrderWord(const CharOrder& order, std::string_view text, bool wildcard) {
  std::vector<int> codes;
  std::size_t pos = 0;
  while (pos < text.size()) {
    if (wildcard && text[pos] == '*') {
      codes.push_back(-1);
      ++pos;
      continue;
    }
    int best = -1;
    std::size_t bestLength = 0;
    for (std::size_t k = 0; k < order.entries.size(); ++k) {
      const std::string& entry = order.entries[k];
      if (entry.size() > bestLength && text.substr(pos).starts_with(entry)) {
        best = static_cast<int>(k);
        bestLength = entry.size();
      }
    }
    if (bestLength == 0) {
      throw JobError::Minor(
          kTitle, std::string(text.substr(pos)) + " is not in the order " + order.path + ".",
          order.path);
    }
    codes.push_back(best);
    pos += bestLength;
  }
  return codes;
}

}  // namespace morvane
