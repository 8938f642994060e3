// Hoverin's sound through the built library, against a reference that runs
// two phaser channels and the mix directly.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <vector>

#include "dsp/recovery.h"
#include "tests/support/loaded_plugin.h"
#include "plugins/hoverin/parameters.h"
#include "plugins/hoverin/phaser_channel.h"
#include "tests/support/signal.h"

using namespace hoverin;

namespace {

enum { kDryWet, kFeedback, kRate, kRange, kFrequency, kOutGain };

// What the effect should do, built from its parts.
struct Reference {
    Reference() { set(0.0f, 0.5f, 1.0f, frequencyHzFor(0.8f), 44100.0f, true); }
    void set(float feedback, float rate, float octaves, float hz, float fs, bool restart) {
        for (PhaserChannel* c : {&left, &right}) {
            c->configure(feedback, rate, octaves, hz, fs);
            if (restart) c->restartSweep();
        }
    }
    template <class Sample>
    void process(std::vector<Sample>& l, std::vector<Sample>& r) {
        for (size_t i = 0; i < l.size(); ++i) {
            const double dl = l[i], dr = r[i];
            const double wl = left.processSample(dl), wr = right.processSample(dr);
            l[i] = static_cast<Sample>(((1.0 - mix) * dl + mix * wl) * gain);
            r[i] = static_cast<Sample>(((1.0 - mix) * dr + mix * wr) * gain);
        }
    }
    // What the recovery rule does to a runaway chain: both channels' stages
    // cleared, the sweeps left where they are.
    void clearStages() {
        left.clearMemories();
        right.clearMemories();
    }
    PhaserChannel left, right;
    double mix = 0.5, gain = 1.0;
};

class HoverinAudio : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(p.create()); }
    hosting::Plugin& plugin() { return *p.plugin; }
    LoadedPlugin p{PLUGIN_PATH_Hoverin};
};

// Runs frames of a test signal through both the plug-in (in odd blocks) and the
// reference, and expects the same samples.
void expectSameAsReference(hosting::Plugin& plugin, Reference& ref, int frames,
                           std::uint32_t seed) {
    std::vector<float> l = testsignal::noise(frames, 0.5, seed);
    std::vector<float> r = testsignal::noise(frames, 0.5, seed + 7);
    std::vector<float> el = l, er = r;
    testsignal::processBlocks(plugin, l, r, 97);
    ref.process(el, er);
    for (int i = 0; i < frames; ++i) {
        ASSERT_EQ(l[i], el[i]) << "left sample " << i;
        ASSERT_EQ(r[i], er[i]) << "right sample " << i;
    }
}

TEST_F(HoverinAudio, RunsTheChannelsAndTheMixFromTheFirstSample) {
    Reference ref;
    expectSameAsReference(plugin(), ref, 30000, 1);
}

// Feedback reconfigures the channels and the sweep runs on; Rate, Range and
// Frequency restart it at the next sample. A new host rate waits for them.
TEST_F(HoverinAudio, ChangesReachTheNextSampleAndOnlySweepChangesRestart) {
    Reference ref;
    expectSameAsReference(plugin(), ref, 5000, 1);

    plugin().setParameter(kFeedback, 0.7f);
    ref.set(0.7f, 0.5f, 1.0f, frequencyHzFor(0.8f), 44100.0f, false);
    expectSameAsReference(plugin(), ref, 5000, 2);

    plugin().setParameter(kRate, 0.9f);  // "8/1"
    ref.set(0.7f, 8.0f, 1.0f, frequencyHzFor(0.8f), 44100.0f, true);
    expectSameAsReference(plugin(), ref, 5000, 3);

    plugin().setSampleRate(48000.0f);
    plugin().setParameter(kDryWet, 0.8f);
    plugin().setParameter(kOutGain, 0.6f);
    ref.mix = 0.8f;
    ref.gain = 0.6f;
    expectSameAsReference(plugin(), ref, 5000, 4);

    plugin().setParameter(kRange, 0.5f);  // 3 octaves, now at 48000 Hz
    ref.set(0.7f, 8.0f, 3.0f, frequencyHzFor(0.8f), 48000.0f, true);
    expectSameAsReference(plugin(), ref, 5000, 5);

    plugin().setParameter(kFrequency, 0.3f);
    ref.set(0.7f, 8.0f, 3.0f, frequencyHzFor(0.3f), 48000.0f, true);
    expectSameAsReference(plugin(), ref, 5000, 6);

    plugin().setParameter(kFeedback, 1.0f);  // runs at 0.975
    ref.set(1.0f, 8.0f, 3.0f, frequencyHzFor(0.3f), 48000.0f, false);
    EXPECT_EQ(ref.left.feedbackGain(), 0.975f);
    expectSameAsReference(plugin(), ref, 5000, 7);
}

