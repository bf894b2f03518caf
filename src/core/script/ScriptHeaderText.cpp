// Writing the script header: the side of the format the text dump uses.
#include "script/ScriptHeader.h"
#include "shell/ListingWords.h"
#include "shell/Values.h"

namespace morvane {

std::string ScriptHeaderText(const DumpedScript& s) {
  const std::string offset = HexSigned(-s.origin);
  std::string text;
  const auto line = [&](const std::string& words) { text += words + kLineEnd; };
  line("To insert this back into the ROM, move the following 6 lines to the top of your file,");
  line("and, replace NONE with the pointer table address.");
  line("See Help->How to Use Morvane - Part 1 - Insertion for more details and options.");
  line("");
  line(s.title + " Text");
  line("Phrases\t" + PhraseHex(s.firstPhrase) + "\t" + PhraseHex(s.lastPhrase));
  line("Chars\t" + Hex(s.maxChars) + "\t" + Hex(s.maxLines) + "\t");
  line("Ptrs\tNONE\t[NONE+1]\t" + offset + "\t2");
  line("Blocks\t1\t");
  line("Text\t" + UpperCase(s.startText) + "\t" + UpperCase(s.endText) + "\t" + offset);
  line(kRuleLine);
  line("");
  return text;
}

std::string ReadyScriptHeaderText(const ReadyScript& s) {
  const std::string offset = HexSigned(-s.origin);
  std::string text;
  const auto line = [&](const std::string& words) { text += words + kLineEnd; };
  line(s.title + " Text");
  line("Phrases\t" + HexSigned(s.firstPhrase) + "\t" + HexSigned(s.lastPhrase));
  line("Chars\t" + Hex(s.columns) + "\t" + Hex(s.rows) + "\t");
  if (s.pointers) {
    line("Ptrs\t" + Hex(s.pointers->low) + "\t" + Hex(s.pointers->high) + "\t" + offset + "\t" +
         Hex(s.pointers->step));
  } else {
    line("Ptrs\tNONE\t[NONE+1]\t" + offset + "\t2");
  }
  line("Blocks\t" + Hex(static_cast<std::int64_t>(s.blocks.size())) + "\t");
  for (const ReadyScript::Block& b : s.blocks) {
    line("Text\t" + Hex(b.first) + "\t" + Hex(b.last) + "\t" + offset + "\t" +
         HexSigned(b.lastPhrase) + "\t" + HexSigned(b.adjust));
  }
  return text;
}

}  // namespace morvane
