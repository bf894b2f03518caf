// The byte-by-byte reader of a disk image behind the Split FDS job: a state
// machine over the block layout that writes the listing and the extracted
// files as the bytes go by.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "shell/JobHost.h"
#include "shell/OutFile.h"

namespace morvane::fds {

class DiskSplitter {
 public:
  // folder is where the extracted files go; imagePath is only compared with them.
  DiskSplitter(JobHost& host, bool header, std::string folder, std::string imagePath);

  // Reads the image from its first byte; false when Cancel stopped it (the
  // CANCELED line is then written). Format errors throw JobError(kErrDiskFormat).
  // An image that ends inside a side gets a complete listing all the same,
  // with the side's real length in a SIDE LENGTH row (see missing()).
  bool run(const std::string& image);
  // Bytes the last side lacks when the image ended inside it, else 0; side()
  // names that side ("Disk 1 Side B").
  std::int64_t missing() const { return missing_; }
  std::string side() const;

  // The listing written so far; complete once run returns.
  const std::string& listing() const { return out_; }
  // Image offset of the next unread byte.
  std::int64_t offset() const { return offset_; }
  const std::vector<std::string>& extracted() const { return extracted_; }
  // Closes the extracted file still open: one whose bytes have all been
  // written is complete; after a failure or cancel it is a partial one.
  void closeFiles(bool complete = true);

 private:
  enum class State {
    HeaderMagic,
    HeaderField,
    VolumeId,
    DiskMagic,
    VolumeField,
    AmountId,
    CountByte,
    HeaderOrSpace,
    HdrNumber,
    HdrId,
    HdrName,
    HdrAddress,
    HdrLength,
    HdrType,
    DataId,
    DataBytes,
    EmptySpace,
  };

  void step(std::uint8_t b);
  void go(State state) {
    state_ = state;
    count_ = 0;
  }
  void write(const std::string& text) { out_ += text; }
  void line(const std::string& text) { out_ += text + "\r\n"; }
  [[noreturn]] static void Fail(const std::string& message);

  void headerMagic(std::uint8_t b);
  void field(std::uint8_t b);
  void startField(std::size_t index);
  void volumeId(std::uint8_t b);
  void diskMagic(std::uint8_t b);
  void countByte(std::uint8_t b);
  void enterHeaderOrSpace();
  void headerOrSpace(std::uint8_t b);
  void fileHeader(std::uint8_t b);
  void dataId(std::uint8_t b);
  void dataBytes(std::uint8_t b);
  void emptySpace(std::uint8_t b);
  void endSide(int size);
  bool lastOfSide() const;
  std::uint8_t filler() const;
  void finishCutSide();

  JobHost& host_;
  const int headerSize_;
  const std::string folder_;
  const std::string imagePath_;

  State state_;
  int count_ = 0;               // bytes taken in the current state
  std::size_t fieldIndex_ = 0;  // row of the header or volume field table
  bool inHeader_ = false;       // field table: header (true) or block 1
  std::int64_t offset_ = 0;
  int disk_ = 1;
  int sideCounter_ = 0;  // 1 = side A, 2 = side B
  std::string buffer_;
  std::uint8_t year_ = 0;  // of the date being read
  std::uint8_t month_ = 0;
  std::uint8_t rewrites_ = 0;
  int fileCount_ = 0;
  int expected_ = 0;             // number of the next file header
  std::size_t countRowEnd_ = 0;  // where a FILES FOUND row goes
  std::size_t sideRowEnd_ = 0;   // where a SIDE LENGTH row goes
  std::int64_t sideStart_ = 0;   // offset of the current side's first byte
  std::int64_t missing_ = 0;
  bool filling_ = false;  // listing bytes the image lacks
  int address_ = 0;
  int length_ = 0;
  std::uint8_t number_ = 0;
  std::uint8_t id_ = 0;
  std::string shownName_;
  std::string type4_;

  std::string out_;
  std::unique_ptr<OutFile> file_;
  std::vector<std::string> extracted_;
};

}  // namespace morvane::fds
