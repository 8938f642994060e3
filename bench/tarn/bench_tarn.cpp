// Tarn's processReplacing at 48000 Hz in 512-frame stereo blocks, every band
// away from 0 dB, with the limiter off and on.
#include "bench/support/plugin_bench.h"

namespace {

void BM_Tarn(benchmark::State& state, bool limiter, double amplitude) {
    pluginbench::Instance instance(
        PLUGIN_PATH_Tarn, {{0, 0.3f}, {1, 0.4f}, {2, 0.5f}, {3, 0.2f}, {4, 0.3f}, {5, 0.4f},
                           {6, 0.8f}, {7, 0.3f}, {8, 0.7f}, {9, limiter ? 1.0f : 0.0f}});
    pluginbench::processBlocks<float>(state, instance, amplitude);
}

}  // namespace

BENCHMARK_CAPTURE(BM_Tarn, limiterOff, false, 0.9);
BENCHMARK_CAPTURE(BM_Tarn, limiterOn, true, 0.9);
// Silence in: the memories hold only the anti-denormal offsets.
BENCHMARK_CAPTURE(BM_Tarn, limiterOnSilence, true, 0.0);
