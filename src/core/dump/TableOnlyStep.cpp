// Table Only: one ".byte" line per byte, labelled every 16 bytes by the driver.
#include "dump/DumpStep.h"

namespace morvane {

namespace {
class TableOnlyStep final : public DumpStep {
 public:
  void step(DumpContext&) override {}
};
}  // namespace

std::unique_ptr<DumpStep> MakeTableOnlyStep() {
  return std::make_unique<TableOnlyStep>();
}

}  // namespace morvane
