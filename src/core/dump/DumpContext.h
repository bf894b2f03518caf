// The state of one dump, shared by the driver and the step of its mode.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/FileWindow.h"
#include "shell/JobHost.h"
#include "shell/OutFile.h"
#include "shell/Settings.h"
#include "tables/CharTable.h"

namespace morvane {

// The title of the dump's warnings and refusals.
inline constexpr char kDumpErrorTitle[] = "Error During Dump";

struct OpcodeSet;
struct LabelStore;

class RomCursor;

// Makes the Table List an 8-bit Code dump uses instead of one the user
// chooses: from the ROM file, the dump's settings and the Op_Codes
// definitions, the list's text. The dump writes it as Tables.txt and reads
// it back as if the user had chosen that file. A maker that writes files of
// its own beside the ROM (romPath) lists them in wrote; lines it adds to
// header go to the listing's header. labels holds what label files name in
// the dumped block, by file offset.
using TableListMaker = std::function<std::string(
    const std::string& romPath, RomCursor& rom, const Settings&, const OpcodeSet&,
    const LabelStore& labels, std::vector<std::string>& wrote, std::vector<std::string>& header)>;

// Chooses the dump's window from the ROM file before the dump reads it: sets
// the settings' base and range and returns why, for the listing's header (""
// leaves the settings as they are).
using WindowChooser = std::function<std::string(RomCursor& rom, Settings&)>;

// The ROM as the dump reads it: the file, read a window at a time around the
// bytes asked for (a dump needs at most 64 KiB of it, whatever its size), and
// the offset of the next byte. Mode steps may read further bytes (operands,
// arguments).
class RomCursor {
 public:
  // Throws JobError: file not found, or file access error.
  explicit RomCursor(const std::string& path) : file_(path) {}

  std::int64_t size() const { return file_.size(); }
  std::int64_t offset() const { return offset_; }
  void seek(std::int64_t offset) { offset_ = offset; }
  bool atEnd() const { return offset_ >= size(); }
  std::int64_t remaining() const { return offset_ >= size() ? 0 : size() - offset_; }
  // The next byte; throws JobError (input past end of file) at the end.
  std::uint8_t read() {
    const int byte = file_.at(offset_);
    if (byte < 0) pastEnd();
    ++offset_;
    return static_cast<std::uint8_t>(byte);
  }
  // The byte at a file offset, without moving; -1 outside the file.
  int peekAt(std::int64_t offset) { return file_.at(offset); }
  // The bytes from a file offset on, count at most (fewer past the end).
  std::string bytesAt(std::int64_t offset, std::size_t count) { return file_.read(offset, count); }

 private:
  [[noreturn]] void pastEnd() const;

  FileWindow file_;
  std::int64_t offset_ = 0;
};

struct DumpContext {
  DumpContext(const Settings& s, JobHost& h) : settings(s), host(h) {}

  const Settings& settings;
  JobHost& host;

  int mode = kTableOnly;
  bool textFlag = false;
  bool asText = false;
  bool withTables = false;
  bool raw = false;
  int firstPhrase = 0;
  int phraseLength = 0;
  std::string romPath;
  std::string outPath;
  std::string tablesOutPath;
  std::string tablePath;                 // the character table, when the dump reads one
  TableListMaker tableListMaker;         // set for a dump whose Table List is made
  std::vector<std::string> madeFiles;    // what the maker and the step wrote besides
  std::string window;                    // why the window was chosen, when it was
  std::vector<std::string> headerLines;  // what the Table List's maker adds to the header
  std::int32_t origin = 0;
  std::int64_t startOffset = 0;
  std::int64_t endOffset = 0;

  std::unique_ptr<RomCursor> rom;
  std::unique_ptr<OutFile> out;
  CharTable charTable;

  int pass = 1;
  std::int32_t address = 0;
  std::string line;
  std::uint8_t byte = 0;
  bool firstByte = true;
};

}  // namespace morvane
