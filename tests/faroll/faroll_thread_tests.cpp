// Parameter changes from two threads while the audio thread runs both
// precisions: no data race, no torn design, and the last change wins.
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "faroll_fixture.h"

namespace {

enum { kLowGain, kMidGain, kHighGain, kLowCut, kMidCut, kHighCut, kLowFreq, kMidFreq, kHighFreq,
       kReset };

TEST(FarollThreads, ChangesFromTwoThreadsWhileAudioRuns) {
    FarollInstance f;
    std::atomic<bool> stop{false};
    std::atomic<bool> finite{true};
    std::thread audio([&] {
        std::vector<float> l = testsignal::noise(256), r = l;
        std::vector<double> dl(256, 0.25), dr(256, -0.25);
        while (!stop.load()) {
            float* c[2] = {l.data(), r.data()};
            f->processReplacing(c, c, 256);
            double* d[2] = {dl.data(), dr.data()};
            f->processDoubleReplacing(d, d, 256);
            if (!std::isfinite(l[255]) || !std::isfinite(dr[255])) finite = false;
            l = testsignal::noise(256);
            r = l;
        }
    });
    // The host automates gains and frequencies; the editor toggles cuts and resets.
    std::thread host([&] {
        for (int i = 0; i < 300; ++i)
            for (int index : {kLowGain, kMidGain, kHighGain, kLowFreq, kMidFreq, kHighFreq})
                f->setParameter(index, (i % 11) / 10.0f);
        f->setParameter(kLowGain, 0.0f);
    });
    std::thread editor([&] {
        for (int i = 0; i < 300; ++i) {
            for (int index : {kLowCut, kMidCut, kHighCut}) f->setParameter(index, float(i % 2));
            if (i % 50 == 0) f->setParameter(kReset, 1.0f);
            (void)f->getParameter(kLowGain);
            (void)f->parameterDisplay(kHighFreq);
        }
        f->setParameter(kLowCut, 1.0f);
    });
    host.join();
    editor.join();
    stop = true;
    audio.join();
    EXPECT_TRUE(finite.load());
    // Whatever the interleaving, the low band ends designed from the last
    // values: Low Gain 0 (-96 dB) with the band playing.
    // (An editor Reset may have come last instead.)
    if (f->getParameter(kLowGain) == 0.0f && f->getParameter(kLowCut) == 1.0f)
        EXPECT_LT(farollGainDb(*f, 30.0, 44100.0, 2.0), -90.0);
    else
        EXPECT_NEAR(farollGainDb(*f, 30.0, 44100.0, 2.0), 0.0, 0.5);
}

}  // namespace
