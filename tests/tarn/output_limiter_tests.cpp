// The output limiter: its table, its release and its per-channel gains.
#include <gtest/gtest.h>

#include <cmath>

#include "plugins/tarn/output_limiter.h"

using namespace tarn;

namespace {

TEST(OutputLimiter, TableHoldsOneBelowFullScaleAndTheReciprocalAbove) {
    OutputLimiter l;
    EXPECT_EQ(l.tableEntry(0), 1.0f);
    EXPECT_EQ(l.tableEntry(4095), 1.0f);
    EXPECT_EQ(l.tableEntry(4096), 1.0f);
    EXPECT_EQ(l.tableEntry(8192), 0.5f);
    EXPECT_EQ(l.tableEntry(4097), 1.0f / (4097.0f / 4096.0f));
    EXPECT_EQ(l.tableEntry(OutputLimiter::kTableSize - 1), 4096.0f / 32767.0f);
}

TEST(OutputLimiter, ReleaseIsThatOf75msAt44100Hz) {
    OutputLimiter l;
    l.setReleaseTime(75.0f, 44100.0f);
    EXPECT_NEAR(l.releaseCoefficient(), 0.0020863331, 1e-10);
    // After n = 3307.5 samples the distance left is 0.001.
    EXPECT_NEAR(std::pow(1.0 - l.releaseCoefficient(), 3307.5), 0.001, 1e-12);
}

TEST(OutputLimiter, ReleaseStaysInsideZeroToOneForAnyTime) {
    for (float ms : {0.0f, -5.0f, 1e-6f, NAN, INFINITY, 1e30f}) {
        OutputLimiter l;
        l.setReleaseTime(ms, 44100.0f);
        EXPECT_GT(l.releaseCoefficient(), 0.0) << ms;
        EXPECT_LT(l.releaseCoefficient(), 1.0) << ms;
    }
}

struct Feed {
    const char* what;
    float left, right;
    float outLeft, outRight;  // first sample out
    float gainLeft, gainRight;
};

class LimiterCase : public testing::TestWithParam<Feed> {};

TEST_P(LimiterCase, FirstSample) {
    const Feed& f = GetParam();
    OutputLimiter l;
    l.resetGains();
    float left = f.left, right = f.right;
    l.processStereo(left, right);
    EXPECT_NEAR(left, f.outLeft, 1e-6);
    EXPECT_NEAR(right, f.outRight, 1e-6);
    EXPECT_NEAR(l.leftGain(), f.gainLeft, 1e-6);
    EXPECT_NEAR(l.rightGain(), f.gainRight, 1e-6);
}

// 9 − 729/6 = −112.5: a level of 460800 table steps, clamped to 32760.
const float kClampedGain = 4096.0f / 32760.0f;

INSTANTIATE_TEST_SUITE_P(
    Levels, LimiterCase,
    testing::Values(Feed{"quiet", 0.5f, 0.5f, 0.47916667f, 0.47916667f, 1.0f, 1.0f},
                    Feed{"left2", 2.0f, 0.0f, 0.6666666f, 0.0f, 1.0f, 1.0f},
                    Feed{"loud", 4.0f, 4.0f, -1.0f, -1.0f, 0.15f, 0.15f},
                    Feed{"clamped", 9.0f, 0.25f, -112.5f * kClampedGain, 0.24739583f,
                         kClampedGain, 1.0f},
                    Feed{"negative", -4.0f, 0.0f, 1.0f, 0.0f, 0.15f, 1.0f}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(OutputLimiter, AttacksAtOnceAndReleasesAtItsRateOnOneChannelOnly) {
    OutputLimiter l;
    l.setReleaseTime(75.0f, 44100.0f);
    l.resetGains();
    float left = 4.0f, right = 0.5f;
    l.processStereo(left, right);
    EXPECT_NEAR(left, -1.0f, 1e-6);
    EXPECT_FLOAT_EQ(l.leftGain(), 0.15f);
    EXPECT_EQ(l.rightGain(), 1.0f);
    // Quiet again: the gain climbs back by the release coefficient per sample.
    double expected = 0.15f;
    for (int i = 0; i < 3308; ++i) {
        left = 0.1f, right = 0.1f;
        l.processStereo(left, right);
        expected = float(expected + (1.0 - expected) * l.releaseCoefficient());
    }
    EXPECT_FLOAT_EQ(l.leftGain(), float(expected));
    EXPECT_NEAR(l.leftGain(), 1.0 - 0.85 * 0.001, 1e-4);
    EXPECT_EQ(l.rightGain(), 1.0f);
}

TEST(OutputLimiter, NonFiniteSamplesLeaveTheGainsFinite) {
    OutputLimiter l;
    for (float x : {NAN, INFINITY, -INFINITY}) {
        float left = x, right = 0.5f;
        l.processStereo(left, right);
        EXPECT_TRUE(std::isfinite(l.leftGain())) << x;
        EXPECT_LE(l.leftGain(), 1.0f);
        EXPECT_EQ(l.rightGain(), 1.0f);
    }
    float left = 0.5f, right = 0.5f;
    l.processStereo(left, right);
    EXPECT_TRUE(std::isfinite(left));
}

}  // namespace
