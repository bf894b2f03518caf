#include "shell/SettingsModel.h"

#include <charconv>
#include <cmath>
#include <random>
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

SettingsModel::SettingsModel(Chooser chooser) : chooser_(std::move(chooser)) {
  if (!chooser_) {
    chooser_ = [] {
      static std::mt19937 rng(std::random_device{}());
      return static_cast<int>(rng() % kIdleTexts.size());
    };
  }
  // Form_Load order.
  s_.base = 0x8000;
  s_.start = 0x8000;
  s_.end = 0xBFFF;
  Enable_Controls(true);
  opFeatures_Click(kCode);
  opAddress_Click(1);
}

void SettingsModel::opAddress_Click(int index) {
  if (index < 0 || index > 5) return;
  s_.preset = index;
  if (index <= 4) {
    c_.txtAddress = false;
    const Preset& p = kPresets[index];
    txtStart_Change(p.start);
    txtEnd_Change(p.end);
    if (p.block != nullptr) txtBlock_Change(p.block);
  } else {
    txtStart_Change(s_.addressText);
    txtEnd_Change("FFFF");
    c_.txtAddress = true;
  }
  s_.base = HexToLong(s_.startText);
}

void SettingsModel::opFeatures_Click(int index) {
  if (index < kTableOnly || index > kCode) return;
  s_.mode = index;
  if (index != kText) {
    c_.asTable = c_.concat = c_.phrase = false;
  }
  if (index != kCode) c_.wTables = c_.raw = c_.trace = false;
  switch (index) {
    case kText:
      c_.asTable = c_.phrase = true;
      c_.concat = s_.asTable;
      break;
    case kSpeech:
      opAddress_Click(0);
      txtStart_Change("8000");
      txtEnd_Change("8D81");
      txtBlock_Change("0.0");
      break;
    case kMenu:
      opAddress_Click(1);
      txtStart_Change("C5D3");
      txtEnd_Change("CB2B");
      txtBlock_Change("1.0");
      break;
    case kCode:
      c_.wTables = c_.trace = true;
      c_.raw = !s_.withTables;
      break;
    default:
      break;
  }
}

void SettingsModel::applyAsTableRule() {
  c_.concat = s_.asTable && c_.asTable;
}
void SettingsModel::applyWTablesRule() {
  c_.raw = !s_.withTables && c_.wTables;
}

void SettingsModel::chkAsTable_Click(bool checked) {
  s_.asTable = checked;
  applyAsTableRule();
}

void SettingsModel::chkwTables_Click(bool checked) {
  s_.withTables = checked;
  applyWTablesRule();
}

bool SettingsModel::txtStart_Change(const std::string& text) {
  return EditAddress(text, s_.startText, s_.start, s_.start);
}

bool SettingsModel::txtEnd_Change(const std::string& text) {
  return EditAddress(text, s_.endText, s_.end, s_.end);
}

bool SettingsModel::txtAddress_Change(const std::string& text) {
  if (!EditAddress(text, s_.addressText, s_.base, s_.base)) return false;
  txtStart_Change(HexWord(s_.base));
  return true;
}

bool SettingsModel::txtBlock_Change(const std::string& text) {
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

void SettingsModel::Enable_Controls(bool enable) {
  if (!enable) CorrectRangeForJob(s_);
  c_.opAddress = c_.opFeatures = enable;
  c_.header = enable;
  c_.asTable = c_.phrase = enable && s_.mode == kText;
  applyAsTableRule();
  c_.wTables = c_.trace = enable && s_.mode == kCode;
  applyWTablesRule();
  c_.jobs = enable;
  cancel_ = enable;
  if (enable) {
    status_ = std::string(kIdleTexts[static_cast<std::size_t>(chooser_()) % kIdleTexts.size()]);
    height_ = kIdleHeight;
  } else {
    status_ = std::string(kBusyText);
    height_ = kBusyHeight;
  }
  c_.locked = !enable;
}

}  // namespace morvane
