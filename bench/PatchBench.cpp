#include <benchmark/benchmark.h>

#include "../tests/patch/PatchFixture.h"
#include "patch/PatchFormat.h"

namespace morvane {
namespace {

// Two 4 MiB files that differ in scattered places and by one moved 64 KiB block.
const test::PatchPair& Pair() {
  static const test::PatchPair pair = test::BigPair();
  return pair;
}

void BM_CreatePatch(benchmark::State& state, PatchKind kind) {
  std::size_t size = 0;
  for (auto _ : state) size = CreatePatch(kind, Pair().source, Pair().target).size();
  state.counters["patch bytes"] = static_cast<double>(size);
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Pair().target.size()));
}
BENCHMARK_CAPTURE(BM_CreatePatch, bps, PatchKind::Bps)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_CreatePatch, ips, PatchKind::Ips)->Unit(benchmark::kMillisecond);

void BM_ApplyPatch(benchmark::State& state, PatchKind kind) {
  const std::string patch = CreatePatch(kind, Pair().source, Pair().target);
  for (auto _ : state) benchmark::DoNotOptimize(ApplyPatch(Pair().source, patch));
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * Pair().target.size()));
}
BENCHMARK_CAPTURE(BM_ApplyPatch, bps, PatchKind::Bps)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_ApplyPatch, ips, PatchKind::Ips)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace morvane
