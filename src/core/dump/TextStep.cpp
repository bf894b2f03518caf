// Text: bytes decoded through the character table and split into phrases and
// lines, either as a script file ("as Text") or as a commented byte table
// ("as Table"). The script header block closes a script dump.
#include <algorithm>

#include "dump/DumpStep.h"
#include "script/ScriptHeader.h"
#include "shell/JobError.h"
#include "shell/ListingWords.h"
#include "shell/Values.h"
#include "tables/TableFormat.h"

namespace morvane {

namespace {

constexpr const char* kEnd2Row = "\\/\r\n";

struct TextState {
  int phraseNo = 0;
  int lineCount = 1;
  int maxLines = 1;
  int lineChars = 0;
  int maxChars = 0;
  bool atPhraseStart = true;
  int skipLeft = 0;
  bool pendingEnd2 = false;
  std::string lineText;
  bool prevWasEnd = false;
  bool concat = true;
  // With bytes to skip between phrases, a phrase's placeholder lines wait
  // until the skip is over (or the dump ends); whether it ended with the
  // alternate end of phrase.
  bool closePending = false;
  bool closedByEnd2 = false;
  // The byte just handled was skipped.
  bool skipped = false;
};

class TextStep final : public DumpStep {
 public:
  bool needsCharTable(const DumpContext&) const override { return true; }
  // A script has no byte column.
  void listByte(DumpContext& ctx) override {
    if (!ctx.asText) DumpStep::listByte(ctx);
  }

  void beginPass(DumpContext& ctx) override {
    s_ = TextState{};
    s_.phraseNo = ctx.firstPhrase;
    s_.skipLeft = ctx.phraseLength;
    s_.concat = ctx.asText || ctx.settings.concat;
  }

  void step(DumpContext& ctx) override {
    const int b = ctx.byte;
    const CharTable& t = ctx.charTable;
    if (s_.atPhraseStart) {
      if (s_.skipLeft != 0 && s_.phraseNo != ctx.firstPhrase) {
        --s_.skipLeft;
      } else {
        startPhrase(ctx);
      }
    }
    const bool skipping = s_.skipLeft != ctx.phraseLength;
    s_.skipped = skipping;
    const bool textByte = skipping || (b != t.newLineByte && b != t.endPhraseByte &&
                                       (b != t.endPhrase2Byte || s_.prevWasEnd));
    if (textByte) {
      addText(ctx, skipping);
    } else {
      endLine(ctx);
    }
    s_.prevWasEnd = b == t.endPhraseByte && !skipping;
  }

  bool writesLine(const DumpContext& ctx) const override {
    if (!ctx.asText) return true;
    // A skipped byte shows only in the line of skipped bytes.
    if (s_.skipped) return false;
    const int b = ctx.byte;
    return b == ctx.charTable.endPhrase2Byte || s_.prevWasEnd || b == ctx.charTable.newLineByte;
  }

  void endPasses(DumpContext& ctx) override {
    if (s_.closePending) closePhrase(ctx);
    const CharTable& t = ctx.charTable;
    if (t.endPhraseByte < 0 && t.endPhrase2Byte < 0 && s_.phraseNo == ctx.firstPhrase) {
      ctx.host.note(NoEndByteNote(ctx.tablePath));
    }
  }

  void finish(DumpContext& ctx) override {
    if (!ctx.asText) return;
    const Settings& set = ctx.settings;
    ctx.out->write(ScriptHeaderText({.title = StripExtension(FileNameOf(ctx.romPath)),
                                     .firstPhrase = ctx.firstPhrase,
                                     .lastPhrase = s_.phraseNo - 1,
                                     .maxChars = s_.maxChars,
                                     .maxLines = s_.maxLines,
                                     .origin = ctx.origin,
                                     .startText = set.startText,
                                     .endText = set.endText}));
  }

 private:
  void startPhrase(DumpContext& ctx) {
    s_.atPhraseStart = false;
    s_.skipLeft = ctx.phraseLength;
    if (s_.closePending) closePhrase(ctx);
    s_.maxLines = std::max(s_.maxLines, s_.lineCount);
    s_.lineCount = 1;
    if (ctx.asText) {
      ctx.out->line(PhraseHex(s_.phraseNo) + ":" + HexWord(ctx.address) + ":");
    } else {
      ctx.out->line(";----");
      ctx.out->line(";Phrase " + PhraseHex(s_.phraseNo));
      ctx.out->line(";----");
      ctx.line.insert(0, HexWord(ctx.address) + ":");
    }
  }

  // The lines that stand for the translation of a phrase: its number once per
  // text line, framed by "\/" rows for the alternate ends of phrase.
  std::string placeholders(int phrase, bool endedByEnd2) {
    std::string text;
    if (s_.pendingEnd2) text += kEnd2Row;
    s_.pendingEnd2 = false;
    for (int i = 0; i < s_.lineCount; ++i) text += std::to_string(phrase) + kLineEnd;
    if (endedByEnd2) text += kEnd2Row;
    return text;
  }

  // The closing of a phrase that was followed by skipped bytes: written on
  // its own, not on the line of the byte that starts the next phrase. The
  // empty line ends the phrase's translated rows; the skipped bytes follow.
  void closePhrase(DumpContext& ctx) {
    ctx.out->write(placeholders(s_.phraseNo - 1, s_.closedByEnd2));
    ctx.out->line();
    if (!s_.lineText.empty()) ctx.out->line(s_.lineText);
    s_.lineText.clear();
    s_.closePending = false;
  }

  void addText(DumpContext& ctx, bool skipping) {
    const int b = ctx.byte;
    const CharTable& t = ctx.charTable;
    if (skipping) {
      // A skipped byte is never text, whatever the table makes of it.
      s_.lineText += "{" + HexByte(b) + "}";
    } else if (b == t.endPhrase2Byte) {
      ctx.line += t.endPhrase2Text;
      s_.pendingEnd2 = true;
    } else {
      s_.lineText += t.text[b];
      s_.lineChars = Check16(s_.lineChars + static_cast<long long>(t.text[b].size()));
    }
    if (!s_.concat) {
      ctx.line += s_.lineText;
      s_.lineText.clear();
    }
  }

  void endLine(DumpContext& ctx) {
    const int b = ctx.byte;
    const CharTable& t = ctx.charTable;
    const std::string comment = ctx.asText ? "" : "\t\t\t\t;";
    ctx.line += s_.lineText;
    s_.lineText.clear();
    s_.maxChars = std::max(s_.maxChars, s_.lineChars);
    s_.lineChars = 0;
    if (b == t.endPhrase2Byte) ctx.line += kLineEnd + comment + t.endPhrase2Text;
    if (b == t.newPageByte) {
      ctx.line += kLineEnd + comment + std::string(kNewPageText);
      s_.lineCount = 0;
    }
    if (b == t.newLineByte) {
      if (!ctx.asText) ctx.line += kLineEnd;
      s_.lineCount = Check16(s_.lineCount + 1);
      return;
    }
    if (ctx.phraseLength > 0) {
      s_.closePending = true;
      s_.closedByEnd2 = b == t.endPhrase2Byte;
    } else if (ctx.asText) {
      ctx.line += kLineEnd + placeholders(s_.phraseNo, b == t.endPhrase2Byte);
    }
    s_.phraseNo = Check16(s_.phraseNo + 1);
    s_.atPhraseStart = true;
  }

  TextState s_;
};

}  // namespace

std::unique_ptr<DumpStep> MakeTextStep() {
  return std::make_unique<TextStep>();
}

}  // namespace morvane
