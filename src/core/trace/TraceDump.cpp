#include "trace/TraceDump.h"

#include <algorithm>

#include "dump/DumpDriver.h"
#include "shell/Values.h"
#include "trace/TraceCode.h"

namespace morvane {

JobResult DumpTraced(const Settings& settings, JobHost& host, std::vector<std::int32_t> entries) {
  const TableListMaker trace = [entries = std::move(entries)](const std::string& rom,
                                                              const Settings& s,
                                                              const OpcodeSet& ops) {
    return TraceCode({rom, s.origin(), s.base, s.start, s.end, entries}, ShapesOf(ops)).tablesText;
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