TEST_F(HoverinAudio, DryReturnsTheInputAndWetKeepsTheLevel) {
    std::vector<float> in = testsignal::noise(88200, 0.5, 3);
    plugin().setParameter(kDryWet, 0.0f);
    std::vector<float> l = in, r = in;
    testsignal::processBlocks(plugin(), l, r);
    EXPECT_EQ(l, in);
    EXPECT_EQ(r, in);

    plugin().setParameter(kDryWet, 1.0f);
    l = in;
    r = in;
    testsignal::processBlocks(plugin(), l, r);
    const double db = 20.0 * std::log10(testsignal::rms(l, 4410) / testsignal::rms(in, 4410));
    EXPECT_NEAR(db, 0.0, 0.05);
    EXPECT_GT(std::fabs(l[1000] - in[1000]), 1e-4);  // not the dry signal
}

TEST_F(HoverinAudio, SilenceSettlesOnTheOffsetScaledByTheLoop) {
    struct Row {
        float mix, gain, feedback, runsAs;
    } const rows[] = {
        {0.5f, 1.0f, 0.0f, 0.0f}, {1.0f, 0.5f, 0.5f, 0.5f}, {0.25f, 0.8f, 1.0f, 0.975f},
    };
    for (const Row& row : rows) {
        LoadedPlugin q(PLUGIN_PATH_Hoverin);
        ASSERT_TRUE(q.create());
        q.plugin->setParameter(kDryWet, row.mix);
        q.plugin->setParameter(kOutGain, row.gain);
        q.plugin->setParameter(kFeedback, row.feedback);
        std::vector<float> l(44100, 0.0f), r(44100, 0.0f);
        testsignal::processBlocks(*q.plugin, l, r);
        const double expected =
            double(1e-24f) * row.mix * row.gain / (1.0 - double(row.runsAs));
        EXPECT_NEAR(l.back(), expected, expected * 1e-5) << row.feedback;
        EXPECT_EQ(l.back(), r.back());
        for (float v : l) ASSERT_NE(std::fpclassify(v), FP_SUBNORMAL);
    }
}

TEST_F(HoverinAudio, MonoInGivesIdenticalChannels) {
    plugin().setParameter(kFeedback, 0.8f);
    plugin().setParameter(kRate, 1.0f);
    std::vector<float> l = testsignal::noise(20000, 0.5, 9), r = l;
    testsignal::processBlocks(plugin(), l, r, 333);
    EXPECT_EQ(l, r);
}

TEST_F(HoverinAudio, InPlaceEqualsSeparateBuffers) {
    LoadedPlugin other(PLUGIN_PATH_Hoverin);
    ASSERT_TRUE(other.create());
    const std::vector<float> inL = testsignal::noise(4096, 0.5, 4), inR = testsignal::noise(4096, 0.5, 5);
    std::vector<float> l = inL, r = inR;
    float* inPlace[2] = {l.data(), r.data()};
    plugin().processReplacing(inPlace, inPlace, 4096);
    std::vector<float> srcL = inL, srcR = inR, outL(4096), outR(4096);
    float* in[2] = {srcL.data(), srcR.data()};
    float* out[2] = {outL.data(), outR.data()};
    other.plugin->processReplacing(in, out, 4096);
    EXPECT_EQ(l, outL);
    EXPECT_EQ(r, outR);
    EXPECT_EQ(srcL, inL);  // the inputs are left alone
    // The same with the channels' buffers crossed: right's input is left's output.
    LoadedPlugin a(PLUGIN_PATH_Hoverin), b(PLUGIN_PATH_Hoverin);
    ASSERT_TRUE(a.create() && b.create());
    std::vector<float> x = inL, y = inR, xo(4096), yo(4096);
    float* crossedIn[2] = {x.data(), y.data()};
    float* crossedOut[2] = {y.data(), x.data()};
    a.plugin->processReplacing(crossedIn, crossedOut, 4096);
    std::vector<float> x2 = inL, y2 = inR;
    float* in2[2] = {x2.data(), y2.data()};
    float* out2[2] = {xo.data(), yo.data()};
    b.plugin->processReplacing(in2, out2, 4096);
    EXPECT_EQ(y, xo);
    EXPECT_EQ(x, yo);
}

