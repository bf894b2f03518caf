#include "cli/CliJobs.h"

#include "analysis/FileCompare.h"
#include "analysis/RelativeSearch.h"
#include "dump/DumpDriver.h"
#include "fds/FdsMerge.h"
#include "fds/FdsSplit.h"
#include "games/PortopiaInsert.h"
#include "games/RomanciaGraphics.h"
#include "insert/Insert.h"
#include "insert/Strip.h"

namespace morvane {

const std::vector<CliJob>& CliJobs() {
  using D = Dialog;
  static const std::vector<CliJob> kJobs = {
      {"dump",
       "Dump / Disassemble a stretch of a ROM",
       {{"--rom", D::OpenNES, "ROM file to read"},
        {"--opcodes", D::OpenTXT, "Op_Codes file (8-bit Code)", "Op_Codes_NES.txt"},
        {"--tables", D::OpenTableTXT, "Table List file (8-bit Code with tables)"},
        {"--tbl", D::OpenTBL, "character table (.tbl)"}},
       &cmdDump_Click},
      {"insert",
       "Insert a translated script into a copy of a ROM",
       {{"--rom", D::OpenNES, "ROM file to read"},
        {"--script", D::OpenSJS, "script file"},
        {"--tbl", D::OpenTBL, "character table (.tbl)"}},
       &cmdInsert_Click},
      {"strip",
       "Strip a script file down to its translated text",
       {{"--script", D::OpenSJS, "script file"}},
       &cmdStrip_Click},
      {"search",
       "Relative search for a word (set it with --word)",
       {{"--rom", D::OpenNES, "file to search"}},
       &cmdSearch_Click},
      {"compare",
       "Compare two files",
       {{"--file1", D::OpenNES, "first file"},
        {"--file2", D::OpenNES, "second file"},
        {"--tbl1", D::OpenTBL, "character table of the first file (with --show-strings)"},
        {"--tbl2", D::OpenTBL, "character table of the second file (with --show-strings)"}},
       &cmdCompare_Click},
      {"fds-split",
       "Split a Famicom Disk System image into a listing and files",
       {{"--image", D::OpenFDS, "disk image"}},
       &cmdFDSSplit_Click},
      {"fds-merge",
       "Merge a disk listing and its files back into an image",
       {{"--listing", D::OpenTXT, "disk listing (\" FDS Files.txt\")"}},
       &cmdFDSMerge_Click},
      {"portopia-insert",
       "Insert Portopia's text",
       {{"--rom", D::OpenNES, "Portopia ROM"},
        {"--script", D::OpenSJS, "script file"},
        {"--tbl", D::OpenTBL, "character table (.tbl)"}},
       &cmdInsertPortopia_Click},
      {"romancia-graphics",
       "Insert Romancia's tile sheet",
       {{"--rom", D::OpenNES, "Romancia ROM"}, {"--bmp", D::OpenBmp, "16-colour tile sheet"}},
       &cmdInsertGraphics_Click},
  };
  return kJobs;
}

}  // namespace morvane
