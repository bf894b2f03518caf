// The file rows of a side: a block 3 from the row's values, then a block 4
// holding the extracted file named after them.
#include <filesystem>

#include "fds/DiskMerger.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"

namespace morvane::fds {

namespace {
constexpr char kShownUnprintable = static_cast<char>(0x95);
}

void DiskMerger::file(int n) {
  const std::string hh = HexByte(n);
  const std::string row = "row #" + std::to_string(n);
  report_ = "Can't find BLOCK ID 03 " + row;
  const std::string line = reader_.find(std::string(kFileRowLabel) + "\t" + hh);
  put(kFileHeaderBlock);
  put(n);
  const std::string problem = "Problem with BLOCK ID 03 " + row + "'s ";

  report_ = problem + "File ID";
  const std::string id = Part(line, col::kId, 2);
  if (!IsHex(id)) fail(report_ + "\r\n\"" + id + "\" is not a hex byte value");
  put(HexToLong(id));

  report_ = problem + "File Name";
  const std::string name = Part(line, col::kName, col::kNameLength);
  if (name.size() < col::kNameLength) fail(report_);
  for (const char c : name) put(c == kShownUnprintable ? 0 : static_cast<unsigned char>(c));

  // A little-endian word from 4 hex digits.
  const auto word = [&](std::size_t pos) {
    const std::int32_t lo = HexToLong(Part(line, pos + 2, 2));
    const std::int32_t hi = HexToLong(Part(line, pos, 2));
    if (lo < 0 || hi < 0) fail(report_, kErrOverflow);
    put(lo);
    put(hi);
    return hi * 256 + lo;
  };
  report_ = problem + "Address";
  const int address = word(col::kAddress);
  report_ = problem + "Length";
  const int length = word(col::kLength);

  report_ = problem + "Type";
  const std::int32_t type = HexToLong(Part(line, col::kType, 2));
  if (type < 0) fail(report_, kErrOverflow);
  put(type);
  const std::string type4 = Part(line, col::kTypeName, 4);
  put(kFileDataBlock);
  host_.yield();

  report_ = "Problem merging BLOCK ID 03 " + row + "'s File Data";
  const char side = static_cast<char>('A' + sideIndex_ % 2);
  const auto idByte = static_cast<std::uint8_t>(HexToLong(id));
  fileData(folder_ + ExtractedFileName(type4, address, length, name, sideIndex_ / 2 + 1, side,
                                       idByte, static_cast<std::uint8_t>(n)),
           length);
}

void DiskMerger::fileData(const std::string& path, int length) {
  file_ = path;
  const std::string problem = OutputProblem(imagePath_, {listingPath_, path});
  if (!problem.empty()) {
    refused_ = true;
    fail(problem);
  }
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) fail(report_ + "\r\nFile is missing.");
  const std::string data = ReadBinaryFile(path);
  out_.append(data);
  const auto count = static_cast<long long>(data.size());
  // A side the image ended inside keeps only the bytes of its last file that
  // were there: the rest is never written.
  if (count < length && sideEnd_ != 0 && out_.size() >= sideEnd_) {
    out_.append(static_cast<std::size_t>(length - count), '\0');
    file_ = listingPath_;
    return;
  }
  const std::string should = "Should have " + std::to_string(length) + " bytes, but ";
  if (count == 0 && length > 0) fail(report_ + "\r\nFile is missing.");
  if (count < length) {
    fail(report_ + "\r\nFile is too small or length is too big.\r\n" + should + "only " +
         std::to_string(count) + " bytes found in file.");
  }
  if (count > length) {
    fail(report_ + "\r\nFile is too big or length is too small.\r\n" + should +
         std::to_string(count) + " bytes found in file.");
  }
  file_ = listingPath_;
}

}  // namespace morvane::fds
