// The model's labels: the vectors' targets, the Table List's titles, the
// label files' names, and a label on every line something names.
#include <set>

#include "export/DisassemblyBuilder.h"
#include "shell/ListingWords.h"
#include "shell/Values.h"
#include "trace/Opcodes6502.h"
#include "trace/Tracer.h"

namespace morvane {

void DisassemblyBuilder::labelAll() {
  for (std::size_t u = 0; u < d_.units.size(); ++u) vectors(static_cast<int>(u));
  for (const auto& [at, title] : titles_) d_.labels[at] = title;
  if (names_.labels != nullptr) userLabels(*names_.labels);
  for (const auto& [at, target] : targets_) place(at, target.second, target.first);
  d_.unclash();
}

void DisassemblyBuilder::tableList(const RomUnit& unit) {
  const TableMap& map = *names_.tables;
  for (std::int32_t i = 0; i < unit.size; ++i) {
    const auto a = static_cast<std::size_t>(unit.base + i);
    if (map[a].Options == 0) continue;
    if (unit.bank >= 0) {
      if (!skippedTables_) {
        d_.notes.push_back("The Table List's tables in the switched banks' window (from " +
                           HexWord(static_cast<std::int64_t>(a)) +
                           ") are left out: which bank they mean is not known.");
      }
      skippedTables_ = true;
      return;
    }
    d_.traced[static_cast<std::size_t>(unit.offset + i)] = kRoleData;
    if ((map[a].Options & kTableStart) != 0 && names_.ops != nullptr) {
      const std::string title = SymbolFrom(names_.ops->ReadNames[a]);
      if (!title.empty()) titles_[unit.offset + i] = IsSymbolName(title) ? title : title + "_";
    }
  }
}

void DisassemblyBuilder::table(int u, const TracedBlock::Table& t) {
  const RomUnit& unit = d_.units[static_cast<std::size_t>(u)];
  for (std::int32_t i = 0; i < t.count; ++i) {
    const std::int32_t lo = t.partner >= 0 ? t.start + i : t.start + 2 * i;
    const std::int32_t hi = t.partner >= 0 ? t.partner + i : lo + 1;
    if (!unit.covers(lo) || !unit.covers(hi)) continue;
    const std::int64_t loAt = unit.offset + (lo - unit.base);
    const std::int64_t hiAt = unit.offset + (hi - unit.base);
    if (!data(loAt) || !data(hiAt)) continue;
    const std::int32_t value = (byte(loAt) | byte(hiAt) << 8) + t.addrOS;
    if (t.partner >= 0) {
      d_.parts[loAt] = {AddressPart::Low, value, t.addrOS};
      d_.parts[hiAt] = {AddressPart::High, value, t.addrOS};
    } else {
      d_.parts[loAt] = {AddressPart::Word, value, t.addrOS};
    }
    refer(u, value, true);
  }
}

bool DisassemblyBuilder::data(std::int64_t at) const {
  return d_.kind[static_cast<std::size_t>(at)] == ByteKind::Data && !d_.parts.contains(at);
}

void DisassemblyBuilder::vectors(int u) {
  const RomUnit& unit = d_.units[static_cast<std::size_t>(u)];
  if (!unit.covers(0xFFFA) || !unit.covers(0xFFFF)) return;
  for (const op6502::Vector& v : op6502::kVectors) {
    const std::int64_t at = unit.offset + (v.at - unit.base);
    const std::int32_t target = byte(at) | byte(at + 1) << 8;
    d_.parts[at] = {AddressPart::Word, target, 0};
    refer(u, target, true);
    const int t = d_.unitFor(u, target);
    if (t < 0) continue;
    const RomUnit& there = d_.units[static_cast<std::size_t>(t)];
    const std::int64_t to = there.offset + (target - there.base);
    if (d_.lineStart(to) && !d_.labels.contains(to)) d_.labels[to] = there.prefix + v.name;
  }
}

void DisassemblyBuilder::userLabels(const LabelSet& set) {
  const auto place = [&](std::int64_t at) {
    if (at < d_.header.prgOffset || at >= d_.prgEnd || d_.unitAt(at) < 0) {
      return LabelPlace::Outside;
    }
    return d_.lineStart(at) ? LabelPlace::Line : LabelPlace::Inside;
  };
  d_.take(set, place,
          [](const std::string& name) { return IsSymbolName(name) ? name : name + "_"; });
}

void DisassemblyBuilder::refer(int u, std::int64_t a, bool code) {
  const int t = d_.unitFor(u, a);
  if (t < 0) return;
  const RomUnit& unit = d_.units[static_cast<std::size_t>(t)];
  targets_.emplace(unit.offset + (a - unit.base), std::make_pair(code, t));
}

void DisassemblyBuilder::place(std::int64_t at, int u, bool) {
  const RomUnit& unit = d_.units[static_cast<std::size_t>(u)];
  std::int64_t start = at;
  while (start > unit.offset && !d_.lineStart(start)) --start;
  const std::int32_t cpu = unit.base + static_cast<std::int32_t>(start - unit.offset);
  d_.name(start, unit.prefix + kCodeLabelPrefix + HexWord(cpu));
}

}  // namespace morvane