TEST_F(HoverinAudio, BothPrecisionsContinueOneSweep) {
    LoadedPlugin other(PLUGIN_PATH_Hoverin);
    ASSERT_TRUE(other.create());
    plugin().setParameter(kRate, 0.95f);
    other.plugin->setParameter(kRate, 0.95f);
    const int block = 256;
    for (int n = 0; n < 40; ++n) {
        std::vector<float> in = testsignal::noise(block, 0.5, 100 + n);
        std::vector<double> dl(in.begin(), in.end()), dr = dl;
        other.plugin->processStereo(dl, dr);
        if (n % 2) {
            std::vector<float> l = in, r = in;
            plugin().processStereo(l, r);
            for (int i = 0; i < block; ++i) ASSERT_EQ(l[i], static_cast<float>(dl[i])) << n;
        } else {
            std::vector<double> l(in.begin(), in.end()), r = l;
            plugin().processStereo(l, r);
            ASSERT_EQ(l, dl) << n;
        }
    }
}

TEST_F(HoverinAudio, EmptyBlocksWriteNothingAndLeaveTheSweep) {
    std::vector<float> l = testsignal::noise(64, 0.5, 8), r = l;
    const std::vector<float> before = l;
    for (VstInt32 frames : {0, -1, -512}) {
        float* channels[2] = {l.data(), r.data()};
        plugin().processReplacing(channels, channels, frames);
        double* none[2] = {nullptr, nullptr};
        plugin().processDoubleReplacing(none, none, frames);
    }
    EXPECT_EQ(l, before);
    Reference ref;
    expectSameAsReference(plugin(), ref, 2000, 9);

    // A change followed by empty blocks reaches the next block with samples,
    // restart included.
    plugin().setParameter(kRate, 0.9f);  // "8/1"
    for (VstInt32 frames : {0, -1}) {
        float* channels[2] = {l.data(), r.data()};
        plugin().processReplacing(channels, channels, frames);
    }
    ref.set(0.0f, 8.0f, 1.0f, frequencyHzFor(0.8f), 44100.0f, true);
    expectSameAsReference(plugin(), ref, 2000, 10);
}

// The suite's recovery rule: a block that leaves any stage of either channel
// non-finite or past the runaway level hands the host 0 for each non-finite
// sample, then both channels' stages restart from zero while the sweep runs
// on, so the next block is what a reference cleared at that point gives.
TEST_F(HoverinAudio, RecoversAfterNonFiniteOrRunawayInput) {
    const float bads[] = {std::numeric_limits<float>::quiet_NaN(),
                          std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity(), 1e12f};
    for (float bad : bads) {
        LoadedPlugin q(PLUGIN_PATH_Hoverin);
        ASSERT_TRUE(q.create());
        q.plugin->setParameter(kFeedback, 0.9f);
        Reference ref;
        ref.set(0.9f, 0.5f, 1.0f, frequencyHzFor(0.8f), 44100.0f, false);

        std::vector<float> l = testsignal::noise(512, 0.5, 6), r = l;
        l[100] = bad;  // left only: the right channel's stages are cleared all the same
        std::vector<float> el = l, er = r;
        float* channels[2] = {l.data(), r.data()};
        q.plugin->processReplacing(channels, channels, 512);
        ref.process(el, er);
        for (int i = 0; i < 512; ++i) {
            ASSERT_TRUE(std::isfinite(l[i])) << bad << " at " << i;
            ASSERT_EQ(l[i], dsp::sane(el[i]) ? el[i] : 0.0f) << bad << " at " << i;
            ASSERT_EQ(r[i], er[i]) << bad << " at " << i;
        }

        ref.clearStages();
        l = testsignal::noise(4096, 0.5, 7);
        r = testsignal::noise(4096, 0.5, 8);
        el = l;
        er = r;
        testsignal::processBlocks(*q.plugin, l, r);
        ref.process(el, er);
        EXPECT_EQ(l, el) << bad;
        EXPECT_EQ(r, er) << bad;
        EXPECT_LT(testsignal::rms(l), 2.0) << bad;
    }
}

