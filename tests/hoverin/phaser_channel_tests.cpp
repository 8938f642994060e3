// The phaser channel's numbers: sweep constants, sweep timing, the all-pass
// loop, and what it makes of values it cannot use.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "plugins/hoverin/parameters.h"
#include "plugins/hoverin/phaser_channel.h"

using namespace hoverin;

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

PhaserChannel defaultChannel(float feedback = 0.0f) {
    PhaserChannel c;
    c.configure(feedback, 0.5f, 1.0f, frequencyHzFor(0.8f), 44100.0f);
    c.restartSweep();
    return c;
}

TEST(PhaserSweep, ConstantsCarryTheirRoundingsTo32Bits) {
    struct Case {
        float rate, octaves, fs;
        float min, max, factor;
    } const cases[] = {
        // The defaults at 44100 Hz: f = 1592.4287 Hz, one octave, half a cycle per second.
        {0.5f, 1.0f, 44100.0f, 0x1.d0a7dap-4f, 0x1.d0a7dap-3f, 0x1.000108p+0f},
        {16.0f, 3.0f, 48000.0f, 0x1.aae702p-4f, 0x1.aae702p-1f, 0x1.005aeap+0f},
    };
    for (const Case& k : cases) {
        PhaserChannel c;
        c.configure(0.0f, k.rate, k.octaves, frequencyHzFor(0.8f), k.fs);
        c.restartSweep();
        EXPECT_EQ(c.sweepLow(), k.min) << k.fs;
        EXPECT_EQ(c.sweepHigh(), k.max) << k.fs;
        EXPECT_EQ(c.sweepGrowth(), k.factor) << k.fs;
        EXPECT_EQ(c.sweepValue(), k.min);
        EXPECT_EQ(c.sweepNextFactor(), k.factor);
    }
    PhaserChannel c = defaultChannel();
    EXPECT_NEAR(c.lowestFrequency(), 1592.4287f, 1e-3);
    EXPECT_NEAR(c.sweepLow(), 0.1134413, 1e-7);
    EXPECT_NEAR(c.sweepHigh(), 0.2268827, 1e-7);
    EXPECT_NEAR(c.sweepGrowth(), 1.0000157, 1e-7);
}

// The sweep is a 32-bit value advanced by a 32-bit product at every sample;
// kept at 64 bits it would cross the top one sample earlier (after 44050).
TEST(PhaserSweep, RisesAndFallsInAboutOneSecondTurningOnePastEachBound) {
    PhaserChannel c = defaultChannel();
    int up = -1, down = -1;
    float previous = c.sweepValue();
    for (int n = 1; n <= 3 * 44100 && down < 0; ++n) {
        c.processSample(0.0);
        const float now = c.sweepValue();
        if (up < 0 && now > c.sweepHigh()) {
            up = n;
            EXPECT_GT(now, previous);
            EXPECT_EQ(c.sweepNextFactor(), 1.0f / c.sweepGrowth());
        } else if (up > 0 && now < c.sweepLow()) {
            down = n - up;
            EXPECT_LT(now, previous);
            EXPECT_EQ(c.sweepNextFactor(), c.sweepGrowth());
        }
        if (up < 0) {
            EXPECT_GE(now, c.sweepLow());
        }
        previous = now;
    }
    EXPECT_EQ(up, 44051);
    EXPECT_NEAR(down, 44051, 2);
    // Past each bound by a single step only.
    PhaserChannel d = defaultChannel();
    for (int n = 0; n < up; ++n) d.processSample(0.0);
    EXPECT_LE(d.sweepValue(), d.sweepHigh() * d.sweepGrowth());
    d.processSample(0.0);
    EXPECT_LT(d.sweepValue(), d.sweepHigh() * d.sweepGrowth());
}

TEST(PhaserMapping, FrequencyIsComputedIn32Bits) {
    // At 64 bits 0.007 would give 41.3104553 instead.
    EXPECT_EQ(frequencyHzFor(0.007f), 0x1.4a7bd2p+5f);
    EXPECT_EQ(frequencyHzFor(0.8f), 0x1.8e1b7p+10f);
    EXPECT_EQ(frequencyHzFor(0.0f), 40.0f);
    EXPECT_EQ(frequencyHzFor(1.0f), 4000.0f);
}

TEST(PhaserLoop, FirstSampleIsTheFourStagesAndFeedbackArrivesOneSampleLater) {
    PhaserChannel plain = defaultChannel(0.0f);
    PhaserChannel fed = defaultChannel(0.5f);
    const double w = plain.sweepValue();
    const double b = (1.0 - w) / (1.0 + w);
    const double first = plain.processSample(1.0);
    EXPECT_NEAR(first, b * b * b * b, 1e-15);
    EXPECT_EQ(fed.processSample(1.0), first);
    EXPECT_NE(fed.processSample(0.0), plain.processSample(0.0));
}

