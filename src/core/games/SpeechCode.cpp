#include "games/SpeechCode.h"

#include "games/PseudoCodeStep.h"
#include "shell/ListingWords.h"
#include "shell/Values.h"

namespace morvane {

namespace {

std::string Digit(int value) {
  return std::string(1, "0123456789ABCDEF"[value & 15]);
}

// The flag number of a bit statement: two bits of the opcode, eight of the operand.
std::string Bit(std::uint8_t opcode, std::uint8_t operand) {
  return "$3[" + Digit(opcode % 4) + HexByte(operand) + "]";
}

// Text of a statement that is neither a print, a jump, a call nor the end.
std::string StatementText(std::uint8_t op, std::uint8_t operand) {
  const std::string xx = HexByte(operand);
  if (op <= 0x07) return "Set Bit " + Bit(op, operand);
  if (op <= 0x0B) return "Clear Bit " + Bit(op, operand);
  if (op <= 0x0F) return "If Bit " + Bit(op, operand) + " Is Clear Then";
  if (op <= 0x1F) return "If Bit " + Bit(op, operand) + " Is Set Then";
  if (op <= 0x2F) return "$" + xx + " = " + Digit(op - 0x20);
  if (op <= 0x3F) return "If $" + xx + " = " + Digit(op - 0x30) + " Then";
  if (op <= 0x4F) return "If $" + xx + " <> " + Digit(op - 0x40) + " Then";
  if (op <= 0x5F) return "If $" + xx + " > " + Digit(op - 0x50) + " Then";
  return "If $" + xx + " < " + Digit(op - 0x60) + " Then";
}

void Print(OutFile& out, std::uint8_t op, std::uint8_t operand, std::string& line) {
  const std::string message = Digit(op % 2) + HexByte(operand);
  const bool special = IsSpeechSpecialCase(op, operand);
  std::string first = line + "Set Bit $3[" + message + "]";
  if (special) first += "\t\t\t[Note: Starts with '\\/' so...]";
  out.line(first);
  if (op >= 2 && !special) {
    out.line("\t\t\t\t;Clear Speech Text Area = (0 thru 31, 18 thru 25) unless Title Screen");
  }
  const bool here = op < 2 || special;
  out.line(ByteLine(operand, false) + "Print " + message + " To The Screen Starting At " +
           (here ? "4B|4A:PositionToWriteNextCharacter" : "2264"));
  line.clear();
}

}  // namespace

void DumpSpeechCode(RomCursor& rom, OutFile& out, std::uint8_t op, std::string& line,
                    bool& newBlock, bool& continueFlag) {
  if (op == 0xFF) {
    if (continueFlag) {
      // An end guarded by a condition: the byte after it is listed plainly.
      continueFlag = false;
      out.line(line + "End");
      out.line(ByteLine(rom.read(), false));
      line.clear();
    } else {
      line += "End";
      newBlock = true;
    }
    return;
  }
  const std::uint8_t operand = rom.read();
  const bool endsBlock = !continueFlag && op >= 0x81 && op <= 0x8F;
  if (endsBlock) newBlock = true;
  continueFlag = false;
  const std::string operandLine = ByteLine(operand, false);
  if (op <= 0x03) {
    Print(out, op, operand, line);
  } else if (op <= 0x0B || (op >= 0x20 && op <= 0x2F)) {
    out.line(line + StatementText(op, operand));
    out.line(operandLine);
    line.clear();
  } else if (op <= 0x6F) {
    out.line(line + StatementText(op, operand));
    out.line(operandLine);
    continueFlag = true;
  } else if (op <= 0x7F) {
    out.line(line + "UNDEFINED!");
    line = operandLine + "UNDEFINED!";
  } else {
    const std::string target = HexByte(op) + HexByte(operand);
    out.line(line + (op <= 0x8F ? "Continue At " : "jsr ") + target);
    line = ByteLine(operand, true) + "?";
    if (!endsBlock) {
      out.line(line);
      line.clear();
    }
  }
}

bool IsSpeechSpecialCase(std::uint8_t bank, std::uint8_t code) {
  if (bank == 0 || bank == 2) {
    return code == 0x06 || code == 0x38 || code == 0x3F || code == 0xBB || code == 0xDB;
  }
  if (bank == 1 || bank == 3) return code == 0x5D || code == 0x64;
  return false;
}

namespace {
class SpeechCodeStep final : public PseudoCodeStep {
 public:
  // A byte read while a condition is pending is marked as guarded.
  void listByte(DumpContext& ctx) override { ctx.line += ByteLine(ctx.byte, continueFlag_); }

  // A condition and the statement it guards are one step. A run of
  // conditions stops where the range ends, as every dump does: the last one
  // guards nothing that is listed.
  void step(DumpContext& ctx) override {
    DumpSpeechCode(*ctx.rom, *ctx.out, ctx.byte, ctx.line, newBlock_, continueFlag_);
    while (continueFlag_ && ctx.rom->offset() <= ctx.endOffset) {
      ctx.byte = ctx.rom->read();
      ctx.line = ByteLine(ctx.byte, continueFlag_);
      DumpSpeechCode(*ctx.rom, *ctx.out, ctx.byte, ctx.line, newBlock_, continueFlag_);
    }
    if (continueFlag_) {
      continueFlag_ = false;
      ctx.line.clear();
    }
  }

 private:
  bool continueFlag_ = false;
};
}  // namespace

std::unique_ptr<DumpStep> MakeSpeechCodeStep() {
  return std::make_unique<SpeechCodeStep>();
}

}  // namespace morvane
