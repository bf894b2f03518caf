// Romancia's run-length scheme for pattern banks. A stream is a list of
// chunks ended by 00: 01-7F is a literal chunk (that many bytes follow as
// they are), 80-FF a run chunk (one byte follows, repeated byte - 80h times).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "games/RomanciaSheet.h"

namespace morvane {

// The compressed stream of one bank, end byte included.
std::string EncodeBank(const PatternBank& bank);

// Length, end byte included, of the stream that starts at offset in rom;
// nullopt when the file ends before the stream's end byte.
std::optional<std::int64_t> StreamLength(const std::string& rom, std::int64_t offset);

}  // namespace morvane
