// A 6502 as the NES runs it (no decimal mode), enough to run the programs
// the trace is checked on: every official opcode and the stable unofficial
// ones. The tests run a program with it and see which bytes it executes.
#pragma once

#include <cstdint>

namespace morvane::test {

class Cpu6502 {
 public:
  struct Bus {
    virtual ~Bus() = default;
    virtual std::uint8_t read(std::uint16_t a) = 0;
    virtual void write(std::uint16_t a, std::uint8_t v) = 0;
  };

  explicit Cpu6502(Bus& bus) : bus_(bus) {}
  void reset();
  void nmi() { interrupt(0xFFFA, false); }
  // Runs the instruction at pc; its length in bytes, 0 for an opcode that
  // stops the CPU or that this one does not run (the unstable ones).
  int step();

  std::uint16_t pc = 0;

 private:
  enum Flag : std::uint8_t { C = 1, Z = 2, I = 4, D = 8, B = 16, U = 32, V = 64, N = 128 };
  std::uint8_t read(std::uint16_t a) { return bus_.read(a); }
  std::uint16_t word(std::uint16_t a) {
    return static_cast<std::uint16_t>(read(a) | read(static_cast<std::uint16_t>(a + 1)) << 8);
  }
  void push(std::uint8_t v) { bus_.write(static_cast<std::uint16_t>(0x100 | s_--), v); }
  std::uint8_t pull() { return read(static_cast<std::uint16_t>(0x100 | ++s_)); }
  void interrupt(std::uint16_t vector, bool brk);
  void set(Flag f, bool on) { p_ = static_cast<std::uint8_t>(on ? p_ | f : p_ & ~f); }
  std::uint8_t nz(int v) {
    set(Z, (v & 0xFF) == 0);
    set(N, (v & 0x80) != 0);
    return static_cast<std::uint8_t>(v);
  }
  void adc(std::uint8_t m);
  void compare(std::uint8_t r, std::uint8_t m) {
    set(C, r >= m);
    nz(r - m);
  }
  // The operand's address for the addressing mode of op; len: its length.
  std::uint16_t address(std::uint8_t op, int& len, bool& immediate);
  bool group0(std::uint8_t op, std::uint16_t ea, int len);
  bool group2(std::uint8_t op, std::uint16_t ea, bool implied);
  bool group3(std::uint8_t op, std::uint16_t ea);

  Bus& bus_;
  std::uint8_t a_ = 0, x_ = 0, y_ = 0, s_ = 0xFD, p_ = I | U;
};

}  // namespace morvane::test
