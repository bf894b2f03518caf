// Small stateless helpers shared by every job: hex formatting and parsing,
// box validation, the tab-separated field reader, path splitting and the
// character filters used for output text and file names.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace morvane {

// Upper-case hex of value, left-filled with the first character of fill up to
// width characters; never cut. Negative values print as 32-bit two's complement.
std::string PadHex(std::int64_t value, int width, std::string_view fill = "0");
std::string HexByte(std::int64_t value, std::string_view fill = "0");
std::string HexWord(std::int64_t value, std::string_view fill = "0");
std::string HexOffset(std::int64_t value, std::string_view fill = "0");
// Plain upper-case hex without padding (negative values as 32-bit two's complement).
std::string Hex(std::int64_t value);
std::string HexUnsignedByte(std::int64_t value);
std::string HexSigned(std::int64_t value);
std::string LowerCase(std::string text);
// Appends the hex of value (as 32 bits) to out, zero-filled to at least width
// digits, in lower case when lower is set: PadHex without the temporaries.
void AppendHex(std::string& out, std::uint32_t value, int width, bool lower = false);
std::string UpperCase(std::string text);

// 1 gives "1st", 2 "2nd", 3 "3rd", 11 "11th", 22 "22nd".
std::string Ordinal(std::int64_t n);
std::string TabIf(bool flag);

bool IsHex(std::string_view text);
bool IsSignedHex(std::string_view text);
// Value of optionally signed hex text; -1 when not hex, -2 with 8 or more digits.
std::int32_t HexToLong(std::string_view text);
bool IsBlockNumber(std::string_view text);

// Next tab-separated field after 1-based position index (start a line with 0).
std::string ExtractString(std::string_view row, std::int32_t& index);

// Paths accept both '\' and '/' as folder separators.
std::string FolderOf(std::string_view path);
std::string FileNameOf(std::string_view path);
std::string StripExtension(std::string_view path);
// Where the last n characters of a name begin, a UTF-8 character (a lead
// byte and its continuation bytes) counting as one, so that an output name
// cut there never holds half a character; any other byte is one character.
std::size_t LastCharsStart(std::string_view text, std::size_t n);

std::string PrintableOnly(std::string_view text);
std::string ValidateFilename(std::string_view name);

// Off and on characters of a pattern table; the default '_' and '#'.
struct BitChars {
  std::string off = "_";
  std::string on = "#";
};
std::string BitsToChars(std::string_view hex, const BitChars& chars, bool msbFirst);

}  // namespace morvane
