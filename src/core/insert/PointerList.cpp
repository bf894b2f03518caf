#include "insert/PointerList.h"

#include "script/ScriptHeader.h"
#include "shell/JobError.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr const char* kTitle = "Error During Dump";

[[noreturn]] void Refuse(const std::string& message) {
  throw JobError::Minor(kTitle, message);
}

std::int32_t HexField(const std::string& field, const std::string& what) {
  if (field.empty() || field.size() > 6 || !IsHex(field) || field[0] == '-') {
    Refuse("--pointers: " + what + " \"" + field + "\" is not a hex address.");
  }
  return HexToLong(field);
}

}  // namespace

PointerList ReadPointerOptions(const JobOptions& options) {
  PointerList list;
  std::vector<std::string> fields(1);
  for (const char c : options.value("pointers")) {
    if (c == ',') {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  if (fields.size() > 3)
    Refuse("--pointers takes LOW[,HIGH[,STEP]], not " + options.value("pointers") + ".");
  list.low = HexField(fields[0], "LOW");
  list.high = fields.size() > 1 && !fields[1].empty() ? HexField(fields[1], "HIGH") : list.low + 1;
  const bool paired = list.high == list.low + 1 || list.high == list.low - 1;
  list.step = fields.size() > 2 ? HexField(fields[2], "STEP") : (paired ? 2 : 1);
  if (list.step < 1) Refuse("--pointers: STEP must be 1 or more.");
  const std::string count = options.value("count");
  const bool digits = !count.empty() && count.size() <= 5 &&
                      count.find_first_not_of("0123456789") == std::string::npos;
  list.count = digits ? std::stoi(count) : 0;
  if (list.count < 1 || list.count > kPhraseSlots) {
    Refuse("--count " + count + ": the number of pointers must be 1 to " +
           std::to_string(kPhraseSlots) + ".");
  }
  const std::string base = options.value("pointer-base", "0");
  if (base.empty() || base.size() > 6 || !IsSignedHex(base)) {
    Refuse("--pointer-base \"" + base + "\" is not a hex number.");
  }
  list.base = HexToLong(base);
  return list;
}

std::vector<std::int32_t> ReadPointers(const PointerList& list, const std::string& rom,
                                       const std::string& romName, std::int32_t origin) {
  const auto size = static_cast<std::int64_t>(rom.size());
  const std::int64_t span = std::int64_t{list.count - 1} * list.step;
  for (const std::int32_t first : {list.low, list.high}) {
    const std::int64_t start = std::int64_t{first} - origin;
    if (start < 0 || start + span >= size) {
      Refuse("The pointer table at " + Hex(first) + " (" + std::to_string(list.count) +
             " pointers, step " + std::to_string(list.step) + ") runs from file offset " +
             Hex(start) + "h to " + Hex(start + span) + "h, past " + romName + " (" + Hex(size) +
             "h bytes).");
    }
  }
  std::vector<std::int32_t> targets;
  for (int i = 0; i < list.count; ++i) {
    const std::int64_t at = std::int64_t{i} * list.step - origin;
    const auto low = static_cast<unsigned char>(rom[static_cast<std::size_t>(list.low + at)]);
    const auto high = static_cast<unsigned char>(rom[static_cast<std::size_t>(list.high + at)]);
    const std::int64_t target = std::int64_t{high << 8 | low} + list.base;
    const std::int64_t offset = target - origin;
    if (offset < 0 || offset >= size) {
      Refuse("Pointer " + Hex(i) + " (at " + Hex(list.low + i * list.step) + ") leads to " +
             Hex(target) + ", file offset " + Hex(offset) + "h, outside " + romName + " (" +
             Hex(size) + "h bytes).");
    }
    targets.push_back(static_cast<std::int32_t>(target));
  }
  return targets;
}

}  // namespace morvane
