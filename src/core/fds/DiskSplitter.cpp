#include "fds/DiskSplitter.h"

#include "fds/DiskListing.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane::fds {

namespace {

const std::string kHeaderMessage =
    "No FDS header found; to split disk files w/o header:\r\n"
    "  UnCheck '16 Byte Header'\r\n"
    " OR\r\n"
    "  Insert 16 byte header: F D S 1A DISK_SIDES 00 00 00 00 00 00 00 00 00 00 00";

std::string FoundBlock(std::string_view what, std::uint8_t b) {
  return "No " + std::string(what) + " Found; Found Block " + HexByte(b) + " instead.";
}

}  // namespace

DiskSplitter::DiskSplitter(JobHost& host, bool header, std::string folder, std::string imagePath)
    : host_(host),
      headerSize_(header ? kHeaderSize : 0),
      folder_(std::move(folder)),
      imagePath_(std::move(imagePath)),
      state_(header ? State::HeaderMagic : State::VolumeId) {
  if (!header) {
    line(std::string(kNoHeaderLine));
    line("");
    line("");
    line(Rule('='));
  }
}

void DiskSplitter::Fail(const std::string& message) {
  throw JobError(kErrDiskFormat, message);
}

bool DiskSplitter::run(const std::string& image) {
  const auto size = static_cast<std::int64_t>(image.size());
  while (offset_ < size && !host_.cancelRequested()) {
    step(static_cast<std::uint8_t>(image[static_cast<std::size_t>(offset_)]));
    host_.yield();
    ++offset_;
  }
  closeFiles(offset_ >= size);
  if (offset_ >= size) {
    if (state_ != State::VolumeId) finishCutSide();
    return true;
  }
  line("CANCELED at " + PadHex(offset_, 4));
  return false;
}

void DiskSplitter::closeFiles(bool complete) {
  if (!file_) return;
  if (complete) {
    file_->close();
  } else {
    file_->closeIncomplete();
  }
  file_.reset();
}

void DiskSplitter::step(std::uint8_t b) {
  ++count_;
  switch (state_) {
    case State::HeaderMagic:
      return headerMagic(b);
    case State::HeaderField:
    case State::VolumeField:
      return field(b);
    case State::VolumeId:
      return volumeId(b);
    case State::DiskMagic:
      return diskMagic(b);
    case State::AmountId:
      if (b != kAmountBlock) Fail(FoundBlock("File Amount", b));
      line(AmountIdRow(b));
      return go(State::CountByte);
    case State::CountByte:
      return countByte(b);
    case State::HeaderOrSpace:
      return headerOrSpace(b);
    case State::HdrNumber:
    case State::HdrId:
    case State::HdrName:
    case State::HdrAddress:
    case State::HdrLength:
    case State::HdrType:
      return fileHeader(b);
    case State::DataId:
      return dataId(b);
    case State::DataBytes:
      return dataBytes(b);
    case State::EmptySpace:
      return emptySpace(b);
  }
}

void DiskSplitter::headerMagic(std::uint8_t b) {
  buffer_ += static_cast<char>(b);
  if (count_ < static_cast<int>(kHeaderMagic.size())) return;
  if (buffer_ != kHeaderMagic) Fail(kHeaderMessage);
  line(std::string(kFwnesRow));
  inHeader_ = true;
  startField(0);
}

// Opens the row of a field that takes several bytes before its first byte.
void DiskSplitter::startField(std::size_t index) {
  fieldIndex_ = index;
  const Field& f = inHeader_ ? kHeaderFields[index] : kVolumeFields[index];
  if (OpensEarly(f)) write(std::string(f.label) + "\t");
  buffer_.clear();
  go(inHeader_ ? State::HeaderField : State::VolumeField);
}

