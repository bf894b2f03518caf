#include "shell/Values.h"

#include <algorithm>
#include <cctype>

namespace morvane {

namespace {
constexpr char kDigits[] = "0123456789ABCDEF";
constexpr char kLowerDigits[] = "0123456789abcdef";

bool IsHexDigit(char c) {
  return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}
}  // namespace

std::string Hex(std::int64_t value) {
  std::string digits;
  AppendHex(digits, static_cast<std::uint32_t>(value), 0);
  return digits;
}

std::string PadHex(std::int64_t value, int width, std::string_view fill) {
  const std::string digits = Hex(value);
  if (static_cast<int>(digits.size()) >= width) return digits;
  std::string padded(static_cast<std::size_t>(width) - digits.size(),
                     fill.empty() ? '0' : fill.front());
  return padded += digits;
}

std::string HexByte(std::int64_t value, std::string_view fill) {
  return PadHex(value, 2, fill);
}
std::string HexWord(std::int64_t value, std::string_view fill) {
  return PadHex(value, 4, fill);
}
std::string HexOffset(std::int64_t value, std::string_view fill) {
  return PadHex(value, 5, fill);
}

std::string HexUnsignedByte(std::int64_t value) {
  return Hex(value < 0 ? value + 256 : value);
}

std::string HexSigned(std::int64_t value) {
  return value < 0 ? "-" + Hex(-value) : Hex(value);
}

void AppendHex(std::string& out, std::uint32_t value, int width, bool lower) {
  const char* const set = lower ? kLowerDigits : kDigits;
  char digits[8];
  char* p = digits + sizeof digits;
  do {
    *--p = set[value & 0xF];
    value >>= 4;
  } while (value != 0);
  const auto count = static_cast<int>(digits + sizeof digits - p);
  if (width > count) out.append(static_cast<std::size_t>(width - count), '0');
  out.append(p, digits + sizeof digits);
}

std::string LowerCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; });
  return text;
}

std::string UpperCase(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
  return text;
}

std::string Ordinal(std::int64_t n) {
  const std::int64_t tens = n % 100;
  const char* suffix = "th";
  if (tens < 11 || tens > 13) {
    if (n % 10 == 1) suffix = "st";
    if (n % 10 == 2) suffix = "nd";
    if (n % 10 == 3) suffix = "rd";
  }
  return std::to_string(n) + suffix;
}

std::string TabIf(bool flag) {
  return flag ? "\t" : "";
}

bool IsHex(std::string_view text) {
  return !text.empty() && std::all_of(text.begin(), text.end(), IsHexDigit);
}

bool IsSignedHex(std::string_view text) {
  if (!text.empty() && text.front() == '-') text.remove_prefix(1);
  return IsHex(text);
}

std::int32_t HexToLong(std::string_view text) {
  bool negative = false;
  if (!text.empty() && text.front() == '-') {
    negative = true;
    text.remove_prefix(1);
  }
  if (!IsHex(text)) return -1;
  if (text.size() >= 8) return -2;
  std::int32_t v = 0;
  for (char c : text) {
    const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0' : (c | 0x20) - 'a' + 10;
    v = v * 16 + d;
  }
  return negative ? -v : v;
}

bool IsBlockNumber(std::string_view text) {
  if (text.empty() || text == ".") return false;
  int dots = 0;
  for (char c : text) {
    if (c == '.') {
      if (++dots > 1) return false;
    } else if (c < '0' || c > '9') {
      return false;
    }
  }
  return true;
}

std::string ExtractString(std::string_view row, std::int32_t& index) {
  std::string field;
  const auto length = static_cast<std::int32_t>(row.size());
  if (index >= length) return field;
  while (true) {
    ++index;
    const char c = row[static_cast<std::size_t>(index) - 1];
    if (c == '\t') break;
    field.push_back(c);
    if (index >= length) break;
  }
  return field;
}

std::string FolderOf(std::string_view path) {
  const auto pos = path.find_last_of("\\/");
  return pos == std::string_view::npos ? std::string() : std::string(path.substr(0, pos + 1));
}

std::string FileNameOf(std::string_view path) {
  return std::string(path.substr(FolderOf(path).size()));
}

std::string StripExtension(std::string_view path) {
  const auto pos = path.rfind('.');
  return pos == std::string_view::npos ? std::string(path) : std::string(path.substr(0, pos));
}

std::size_t LastCharsStart(std::string_view text, std::size_t n) {
  const auto continuation = [&](std::size_t i) {
    return (static_cast<unsigned char>(text[i]) & 0xC0) == 0x80;
  };
  std::size_t pos = text.size();
  for (; n > 0 && pos > 0; --n) {
    --pos;
    // Back over at most three continuation bytes to a lead byte that
    // announces exactly that many; otherwise the byte stands alone.
    std::size_t lead = pos;
    while (lead > 0 && pos - lead < 3 && continuation(lead)) --lead;
    const auto b = static_cast<unsigned char>(text[lead]);
    const std::size_t length = b >= 0xF0 && b < 0xF8 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
    if (lead < pos && length == pos - lead + 1) pos = lead;
  }
  return pos;
}

std::string PrintableOnly(std::string_view text) {
  std::string out(text);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u > 126) c = static_cast<char>(149);
  }
  return out;
}

std::string ValidateFilename(std::string_view name) {
  static constexpr std::string_view kForbidden = "\"*/:<>?\\|";
  std::string out(name);
  for (char& c : out) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 32 || u >= 127 || kForbidden.find(c) != std::string_view::npos) c = '\'';
  }
  return out;
}

std::string BitsToChars(std::string_view hex, const BitChars& chars, bool msbFirst) {
  if (!IsHex(hex)) return {};
  std::string out;
  for (std::size_t i = 0; i < hex.size(); i += 2) {
    std::string pair(hex.substr(i, 2));
    if (pair.size() == 1) pair += '0';
    const auto value = static_cast<unsigned>(HexToLong(pair));
    std::string group;
    for (int bit = 0; bit < 8; ++bit) {
      const std::string& c = (value >> bit) & 1 ? chars.on : chars.off;
      group = msbFirst ? c + group : group + c;
    }
    out += group;
  }
  return out;
}

}  // namespace morvane
