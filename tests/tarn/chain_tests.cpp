// Tarn's chain: two passes of three bands with the limiters, block by block.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "chain_reference.h"
#include "tests/support/signal.h"
#include "plugins/tarn/tarn_chain.h"
#include "plugins/tarn/tarn_mappings.h"

using namespace tarn;
using namespace dsp;

namespace {

// The defaults: every band at 0 dB, the narrowest bandwidths.
TarnDesign defaults(bool limiter, float fs = 44100.0f) {
    return designTarn({lowFrequencyHz(0), lowFrequencyHz(0), gainFactor(0.5f)},
                      {midFrequencyHz(0), midFrequencyHz(0), gainFactor(0.5f)},
                      {highFrequencyHz(0), highFrequencyHz(0), gainFactor(0.5f)}, limiter, fs);
}

struct Step {
    TarnDesign design;
    int frames;
};

// Runs the chain and the reference through the same steps (a new design, then
// a block of that many frames) and expects the same samples bit for bit.
void expectSameAsReference(const std::vector<Step>& steps, bool accumulate, bool inPlace) {
    TarnChain chain;
    ReferenceChain reference;
    int total = 0;
    for (const Step& s : steps) total += s.frames;
    std::vector<float> inL = testsignal::noise(total, 2.5, 7);
    std::vector<float> inR = testsignal::noise(total, 0.8, 8);
    std::vector<float> outL(total, 0.25f), outR(total, -0.25f);
    if (inPlace) outL = inL, outR = inR;
    int at = 0;
    for (const Step& s : steps) {
        chain.setDesign(s.design);
        const float* l = inPlace ? outL.data() + at : inL.data() + at;
        const float* r = inPlace ? outR.data() + at : inR.data() + at;
        if (accumulate)
            chain.processAccumulating(l, r, outL.data() + at, outR.data() + at, s.frames);
        else
            chain.processReplacing(l, r, outL.data() + at, outR.data() + at, s.frames);
        at += s.frames;
    }
    at = 0;
    for (const Step& s : steps) {
        reference.apply(s.design);
        for (int i = at; i < at + s.frames; ++i) {
            float l = inL[i], r = inR[i];
            reference.process(l, r);
            float baseL = inPlace ? inL[i] : 0.25f, baseR = inPlace ? inR[i] : -0.25f;
            if (accumulate) l = baseL + l, r = baseR + r;
            ASSERT_EQ(outL[i], l) << "sample " << i;
            ASSERT_EQ(outR[i], r) << "sample " << i;
        }
        at += s.frames;
    }
    for (int k = 0; k < TarnChain::kSections; ++k) {
        EXPECT_EQ(chain.section(k).y1L, reference.sections[k].y1L);
        EXPECT_EQ(chain.section(k).x2R, reference.sections[k].x2R);
    }
    EXPECT_EQ(chain.limiter(0).leftGain(), reference.limiterA.leftGain());
    EXPECT_EQ(chain.limiter(1).rightGain(), reference.limiterB.rightGain());
}

std::vector<Step> mixedSteps() {
    TarnDesign boost = designAt(3.981072f, 0.5f, 2.0f, true);
    TarnDesign cut = designAt(0.2511886f, 1.5f, 0.7f, false);
    TarnDesign flat = defaults(true);
    // Blocks shorter and longer than the inner loop's depth, limiter on and off.
    return {{boost, 512}, {boost, 1},  {cut, 3},   {boost, 7},   {flat, 8},
            {cut, 9},     {boost, 2},  {flat, 100}, {cut, 513},  {boost, 64}};
}

TEST(TarnChain, MatchesTheSampleBySampleChain) {
    for (bool accumulate : {false, true})
        for (bool inPlace : {false, true}) {
            SCOPED_TRACE(testing::Message() << "accumulate " << accumulate << " in place " << inPlace);
            expectSameAsReference(mixedSteps(), accumulate, inPlace);
        }
}

// The wavefront fills, runs full and drains differently for each length: every
// length gives the scalar chain's samples, limiter off and on, replacing and adding.
TEST(TarnChain, MatchesTheSampleBySampleChainAtEveryBlockLength) {
    const TarnDesign boost = designAt(3.981072f, 0.5f, 2.0f, false);
    const TarnDesign limited = designAt(0.2511886f, 1.5f, 3.0f, true);
    for (int frames : {0, 1, 2, 3, 15, 16, 17, 31, 64, 511, 4096})
        for (bool accumulate : {false, true}) {
            SCOPED_TRACE(testing::Message() << frames << " frames, accumulate " << accumulate);
            expectSameAsReference({{boost, frames}, {limited, frames}, {limited, frames}, {boost, frames}},
                                  accumulate, false);
        }
}

TEST(TarnChain, FlatBandsPassNoiseUnchanged) {
    TarnChain chain;
    chain.setDesign(defaults(false));
    std::vector<float> in = testsignal::noise(44100, 0.5, 3);
    std::vector<float> outL(in.size()), outR(in.size());
    for (size_t at = 0; at < in.size(); at += 512) {
        int n = int(std::min<size_t>(512, in.size() - at));
        chain.processReplacing(in.data() + at, in.data() + at, outL.data() + at,
                               outR.data() + at, n);
    }
    for (size_t i = 0; i < in.size(); ++i) {
        ASSERT_EQ(outL[i], in[i]) << i;
        ASSERT_EQ(outR[i], in[i]) << i;
    }
}

TEST(TarnChain, LimitersTurnAConstantHalfIntoAbout046083) {
    TarnChain chain;
    chain.setDesign(defaults(true));
    std::vector<float> in(2000, 0.5f), outL(2000), outR(2000);
    chain.processReplacing(in.data(), in.data(), outL.data(), outR.data(), 2000);
    EXPECT_NEAR(outL.back(), 0.46083, 1e-5);
    EXPECT_NEAR(outR.back(), 0.46083, 1e-5);
    EXPECT_EQ(chain.limiter(0).leftGain(), 1.0f);
    EXPECT_EQ(chain.limiter(1).rightGain(), 1.0f);
}

// Runs the signal through the chain in three blocks of equal length, the low
// band (20 Hz, poles next to z = 1) at 0 dB, then at `moved`, then at 0 dB.
std::vector<float> offAndBack(const std::vector<float>& in, float moved) {
    TarnDesign flat = defaults(false);
    TarnDesign off = flat;
    off.low.designBandPeak(lowFrequencyHz(0), lowFrequencyHz(0), 44100.0f, gainFactor(moved));
    const TarnDesign* designs[] = {&flat, &off, &flat};
    TarnChain chain;
    std::vector<float> outL(in.size()), outR(in.size());
    int block = int(in.size() / 3);
    for (int b = 0; b < 3; ++b) {
        chain.setDesign(*designs[b]);
        chain.processReplacing(in.data() + b * block, in.data() + b * block,
                               outL.data() + b * block, outR.data() + b * block, block);
    }
    return outL;
}

double largestStep(const std::vector<float>& s, size_t from, size_t to) {
    double step = 0;
    for (size_t i = std::max<size_t>(from, 1); i < to; ++i)
        step = std::max(step, std::fabs(double(s[i]) - s[i - 1]));
    return step;
}

TEST(TarnChain, MovingAGainOffZeroDbAndBackMakesNoStepAboveTheSignals) {
    for (float moved : {0.52f, 0.48f, 0.6f, 0.3f}) {
        SCOPED_TRACE(moved);
        std::vector<float> in = testsignal::noise(3 * 22050, 0.5, 11);
        std::vector<float> out = offAndBack(in, moved);
        EXPECT_LE(largestStep(out, 0, out.size()), largestStep(in, 0, in.size()));
    }
}

TEST(TarnChain, LeavingZeroDbStartsFromMemoriesInStepWithTheSignal) {
    // A low sine, whose own steps are small: stale memories would show as a
    // step many times larger where the band leaves 0 dB.
    for (float moved : {0.52f, 0.48f, 0.6f}) {
        SCOPED_TRACE(moved);
        std::vector<float> in = testsignal::sine(50.0, 44100.0, 3 * 44100, 0.5);
        std::vector<float> out = offAndBack(in, moved);
        EXPECT_LT(largestStep(out, 44100 - 100, 44100 + 100), largestStep(in, 0, in.size()) * 1.3);
    }
}

TEST(TarnChain, NonFiniteInputDoesNotSpoilLaterBlocks) {
    TarnChain chain;
    chain.setDesign(designAt(3.0f, 0.5f, 2.0f, true));
    std::vector<float> bad = {0.5f, NAN, INFINITY, -INFINITY, 0.25f};
    std::vector<float> outL(bad.size()), outR(bad.size());
    chain.processReplacing(bad.data(), bad.data(), outL.data(), outR.data(), int(bad.size()));
    std::vector<float> in = testsignal::noise(512);
    outL.assign(512, 0.0f), outR.assign(512, 0.0f);
    chain.processReplacing(in.data(), in.data(), outL.data(), outR.data(), 512);
    for (int i = 0; i < 512; ++i) ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i]));
    for (int k = 0; k < TarnChain::kSections; ++k) EXPECT_TRUE(chain.section(k).memoriesSane());
}

