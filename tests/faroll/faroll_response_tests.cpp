// What Faroll does to audio, through the built library's processing entries.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "faroll_fixture.h"

namespace {

enum { kLowGain, kMidGain, kHighGain, kLowCut, kMidCut, kHighCut, kLowFreq, kMidFreq, kHighFreq,
       kReset };

TEST(FarollResponse, LowBandAtMinus96AttenuatesBelowItsEdge) {
    FarollInstance f;
    f->setParameter(kLowGain, 0.0f);  // -96 dB, edge 250 Hz
    EXPECT_NEAR(farollGainDb(*f, 30.0, 44100.0, 3.0), -96.0, 1.5);
    EXPECT_NEAR(farollGainDb(*f, 250.0, 44100.0), -72.0, 0.5);
    EXPECT_NEAR(farollGainDb(*f, 5000.0, 44100.0), 0.0, 0.05);
}

TEST(FarollResponse, MidBandTotalsItsGainAtItsCentre) {
    FarollInstance f;
    f->setParameter(kMidGain, 0.0f);  // six sections at -16 dB
    EXPECT_NEAR(farollGainDb(*f, 1000.0, 44100.0), -96.0, 1.0);
    f->setParameter(kMidGain, 1.0f);
    EXPECT_NEAR(farollGainDb(*f, 1000.0, 44100.0), 6.0, 0.05);
    f->setParameter(kMidCut, 0.0f);
    EXPECT_NEAR(farollGainDb(*f, 1000.0, 44100.0), -96.0, 1.0);
    EXPECT_NEAR(farollGainDb(*f, 20000.0, 44100.0), 0.0, 0.2);
}

TEST(FarollResponse, HighEdgeAt15000HzAt44100Hz) {
    FarollInstance f;
    f->setParameter(kHighFreq, 1.0f);  // designed at 22050 - 15000 = 7050 Hz
    f->setParameter(kHighGain, 0.0f);
    EXPECT_NEAR(farollGainDb(*f, 15000.0, 44100.0), -72.0, 0.5);
    EXPECT_NEAR(farollGainDb(*f, 4000.0, 44100.0), 0.0, 0.05);
}

TEST(FarollResponse, HighDesignFrequencyKeepsTheRateOfItsDesign) {
    FarollInstance f;
    f->setSampleRate(48000.0f);
    f->setParameter(kHighFreq, 1.0f);  // 24000 - 15000 = 9000 Hz
    f->setParameter(kHighGain, 0.0f);
    EXPECT_NEAR(farollGainDb(*f, 15000.0, 48000.0), -72.0, 0.5);
    // A new rate alone redesigns nothing; a gain change redesigns at the new
    // rate with the 9000 Hz kept, so the edge moves to 48000 - 9000 Hz.
    f->setSampleRate(96000.0f);
    f->setParameter(kHighGain, 0.0f);
    EXPECT_NEAR(farollGainDb(*f, 39000.0, 96000.0), -72.0, 0.5);
    EXPECT_NEAR(farollGainDb(*f, 15000.0, 96000.0), 0.0, 0.05);
    // Moving High Freq again takes the new rate.
    f->setParameter(kHighFreq, 1.0f);
    EXPECT_NEAR(farollGainDb(*f, 15000.0, 96000.0), -72.0, 0.5);
}

TEST(FarollResponse, BelowSupportedRatesTheOutputIsTheInputAndStateWaits) {
    for (float rate : {22050.0f, 32000.0f, 44099.0f}) {
        SCOPED_TRACE(rate);
        FarollInstance f, fresh;
        f->setParameter(kLowGain, 0.1f);
        fresh->setParameter(kLowGain, 0.1f);
        f->setSampleRate(rate);
        std::vector<float> l = testsignal::noise(3000), r = testsignal::noise(3000, 0.5, 3);
        std::vector<float> outL(3000), outR(3000);
        float* in[2] = {l.data(), r.data()};
        float* out[2] = {outL.data(), outR.data()};
        f->processReplacing(in, out, 3000);
        EXPECT_EQ(outL, l);
        EXPECT_EQ(outR, r);
        std::vector<double> dl(l.begin(), l.end()), dr(r.begin(), r.end());
        std::vector<double> dl0 = dl, dr0 = dr;
        f->processStereo(dl, dr);
        EXPECT_EQ(dl, dl0);
        EXPECT_EQ(dr, dr0);
        // The filters did not run: back at 44100 Hz they continue from silence.
        f->setSampleRate(44100.0f);
        std::vector<float> a = l, b = r, a0 = l, b0 = r;
        f->processStereo(a, b);
        fresh->processStereo(a0, b0);
        EXPECT_EQ(a, a0);
        EXPECT_EQ(b, b0);
    }
}

TEST(FarollResponse, RatesThatAreNotFiniteDesignAs44100Hz) {
    // A rate that is not a number counts as supported, and so does infinity.
    for (float rate : {std::nanf(""), INFINITY}) {
        SCOPED_TRACE(rate);
        FarollInstance f;
        f->setSampleRate(rate);
        f->setParameter(kLowGain, 0.0f);
        f->setParameter(kHighFreq, 1.0f);
        std::vector<float> l = testsignal::sine(30.0, 44100.0, 88200), r = l;
        testsignal::processBlocks(*f, l, r);
        EXPECT_LT(testsignal::rms(l, 44100), 1e-4);
    }
}

TEST(FarollResponse, BlockSizesDoNotChangeTheOutput) {
    const int n = 3000;
    std::vector<float> l = testsignal::noise(n), r = testsignal::noise(n, 0.5, 5);
    std::vector<float> wantL = l, wantR = r;
    FarollInstance reference;
    reference->setParameter(kMidGain, 0.1f);
    testsignal::processBlocks(*reference, wantL, wantR, 512);
    for (int block : {1, 7, 4096}) {
        FarollInstance f;
        f->setParameter(kMidGain, 0.1f);
        std::vector<float> a = l, b = r;
        float* c[2] = {a.data(), b.data()};
        f->processReplacing(c, c, 0);  // nothing
        f->processReplacing(c, c, -5);
        EXPECT_EQ(a, l);
        testsignal::processBlocks(*f, a, b, block);
        EXPECT_EQ(a, wantL) << block;
        EXPECT_EQ(b, wantR) << block;
    }
}

TEST(FarollResponse, DoubleEntryAgreesAndInPlaceEqualsSeparateBuffers) {
    FarollInstance f32, f64, fSeparate;
    for (auto* f : {&f32, &f64, &fSeparate}) {
        (*f)->setParameter(kLowGain, 0.2f);
        (*f)->setParameter(kMidGain, 0.8f);
        (*f)->setParameter(kHighGain, 0.3f);
        (*f)->setParameter(kMidFreq, 0.6f);
    }
    const int n = 8192;
    std::vector<float> l = testsignal::noise(n), r = testsignal::noise(n, 0.5, 9);
    std::vector<float> l32 = l, r32 = r;
    testsignal::processBlocks(*f32, l32, r32, 500);
    std::vector<double> l64(l.begin(), l.end()), r64(r.begin(), r.end());
    f64->processStereo(l64, r64);
    double worst = 0;
    for (int i = 0; i < n; ++i)
        worst = std::max({worst, std::fabs(l64[i] - l32[i]), std::fabs(r64[i] - r32[i])});
    EXPECT_LT(worst, 1e-4);
    EXPECT_GT(worst, 0.0);  // two precisions, two separate states

    std::vector<float> outL(n), outR(n);
    for (int at = 0; at < n; at += 500) {
        int frames = std::min(500, n - at);
        float* in[2] = {l.data() + at, r.data() + at};
        float* out[2] = {outL.data() + at, outR.data() + at};
        fSeparate->processReplacing(in, out, frames);
    }
    EXPECT_EQ(outL, l32);
    EXPECT_EQ(outR, r32);
}

TEST(FarollResponse, LeftAndRightStayApart) {
    FarollInstance f;
    f->setParameter(kMidGain, 1.0f);
    std::vector<float> l = testsignal::sine(1000.0, 44100.0, 44100), r(44100, 0.0f);
    testsignal::processBlocks(*f, l, r);
    EXPECT_LT(testsignal::rms(r), 1e-15);
    EXPECT_GT(testsignal::rms(l), 0.3);
}

TEST(FarollResponse, NonFiniteInputRecoversWithinABlock) {
    FarollInstance f;
    const float bad[] = {std::nanf(""), INFINITY, -INFINITY};
    for (float b : bad) {
        std::vector<float> l = testsignal::noise(1024), r = l;
        l[100] = b;
        r[7] = b;
        testsignal::processBlocks(*f, l, r, 256);
        std::vector<float> after = testsignal::noise(1024), afterR = after;
        testsignal::processBlocks(*f, after, afterR, 256);
        for (size_t i = 0; i < after.size(); ++i)
            ASSERT_TRUE(std::isfinite(after[i]) && std::isfinite(afterR[i])) << i;
        std::vector<double> dl(1024, 0.1), dr(1024, b);
        f->processStereo(dl, dr);
        std::vector<double> dl2(1024, 0.1), dr2(1024, 0.1);
        f->processStereo(dl2, dr2);
        EXPECT_TRUE(std::isfinite(dl2.back()) && std::isfinite(dr2.back()));
    }
}

TEST(FarollResponse, DefaultsAreNearlyButNotExactlyTransparent) {
    FarollInstance f;
    std::vector<float> l(4096, 0.0f), r(4096, 0.0f);
    testsignal::processBlocks(*f, l, r);
    EXPECT_NE(l.back(), 0.0f);  // the anti-denormal offsets
    EXPECT_LT(std::fabs(l.back()), 1e-18f);
    for (double hz : {50.0, 1000.0, 10000.0})
        EXPECT_NEAR(farollGainDb(*f, hz, 44100.0), 0.0, 0.01) << hz;
}

}  // namespace
