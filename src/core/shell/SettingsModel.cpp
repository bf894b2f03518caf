#include "shell/SettingsModel.h"

#include <charconv>
#include <cmath>
#include <map>
#include <system_error>

#include "shell/Values.h"

namespace morvane {

namespace {
struct Preset {
  const char* start;
  const char* end;
  const char* block;  // nullptr: unchanged
};
constexpr Preset kPresets[] = {
    {"6000", "9FFF", "0.0"}, {"8000", "BFFF", "0.0"},   {"C000", "FFFF", "1.0"},
    {"A000", "DFFF", "1.0"}, {"E000", "FFFF", nullptr},
};
constexpr std::size_t kMaxAddressChars = 4;

std::map<int, ModeRange>& ModeRanges() {
  static std::map<int, ModeRange> ranges;
  return ranges;
}

// The rule of the four-digit address boxes: hex text is taken into value,
// anything else puts the box back to the four digits of previous.
bool EditAddress(const std::string& text, std::string& box, std::int32_t& value,
                 std::int32_t previous) {
  if (!IsHex(text) || text.size() > kMaxAddressChars) {
    box = HexWord(previous);
    return false;
  }
  box = text;
  value = HexToLong(text);
  return true;
}
}  // namespace

std::string BlockText(double block) {
  char buffer[64];
  const auto r = std::to_chars(buffer, buffer + sizeof buffer, block);
  std::string text(buffer, r.ptr);
  if (std::floor(block) == block && text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

void SetModeRange(int mode, const ModeRange& range) {
  ModeRanges()[mode] = range;
}

SettingsModel::SettingsModel() {
  // The start-up order of the window.
  s_.base = 0x8000;
  s_.start = 0x8000;
  s_.end = 0xBFFF;
  setBusy(false);
  chooseMode(kCode);
  chooseAddressPreset(AddressPreset::At8000);
}

void SettingsModel::chooseAddressPreset(AddressPreset preset) {
  const int index = static_cast<int>(preset);
  if (index < 0 || index >= kPresetCount) return;
  s_.preset = preset;
  if (preset != AddressPreset::Custom) {
    c_.customAddress = false;
    const Preset& p = kPresets[index];
    setStart(p.start);
    setEnd(p.end);
    if (p.block != nullptr) setBlock(p.block);
  } else {
    setStart(s_.addressText);
    setEnd("FFFF");
    c_.customAddress = true;
  }
  s_.base = HexToLong(s_.startText);
}

void SettingsModel::chooseMode(int mode) {
  if (mode < kTableOnly || mode > kCode) return;
  s_.mode = mode;
  if (mode != kText) {
    c_.asTable = c_.concat = c_.phrase = false;
  }
  if (mode != kCode) c_.withTables = c_.raw = c_.trace = false;
  if (mode == kText) {
    c_.asTable = c_.phrase = true;
    c_.concat = s_.asTable;
  } else if (mode == kCode) {
    c_.withTables = c_.trace = true;
    c_.raw = !s_.withTables;
    applyTraceRule();
  }
  if (const auto range = ModeRanges().find(mode); range != ModeRanges().end()) {
    const ModeRange& r = range->second;
    chooseAddressPreset(r.preset);
    setStart(r.start);
    setEnd(r.end);
    setBlock(r.block);
  }
}

void SettingsModel::applyAsTableRule() {
  c_.concat = s_.asTable && c_.asTable;
}
void SettingsModel::applyWithTablesRule() {
  c_.raw = !s_.withTables && c_.trace;
}
void SettingsModel::applyTraceRule() {
  // The trace finds its own tables: "w/Tables" has no say while it is on.
  c_.withTables = c_.trace && !s_.trace;
}

void SettingsModel::setTrace(bool on) {
  s_.trace = on;
  applyTraceRule();
}

void SettingsModel::setAsTable(bool on) {
  s_.asTable = on;
  applyAsTableRule();
}

void SettingsModel::setWithTables(bool on) {
  s_.withTables = on;
  applyWithTablesRule();
}

bool SettingsModel::setStart(const std::string& text) {
  return EditAddress(text, s_.startText, s_.start, s_.start);
}

bool SettingsModel::setEnd(const std::string& text) {
  return EditAddress(text, s_.endText, s_.end, s_.end);
}

bool SettingsModel::setAddress(const std::string& text) {
  if (!EditAddress(text, s_.addressText, s_.base, s_.base)) return false;
  setStart(HexWord(s_.base));
  return true;
}

bool SettingsModel::setBlock(const std::string& text) {
  if (!IsBlockNumber(text)) {
    s_.blockText = BlockText(s_.block);
    return false;
  }
  // from_chars, not strtod: the window runs under the user's locale, where the
  // decimal separator may not be a point.
  double block = 0;
  const auto parsed = std::from_chars(text.data(), text.data() + text.size(), block);
  if (parsed.ec == std::errc::result_out_of_range) {
    // Too many digits: a whole part above zero overflows, a fraction underflows.
    const std::string whole = text.substr(0, text.find('.'));
    block = whole.find_first_not_of('0') == std::string::npos ? 0.0 : HUGE_VAL;
  }
  s_.block = block;
  s_.blockText = text.find('.') == std::string::npos ? BlockText(s_.block) : text;
  return true;
}

void SettingsModel::setBusy(bool busy) {
  const bool idle = !busy;
  if (busy) CorrectRangeForJob(s_);
  c_.presets = c_.modes = idle;
  c_.header = idle;
  c_.asTable = c_.phrase = idle && s_.mode == kText;
  applyAsTableRule();
  c_.withTables = c_.trace = idle && s_.mode == kCode;
  applyWithTablesRule();
  applyTraceRule();
  c_.jobs = idle;
  cancel_ = idle;
  c_.locked = busy;
}

}  // namespace morvane