// One section running away clears the whole chain, limiter gains included:
// the next block is that of a fresh chain with the same design, bit for bit,
// and the block that ran away reaches the host with only finite samples.
TEST(TarnChain, ARunawayRestartsTheWholeChainAsAFreshOne) {
    const TarnDesign design = designAt(3.0f, 0.5f, 2.0f, true);
    TarnChain chain, fresh;
    chain.setDesign(design);
    fresh.setDesign(design);
    std::vector<float> loud = testsignal::noise(256, 3.0, 5);
    std::vector<float> outL(256), outR(256);
    chain.processReplacing(loud.data(), loud.data(), outL.data(), outR.data(), 256);
    ASSERT_LT(chain.limiter(0).leftGain(), 1.0f);  // the limiters hold a reduced gain
    std::vector<float> bad = {0.5f, 1e30f, INFINITY, 0.25f};
    chain.processReplacing(bad.data(), bad.data(), outL.data(), outR.data(), 4);
    for (int i = 0; i < 4; ++i) ASSERT_TRUE(std::isfinite(outL[i]) && std::isfinite(outR[i]));
    EXPECT_TRUE(chain.memoriesSane());
    EXPECT_EQ(chain.limiter(0).leftGain(), 1.0f);
    EXPECT_EQ(chain.limiter(1).rightGain(), 1.0f);

    std::vector<float> in = testsignal::noise(512, 0.7, 6);
    std::vector<float> freshL(512), freshR(512);
    outL.assign(512, 0.0f), outR.assign(512, 0.0f);
    chain.processReplacing(in.data(), in.data(), outL.data(), outR.data(), 512);
    fresh.processReplacing(in.data(), in.data(), freshL.data(), freshR.data(), 512);
    EXPECT_EQ(outL, freshL);
    EXPECT_EQ(outR, freshR);
}

TEST(TarnChain, ABandAtFullGainLiftsItsCentreBy24Db) {
    struct Band {
        float f;
        int which;
    };
    for (Band b : {Band{20.0f, 0}, Band{700.0f, 1}, Band{5000.0f, 2}}) {
        for (float p : {1.0f, 0.0f}) {
            SCOPED_TRACE(testing::Message() << b.f << " Hz, gain " << p);
            TarnDesign d = defaults(false);
            BandCoefficients* band[3] = {&d.low, &d.mid, &d.high};
            band[b.which]->designBandPeak(b.f, b.f, 44100.0f, gainFactor(p));
            TarnChain chain;
            chain.setDesign(d);
            std::vector<float> in = testsignal::sine(b.f, 44100.0, 2 * 44100, 0.01);
            std::vector<float> outL(in.size()), outR(in.size());
            chain.processReplacing(in.data(), in.data(), outL.data(), outR.data(), int(in.size()));
            double db = 20.0 * std::log10(testsignal::rms(outL, 44100) / testsignal::rms(in, 44100));
            EXPECT_NEAR(db, p == 1.0f ? 24.0 : -24.0, 0.1);
        }
    }
}

}  // namespace
