// Gelmira through its library as a host drives it: stereo blocks of 512
// frames at 48000 Hz in both precisions, and the cost of one parameter change.
#include <benchmark/benchmark.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "plugin_host.h"

namespace {

constexpr int kBlock = 512;
constexpr double kRate = 48000.0;

struct Instance {
    Instance() {
        std::string error;
        library = hosting::Library::load(PLUGIN_PATH_Gelmira, error);
        if (library) plugin = hosting::Plugin::create(*library, host);
        if (plugin) {
            plugin->setSampleRate(static_cast<float>(kRate));
            plugin->setBlockSize(kBlock);
            plugin->resume();
            plugin->setParameter(4, 0.5f);   // audible banks, the whole chain wet
            plugin->setParameter(11, 1.0f);
        }
    }
    hosting::Host host;
    std::unique_ptr<hosting::Library> library;
    std::unique_ptr<hosting::Plugin> plugin;
};

template <class Sample>
void runBlocks(benchmark::State& state) {
    Instance in;
    if (!in.plugin) {
        state.SkipWithError("Gelmira did not load");
        return;
    }
    std::vector<Sample> l(kBlock), r(kBlock);
    for (int i = 0; i < kBlock; ++i) {
        l[i] = static_cast<Sample>(0.3 * std::sin(i * 0.05));
        r[i] = static_cast<Sample>(0.3 * std::sin(i * 0.031));
    }
    Sample* channels[2] = {l.data(), r.data()};
    for (auto _ : state) {
        if constexpr (sizeof(Sample) == 4)
            in.plugin->processReplacing(channels, channels, kBlock);
        else
            in.plugin->processDoubleReplacing(channels, channels, kBlock);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * kBlock);
    // Seconds per stereo frame (shown in ns), and seconds of audio per second
    // of processing.
    state.counters["per_frame"] = benchmark::Counter(
        double(state.iterations()) * kBlock,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["realtime_factor"] = benchmark::Counter(
        double(state.iterations()) * kBlock / kRate, benchmark::Counter::kIsRate);
}

void BM_ProcessReplacing(benchmark::State& state) { runBlocks<float>(state); }
void BM_ProcessDoubleReplacing(benchmark::State& state) { runBlocks<double>(state); }

// One host parameter change: its own design, then the 36 resonant sections.
void BM_ParameterChange(benchmark::State& state) {
    Instance in;
    if (!in.plugin) {
        state.SkipWithError("Gelmira did not load");
        return;
    }
    float value = 0.0f;
    for (auto _ : state) {
        in.plugin->setParameter(2, value);
        value = value < 1.0f ? value + 0.01f : 0.0f;
    }
}

}  // namespace

BENCHMARK(BM_ProcessReplacing);
BENCHMARK(BM_ProcessDoubleReplacing);
BENCHMARK(BM_ParameterChange);
