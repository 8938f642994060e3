// Ilvane's sound through the built library: the shelf responses measured on
// steady sines, the two precisions, buffers, silence and hostile input.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"

namespace {

class IlvaneSignal : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(p.create()); }
    hosting::Plugin& plugin() { return *p.plugin; }
    LoadedPlugin p{PLUGIN_PATH_Ilvane};
};

struct ResponseCase {
    VstInt32 band;  // 0 low, 1 high
    double hz;
    double expectDb;  // at +12 dB; -12 dB mirrors it
    double tolerance;
};

TEST_F(IlvaneSignal, ShelfResponsesAt44100) {
    const ResponseCase cases[] = {
        {0, 10.0, 12.0, 0.05},   {0, 100.0, 6.0, 0.05},   {0, 1000.0, 0.0, 0.01},
        {1, 5000.0, 6.0, 0.05},  {1, 20000.0, 12.0, 0.05}, {1, 200.0, 0.0, 0.01},
    };
    for (float value : {1.0f, 0.0f}) {
        const double sign = value > 0.5f ? 1.0 : -1.0;
        for (const ResponseCase& c : cases) {
            LoadedPlugin fresh(PLUGIN_PATH_Ilvane);
            ASSERT_TRUE(fresh.create());
            fresh.plugin->setParameter(c.band, value);
            const double db = testsignal::sineGainDb(*fresh.plugin, c.hz, 44100.0);
            EXPECT_NEAR(db, sign * c.expectDb, c.tolerance)
                << "band " << c.band << " at " << c.hz << " Hz, gain " << sign * 12 << " dB";
        }
    }
}

TEST_F(IlvaneSignal, BothPrecisionsAgreeWithinFloatRounding) {
    plugin().setParameter(0, 0.9f);
    plugin().setParameter(1, 0.15f);
    const int frames = 4096;
    std::vector<float> l = testsignal::noise(frames, 0.8, 3), r = testsignal::noise(frames, 0.8, 4);
    std::vector<double> dl(l.begin(), l.end()), dr(r.begin(), r.end());
    plugin().processStereo(l, r);
    plugin().processStereo(dl, dr);
    // The difference is the 32-bit path's rounding noise, amplified a little
    // near the low shelf's poles (about -93 dB here): far below the signal,
    // but not zero.
    double difference = 0, signal = 0;
    for (int i = 0; i < frames; ++i) {
        difference += (l[i] - dl[i]) * (l[i] - dl[i]) + (r[i] - dr[i]) * (r[i] - dr[i]);
        signal += dl[i] * dl[i] + dr[i] * dr[i];
    }
    const double ratio = std::sqrt(difference / signal);
    EXPECT_LT(ratio, 1e-4);
    EXPECT_GT(ratio, 0.0);
}

TEST_F(IlvaneSignal, NoFramesWriteNothing) {
    std::vector<float> l(8, 7.0f), r(8, 7.0f);
    std::vector<double> dl(8, 7.0), dr(8, 7.0);
    float* f[2] = {l.data(), r.data()};
    double* d[2] = {dl.data(), dr.data()};
    for (VstInt32 frames : {0, -1, -512}) {
        plugin().processReplacing(f, f, frames);
        plugin().processDoubleReplacing(d, d, frames);
    }
    EXPECT_EQ(l, std::vector<float>(8, 7.0f));
    EXPECT_EQ(dr, std::vector<double>(8, 7.0));
}