TEST(PhaserLoop, ImpulseEnergyIsKeptWithoutFeedback) {
    PhaserChannel c = defaultChannel();
    double energy = 0;
    for (int n = 0; n < 20000; ++n) {
        const double y = c.processSample(n == 0 ? 1.0 : 0.0);
        energy += y * y;
    }
    EXPECT_NEAR(energy, 1.0, 1e-3);
}

TEST(PhaserLoop, SilenceSettlesOnTheOffsetThroughTheLoopWithoutDenormals) {
    for (float feedback : {0.0f, 0.5f, 0.9f, 1.0f}) {
        PhaserChannel c = defaultChannel(feedback);
        double y = 0;
        for (int n = 0; n < 20000; ++n) {
            y = c.processSample(0.0);
            ASSERT_NE(std::fpclassify(y), FP_SUBNORMAL);
        }
        const double expected = kPhaserInputOffset / (1.0 - c.feedbackGain());
        EXPECT_NEAR(y, expected, expected * 1e-6) << feedback;
    }
}

TEST(PhaserConfigure, KeepsFeedbackBelowOneAndTheSweepFinite) {
    struct Case {
        float feedback, rate, octaves, frequency, fs;
        float expectFeedback, expectRate, expectOctaves, expectFrequency, expectFs;
    } const cases[] = {
        {1.0f, 0.5f, 1.0f, 1000.0f, 44100.0f, 0.975f, 0.5f, 1.0f, 1000.0f, 44100.0f},
        {0.99f, 0.5f, 1.0f, 1000.0f, 44100.0f, 0.99f, 0.5f, 1.0f, 1000.0f, 44100.0f},
        {7.0f, 16.0f, 6.0f, 4000.0f, 96000.0f, 0.975f, 16.0f, 6.0f, 4000.0f, 96000.0f},
        {-3.0f, 0.0f, 0.0f, 0.0f, 0.0f, -0.975f, 0.03125f, 1.0f, 40.0f, 44100.0f},
        {kNaN, kNaN, kNaN, kNaN, kNaN, 0.0f, 0.03125f, 1.0f, 40.0f, 44100.0f},
        {0.3f, kInf, kInf, kInf, kInf, 0.3f, 16.0f, 6.0f, 4000.0f, 44100.0f},
        {0.3f, -kInf, 11.0f, -kInf, -48000.0f, 0.3f, 0.03125f, 6.0f, 40.0f, 44100.0f},
        // The lowest break frequency stays under half the sample rate.
        {0.3f, 1e9f, 2.5f, 1e9f, 10.0f, 0.3f, 16.0f, 2.0f, std::nextafter(500.0f, 0.0f), 1000.0f},
    };
    for (const Case& k : cases) {
        PhaserChannel c;
        c.configure(k.feedback, k.rate, k.octaves, k.frequency, k.fs);
        EXPECT_EQ(c.feedbackGain(), k.expectFeedback) << k.feedback;
        EXPECT_EQ(c.sweepRate(), k.expectRate) << k.rate;
        EXPECT_EQ(c.sweepOctaves(), k.expectOctaves) << k.octaves;
        EXPECT_EQ(c.designSampleRate(), k.expectFs) << k.fs;
        EXPECT_EQ(c.lowestFrequency(), k.expectFrequency) << k.frequency;
        c.restartSweep();
        double peak = 0;
        for (int n = 0; n < 50000; ++n) {
            const double y = c.processSample(n % 200 < 100 ? 1.0 : -1.0);
            ASSERT_TRUE(std::isfinite(y));
            peak = std::fmax(peak, std::fabs(y));
        }
        EXPECT_TRUE(std::isfinite(c.sweepValue()));
        EXPECT_GT(c.sweepValue(), 0.0f);
        EXPECT_LT(peak, 200.0);
    }
    PhaserChannel low;
    low.configure(0.0f, 0.5f, 1.0f, 4000.0f, 8000.0f);
    EXPECT_LT(low.lowestFrequency(), 4000.0f);
    EXPECT_GT(low.lowestFrequency(), 3999.99f);
}

TEST(PhaserConfigure, LeavesTheSweepAloneUntilRestart) {
    PhaserChannel c = defaultChannel();
    for (int n = 0; n < 1000; ++n) c.processSample(0.0);
    const float sweep = c.sweepValue(), low = c.sweepLow();
    c.configure(0.5f, 16.0f, 6.0f, 40.0f, 48000.0f);
    EXPECT_EQ(c.sweepLow(), low);
    EXPECT_EQ(c.sweepValue(), sweep);
    c.restartSweep();
    EXPECT_EQ(c.sweepValue(), c.sweepLow());
    EXPECT_NE(c.sweepLow(), low);
}

TEST(PhaserLoop, RecoversFromNonFiniteInputOnceCleared) {
    PhaserChannel c = defaultChannel(0.5f);
    c.processSample(std::numeric_limits<double>::quiet_NaN());
    EXPECT_FALSE(c.stagesFinite());
    c.clearStages();
    EXPECT_TRUE(c.stagesFinite());
    for (int n = 0; n < 100; ++n) ASSERT_TRUE(std::isfinite(c.processSample(0.25)));
}

}  // namespace
