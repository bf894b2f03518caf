// 8-bit Code: 6502 disassembly driven by the Op_Codes file, with the tables
// of a Table List written as data, or without one the code told from data.
#include "dump/CodeDump.h"
#include "dump/Disassembler.h"
#include "dump/DumpStep.h"
#include "dump/ReferenceListings.h"
#include "dump/TableRenderer.h"
#include "shell/InFile.h"
#include "shell/JobError.h"
#include "shell/OutFile.h"

namespace morvane {

namespace {

// A dump never writes over one of the files it reads.
void RefuseInputAsOutput(const std::string& output, std::initializer_list<std::string> inputs) {
  for (const std::string& input : inputs) {
    if (!input.empty() && SameFile(output, input)) {
      throw JobError::Minor("Error During Dump",
                            "The output file would replace the input file " + input + ".", output);
    }
  }
}

class CodeStep final : public DumpStep {
 public:
  bool prepare(DumpContext& ctx) override {
    d_.withTables = ctx.withTables;
    d_.raw = ctx.raw;
    d_.dumpStart = ctx.settings.start;
    d_.dumpEnd = ctx.settings.end;
    d_.firstPass = firstPass(ctx);
    JobHost& host = ctx.host;
    const auto ops = host.askFile(Dialog::OpenTXT);
    if (!ops) throw JobError::Cancelled();
    std::string list;
    if (d_.withTables) {
      const auto chosen = host.askFile(Dialog::OpenTableTXT);
      if (!chosen) throw JobError::Cancelled();
      list = *chosen;
    }
    RefuseInputAsOutput(ctx.outPath, {ctx.romPath, *ops, list});
    if (!d_.withTables) RefuseInputAsOutput(ctx.tablesOutPath, {ctx.romPath, *ops});
    if (d_.withTables) {
      const TableListResult read =
          ReadTableList(list, d_.dumpEnd, d_.tables, d_.ops.ReadNames, host);
      if (!read.ok) return false;
      needsCharTable_ = read.needsCharTable;
    }
    if (!ReadOpCodes(*ops, d_.ops, host)) {
      host.setStatus("Dump Canceled");
      return false;
    }
    return true;
  }

  bool needsCharTable(const DumpContext&) const override { return needsCharTable_; }
  int firstPass(const DumpContext& ctx) const override { return ctx.withTables ? 0 : -1; }

  void beginPass(DumpContext& ctx) override {
    d_.pass = ctx.pass;
    d_.charTable = &ctx.charTable;
    d_.stacks.PSClear();
    d_.insideTable = false;
    if (ctx.pass != d_.firstPass) return;
    d_.marks.set(d_.dumpStart, kBlockStart);
    d_.runStart = d_.dumpStart;
    // Split tables read their partner's bytes wherever the partner lies.
    const RomCursor& rom = *ctx.rom;
    for (std::int32_t a = 0; a <= 0xFFFF; ++a) {
      const int b = rom.peekAt(static_cast<std::int64_t>(a) - ctx.origin);
      if (b >= 0) d_.marks.setRom(a, static_cast<std::uint8_t>(b));
    }
  }

  void step(DumpContext& ctx) override {
    const std::int32_t a = ctx.address;
    const std::uint8_t b = ctx.byte;
    d_.marks.setRom(a, b);
    if (d_.tableStartsAt(a) && (d_.withTables || (ctx.pass == 0 && d_.raw))) {
      tables_.open(a, ctx.line);
      d_.insideTable = true;
    }
    if (d_.insideTable) tables_.count(a, b, ctx.line);
    AppendLabel(d_, a, ctx.line);
    if (d_.insideTable) {
      tables_.write(a, b, ctx.line);
    } else {
      DisassembleOpcode(d_, ctx);
    }
  }

  void finish(DumpContext& ctx) override { WriteReferenceListings(*ctx.out, d_); }

  void afterClose(DumpContext& ctx) override {
    if (d_.withTables) return;
    OutFile out(ctx.tablesOutPath);
    out.write(TablesTxtText(d_, d_.raw));
    out.close();
  }

 private:
  CodeDump d_;
  TableRenderer tables_{d_};
  bool needsCharTable_ = false;
};

}  // namespace

std::unique_ptr<DumpStep> MakeCodeStep() {
  return std::make_unique<CodeStep>();
}

}  // namespace morvane
