// The trace against what the CPU really runs: each corpus program that needs
// no mapper, MMC1, UxROM or MMC3 runs on a 6502 for some frames, its pad pressed
// at random, and every byte it executes in ROM must be code in the list the
// trace wrote, each bank traced with what the whole ROM enters it by.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <map>
#include <set>
#include <sstream>

#include "CorpusTruth.h"
#include "Cpu6502.h"
#include "TempDir.h"
#include "dump/UnofficialOpcodes.h"
#include "trace/BankWindow.h"
#include "trace/RomTrace.h"
#include "trace/TraceCode.h"

namespace morvane::test {
namespace {

constexpr int kFrames = 60;
constexpr int kStepsPerFrame = 4000;

// PRG at 8000 (NROM, or the banks MMC1 or UxROM switch), RAM, cartridge
// RAM, the PPU's status with its vertical blank coming and going, and a pad
// that answers at random.
class Cartridge final : public Cpu6502::Bus {
 public:
  Cartridge(std::string prg, int mapper) : prg_(std::move(prg)), mapper_(mapper) {}
  std::uint8_t read(std::uint16_t a) override {
    if (a < 0x2000) return ram_[a & 0x7FF];
    if (a < 0x4000) return (a & 7) == 2 ? static_cast<std::uint8_t>(++status_ & 1 ? 0xC0 : 0) : 0;
    if (a == 0x4016 || a == 0x4017) {
      random_ = random_ >> 1 ^ (-(random_ & 1u) & 0xB400u);
      return random_ & 1;
    }
    if (a >= 0x6000 && a < 0x8000) return wram_[a - 0x6000];
    if (a >= 0x8000) return static_cast<std::uint8_t>(prg_[static_cast<std::size_t>(offset(a))]);
    return 0;
  }
  void write(std::uint16_t a, std::uint8_t v) override {
    if (a < 0x2000) ram_[a & 0x7FF] = v;
    if (a == 0x2000) nmi = (v & 0x80) != 0;
    if (a >= 0x6000 && a < 0x8000) wram_[a - 0x6000] = v;
    if (a < 0x2000 || (a >= 0x6000 && a < 0x8000)) written_[a < 0x2000 ? a & 0x7FF : a] = true;
    if (a >= 0x8000) mapperWrite(a, v);
  }
  // Whether code may run at a: ROM, or RAM the program wrote.
  bool runs(std::uint16_t a) const {
    return a >= 0x8000 || written_[a < 0x2000 ? a & 0x7FF : a] || (a >= 0x6000 && written_[a]);
  }
  // The offset in PRG ROM of a, an address at 8000 or above.
  long offset(long a) const {
    const long size = static_cast<long>(prg_.size());
    const long last = size / 0x4000 - 1;
    const long in = a & 0x3FFF;
    long bank = a < 0xC000 ? bank_ : last;
    if (mapper_ == 0) return (a - 0x8000) % size;
    if (mapper_ == 1 && (control_ >> 2 & 3) < 2) bank = (bank_ & ~1) + (a < 0xC000 ? 0 : 1);
    if (mapper_ == 1 && (control_ >> 2 & 3) == 2) bank = a < 0xC000 ? 0 : bank_;
    if (mapper_ == 4) return Mmc3Offset(a);
    return (bank % (last + 1)) * 0x4000 + in;
  }
  bool nmi = false;

 private:
  // MMC3: R6 at 8000 (or C000 with bit 6 of the select), R7 at A000, the
  // bank before the last at C000 (or 8000), the last at E000.
  long Mmc3Offset(long a) const {
    const long units = static_cast<long>(prg_.size()) / 0x2000;
    const bool c000 = (select_ & 0x40) != 0;
    const long slot = (a - 0x8000) / 0x2000;
    const long fixed = units - 2;
    const long banks[4] = {c000 ? fixed : regs_[6], regs_[7], c000 ? regs_[6] : fixed, units - 1};
    return (banks[slot] % units) * 0x2000 + (a & 0x1FFF);
  }
  void mapperWrite(std::uint16_t a, std::uint8_t v) {
    if (mapper_ == 4 && a < 0xA000) {
      if ((a & 1) == 0) select_ = v;
      if ((a & 1) != 0) regs_[select_ & 7] = v;
    }
    if (mapper_ == 2) bank_ = v;
    if (mapper_ != 1) return;
    if ((v & 0x80) != 0) {
      shift_ = count_ = 0;
      control_ |= 0x0C;
      return;
    }
    shift_ |= (v & 1) << count_;
    if (++count_ < 5) return;
    if (a < 0xA000) control_ = shift_;
    if (a >= 0xE000) bank_ = shift_ & 0x0F;
    shift_ = count_ = 0;
  }

