// Code/data logs as the emulators write them, one flag byte per byte of PRG
// ROM: FCEUX's (PRG then CHR, no header) and Mesen's ("CDLv2", the CRC32 of
// the PRG ROM, PRG then CHR). Read into marks the trace follows; written
// from what the trace found.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace morvane {

// What a log says of one PRG byte.
enum LogMark : std::uint8_t {
  kLogCode = 1,   // run as code
  kLogData = 2,   // read as data
  kLogEntry = 4,  // the target of a jump or a call
};

enum class CdlFormat { Fceux, Mesen };

struct CodeDataLog {
  CdlFormat format = CdlFormat::Fceux;
  std::vector<std::uint8_t> marks;  // LogMark bits, one per byte of PRG ROM as the header sizes it
};

// Reads the log at path for rom (the whole iNES file). Throws
// JobError::Minor naming the file when its size or CRC does not fit the ROM.
CodeDataLog ReadCodeDataLog(const std::string& path, const std::string& rom);

// The bytes of a log of format for rom: marks per PRG byte, and for each the
// 8 KiB slot of the CPU window (0 for 8000 to 3 for E000) it runs in.
std::string CodeDataLogBytes(CdlFormat format, const std::string& rom,
                             const std::vector<std::uint8_t>& marks,
                             const std::vector<std::uint8_t>& slots);

// Where a job writes the log of a ROM: beside it, "<rom stem>.cdl".
std::string CodeDataLogPath(const std::string& romPath);

// "fceux" or "mesen".
CdlFormat CdlFormatNamed(const std::string& word);

}  // namespace morvane
