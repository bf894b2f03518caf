#include "games/GameDumpModes.h"

#include "games/MenuCode.h"
#include "games/SpeechCode.h"
#include "shell/Settings.h"
#include "shell/SettingsModel.h"

namespace morvane {

namespace {
// Where Portopia keeps its speech and its menus.
constexpr ModeRange kSpeechRange{AddressPreset::At6000, "8000", "8D81", "0.0"};
constexpr ModeRange kMenuRange{AddressPreset::At8000, "C5D3", "CB2B", "1.0"};
}  // namespace

void RegisterGameDumpModes() {
  RegisterDumpMode(kSpeech, &MakeSpeechCodeStep, &kSpeechRange);
  RegisterDumpMode(kMenu, &MakeMenuCodeStep, &kMenuRange);
}

}  // namespace morvane
