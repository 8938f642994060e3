// Parameter mappings and the limits on what reaches the designs.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "plugins/faroll/design_limits.h"
#include "plugins/faroll/mappings.h"
#include "plugins/faroll/peak_design.h"
#include "response.h"
#include "plugins/faroll/shelf_design.h"

namespace {

using namespace faroll;
using namespace dsp;

TEST(Mappings, CurvesAtTheirMarks) {
    struct Row {
        float x, gainDb, lowHz, midHz, highHz;
    } rows[] = {
        {0.0f, -96.0f, 70.0f, 500.0f, 2000.0f},
        {0.25f, -19.2f, 152.625f, 707.107f, 2224.01f},
        {0.5f, 0.0f, 250.0f, 1000.0f, 3000.0f},
        {0.75f, 4.8f, 364.76f, 1414.21f, 5688.11f},
        {1.0f, 6.0f, 500.0f, 2000.0f, 15000.0f},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.x);
        EXPECT_NEAR(gainDbFromNormalized(r.x), r.gainDb, 1e-4);
        EXPECT_NEAR(lowFreqFromNormalized(r.x), r.lowHz, 1e-2);
        EXPECT_NEAR(midFreqFromNormalized(r.x), r.midHz, 1e-2);
        EXPECT_NEAR(highFreqFromNormalized(r.x), r.highHz, 1e-2);
    }
}

TEST(Mappings, ExactValuesThatDependOnFloatRounding) {
    EXPECT_EQ(gainDbFromNormalized(0.5f), 0.0f);
    EXPECT_EQ(midSectionGainDb(0.5f).sectionDb, 0.0f);
    EXPECT_EQ(lowFreqFromNormalized(0.5f), 249.99998f);
    EXPECT_EQ(lowFreqFromNormalized(1.0f), 499.99997f);
    EXPECT_EQ(midFreqFromNormalized(0.5f), 1000.0f);
    EXPECT_EQ(highFreqFromNormalized(1.0f), 15000.0f);
    EXPECT_EQ(highDesignFrequency(48000.0f, 15000.0f), 9000.0f);
    EXPECT_EQ(highDesignFrequency(44100.0f, 15000.0f), 7050.0f);
    EXPECT_EQ(midSectionGainDb(0.0f).sectionDb, -16.0f);
}

TEST(Mappings, MidTotalIsTheShelfCurveAndSixSectionsMakeIt) {
    for (int i = -20; i <= 120; ++i) {
        const float x = i / 100.0f;
        const MidGains g = midSectionGainDb(x);
        EXPECT_EQ(g.totalDb, gainDbFromNormalized(x)) << x;
        EXPECT_NEAR(6.0 * g.sectionDb, g.totalDb, 1e-4 * (1 + std::fabs(g.totalDb))) << x;
    }
}

TEST(PeakDesign, CookbookPeakWithQOfAHalfRootTwo) {
    PeakSection<double> s;
    s.y1L = 0.5;
    designPeak(s, 1000.0f, -16.0f, 44100.0f);
    EXPECT_EQ(s.y1L, 0.5);  // memories untouched
    EXPECT_EQ(s.b1, s.a1);
    using farolltest::biquadDb;
    EXPECT_NEAR(biquadDb(s.b0, s.b1, s.b2, s.a0, s.a1, s.a2, 1000.0, 44100.0), -16.0, 1e-6);
    EXPECT_NEAR(biquadDb(s.b0, s.b1, s.b2, s.a0, s.a1, s.a2, 20.0, 44100.0), 0.0, 0.05);
    // A cut and a boost of the same size cancel at every frequency.
    PeakSection<double> boost;
    designPeak(boost, 1000.0f, 16.0f, 44100.0f);
    for (double hz : {300.0, 1000.0, 3000.0})
        EXPECT_NEAR(biquadDb(s.b0, s.b1, s.b2, s.a0, s.a1, s.a2, hz, 44100.0) +
                        biquadDb(boost.b0, boost.b1, boost.b2, boost.a0, boost.a1, boost.a2, hz,
                                 44100.0),
                    0.0, 1e-5);
}

