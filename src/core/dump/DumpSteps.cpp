// Which step runs for each dump mode. A mode that is not built yet has none.
#include "dump/DumpStep.h"

namespace morvane {

std::unique_ptr<DumpStep> MakeTableOnlyStep();
std::unique_ptr<DumpStep> MakeTextStep();
std::unique_ptr<DumpStep> MakeSpeechCodeStep();
std::unique_ptr<DumpStep> MakeMenuCodeStep();
std::unique_ptr<DumpStep> MakeCodeStep();

std::unique_ptr<DumpStep> MakeDumpStep(int mode) {
  switch (mode) {
    case kTableOnly:
      return MakeTableOnlyStep();
    case kText:
      return MakeTextStep();
    case kSpeech:
      return MakeSpeechCodeStep();
    case kMenu:
      return MakeMenuCodeStep();
    case kCode:
      return MakeCodeStep();
    default:
      return nullptr;
  }
}

}  // namespace morvane
