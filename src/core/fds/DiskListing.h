// The disk listing shared by split and merge: the image layout, the rows of
// the listing with their labels and value meanings, the date rule and the
// names of the extracted files. Split writes these rows and merge reads them
// back, so both take every label, width and name from here.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace morvane::fds {

// Image layout.
inline constexpr int kHeaderSize = 16;
inline constexpr int kSideSize = 65500;
inline constexpr std::string_view kHeaderMagic = "FDS\x1A";
inline constexpr std::string_view kDiskMagic = "*NINTENDO-HVC*";
inline constexpr std::uint8_t kVolumeBlock = 0x01;
inline constexpr std::uint8_t kAmountBlock = 0x02;
inline constexpr std::uint8_t kFileHeaderBlock = 0x03;
inline constexpr std::uint8_t kFileDataBlock = 0x04;
// Bytes of the empty space that the listing shows; merge pads the rest with 0.
inline constexpr int kListedSpaceBytes = 12;

// Error number of the disk jobs' own format checks in the job error box.
inline constexpr int kErrDiskFormat = 1000;

// Listing name beside the image, and what merge strips from it again.
inline constexpr std::string_view kListingSuffix = " FDS Files.txt";
inline constexpr std::string_view kMergedSuffix = "_Merged.fds";
std::string ListingPathFor(std::string_view imagePath);

// Labels of the rows merge finds by their start.
inline constexpr std::string_view kFwnesLabel = "fwNES";
inline constexpr std::string_view kBlockIdLabel = "BLOCK ID";
inline constexpr std::string_view kFcDiskLabel = "FC DISK";
inline constexpr std::string_view kFileCountLabel = "FILE COUNT";
// Written after FILE COUNT only when block 2 declares more files than the
// side holds: the number of files present, the rest of the side being empty
// space. Merge reads it on the line right after FILE COUNT.
inline constexpr std::string_view kFilesFoundLabel = "FILES FOUND";
// Written after a side's BLOCK ID row only when the image ends before the
// side does: the bytes the side really has, as 4 hex digits. Split lists such
// a side as if the missing bytes were there; merge builds it the same way and
// then cuts it to this length, so that it gives back the bytes the image had.
inline constexpr std::string_view kSideLengthLabel = "SIDE LENGTH";
inline constexpr std::string_view kFileRowLabel = "03:FILE HEADER";
inline constexpr std::string_view kEmptySpaceLabel = "EMPTY SPACE";

// Fixed lines.
std::string Rule(char c);  // 132 copies of c
inline constexpr std::string_view kNoHeaderLine = "NO FDS HEADER";
inline constexpr std::string_view kFwnesRow = "fwNES ID\t\"FDS[^Z]\"";
inline constexpr std::string_view kSideRule = "=================";
inline constexpr std::string_view kFileHeading =
    "BLOCK ID\tNUMBER\tID CODE\tNAME\t\tADDRESS\tLENGTH\tTYPE\t\t\tFDS/NES RAM\t.fds FILE\tBLOCK "
    "ID";
std::string SideTitle(int disk, char side);
std::string VolumeIdRow(std::uint8_t id);  // BLOCK ID 01
std::string AmountIdRow(std::uint8_t id);  // BLOCK ID 02
std::string FcDiskRow(std::string_view text);

// How a field of the image head or of block 1 appears in the listing.
enum class FieldKind {
  Byte,      // label, TAB, HH, and ": " meaning when the field has one
  List,      // label, TAB, HH separated by blanks
  Date,      // label, TAB, month/day/year
  GameName,  // label, TAB, "HH HH HH = " and the characters in quotes
};

enum class Meaning { None, Licensee, GameType, Side, Disk, DiskType, Color, Country, Price };

struct Field {
  std::string_view label;  // COUNTRY and PRICE carry the first of their two tabs
  int width;
  FieldKind kind;
  Meaning meaning = Meaning::None;
};

// The two header fields after the magic, and block 1 from the manufacturer
// code to the price, in image and listing order.
inline constexpr std::array<Field, 2> kHeaderFields = {{
    {"DISK SIDES", 1, FieldKind::Byte},
    {"RESERVED", 11, FieldKind::List},
}};

