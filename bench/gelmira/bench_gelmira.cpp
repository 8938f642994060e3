// Gelmira at 48000 Hz in 512-frame stereo blocks in both precisions (audible
// banks, the whole chain wet), and the cost of one parameter change.
#include "bench/support/plugin_bench.h"

namespace {

constexpr std::initializer_list<std::pair<int, float>> kSettings = {{4, 0.5f}, {11, 1.0f}};

void BM_Gelmira(benchmark::State& state, bool doublePrecision) {
    pluginbench::Instance instance(PLUGIN_PATH_Gelmira, kSettings);
    if (doublePrecision)
        pluginbench::processBlocks<double>(state, instance, 0.3);
    else
        pluginbench::processBlocks<float>(state, instance, 0.3);
}

// One host parameter change: its own design, then the 36 resonant sections.
void BM_GelmiraParameterChange(benchmark::State& state) {
    pluginbench::Instance instance(PLUGIN_PATH_Gelmira, kSettings);
    if (!instance.plugin) {
        state.SkipWithError(instance.error.c_str());
        return;
    }
    float value = 0.0f;
    for (auto _ : state) {
        instance.plugin->setParameter(2, value);
        value = value < 1.0f ? value + 0.01f : 0.0f;
    }
}

}  // namespace

BENCHMARK_CAPTURE(BM_Gelmira, processReplacing, false);
BENCHMARK_CAPTURE(BM_Gelmira, processDoubleReplacing, true);
BENCHMARK(BM_GelmiraParameterChange);
