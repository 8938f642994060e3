// Ilvane's processing entries at 48000 Hz in 512-frame stereo blocks, both
// shelves away from 0 dB. Run: make bench, or build/release/bench/ilvane/bench_ilvane.
#include "bench/support/plugin_bench.h"

namespace {

void BM_Ilvane(benchmark::State& state, bool doublePrecision) {
    pluginbench::Instance instance(PLUGIN_PATH_Ilvane, {{0, 0.8f}, {1, 0.3f}});
    if (doublePrecision)
        pluginbench::processBlocks<double>(state, instance);
    else
        pluginbench::processBlocks<float>(state, instance);
}

}  // namespace

BENCHMARK_CAPTURE(BM_Ilvane, processReplacing, false);
BENCHMARK_CAPTURE(BM_Ilvane, processDoubleReplacing, true);
