// Which step runs for each dump mode: the modes of dump/ and those registered.
#include <map>

#include "dump/DumpStep.h"
#include "shell/ListingWords.h"
#include "shell/SettingsModel.h"
#include "shell/Values.h"

namespace morvane {

std::unique_ptr<DumpStep> MakeTableOnlyStep();
std::unique_ptr<DumpStep> MakeTextStep();
std::unique_ptr<DumpStep> MakeCodeStep();

namespace {
std::map<int, DumpStepMaker>& Makers() {
  static std::map<int, DumpStepMaker> makers = {
      {kTableOnly, &MakeTableOnlyStep}, {kText, &MakeTextStep}, {kCode, &MakeCodeStep}};
  return makers;
}
}  // namespace

void DumpStep::listByte(DumpContext& ctx) {
  ctx.line += ByteLine(ctx.byte, false);
}

void RegisterDumpMode(int mode, DumpStepMaker make, const ModeRange* range) {
  Makers()[mode] = make;
  if (range != nullptr) SetModeRange(mode, *range);
}

std::unique_ptr<DumpStep> MakeDumpStep(int mode) {
  const auto it = Makers().find(mode);
  return it == Makers().end() ? nullptr : it->second();
}

}  // namespace morvane
