#include "dump/DumpDriver.h"

#include "dump/DumpStep.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"
#include "shell/Values.h"

namespace morvane {

namespace {

constexpr const char* kRule = ";--------------------";
const std::string kDumpTitle = "Error During Dump";

void ReadDumpOptions(DumpContext& ctx) {
  const Settings& s = ctx.settings;
  ctx.mode = s.mode;
  ctx.asText = s.mode == kText && !s.asTable;
  ctx.textFlag = s.mode == kText;
  ctx.withTables = s.withTables;
  ctx.raw = s.raw;
  ctx.firstPhrase = IsSignedHex(s.phraseText) ? Check16(HexToLong(s.phraseText)) : 0;
  ctx.phraseLength = IsHex(s.lengthText) ? Check16(HexToLong(s.lengthText)) : 0;
}

void WriteHeader(DumpContext& ctx) {
  const Settings& s = ctx.settings;
  OutFile& out = *ctx.out;
  WriteBanner(out);
  out.line();
  out.line("View me in a mono-spaced font like Courier New with tabs set to 6 spaces!");
  out.line(kRule);
  out.line("; " + FileNameOf(ctx.romPath));
  out.line("; Block: " + s.blockText + " Address Base: " + HexWord(s.base));
  out.line(std::string("; ") + (ctx.mode == kCode ? "Lines" : "Table") + " " + HexWord(s.start) +
           " thru " + HexWord(s.end));
  out.line("; " + std::to_string(static_cast<long long>(s.end) - s.start + 1) + " bytes");
  out.line(kRule);
}

// One byte of the byte loop.
void HandleByte(DumpContext& ctx, DumpStep& step) {
  RomCursor& rom = *ctx.rom;
  ctx.address = static_cast<std::int32_t>(ctx.origin + rom.offset());
  ctx.line.clear();
  step.beginLine(ctx);
  ctx.firstByte = false;
  ctx.byte = rom.read();
  step.listByte(ctx);
  step.step(ctx);
  if (ctx.pass == 1 && step.writesLine(ctx)) ctx.out->line(ctx.line);
}

void RunPasses(DumpContext& ctx, DumpStep& step) {
  for (ctx.pass = step.firstPass(ctx); ctx.pass <= 1; ++ctx.pass) {
    if (!ctx.rom) ctx.rom = std::make_unique<RomCursor>(ReadBinaryFile(ctx.romPath));
    ctx.rom->seek(ctx.startOffset);
    ctx.firstByte = true;
    step.beginPass(ctx);
    while (ctx.rom->offset() < ctx.rom->size() && ctx.rom->offset() <= ctx.endOffset) {
      HandleByte(ctx, step);
    }
  }
}

// Reads the options, asks for the files and reads the definitions; nullptr
// when a reader refused its file (it has been reported). Any failure here but
// a problem found in the user's files ends the dump as cancelled.
std::unique_ptr<DumpStep> Prepare(DumpContext& ctx, JobRun& run, TableListMaker maker) {
  try {
    ReadDumpOptions(ctx);
    if (maker && ctx.mode == kCode) {
      ctx.tableListMaker = std::move(maker);
      ctx.withTables = true;
    }
    std::unique_ptr<DumpStep> step = MakeDumpStep(ctx.mode);
    if (!step) throw JobError::Cancelled();
    ctx.romPath = run.ask(Dialog::OpenNES);
    ctx.outPath = StripExtension(ctx.romPath) + (ctx.asText ? " Text.txt" : ".asm.txt");
    if (ctx.mode == kCode) ctx.tablesOutPath = FolderOf(ctx.romPath) + "Tables.txt";
    RefuseOverwrite(kDumpTitle, ctx.outPath, {ctx.romPath});
    if (!step->prepare(ctx)) return nullptr;
    if (step->needsCharTable(ctx)) {
      const std::string tbl = run.ask(Dialog::OpenTBL);
      RefuseOverwrite(kDumpTitle, ctx.outPath, {ctx.romPath, tbl});
      ctx.charTable = ReadTableFile(tbl);
    }
    ctx.out = std::make_unique<OutFile>(ctx.outPath);
    return step;
  } catch (const JobError& e) {
    if (e.kind() == JobError::Kind::Minor) throw;
    throw JobError::Cancelled();
  }
}

}  // namespace

JobResult cmdDump_Click(const Settings& window, JobHost& host) {
  return DumpWithMadeList(window, host, nullptr);
}

JobResult DumpWithMadeList(const Settings& window, JobHost& host, TableListMaker maker) {
  const JobTexts texts{
      .cancelled = "Dump Canceled", .failed = "Dump Error", .minor = "Dump Minor Error"};
  return RunJob(host, texts, [&](JobRun& run) {
    Settings settings = window;
    CorrectRangeForJob(settings);
    DumpContext ctx(settings, run.host);
    run.step = "Dump Error";
    const std::unique_ptr<DumpStep> step = Prepare(ctx, run, std::move(maker));
    if (!step) {
      run.result.outcome = Outcome::Warned;
      return;
    }
    run.wrote(ctx.outPath);
    WriteHeader(ctx);
    ctx.origin = settings.origin();
    ctx.startOffset = settings.start - static_cast<std::int64_t>(ctx.origin);
    ctx.endOffset = settings.end - static_cast<std::int64_t>(ctx.origin);
    RunPasses(ctx, *step);
    step->endPasses(ctx);
    ctx.out->line(kRule);
    step->finish(ctx);
    ctx.out->close();
    step->afterClose(ctx);
    if (!ctx.tablesOutPath.empty() && (!ctx.withTables || ctx.tableListMaker)) {
      run.wrote(ctx.tablesOutPath);
    }
  });
}

}  // namespace morvane
