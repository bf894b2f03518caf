// The body of script insertion: the phrases placed block by block into a copy
// of the ROM, then the two pointer tables rewritten. The copy is built in
// memory; written tells how much of it the sequential passes have produced,
// which is what an output file keeps when the job stops early.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "insert/PhraseEncoder.h"
#include "script/ScriptHeader.h"
#include "shell/InFile.h"
#include "shell/JobHost.h"
#include "tables/CharTable.h"

namespace morvane {

class TextInserter {
 public:
  // image holds the ROM's bytes and becomes the modified ROM; written counts
  // its bytes produced so far; step is the job's current step, kept up to
  // date for its error report.
  TextInserter(JobHost& host, std::string& step, const ScriptHeader& header, const CharTable& table,
               const EncodingList& list, TextLines& script, std::string& image,
               std::size_t& written);

  // Refuses a header whose blocks or pointer tables run past the ROM's end,
  // before anything is written: such a ROM could not be made whole.
  void check() const;
  void run();

 private:
  using Pointers = std::array<std::uint8_t, kPhraseSlots>;

  void status(const std::string& text);
  void fillBlock(int b);
  bool placePhrase(int b);
  void readPhrase();
  void writePhrase(int b);
  void shareWithMarked(std::size_t own);
  void advance();
  void writePointers(const Pointers& values, std::int32_t offset, const char* which);
  std::int64_t pointerStride() const;
  // The file offsets of a pointer table's first and last entries.
  std::pair<std::int64_t, std::int64_t> pointerTable(std::int32_t offset) const;
  void checkPointerTable(std::int32_t offset, const std::string& which) const;
  std::size_t slot(std::int64_t phrase) const;
  // Refuses block b, which starts before written, where the blocks before it end.
  [[noreturn]] void overlapping(int b, std::int64_t written) const;
  [[noreturn]] void refuse(const std::string& message) const;

  JobHost& host_;
  std::string& step_;
  const ScriptHeader& header_;
  TextLines& script_;
  std::string& image_;
  PhraseEncoder encoder_;
  Pointers low_{};
  Pointers high_{};
  std::size_t& written_;
  std::int32_t current_ = 0;
  int sharedCount_ = 1;
  bool needPhrase_ = true;
  std::int64_t bytesUsed_ = 0;
  int waitingBlock_ = 0;          // the last block a waiting phrase did not fit in
  std::int64_t waitingRoom_ = 0;  // and the room that was left in it
};

}  // namespace morvane
