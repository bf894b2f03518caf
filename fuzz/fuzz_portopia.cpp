// Portopia's text insertion over any script bytes, into a blank ROM.
#include <string>

#include "FuzzSupport.h"
#include "games/PortopiaInsert.h"
#include "shell/QuietHost.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  static const std::string rom = [] {
    const std::string blank(0xC010, '\0');
    return fuzz::WriteInput("portopia.nes", reinterpret_cast<const std::uint8_t*>(blank.data()),
                            blank.size());
  }();
  QuietHost host;
  host.files[Dialog::OpenNES] = {rom};
  host.files[Dialog::OpenSJS] = {fuzz::WriteInput("script.txt", data, size)};
  host.files[Dialog::OpenTBL] = {std::string(MORVANE_SOURCE_SAMPLES_DIR) + "/sample.tbl"};
  PortopiaInsertJob(Settings{}, host);
  return 0;
}
