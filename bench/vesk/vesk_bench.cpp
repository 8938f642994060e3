// Vesk's processReplacing at 48000 Hz in 512-frame blocks with every band off
// centre, through the built library; and, for comparison, eighteen
// BandSections one after the other.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "band_section.h"
#include "plugin_host.h"
#include "signal.h"
#include "vesk_design.h"

namespace {

constexpr int kFrames = 512;
constexpr double kRate = 48000.0;

void addCounters(benchmark::State& state) {
    using benchmark::Counter;
    state.counters["per_stereo_frame"] =  // seconds, shown with an SI prefix (n)
        Counter(kFrames, Counter::kIsIterationInvariantRate | Counter::kInvert);
    state.counters["realtime_factor"] =
        Counter(kFrames / kRate, Counter::kIsIterationInvariantRate);
}

float offCentre(int index) { return index % 2 ? 0.8f : 0.2f; }

void BM_VeskProcessReplacing(benchmark::State& state) {
    std::string error;
    auto library = hosting::Library::load(PLUGIN_PATH_Vesk, error);
    hosting::Host host;
    auto plugin = library ? hosting::Plugin::create(*library, host) : nullptr;
    if (!plugin) {
        state.SkipWithError(("cannot load Vesk: " + error).c_str());
        return;
    }
    plugin->setSampleRate(static_cast<float>(kRate));
    plugin->setBlockSize(kFrames);
    plugin->resume();
    for (int i = 1; i <= 18; ++i) plugin->setParameter(i, offCentre(i));
    plugin->setParameter(0, 0.45f);
    plugin->setParameter(19, 0.55f);
    std::vector<float> inL = testsignal::noise(kFrames, 0.5, 1), inR = testsignal::noise(kFrames, 0.5, 2);
    std::vector<float> outL(kFrames), outR(kFrames);
    float* ins[2] = {inL.data(), inR.data()};
    float* outs[2] = {outL.data(), outR.data()};
    for (auto _ : state) {
        plugin->processReplacing(ins, outs, kFrames);
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    addCounters(state);
}
BENCHMARK(BM_VeskProcessReplacing);

void BM_EighteenBandSectionsInTurn(benchmark::State& state) {
    BandSection band[vesk::kBandCount];
    for (int i = 0; i < vesk::kBandCount; ++i)
        band[i].setCoefficients(
            vesk::designBand(i, vesk::gainFactor(offCentre(i + 1)), static_cast<float>(kRate)));
    std::vector<float> inL = testsignal::noise(kFrames, 0.5, 1), inR = testsignal::noise(kFrames, 0.5, 2);
    std::vector<float> outL(kFrames), outR(kFrames);
    for (auto _ : state) {
        for (int n = 0; n < kFrames; ++n) {
            float l = inL[n], r = inR[n];
            for (BandSection& s : band) s.processStereo(l, r, l, r);
            outL[n] = l;
            outR[n] = r;
        }
        benchmark::DoNotOptimize(outL.data());
        benchmark::ClobberMemory();
    }
    addCounters(state);
}
BENCHMARK(BM_EighteenBandSectionsInTurn);

}  // namespace
