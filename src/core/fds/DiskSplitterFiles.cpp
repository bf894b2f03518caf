// The file blocks of a side: each file header becomes a listing row, each
// file's data an extracted file beside the image.
#include "fds/DiskListing.h"
#include "fds/DiskSplitter.h"
#include "shell/JobError.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"

namespace morvane::fds {

void DiskSplitter::fileHeader(std::uint8_t b) {
  const std::string hh = HexByte(b);
  switch (state_) {
    case State::HdrNumber:
      if (b != expected_) {
        Fail("Didn't Find File " + HexByte(expected_) + "; Found File " + hh + " instead.");
      }
      number_ = b;
      write(hh + "\t");
      return go(State::HdrId);
    case State::HdrId:
      id_ = b;
      write(hh + "\t\"");
      buffer_.clear();
      return go(State::HdrName);
    case State::HdrName:
      buffer_ += static_cast<char>(b);
      if (count_ < static_cast<int>(col::kNameLength)) return;
      shownName_ = PrintableOnly(buffer_);
      write(shownName_ + "\"\t");
      return go(State::HdrAddress);
    case State::HdrAddress:
    case State::HdrLength: {
      int& value = state_ == State::HdrAddress ? address_ : length_;
      if (count_ == 1) {
        value = b;
        return;
      }
      value |= b << 8;
      write(HexWord(value) + "\t");
      return go(state_ == State::HdrAddress ? State::HdrLength : State::HdrType);
    }
    case State::HdrType: {
      write(hh + " ");
      const std::string_view text = TypeText(b);
      if (text.empty()) Fail("File Type Wrong; Type Found = " + hh);
      type4_ = std::string(text.substr(0, 4));
      write(TypeColumns(b, address_, length_, offset_));
      return go(State::DataId);
    }
    default:
      return;
  }
}

void DiskSplitter::dataId(std::uint8_t b) {
  if (b != kFileDataBlock) {
    Fail("No File Data Found; Found Block " + HexByte(b) + " instead.");
  }
  line(std::string(kFileDataTail));
  ++expected_;
  const std::string path =
      folder_ + ExtractedFileName(type4_, address_, length_, shownName_, disk_,
                                  static_cast<char>(64 + sideCounter_), id_, number_);
  const std::string problem = OutputProblem(path, {imagePath_});
  if (!problem.empty()) Fail(problem);
  file_ = std::make_unique<OutFile>(path);
  extracted_.push_back(path);
  if (length_ > 0) return go(State::DataBytes);
  // A file of no bytes: the next byte already belongs to the next block.
  closeFiles();
  enterHeaderOrSpace();
}

void DiskSplitter::dataBytes(std::uint8_t b) {
  const char c = static_cast<char>(b);
  if (!filling_) file_->write(std::string_view(&c, 1));
  if (count_ < length_) return;
  closeFiles();
  enterHeaderOrSpace();
}

}  // namespace morvane::fds
