// Tarn's processReplacing through the built library at 48000 Hz in blocks of
// 512 frames: ns per stereo frame, and how many times faster than real time.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "plugin_host.h"
#include "signal.h"

namespace {

constexpr int kBlock = 512;
constexpr double kRate = 48000.0;

void processTarn(benchmark::State& state, bool limiter, double amplitude = 0.9) {
    std::string error;
    auto library = hosting::Library::load(PLUGIN_PATH_Tarn, error);
    if (!library) {
        state.SkipWithError(error.c_str());
        return;
    }
    hosting::Host host;
    auto plugin = hosting::Plugin::create(*library, host);
    plugin->setSampleRate(static_cast<float>(kRate));
    // Every band away from 0 dB, so that each section does a real filter's work.
    const float settings[10] = {0.3f, 0.4f, 0.5f, 0.2f, 0.3f, 0.4f, 0.8f, 0.3f, 0.7f, 0.0f};
    for (int i = 0; i < 10; ++i) plugin->setParameter(i, settings[i]);
    plugin->setParameter(9, limiter ? 1.0f : 0.0f);

    std::vector<float> inL = testsignal::noise(kBlock, amplitude, 1);
    std::vector<float> inR = testsignal::noise(kBlock, amplitude, 2);
    std::vector<float> outL(kBlock), outR(kBlock);
    float* inputs[2] = {inL.data(), inR.data()};
    float* outputs[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        plugin->processReplacing(inputs, outputs, kBlock);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    double frames = double(state.iterations()) * kBlock;
    state.counters["ns_per_frame"] =
        benchmark::Counter(frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["realtime_x"] = benchmark::Counter(frames / kRate, benchmark::Counter::kIsRate);
}

void BM_TarnLimiterOff(benchmark::State& state) { processTarn(state, false); }
void BM_TarnLimiterOn(benchmark::State& state) { processTarn(state, true); }
// Silence in: the memories hold only the anti-denormal offsets.
void BM_TarnLimiterOnSilence(benchmark::State& state) { processTarn(state, true, 0.0); }

}  // namespace

BENCHMARK(BM_TarnLimiterOff);
BENCHMARK(BM_TarnLimiterOn);
BENCHMARK(BM_TarnLimiterOnSilence);
