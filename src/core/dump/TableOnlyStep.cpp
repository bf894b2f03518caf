// Table Only: one ".byte" line per byte, labelled every 16 bytes.
#include "dump/DumpStep.h"
#include "shell/Values.h"

namespace morvane {

namespace {
class TableOnlyStep final : public DumpStep {
 public:
  void beginLine(DumpContext& ctx) override {
    if (ctx.address % 16 == 0 || ctx.firstByte) ctx.line = HexWord(ctx.address) + ":";
  }
  void step(DumpContext&) override {}
};
}  // namespace

std::unique_ptr<DumpStep> MakeTableOnlyStep() {
  return std::make_unique<TableOnlyStep>();
}

}  // namespace morvane
