// Faroll at 48000 Hz in 512-frame stereo blocks, every band away from 0 dB
// so that no section is trivial, in both precisions.
#include "bench/support/plugin_bench.h"

namespace {

void BM_Faroll(benchmark::State& state, bool doublePrecision) {
    pluginbench::Instance instance(PLUGIN_PATH_Faroll,
                                   {{0, 0.3f}, {1, 0.7f}, {2, 0.4f}, {3, 1.0f}, {4, 1.0f},
                                    {5, 1.0f}, {6, 0.6f}, {7, 0.4f}, {8, 0.7f}});
    if (doublePrecision)
        pluginbench::processBlocks<double>(state, instance);
    else
        pluginbench::processBlocks<float>(state, instance);
}

}  // namespace

BENCHMARK_CAPTURE(BM_Faroll, 32, false);
BENCHMARK_CAPTURE(BM_Faroll, 64, true);
