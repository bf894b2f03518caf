// The header of a script file: phrase range, row limits, pointer tables and
// the blocks of the ROM that receive text. The text dump writes it and
// insertion and strip read it: both sides live here.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/InFile.h"

namespace morvane {

inline constexpr int kMaxBlocks = 17;
// Pointer slots: phrase numbers FirstPhrase to FirstPhrase + 2048.
inline constexpr int kPhraseSlots = 2049;

enum class PointerMode { Table, Length, None };

struct ScriptBlock {
  std::int32_t firstAddress = 0;
  std::int32_t endPlusOne = 0;
  std::int32_t offset = 0;
  std::int16_t lastPhrase = 0;
  std::int32_t pointerAdjust = 0;

  std::int64_t size() const { return std::int64_t{endPlusOne} - firstAddress; }
  std::int64_t fileStart() const { return std::int64_t{firstAddress} + offset; }
  std::int64_t fileEnd() const { return std::int64_t{endPlusOne} + offset; }
};

struct ScriptHeader {
  std::int16_t firstPhrase = 0;
  std::int16_t lastPhrase = 0;
  std::int16_t maxWidth = 0;
  std::int16_t maxRows = 0;
  bool vwf = false;
  PointerMode pointerMode = PointerMode::Table;
  std::int32_t ptrLowFileOffset = 0;
  std::int32_t ptrHighFileOffset = 0;
  std::int32_t ptrStep = 0;
  int blockCount = 0;
  bool fill = false;
  std::uint8_t fillByte = 0;
  std::array<ScriptBlock, kMaxBlocks> blocks{};
};

// Fields 0 to 5 of a tab-separated header line.
using HeaderFields = std::array<std::string, 6>;
HeaderFields SplitHeaderLine(std::string_view line);

// The next header line; reading past the end of the script is a run-time error.
std::string NextScriptLine(TextLines& file);

// Line 2 checks shared by insertion and strip; title names the job's warning.
void ReadPhrasesLine(const HeaderFields& f, std::string_view title, ScriptHeader& header);
// Line 5 count check shared by insertion and strip; returns the block count.
std::int32_t ReadBlockCount(const HeaderFields& f, std::string_view title);

// Lines 1 to 5 + N of the open script. A header the user must fix throws
// JobError::Minor titled "Error during Insert"; values that break their
// widths throw run-time errors.
ScriptHeader ReadScriptHeader(TextLines& file);

// What a text dump knows of the script it wrote, for the header it closes with.
struct DumpedScript {
  std::string title;  // the ROM file's name without its extension
  std::int64_t firstPhrase = 0;
  std::int64_t lastPhrase = 0;
  std::int64_t maxChars = 0;
  std::int64_t maxLines = 0;
  std::int64_t origin = 0;  // the file offset of address A is A - origin
  std::string startText;
  std::string endText;
};

// The block that closes a text dump: how to use it, the six header lines
// (pointer tables NONE, one block), a rule line and an empty line.
std::string ScriptHeaderText(const DumpedScript& script);

// The header of a script ready to insert as it stands, on top of it: the
// pointer table (none: NONE) and one block line per stretch of text.
struct ReadyScript {
  struct Pointers {
    std::int64_t low = 0;  // CPU addresses of the first low and high bytes
    std::int64_t high = 0;
    std::int64_t step = 2;
  };
  struct Block {
    std::int64_t first = 0;  // CPU addresses of its first and last byte
    std::int64_t last = 0;
    std::int64_t lastPhrase = 0;
    std::int64_t adjust = 0;  // added to each pointer into it
  };
  std::string title;  // the ROM file's name without its extension
  std::int64_t firstPhrase = 0;
  std::int64_t lastPhrase = 0;
  std::int64_t columns = 1;
  std::int64_t rows = 1;
  std::int64_t origin = 0;  // the file offset of address A is A - origin
  std::optional<Pointers> pointers;
  std::vector<Block> blocks;
};

// Lines 1 to 5 + N of a ready script; numbers that may be negative are
// written with a sign, so that the reader takes them back as they were.
std::string ReadyScriptHeaderText(const ReadyScript& script);

// A phrase number as its header line writes it: 16-bit, upper case, no
// leading zeros (-1 is FFFF).
std::string PhraseHex(std::int64_t phrase);

}  // namespace morvane
