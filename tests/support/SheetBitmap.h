// A blank 4-bit, 320 x 269, bottom-up tile sheet as the Romancia job reads it.
#pragma once

#include <string>

namespace morvane {

std::string BlankSheetBitmap();

}  // namespace morvane
