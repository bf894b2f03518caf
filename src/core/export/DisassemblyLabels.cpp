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

void DisassemblyBuilder::listedAddresses(int u) {
  const RomUnit& unit = d_.units[static_cast<std::size_t>(u)];
  if (names_.tables == nullptr || unit.bank >= 0) return;
  const TableMap& map = *names_.tables;
  constexpr int kAddresses = kTableLbl | kTableTbl;
  const std::int32_t last = unit.base + unit.size - 1;
  for (std::int32_t a = unit.base; a <= last; ++a) {
    const TableListEntry& e = map[static_cast<std::size_t>(a)];
    if ((e.Options & kTableStart) == 0 || (e.Options & kAddresses) == 0) continue;
    std::int32_t end = a;  // the End, which alone carries the end mark
    while (end < last && (map[static_cast<std::size_t>(end)].Options & kTableEnd) == 0) ++end;
    // Rows of one entry each, words low byte first or split in two tables:
    // what .addr and .lobytes/.hibytes write. Other layouts stay bytes.
    if (e.Height > 1 || e.Skip1st != 0 || e.Skip != 0) continue;
    const bool reversed = (e.Options & kTableR) != 0;
    if (e.SplitPartner >= 0) {
      const std::int32_t count = end - a + 1;
      table(u, reversed ? TracedBlock::Table{e.SplitPartner, count, a, e.AddrOS}
                        : TracedBlock::Table{a, count, e.SplitPartner, e.AddrOS});
    } else if (e.Width == 2 && reversed) {
      table(u, {a, (end - a + 1) / 2, -1, e.AddrOS});
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
