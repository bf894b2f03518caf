#include "trace/CodeDataLog.h"

#include <algorithm>
#include <filesystem>

#include "patch/Crc32.h"
#include "rom/INesHeader.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr std::string_view kMesenTag = "CDLv2";
constexpr std::size_t kMesenHeader = 9;  // the tag and the CRC32
constexpr std::int64_t kChrBank = 0x2000;

// FCEUX's bits: code, data, the 8 KiB slot (bits 2-3), code and data reached
// indirectly, PCM samples.
constexpr std::uint8_t kFceuxCode = 0x01;
constexpr std::uint8_t kFceuxData = 0x02;
constexpr std::uint8_t kFceuxIndirectCode = 0x10;
constexpr std::uint8_t kFceuxIndirectData = 0x20;
constexpr std::uint8_t kFceuxPcm = 0x40;
// Mesen's: code, data, jump target, subroutine entry.
constexpr std::uint8_t kMesenCode = 0x01;
constexpr std::uint8_t kMesenData = 0x02;
constexpr std::uint8_t kMesenJump = 0x04;
constexpr std::uint8_t kMesenSub = 0x08;

struct RomSizes {
  std::size_t prg = 0;
  std::size_t chr = 0;
  std::string_view prgBytes;  // as much of the PRG ROM as the file holds
};

RomSizes SizesOf(const std::string& rom) {
  const INesHeader h = ReadINesHeader(rom);
  RomSizes s;
  s.prg = static_cast<std::size_t>(h.prgBanks) * static_cast<std::size_t>(kPrgBankSize);
  s.chr = static_cast<std::size_t>(h.chrBanks * kChrBank);
  const std::size_t from = std::min(rom.size(), static_cast<std::size_t>(h.prgOffset));
  s.prgBytes = std::string_view(rom).substr(from, std::min(s.prg, rom.size() - from));
  return s;
}

std::string Sized(std::size_t n) {
  return std::to_string(n) + " bytes";
}

void Put32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(v >> (8 * i) & 0xFF);
}

}  // namespace

std::string CodeDataLogPath(const std::string& romPath) {
  const std::filesystem::path p(romPath);
  return (p.parent_path() / p.stem()).string() + ".cdl";
}

CdlFormat CdlFormatNamed(const std::string& word) {
  return word == "mesen" ? CdlFormat::Mesen : CdlFormat::Fceux;
}

CodeDataLog ReadCodeDataLog(const std::string& path, const std::string& rom) {
  const std::string bytes = ReadBinaryFile(path);
  const RomSizes sizes = SizesOf(rom);
  const auto fail = [&](const std::string& message) {
    throw JobError::Minor("Code/Data Log Does Not Fit", message, path);
  };
  CodeDataLog log;
  std::string_view flags(bytes);
  if (bytes.starts_with(kMesenTag)) {
    log.format = CdlFormat::Mesen;
    const std::size_t want = kMesenHeader + sizes.prg + sizes.chr;
    if (bytes.size() != want) {
      fail("The Mesen code/data log holds " + Sized(bytes.size()) + "; this ROM needs " +
           Sized(want) + " (" + Sized(kMesenHeader) + " of header, " + Sized(sizes.prg) +
           " of PRG ROM, " + Sized(sizes.chr) + " of CHR ROM).");
    }
    std::uint32_t crc = 0;
    for (int i = 0; i < 4; ++i) {
      crc |= static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[5 + i])) << (8 * i);
    }
    const std::uint32_t own = Crc32(sizes.prgBytes);
    if (crc != own) {
      fail("The Mesen code/data log is for another ROM: its CRC32 is " + Hex(crc) +
           ", this ROM's PRG ROM has " + Hex(own) + ".");
    }
    flags.remove_prefix(kMesenHeader);
  } else if (bytes.size() != sizes.prg + sizes.chr) {
    fail("The FCEUX code/data log holds " + Sized(bytes.size()) + "; this ROM needs " +
         Sized(sizes.prg + sizes.chr) + " (" + Sized(sizes.prg) + " of PRG ROM and " +
         Sized(sizes.chr) + " of CHR ROM).");
  }
  log.marks.resize(sizes.prg);
  for (std::size_t i = 0; i < sizes.prg; ++i) {
    const auto f = static_cast<std::uint8_t>(flags[i]);
    std::uint8_t m = 0;
    if (log.format == CdlFormat::Mesen) {
      if ((f & kMesenCode) != 0) m |= kLogCode;
      if ((f & kMesenData) != 0) m |= kLogData;
      if ((f & (kMesenJump | kMesenSub)) != 0) m |= kLogEntry;
    } else {
      if ((f & (kFceuxCode | kFceuxIndirectCode)) != 0) m |= kLogCode;
      if ((f & (kFceuxData | kFceuxIndirectData | kFceuxPcm)) != 0) m |= kLogData;
    }
    log.marks[i] = m;
  }
  return log;
}

std::string CodeDataLogBytes(CdlFormat format, const std::string& rom,
                             const std::vector<std::uint8_t>& marks,
                             const std::vector<std::uint8_t>& slots) {
  const RomSizes sizes = SizesOf(rom);
  std::string out;
  if (format == CdlFormat::Mesen) {
    out = kMesenTag;
    Put32(out, Crc32(sizes.prgBytes));
  }
  for (std::size_t i = 0; i < sizes.prg; ++i) {
    const std::uint8_t m = i < marks.size() ? marks[i] : 0;
    std::uint8_t f = 0;
    if (format == CdlFormat::Mesen) {
      f = ((m & kLogCode) != 0 ? kMesenCode : 0) | ((m & kLogData) != 0 ? kMesenData : 0) |
          ((m & kLogEntry) != 0 ? kMesenJump : 0);
    } else {
      f = ((m & kLogCode) != 0 ? kFceuxCode : 0) | ((m & kLogData) != 0 ? kFceuxData : 0);
      if (f != 0 && i < slots.size()) f |= static_cast<std::uint8_t>((slots[i] & 3) << 2);
    }
    out += static_cast<char>(f);
  }
  out.append(sizes.chr, '\0');  // nothing is known of how the PPU read CHR ROM
  return out;
}

}  // namespace morvane
