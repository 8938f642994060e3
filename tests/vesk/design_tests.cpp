// The band designs and the gain mapping, checked for their numbers.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <limits>

#include "plugins/vesk/graphic_peak.h"
#include "plugins/vesk/vesk_design.h"

using namespace vesk;
using namespace dsp;

namespace {

using vesk::designBand;
using vesk::kBandCount;
using vesk::kBandHz;

// Magnitude of a section at hz for rate fs.
double magnitude(const BandCoefficients& c, double hz, double fs) {
    const std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * hz / fs);
    const std::complex<double> z2 = z1 * z1;
    return std::abs((double(c.b0) + double(c.b1) * z1 + double(c.b2) * z2) /
                    (1.0 + double(c.a1) * z1 + double(c.a2) * z2));
}

// Both poles strictly inside the unit circle (the stability triangle).
bool stable(const BandCoefficients& c) {
    return std::fabs(c.a2) < 1.0f && std::fabs(c.a1) < 1.0f + c.a2;
}

bool finite(const BandCoefficients& c) {
    for (float v : {c.b0, c.b1, c.b2, c.a0, c.a1, c.a2})
        if (!std::isfinite(v)) return false;
    return true;
}

struct GraphicCase {
    float g, b0, b1, b2, a2;
};

TEST(GraphicPeak, CoefficientsAtOneKilohertz) {
    const GraphicCase cases[] = {
        {3.981072f, 1.425f, -1.697f, 0.2891f, 0.7146f},
        {0.2511886f, 0.8931f, -1.697f, 0.8214f, 0.7146f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.g);
        BandCoefficients k;
        designGraphicPeak(k, 1000, 1000, 44100, c.g);
        EXPECT_NEAR(k.b0, c.b0, 5e-4 * std::fabs(c.b0));
        EXPECT_NEAR(k.b1, c.b1, 5e-4 * std::fabs(c.b1));
        EXPECT_NEAR(k.b2, c.b2, 5e-4 * std::fabs(c.b2));
        EXPECT_EQ(k.a0, 1.0f);
        EXPECT_EQ(k.a1, k.b1);
        EXPECT_NEAR(k.a2, c.a2, 5e-4 * std::fabs(c.a2));
    }
}

// Every intermediate of the design is a 32-bit float. Carried in double
// precision instead, b1 would come out as -0x1.f6cd32p+0 and b2 as
// 0x1.d29442p-1: these exact values catch a rounding the compiler drops.
TEST(GraphicPeak, EveryStepIsRoundedToSinglePrecision) {
    BandCoefficients k;
    designGraphicPeak(k, 125, 125, 44100, vesk::gainFactor(1.0f));
    EXPECT_EQ(k.b0, 0x1.0d977cp+0f);
    EXPECT_EQ(k.b1, -0x1.f6cd34p+0f);
    EXPECT_EQ(k.b2, 0x1.d2944p-1f);
    EXPECT_EQ(k.a2, 0x1.edc33ap-1f);
}

TEST(GraphicPeak, MagnitudeIsTheGainAtTheCentreAndOneAtTheEnds) {
    for (float g : {0.2511886f, 0.5f, 2.0f, 3.981072f}) {
        BandCoefficients k;
        designGraphicPeak(k, 1000, 1000, 44100, g);
        EXPECT_NEAR(magnitude(k, 1000, 44100), g, 1e-3 * g);
        EXPECT_NEAR(magnitude(k, 0, 44100), 1.0, 1e-4);
        EXPECT_NEAR(magnitude(k, 22050, 44100), 1.0, 1e-4);
    }
}

TEST(GraphicPeak, UnityGainIsTheIdentitySectionAndKeepsTheHistory) {
    BandSection s;
    s.x1L = 0.25f;
    s.y2R = -0.5f;
    designGraphicPeak(s, 20, 20, 44100, 1.0f);
    EXPECT_EQ(static_cast<const BandCoefficients&>(s), BandCoefficients{});
    EXPECT_EQ(s.x1L, 0.25f);
    EXPECT_EQ(s.y2R, -0.5f);
}

