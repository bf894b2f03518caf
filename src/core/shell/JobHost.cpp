#include "shell/JobHost.h"

namespace morvane {

const DialogSpec& SpecOf(Dialog dialog) {
  static const DialogSpec kSpecs[] = {
      {"cdbOpenNES", "Select ROM File to Read",
       "NES Files|*.nes|FDS Files|*.fds|Binary Files|*.bin|Text Files|*.txt|All Files|*.*", ""},
      {"cdbOpenTBL", "Select Character Map Table File to Read", "Table Files|*.tbl", ""},
      {"cdbOpenTXT", "Select Op Codes Text File to Read", "Text Files|*.txt", "Op_Codes_NES.txt"},
      {"cdbOpenTableTXT", "Select Table List Text File To Read", "Text Files|*.txt", ""},
      {"cdbOpenSJS", "Select Script Text File to Read",
       "Shift-JIS or UTF-8 Files|*.sjs;*.txt|Shift-JIS Files|*.sjs|Text Files|*.txt|All "
       "Files|*.*",
       ""},
      {"cdbOpenFDS", "Select Famicom Disk Image File to Read",
       "FDS Files|*.fds|NES Files|*.nes|All Files|*.*", ""},
      {"cdbOpenBmp", "Select 16 Color Bitmat File to Read", "Bitmap Files|*.bmp", ""},
  };
  return kSpecs[static_cast<int>(dialog)];
}

}  // namespace morvane
