// The tile sheet reader and the bank encoder over any bitmap bytes. Inputs
// shorter than a sheet are padded after a valid header so that the reader
// gets past its checks often.
#include <string>

#include "games/RomanciaEncoder.h"
#include "games/RomanciaSheet.h"
#include "shell/JobError.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace morvane;
  const std::string bmp(reinterpret_cast<const char*>(data), size);
  if (!CheckSheetBitmap(bmp).empty()) return 0;
  try {
    for (const PatternBank& bank : ReadSheet(bmp)) EncodeBank(bank);
  } catch (const JobError&) {
  }
  return 0;
}
