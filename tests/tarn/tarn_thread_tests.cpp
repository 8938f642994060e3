// Parameter changes from other threads while audio runs: whole designs reach
// the audio thread at a sample boundary, and nothing races (run under
// ThreadSanitizer as well).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <thread>
#include <vector>

#include "chain_reference.h"
#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"
#include "plugins/tarn/tarn_chain.h"

using namespace tarn;
using namespace dsp;

namespace {

// A design published while one long block runs takes effect at one sample:
// every sample before it has the old design in all six sections, every
// sample from it the new one.
TEST(TarnChainThreads, ADesignPublishedMidBlockSwitchesAtOneSample) {
    const TarnDesign before = designAt(3.0f, 0.5f, 0.3f, true);
    const TarnDesign after = designAt(0.3f, 2.0f, 1.5f, false);
    for (int attempt = 0; attempt < 5; ++attempt) {
        const int frames = 200000 << attempt;
        std::vector<float> inL = testsignal::noise(frames, 2.0, 21);
        std::vector<float> inR = testsignal::noise(frames, 0.7, 22);
        std::vector<float> outL(frames), outR(frames);
        TarnChain chain;
        chain.setDesign(before);
        std::atomic<bool> started{false};
        std::thread writer([&] {
            while (!started.load()) std::this_thread::yield();
            std::this_thread::sleep_for(std::chrono::microseconds(500));
            chain.setDesign(after);
        });
        started.store(true);
        chain.processReplacing(inL.data(), inR.data(), outL.data(), outR.data(), frames);
        writer.join();

        // The first sample that differs from the old design throughout...
        int switched = -1;
        {
            ReferenceChain old;
            old.apply(before);
            for (int i = 0; i < frames && switched < 0; ++i) {
                float l = inL[i], r = inR[i];
                old.process(l, r);
                if (l != outL[i] || r != outR[i]) switched = i;
            }
        }
        if (switched < 0) continue;  // the block ended before the writer ran
        // ...is where the whole new design starts.
        ReferenceChain reference;
        reference.apply(before);
        for (int i = 0; i < frames; ++i) {
            if (i == switched) reference.apply(after);
            float l = inL[i], r = inR[i];
            reference.process(l, r);
            ASSERT_EQ(outL[i], l) << "sample " << i << ", switched at " << switched;
            ASSERT_EQ(outR[i], r) << "sample " << i << ", switched at " << switched;
        }
        return;
    }
    GTEST_SKIP() << "the writer never ran during a block";
}

TEST(TarnThreads, ParametersProgramsAndTextsWhileAudioRuns) {
    LoadedPlugin p(PLUGIN_PATH_Tarn);
    ASSERT_TRUE(p.create());
    hosting::Plugin& plugin = *p.plugin;
    std::atomic<bool> stop{false};
    std::atomic<bool> finite{true};
    std::atomic<int> where{0};
    std::atomic<float> what{0};

    std::thread audio([&] {
        std::vector<float> noise = testsignal::noise(256, 0.5, 9);
        while (!stop.load()) {
            std::vector<float> left = noise, right = noise;
            float* channels[2] = {left.data(), right.data()};
            plugin.processReplacing(channels, channels, 256);
            for (float x : left)
                if (!std::isfinite(x) && where == 0) { finite.store(false); where = 1; what = x; }
            plugin.processAccumulating(channels, channels, 256);
            for (float x : left)
                if (!std::isfinite(x) && where == 0) { finite.store(false); where = 2; what = x; }
        }
    });
    std::thread editor([&] {  // automation from the editor's thread
        for (int i = 0; i < 3000; ++i) plugin.setParameter(i % 10, float(i % 17) / 16.0f);
    });
    std::thread texts([&] {  // a host reading what it shows
        for (int i = 0; i < 3000; ++i) {
            plugin.parameterDisplay(i % 10);
            plugin.getParameter(i % 10);
            plugin.programNameIndexed(i % 10);
        }
    });
    for (int i = 0; i < 300; ++i) {  // the host's own thread
        plugin.setProgram(i % 10);
        plugin.setParameter(9, float(i % 2));
        plugin.programName();
    }
    editor.join();
    texts.join();
    stop.store(true);
    audio.join();
    EXPECT_TRUE(finite.load()) << "first non-finite sample " << what.load() << " after "
                               << (where == 1 ? "processReplacing" : "process");
}

TEST(TarnThreads, TwoWritersAtOnceLoseNeitherChange) {
    for (int round = 0; round < 20; ++round) {
        LoadedPlugin p(PLUGIN_PATH_Tarn);
        ASSERT_TRUE(p.create());
        hosting::Plugin& plugin = *p.plugin;
        std::thread low([&] {
            for (int i = 0; i < 200; ++i) plugin.setParameter(6, i % 3 / 2.0f);
            plugin.setParameter(6, 1.0f);
        });
        std::thread high([&] {
            for (int i = 0; i < 200; ++i) plugin.setParameter(8, i % 3 / 2.0f);
            plugin.setParameter(8, 1.0f);
        });
        low.join();
        high.join();
        ASSERT_NEAR(testsignal::sineGainDb(plugin, 5000.0, 44100.0, 0.2, 0.1), 24.0, 0.2) << round;
        ASSERT_NEAR(testsignal::sineGainDb(plugin, 20.0, 44100.0, 1.0, 0.5), 24.0, 0.2) << round;
    }
}

}  // namespace
