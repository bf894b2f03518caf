#include "jobs/JobRegistry.h"

#include "analysis/FileCompare.h"
#include "analysis/FindPointers.h"
#include "analysis/RelativeSearch.h"
#include "analysis/SearchOptions.h"
#include "dump/DumpDriver.h"
#include "export/ExportCa65.h"
#include "fds/FdsMerge.h"
#include "fds/FdsSplit.h"
#include "games/GameDumpModes.h"
#include "games/PortopiaInsert.h"
#include "games/RomanciaGraphics.h"
#include "insert/Insert.h"
#include "insert/ScriptDump.h"
#include "insert/Strip.h"
#include "jobs/TextDumpChoice.h"
#include "patch/PatchApply.h"
#include "patch/PatchCreate.h"
#include "patch/PatchFiles.h"
#include "shell/Values.h"
#include "tables/TableFormat.h"
#include "tiles/TilesImportJob.h"
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
const OptionSpec kLayoutOption{"layout", "8x8, or 8x16 for sprite pairs, top tile over bottom",
                               OptionSpec::Takes::One, "8x8|8x16"};
const OptionSpec kCdlOption{"cdl",
                            "with --trace: an emulator's code/data log (FCEUX or Mesen .cdl) "
                            "the trace follows"};
const OptionSpec kWriteCdlOption{
    "write-cdl", "with --trace: write what the trace found as \"<rom>.cdl\" in this layout",
    OptionSpec::Takes::One, "fceux|mesen"};
const OptionSpec kLabelsOption{
    "labels", "a label file (Mesen .mlb, FCEUX .nl, ca65 .dbg), as often as needed",
    OptionSpec::Takes::Many};

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
         OptionSpec::Takes::Many, nullptr, &IsHex, "hex digits"},
        {"official-only",
         "8-bit Code with --trace: only the opcodes of the Op_Codes file, not the bundled "
         "unofficial ones",
         OptionSpec::Takes::Nothing},
        {"window",
         "8-bit Code with --trace: auto finds the CPU window the dumped bank runs at and dumps "
         "the whole bank (a preset or range given wins)",
         OptionSpec::Takes::One, "auto"},
        kCdlOption,
        kWriteCdlOption,
        {"labels",
         "8-bit Code: a label file (Mesen .mlb, FCEUX .nl, ca65 .dbg) whose names replace the "
         "listing's, as often as needed",
         OptionSpec::Takes::Many},
        {"write-labels",
         "8-bit Code: write the names the listing used for a debugger (\"<rom>.mlb\", or "
         "\"<rom>.<bank>.nl\" and \"<rom>.ram.nl\")",
         OptionSpec::Takes::One, "mlb|nl"},

        kTableFormatOption,
        kPointersOption,
        kCountOption,
        kPointerBaseOption},
       R::Button,
       &DumpOrScriptJob},
      {"insert",
       "Insert a translated script into a copy of a ROM",
       {kRom, kScript, kTbl},
       {},
       {kPatchOption, kTableFormatOption, kVerifyOption},
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
       "Relative search for a word (set it with --word) or a run of numbers (--values)",
       {{"--rom", D::OpenNES, "file to search"}},
       {S::Block, S::Header, S::Word},
       SearchOptionSpecs(),
       R::Button,
       &SearchJob},
      {"compare",
       "Compare two files",
       {{"--file1", D::OpenNES, "first file"},
        {"--file2", D::OpenNES, "second file"},
        {"--tbl1", D::OpenTBL, "character table of the first file (with --show-strings)"},
        {"--tbl2", D::OpenTBL, "character table of the second file (with --show-strings)"}},
       {S::Block, S::ShowStrings},
       {kTableFormatOption},
       R::Button,
       &CompareJob},
      {"pointers",
       "Find the pointers to phrases (\"<rom> Pointers.txt\")",
       {kRom},
       {},
       {{"address", "file offset of a phrase (hex, header included), as often as needed",
         OptionSpec::Takes::Many, nullptr, &IsHex, "hex digits"}},
       R::Menu,
       &FindPointersJob},
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
       {kPatchOption, kTableFormatOption},
       R::HiddenButton,
       &PortopiaInsertJob},
      {"romancia-graphics",
       "Insert Romancia's tile sheet",
       {{"--rom", D::OpenNES, "Romancia ROM"}, {"--bmp", D::OpenBmp, "16-colour tile sheet"}},
       {},
       {kPatchOption},
       R::HiddenButton,
       &RomanciaGraphicsJob},
      {"tiles-import",
       "Put a PNG tile sheet back into a copy of a ROM (\"<rom>_Modified\")",
       {kRom, {"--png", kOpenPng, "tile sheet (.png): indexed, or grey or RGB in the palette"}},
       {},
       {{"offset", "first byte of the first tile, hex (default: CHR-ROM of an iNES file, else 0)"},
        {"count", "tiles to take from the sheet (default: all it holds)"},
        {"columns", "tiles a row, 1 to 256 (default 16)"},
        {"bpp", "bits a pixel, 1 or 2 (default 2)"},
        {"palette", "colours of a grey or RGB sheet's pixel values 0-3 (default as tiles)"},
        kLayoutOption,
        kPatchOption},
       R::Menu,
       &TilesImportJob},
      {"export-ca65",
       "Export a whole ROM as a ca65 project that rebuilds it (\"<rom>.s\", \".cfg\", \".chr\")",
       {kRom, {"--opcodes", D::OpenTXT, "Op_Codes file (names of registers)", "Op_Codes_NES.txt"}},
       {},
       {{"tables",
         "a Table List: its tables in the banks that never switch are data, titled at their start"},
        {"cdl", "an emulator's code/data log (FCEUX or Mesen .cdl) the trace follows"},
        {"write-cdl", "write what the trace found as \"<rom>.cdl\" in this layout",
         OptionSpec::Takes::One, "fceux|mesen"},
        kLabelsOption,
        {"write-labels", "write the names the export used for a debugger", OptionSpec::Takes::One,
         "mlb|nl"}},
       R::Menu,
       &ExportCa65Job},
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
         "(default 000000,555555,AAAAAA,FFFFFF)"},
        kLayoutOption},
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
