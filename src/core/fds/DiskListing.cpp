#include "fds/DiskListing.h"

#include <utility>

#include "shell/Values.h"

namespace morvane::fds {

namespace {

struct Licensee {
  std::uint8_t code;
  std::string_view name;
};

constexpr Licensee kLicensees[] = {
    {0x00, "(Unlicensed)"},
    {0x01, "Nintendo"},
    {0x08, "Capcom"},
    {0x0A, "Jaleco"},
    {0x18, "Hudson Soft"},
    {0x49, "Irem"},
    {0x4A, "Gakken"},
    {0x8B, "BulletProof Software"},
    {0x99, "Pack-In-Video"},
    {0x9B, "Tecmo"},
    {0x9C, "Imagineer"},
    {0xA2, "Scorpion Soft"},
    {0xA4, "Konami"},
    {0xA6, "Kawada Co., Ltd."},
    {0xA7, "Takara"},
    {0xA8, "Royal Industries"},
    {0xAC, "Toei Animation"},
    {0xAF, "Namco"},
    {0xB1, "ASCII Corporation"},
    {0xB2, "Bandai"},
    {0xB3, "Soft Pro Inc."},
    {0xB6, "HAL Laboratory"},
    {0xBB, "Sunsoft"},
    {0xBC, "Toshiba EMI"},
    {0xC0, "Taito"},
    {0xC1, "Sunsoft / Ask Co., Ltd."},
    {0xC2, "Kemco"},
    {0xC3, "Square"},
    {0xC4, "Tokuma Shoten"},
    {0xC5, "Data East"},
    {0xC6, "Tonkin House / Tokyo Shoseki"},
    {0xC7, "East Cube"},
    {0xCA, "Konami / Ultra / Palcom "},
    {0xCB, "NTVIC / VAP"},
    {0xCC, "Use Co., Ltd."},
    {0xCE, "Pony Canyon / FCI"},
    {0xD1, "Sofel"},
    {0xD2, "Bothtec, Inc."},
    {0xDB, "Hiro Co., Ltd. "},
    {0xE7, "Athena"},
    {0xEB, "Atlus"},
};

// Code-to-text tables of the one-byte meanings; anything else is "(Unknown)".
using Pairs = std::initializer_list<std::pair<int, std::string_view>>;

std::string Lookup(Pairs pairs, std::uint8_t value) {
  for (const auto& [code, text] : pairs) {
    if (code == value) return std::string(text);
  }
  return "(Unknown)";
}

constexpr std::string_view kTypeTexts[kFileTypes] = {"PRAM: Program", "CRAM: Character",
                                                     "VRAM: Name Table"};

}  // namespace

std::string ListingPathFor(std::string_view imagePath) {
  return StripExtension(imagePath) + std::string(kListingSuffix);
}

std::string Rule(char c) {
  return std::string(132, c);
}

std::string SideTitle(int disk, char side) {
  return "= Disk " + std::to_string(disk) + " Side " + side + " =";
}

std::string VolumeIdRow(std::uint8_t id) {
  return "BLOCK ID\t" + HexByte(id) + ": VOLUME LABEL";
}
std::string AmountIdRow(std::uint8_t id) {
  return "BLOCK ID\t" + HexByte(id) + ": FILE AMOUNT";
}

std::string FcDiskRow(std::string_view text) {
  return "FC DISK\t\t\"" + std::string(text) + "\"";
}

std::string LicenseeName(std::uint8_t code) {
  for (const auto& l : kLicensees) {
    if (l.code == code) return std::string(l.name);
  }
  return "UNKNOWN";
}

std::string MeaningText(Meaning meaning, std::uint8_t value, std::uint8_t rewrites) {
  switch (meaning) {
    case Meaning::None:
      return {};
    case Meaning::Licensee:
      return LicenseeName(value);
    case Meaning::GameType:
      if (value == 0x20) return "Normal Disk";
      if (value == 0x45) return "[E]vent Disk";
      if (value == 0x52) return "Disk with advertising price [R]eduction";
      return std::string(1, '"').append(1, static_cast<char>(value)).append("\" UNKNOWN");
    case Meaning::Side:
      return Lookup({{0x00, "Side A"}, {0x01, "Side B"}}, value);
    case Meaning::Disk:
      return "Disk " + std::to_string(value + 1);
    case Meaning::DiskType:
      return Lookup({{0x00, "FMC (Normal Card)"}, {0x01, "FSC (Card with Shutter)"}}, value);
    case Meaning::Color:
      return Lookup({{0x00, "Yellow"}, {0x01, "Blue or Gold"}, {0xFE, "White"}, {0xFF, "Blue"}},
                    value);
    case Meaning::Country:
      return Lookup({{0x49, "Japan"}}, value);
    case Meaning::Price:
      if (rewrites == 0)
        return Lookup({{0x01, "3400 Yen"}, {0x03, "3400 Yen with peripherals"}}, value);
      return Lookup({{0x00, "500 Yen"}, {0x01, "600 Yen"}}, value);
  }
  return {};
}

std::string ByteRow(const Field& f, std::uint8_t value, std::uint8_t rewrites) {
  std::string row = std::string(f.label) + "\t" + HexByte(value);
  if (f.meaning != Meaning::None) row += ": " + MeaningText(f.meaning, value, rewrites);
  return row;
}

std::string YearText(std::uint8_t year) {
  const std::string hh = HexByte(year);
  if (IsBlockNumber(hh)) return std::to_string(std::stoi(hh) + 1925);
  return hh + " (Improper Year Format)";
}

std::string DateText(std::uint8_t year, std::uint8_t month, std::uint8_t day) {
  return HexByte(month) + "/" + HexByte(day) + "/" + YearText(year);
}

std::optional<std::uint8_t> YearByte(std::string_view year) {
  if (year.size() == 4) {
    if (!IsBlockNumber(year)) return std::nullopt;
    // Only whole years from 1925 to 2024 give two decimal digits.
    if (year.find('.') != std::string_view::npos) return std::nullopt;
    const int since = std::stoi(std::string(year)) - 1925;
    if (since < 0 || since > 99) return std::nullopt;
    return static_cast<std::uint8_t>(HexToLong(std::to_string(since)));
  }
  const std::string_view hh = year.substr(0, 2);
  if (hh.size() != 2 || !IsHex(hh)) return std::nullopt;
  return static_cast<std::uint8_t>(HexToLong(hh));
}

std::string_view TypeText(std::uint8_t type) {
  return type < kFileTypes ? kTypeTexts[type] : std::string_view();
}

std::string RamRange(int address, int length) {
  return HexWord(address) + "-" + HexWord(address + length - 1);
}

std::string TypeColumns(std::uint8_t type, int address, int length, std::int64_t typeOffset) {
  return std::string(TypeText(type)) + "\t" + LowerCase(RamRange(address, length)) + "\t" +
         LowerCase(HexOffset(typeOffset + 2) + "-" + HexOffset(typeOffset + length + 1));
}

std::string EmptySpaceEnd(int size, std::int64_t first, std::int64_t last) {
  std::string text(1, '\t');
  text += HexWord(size);
  text += "\t\t\t\t\t\t";
  text += LowerCase(HexOffset(first) + "-" + HexOffset(last));
  return text;
}

std::string ExtractedFileName(std::string_view type4, int address, int length,
                              std::string_view shownName, int disk, char side, std::uint8_t id,
                              std::uint8_t number) {
  return ValidateFilename(type4) + " " + RamRange(address, length) + " " +
         ValidateFilename(shownName) + " " + std::to_string(disk) + side + "[" + HexByte(id) + "]" +
         HexByte(number) + ".nes";
}

}  // namespace morvane::fds
