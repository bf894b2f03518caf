#include "export/Ca65Lines.h"

#include "trace/Opcodes6502Table.h"
#include "shell/ListingWords.h"
#include "shell/Values.h"

namespace morvane {

namespace {

std::uint8_t Byte(const Disassembly& d, std::int64_t at) {
  return static_cast<std::uint8_t>(d.rom[static_cast<std::size_t>(at)]);
}

std::string Wrapped(const std::string& expr) {
  return expr.find_first_of("+-") == std::string::npos ? expr : "(" + expr + ")";
}

// The operand of the instruction at, named from unit u (-2: numbers only).
std::string Operand(const Disassembly& d, int u, std::int64_t at, const Instruction6502& in) {
  const int length = LengthOf(in.mode);
  const std::int32_t value = length == 3 ? Byte(d, at + 1) | Byte(d, at + 2) << 8 : Byte(d, at + 1);
  const auto named = [&](std::int64_t a) {
    return u == -2 ? "$" + (length == 3 ? HexWord(a) : HexByte(a)) : d.operand(u, a);
  };
  switch (in.mode) {
    case Mode::Acc:
      return "a";
    case Mode::Imm: {
      const auto part = u == -2 ? d.parts.end() : d.parts.find(at + 1);
      if (part == d.parts.end()) return "#$" + HexByte(value);
      const std::string expr = Wrapped(d.operand(u, part->second.value));
      return (part->second.part == AddressPart::Low ? "#<" : "#>") + expr;
    }
    case Mode::Zp:
      return named(value);
    case Mode::Zpx:
      return named(value) + ",x";
    case Mode::Zpy:
      return named(value) + ",y";
    case Mode::Izx:
      return "(" + named(value) + ",x)";
    case Mode::Izy:
      return "(" + named(value) + "),y";
    case Mode::Rel: {
      const auto offset = static_cast<std::int8_t>(value);
      const RomUnit* unit = u >= 0 ? &d.units[static_cast<std::size_t>(u)] : nullptr;
      const std::int64_t pc = unit ? unit->base + (at - unit->offset) : 0;
      if (unit && unit->covers(pc + 2 + offset)) return d.operand(u, pc + 2 + offset);
      const int k = offset + 2;
      return k < 0 ? "*-" + std::to_string(-k) : "*+" + std::to_string(k);
    }
    case Mode::Abs:
    case Mode::Abx:
    case Mode::Aby:
    case Mode::Ind: {
      // A zero-page address keeps its absolute form (an indirect jump has
      // no other).
      std::string expr = value < 0x100 && (u == -2 || !d.ramNames.contains(value))
                             ? "$" + HexWord(value)
                             : named(value);
      if (in.mode == Mode::Ind) return "(" + expr + ")";
      if (value < 0x100) expr = "a:" + expr;
      return expr + (in.mode == Mode::Abx ? ",x" : in.mode == Mode::Aby ? ",y" : "");
    }
    default:
      return {};
  }
}

class UnitWriter {
 public:
  UnitWriter(std::string& out, const Disassembly& d, int u)
      : out_(out), d_(d), u_(u), unit_(d.units[static_cast<std::size_t>(u)]) {}

  void write() {
    const std::int64_t end = unit_.offset + unit_.size;
    for (std::int64_t at = unit_.offset; at < end;) {
      const auto label = d_.labels.find(at);
      if (label != d_.labels.end()) line(label->second + ":", -1);
      at = d_.kind[static_cast<std::size_t>(at)] == ByteKind::Opcode ? instruction(at) : data(at);
    }
  }

 private:
  void line(const std::string& text, std::int64_t at) {
    out_ += text;
    const auto comment = at >= 0 ? d_.comments.find(at) : d_.comments.end();
    if (comment != d_.comments.end()) {
      std::string text = comment->second;
      for (char& c : text) c = c == '\n' || c == '\r' ? ' ' : c;
      out_ += "\t; " + text;
    }
    out_ += kLineEnd;
  }

  std::int64_t instruction(std::int64_t at) {
    const Instruction6502& in = Official6502(Byte(d_, at));
    const std::string operand = Operand(d_, u_, at, in);
    line("\t" + std::string(in.mnemonic) + (operand.empty() ? "" : " " + operand), at);
    return at + LengthOf(in.mode);
  }

  // Whether a data line may run on to k.
  bool continues(std::int64_t k) const {
    return k < unit_.offset + unit_.size && !d_.labels.contains(k) && !d_.parts.contains(k) &&
           !d_.comments.contains(k) && d_.kind[static_cast<std::size_t>(k)] == ByteKind::Data &&
           !d_.asBytes.contains(k);
  }

  std::int64_t data(std::int64_t at) {
    const auto part = d_.parts.find(at);
    if (part != d_.parts.end()) {
      const AddressPart& p = part->second;
      const bool word = p.part == AddressPart::Word;
      if (!word || (at + 1 < unit_.offset + unit_.size && !d_.labels.contains(at + 1))) {
        std::string expr = d_.operand(u_, p.value);
        if (p.less != 0) expr += "-" + std::to_string(p.less);
        const char* directive = word                         ? "\t.addr "
                                : p.part == AddressPart::Low ? "\t.lobytes "
                                                             : "\t.hibytes ";
        line(directive + expr, at);
        return at + (word ? 2 : 1);
      }
    }
    std::int64_t last = at + 1;
    std::string comment;
    const auto code = d_.asBytes.find(at);
    if (code != d_.asBytes.end()) {
      // Code the source can't hold as an instruction: its bytes, and it beside them.
      comment = "\t; " + code->second;
      const int length = LengthOf(Official6502(Byte(d_, at)).mode);
      while (last < at + length && continues(last)) ++last;
    } else {
      while (last < at + 16 && continues(last)) ++last;
    }
    std::string row = "\t.byte ";
    for (std::int64_t k = at; k < last; ++k) row += (k > at ? ",$" : "$") + HexByte(Byte(d_, k));
    line(row + comment, at);
    return last;
  }

  std::string& out_;
  const Disassembly& d_;
  int u_;
  const RomUnit& unit_;
};

}  // namespace

void UnitLines(std::string& out, const Disassembly& d, int unit) {
  UnitWriter(out, d, unit).write();
}

std::string InstructionText(const Disassembly& d, std::int64_t at, const std::string& note) {
  const Instruction6502& in = Official6502(Byte(d, at));
  if (in.mode == Mode::None) {
    return "unofficial opcode $" + HexByte(Byte(d, at)) + (note.empty() ? "" : ": " + note);
  }
  const int u = d.unitAt(at);
  const RomUnit& unit = d.units[static_cast<std::size_t>(u)];
  if (at + LengthOf(in.mode) > unit.offset + unit.size) {
    return std::string(in.mnemonic) + ", cut by the end of the bank";
  }
  const std::string operand = Operand(d, -2, at, in);
  return std::string(in.mnemonic) + (operand.empty() ? "" : " " + operand);
}

}  // namespace morvane
