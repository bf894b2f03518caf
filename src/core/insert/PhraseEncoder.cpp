#include "insert/PhraseEncoder.h"

#include "insert/FindPhrase.h"
#include "insert/StandardPhrase.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {
constexpr std::string_view kEndPhrase2Row = "\\/";
constexpr std::string_view kNewPageRow = "\\_/";
constexpr char kQuote = '"';
}  // namespace

void PhraseEncoder::encode(TextLines& file, const std::string& firstRow, std::int64_t phrase) {
  hex_ = PhraseHex(phrase);
  length_ = 0;
  if (standard_ != nullptr) {
    encodeStandard(file, firstRow);
    return;
  }
  bool endAfterBreak = false;
  if (!firstRow.empty()) {
    if (header_.pointerMode == PointerMode::Length) length_ = 1;
    int k = 1;
    std::string row = firstRow;
    do {
      if (endAfterBreak) {
        refuseRow(row,
                  "is not allowed.\r\nCan't have text after an \\/ unless the \\/ is on the "
                  "first row.");
      }
      if (row == kEndPhrase2Row) {
        if (k > 1) endAfterBreak = true;
        appendControl(table_.endPhrase2Byte);
      } else if (row == kNewPageRow) {
        k = 1;
        appendControl(table_.newPageByte);
      } else {
        if (k > header_.maxRows) {
          refuseRow(row, "is not allowed.\r\nRow: " + std::to_string(k) +
                             " > Max Row: " + std::to_string(header_.maxRows) + ".");
        }
        if (k > 1) appendControl(table_.newLineByte);
        encodeRow(row);
        ++k;
      }
    } while (NextTranslatedRow(file, row));
  }
  if (!endAfterBreak && table_.endPhraseByte >= 0) append(table_.endPhraseByte);
  // Every phrase of a length-prefixed script keeps its length byte, an empty
  // one too: a missing byte would shift every phrase after it.
  if (header_.pointerMode == PointerMode::Length && length_ == 0) length_ = 1;
}

void PhraseEncoder::encodeStandard(TextLines& file, const std::string& firstRow) {
  std::vector<std::string> rows;
  for (std::string row = firstRow; !row.empty() && rows.size() <= kMaxPhraseBytes;) {
    rows.push_back(row);
    if (!NextTranslatedRow(file, row)) break;
  }
  if (header_.pointerMode == PointerMode::Length) length_ = 1;
  for (const char byte : EncodeStandardPhrase(rows, header_, *standard_, hex_)) {
    append(static_cast<unsigned char>(byte));
    if (length_ > kMaxPhraseBytes) refuseTooLong();
  }
}

void PhraseEncoder::encodeRow(const std::string& row) {
  int width = 0;
  std::size_t pos = 0;
  while (pos < row.size()) {
    if (pos + 4 <= row.size() && row[pos] == '{' && row[pos + 3] == '}' &&
        IsHex(std::string_view(row).substr(pos + 1, 2))) {
      append(HexToLong(row.substr(pos + 1, 2)));
      pos += 4;
    } else {
      std::size_t textLength = 0;
      const int byte = list_.match(row, pos, textLength);
      if (byte < 0) {
        refuse("PhraseNumber = " + hex_ + "h\r\nRow = " + kQuote + row + kQuote + "\r\nIncorrect " +
               Ordinal(static_cast<std::int64_t>(pos) + 1) + " character " + kQuote +
               row.substr(pos) + kQuote + " after " + kQuote + row.substr(0, pos) + kQuote +
               " in translated text.");
      }
      append(byte);
      width += header_.vwf ? table_.glyphWidth[static_cast<std::size_t>(byte)] : 1;
      if (width > header_.maxWidth) {
        refuseRow(row, "is too long.\r\nWidth " + std::to_string(width) + " > " +
                           std::to_string(header_.maxWidth) + ".\r\nThese characters don't fit |" +
                           row.substr(pos) + "|.");
      }
      pos += textLength;
    }
    if (length_ >= kMaxPhraseBytes) refuseTooLong();
  }
}

void PhraseEncoder::append(int byte) {
  // Control rows add bytes without the per-character check; a phrase that
  // outgrows the buffer through them is just as much too long.
  if (length_ > kMaxPhraseBytes) refuseTooLong();
  buffer_[static_cast<std::size_t>(length_++)] = static_cast<std::uint8_t>(byte);
}

void PhraseEncoder::appendControl(int byte) {
  if (byte < 0) throw JobError(kErrOverflow);  // the table does not define it
  append(byte);
}

void PhraseEncoder::refuse(const std::string& message) const {
  throw JobError::Minor("Error during Insert", message);
}

void PhraseEncoder::refuseTooLong() const {
  refuse("PhraseNumber = " + hex_ +
         "h translated text is too long.\r\nMaximum number of characters is limited at " +
         std::to_string(kMaxPhraseBytes));
}

void PhraseEncoder::refuseRow(const std::string& row, const std::string& why) const {
  refuse("PhraseNumber = " + hex_ + "h line '" + row + "' " + why);
}

}  // namespace morvane
