#include "dump/DumpLabels.h"

#include "dump/CodeDump.h"
#include "labels/LabelStore.h"
#include "shell/ListingWords.h"
#include "shell/Values.h"

namespace morvane {

void TakeDumpLabels(CodeDump& d, const LabelSet& given) {
  // A name the listing makes itself (a label file it wrote) is no name
  // given: the line keeps it, and the comments their numbers.
  LabelSet set = given;
  for (auto& [at, entry] : set.rom) {
    const std::string hex = LowerCase(Hex(at + d.origin));
    if (entry.name == kCodeLabelPrefix + LowerCase(HexWord(at + d.origin)) ||
        entry.name == kTableLabelPrefix + hex) {
      entry.name.clear();
    }
  }
  const auto place = [&](std::int64_t at) {
    return d.dumped(at + d.origin) ? LabelPlace::Line : LabelPlace::Outside;
  };
  d.labels.take(set, place, [](const std::string& name) { return name; });
  d.labels.unclash();
  for (const auto& [at, name] : d.labels.labels) d.given.insert(at);
}

void NameFromLabels(CodeDump& d) {
  for (const auto& [at, name] : d.labels.labels) {
    d.ops.ReadNames.set(static_cast<std::size_t>(at + d.origin), name);
  }
  for (const auto& [a, name] : d.labels.ramNames) {
    d.ops.ReadNames.set(static_cast<std::size_t>(a), name);
    d.ops.WriteNames.set(static_cast<std::size_t>(a), name);
  }
}

std::vector<std::pair<std::string, std::string>> DumpLabelFiles(const CodeDump& d,
                                                                const std::string& romPath,
                                                                const std::string& format,
                                                                std::int64_t prgOffset) {
  const auto cpuOf = [&](std::int64_t at) { return d.dumped(at + d.origin) ? at + d.origin : -1; };
  return LabelFiles(d.labels, romPath, format, prgOffset, cpuOf);
}

}  // namespace morvane
