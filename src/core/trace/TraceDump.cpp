#include "trace/TraceDump.h"

#include <algorithm>
#include <optional>

#include "dump/DumpDriver.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"
#include "trace/CodeDataLog.h"
#include "trace/TraceCode.h"

namespace morvane {

JobResult DumpTraced(const Settings& settings, JobHost& host, std::vector<std::int32_t> entries) {
  const std::string cdl = settings.options.value("cdl", "");
  const std::string writeCdl = settings.options.value("write-cdl", "");
  const TableListMaker trace = [entries = std::move(entries), cdl, writeCdl](
                                   const std::string& romPath, const std::string& rom,
                                   const Settings& s, const OpcodeSet& ops,
                                   std::vector<std::string>& wrote) {
    std::optional<CodeDataLog> log;
    if (!cdl.empty()) log = ReadCodeDataLog(cdl, rom);
    const TraceRequest request{
        rom, s.origin(), s.base, s.start, s.end, entries, log ? &log->marks : nullptr};
    const TraceResult result = TraceCode(request, ShapesOf(ops));
    if (!writeCdl.empty()) {
      const std::string path = CodeDataLogPath(romPath);
      RefuseOverwrite("Dump Error", path, {romPath, cdl});
      OutFile out(path);
      out.write(CodeDataLogBytes(CdlFormatNamed(writeCdl), rom, result.marks, result.slots));
      out.close();
      wrote.push_back(path);
    }
    return result.tablesText;
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