inline constexpr std::array<Field, 21> kVolumeFields = {{
    {"MANUFACTURER", 1, FieldKind::Byte, Meaning::Licensee},
    {"GAME NAME", 3, FieldKind::GameName},
    {"GAME TYPE", 1, FieldKind::Byte, Meaning::GameType},
    {"GAME VERSION", 1, FieldKind::Byte},
    {"SIDE NUMBER", 1, FieldKind::Byte, Meaning::Side},
    {"DISK NUMBER", 1, FieldKind::Byte, Meaning::Disk},
    {"DISK TYPE", 1, FieldKind::Byte, Meaning::DiskType},
    {"DISK COLOR", 1, FieldKind::Byte, Meaning::Color},
    {"BOOT READ", 1, FieldKind::Byte},
    {"UNKNOWN DATA", 5, FieldKind::List},
    {"PERMIT DATE", 3, FieldKind::Date},
    {"COUNTRY\t", 1, FieldKind::Byte, Meaning::Country},
    {"UNKNOWN DATA", 9, FieldKind::List},
    {"RE-WRITE DATE", 3, FieldKind::Date},
    {"UNKNOWN DATA", 2, FieldKind::List},
    {"DISK WRITER SN", 2, FieldKind::List},
    {"UNKNOWN DATA", 1, FieldKind::Byte},
    {"DISK RE-WRITES", 1, FieldKind::Byte},
    {"DISK SIDE", 1, FieldKind::Byte, Meaning::Side},
    {"UNKNOWN DATA", 1, FieldKind::Byte},
    {"PRICE\t", 1, FieldKind::Byte, Meaning::Price},
}};

// Block 1's re-write count decides what its price code means.
inline constexpr std::size_t kRewritesField = 17;
static_assert(kVolumeFields[kRewritesField].label == "DISK RE-WRITES");

// Listing rows are opened (label and TAB written) before their first byte
// when they take more than one byte; one-byte rows are written whole.
inline bool OpensEarly(const Field& f) {
  return f.kind != FieldKind::Byte;
}

std::string LicenseeName(std::uint8_t code);
// The text after "HH: "; rewrites is the side's DISK RE-WRITES byte.
std::string MeaningText(Meaning meaning, std::uint8_t value, std::uint8_t rewrites);
// "label<TAB>HH" plus ": meaning" where the field has one.
std::string ByteRow(const Field& f, std::uint8_t value, std::uint8_t rewrites);

// Dates: year byte counted from 1925 in BCD.
std::string YearText(std::uint8_t year);
std::string DateText(std::uint8_t year, std::uint8_t month, std::uint8_t day);
// Year byte of a listed year: a four-character year from 1925 to 2024, or a
// text starting with the two hex digits of the byte.
std::optional<std::uint8_t> YearByte(std::string_view year);

// File types of block 3.
inline constexpr int kFileTypes = 3;
std::string_view TypeText(std::uint8_t type);  // "PRAM: Program", ...; "" when invalid
// Load address to last address, 4 hex digits each.
std::string RamRange(int address, int length);
// A file row, as split writes it piece by piece:
//   03:FILE HEADER<TAB>NN<TAB>ID<TAB>"NAME8CHR"<TAB>ADDR<TAB>LENG<TAB>TT TYPE: Text<TAB>
//   ram range<TAB>image range<TAB>04:FILE DATA
// Merge reads the values at these fixed 0-based positions.
namespace col {
inline constexpr std::size_t kNumber = 15;
inline constexpr std::size_t kId = 18;
inline constexpr std::size_t kName = 22;
inline constexpr std::size_t kNameLength = 8;
inline constexpr std::size_t kAddress = 32;
inline constexpr std::size_t kLength = 37;
inline constexpr std::size_t kType = 42;
inline constexpr std::size_t kTypeName = 45;  // the four characters naming the extracted file
}  // namespace col
// The type text after "HH " and the two ranges; typeOffset is the image offset of the type byte.
std::string TypeColumns(std::uint8_t type, int address, int length, std::int64_t typeOffset);
inline constexpr std::string_view kFileDataTail = "\t04:FILE DATA";
// End of the EMPTY SPACE row after its listed bytes: size and image range.
std::string EmptySpaceEnd(int size, std::int64_t first, std::int64_t last);

// Name of an extracted file: type (first four characters of the type text),
// RAM range, name, disk number, side letter, ID code and file number. Every
// part goes through ValidateFilename, so the name never leaves its folder.
std::string ExtractedFileName(std::string_view type4, int address, int length,
                              std::string_view shownName, int disk, char side, std::uint8_t id,
                              std::uint8_t number);

}  // namespace morvane::fds
