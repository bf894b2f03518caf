#include "analysis/SearchOptions.h"

#include <algorithm>

#include "shell/JobError.h"

namespace morvane {

namespace {

constexpr const char* kTitle = "Search Options Error";

bool IsDigits(std::string_view text) {
  return !text.empty() && text.size() <= 9 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::vector<std::string_view> SplitCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  for (std::size_t from = 0;;) {
    const std::size_t comma = text.find(',', from);
    parts.push_back(text.substr(from, comma == std::string_view::npos ? comma : comma - from));
    if (comma == std::string_view::npos) return parts;
    from = comma + 1;
  }
}

[[noreturn]] void Refuse(const std::string& message) {
  throw JobError::Minor(kTitle, message);
}

void ReadValues(SearchOptions& o) {
  if (!IsValueList(o.valuesText)) Refuse(o.valuesText + " is not a list of numbers.");
  const long top = o.width == 2 ? 0xFFFF : 0xFF;
  long low = top, high = 0;
  for (std::string_view part : SplitCommas(o.valuesText)) {
    if (part == "*") {
      if (!o.wildcard) Refuse("* in --values needs --wildcard.");
      o.numbers.push_back(kAnyValue);
      continue;
    }
    const long n = std::stol(std::string(part));
    if (n > 0xFFFF) Refuse(std::string(part) + " does not fit 16 bits.");
    low = std::min(low, n);
    high = std::max(high, n);
    o.numbers.push_back(n);
  }
  if (high - low > top) {
    Refuse("The numbers " + o.valuesText + " lie " + std::to_string(high - low) +
           " apart, too far for " + (o.width == 2 ? "16" : "8") + "-bit values.");
  }
}

}  // namespace

const std::vector<OptionSpec>& SearchOptionSpecs() {
  using T = OptionSpec::Takes;
  static const std::vector<OptionSpec> kSpecs = {
      {"wildcard", "* in the word stands for any one character", T::Nothing},
      {"width", "bits a character: 8 or 16 (default 8)", T::One, "8|16"},
      {"endian", "byte order of 16-bit characters (default little)", T::One, "little|big"},
      {"mixed-case", "upper and lower case in one word, the gap between them unknown", T::Nothing},
      {"values", "search a run of numbers by their differences instead of a word, e.g. 120,150,200",
       T::One, nullptr, &IsValueList, "numbers separated by commas"},
      {"order",
       "character order file (one character a line, in code order) or a bundled order: "
       "hiragana-gojuon, hiragana-iroha, katakana-gojuon, katakana-iroha",
       T::One},
  };
  return kSpecs;
}

bool IsClassicSearch(const JobOptions& options) {
  for (const char* name : {"wildcard", "endian", "mixed-case", "values", "order"}) {
    if (options.has(name)) return false;
  }
  return options.value("width", "8") == "8";
}

SearchOptions ReadSearchOptions(const JobOptions& options) {
  SearchOptions o;
  o.wildcard = options.has("wildcard");
  const std::string width = options.value("width", "8");
  if (width != "8" && width != "16") Refuse("--width is 8 or 16, not " + width + ".");
  o.width = width == "16" ? 2 : 1;
  const std::string endian = options.value("endian", "little");
  if (endian != "little" && endian != "big")
    Refuse("--endian is little or big, not " + endian + ".");
  if (options.has("endian") && o.width == 1) Refuse("--endian needs --width 16.");
  o.bigEndian = endian == "big";
  o.mixedCase = options.has("mixed-case");
  o.order = options.value("order");
  if (options.has("order") && o.order.empty()) Refuse("--order needs a file.");
  if (o.mixedCase && !o.order.empty()) Refuse("--mixed-case and --order can't go together.");
  o.values = options.has("values");
  if (o.values) {
    if (o.mixedCase || !o.order.empty()) Refuse("--values takes no --mixed-case or --order.");
    o.valuesText = options.value("values");
    ReadValues(o);
  }
  return o;
}

bool IsValueList(std::string_view text) {
  const auto parts = SplitCommas(text);
  return std::all_of(parts.begin(), parts.end(),
                     [](std::string_view p) { return p == "*" || IsDigits(p); });
}

}  // namespace morvane
