#include "insert/TextInserter.h"

#include <algorithm>

#include "insert/FindPhrase.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

TextInserter::TextInserter(JobHost& host, std::string& step, const ScriptHeader& header,
                           const CharTable& table, const EncodingList& list, TextLines& script,
                           std::string& image, std::size_t& written)
    : host_(host),
      step_(step),
      header_(header),
      script_(script),
      image_(image),
      encoder_(header, table, list),
      written_(written) {
  written_ = 0;
}

void TextInserter::check() const {
  const auto size = static_cast<std::int64_t>(image_.size());
  std::int64_t end = 0;  // of the blocks before
  for (int b = 0; b < header_.blockCount; ++b) {
    const ScriptBlock& block = header_.blocks[static_cast<std::size_t>(b)];
    if (block.fileStart() < end) overlapping(b, end);
    end = block.fileEnd();
    if (block.fileStart() < 0 || block.fileEnd() > size) {
      refuse("Line " + std::to_string(b + 6) + " - Text: Block " + std::to_string(b) +
             " covers file offsets " + Hex(block.fileStart()) + "h to " + Hex(block.fileEnd() - 1) +
             "h, past the end of the ROM (" + Hex(size) +
             "h bytes).\r\nThe ROM is left unwritten.");
    }
  }
  if (header_.pointerMode != PointerMode::Table) return;
  checkPointerTable(header_.ptrLowFileOffset, "LSB");
  checkPointerTable(header_.ptrHighFileOffset, "MSB");
}

void TextInserter::run() {
  step_ = "Init";
  current_ = header_.firstPhrase;
  for (int i = 30; i <= 41; ++i) host_.setLabel(i, "-----");
  const int lastLabel = 32 + 3 * std::min(header_.blockCount - 1, 3);
  for (int i = 30; i <= lastLabel; ++i) host_.setLabel(i, "?????");
  for (int b = 0; b < header_.blockCount; ++b) fillBlock(b);
  if (!needPhrase_) {
    refuseOrKeep("PhraseNumber = " + PhraseHex(current_) + "h needs " +
                 std::to_string(encoder_.length()) + " bytes, but only " +
                 std::to_string(waitingRoom_) + " bytes are left in Block " +
                 std::to_string(waitingBlock_) +
                 ".\r\nIt fits in no remaining block, so it and the phrases after it can't be "
                 "inserted.");
  }
  status("Done with all Text; copying rest of ROM after Block " +
         std::to_string(header_.blockCount - 1));
  written_ = image_.size();
  if (header_.pointerMode != PointerMode::Table) return;
  step_ = "Open Files - Second Pass: LSB";
  writePointers(low_, header_.ptrLowFileOffset, "LSB");
  step_ = "Open Files - Third Pass: MSB";
  writePointers(high_, header_.ptrHighFileOffset, "MSB");
}

void TextInserter::status(const std::string& text) {
  host_.setStatus(text);
  host_.yield();
}

void TextInserter::fillBlock(int b) {
  const ScriptBlock& block = header_.blocks[static_cast<std::size_t>(b)];
  const std::string number = std::to_string(b);
  status("Copying bytes until at Block " + number);
  step_ = "Skip ROM section until laStart = " + Hex(block.firstAddress);
  if (block.fileStart() < static_cast<std::int64_t>(written_)) {
    overlapping(b, static_cast<std::int64_t>(written_));
  }
  written_ = static_cast<std::size_t>(
      std::min<std::int64_t>(block.fileStart(), static_cast<std::int64_t>(image_.size())));
  bytesUsed_ = 0;
  status("Inserting new bytes into Block " + number);
  while (current_ <= block.lastPhrase && placePhrase(b)) {
  }
  status("Clearing or Filling Rest of Block " + number);
  const auto end = static_cast<std::size_t>(
      std::clamp<std::int64_t>(block.fileEnd(), 0, static_cast<std::int64_t>(image_.size())));
  if (written_ < end) {
    if (header_.fill) std::fill(image_.begin() + written_, image_.begin() + end, header_.fillByte);
    written_ = end;
  }
}

// Places the current phrase in block b; false when it has to wait for the next block.
bool TextInserter::placePhrase(int b) {
  const ScriptBlock& block = header_.blocks[static_cast<std::size_t>(b)];
  if (needPhrase_) readPhrase();
  if (block.size() < bytesUsed_ + encoder_.length()) {
    needPhrase_ = false;
    waitingBlock_ = b;
    waitingRoom_ = block.size() - bytesUsed_;
    return false;
  }
  needPhrase_ = true;
  const std::int64_t pointer = std::int64_t{block.firstAddress} + bytesUsed_ + block.pointerAdjust;
  if (pointer < 0 || pointer > 0xFFFF) throw JobError(kErrOverflow);
  const std::size_t own = slot(current_);
  low_[own] = static_cast<std::uint8_t>(pointer & 0xFF);
  high_[own] = static_cast<std::uint8_t>(pointer >> 8);
  shareWithMarked(own);
  placed_.push_back({current_, written_, encoder_.length(), refused_});
  writePhrase(b);
  bytesUsed_ += encoder_.length();
  if (b <= 3) {
    host_.setLabel(30 + 3 * b, std::to_string(bytesUsed_));
    host_.setLabel(31 + 3 * b, std::to_string(block.size() - bytesUsed_));
    host_.setLabel(32 + 3 * b, PhraseHex(current_) + "h");
  }
  host_.yield();
  advance();
  return true;
}

