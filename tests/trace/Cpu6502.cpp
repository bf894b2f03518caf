#include "Cpu6502.h"

namespace morvane::test {

namespace {

enum class Mode { Imp, Imm, Zp, ZpX, ZpY, Abs, AbsX, AbsY, IndX, IndY, Rel, Ind };

// By the opcode's columns: aaa (bits 7-5), bbb (4-2), cc (1-0).
Mode ModeOf(std::uint8_t op) {
  const int cc = op & 3, b = (op >> 2) & 7, a = op >> 5;
  const bool byY = a == 4 || a == 5;  // STX, LDX, SAX, LAX index by Y
  if (cc == 1 || cc == 3) {
    constexpr Mode kModes[8] = {Mode::IndX, Mode::Zp,  Mode::Imm,  Mode::Abs,
                                Mode::IndY, Mode::ZpX, Mode::AbsY, Mode::AbsX};
    if (cc == 3 && byY && b == 5) return Mode::ZpY;
    if (cc == 3 && byY && b == 7) return Mode::AbsY;
    return kModes[b];
  }
  if (cc == 2) {
    constexpr Mode kModes[8] = {Mode::Imm, Mode::Zp,  Mode::Imp, Mode::Abs,
                                Mode::Imp, Mode::ZpX, Mode::Imp, Mode::AbsX};
    if (byY && b == 5) return Mode::ZpY;
    if (byY && b == 7) return Mode::AbsY;
    return kModes[b];
  }
  switch (b) {
    case 0:
      return a == 1 ? Mode::Abs : a >= 4 ? Mode::Imm : Mode::Imp;
    case 1:
      return Mode::Zp;
    case 3:
      return a == 3 ? Mode::Ind : Mode::Abs;
    case 4:
      return Mode::Rel;
    case 5:
      return Mode::ZpX;
    case 7:
      return Mode::AbsX;
    default:
      return Mode::Imp;
  }
}

}  // namespace

void Cpu6502::reset() {
  s_ = 0xFD;
  p_ = I | U;
  pc = word(0xFFFC);
}

void Cpu6502::interrupt(std::uint16_t vector, bool brk) {
  push(static_cast<std::uint8_t>(pc >> 8));
  push(static_cast<std::uint8_t>(pc));
  push(static_cast<std::uint8_t>(p_ | U | (brk ? B : 0)));
  set(I, true);
  pc = word(vector);
}

void Cpu6502::adc(std::uint8_t m) {
  const int sum = a_ + m + (p_ & C);
  set(V, (~(a_ ^ m) & (a_ ^ sum) & 0x80) != 0);
  set(C, sum > 0xFF);
  a_ = nz(sum);
}

std::uint16_t Cpu6502::address(std::uint8_t op, int& len, bool& immediate) {
  const auto at = [&](int n) { return read(static_cast<std::uint16_t>(pc + n)); };
  const auto zp = [&](int v) { return static_cast<std::uint16_t>(v & 0xFF); };
  const auto abs = [&](int add) { return static_cast<std::uint16_t>((at(1) | at(2) << 8) + add); };
  const auto pointer = [&](int z) {
    return static_cast<std::uint16_t>(read(zp(z)) | read(zp(z + 1)) << 8);
  };
  immediate = false;
  len = 2;
  switch (ModeOf(op)) {
    case Mode::Imp:
      len = 1;
      return 0;
    case Mode::Imm:
      immediate = true;
      return static_cast<std::uint16_t>(pc + 1);
    case Mode::Zp:
      return at(1);
    case Mode::ZpX:
      return zp(at(1) + x_);
    case Mode::ZpY:
      return zp(at(1) + y_);
    case Mode::IndX:
      return pointer(at(1) + x_);
    case Mode::IndY:
      return static_cast<std::uint16_t>(pointer(at(1)) + y_);
    case Mode::Rel:
      return static_cast<std::uint16_t>(pc + 2 + static_cast<std::int8_t>(at(1)));
    default:
      break;
  }
  len = 3;
  switch (ModeOf(op)) {
    case Mode::AbsX:
      return abs(x_);
    case Mode::AbsY:
      return abs(y_);
    case Mode::Ind: {
      // The 6502 reads the high byte from the same page.
      const std::uint16_t v = abs(0);
      return static_cast<std::uint16_t>(read(v) | read((v & 0xFF00) | ((v + 1) & 0xFF)) << 8);
    }
    default:
      return abs(0);
  }
}

int Cpu6502::step() {
  const std::uint8_t op = read(pc);
  int len = 1;
  bool immediate = false;
  const std::uint16_t ea = address(op, len, immediate);
  const std::uint16_t at = pc;
  pc = static_cast<std::uint16_t>(pc + len);
  bool ran = false;
  switch (op & 3) {
    case 0:
      ran = group0(op, ea, len);
      break;
    case 1: {
      const int a = op >> 5;
      if (a == 4) {
        if (!immediate) bus_.write(ea, a_);  // 89: a NOP with an immediate
      } else {
        const std::uint8_t m = read(ea);
        constexpr int kOra = 0, kAnd = 1, kEor = 2, kAdc = 3, kLda = 5, kCmp = 6;
        if (a == kOra) a_ = nz(a_ | m);
        if (a == kAnd) a_ = nz(a_ & m);
        if (a == kEor) a_ = nz(a_ ^ m);
        if (a == kAdc) adc(m);
        if (a == kLda) a_ = nz(m);
        if (a == kCmp) compare(a_, m);
        if (a == 7) adc(static_cast<std::uint8_t>(~m));
      }
      ran = true;
      break;
    }
    case 2:
      ran = group2(op, ea, len == 1);
      break;
    default:
      ran = group3(op, ea);
      break;
  }
  if (!ran) {
    pc = at;
    return 0;
  }
  return len;
}

bool Cpu6502::group0(std::uint8_t op, std::uint16_t ea, int len) {
  const int a = op >> 5, b = (op >> 2) & 7;
  const std::uint16_t from = static_cast<std::uint16_t>(pc - len);
  if (b == 0 && a < 4) {
    if (a == 0) {  // BRK: the byte after it is skipped
      pc = static_cast<std::uint16_t>(from + 2);
      interrupt(0xFFFE, true);
    } else if (a == 1) {  // JSR
      const std::uint16_t back = static_cast<std::uint16_t>(pc - 1);
      push(static_cast<std::uint8_t>(back >> 8));
      push(static_cast<std::uint8_t>(back));
      pc = ea;
    } else if (a == 2) {  // RTI
      p_ = static_cast<std::uint8_t>((pull() & ~B) | U);
      pc = pull();
      pc = static_cast<std::uint16_t>(pc | pull() << 8);
    } else {  // RTS
      pc = pull();
      pc = static_cast<std::uint16_t>((pc | pull() << 8) + 1);
    }
    return true;
  }
  if (b == 2) {
    constexpr int kPhp = 0, kPlp = 1, kPha = 2, kPla = 3, kDey = 4, kTay = 5, kIny = 6;
    if (a == kPhp) push(static_cast<std::uint8_t>(p_ | B | U));
    if (a == kPlp) p_ = static_cast<std::uint8_t>((pull() & ~B) | U);
    if (a == kPha) push(a_);
    if (a == kPla) a_ = nz(pull());
    if (a == kDey) y_ = nz(y_ - 1);
    if (a == kTay) y_ = nz(a_);
    if (a == kIny) y_ = nz(y_ + 1);
    if (a == 7) x_ = nz(x_ + 1);
    return true;
  }
  if (b == 4) {  // branches: N, V, C, Z, taken when clear or set
    constexpr Flag kFlags[4] = {N, V, C, Z};
    if (((p_ & kFlags[a >> 1]) != 0) == ((a & 1) != 0)) pc = ea;
    return true;
  }
  if (b == 6) {
    constexpr Flag kFlags[8] = {C, C, I, I, N, V, D, D};
    if (a == 4) {
      a_ = nz(y_);  // TYA
    } else {
      set(kFlags[a], a != 5 && (a & 1) != 0);
    }
    return true;
  }
  const bool direct = b == 0 || b == 1 || b == 3;  // immediate, zp, abs: no index
  switch (a) {
    case 1:
      if (direct) {  // BIT
        const std::uint8_t m = read(ea);
        set(Z, (a_ & m) == 0);
        set(N, (m & 0x80) != 0);
        set(V, (m & 0x40) != 0);
      }
      return true;
    case 2:
    case 3:
      if (b == 3) pc = ea;  // JMP, JMP (ind)
      return true;
    case 4:
      if (b == 0) return true;   // NOP #
      if (b == 7) return false;  // SHY
      bus_.write(ea, y_);
      return true;
    case 5:
      y_ = nz(read(ea));
      return true;
    case 6:
    case 7:
      if (direct) compare(a == 6 ? y_ : x_, read(ea));
      return true;
    default:
      return true;  // the NOPs that read
  }
}

bool Cpu6502::group2(std::uint8_t op, std::uint16_t ea, bool implied) {
  const int a = op >> 5, b = (op >> 2) & 7;
  if (b == 4 || (b == 0 && a < 4)) return false;  // JAM
  if (b == 6 || (b == 2 && a >= 4)) {
    if (op == 0x9A) s_ = x_;
    if (op == 0xBA) x_ = nz(s_);
    if (op == 0x8A) a_ = nz(x_);
    if (op == 0xAA) x_ = nz(a_);
    if (op == 0xCA) x_ = nz(x_ - 1);
    return true;  // and the NOPs
  }
  if (a == 4) {
    if (b == 0) return true;   // NOP #
    if (b == 7) return false;  // SHX
    bus_.write(ea, x_);
    return true;
  }
  if (a == 5) {
    x_ = nz(read(ea));
    return true;
  }
  if (b == 0) return true;  // NOP #
  int m = implied ? a_ : read(ea);
  switch (a) {
    case 0:
      set(C, (m & 0x80) != 0);
      m <<= 1;
      break;
    case 1: {
      const int carry = p_ & C;
      set(C, (m & 0x80) != 0);
      m = m << 1 | carry;
      break;
    }
    case 2:
      set(C, (m & 1) != 0);
      m >>= 1;
      break;
    case 3: {
      const int carry = p_ & C;
      set(C, (m & 1) != 0);
      m = m >> 1 | carry << 7;
      break;
    }
    case 6:
      --m;
      break;
    default:
      ++m;
      break;
  }
  const std::uint8_t v = nz(m);
  if (implied) {
    a_ = v;
  } else {
    bus_.write(ea, v);
  }
  return true;
}

bool Cpu6502::group3(std::uint8_t op, std::uint16_t ea) {
  const int a = op >> 5, b = (op >> 2) & 7;
  if (b == 2) {  // ANC, ANC, ALR, ARR, XAA, LAX #, AXS, SBC on an immediate
    const std::uint8_t m = read(ea);
    if (a == 4 || a == 5) return false;
    if (a <= 1) {
      a_ = nz(a_ & m);
      set(C, (a_ & 0x80) != 0);
    } else if (a == 2) {
      a_ &= m;
      set(C, (a_ & 1) != 0);
      a_ = nz(a_ >> 1);
    } else if (a == 3) {
      a_ = nz((a_ & m) >> 1 | (p_ & C) << 7);
      set(C, (a_ & 0x40) != 0);
      set(V, (((a_ >> 6) ^ (a_ >> 5)) & 1) != 0);
    } else if (a == 6) {
      const int t = a_ & x_;
      set(C, t >= m);
      x_ = nz(t - m);
    } else {
      adc(static_cast<std::uint8_t>(~m));
    }
    return true;
  }
  if (a == 4) {  // SAX; AHX and TAS are unstable
    if (b == 4 || b == 6 || b == 7) return false;
    bus_.write(ea, a_ & x_);
    return true;
  }
  if (a == 5) {  // LAX; LAS is unstable
    if (b == 6) return false;
    a_ = x_ = nz(read(ea));
    return true;
  }
  // SLO, RLA, SRE, RRA, DCP, ISC: a shift or count of the byte, then A.
  int m = read(ea);
  const int carry = p_ & C;
  if (a <= 1) {
    set(C, (m & 0x80) != 0);
    m = (m << 1 | (a == 1 ? carry : 0)) & 0xFF;
  } else if (a <= 3) {
    set(C, (m & 1) != 0);
    m = m >> 1 | (a == 3 ? carry << 7 : 0);
  } else {
    m = (m + (a == 6 ? -1 : 1)) & 0xFF;
  }
  bus_.write(ea, static_cast<std::uint8_t>(m));
  const auto v = static_cast<std::uint8_t>(m);
  if (a == 0) a_ = nz(a_ | v);
  if (a == 1) a_ = nz(a_ & v);
  if (a == 2) a_ = nz(a_ ^ v);
  if (a == 3) adc(v);
  if (a == 6) compare(a_, v);
  if (a == 7) adc(static_cast<std::uint8_t>(~v));
  return true;
}

}  // namespace morvane::test
