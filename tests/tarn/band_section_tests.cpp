// The peaking section: its design numbers, its guards and its processing.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "dsp/band_section.h"
#include "tests/support/signal.h"

using namespace dsp;

namespace {

// |H| at hz, from the coefficients as stored.
double magnitude(const BandCoefficients& c, double hz, double fs) {
    std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * hz / fs);
    std::complex<double> z2 = z1 * z1;
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

BandCoefficients design(float f, float bw, float fs, float g) {
    BandCoefficients c;
    c.designBandPeak(f, bw, fs, g);
    return c;
}

TEST(DesignBandPeak, GivesThePublishedCoefficients) {
    BandCoefficients c = design(1000.0f, 300.0f, 44100.0f, 3.981072f);
    EXPECT_NEAR(c.b0, 1.011, 0.0005);
    EXPECT_NEAR(c.b1, -1.972, 0.0005);
    EXPECT_EQ(c.a1, c.b1);
    EXPECT_NEAR(c.b2, 0.9809, 0.00005);
    EXPECT_EQ(c.a0, 1.0f);
    EXPECT_NEAR(c.a2, 0.9923, 0.00005);
}

// The same design carried out with every intermediate forced through a 32-bit
// store. A compiler that keeps one of them in double precision changes the result.
BandCoefficients designedInSinglePrecision(float f, float bw, float fs, float g) {
    volatile float w0 = 6.2831855f * f / fs;
    volatile float half = (6.2831855f * bw / fs) / 2.0f;
    volatile float t = static_cast<float>(std::tan(double(half)));
    volatile float spread = std::fabs(g * g - 0.5f);
    volatile float root = static_cast<float>(std::sqrt(double(spread)));
    volatile float k = t * 0.70710677f / root;
    volatile float cw = static_cast<float>(std::cos(double(w0)));
    volatile float norm = 1.0f + k;
    BandCoefficients c;
    volatile float gk = g * k;
    c.b0 = (1.0f + gk) / norm;
    c.b1 = -2.0f * cw / norm;
    c.b2 = (1.0f - gk) / norm;
    c.a1 = c.b1;
    c.a2 = (1.0f - k) / norm;
    return c;
}

BandCoefficients designedInDoublePrecision(double f, double bw, double fs, double g) {
    double w0 = 2.0 * M_PI * f / fs;
    double t = std::tan(M_PI * bw / fs);
    double k = t * M_SQRT1_2 / std::sqrt(std::fabs(g * g - 0.5));
    BandCoefficients c;
    c.b0 = float((1.0 + g * k) / (1.0 + k));
    c.b1 = float(-2.0 * std::cos(w0) / (1.0 + k));
    c.b2 = float((1.0 - g * k) / (1.0 + k));
    c.a1 = c.b1;
    c.a2 = float((1.0 - k) / (1.0 + k));
    return c;
}

TEST(DesignBandPeak, RoundsEveryIntermediateToSinglePrecision) {
    struct Case {
        float f, bw, fs, g;
    };
    int differsFromDouble = 0;
    for (Case c : {Case{1000, 300, 44100, 3.981072f}, Case{20, 20, 44100, 0.2511886f},
                   Case{700, 7000, 48000, 1.9952623f}, Case{5000, 5000, 96000, 0.5f},
                   Case{12345.6f, 777.7f, 44100, 2.5f}}) {
        SCOPED_TRACE(testing::Message() << c.f << " Hz, g " << c.g);
        BandCoefficients got = design(c.f, c.bw, c.fs, c.g);
        EXPECT_EQ(got, designedInSinglePrecision(c.f, c.bw, c.fs, c.g));
        if (!(got == designedInDoublePrecision(c.f, c.bw, c.fs, c.g))) ++differsFromDouble;
    }
    // The cases are ones where the precision shows in the stored coefficients.
    EXPECT_GE(differsFromDouble, 4);
}

TEST(DesignBandPeak, HasItsGainAtTheCentreAndUnityAtTheEdges) {
    struct Case {
        float f, bw, fs, g;
    };
    for (Case c : {Case{1000, 300, 44100, 3.981072f}, Case{20, 20, 44100, 0.2511886f},
                   Case{5000, 20000, 44100, 1.5f}, Case{700, 700, 48000, 0.5f},
                   Case{3000, 100, 192000, 3.0f}}) {
        SCOPED_TRACE(testing::Message() << c.f << " Hz, g " << c.g);
        BandCoefficients k = design(c.f, c.bw, c.fs, c.g);
        EXPECT_NEAR(magnitude(k, c.f, c.fs), c.g, 2e-3 * c.g);
        EXPECT_NEAR(magnitude(k, 0.0, c.fs), 1.0, 1e-3);
        EXPECT_NEAR(magnitude(k, c.fs / 2, c.fs), 1.0, 1e-3);
        EXPECT_TRUE(stable(k));
    }
}

TEST(DesignBandPeak, UnityGainIsTheIdentitySection) {
    BandCoefficients identity;
    identity.b0 = 1.0f;
    identity.b1 = identity.b2 = identity.a1 = identity.a2 = 0.0f;
    identity.a0 = 1.0f;
    for (float f : {20.0f, 700.0f, 5000.0f})
        EXPECT_EQ(design(f, 20.0f, 44100.0f, 1.0f), identity) << f;
}

// Values the host or a mapping may produce outside the useful range: the
// design stays finite and stable whatever arrives.
TEST(DesignBandPeak, StaysFiniteAndStableForHostileValues) {
    const float inf = INFINITY, nan = NAN;
    const float singular = 0.70710677f;  // the float nearest 1/√2
    struct Case {
        float f, bw, fs, g;
    };
    for (Case c : {Case{1000, 300, 44100, singular}, Case{1000, 300, 44100, 0.70710678f},
                   Case{1000, 300, 44100, std::nextafter(singular, 1.0f)},
                   Case{20, 20, 44100, singular}, Case{19000, 20000, 40000, 2.0f},
                   Case{19000, 30000, 32000, 0.3f}, Case{1000, 0, 44100, 3.0f},
                   Case{1000, -500, 44100, 3.0f}, Case{-760, 20, 44100, 2.0f},
                   Case{1e30f, 20, 44100, 2.0f}, Case{1000, 300, 44100, 1e20f},
                   Case{1000, 300, 44100, inf}, Case{1000, 300, 44100, 0.0f},
                   Case{1000, 300, 44100, -3.0f}, Case{1000, 5, 192000, 1e6f},
                   Case{nan, 300, 44100, 2.0f}, Case{1000, nan, 44100, 2.0f},
                   Case{1000, 300, 44100, nan}, Case{1000, 300, 0, 2.0f},
                   Case{1000, 300, -44100, 2.0f}, Case{1000, 300, nan, 2.0f},
                   Case{1000, 300, inf, 2.0f}, Case{inf, inf, inf, inf},
                   // centres on the unit circle's real axis: 0 and half the rate
                   Case{20000, 300, 40000, 2.0f}, Case{16000, 1000, 32000, 0.5f},
                   Case{0, 300, 44100, 2.0f}, Case{1, 300, 384000, 2.0f}}) {
        SCOPED_TRACE(testing::Message() << c.f << " " << c.bw << " " << c.fs << " " << c.g);
        BandCoefficients k = design(c.f, c.bw, c.fs, c.g);
        ASSERT_TRUE(finite(k));
        EXPECT_TRUE(stable(k));
        BandSection s;
        s.setCoefficients(k);
        std::vector<float> in = testsignal::noise(20000);
        float peak = 0.0f;
        for (float x : in) {
            float l, r;
            s.processStereo(x, -x, l, r);
            ASSERT_TRUE(std::isfinite(l) && std::isfinite(r));
            peak = std::max(peak, std::fabs(l));
        }
        EXPECT_LT(peak, 1e6f);
    }
}

TEST(DesignBandPeak, IsContinuousAcrossTheSingularGain) {
    // Gains stepping through 1/√2 one float at a time, 2000 either side:
    // neighbouring designs stay close and every one is stable.
    float g = 0.70710677f;
    for (int i = 0; i < 2000; ++i) g = std::nextafter(g, 0.0f);
    BandCoefficients previous = design(1000, 300, 44100, g);
    for (int i = 0; i < 4000; ++i) {
        g = std::nextafter(g, 1.0f);
        BandCoefficients next = design(1000, 300, 44100, g);
        ASSERT_TRUE(stable(next)) << g;
        ASSERT_NEAR(next.b0, previous.b0, 0.02) << g;
        ASSERT_NEAR(next.b2, previous.b2, 0.02) << g;
        ASSERT_NEAR(next.a2, previous.a2, 0.02) << g;
        previous = next;
    }
}

TEST(BandSection, IdentityPassesNoiseExactlyAndKeepsItsHistory) {
    BandSection s;
    s.designBandPeak(20.0f, 20.0f, 44100.0f, 1.0f);
    std::vector<float> in = testsignal::noise(10000);
    for (size_t i = 0; i < in.size(); ++i) {
        float l, r;
        s.processStereo(in[i], -in[i], l, r);
        ASSERT_EQ(l, in[i]) << i;
        ASSERT_EQ(r, -in[i]) << i;
    }
    // The memories hold the signal, ready for a design away from unity.
    EXPECT_EQ(s.x1L, in.back());
    EXPECT_EQ(s.x2L, in[in.size() - 2]);
    EXPECT_EQ(s.y1R, -in.back() + kAntiDenormal);
    EXPECT_EQ(s.y2R, -in[in.size() - 2] + kAntiDenormal);
}

TEST(BandSection, FiltersEachChannelOnItsOwnWithTheOffsetInItsMemory) {
    BandSection s;
    s.designBandPeak(1000.0f, 300.0f, 44100.0f, 3.981072f);
    // Silence leaves only the offset, carried through the recursion.
    float l, r;
    s.processStereo(0.0f, 0.0f, l, r);
    EXPECT_EQ(l, kAntiDenormal);
    EXPECT_EQ(s.y1L, kAntiDenormal);
    // A sine at the centre on the left only: gain g on the left, the right
    // keeps to the offsets.
    std::vector<float> in = testsignal::sine(1000.0, 44100.0, 44100);
    std::vector<float> left(in.size());
    float rightPeak = 0.0f;
    for (size_t i = 0; i < in.size(); ++i) {
        s.processStereo(in[i], 0.0f, left[i], r);
        rightPeak = std::max(rightPeak, std::fabs(r));
    }
    EXPECT_NEAR(testsignal::rms(left, 22050) / testsignal::rms(in, 22050), 3.981072, 0.01);
    EXPECT_LT(rightPeak, 1e-20f);
}

TEST(BandSection, ClearsAHistoryThatNonFiniteInputReached) {
    BandSection s;
    s.designBandPeak(1000.0f, 300.0f, 44100.0f, 2.0f);
    float l, r;
    s.processStereo(0.25f, 0.25f, l, r);
    EXPECT_TRUE(s.memoriesSane());
    s.processStereo(NAN, 0.25f, l, r);
    EXPECT_FALSE(s.memoriesSane());
    s.clearMemories();
    EXPECT_TRUE(s.memoriesSane());
    s.processStereo(0.0f, 0.0f, l, r);
    EXPECT_EQ(l, kAntiDenormal);
}

}  // namespace
