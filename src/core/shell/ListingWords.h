// The words of the listings the dumps write: the rule line, the line end,
// the label prefixes and the ".byte" line. Every dump mode and the script
// header take them from here.
#pragma once

#include <cstdint>
#include <string>

namespace morvane {

inline constexpr const char* kLineEnd = "\r\n";
inline constexpr const char* kRuleLine = ";--------------------";

// Label prefixes, followed by the address in hex.
inline constexpr const char* kCodeLabelPrefix = "lbl_";
inline constexpr const char* kTableLabelPrefix = "tbl_";
inline constexpr const char* kVariableLabelPrefix = "vbl_";

inline constexpr const char* kByteDirective = ".byte $";

// The ".byte" column of one byte: two tabs, the directive, the byte, the
// comment mark, and a tab when flag is set.
std::string ByteLine(std::uint8_t value, bool flag);

}  // namespace morvane
