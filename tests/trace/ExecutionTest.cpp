// The trace against what the CPU really runs: each corpus program that needs
// no mapper runs on a 6502 for some frames, its pad pressed at random, and
// every byte it executes in ROM must be code in the list the trace wrote.
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
#include "trace/TraceCode.h"

namespace morvane::test {
namespace {

constexpr int kFrames = 60;
constexpr int kStepsPerFrame = 4000;

// 16 or 32 KiB of PRG at 8000, RAM, cartridge RAM, the PPU's status with
// its vertical blank coming and going, and a pad that answers at random.
class Nrom final : public Cpu6502::Bus {
 public:
  explicit Nrom(std::string prg) : prg_(std::move(prg)) {}
  std::uint8_t read(std::uint16_t a) override {
    if (a < 0x2000) return ram_[a & 0x7FF];
    if (a < 0x4000) return (a & 7) == 2 ? static_cast<std::uint8_t>(++status_ & 1 ? 0xC0 : 0) : 0;
    if (a == 0x4016 || a == 0x4017) {
      random_ = random_ >> 1 ^ (-(random_ & 1u) & 0xB400u);
      return random_ & 1;
    }
    if (a >= 0x6000 && a < 0x8000) return wram_[a - 0x6000];
    if (a >= 0x8000) return static_cast<std::uint8_t>(prg_[(a - 0x8000) % prg_.size()]);
    return 0;
  }
  void write(std::uint16_t a, std::uint8_t v) override {
    if (a < 0x2000) ram_[a & 0x7FF] = v;
    if (a == 0x2000) nmi = (v & 0x80) != 0;
    if (a >= 0x6000 && a < 0x8000) wram_[a - 0x6000] = v;
    if (a < 0x2000 || (a >= 0x6000 && a < 0x8000)) written_[a < 0x2000 ? a & 0x7FF : a] = true;
  }
  // Whether code may run at a: ROM, or RAM the program wrote.
  bool runs(std::uint16_t a) const {
    return a >= 0x8000 || written_[a < 0x2000 ? a & 0x7FF : a] || (a >= 0x6000 && written_[a]);
  }
  bool nmi = false;

 private:
  std::string prg_;
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
       {"idioms",   "variants",     "game",     "numbers",     "menu",     "life",
        "inline",   "tricks",       "sound",    "textengine",  "records",  "chrram",
        "sprites",  "sprites_oirs", "shell",    "shell_plain", "store",    "store_o",
        "quest",    "robot",        "layout",   "states",      "engine",   "overlay",
        "dispatch", "script",       "ramtable", "actors",      "music",    "menus",
        "ledger",   "ledger_cl",    "atlas",    "unofficial",  "pointers", "ramshell"}) {
    const std::string rom = Slurp(dir + "/" + name + ".nes");
    ASSERT_FALSE(rom.empty()) << name;
    const int banks = static_cast<unsigned char>(rom[4]);
    Nrom bus(rom.substr(16, static_cast<std::size_t>(banks) * 0x4000));
    Cpu6502 cpu(bus);
    cpu.reset();
    const std::string path = dir + "/" + name;
    const std::vector<Truth> truth =
        ReadTruth(Slurp(path + ".dbg"), rom.size(), Slurp(path + ".map"), dir);
    // The file offset of a CPU address in ROM.
    const auto offset = [&](long a) { return 16 + (a - 0x8000) % (banks * 0x4000L); };
    // Some programs are made to be traced, not run: one that returns where
    // it never called from, runs into what it never wrote or what the
    // linker says is data, stops there.
    std::set<long> ran;
    std::string stopped;
    for (int frame = 0; frame < kFrames && stopped.empty(); ++frame) {
      for (int n = 0; n < kStepsPerFrame && stopped.empty(); ++n) {
        const std::uint16_t at = cpu.pc;
        // A BIT that skips the instruction in its operand is listed as a
        // byte of data on purpose, by the linker and the trace alike.
        const bool data =
            at >= 0x8000 && truth[static_cast<std::size_t>(offset(at))] != Truth::Code;
        const std::uint8_t op = bus.read(at);
        const bool skip = data && (op == 0x2C || op == 0x24);
        const int len = bus.runs(at) && (!data || skip) ? cpu.step() : 0;
        for (int i = skip ? 1 : 0; i < len && at >= 0x8000; ++i) ran.insert(at + i);
        if (len == 0) stopped = " stopped at " + std::to_string(at);
      }
      if (bus.nmi) cpu.nmi();
    }
    // One bank is seen at 8000 and C000; two fill 8000-FFFF.
    std::map<long, std::map<long, long>> lists;
    for (const long base :
         banks == 1 ? std::vector<long>{0xC000} : std::vector<long>{0x8000, 0xC000}) {
      const auto origin = static_cast<std::int32_t>(banks == 1 ? 0xC000 - 16 : 0x8000 - 16);
      const auto b = static_cast<std::int32_t>(base);
      lists[base] = Rows(TraceCode({rom, origin, b, b, b + 0x3FFF, {}}, Shapes()).tablesText);
    }
    long missed = 0;
    for (long a : ran) {
      if (banks == 1) a |= 0xC000;
      if (InRow(lists[a & 0xC000], a) && missed++ < 5) {
        ADD_FAILURE() << name << ": " << std::hex << a << " runs but is traced as data";
      }
    }
    EXPECT_EQ(missed, 0) << name;
    std::printf("%-12s %5zu bytes of ROM run%s\n", name, ran.size(), stopped.c_str());
  }
}

}  // namespace
}  // namespace morvane::test
