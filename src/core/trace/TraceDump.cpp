#include "trace/TraceDump.h"

#include <algorithm>
#include <map>
#include <memory>
#include <optional>

#include "dump/DumpDriver.h"
#include "labels/LabelStore.h"
#include "rom/INesHeader.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Values.h"
#include "trace/BankWindow.h"
#include "trace/CodeDataLog.h"
#include "trace/RomTrace.h"
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

// The header and the PRG ROM it announces, or the whole file without a
// header: what the window a bank runs at is found from.
std::string MappedPart(RomCursor& rom) {
  const INesHeader header = ReadINesHeader(rom.bytesAt(0, kINesHeaderSize));
  if (!header.present) return rom.bytesAt(0, static_cast<std::size_t>(rom.size()));
  return rom.bytesAt(0,
                     static_cast<std::size_t>(header.prgOffset + header.prgBanks * kPrgBankSize));
}

// The 16 KiB block of PRG ROM the dump starts at, -1 where it starts inside
// one or outside the PRG ROM.
std::int64_t BlockAt(const std::string& rom, const Settings& s) {
  const std::int64_t at = s.base - s.origin() - ReadINesHeader(rom).prgOffset;
  return at >= 0 && at % kPrgBankSize == 0 ? at / kPrgBankSize : -1;
}

// Whether the settings hold the window the dump starts with: no preset or
// range of the user's own, which win over a window found.
bool DefaultWindow(const Settings& s) {
  return s.preset == AddressPreset::At8000 && s.base == 0x8000 && s.start == 0x8000 &&
         s.end == 0xBFFF;
}

}  // namespace

JobResult DumpTraced(const Settings& settings, JobHost& host, std::vector<std::int32_t> entries,
                     bool findWindow) {
  const std::string cdl = settings.options.value("cdl", "");
  const std::string writeCdl = settings.options.value("write-cdl", "");
  // Why the window was chosen, said again at the top of Tables.txt.
  const auto why = std::make_shared<std::string>();
  const TableListMaker trace = [entries = std::move(entries), cdl, writeCdl, why](
                                   const std::string& romPath, RomCursor& file, const Settings& s,
                                   const OpcodeSet& ops, const LabelStore& labels,
                                   std::vector<std::string>& wrote,
                                   std::vector<std::string>& header) {
    const std::string rom = TracedPart(file, s);
    std::optional<CodeDataLog> log;
    if (!cdl.empty()) log = ReadCodeDataLog(cdl, rom);
    // A table the trace finds is titled with the name a label file gives it.
    std::map<std::int32_t, std::string> titles;
    for (const auto& [at, name] : labels.labels) {
      titles[static_cast<std::int32_t>(at + s.origin())] = name;
    }
    const auto shapes = ShapesOf(ops);
    // The whole ROM is traced once for the dump: what enters the dumped bank
    // from the others.
    const RomTrace whole = TraceWholeRom(rom, shapes);
    const TraceRequest request{rom,
                               s.origin(),
                               s.base,
                               s.start,
                               s.end,
                               entries,
                               *why,
                               log ? &log->marks : nullptr,
                               whole.into(BlockAt(rom, s), s.base),
                               !writeCdl.empty(),
                               &titles};
    const TraceResult result = TraceCode(request, shapes);
    header.insert(header.end(), result.fromBanks.begin(), result.fromBanks.end());
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
  WindowChooser chooser;
  if (findWindow) {
    chooser = [why](RomCursor& rom, Settings& s) {
      if (!DefaultWindow(s)) return std::string();
      const BankWindow w = FindBankWindow(MappedPart(rom), s.offsetOf(s.base));
      s.base = s.start = w.base;
      s.end = w.base + w.size - 1;
      *why = "found from " + w.why + ".";
      return *why;
    };
  }
  return DumpWithMadeList(settings, host, trace, chooser);
}

JobResult DumpJob(const Settings& settings, JobHost& host) {
  if (!settings.trace) return PlainDumpJob(settings, host);
  std::vector<std::int32_t> entries;
  for (const std::string& text : settings.options.values("entry")) {
    // Past five digits an address lies beyond any the trace can follow.
    const std::size_t digits = text.size() - std::min(text.size(), text.find_first_not_of('0'));
    entries.push_back(digits > 5 ? 0x100000 : HexToLong(text));
  }
  return DumpTraced(settings, host, std::move(entries), settings.options.value("window") == "auto");
}

}  // namespace morvane
