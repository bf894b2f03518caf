// Encodes the translated rows of one phrase through the character table, with
// the row count and row width checks of the script header.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "script/ScriptHeader.h"
#include "shell/InFile.h"
#include "tables/CharTable.h"
#include "tables/StandardTable.h"

namespace morvane {

inline constexpr int kMaxPhraseBytes = 2048;

class PhraseEncoder {
 public:
  PhraseEncoder(const ScriptHeader& header, const CharTable& table, const EncodingList& list)
      : header_(header), table_(table), list_(list) {}

  // Encodes firstRow and the rows after it, up to an empty row or the end of
  // the script. Rows the user must fix throw JobError::Minor; a control byte
  // the table does not define is a run-time error. In Length mode byte 0 is
  // kept for the length byte, which the caller fills in.
  void encode(TextLines& file, const std::string& firstRow, std::int64_t phrase);

  // Rows are encoded through standard instead (the standard table form).
  void useStandardTable(const StandardTable* standard) { standard_ = standard; }

  const std::uint8_t* bytes() const { return buffer_.data(); }
  int length() const { return length_; }

 private:
  void encodeRow(const std::string& row);
  void encodeStandard(TextLines& file, const std::string& firstRow);
  void append(int byte);
  void appendControl(int byte);
  [[noreturn]] void refuse(const std::string& message) const;
  [[noreturn]] void refuseTooLong() const;
  [[noreturn]] void refuseRow(const std::string& row, const std::string& why) const;

  const ScriptHeader& header_;
  const CharTable& table_;
  const EncodingList& list_;
  const StandardTable* standard_ = nullptr;
  std::array<std::uint8_t, kMaxPhraseBytes + 1> buffer_{};
  int length_ = 0;
  std::string hex_;
};

}  // namespace morvane
