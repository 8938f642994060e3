// Gelmira's audio through its library, as a host feeds it.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "plugins/gelmira/cut_filter.h"
#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"

using namespace gelmira;

namespace {

using testsignal::processBlocks;
using testsignal::rms;
using testsignal::sineGainDb;

enum { kLpIn = 0, kHpIn, kRoot, kWidth, kRootGain, kTune2, kGain2, kTune3, kGain3, kLpOut,
       kHpOut, kDryWet };

constexpr double kRate = 44100.0;

struct GelmiraAudio : testing::Test {
    void SetUp() override { ASSERT_TRUE(p.create()); }
    hosting::Plugin& plugin() { return *p.plugin; }
    LoadedPlugin p{PLUGIN_PATH_Gelmira};
};

// The sum of sines at the given frequencies, amplitude 0.05 each.
std::vector<float> chord(const std::vector<double>& hz, double rate, int frames) {
    std::vector<float> s(frames, 0.0f);
    for (double f : hz)
        for (int i = 0; i < frames; ++i)
            s[i] += static_cast<float>(0.05 * std::sin(2 * M_PI * f * i / rate));
    return s;
}

// Output rms over input rms after `settle` seconds, left channel, both fed alike.
double residual(hosting::Plugin& plugin, const std::vector<float>& in, double rate, double settle) {
    std::vector<float> l = in, r = in;
    processBlocks(plugin, l, r);
    size_t from = static_cast<size_t>(rate * settle);
    return rms(l, from) / rms(in, from);
}

TEST_F(GelmiraAudio, FullyDryReturnsTheInputExactly) {
    plugin().setParameter(kRootGain, 0.8f);  // a ringing chain that the mix leaves out
    std::vector<float> l = testsignal::noise(5000, 0.9, 3), r = testsignal::noise(5000, 0.9, 4);
    std::vector<float> inL = l, inR = r;
    processBlocks(plugin(), l, r, 333);
    EXPECT_EQ(l, inL);
    EXPECT_EQ(r, inR);

    std::vector<double> dl(inL.begin(), inL.end()), dr(inR.begin(), inR.end());
    std::vector<double> wantL = dl, wantR = dr;
    plugin().processStereo(dl, dr);
    EXPECT_EQ(dl, wantL);
    EXPECT_EQ(dr, wantR);
}

TEST_F(GelmiraAudio, NotchBanksRemoveTheHarmonicsOfTheRoot) {
    plugin().setParameter(kDryWet, 1.0f);
    for (float pitch : {0.5f, 1.0f}) {  // "B 0" and "B 2"
        SCOPED_TRACE(pitch);
        plugin().setParameter(kRoot, pitch);
        double root = pitch == 1.0f ? 493.883 : 123.471;
        std::vector<double> harmonics;
        for (int k = 1; k <= 12; ++k) harmonics.push_back(k * root);
        int frames = static_cast<int>(kRate * 10);
        EXPECT_LT(residual(plugin(), chord(harmonics, kRate, frames), kRate, 8.0), 0.01);
        // Between the harmonics the banks let the signal through.
        std::vector<double> between = {1.5 * root, 2.5 * root, 7.5 * root};
        EXPECT_NEAR(residual(plugin(), chord(between, kRate, frames / 2), kRate, 3.0), 1.0, 0.05);
    }
}

// Gain of a steady sine through the four cut filters alone, as the effect
// designs them by default.
double cutFiltersGainDb(double hz, double rate) {
    gelmira::CutFilter lpIn, hpIn, lpOut, hpOut;
    lpIn.designLowPass(20000.0f, static_cast<float>(rate));
    lpOut.designLowPass(20000.0f, static_cast<float>(rate));
    hpIn.designHighPass(20.0f, static_cast<float>(rate));
    hpOut.designHighPass(20.0f, static_cast<float>(rate));
    std::vector<float> in = testsignal::sine(hz, rate, static_cast<int>(rate * 2)), out = in;
    for (float& v : out) {
        float l, r;
        lpIn.process(v, v, l, r);
        hpIn.process(l, r, l, r);
        lpOut.process(l, r, l, r);
        hpOut.process(l, r, l, r);
        v = l;
    }
    return 20 * std::log10(rms(out, in.size() / 2) / rms(in, in.size() / 2));
}

TEST_F(GelmiraAudio, GainOfOneSixthMakesTheBanksTransparent) {
    plugin().setParameter(kDryWet, 1.0f);
    for (int gain : {kRootGain, kGain2, kGain3}) plugin().setParameter(gain, 1.0f / 6.0f);
    for (double hz : {123.471, 3 * 123.471, 12 * 123.471})
        EXPECT_NEAR(sineGainDb(plugin(), hz, kRate, 2.0, 1.0), cutFiltersGainDb(hz, kRate), 0.002)
            << hz;
    // One bank back to notches takes the root out again.
    plugin().setParameter(kGain2, 0.0f);
    EXPECT_LT(sineGainDb(plugin(), 123.471, kRate, 10.0, 8.0), -40.0);
}

// Only the anti-denormal offsets remain: a level far below 1e-17 that
// settles and drifts by rounding alone, never growing.
TEST_F(GelmiraAudio, SilenceSettlesToATinyLevel) {
    plugin().setParameter(kDryWet, 1.0f);
    plugin().setParameter(kRootGain, 0.9f);
    std::vector<float> l(static_cast<size_t>(kRate * 8), 0.0f), r = l;
    processBlocks(plugin(), l, r);
    const float settled = l[static_cast<size_t>(kRate * 4)];
    EXPECT_GT(settled, 0.0f);
    for (size_t i = static_cast<size_t>(kRate * 4); i < l.size(); ++i) {
        ASSERT_LT(std::fabs(l[i]), 1e-17f) << i;
        ASSERT_NEAR(l[i], settled, settled * 0.05f) << i;
        ASSERT_EQ(l[i], r[i]) << i;
    }
}

TEST_F(GelmiraAudio, MonoInGivesIdenticalChannels) {
    plugin().setParameter(kRootGain, 0.7f);
    plugin().setParameter(kTune2, 0.8f);
    plugin().setParameter(kGain3, 0.3f);
    plugin().setParameter(kLpOut, 0.7f);
    plugin().setParameter(kDryWet, 0.6f);
    std::vector<float> l = testsignal::noise(20000), r = l;
    processBlocks(plugin(), l, r, 500);
    EXPECT_EQ(l, r);
}

TEST_F(GelmiraAudio, InPlaceEqualsSeparateBuffersInBothPrecisions) {
    LoadedPlugin other(PLUGIN_PATH_Gelmira);
    ASSERT_TRUE(other.create());
    for (hosting::Plugin* q : {&plugin(), other.plugin.get()}) {
        q->setParameter(kRootGain, 0.5f);
        q->setParameter(kHpIn, 0.3f);
        q->setParameter(kDryWet, 0.75f);
    }
    const std::vector<float> inL = testsignal::noise(4096, 0.5, 11);
    const std::vector<float> inR = testsignal::noise(4096, 0.5, 12);
    std::vector<float> l = inL, r = inR;
    processBlocks(plugin(), l, r, 256);
    std::vector<float> outL(4096), outR(4096);
    for (int at = 0; at < 4096; at += 256) {
        float* in[2] = {const_cast<float*>(inL.data()) + at, const_cast<float*>(inR.data()) + at};
        float* out[2] = {outL.data() + at, outR.data() + at};
        other.plugin->processReplacing(in, out, 256);
    }
    EXPECT_EQ(l, outL);
    EXPECT_EQ(r, outR);

    // The 64-bit entry runs the same chain: widened copies of the same results.
    std::vector<double> dl(inL.begin(), inL.end()), dr(inR.begin(), inR.end());
    std::vector<float> fl = inL, fr = inR;
    processBlocks(plugin(), fl, fr, 4096);
    double* d[2] = {dl.data(), dr.data()};
    other.plugin->processDoubleReplacing(d, d, 4096);
    for (size_t i = 0; i < dl.size(); ++i) {
        ASSERT_EQ(dl[i], double(fl[i])) << i;
        ASSERT_EQ(dr[i], double(fr[i])) << i;
    }
}

// A new host rate reaches the banks with the next change of any parameter,
// and a cut filter only with a change of its own cutoff after that.
TEST_F(GelmiraAudio, NewSampleRateWaitsForTheNextParameterChange) {
    const double rate = 48000.0;
    plugin().setParameter(kDryWet, 1.0f);
    for (int gain : {kRootGain, kGain2, kGain3}) plugin().setParameter(gain, 1.0f / 6.0f);
    plugin().setSampleRate(static_cast<float>(rate));
    plugin().setParameter(kLpIn, 0.5f);  // designed for 44100 Hz, heard at 48000 Hz
    EXPECT_NEAR(sineGainDb(plugin(), 632.46, rate, 1.0, 0.5), -5.32, 0.05);
    plugin().setParameter(kLpIn, 0.5f);  // now for 48000 Hz
    EXPECT_NEAR(sineGainDb(plugin(), 632.46, rate, 1.0, 0.5), -6.02, 0.05);

    LoadedPlugin other(PLUGIN_PATH_Gelmira);
    ASSERT_TRUE(other.create());
    hosting::Plugin& q = *other.plugin;
    q.setParameter(kDryWet, 1.0f);
    q.setSampleRate(static_cast<float>(rate));
    // Notches still where 44100 Hz put them: the root passes.
    EXPECT_GT(sineGainDb(q, 123.471, rate, 10.0, 8.0), -3.0);
    q.setParameter(kDryWet, 1.0f);  // any change re-tunes the banks for 48000 Hz
    EXPECT_LT(sineGainDb(q, 123.471, rate, 10.0, 8.0), -40.0);
}

// Host values far outside 0 ... 1 and hostile rates never make the output
// non-finite, and once the host is back in range the output returns to
// ordinary levels.
TEST_F(GelmiraAudio, HostileValuesKeepTheOutputFinite) {
    const float values[] = {-1e30f, -3.0f, 1.7f, 40.0f, 1e30f, INFINITY, -INFINITY, NAN};
    const float rates[] = {44100.0f, 8000.0f, 0.0f, NAN, 1e9f};
    const float defaults[] = {1, 0, 0.5f, 0.5f, 0, 0.5f, 0, 0.5f, 0, 1, 0, 0};
    hosting::Plugin& q = plugin();
    for (float rate : rates) {
        q.setSampleRate(rate);
        for (float v : values)
            for (int index = 0; index < 12; ++index) {
                q.setParameter(index, v);
                std::vector<float> l = testsignal::noise(512, 0.5, index + 1), r = l;
                processBlocks(q, l, r);
                for (float s : l)
                    ASSERT_TRUE(std::isfinite(s)) << rate << " " << index << " " << v;
            }
    }
    q.setSampleRate(static_cast<float>(kRate));
    for (int index = 0; index < 12; ++index) q.setParameter(index, defaults[index]);
    q.setParameter(kDryWet, 1.0f);
    // Energy pumped in by the largest gains rings out with the notches.
    std::vector<float> l = testsignal::noise(static_cast<int>(kRate * 12), 0.5), r = l;
    processBlocks(q, l, r);
    EXPECT_LT(rms(l, static_cast<size_t>(kRate * 10)), 0.5);
}

// A note jumping across its whole range every few samples (a host sending
// wild automation) can drive the resonances past any audio level; the
// output stays finite and the chain comes back to ordinary levels.
TEST_F(GelmiraAudio, WildPitchJumpsNeverReachTheHostAsNonFinite) {
    hosting::Plugin& q = plugin();
    q.setParameter(kDryWet, 1.0f);
    for (int index : {kRoot, kTune2, kTune3}) {
        for (int n = 0; n < 4000; ++n) {
            std::vector<float> l = testsignal::sine(440.0, kRate, 16), r = l;
            processBlocks(q, l, r, 16);
            for (float s : l) ASSERT_TRUE(std::isfinite(s)) << index << " step " << n;
            q.setParameter(index, static_cast<float>((n * 37) % 101) / 100.0f);
        }
        q.setParameter(index, 0.5f);
    }
    // Back at steady settings it sounds like a fresh instance with them.
    LoadedPlugin fresh{PLUGIN_PATH_Gelmira};
    ASSERT_TRUE(fresh.create());
    for (int index : {kDryWet, kRoot, kTune2, kTune3})
        fresh.plugin->setParameter(index, q.getParameter(index));
    const int frames = static_cast<int>(kRate * 4);
    std::vector<float> l = testsignal::sine(440.0, kRate, frames), r = l;
    std::vector<float> fl = l, fr = l;
    processBlocks(q, l, r);
    processBlocks(*fresh.plugin, fl, fr);
    const size_t from = static_cast<size_t>(kRate * 3);
    EXPECT_NEAR(20 * std::log10(rms(l, from) / rms(fl, from)), 0.0, 0.5);
}

}  // namespace
