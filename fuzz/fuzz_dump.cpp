// The dump driver over random ROM bytes in every mode. The first input byte
// picks the mode and options; the rest is the ROM, with a character table
// and definition files taken from the bundled data when a mode asks.
#include "FuzzSupport.h"
#include "dump/DumpDriver.h"
#include "games/GameDumpModes.h"
#include "shell/SettingsModel.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  if (size < 1) return 0;
  RegisterGameDumpModes();
  const std::uint8_t knobs = data[0];
  SettingsModel model;
  model.chooseMode((knobs & 0x07) % 5);
  model.setHeader((knobs & 0x08) != 0);
  model.setAsTable((knobs & 0x10) != 0);
  model.setWithTables((knobs & 0x40) != 0);  // with the sample's Table List
  model.setLengthText((knobs & 0x20) != 0 ? "2" : "0");
  model.setStart("8000");
  model.setEnd("83FF");
  QuietHost host;
  host.files[Dialog::OpenNES] = {fuzz::WriteInput("rom.nes", data + 1, size - 1)};
  host.files[Dialog::OpenTBL] = {std::string(MORVANE_SOURCE_SAMPLES_DIR) + "/sample.tbl"};
  host.files[Dialog::OpenTXT] = {std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt"};
  host.files[Dialog::OpenTableTXT] = {std::string(MORVANE_SOURCE_SAMPLES_DIR) +
                                      "/sample_tables.txt"};
  PlainDumpJob(model.settings(), host);
  return 0;
}
