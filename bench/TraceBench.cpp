#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "dump/UnofficialOpcodes.h"
#include "trace/RomTrace.h"
#include "trace/TraceCode.h"

namespace morvane {
namespace {

// A 512 KiB MMC1 ROM: 32 banks of 16 KiB, each a copy of the sample's code
// and data followed by noise, the last with the vectors. Every bank is
// traced in turn, at 8000 but the last at C000, with the official and the
// unofficial opcodes, as a dump of each would.
std::string Rom512KiB() {
  constexpr int kBanks = 32;
  std::string rom =
      std::string("NES\x1A", 4) + char(kBanks) + '\0' + char(0x10) + std::string(9, '\0');
  std::uint32_t noise = 0x12345678;
  for (int bank = 0; bank < kBanks; ++bank) {
    std::string prg(0x4000, '\0');
    for (std::size_t i = 0; i < prg.size(); ++i) {
      noise = noise * 1664525u + 1013904223u;
      prg[i] = static_cast<char>(noise >> 24);
    }
    // A loop that calls a routine a few bytes on, then the routine.
    const unsigned char code[] = {0x78, 0xD8, 0xA2, 0xFF, 0x9A, 0x20, 0x0B, 0xC0, 0x4C,
                                  0x05, 0xC0, 0xA9, 0x00, 0x8D, 0x00, 0x20, 0x60};
    prg.replace(0, sizeof code, reinterpret_cast<const char*>(code), sizeof code);
    if (bank == kBanks - 1) prg.replace(0x3FFA, 6, "\x00\xC0\x00\xC0\x00\xC0", 6);
    rom += prg;
  }
  return rom;
}

void BM_TraceEveryBankOf512KiB(benchmark::State& state) {
  const std::string rom = Rom512KiB();
  OpcodeSet ops;
  ReadOpCodes(std::string(MORVANE_BENCH_DATA_DIR) + "/Op_Codes_NES.txt", ops);
  AddUnofficialOpcodes(ops);
  const auto shapes = ShapesOf(ops);
  for (auto _ : state) {
    for (int bank = 0; bank < 32; ++bank) {
      const std::int32_t base = bank == 31 ? 0xC000 : 0x8000;
      const std::int64_t origin = base - 16 - bank * 0x4000L;
      benchmark::DoNotOptimize(TraceCode({rom, origin, base, base, base + 0x3FFF, {}}, shapes));
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 32 * 0x4000);
}
BENCHMARK(BM_TraceEveryBankOf512KiB)->Unit(benchmark::kMillisecond);

// The same ROM whose fixed bank calls into each of the others after
// switching to it: the whole-ROM trace a dump makes once.
// mapper: UxROM (2), or MMC1 (1) and MMC3 (4), whose windows are found from
// the banks' own calls.
std::string FarCalling512KiB(int mapper) {
  std::string rom = Rom512KiB();
  rom[6] = static_cast<char>(mapper << 4);
  std::string fixed;
  for (int bank = 0; bank < 31; ++bank) {
    // lda #bank / jsr switch / jsr 8000
    fixed += {'\xA9', char(bank), '\x20', '\x00', '\xD0', '\x20', '\x00', '\x80'};
  }
  fixed += {'\x4C', '\x00', '\xC0'};
  const std::size_t last = 16 + 31 * 0x4000;
  rom.replace(last, fixed.size(), fixed);
  // switch: writes to E000 (five, as MMC1 would take them), then rts.
  std::string routine;
  for (int i = 0; i < 5; ++i) routine += {'\x8D', '\x00', '\xE0', '\x4A'};
  routine += '\x60';
  rom.replace(last + 0x1000, routine.size(), routine);
  for (int bank = 0; bank < 31; ++bank) {
    // lda #0 / sta 2000 / rts
    rom.replace(16 + bank * 0x4000L, 6, "\xA9\x00\x8D\x00\x20\x60", 6);
  }
  return rom;
}

const std::array<OpcodeShape, 256>& BenchShapes() {
  static const auto shapes = [] {
    OpcodeSet ops;
    ReadOpCodes(std::string(MORVANE_BENCH_DATA_DIR) + "/Op_Codes_NES.txt", ops);
    AddUnofficialOpcodes(ops);
    return ShapesOf(ops);
  }();
  return shapes;
}

void BM_TraceWholeRomOf512KiB(benchmark::State& state) {
  const std::string rom = FarCalling512KiB(static_cast<int>(state.range(0)));
  std::size_t entries = 0;
  for (auto _ : state) {
    const RomTrace whole = TraceWholeRom(rom, BenchShapes());
    entries = 0;
    for (const auto& bank : whole.entries) entries += bank.size();
  }
  state.counters["entries"] = static_cast<double>(entries);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 32 * 0x4000);
}
BENCHMARK(BM_TraceWholeRomOf512KiB)->Arg(2)->Arg(1)->Arg(4)->Unit(benchmark::kMillisecond);

// A dump of one bank: the whole-ROM trace once, then the bank's own.
void BM_TraceOneBankWithTheWholeRom(benchmark::State& state) {
  const std::string rom = FarCalling512KiB(2);
  for (auto _ : state) {
    const RomTrace whole = TraceWholeRom(rom, BenchShapes());
    const std::int64_t origin = 0x8000 - 16 - 5 * 0x4000L;
    benchmark::DoNotOptimize(
        TraceCode({rom, origin, 0x8000, 0x8000, 0xBFFF, {}, {}, nullptr, whole.into(5, 0x8000)},
                  BenchShapes()));
  }
}
BENCHMARK(BM_TraceOneBankWithTheWholeRom)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