TEST(PeakDesign, GainRoundedToFloatAndConstantsInSinglePrecision) {
    for (float db : {-16.0f, -3.3f, 0.7f, 1.0f}) {
        volatile float quarter = db / 40.0;  // single(gainDb / 40)
        volatile float A = std::pow(10.0, double(quarter));
        const double w = 6.2831854820251465 * 1234.5 / 48000.0;
        const double alpha = std::sin(w) * 0.5 * 1.4142135381698608;
        const PeakCoefficients c = peakCoefficients(1234.5f, db, 48000.0f);
        EXPECT_EQ(c.b0, 1.0 + alpha * double(A)) << db;
        EXPECT_EQ(c.a0, 1.0 + alpha / double(A)) << db;
        EXPECT_EQ(c.b1, -2.0 * std::cos(w)) << db;
        EXPECT_EQ(c.a2, 1.0 - alpha / double(A)) << db;
    }
}

TEST(DesignLimits, NormalRangePassesUnchanged) {
    for (float rate : {44100.0f, 48000.0f, 96000.0f, 192000.0f}) {
        for (float x : {0.0f, 0.5f, 1.0f}) {
            const float low = lowFreqFromNormalized(x), high = highFreqFromNormalized(x);
            EXPECT_EQ(designFrequency(low, rate), low);
            EXPECT_EQ(designFrequency(midFreqFromNormalized(x), rate), midFreqFromNormalized(x));
            const float mirrored = highDesignFrequency(rate, high);
            EXPECT_EQ(designFrequency(mirrored, rate), mirrored);
            EXPECT_EQ(designShelfGain(gainDbFromNormalized(x)), gainDbFromNormalized(x));
            EXPECT_EQ(designSectionGain(midSectionGainDb(x).sectionDb),
                      midSectionGainDb(x).sectionDb);
        }
    }
    EXPECT_EQ(designRate(44100.0f), 44100.0f);
    EXPECT_EQ(designRate(1e6f), 1e6f);
}

TEST(DesignLimits, EveryLimitedDesignIsFiniteAndStable) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float rates[] = {nan, inf, -48000.0f, 0.0f, 1e-30f, 1.0f, 8000.0f, 44100.0f, 3e38f};
    const float hzs[] = {nan, -inf, -1000.0f, 0.0f, 1e-20f, 30000.0f, 1e9f, inf};
    const float dbs[] = {nan, -inf, -1e6f, -240.0f, -96.0f, 0.0f, 1e-7f, 6.4f, 1e6f, inf};
    for (float r : rates)
        for (float hz : hzs)
            for (float db : dbs) {
                SCOPED_TRACE(testing::Message() << r << " Hz rate, " << hz << " Hz, " << db << " dB");
                const float rate = designRate(r);
                ASSERT_TRUE(std::isfinite(rate) && rate > 0.0f);
                const float f = designFrequency(hz, rate);
                ShelfCascade<float> low, high;
                designLowShelf(low, f, designShelfGain(db), rate);
                designHighShelf(high, f, designShelfGain(db), rate);
                for (const auto* c : {&low, &high})
                    for (const auto& s : c->sections) {
                        ASSERT_TRUE(std::isfinite(s.b0) && std::isfinite(s.b1) &&
                                    std::isfinite(s.b2));
                        ASSERT_TRUE(farolltest::stable(s.a0, s.a1, s.a2));
                    }
                const PeakCoefficients p = peakCoefficients(f, designSectionGain(db), rate);
                ASSERT_TRUE(std::isfinite(p.b0) && std::isfinite(p.b1) && std::isfinite(p.b2));
                ASSERT_TRUE(farolltest::stable(p.a0, p.a1, p.a2));
            }
}

}  // namespace