TEST(GainMapping, DbFactorAndCentreSnap) {
    struct Case {
        float p, played, db;
    };
    const Case cases[] = {
        {0.0f, 0.0f, -12.0f},    {0.25f, 0.25f, -6.0f},  {0.4949f, 0.4949f, -0.1224f},
        {0.495f, 0.5f, 0.0f},    {0.5f, 0.5f, 0.0f},     {0.5049f, 0.5f, 0.0f},
        {0.505f, 0.5f, 0.0f},    {0.506f, 0.506f, 0.144f}, {1.0f, 1.0f, 12.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.p);
        const float played = vesk::snapToCentre(c.p);
        EXPECT_EQ(played, c.played);
        EXPECT_NEAR(vesk::gainDb(played), c.db, 1e-4);
        EXPECT_NEAR(20.0 * std::log10(vesk::gainFactor(played)), c.db, 1e-4);
    }
    EXPECT_EQ(vesk::gainFactor(0.5f), 1.0f);  // exactly: a flat band is the identity
    EXPECT_NEAR(vesk::gainFactor(1.0f), 3.981072f, 1e-6);
    EXPECT_NEAR(vesk::gainFactor(0.0f), 0.2511886f, 1e-7);
}

TEST(Limits, GainsAndRatesThatReachTheDesigns) {
    const float inf = std::numeric_limits<float>::infinity();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    struct Case {
        float in, gain, rate;
    };
    const Case cases[] = {
        {nan, 1.0f, 44100.0f},      {inf, 1.0f, 44100.0f},     {-inf, 1.0f, 44100.0f},
        {0.0f, 0.001f, 44100.0f},   {-5.0f, 0.001f, 44100.0f}, {1e9f, 1000.0f, 384000.0f},
        {3.981072f, 3.981072f, 1000.0f}, {48000.0f, 1000.0f, 48000.0f}, {10.0f, 10.0f, 1000.0f},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.in);
        EXPECT_EQ(vesk::limitedGain(c.in), c.gain);
        EXPECT_EQ(vesk::limitedRate(c.in), c.rate);
    }
}

// At the usual rates the limits change nothing: each band is its design as given.
TEST(Bands, AreTheirDesignsAtUsualRates) {
    for (float fs : {44100.0f, 48000.0f, 96000.0f}) {
        for (int band = 0; band < kBandCount; ++band) {
            SCOPED_TRACE(band);
            const float g = vesk::gainFactor(0.8f), f = kBandHz[band];
            BandCoefficients expected;
            if (band < vesk::kGraphicBandCount)
                designGraphicPeak(expected, f, f, fs, g);
            else
                expected.designBandPeak(f, f, fs, g);
            EXPECT_EQ(designBand(band, g, fs), expected);
            EXPECT_NEAR(magnitude(expected, f, fs), g, 1e-2 * g);
        }
    }
}

// Low rates put the top bands at or past half the rate (band 18 from 32000 Hz
// down, the graphic bands' a2 = 1 - 2h past -1 below about 27000 Hz), high
// ones round the 20 Hz band's cos(w0) to 1: every band must still be finite
// and stable, at every rate and gain the audio path takes.
TEST(Bands, StayFiniteAndStableAtEveryRateAndGain) {
    const float rates[] = {1000, 8000, 11025, 16000, 22050, 27000, 32000,
                           35000, 44100, 48000, 96000, 192000, 352800, 384000};
    const float gains[] = {0.001f, 0.2511886f, 0.70710677f, 0.7071068f, 1.0f, 3.981072f, 1000.0f};
    for (float fs : rates)
        for (float g : gains)
            for (int band = 0; band < kBandCount; ++band) {
                SCOPED_TRACE(testing::Message() << "fs " << fs << " g " << g << " band " << band);
                const BandCoefficients c = designBand(band, g, fs);
                EXPECT_TRUE(finite(c));
                EXPECT_TRUE(stable(c)) << c.a1 << " " << c.a2;
            }
}

TEST(Bands, TopBandAtLowRatesStillCutsTheTopOfTheSpectrum) {
    const BandCoefficients c = designBand(17, vesk::gainFactor(0.0f), 32000);
    EXPECT_LT(20 * std::log10(magnitude(c, 14400, 32000)), -11.0);
    EXPECT_EQ(designBand(-1, 2.0f, 44100), BandCoefficients{});
    EXPECT_EQ(designBand(kBandCount, 2.0f, 44100), BandCoefficients{});
}

}  // namespace
