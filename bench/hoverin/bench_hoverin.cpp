// Hoverin at 48000 Hz in 512-frame stereo blocks, in both precisions, with
// feedback and the fastest sweep so every path is live.
#include "bench/support/plugin_bench.h"

namespace {

void BM_Hoverin(benchmark::State& state, bool doublePrecision) {
    // Feedback 0.6, Rate "16/1", Range 0.5.
    pluginbench::Instance instance(PLUGIN_PATH_Hoverin, {{1, 0.6f}, {2, 1.0f}, {3, 0.5f}});
    if (doublePrecision)
        pluginbench::processBlocks<double>(state, instance);
    else
        pluginbench::processBlocks<float>(state, instance);
}

}  // namespace

BENCHMARK_CAPTURE(BM_Hoverin, 32, false);
BENCHMARK_CAPTURE(BM_Hoverin, 64, true);
