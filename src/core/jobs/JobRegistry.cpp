#include "jobs/JobRegistry.h"

#include "analysis/FileCompare.h"
#include "analysis/RelativeSearch.h"
#include "dump/DumpDriver.h"
#include "fds/FdsMerge.h"
#include "fds/FdsSplit.h"
#include "games/GameDumpModes.h"
#include "games/PortopiaInsert.h"
#include "games/RomanciaGraphics.h"
#include "insert/Insert.h"
#include "insert/Strip.h"
#include "patch/PatchApply.h"
#include "patch/PatchCreate.h"
#include "patch/PatchFiles.h"
#include "shell/Values.h"
#include "tiles/TilesJob.h"
#include "trace/TraceDump.h"

namespace morvane {

namespace {

using D = Dialog;
using S = Setting;
using R = Reach;

const FileSpec kRom{"--rom", D::OpenNES, "ROM file to read"};
const FileSpec kScript{"--script", D::OpenSJS, "script file"};
const FileSpec kTbl{"--tbl", D::OpenTBL, "character table (.tbl)"};

}  // namespace

const std::vector<JobSpec>& Jobs() {
  // The dump's modes from beyond dump/ join it with the registry.
  static const bool kModes = (RegisterGameDumpModes(), true);
  (void)kModes;
  static const std::vector<JobSpec> kJobs = {
      {"dump",
       "Dump / Disassemble a stretch of a ROM",
       {kRom,
        {"--opcodes", D::OpenTXT, "Op_Codes file (8-bit Code)", "Op_Codes_NES.txt"},
        {"--tables", D::OpenTableTXT, "Table List file (8-bit Code with tables)"},
        kTbl},
       {S::Preset, S::Address, S::Block, S::Start, S::End, S::Header, S::Mode, S::AsTable,
        S::Concat, S::Phrase, S::Length, S::Tables, S::Raw, S::Trace},
       {{"entry", "8-bit Code with --trace: one more entry point (hex), as often as needed",
         OptionSpec::Takes::Many, nullptr, &IsHex, "hex digits"}},
       R::Button,
       &DumpJob},
      {"insert",
       "Insert a translated script into a copy of a ROM",
       {kRom, kScript, kTbl},
       {},
       {kPatchOption},
       R::Button,
       &InsertJob},
      {"strip",
       "Strip a script file down to its translated text",
       {kScript},
       {},
       {},
       R::Button,
       &StripJob},
      {"search",
       "Relative search for a word (set it with --word)",
       {{"--rom", D::OpenNES, "file to search"}},
       {S::Block, S::Header, S::Word},
       {},
       R::Button,
       &SearchJob},
      {"compare",
       "Compare two files",
       {{"--file1", D::OpenNES, "first file"},
        {"--file2", D::OpenNES, "second file"},
        {"--tbl1", D::OpenTBL, "character table of the first file (with --show-strings)"},
        {"--tbl2", D::OpenTBL, "character table of the second file (with --show-strings)"}},
       {S::Block, S::ShowStrings},
       {},
       R::Button,
       &CompareJob},
      {"fds-split",
       "Split a Famicom Disk System image into a listing and files",
       {{"--image", D::OpenFDS, "disk image"}},
       {S::Header},
       {},
       R::Button,
       &FdsSplitJob},
      {"fds-merge",
       "Merge a disk listing and its files back into an image",
       {{"--listing", D::OpenTXT, "disk listing (\" FDS Files.txt\")"}},
       {},
       {},
       R::Button,
       &FdsMergeJob},
      {"portopia-insert",
       "Insert Portopia's text",
       {{"--rom", D::OpenNES, "Portopia ROM"}, kScript, kTbl},
       {},
       {kPatchOption},
       R::HiddenButton,
       &PortopiaInsertJob},
      {"romancia-graphics",
       "Insert Romancia's tile sheet",
       {{"--rom", D::OpenNES, "Romancia ROM"}, {"--bmp", D::OpenBmp, "16-colour tile sheet"}},
       {},
       {kPatchOption},
       R::HiddenButton,
       &RomanciaGraphicsJob},
      {"patch-create",
       "Create a patch that makes the modified file of the original",
       {{"--file1", kOpenOriginal, "original file"}, {"--file2", kOpenModified, "modified file"}},
       {},
       {{"format", "patch format (default bps)", OptionSpec::Takes::One, "ips|bps"}},
       R::Menu,
       &PatchCreateJob},
      {"patch-apply",
       "Apply an IPS or BPS patch to a copy of a ROM",
       {kRom, {"--patch", kOpenPatch, "patch file (.ips or .bps)"}},
       {},
       {},
       R::Menu,
       &PatchApplyJob},
      {"tiles",
       "Draw a ROM's tiles as a PNG sheet beside it (\"<rom> Tiles.png\")",
       {kRom},
       {},
       {{"offset", "first byte of the first tile, hex (default: CHR-ROM of an iNES file, else 0)"},
        {"count", "tiles to draw (default: to the end of the file, at most 4096)"},
        {"columns", "tiles a row, 1 to 256 (default 16)"},
        {"scale", "screen pixels a tile pixel, 1 to 16 (default 1)"},
        {"bpp", "bits a pixel, 1 or 2 (default 2)"},
        {"palette",
         "colours of the pixel values 0-3 as RRGGBB,RRGGBB,RRGGBB,RRGGBB "
         "(default 000000,555555,AAAAAA,FFFFFF)"}},
       R::CommandLine,
       &TilesJob},
  };
  return kJobs;
}

const JobSpec* FindJob(std::string_view name) {
  for (const JobSpec& job : Jobs()) {
    if (name == job.name) return &job;
  }
  return nullptr;
}

}  // namespace morvane