  std::string prg_;
  int mapper_ = 0;
  int bank_ = 0, control_ = 0x0C, shift_ = 0, count_ = 0;
  int select_ = 0;
  std::array<long, 8> regs_{0, 2, 4, 5, 6, 7, 0, 1};
  std::array<std::uint8_t, 0x800> ram_{};
  std::array<std::uint8_t, 0x2000> wram_{};
  std::vector<bool> written_ = std::vector<bool>(0x8000);
  unsigned status_ = 0;
  std::uint32_t random_ = 0xACE1;
};

const std::array<OpcodeShape, 256>& Shapes() {
  static const auto shapes = [] {
    OpcodeSet ops;
    ReadOpCodes(std::string(MORVANE_SOURCE_DATA_DIR) + "/Op_Codes_NES.txt", ops);
    AddUnofficialOpcodes(ops);
    return ShapesOf(ops);
  }();
  return shapes;
}

// The rows of a Table List: first and last address of each.
std::map<long, long> Rows(const std::string& tablesText) {
  std::map<long, long> rows;
  std::stringstream lines(tablesText);
  for (std::string line; std::getline(lines, line);) {
    char* end = nullptr;
    const long first = std::strtol(line.c_str(), &end, 16);
    if (end != line.c_str() && *end == '\t') rows[first] = std::strtol(end + 1, nullptr, 16);
  }
  return rows;
}

bool InRow(const std::map<long, long>& rows, long a) {
  const auto r = rows.upper_bound(a);
  return r != rows.begin() && a <= std::prev(r)->second;
}

TEST(TraceExecution, EveryByteTheCpuRunsIsTracedAsCode) {
  const std::string dir = MORVANE_CORPUS_DIR;
  if (Slurp(dir + "/idioms.nes").empty()) GTEST_SKIP() << "no cc65 tools to build it";
  for (const char* name :
       {"idioms",   "variants",     "game",     "numbers",     "menu",           "life",
        "inline",   "tricks",       "sound",    "textengine",  "records",        "chrram",
        "sprites",  "sprites_oirs", "shell",    "shell_plain", "store",          "store_o",
        "quest",    "robot",        "layout",   "states",      "engine",         "overlay",
        "dispatch", "script",       "ramtable", "actors",      "music",          "menus",
        "ledger",   "ledger_cl",    "atlas",    "unofficial",  "pointers",       "ramshell",
        "mmc1",     "uxrom",        "farcalls", "farretry",    "farretry_uxrom", "mmc3_a000",
        "mmc3_8k",  "farcalls_mmc3"}) {
    const std::string rom = Slurp(dir + "/" + name + ".nes");
    ASSERT_FALSE(rom.empty()) << name;
    const int banks = static_cast<unsigned char>(rom[4]);
    const int mapper = (static_cast<unsigned char>(rom[6]) >> 4) | (rom[7] & 0xF0);
    Cartridge bus(rom.substr(16, static_cast<std::size_t>(banks) * 0x4000), mapper);
    Cpu6502 cpu(bus);
    cpu.reset();
    const std::string path = dir + "/" + name;
    const std::vector<Truth> truth =
        ReadTruth(Slurp(path + ".dbg"), rom.size(), Slurp(path + ".map"), dir);
    // Some programs are made to be traced, not run: one that returns where
    // it never called from, runs into what it never wrote or what the
    // linker says is data, stops there.
    std::set<long> ran;  // offsets in PRG ROM
    std::string stopped;
    for (int frame = 0; frame < kFrames && stopped.empty(); ++frame) {
      for (int n = 0; n < kStepsPerFrame && stopped.empty(); ++n) {
        const std::uint16_t at = cpu.pc;
        // A BIT that skips the instruction in its operand is listed as a
        // byte of data on purpose, by the linker and the trace alike.
        const bool data =
            at >= 0x8000 && truth[static_cast<std::size_t>(16 + bus.offset(at))] != Truth::Code;
        const std::uint8_t op = bus.read(at);
        const bool skip = data && (op == 0x2C || op == 0x24);
        const long where = at >= 0x8000 ? bus.offset(at) : -1;
        const int len = bus.runs(at) && (!data || skip) ? cpu.step() : 0;
        for (int i = skip ? 1 : 0; i < len && where >= 0; ++i) ran.insert(where + i);
        if (len == 0) stopped = " stopped at " + std::to_string(at);
      }
      if (bus.nmi) cpu.nmi();
    }
    // Each bank traced at its window, with what the whole ROM enters it by:
    // one bank is seen at C000, two fill 8000-FFFF; an MMC3 bank of 8 KiB
    // whose other half runs elsewhere is traced on its own.
    const RomTrace whole = TraceWholeRom(rom, Shapes());
    struct Window {
      long from, size, base;
      std::map<long, long> rows;
    };
    std::vector<Window> windows;
    const auto add = [&](long from, long size, long base, const std::vector<RomEntry>& found) {
      const auto origin = static_cast<std::int32_t>(base - 16 - from);
      const auto at = static_cast<std::int32_t>(base);
      const auto end = static_cast<std::int32_t>(base + size - 1);
      windows.push_back(
          {from, size, base,
           Rows(TraceCode({rom, origin, at, at, end, {}, {}, nullptr, found}, Shapes())
                    .tablesText)});
    };
    for (long b = 0; b < banks; ++b) {
      const auto n = static_cast<std::size_t>(b);
      const long base = !whole.bases.empty()   ? whole.bases[n]
                        : banks == 1 || b == 1 ? 0xC000
                                               : 0x8000;
      const long size = whole.sizes.empty() ? 0x4000 : whole.sizes[n];
      add(b * 0x4000, size, base, whole.into(b, static_cast<std::int32_t>(base)));
      if (size < 0x4000) {
        add(b * 0x4000 + size, 0x4000 - size, FindBankWindow(rom, 16 + b * 0x4000 + size).base, {});
      }
    }
    long missed = 0;
    for (const long p : ran) {
      for (const Window& w : windows) {
        const long a = w.base + p - w.from;
        if (p < w.from || p >= w.from + w.size || !InRow(w.rows, a)) continue;
        if (missed++ < 5)
          ADD_FAILURE() << name << ": " << std::hex << a << " (PRG " << p
                        << ") runs but is traced as data";
      }
    }
    EXPECT_EQ(missed, 0) << name;
    std::printf("%-12s %5zu bytes of ROM run%s\n", name, ran.size(), stopped.c_str());
  }
}

}  // namespace
}  // namespace morvane::test
