#include "games/PortopiaInserter.h"

#include "shell/JobError.h"
#include "shell/Values.h"
#include "tables/TableFormat.h"

namespace morvane {

namespace {
// The game's three text areas (file offsets, header included) and their strings.
struct TextArea {
  std::int64_t first;
  std::int64_t last;
  int lastString;
};
constexpr TextArea kAreas[] = {
    {0x0D97, 0x3DC5, 0xA4}, {0x4D97, 0x7DC5, 0x149}, {0x8D97, 0xBDC5, 0x1EF}};
constexpr int kMaxWidth = 28;
constexpr int kWideString = 0xED;  // the one string allowed wider rows
// Errors the job finds in the script itself; the message is the step text.
constexpr int kErrScript = 1000;

bool EndsWithArrow(const std::string& row) {
  return row == "\\/" || row == kShiftJisDownArrow;
}

}  // namespace

void PortopiaInserter::run(const std::string& romPath, const std::string& scriptPath,
                           const std::string& tablePath, const std::string& outPath) {
  step_ = "Read Table File";
  table_ = ReadJobCharTable(tablePath, tableSettings, host_);
  step_ = "Sort Strings";
  encoding_.emplace(table_);
  step_ = "Open Files";
  script_.emplace(TextLines::FromFile(scriptPath));
  std::string rom = ReadBinaryFile(romPath);
  rom_.emplace(std::move(rom), outPath);
  for (int i = 30; i <= 38; ++i) host_.setLabel(i, "?????");
  for (int b = 0; b < 3; ++b) insertArea(b);
  rom_->copyRest();
  rom_->close();
}

void PortopiaInserter::close() {
  try {
    if (rom_) rom_->closeIncomplete();
  } catch (const JobError&) {  // the job's report has been shown already
  }
}

void PortopiaInserter::fail(const std::string& message) {
  step_ = message;
  throw JobError(kErrScript);
}

std::string PortopiaInserter::nextLine() {
  std::string line;
  if (!script_->next(line)) {
    throw JobError(kErrPastEnd, {},
                   script_->endedText() + " before string " + Hex(string_) + "h was complete.");
  }
  return line;
}

void PortopiaInserter::put(int value) {
  if (value < 0 || value > 255) throw JobError(kErrOverflow);
  if (written_ >= kAreas[area_].last - kAreas[area_].first + 1) {
    const int first = area_ == 0 ? 0 : kAreas[area_ - 1].lastString + 1;
    fail("Area " + std::to_string(area_) + " is full: StringNumber = " + Hex(string_) +
         "h does not fit in its " + std::to_string(written_) + " bytes. " +
         (string_ > first ? "The last string that fits is " + Hex(string_ - 1) + "h."
                          : std::string("No string of the area fits.")));
  }
  rom_->replace(static_cast<std::uint8_t>(value));
  ++written_;
}

void PortopiaInserter::insertArea(int b) {
  area_ = b;
  const TextArea& area = kAreas[b];
  step_ = "Skip ROM section until lStart = " + Hex(area.first);
  rom_->copyUntil(area.first);
  written_ = 0;
  for (; string_ <= area.lastString; ++string_) {
    insertString();
    host_.setLabel(30 + 3 * b, std::to_string(written_));
    host_.setLabel(31 + 3 * b, std::to_string(area.last - area.first + 1 - written_));
    host_.setLabel(32 + 3 * b, Hex(string_) + "h");
    host_.yield();
  }
  rom_->copyUntil(area.last + 1);
}

void PortopiaInserter::findHeader() {
  step_ = "Ignore all SJS Rows until iStringNumber = " + Hex(string_) + "h";
  for (;;) {
    const std::string line = nextLine();
    if (line.size() >= 3 && HexToLong(line.substr(0, 3)) == string_ &&
        (line.size() == 3 || line[3] == ':')) {
      return;
    }
  }
}

void PortopiaInserter::insertString() {
  findHeader();
  step_ = "Read first row of iStringNumber = " + Hex(string_) + "h";
  bool firstRow = true;
  prefixWidth_ = 0;
  std::string line = nextLine();
  if (EndsWithArrow(line)) {
    put(table_.endPhrase2Byte);
    line = nextLine();
  }
  while (!line.empty() && !EndsWithArrow(line)) {
    const std::size_t tab = line.find('\t');
    if (tab != std::string::npos) {
      if (!firstRow) put(table_.newLineByte);
      const std::size_t text = line.find_first_not_of('\t', tab);
      insertRow(text == std::string::npos ? std::string() : line.substr(text));
    }
    firstRow = false;
    line = nextLine();
  }
  put(line.empty() ? table_.endPhraseByte : table_.endPhrase2Byte);
}

void PortopiaInserter::insertRow(const std::string& text) {
  int rowWidth = 0;
  for (std::size_t pos = 0; pos < text.size();) {
    std::size_t length = 0;
    const int byte = encoding_->match(text, pos, length);
    if (byte < 0) {
      fail("StringNumber = " + Hex(string_) + "h, Incorrect " +
           Ordinal(static_cast<std::int64_t>(pos) + 1) + " character after '" +
           text.substr(0, pos) + "' in English");
    }
    put(byte);
    if (byte < 0x60 || byte == 0xFF) {
      rowWidth = Check16(rowWidth + 1LL);
    } else if (byte <= 0x68) {
      rowWidth = Check16(rowWidth + static_cast<long long>(length));
    } else if (byte <= 0x73) {
      prefixWidth_ = Check16(static_cast<long long>(length));
    }
    pos += length;
  }
  if (prefixWidth_ + rowWidth > kMaxWidth && string_ != kWideString) {
    fail("StringNumber = " + Hex(string_) + "h line '" + text + "' is too long. " +
         std::to_string(prefixWidth_) + " + " + std::to_string(rowWidth) + " > 28.");
  }
}

}  // namespace morvane
