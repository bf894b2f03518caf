#include "trace/TraceDump.h"

#include <algorithm>

#include "dump/DumpDriver.h"
#include "rom/INesHeader.h"
#include "shell/Values.h"
#include "trace/TraceCode.h"

namespace morvane {

namespace {

// The part of the file the trace maps: the header and the PRG ROM it
// announces, and the dumped block wherever it lies; not the rest of a large
// file.
std::string TracedPart(RomCursor& rom, const Settings& s) {
  const INesHeader header = ReadINesHeader(rom.bytesAt(0, kINesHeaderSize));
  const std::int64_t prgEnd =
      header.present ? header.prgOffset + header.prgBanks * kPrgBankSize : 0;
  const std::int64_t end = std::max<std::int64_t>(prgEnd, s.base - s.origin() + kPrgBankSize);
  return rom.bytesAt(0, static_cast<std::size_t>(std::max<std::int64_t>(0, end)));
}

}  // namespace

JobResult DumpTraced(const Settings& settings, JobHost& host, std::vector<std::int32_t> entries) {
  const TableListMaker trace = [entries = std::move(entries)](RomCursor& rom, const Settings& s,
                                                              const OpcodeSet& ops) {
    const std::string mapped = TracedPart(rom, s);
    return TraceCode({mapped, s.origin(), s.base, s.start, s.end, entries}, ShapesOf(ops))
        .tablesText;
  };
  return DumpWithMadeList(settings, host, trace);
}

JobResult DumpJob(const Settings& settings, JobHost& host) {
  if (!settings.trace) return PlainDumpJob(settings, host);
  std::vector<std::int32_t> entries;
  for (const std::string& text : settings.options.values("entry")) {
    // Past five digits an address lies beyond any the trace can follow.
    const std::size_t digits = text.size() - std::min(text.size(), text.find_first_not_of('0'));
    entries.push_back(digits > 5 ? 0x100000 : HexToLong(text));
  }
  return DumpTraced(settings, host, std::move(entries));
}

}  // namespace morvane
