// Parameter changes from other threads while audio runs: no data race, no torn
// coefficient set, and a change mid-block takes effect at one sample boundary.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <thread>
#include <vector>

#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"
#include "plugins/vesk/vesk_chain.h"

using namespace vesk;
using namespace dsp;

namespace {

using vesk::kBandCount;
using vesk::VeskDesign;

VeskDesign designAt(float p) {
    VeskDesign d;
    for (int i = 0; i < kBandCount; ++i) d.band[i] = vesk::designBand(i, vesk::gainFactor(p), 44100);
    d.inputGain = vesk::gainFactor(1.0f - p);
    return d;
}

// Eighteen sections one after the other; the design switches at sample `at`.
std::vector<float> reference(const VeskDesign& before, const VeskDesign& after, size_t at,
                             const std::vector<float>& in) {
    BandSection band[kBandCount];
    std::vector<float> out(in.size());
    for (size_t i = 0; i < in.size(); ++i) {
        const VeskDesign& d = i < at ? before : after;
        if (i == 0 || i == at)
            for (int k = 0; k < kBandCount; ++k) band[k].setCoefficients(d.band[k]);
        float l = d.inputGain * in[i], r = l;
        for (BandSection& s : band) s.processStereo(l, r, l, r);
        out[i] = d.outputGain * l;
    }
    return out;
}

size_t firstDifference(const std::vector<float>& a, const std::vector<float>& b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (std::memcmp(&a[i], &b[i], sizeof(float)) != 0) return i;
    return a.size();
}

TEST(VeskThreads, ChangeMidBlockSwitchesEverySectionAtOneSample) {
    const VeskDesign before = designAt(0.8f), after = designAt(0.2f);
    const std::vector<float> in = testsignal::noise(1 << 17, 0.5, 31);
    const std::vector<float> allBefore = reference(before, after, in.size(), in);
    bool landedInside = false;
    for (int attempt = 0; attempt < 10 && !landedInside; ++attempt) {
        Published<VeskDesign> design(before);
        vesk::VeskChain chain;
        std::vector<float> l(in.size()), r(in.size());
        std::atomic<bool> started{false};
        std::thread audio([&] {
            started.store(true);
            chain.process(in.data(), in.data(), l.data(), r.data(), static_cast<int>(in.size()),
                          design, false);
        });
        while (!started.load()) std::this_thread::yield();
        design.publish(after);
        audio.join();
        const size_t at = firstDifference(l, allBefore);
        EXPECT_EQ(firstDifference(l, reference(before, after, at, in)), in.size()) << "at " << at;
        EXPECT_EQ(firstDifference(l, r), in.size());
        landedInside = at > 0 && at < in.size();
    }
    EXPECT_TRUE(landedInside);
}

TEST(VeskThreads, HostAndEditorThreadsChangeParametersWhileAudioRuns) {
    LoadedPlugin vesk(PLUGIN_PATH_Vesk);
    ASSERT_TRUE(vesk.create());
    AEffect* e = vesk.plugin->effect();
    std::atomic<bool> stop{false};
    std::thread audio([&] {
        const std::vector<float> in = testsignal::noise(512, 0.5, 32);
        std::vector<float> l(512), r(512);
        float* ch[2] = {l.data(), r.data()};
        while (!stop.load()) {
            std::copy(in.begin(), in.end(), l.begin());
            std::copy(in.begin(), in.end(), r.begin());
            e->processReplacing(e, ch, ch, 512);
            e->process(e, ch, ch, 64);
        }
    });
    auto changer = [&](int first, int seed) {
        char text[64];
        for (int n = 0; n < 3000; ++n) {
            const int index = first + (n * 7 + seed) % 10;
            e->setParameter(e, index, static_cast<float>((n * 13 + seed) % 101) / 100.0f);
            e->getParameter(e, index);
            e->dispatcher(e, effGetParamDisplay, index, 0, text, 0.0f);
        }
    };
    std::thread host(changer, 0, 1), editor(changer, 10, 2);
    host.join();
    editor.join();
    stop.store(true);
    audio.join();

    // Every last change arrived whole: flat again, the output is the input.
    for (int i = 0; i < 20; ++i) e->setParameter(e, i, 0.5f);
    const std::vector<float> in = testsignal::noise(2048, 0.5, 33);
    std::vector<float> l = in, r = in;
    testsignal::processBlocks(*vesk.plugin, l, r);
    for (size_t i = 0; i < in.size(); ++i) ASSERT_EQ(l[i], in[i]) << i;
}

}  // namespace
