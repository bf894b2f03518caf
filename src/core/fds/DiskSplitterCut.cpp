// A side that the image ends inside: its listing is completed as if the
// missing bytes were there, and its real length goes into a SIDE LENGTH row,
// so that merge rebuilds exactly the bytes the image had.
#include "fds/DiskListing.h"
#include "fds/DiskSplitter.h"
#include "shell/Values.h"

namespace morvane::fds {

std::string DiskSplitter::side() const {
  return "Disk " + std::to_string(disk_) + " Side " + static_cast<char>(64 + sideCounter_);
}

// The byte each state takes without failing: the IDs and magic text the
// layout wants there, the next file number, and 00 for everything else (00
// where a file header could start makes the rest of the side empty space).
std::uint8_t DiskSplitter::filler() const {
  switch (state_) {
    case State::DiskMagic:
      return static_cast<std::uint8_t>(kDiskMagic[static_cast<std::size_t>(count_)]);
    case State::AmountId:
      return kAmountBlock;
    case State::HdrNumber:
      return static_cast<std::uint8_t>(expected_);
    case State::DataId:
      return kFileDataBlock;
    default:
      return 0;
  }
}

void DiskSplitter::finishCutSide() {
  const std::int64_t present = offset_ - sideStart_;
  filling_ = true;
  // A file can run on past the side's end; two sides' worth of bytes
  // always bring the state machine back to a side's start.
  for (int n = 0; state_ != State::VolumeId && n < 2 * kSideSize + 0x10000; ++n) {
    step(filler());
    ++offset_;
  }
  closeFiles();
  filling_ = false;
  missing_ = kSideSize - present;
  out_.insert(sideRowEnd_, std::string(kSideLengthLabel) + "\t" + HexWord(present) + "\t(" +
                               std::to_string(missing_) + " bytes missing)\r\n");
}

}  // namespace morvane::fds
