#include "games/MenuCode.h"

#include "games/PseudoCodeStep.h"
#include "shell/JobError.h"
#include "shell/ListingWords.h"
#include "shell/Values.h"

namespace morvane {

namespace {

// The condition under which an entry is offered.
std::string Condition(std::uint8_t b1, std::uint8_t b2) {
  const int n = b2 % 16 - 1;
  if (b2 >= 0x01 && b2 <= 0x0F) return "If Bit$3[" + Hex(n) + HexByte(b1) + "] Is Clear Then";
  if (b2 % 16 != 0) return "If Bit$3[" + Hex(n) + HexByte(b1) + "] Is Set Then";
  return "If $" + HexByte(b1) + " = " + Hex(b2 / 16) + " Then";
}

}  // namespace

void DumpMenuCode(RomCursor& rom, OutFile& out, std::uint8_t b0, std::string& line, bool& newBlock,
                  int& menuRow) {
  if (b0 == 0xFF) {
    line += "End";
    newBlock = true;
    menuRow = 0;
    return;
  }
  const std::uint8_t b1 = rom.read();
  const std::uint8_t b2 = rom.read();
  if (b1 == 0x00 && b2 == 0xF1) {
    out.line(line);
    out.line(ByteLine(b1, false));
    out.line(ByteLine(b2, false) + "MenuRow" + std::to_string(menuRow) + " = " + HexByte(b0) +
             "\t\t\t\t''");
    menuRow = Check16(menuRow + 1LL);
  } else {
    out.line(line + Condition(b1, b2));
    out.line(ByteLine(b1, false));
    out.line(ByteLine(b2, true) + "MenuRowY = " + HexByte(b0) + ", Y++\t\t''");
  }
  const std::uint8_t b3 = rom.read();
  const std::uint8_t b4 = rom.read();
  out.line(ByteLine(b3, false) + "If This Entry Is Selected Then");
  out.line(ByteLine(b4, true) + "Execute Speech PseudoCode Starting At 7B|7A = " + HexByte(b4) +
           HexByte(b3));
  line.clear();
}

namespace {
class MenuCodeStep final : public PseudoCodeStep {
 public:
  void step(DumpContext& ctx) override {
    DumpMenuCode(*ctx.rom, *ctx.out, ctx.byte, ctx.line, newBlock_, menuRow_);
  }

 private:
  // Each menu is numbered in its heading.
  void heading(OutFile& out) override {
    out.line(";Menu " + std::to_string(menuNumber_++));
    out.line(";");
  }

  int menuRow_ = 0;
  int menuNumber_ = 1;
};
}  // namespace

std::unique_ptr<DumpStep> MakeMenuCodeStep() {
  return std::make_unique<MenuCodeStep>();
}

}  // namespace morvane
