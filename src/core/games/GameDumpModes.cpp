#include "games/GameDumpModes.h"

#include "games/MenuCode.h"
#include "games/SpeechCode.h"
#include "shell/Settings.h"

namespace morvane {

void RegisterGameDumpModes() {
  RegisterDumpMode(kSpeech, &MakeSpeechCodeStep);
  RegisterDumpMode(kMenu, &MakeMenuCodeStep);
}

}  // namespace morvane
