#include "dump/DumpDriver.h"

#include "dump/DumpStep.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/JobFrame.h"
#include "shell/ListingWords.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"
#include "shell/Values.h"
#include "tables/TableFormat.h"

namespace morvane {

namespace {

// A 1st Phrase or Length beyond 16 bits is an overflow that names the box.
void ReadDumpOptions(DumpContext& ctx, JobRun& run) {
  const Settings& s = ctx.settings;
  ctx.mode = s.mode;
  ctx.asText = s.mode == kText && !s.asTable;
  ctx.textFlag = s.mode == kText;
  ctx.withTables = s.withTables;
  ctx.raw = s.raw;
  run.step = "Dump Error: 1st Phrase " + s.phraseText + " is not between -8000 and 7FFF";
  ctx.firstPhrase = IsSignedHex(s.phraseText) ? Check16(HexToLong(s.phraseText)) : 0;
  run.step = "Dump Error: Length " + s.lengthText + " is above 7FFF";
  ctx.phraseLength = IsHex(s.lengthText) ? Check16(HexToLong(s.lengthText)) : 0;
  run.step = "Dump Error";
}

// A range that holds no byte of the file still gets its listing; the
// warning says why it is empty.
void NoteEmptyRange(const DumpContext& ctx, JobHost& host) {
  const auto size = static_cast<std::int64_t>(ctx.rom->size());
  if (ctx.startOffset < size && ctx.endOffset >= 0) return;
  const std::string file = FileNameOf(ctx.romPath);
  if (ctx.startOffset >= size) {
    host.note("Nothing in range: " + file + " holds " + std::to_string(size) + " bytes (" +
              Hex(size) + "h) and the range starts at file offset " + Hex(ctx.startOffset) + "h.");
  } else {
    host.note("Nothing in range: the range ends at file offset " + HexSigned(ctx.endOffset) +
              "h, before the first byte of " + file + ".");
  }
}

void WriteHeader(DumpContext& ctx) {
  const Settings& s = ctx.settings;
  OutFile& out = *ctx.out;
  WriteBanner(out);
  out.line();
  out.line("View me in a mono-spaced font like Courier New with tabs set to 6 spaces!");
  out.line(kRuleLine);
  out.line("; " + FileNameOf(ctx.romPath));
  out.line("; Block: " + s.blockText + " Address Base: " + HexWord(s.base));
  if (!ctx.window.empty()) out.line("; Window " + HexWord(s.base) + ": " + ctx.window);
  for (const std::string& line : ctx.headerLines) out.line("; " + line);
  out.line(std::string("; ") + (ctx.mode == kCode ? "Lines" : "Table") + " " + HexWord(s.start) +
           " thru " + HexWord(s.end));
  out.line("; " + std::to_string(static_cast<long long>(s.end) - s.start + 1) + " bytes");
  out.line(kRuleLine);
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
    if (!ctx.rom) ctx.rom = std::make_unique<RomCursor>(ctx.romPath);
    ctx.rom->seek(ctx.startOffset);
    ctx.firstByte = true;
    step.beginPass(ctx);
    while (ctx.rom->offset() < ctx.rom->size() && ctx.rom->offset() <= ctx.endOffset) {
      HandleByte(ctx, step);
    }
  }
}

// Reads the options, asks for the files and reads the ROM and the
// definitions; nullptr when a reader refused its file (it has been
// reported). Only a cancelled dialog ends the dump as cancelled: a file that
// can't be read or written is an error that names it, and the output is
// created only once every input has been read.
std::unique_ptr<DumpStep> Prepare(DumpContext& ctx, JobRun& run, TableListMaker maker,
                                  const WindowChooser& chooser, Settings& settings) {
  ReadDumpOptions(ctx, run);
  if (maker && ctx.mode == kCode) {
    ctx.tableListMaker = std::move(maker);
    ctx.withTables = true;
  }
  std::unique_ptr<DumpStep> step = MakeDumpStep(ctx.mode);
  if (!step) throw JobError::Cancelled();
  ctx.romPath = run.ask(Dialog::OpenNES);
  ctx.outPath = StripExtension(ctx.romPath) + (ctx.asText ? " Text.txt" : ".asm.txt");
  if (ctx.mode == kCode) ctx.tablesOutPath = FolderOf(ctx.romPath) + "Tables.txt";
  RefuseOverwrite(kDumpErrorTitle, ctx.outPath, {ctx.romPath});
  ctx.rom = std::make_unique<RomCursor>(ctx.romPath);
  if (chooser && ctx.mode == kCode) ctx.window = chooser(*ctx.rom, settings);
  try {
    if (!step->prepare(ctx)) return nullptr;
  } catch (const JobError& e) {
    // A definition file that could not be read: the error carries its name.
    if (e.kind() == JobError::Kind::Run) run.file = e.detail();
    throw;
  }
  if (step->needsCharTable(ctx)) {
    const std::string tbl = run.ask(Dialog::OpenTBL);
    RefuseOverwrite(kDumpErrorTitle, ctx.outPath, {ctx.romPath, tbl});
    ctx.charTable = ReadJobCharTable(tbl, ctx.settings, run.host);
    ctx.tablePath = tbl;
  }
  ctx.out = std::make_unique<OutFile>(ctx.outPath);
  return step;
}

}  // namespace

JobResult PlainDumpJob(const Settings& window, JobHost& host) {
  return DumpWithMadeList(window, host, nullptr);
}

JobResult DumpWithMadeList(const Settings& window, JobHost& host, TableListMaker maker,
                           WindowChooser chooser) {
  const JobTexts texts{
      .cancelled = "Dump Canceled", .failed = "Dump Error", .minor = "Dump Minor Error"};
  return RunJob(host, texts, [&](JobRun& run) {
    Settings settings = window;
    CorrectRangeForJob(settings);
    DumpContext ctx(settings, run.host);
    run.step = "Dump Error";
    const std::unique_ptr<DumpStep> step = Prepare(ctx, run, std::move(maker), chooser, settings);
    for (const std::string& made : ctx.madeFiles) run.wrote(made);
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
    NoteEmptyRange(ctx, run.host);
    step->endPasses(ctx);
    ctx.out->line(kRuleLine);
    step->finish(ctx);
    ctx.out->close();
    step->afterClose(ctx);
    if (!ctx.tablesOutPath.empty() && (!ctx.withTables || ctx.tableListMaker)) {
      run.wrote(ctx.tablesOutPath);
    }
  });
}

}  // namespace morvane
