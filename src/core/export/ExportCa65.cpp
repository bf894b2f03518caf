#include "export/ExportCa65.h"

#include <filesystem>
#include <optional>

#include "dump/Definitions.h"
#include "dump/TableList.h"
#include "export/Ca65Writer.h"
#include "export/Disassembly.h"
#include "labels/LabelSet.h"
#include "labels/LabelStore.h"
#include "shell/InFile.h"
#include "shell/JobFrame.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "trace/CodeDataLog.h"
#include "trace/TraceCode.h"

namespace morvane {

namespace {

constexpr const char* kTitle = "Export Error";

// The ROM's path less its extension.
std::string StemPath(const std::string& rom) {
  const std::filesystem::path p(rom);
  return (p.parent_path() / p.stem()).string();
}

}  // namespace

JobResult ExportCa65Job(const Settings& settings, JobHost& host) {
  const JobTexts texts{.cancelled = "Export Canceled",
                       .failed = "Export Error",
                       .minor = "Export Minor Error",
                       .prefix = "Error during Export:\r\n"};
  return RunJob(host, texts, [&](JobRun& run) {
    run.step = "Export - Selecting Files";
    const std::string romPath = run.ask(Dialog::OpenNES);
    const std::string opsPath = run.ask(Dialog::OpenTXT);
    const std::string stemPath = StemPath(romPath);
    const std::string stem = std::filesystem::path(romPath).stem().string();
    const std::string outputs[] = {stemPath + ".s", stemPath + ".cfg", stemPath + ".chr"};
    // Every file the job reads, none of which it may write over.
    std::vector<std::string> inputs = {opsPath, settings.options.value("tables", ""),
                                       settings.options.value("cdl", "")};
    for (const std::string& path : settings.options.values("labels")) inputs.push_back(path);
    const auto refuse = [&](const std::string& out) {
      for (const std::string& input : inputs) RefuseOverwrite(kTitle, out, {romPath, input});
    };

    run.step = "Export - Reading";
    run.file = opsPath;
    OpcodeSet ops;
    const std::string tablesPath = settings.options.value("tables", "");
    TableMap tables;
    if (!tablesPath.empty()) {
      run.file = tablesPath;
      ReadTableList(tablesPath, 0xFFFF, tables, ops.ReadNames);
    }
    run.file = opsPath;
    ReadOpCodes(opsPath, ops);
    run.file = romPath;
    const std::string rom = ReadBinaryFile(romPath);
    ExportInputs names;
    names.ops = &ops;
    if (!tablesPath.empty()) names.tables = &tables;
    LabelSet labels;
    for (const std::string& path : settings.options.values("labels")) {
      run.file = path;
      ReadLabelFile(path, ReadINesHeader(rom), labels);
    }
    names.labels = &labels;
    const std::string cdl = settings.options.value("cdl", "");
    const std::string writeCdl = settings.options.value("write-cdl", "");
    std::optional<CodeDataLog> log;
    if (!cdl.empty()) {
      run.file = cdl;
      log = ReadCodeDataLog(cdl, rom);
      names.logged = &log->marks;
    }

    run.step = "Export - Tracing";
    const Disassembly d = BuildDisassembly(rom, ShapesOf(ops), names);

    run.step = "Export - Writing";
    // Every output, each checked before the first is written.
    std::vector<std::pair<std::string, std::string>> files = {{outputs[0], Ca65Source(d, stem)},
                                                              {outputs[1], Ld65Config(d)}};
    if (const std::string chr = ChrBytes(d); !chr.empty()) files.emplace_back(outputs[2], chr);
    if (!writeCdl.empty()) {
      std::vector<std::uint8_t> marks, slots;
      LogMarksOf(d, marks, slots);
      files.emplace_back(CodeDataLogPath(romPath),
                         CodeDataLogBytes(CdlFormatNamed(writeCdl), rom, marks, slots));
    }
    const std::string writeLabels = settings.options.value("write-labels", "");
    if (!writeLabels.empty()) {
      const auto cpuOf = [&](std::int64_t at) -> std::int64_t {
        const int u = d.unitAt(at);
        if (u < 0) return -1;
        const RomUnit& unit = d.units[static_cast<std::size_t>(u)];
        return unit.base + (at - unit.offset);
      };
      for (auto& file : LabelFiles(d, romPath, writeLabels, d.header.prgOffset, cpuOf)) {
        files.push_back(std::move(file));
      }
    }
    for (const auto& [path, bytes] : files) refuse(path);
    for (const auto& [path, bytes] : files) {
      run.file = path;
      OutFile out(path);
      out.write(bytes);
      out.close();
      run.wrote(path);
    }
    host.setStatus("Export Done: " + stem + ".s");
  });
}

}  // namespace morvane
