// 8-bit Code: 6502 disassembly driven by the Op_Codes file, with the tables
// of a Table List written as data, or without one the code told from data.
#include <algorithm>
#include <optional>

#include "dump/CodeDump.h"
#include "dump/Disassembler.h"
#include "dump/DumpLabels.h"
#include "dump/DumpStep.h"
#include "dump/ListingWriter.h"
#include "dump/ReferenceListings.h"
#include "dump/TableRenderer.h"
#include "dump/UnofficialOpcodes.h"
#include "labels/LabelSet.h"
#include "rom/INesHeader.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutFile.h"
#include "shell/OutputGuard.h"
#include "shell/Reports.h"

namespace morvane {

namespace {

// Where label files count PRG ROM offsets from: after the header, or from
// the file's start when it has none.
INesHeader PrgOf(RomCursor& rom) {
  INesHeader header = ReadINesHeader(rom.bytesAt(0, kINesHeaderSize));
  if (!header.present) header.prgOffset = 0;
  return header;
}

class CodeStep final : public DumpStep {
 public:
  bool prepare(DumpContext& ctx) override {
    JobHost& host = ctx.host;
    const auto ops = host.askFile(Dialog::OpenTXT);
    if (!ops) throw JobError::Cancelled();
    std::string list;
    if (ctx.tableListMaker) {
      list = ctx.tablesOutPath;
      RefuseOverwrite(kDumpErrorTitle, list, {ctx.romPath, *ops});
    } else if (ctx.withTables) {
      const auto chosen = host.askFile(Dialog::OpenTableTXT);
      if (!chosen) throw JobError::Cancelled();
      list = *chosen;
    }
    RefuseOverwrite(kDumpErrorTitle, ctx.outPath, {ctx.romPath, *ops, list});
    if (!ctx.withTables) RefuseOverwrite(kDumpErrorTitle, ctx.tablesOutPath, {ctx.romPath, *ops});
    // A definition file that can't be read, or one whose addresses run past
    // the top of memory, ends the dump through the job error box.
    const std::string* reading = &list;
    // A traced dump follows the stable unofficial opcodes too, unless told
    // to keep to the chosen file's.
    const bool unofficial = ctx.tableListMaker && !ctx.settings.options.has(kOfficialOnly);
    const std::string bundled = kUnofficialOpCodes;
    labelPaths_ = ctx.settings.options.values("labels");
    writeLabels_ = ctx.settings.options.value("write-labels", "");
    try {
      // Label files are read first, as the Table List's maker titles the
      // tables they name.
      if (!labelPaths_.empty()) {
        CodeDump& d = makeDump(ctx);
        reading = &ctx.romPath;
        if (!ctx.rom) ctx.rom = std::make_unique<RomCursor>(ctx.romPath);
        const INesHeader header = PrgOf(*ctx.rom);
        LabelSet set;
        for (const std::string& path : labelPaths_) {
          reading = &path;
          ReadLabelFile(path, header, set);
        }
        TakeDumpLabels(d, set);
        for (const std::string& note : d.labels.notes) host.note(note);
      }
      std::optional<OpcodeSet> made;  // the definitions a made list was made with
      if (ctx.tableListMaker) {
        reading = &*ops;
        OpcodeSet& defs = made.emplace();
        ReadOpCodes(*ops, defs);
        reading = &bundled;
        if (unofficial) AddUnofficialOpcodes(defs);
        reading = &ctx.romPath;
        ctx.rom = std::make_unique<RomCursor>(ctx.romPath);
        static const LabelStore kNoLabels;
        const std::string listText =
            ctx.tableListMaker(ctx.romPath, *ctx.rom, ctx.settings, defs,
                               dump_ ? dump_->labels : kNoLabels, ctx.madeFiles, ctx.headerLines);
        reading = &list;  // the list made here: a failure to write it names the list
        OutFile out(list);
        out.write(listText);
        out.close();
      }
      CodeDump& d = dump_ ? *dump_ : makeDump(ctx);
      if (d.withTables) {
        d.tables = MakeTableMap();
        needsCharTable_ = ReadTableList(list, d.dumpEnd, d.tables, d.ops.ReadNames).needsCharTable;
      }
      reading = &*ops;
      if (made) {
        // The same definitions again: only the names are read anew, over the
        // list's titles.
        d.ops.modes = std::move(made->modes);
        d.ops.opcodes = std::move(made->opcodes);
        ReadOpCodeNames(*ops, d.ops);
      } else {
        ReadOpCodes(*ops, d.ops);
        reading = &bundled;
        if (unofficial) AddUnofficialOpcodes(d.ops);
      }
      NameFromLabels(d);
      d.shapes = ShapesOf(d.ops);
    } catch (const JobError& e) {
      if (e.kind() == JobError::Kind::Cancel) throw;
      if (e.kind() == JobError::Kind::Minor) {
        // A rejected Op_Codes file also says the dump was cancelled.
        Minor_Error_Handler(host, e.title(), e.message(), e.file());
        if (reading == &*ops) host.setStatus("Dump Canceled");
        return false;
      }
      // The job's error names the file, and keeps what the error said of it.
      throw JobError(e.number(), *reading, e.explanation());
    }
    return true;
  }