void TextInserter::readPhrase() {
  const FoundPhrase found = FindPhrase(script_, current_, step_);
  for (const std::int32_t shared : found.shared) {
    const std::size_t s = slot(shared);
    low_[s] = 0xFF;
    high_[s] = 0xFF;
  }
  sharedCount_ = 1 + static_cast<int>(found.shared.size());
  refused_ = false;
  if (!collecting_) {
    encoder_.encode(script_, found.firstRow, current_);
    return;
  }
  try {
    encoder_.encode(script_, found.firstRow, current_);
  } catch (const JobError& e) {
    if (e.kind() != JobError::Kind::Minor) throw;
    failures_.push_back(e.message());
    refused_ = true;
    TextLines none{std::string()};
    encoder_.encode(none, std::string(), current_);
  }
}

// The phrases marked as sharing the current one's text get its pointer.
void TextInserter::shareWithMarked(std::size_t own) {
  for (std::size_t s = own + 1; sharedCount_ > 1; ++s) {
    if (s >= kPhraseSlots) throw JobError(kErrSubscript);  // a listed number was never marked
    if (low_[s] == 0xFF && high_[s] == 0xFF) {
      low_[s] = low_[own];
      high_[s] = high_[own];
      --sharedCount_;
    }
  }
}

void TextInserter::writePhrase(int b) {
  const int length = encoder_.length();
  if (length == 0) return;
  if (written_ + static_cast<std::size_t>(length) > image_.size()) {
    refuse("PhraseNumber = " + PhraseHex(current_) + "h would be written at file offset " +
           Hex(written_) + "h in Block " + std::to_string(b) + ", past the end of the ROM (" +
           Hex(image_.size()) + "h bytes).");
  }
  const std::uint8_t* bytes = encoder_.bytes();
  std::copy(bytes, bytes + length, image_.begin() + written_);
  if (header_.pointerMode == PointerMode::Length) {
    if (length > 0xFF) throw JobError(kErrOverflow);
    image_[written_] = static_cast<char>(length);
  }
  written_ += static_cast<std::size_t>(length);
}

// On to the next phrase, past those that already have their pointer as shared ones.
void TextInserter::advance() {
  ++current_;
  for (auto s = static_cast<std::size_t>(current_ - header_.firstPhrase);
       s < kPhraseSlots && (low_[s] != 0 || high_[s] != 0); ++s) {
    ++current_;
  }
}

void TextInserter::writePointers(const Pointers& values, std::int32_t offset, const char* which) {
  const std::string name(which);
  status("Copying bytes before writing " + name + " Ptrs");
  step_ = "Skip ROM section until lPtr" + name + " = " + Hex(offset);
  checkPointerTable(offset, name);
  const std::int64_t count = std::int64_t{header_.lastPhrase} - header_.firstPhrase + 1;
  const std::int64_t stride = pointerStride();
  status("Writing " + name + " Ptrs");
  for (std::int64_t i = 0; i < count; ++i) {
    image_[static_cast<std::size_t>(offset + i * stride)] =
        static_cast<char>(values[static_cast<std::size_t>(i)]);
  }
  status("Copying bytes after writing " + name + " Ptrs");
}

std::int64_t TextInserter::pointerStride() const {
  return 1 + std::max(Check16(std::int64_t{header_.ptrStep} - 1), 0);
}

std::pair<std::int64_t, std::int64_t> TextInserter::pointerTable(std::int32_t offset) const {
  const std::int64_t count = std::int64_t{header_.lastPhrase} - header_.firstPhrase + 1;
  if (count > kPhraseSlots) {
    throw JobError(kErrSubscript, {},
                   "The script's phrases " + PhraseHex(header_.firstPhrase) + "h to " +
                       PhraseHex(header_.lastPhrase) + "h are more than the " +
                       std::to_string(kPhraseSlots) + " its pointer tables can hold.");
  }
  return {offset, offset + (count - 1) * pointerStride()};
}

void TextInserter::checkPointerTable(std::int32_t offset, const std::string& which) const {
  const auto [first, last] = pointerTable(offset);
  if (first < 0 || last >= static_cast<std::int64_t>(image_.size())) {
    refuse("The " + which + " pointer table at file offsets " + Hex(first) + "h to " + Hex(last) +
           "h does not lie inside the ROM (" + Hex(image_.size()) + "h bytes).");
  }
}

std::size_t TextInserter::slot(std::int64_t phrase) const {
  const std::int64_t s = phrase - header_.firstPhrase;
  if (s < 0 || s >= kPhraseSlots) throw JobError(kErrSubscript);
  return static_cast<std::size_t>(s);
}

void TextInserter::overlapping(int b, std::int64_t written) const {
  const ScriptBlock& block = header_.blocks[static_cast<std::size_t>(b)];
  refuse("Line " + std::to_string(b + 6) + " - Text: Block " + std::to_string(b) +
         " starts at file offset " + Hex(block.fileStart()) +
         "h, inside text or a block already written (up to " + Hex(written) +
         "h).\r\nBlocks must be listed in ascending file order without overlapping.");
}

void TextInserter::refuseOrKeep(const std::string& message) {
  if (!collecting_) refuse(message);
  failures_.push_back(message);
}

void TextInserter::refuse(const std::string& message) const {
  throw JobError::Minor("Error during Insert", message);
}

}  // namespace morvane