// The block path against the reference run sample by sample, at block lengths
// around every boundary a block loop could get wrong, in both precisions.
TEST_F(HoverinAudio, BlockPathMatchesTheReferenceAtEveryBlockLength) {
    const int lengths[] = {0, 1, 2, 3, 15, 16, 17, 31, 64, 511, 4096};
    for (bool doublePrecision : {false, true}) {
        for (int length : lengths) {
            LoadedPlugin q(PLUGIN_PATH_Hoverin);
            ASSERT_TRUE(q.create());
            q.plugin->setParameter(kFeedback, 0.6f);
            q.plugin->setParameter(kRate, 1.0f);  // "16/1": the sweep turns within the run
            q.plugin->setParameter(kDryWet, 0.7f);
            Reference ref;
            ref.set(0.6f, 16.0f, 1.0f, frequencyHzFor(0.8f), 44100.0f, true);
            ref.mix = 0.7f;
            const int frames = length == 0 ? 64 : std::max(3 * length, 6000 / length * length);
            const std::vector<float> in = testsignal::noise(frames, 0.5, 40 + length);
            const std::vector<float> inR = testsignal::noise(frames, 0.5, 80 + length);
            if (length == 0) {
                std::vector<float> l = in, r = inR;
                float* channels[2] = {l.data(), r.data()};
                q.plugin->processReplacing(channels, channels, 0);
                double* none[2] = {nullptr, nullptr};
                q.plugin->processDoubleReplacing(none, none, 0);
                EXPECT_EQ(l, in);
                continue;
            }
            auto run = [&](auto sample) {
                using Sample = decltype(sample);
                std::vector<Sample> l(in.begin(), in.end()), r(inR.begin(), inR.end());
                std::vector<Sample> el = l, er = r;
                for (int at = 0; at < frames; at += length) {
                    Sample* channels[2] = {l.data() + at, r.data() + at};
                    if constexpr (sizeof(Sample) == sizeof(float))
                        q.plugin->processReplacing(channels, channels, length);
                    else
                        q.plugin->processDoubleReplacing(channels, channels, length);
                }
                ref.process(el, er);
                for (int i = 0; i < frames; ++i) {
                    ASSERT_EQ(l[i], el[i]) << "length " << length << " left " << i;
                    ASSERT_EQ(r[i], er[i]) << "length " << length << " right " << i;
                }
            };
            if (doublePrecision)
                run(0.0);
            else
                run(0.0f);
        }
    }
}

// No host value, however far outside 0 ... 1, makes the output grow without
// bound or turn non-finite.
TEST_F(HoverinAudio, StaysFiniteForAnyParameterValue) {
    const float values[] = {-1.0f, 2.0f, 1e30f, -1e30f, std::numeric_limits<float>::quiet_NaN(),
                            std::numeric_limits<float>::infinity(),
                            -std::numeric_limits<float>::infinity()};
    const float rates[] = {44100.0f, 0.0f, -1.0f, std::numeric_limits<float>::quiet_NaN(), 1e9f};
    for (float fs : rates) {
        for (int index = 0; index < 6; ++index) {
            for (float value : values) {
                LoadedPlugin q(PLUGIN_PATH_Hoverin);
                ASSERT_TRUE(q.create());
                q.plugin->setSampleRate(fs);
                q.plugin->setParameter(kFeedback, 0.9f);
                q.plugin->setParameter(kRange, 1.0f);
                q.plugin->setParameter(index, value);
                std::vector<float> l = testsignal::sine(60.0, 44100.0, 8192), r = l;
                testsignal::processBlocks(*q.plugin, l, r);
                double peak = 0;
                for (float v : l) {
                    ASSERT_TRUE(std::isfinite(v)) << index << " " << value << " at " << fs;
                    peak = std::fmax(peak, std::fabs(v));
                }
                EXPECT_LT(peak, 50.0) << index << " " << value << " at " << fs;
            }
        }
    }
}

}  // namespace
