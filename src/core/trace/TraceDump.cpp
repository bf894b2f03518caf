#include "trace/TraceDump.h"

#include "dump/DumpDriver.h"
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

}  // namespace morvane