void DiskSplitter::field(std::uint8_t b) {
  const Field& f = inHeader_ ? kHeaderFields[fieldIndex_] : kVolumeFields[fieldIndex_];
  const std::string hh = HexByte(b);
  switch (f.kind) {
    case FieldKind::Byte:
      if (!inHeader_ && fieldIndex_ == kRewritesField) rewrites_ = b;
      line(ByteRow(f, b, rewrites_));
      break;
    case FieldKind::List:
      write(count_ < f.width ? hh + " " : hh + "\r\n");
      break;
    case FieldKind::Date:
      if (count_ == 1) year_ = b;
      if (count_ == 2) month_ = b;
      if (count_ == 3) line(DateText(year_, month_, b));
      break;
    case FieldKind::GameName:
      buffer_ += static_cast<char>(b);
      write(hh + " ");
      if (count_ == f.width) line("= \"" + PrintableOnly(buffer_) + "\"");
      break;
  }
  if (count_ < f.width) return;
  const std::size_t fields = inHeader_ ? kHeaderFields.size() : kVolumeFields.size();
  if (fieldIndex_ + 1 < fields) return startField(fieldIndex_ + 1);
  line(Rule(inHeader_ ? '=' : '-'));
  go(inHeader_ ? State::VolumeId : State::AmountId);
  inHeader_ = false;
}

void DiskSplitter::volumeId(std::uint8_t b) {
  if (b != kVolumeBlock) Fail(FoundBlock("Volume Label", b));
  if (sideCounter_ == 2) {
    sideCounter_ = 1;
    ++disk_;
  } else {
    ++sideCounter_;
  }
  line(SideTitle(disk_, static_cast<char>(64 + sideCounter_)));
  line(std::string(kSideRule));
  line(VolumeIdRow(b));
  sideStart_ = offset_;
  sideRowEnd_ = out_.size();
  buffer_.clear();
  go(State::DiskMagic);
}

void DiskSplitter::diskMagic(std::uint8_t b) {
  buffer_ += static_cast<char>(b);
  if (count_ < static_cast<int>(kDiskMagic.size())) return;
  if (buffer_ != kDiskMagic) Fail("No FC DISK  Found; Found \"" + buffer_ + "\" instead.");
  line(FcDiskRow(buffer_));
  startField(0);
}

void DiskSplitter::countByte(std::uint8_t b) {
  fileCount_ = b;
  line(std::string(kFileCountLabel) + "\t" + HexByte(b));
  countRowEnd_ = out_.size();
  line(Rule('-'));
  expected_ = 0;
  enterHeaderOrSpace();
}

bool DiskSplitter::lastOfSide() const {
  return offset_ >= headerSize_ && (offset_ - headerSize_) % kSideSize == kSideSize - 1;
}

// After block 2 and after each file. A side whose last block fills it to the
// end has an empty space of no bytes.
void DiskSplitter::enterHeaderOrSpace() {
  go(State::HeaderOrSpace);
  if (!lastOfSide()) return;
  write(std::string(kEmptySpaceLabel) + "\t");
  endSide(0);
}

void DiskSplitter::headerOrSpace(std::uint8_t b) {
  if (expected_ < fileCount_ && b == kFileHeaderBlock) {
    if (expected_ == 0) line(std::string(kFileHeading));
    write(std::string(kFileRowLabel) + "\t");
    return go(State::HdrNumber);
  }
  // No header where the count wants one: many disks declare more files than
  // they hold, so the rest of the side is empty space.
  state_ = State::EmptySpace;
  emptySpace(b);
}

void DiskSplitter::emptySpace(std::uint8_t b) {
  if (count_ == 1) {
    write(std::string(kEmptySpaceLabel) + "\t" + HexByte(b));
  } else if (count_ <= kListedSpaceBytes) {
    out_ += ' ';
    out_ += HexByte(b);
  }
  if (lastOfSide()) endSide(count_);
}

void DiskSplitter::endSide(int size) {
  if (expected_ < fileCount_) {
    out_.insert(countRowEnd_, std::string(kFilesFoundLabel) + "\t" + HexByte(expected_) + "\r\n");
  }
  line(EmptySpaceEnd(size, offset_ - size + 1, offset_));
  line(Rule('='));
  go(State::VolumeId);
}

}  // namespace morvane::fds
