// The pages of the About window, in the order they are shown.
#include "gui/FrmAbout.h"

namespace morvane {

namespace {

const AboutPage kPages[kAboutPages] = {
    {R"(Morvane Pro was written by Quenby.

Questions, bug reports and translations done with it are always welcome:
see the web address at the top of every dump for how to get in touch.

Thanks to everyone who documented the 6502, the NES and the Famicom Disk
System, and to the translators whose questions shaped every feature.

Morvane Pro needs the Qt 6 Widgets library for its window and its file
dialogs; nothing else has to be installed beside it.

Click this window (or push the button above) for more.)",
     QColor(0, 128, 0), "Display Current Features"},
    {R"(What Morvane Pro can do today:

 - Dump any stretch of a ROM as byte tables.
 - Dump text through a character table, as a table or as a script file.
 - Disassemble 6502 code with labels, comments and reference listings,
   with or without a Table List file (without one it writes Tables.txt).
 - Write embedded tables as plain, address, split, pattern, character
   and text tables.
 - Insert a translated script into a copy of a ROM.
 - Strip a script file down to its translation.
 - Relative search for Latin letters and kana.
 - Compare two files, optionally decoding the differences.
 - Split and merge Famicom Disk System images.
 - Dump Portopia's speech and menu pseudo-code.)",
     QColor(0, 64, 64), "Display History"},
    {R"(History, part 1

Morvane Pro began as a byte-table dumper: pick a block, a start and an
end, and get one .byte line per byte with the address every 16 bytes.

Text dumps through a character table came next, first as commented
tables and then as script files that can be fed straight back in.)",
     QColor(0, 0, 128), "Display More History"},
    {R"(History, part 2

The disassembler arrived with the Op_Codes file, so that any 6502
machine can be described without changing the program, and with the
Table List file for data tables hidden in the code.

Without a Table List the disassembler learned to find code by itself
and to write a starting Tables.txt for the user to correct.)",
     QColor(0, 0, 128), "Display More History"},
    {R"(History, part 3

Script insertion, strip, relative search and file compare followed, then
the Famicom Disk System split and merge.

The Portopia pseudo-code dumps and the two game-specific insertion tools
came last, written for one translation and kept because they show how
far a dump mode can go.)",
     QColor(0, 0, 128), "Display Planned Features"},
    {R"(Planned additions

 - More processors in the bundled Op_Codes files.
 - Pointer-table checks before insertion.
 - A search for dictionary (DTE/MTE) compression.
 - Saving the window's settings between runs.)",
     QColor(64, 0, 64), "Display Features That I Won't Add"},
    {R"(Features that will not be added

 - Changing a ROM in place: every job writes a new file beside its input.
 - Emulation, debugging or playing games.
 - Downloading ROMs, patches or tables from anywhere.
 - Guessing a character table without a relative search to start from.)",
     QColor(128, 0, 0), "Display Credits"},
};

}  // namespace

const AboutPage& AboutPageAt(int index) {
  return kPages[index];
}

}  // namespace morvane
