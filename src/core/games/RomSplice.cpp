#include "games/RomSplice.h"

#include "shell/JobError.h"

namespace morvane {

void RomSplice::copyUntil(std::int64_t count) {
  const auto size = static_cast<std::int64_t>(rom_.size());
  const std::int64_t end = count < size ? count : size;
  if (end > pos_) out_.write(std::string_view(rom_).substr(pos_, end - pos_));
  if (end > pos_) pos_ = end;
}

void RomSplice::replace(std::uint8_t value) {
  if (pos_ >= static_cast<std::int64_t>(rom_.size())) {
    throw JobError(kErrPastEnd, {},
                   "The ROM holds " + std::to_string(rom_.size()) +
                       " bytes: it ends before the place the new bytes go.");
  }
  ++pos_;
  const char c = static_cast<char>(value);
  out_.write(std::string_view(&c, 1));
}

}  // namespace morvane
