#include "script/ScriptHeader.h"

#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr std::string_view kInsertTitle = "Error during Insert";

std::int32_t Check32(std::int64_t value) {
  if (value < INT32_MIN || value > INT32_MAX) throw JobError(kErrOverflow);
  return static_cast<std::int32_t>(value);
}

[[noreturn]] void Refuse(std::string_view title, std::string message) {
  throw JobError::Minor(std::string(title), std::move(message));
}

void ReadCharsLine(const HeaderFields& f, ScriptHeader& h) {
  const std::int32_t columns = HexToLong(f[1]);
  if (f[1].empty() || columns < 1 || columns > 0x7FFF) {
    Refuse(kInsertTitle,
           "Line 3 - Chars: Max columns " + Hex(columns) + " must be between 1 and 7FFF.");
  }
  const std::int32_t rows = HexToLong(f[2]);
  if (f[2].empty() || rows < 1 || rows > 0x7FFF) {
    Refuse(kInsertTitle, "Line 3 - Chars: Max rows " + Hex(rows) + " must be between 1 and 7FFF.");
  }
  if (!f[3].empty() && f[3] != "V") {
    Refuse(kInsertTitle,
           "Line 3 - Chars: The third tab should be V for a VWF or blank for a mono-spaced font.");
  }
  h.vwf = f[3] == "V";
  // With a variable-width font the limit counts pixels: the field gives 8-pixel tiles.
  h.maxWidth = static_cast<std::int16_t>(Check16(h.vwf ? std::int64_t{columns} * 8 : columns));
  h.maxRows = static_cast<std::int16_t>(rows);
}

void ReadPtrsLine(const HeaderFields& f, ScriptHeader& h) {
  if (f[1] == "LENGTH") {
    h.pointerMode = PointerMode::Length;
    return;
  }
  if (f[1] == "NONE") {
    h.pointerMode = PointerMode::None;
    return;
  }
  h.pointerMode = PointerMode::Table;
  if (f[1].empty() || f[2].empty() || f[3].empty() || f[4].empty()) {
    Refuse(kInsertTitle, "Line 4 - Ptrs: Must have four numbers or NONE on this line.");
  }
  const std::int32_t low = HexToLong(f[1]);
  const std::int32_t high = HexToLong(f[2]);
  if (low < 0 || high < 0) {
    Refuse(kInsertTitle, "Line 4 - Ptrs: " + f[1] + " & " + f[2] + " must positive.");
  }
  const std::int32_t offset = HexToLong(f[3]);
  h.ptrLowFileOffset = Check32(std::int64_t{low} + offset);
  h.ptrHighFileOffset = Check32(std::int64_t{high} + offset);
  h.ptrStep = HexToLong(f[4]);
}

void ReadBlockLine(const HeaderFields& f, int k, ScriptHeader& h) {
  const std::string line = "Line " + std::to_string(k + 6) + " - Text: ";
  const std::int32_t first = HexToLong(f[1]);
  const std::int32_t last = HexToLong(f[2]);
  if (f[1].empty() || f[2].empty() || first < 0 || last < 0 || last < first) {
    // A missing field is named, so that the message never shows a blank.
    const auto shown = [](const std::string& field) { return field.empty() ? "(empty)" : field; };
    Refuse(kInsertTitle,
           line + shown(f[2]) + " must be > " + shown(f[1]) + " and both must be positive.");
  }
  ScriptBlock& block = h.blocks[static_cast<std::size_t>(k)];
  block.firstAddress = first;
  block.endPlusOne = last + 1;
  block.offset = f[3].empty() ? 0 : HexToLong(f[3]);
  block.lastPhrase = h.lastPhrase;
  if (!f[4].empty()) {
    const std::int32_t lastPhrase = HexToLong(f[4]);
    if (lastPhrase > h.lastPhrase || lastPhrase < -32768) {
      Refuse(kInsertTitle,
             line + f[4] + " must be <= " + HexSigned(h.lastPhrase) + " and >= -32768.");
    }
    block.lastPhrase = static_cast<std::int16_t>(lastPhrase);
  }
  block.pointerAdjust = f[5].empty() ? 0 : HexToLong(f[5]);
}

}  // namespace

std::string PhraseHex(std::int64_t phrase) {
  return Hex(phrase & 0xFFFF);
}

HeaderFields SplitHeaderLine(std::string_view line) {
  HeaderFields fields;
  std::int32_t index = 0;
  for (auto& field : fields) field = ExtractString(line, index);
  return fields;
}

std::string NextScriptLine(TextLines& file) {
  std::string line;
  if (!file.next(line)) {
    throw JobError(kErrPastEnd, {}, file.endedText() + ", inside the script's header.");
  }
  return line;
}

void ReadPhrasesLine(const HeaderFields& f, std::string_view title, ScriptHeader& h) {
  const std::int32_t first = HexToLong(f[1]);
  if (f[1].empty() || first < -0x7FFF || first > 0x7FFF) {
    Refuse(title,
           "Line 2 - Phrases: First Phrase # " + Hex(first) + " must be between -7FFF and 7FFF.");
  }
  const std::int32_t last = HexToLong(f[2]);
  if (f[2].empty() || last < -0x7FFF || last > 0x7FFF) {
    Refuse(title,
           "Line 2 - Phrases: Last Phrase # " + Hex(last) + " must be between -7FFF and 7FFF.");
  }
  if (first > last) {
    Refuse(title, "Line 2 - Phrases: First Phrase # " + PhraseHex(first) +
                      " is greater than Last Phrase # " + PhraseHex(last) + ".");
  }
  h.firstPhrase = static_cast<std::int16_t>(first);
  h.lastPhrase = static_cast<std::int16_t>(last);
}

std::int32_t ReadBlockCount(const HeaderFields& f, std::string_view title) {
  const std::int32_t count = HexToLong(f[1]);
  if (f[1].empty() || count < 1) Refuse(title, "Line 5 - Blocks: " + f[1] + " must be 1 or more.");
  return count;
}

ScriptHeader ReadScriptHeader(TextLines& file) {
  ScriptHeader h;
  NextScriptLine(file);  // the title line
  ReadPhrasesLine(SplitHeaderLine(NextScriptLine(file)), kInsertTitle, h);
  ReadCharsLine(SplitHeaderLine(NextScriptLine(file)), h);
  ReadPtrsLine(SplitHeaderLine(NextScriptLine(file)), h);
  const HeaderFields blocks = SplitHeaderLine(NextScriptLine(file));
  const std::int32_t count = ReadBlockCount(blocks, kInsertTitle);
  if (IsHex(blocks[2])) {
    const std::int32_t fill = HexToLong(blocks[2]);
    if (fill < 0 || fill > 0xFF) throw JobError(kErrOverflow);
    h.fill = true;
    h.fillByte = static_cast<std::uint8_t>(fill);
  }
  for (int k = 0; k < count; ++k) {
    const HeaderFields f = SplitHeaderLine(NextScriptLine(file));
    if (k >= kMaxBlocks) throw JobError(kErrSubscript);
    ReadBlockLine(f, k, h);
  }
  h.blockCount = count;
  return h;
}

}  // namespace morvane