TEST_F(IlvaneSignal, SilenceSettlesOnATinyConstant) {
    const int frames = 44100;
    std::vector<float> l(frames, 0.0f), r(frames, 0.0f);
    std::vector<double> dl(frames, 0.0), dr(frames, 0.0);
    plugin().processStereo(l, r);
    plugin().processStereo(dl, dr);
    for (double v : {double(l.back()), double(r.back()), dl.back(), dr.back()}) {
        EXPECT_GT(v, 4e-21);
        EXPECT_LT(v, 6e-21);
    }
    for (float v : l) ASSERT_NE(std::fpclassify(v), FP_SUBNORMAL);
    for (double v : dl) ASSERT_NE(std::fpclassify(v), FP_SUBNORMAL);

    // A decaying signal settles on the same constant, not on denormals.
    plugin().setParameter(0, 1.0f);
    std::vector<float> tone = testsignal::sine(50.0, 44100.0, 4410), silence(frames, 0.0f);
    std::vector<float> tone2 = tone, silence2 = silence;
    plugin().processStereo(tone, tone2);
    plugin().processStereo(silence, silence2);
    for (float v : silence) ASSERT_NE(std::fpclassify(v), FP_SUBNORMAL);
    EXPECT_GT(silence.back(), 1e-21f);
    EXPECT_LT(silence.back(), 1e-19f);
}

TEST_F(IlvaneSignal, ChannelsStayIndependent) {
    plugin().setParameter(0, 0.8f);
    const int frames = 2048;
    std::vector<float> l = testsignal::sine(300.0, 44100.0, frames), r(frames, 0.0f);
    plugin().processStereo(l, r);
    LoadedPlugin quiet(PLUGIN_PATH_Ilvane);
    ASSERT_TRUE(quiet.create());
    quiet.plugin->setParameter(0, 0.8f);
    std::vector<float> ql(frames, 0.0f), qr(frames, 0.0f);
    quiet.plugin->processStereo(ql, qr);
    EXPECT_EQ(r, qr);
}

// Whatever a host sends, the output stays finite once the input is, and
// stable: a shelf above half the rate is held just below it.
TEST_F(IlvaneSignal, HostileValuesNeverLeaveTheOutputNonFinite) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float rate;
        float value;
    };
    const Case cases[] = {{44100.0f, nan},  {44100.0f, inf},  {44100.0f, -inf}, {44100.0f, 1e9f},
                          {44100.0f, -40.0f}, {8000.0f, 1.0f}, {8000.0f, 0.0f}, {1.0f, 1.0f},
                          {0.0f, 1.0f},     {-48000.0f, 1.0f}, {nan, 1.0f},     {inf, 0.0f},
                          {1e30f, 1.0f}};
    for (const Case& c : cases) {
        LoadedPlugin q(PLUGIN_PATH_Ilvane);
        ASSERT_TRUE(q.create());
        q.plugin->setSampleRate(c.rate);
        for (VstInt32 index : {0, 1, 2, 0, 1}) q.plugin->setParameter(index, c.value);
        std::vector<float> l = testsignal::noise(8192, 0.5, 5), r = testsignal::noise(8192, 0.5, 6);
        std::vector<double> dl(l.begin(), l.end()), dr(r.begin(), r.end());
        l[100] = nan;
        dr[200] = inf;
        q.plugin->processStereo(l, r);  // the block holding the bad sample
        q.plugin->processStereo(dl, dr);
        std::vector<float> l2 = testsignal::noise(8192, 0.5, 7), r2 = l2;
        std::vector<double> dl2(l2.begin(), l2.end()), dr2 = dl2;
        q.plugin->processStereo(l2, r2);
        q.plugin->processStereo(dl2, dr2);
        // Within 0..1 the gain is at most +12 dB, so a stable filter stays small.
        const double bound = c.value >= 0.0f && c.value <= 1.0f ? 8.0 : 1e30;
        for (int i = 0; i < 8192; ++i) {
            ASSERT_TRUE(std::fabs(l2[i]) < bound && std::fabs(r2[i]) < bound)
                << "rate " << c.rate << " value " << c.value << " frame " << i;
            ASSERT_TRUE(std::fabs(dl2[i]) < bound && std::fabs(dr2[i]) < bound)
                << "rate " << c.rate << " value " << c.value << " frame " << i;
        }
    }
}

}  // namespace
