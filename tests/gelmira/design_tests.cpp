// The filter designs and the recursion, number by number.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <vector>

#include "plugins/gelmira/cut_filter.h"
#include "plugins/gelmira/difference_equation.h"
#include "plugins/gelmira/harmonic_bank.h"
#include "plugins/gelmira/note_table.h"
#include "plugins/gelmira/resonant_section.h"

using namespace gelmira;

namespace {

// Every intermediate forced through a 32-bit store, whatever the optimiser
// does with the code under test: a rounding lost there shows up here.
float f32(double v) {
    volatile float r = static_cast<float>(v);
    return r;
}

float expectedPrewarp(float frequency, float rate) {
    float q = f32(double(6.2831855f) * frequency / rate);
    float h = f32(0.5 * q);
    return f32(std::tan(double(h)));
}

struct Six {
    float b0, b1, b2, a0, a1, a2;
};

template <class Unit>
Six six(const Unit& u) {
    return {u.b0, u.b1, u.b2, u.a0, u.a1, u.a2};
}

void expectSame(const Six& got, const Six& want) {
    EXPECT_EQ(got.b0, want.b0);
    EXPECT_EQ(got.b1, want.b1);
    EXPECT_EQ(got.b2, want.b2);
    EXPECT_EQ(got.a0, want.a0);
    EXPECT_EQ(got.a1, want.a1);
    EXPECT_EQ(got.a2, want.a2);
}

Six lowPass(float frequency, float rate) {
    float t = expectedPrewarp(frequency, rate);
    float d = f32((1.0 - t) / (1.0 + t));
    float g = f32((1.0 - d) * 0.5);
    float h = f32(double(g) + g + g + g);
    float dd = f32(powf(d, 2.0f));
    float l = f32(1.0 - 2.0 * d + dd);
    return {f32(double(g) / h), f32(2.0 * g / h), f32(double(g) / h),
            f32(1.0 / l),       f32(-2.0 * d / l), f32(double(dd) / l)};
}

Six highPass(float frequency, float rate) {
    float t = expectedPrewarp(frequency, rate);
    float e = f32(1.0 / (1.0 + t));
    float f = f32((1.0 - t) / (1.0 + t));
    return {e, f32(-2.0 * e), e, 1.0f, f32(-2.0 * f), f32(powf(f, 2.0f))};
}

Six resonant(float frequency, float width, float gain, float rate) {
    float k = expectedPrewarp(frequency, rate);
    float f = f32(powf(k, 2.0f));
    float g = f32(double(rate) / width);
    float h = f32(double(k) * gain / g);
    float e = f32(double(k) / g);
    return {f32(double(h) + 1.0 + f), f32(2.0 * (double(f) - 1.0)), f32(double(f) + (1.0 - h)),
            f32(double(e) + 1.0 + f), f32(2.0 * (double(f) - 1.0)), f32(double(f) + (1.0 - e))};
}

// Largest pole magnitude of 1 + (a1/a0)·z⁻¹ + (a2/a0)·z⁻².
double poleRadius(const Six& c) {
    std::complex<double> p = double(c.a1) / c.a0, q = double(c.a2) / c.a0;
    std::complex<double> root = std::sqrt(p * p - 4.0 * q);
    return std::max(std::abs((-p + root) / 2.0), std::abs((-p - root) / 2.0));
}

const float kRates[] = {44100.0f, 48000.0f, 96000.0f};

TEST(GelmiraDesign, CoefficientsRoundedAtEveryStep) {
    for (float rate : kRates)
        for (float hz = 20.0f; hz < 20000.0f; hz *= 1.0473f) {
            SCOPED_TRACE(testing::Message() << hz << " Hz at " << rate);
            CutFilter lp, hp;
            lp.designLowPass(hz, rate);
            hp.designHighPass(hz, rate);
            expectSame(six(lp), lowPass(hz, rate));
            expectSame(six(hp), highPass(hz, rate));
            for (float gain : {0.0f, 1.0f, 3.3f, 6.0f}) {
                ResonantSection r;
                r.design(hz, 173.0f, gain, rate);
                expectSame(six(r), resonant(hz, 173.0f, gain, rate));
            }
        }
}

TEST(GelmiraDesign, CutFilterShape) {
    CutFilter lp;
    lp.designLowPass(1000.0f, 44100.0f);
    EXPECT_EQ(lp.b0, 0.25f);
    EXPECT_EQ(lp.b1, 0.5f);
    EXPECT_EQ(lp.b2, 0.25f);
    // Unity at 0 Hz: numerator and denominator sums agree.
    EXPECT_NEAR((lp.b0 + lp.b1 + lp.b2) / (double(lp.a0) + lp.a1 + lp.a2), 1.0, 1e-5);

    // High-pass: nothing at 0 Hz, 1 + t at half the rate.
    CutFilter hp;
    hp.designHighPass(1000.0f, 44100.0f);
    double t = prewarp(1000.0f, 44100.0f);
    EXPECT_EQ(hp.b0 + hp.b1 + hp.b2, 0.0f);
    EXPECT_NEAR((hp.b0 - hp.b1 + hp.b2) / (double(hp.a0) - hp.a1 + hp.a2), 1.0 + t, 1e-5);
}

// Steady gain of a sine through a unit, measured after it settles.
template <class Unit>
double sineGain(Unit& unit, double hz, double rate, int frames = 200000) {
    double in = 0, out = 0;
    for (int i = 0; i < frames; ++i) {
        float x = static_cast<float>(std::sin(2 * M_PI * hz * i / rate));
        float l, r;
        unit.process(x, x, l, r);
        if (i >= frames / 2) {
            in += double(x) * x;
            out += double(l) * l;
        }
    }
    return std::sqrt(out / in);
}

TEST(GelmiraDesign, LowPassIsSixDecibelsDownAtItsCutoff) {
    CutFilter lp;
    lp.designLowPass(632.46f, 44100.0f);
    EXPECT_NEAR(20 * std::log10(sineGain(lp, 632.46, 44100.0)), -6.02, 0.05);
}

TEST(GelmiraDesign, ResonantSectionGainAtItsCentre) {
    struct Case {
        float gain;
        double expect;
    } cases[] = {{1.0f, 1.0}, {4.0f, 4.0}, {0.25f, 0.25}};
    for (const Case& c : cases) {
        ResonantSection s;
        s.design(1000.0f, 200.0f, c.gain, 44100.0f);
        EXPECT_NEAR(sineGain(s, 1000.0, 44100.0), c.expect, c.expect * 0.01) << c.gain;
    }
    // Gain 1 is flat exactly: numerator and denominator are the same.
    ResonantSection flat;
    flat.design(500.0f, 150.0f, 1.0f, 48000.0f);
    EXPECT_EQ(flat.b0, flat.a0);
    EXPECT_EQ(flat.b2, flat.a2);
    // Gain 0 removes the centre and leaves a frequency an octave away.
    ResonantSection notch;
    notch.design(1000.0f, 200.0f, 0.0f, 44100.0f);
    EXPECT_LT(sineGain(notch, 1000.0, 44100.0), 1e-2);
    ResonantSection notch2;
    notch2.design(1000.0f, 200.0f, 0.0f, 44100.0f);
    EXPECT_NEAR(sineGain(notch2, 2000.0, 44100.0), 1.0, 0.01);
}

TEST(GelmiraDesign, BankTunesTwelveHarmonics) {
    HarmonicBank bank;
    bank.tune(123.471f, 200.0f, 0.5f, 44100.0f);
    for (int k = 1; k <= 12; ++k) {
        ResonantSection one;
        one.design(static_cast<float>(k) * 123.471f, 200.0f, 0.5f, 44100.0f);
        expectSame(six(bank.section(k - 1)), six(one));
    }
    // Harmonics the rate cannot carry are left flat, not piled up below it.
    HarmonicBank low;
    low.tune(1000.0f, 200.0f, 0.0f, 8000.0f);
    for (int k = 1; k <= 12; ++k) {
        const ResonantSection& s = low.section(k - 1);
        EXPECT_EQ(s.b0 == s.a0 && s.b2 == s.a2, k * 1000.0f >= 3920.0f) << k;
    }
    // In series: a bank of gain-0 sections keeps nothing of a harmonic.
    HarmonicBank notches;
    notches.tune(100.0f, 300.0f, 0.0f, 44100.0f);
    EXPECT_LT(sineGain(notches, 700.0, 44100.0, 400000), 1e-2);
}

TEST(GelmiraDesign, DifferenceEquationKeepsThe32BitStore) {
    CutFilter f;
    f.designLowPass(3000.0f, 44100.0f);
    struct Channel {
        float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
        float step(const CutFilter& f, float x) {
            double sum = double(f.b0) * x + double(f.b1) * x1 + double(f.b2) * x2 -
                         double(f.a1) * y1 - double(f.a2) * y2;
            float y = f32(sum / f.a0 + double(1e-24f));
            x2 = x1, x1 = x, y2 = y1, y1 = y;
            return y;
        }
    } left, right;
    for (int i = 0; i < 256; ++i) {
        float x = static_cast<float>(std::sin(i * 0.7) * 0.9);
        float l, r;
        f.process(x, 0.5f - x, l, r);
        ASSERT_EQ(l, left.step(f, x)) << i;
        ASSERT_EQ(r, right.step(f, 0.5f - x)) << i;
        ASSERT_EQ(f.y1L, l);
        ASSERT_EQ(f.y2R, right.y2);
    }
}

// Host values far outside the ranges, at unusual rates: every design stays
// finite and strictly stable.
TEST(GelmiraDesign, LimitedInputsKeepEveryDesignStable) {
    const float odd[] = {-1e30f, -1.0f, 0.0f, 1e-3f, 5.0f, 20.0f, 8382.0f, 20000.0f,
                         1e6f,   1e30f, INFINITY, -INFINITY, NAN};
    const float rates[] = {8000.0f, 44100.0f, 192000.0f, 384000.0f, 0.0f,
                           -5.0f,   1e9f,     NAN,       INFINITY};
    for (float rate : rates)
        for (float hz : odd) {
            SCOPED_TRACE(testing::Message() << hz << " Hz at " << rate);
            CutFilter lp, hp;
            lp.designLowPass(hz, rate);
            hp.designHighPass(hz, rate);
            EXPECT_LT(poleRadius(six(lp)), 1.0);
            EXPECT_LT(poleRadius(six(hp)), 1.0);
            for (float width : {-1e9f, 0.0f, 100.0f, 300.0f, 1e9f, NAN})
                for (float gain : {-1e30f, 0.0f, 6.0f, 1e30f, NAN}) {
                    ResonantSection r;
                    r.design(hz, width, gain, rate);
                    Six c = six(r);
                    for (float v : {c.b0, c.b1, c.b2, c.a0, c.a1, c.a2})
                        ASSERT_TRUE(std::isfinite(v));
                    ASSERT_LT(poleRadius(c), 1.0) << width << " " << gain;
                }
        }
}

TEST(GelmiraNotes, TableAndMappings) {
    struct Case {
        float x;
        const char* name;
        float hz;
    } roots[] = {{0.0f, "C -1", 32.703f}, {0.5f, "B 0", 123.471f}, {0.99f, "A# 2", 466.164f},
                 {1.0f, "B 2", 493.883f}};
    for (const Case& c : roots) {
        int n = noteIndex(c.x);
        EXPECT_STREQ(noteName(n), c.name);
        EXPECT_EQ(noteFrequency(n), c.hz);
    }
    EXPECT_EQ(noteIndex(1.0f), 47);
    EXPECT_EQ(noteIndex(46.9999f / 47.0f), 46);
    for (float bad : {-0.5f, 1.1f, NAN, INFINITY, -INFINITY}) {
        EXPECT_EQ(noteName(noteIndex(bad)), nullptr) << bad;
        EXPECT_EQ(noteFrequency(noteIndex(bad)), 0.0f) << bad;
    }
    EXPECT_STREQ(noteName(12), "C 0");
    EXPECT_STREQ(noteName(1), "C# -1");

    // Half-semitone steps: ±12 is half an octave.
    EXPECT_EQ(tuneOffset(1.0f), 12);
    EXPECT_EQ(tuneOffset(0.0f), -12);
    EXPECT_EQ(tuneOffset(0.5f), 0);
    EXPECT_EQ(tuneOffset(0.49f), -1);
    EXPECT_NEAR(offsetNote(47, tuneOffset(1.0f)), 698.46, 0.01);
    EXPECT_NEAR(offsetNote(47, tuneOffset(0.0f)), 349.23, 0.01);
    EXPECT_EQ(offsetNote(48, 0), 0.0f);

    EXPECT_EQ(cutoffFrequency(0.0f), 20.0f);
    EXPECT_NEAR(cutoffFrequency(0.5f), 632.46, 0.01);
    EXPECT_EQ(cutoffFrequency(1.0f), 20000.0f);

    EXPECT_EQ(percent(0.001f), 1);
    EXPECT_EQ(percent(0.5f), 50);
    EXPECT_EQ(percent(NAN), 0);
    EXPECT_EQ(percent(1e30f), 1000000);
}

}  // namespace
