// Disk split over random image bytes and disk merge over random listings.
// The first input byte picks the job and the "16 Byte Header" setting.
#include "FuzzSupport.h"
#include "fds/FdsMerge.h"
#include "fds/FdsSplit.h"
#include "shell/Settings.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  if (size < 1) return 0;
  Settings settings;
  settings.header = (data[0] & 0x02) != 0;
  QuietHost host;
  if ((data[0] & 0x01) == 0) {
    host.files[Dialog::OpenFDS] = {fuzz::WriteInput("disk.fds", data + 1, size - 1)};
    FdsSplitJob(settings, host);
  } else {
    host.files[Dialog::OpenTXT] = {fuzz::WriteInput("disk FDS Files.txt", data + 1, size - 1)};
    FdsMergeJob(settings, host);
  }
  return 0;
}