  // The per-address state is made here, not with the step, as asking
  // whether the mode has a step must stay cheap; and, without label files,
  // after a trace, so that it takes over the memory the trace has freed.
  CodeDump& makeDump(const DumpContext& ctx) {
    dump_ = std::make_unique<CodeDump>();
    tables_ = std::make_unique<TableRenderer>(*dump_);
    CodeDump& d = *dump_;
    d.withTables = ctx.withTables;
    d.raw = ctx.raw;
    d.dumpStart = ctx.settings.start;
    d.dumpEnd = ctx.settings.end;
    d.firstPass = firstPass(ctx);
    d.naming = !labelPaths_.empty() || !writeLabels_.empty();
    d.origin = ctx.settings.origin();
    return d;
  }

  bool needsCharTable(const DumpContext&) const override { return needsCharTable_; }
  int firstPass(const DumpContext& ctx) const override { return ctx.withTables ? 0 : -1; }

  void beginPass(DumpContext& ctx) override {
    CodeDump& d = *dump_;
    d.pass = ctx.pass;
    d.charTable = &ctx.charTable;
    d.stacks.PSClear();
    d.insideTable = false;
    if (ctx.pass != d.firstPass) return;
    d.marks.set(d.dumpStart, kBlockStart);
    d.runStart = d.dumpStart;
    // Split tables read their partner's bytes wherever the partner lies.
    const std::int64_t first = std::max<std::int64_t>(0, ctx.origin);
    const std::int64_t last = std::min<std::int64_t>(0xFFFF, ctx.origin + ctx.rom->size() - 1);
    if (first <= last) {
      const std::string seen =
          ctx.rom->bytesAt(first - ctx.origin, static_cast<std::size_t>(last - first + 1));
      d.marks.setRomRange(static_cast<std::int32_t>(first), seen.data(), seen.size());
    }
  }

  // The disassembly writes its own byte columns.
  void listByte(DumpContext&) override {}

  void step(DumpContext& ctx) override {
    CodeDump& d = *dump_;
    const std::int32_t a = ctx.address;
    const std::uint8_t b = ctx.byte;
    d.marks.setRom(a, b);
    const bool writes = ctx.pass == 1;
    if (d.tableStartsAt(a) && (d.withTables || (ctx.pass == 0 && d.raw))) {
      tables_->open(a);
      if (writes) tables_->header(a, ctx.line);
      d.insideTable = true;
    }
    const bool inTable = d.insideTable;
    if (inTable) tables_->count(a, b);
    if (writes) {
      if (inTable) tables_->breaks(ctx.line);
      AppendLabel(d, a, ctx.line);
    }
    // The model pass, then the text from what it found.
    if (inTable) {
      tables_->advance(a, b);
      if (writes) tables_->append(a, b, ctx.line);
    } else {
      const Instruction in = DisassembleOpcode(d, ctx);
      if (writes) AppendInstruction(d, in, ctx.line);
    }
  }

  void finish(DumpContext& ctx) override { WriteReferenceListings(*ctx.out, *dump_); }

  void afterClose(DumpContext& ctx) override {
    if (!writeLabels_.empty()) writeLabels(ctx);
    if (dump_->withTables) return;
    OutFile out(ctx.tablesOutPath);
    out.write(TablesTxtText(*dump_, dump_->raw));
    out.close();
  }

 private:
  // The names the listing used, beside the ROM; never over a file it read.
  void writeLabels(DumpContext& ctx) {
    const INesHeader header = PrgOf(*ctx.rom);
    for (const auto& [path, text] :
         DumpLabelFiles(*dump_, ctx.romPath, writeLabels_, header.prgOffset)) {
      RefuseOverwrite(kDumpErrorTitle, path, {ctx.romPath});
      for (const std::string& input : labelPaths_) {
        RefuseOverwrite(kDumpErrorTitle, path, {ctx.romPath, input});
      }
      OutFile out(path);
      out.write(text);
      out.close();
      ctx.madeFiles.push_back(path);
    }
  }

  std::vector<std::string> labelPaths_;
  std::string writeLabels_;
  std::unique_ptr<CodeDump> dump_;
  std::unique_ptr<TableRenderer> tables_;
  bool needsCharTable_ = false;
};

}  // namespace

std::unique_ptr<DumpStep> MakeCodeStep() {
  return std::make_unique<CodeStep>();
}

}  // namespace morvane
