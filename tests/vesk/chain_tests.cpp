// The audio path against eighteen BandSections run one after the other: the
// same numbers bit for bit, whatever the block sizes, plus recovery from
// non-finite input.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "tests/support/signal.h"
#include "plugins/vesk/vesk_chain.h"

using namespace vesk;
using namespace dsp;

namespace {

using vesk::kBandCount;
using vesk::VeskChain;
using vesk::VeskDesign;

// Eighteen sections one after the other, as each band is defined.
struct ReferenceChain {
    BandSection band[kBandCount];
    void set(const VeskDesign& d) {
        for (int i = 0; i < kBandCount; ++i) band[i].setCoefficients(d.band[i]);
        design = d;
    }
    void run(const float* inL, const float* inR, float* outL, float* outR, int n, bool add) {
        for (int i = 0; i < n; ++i) {
            float l = design.inputGain * inL[i], r = design.inputGain * inR[i];
            for (BandSection& s : band) s.processStereo(l, r, l, r);
            l = design.outputGain * l;
            r = design.outputGain * r;
            if (add) {
                outL[i] += l;
                outR[i] += r;
            } else {
                outL[i] = l;
                outR[i] = r;
            }
        }
    }
    VeskDesign design;
};

// Every band off centre, gains alternating boost and cut, at 44100 Hz.
VeskDesign offCentre(float spread = 1.0f) {
    VeskDesign d;
    for (int i = 0; i < kBandCount; ++i) {
        const float p = 0.5f + spread * ((i % 2) ? 0.4f : -0.35f) * (1.0f - i / 40.0f);
        d.band[i] = vesk::designBand(i, vesk::gainFactor(p), 44100);
    }
    d.inputGain = vesk::gainFactor(0.6f);
    d.outputGain = vesk::gainFactor(0.45f);
    return d;
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

void expectSameHistories(const VeskChain& chain, const ReferenceChain& ref) {
    for (int i = 0; i < kBandCount; ++i) {
        const vesk::BandHistory h = chain.history(i);
        const BandSection& s = ref.band[i];
        const float got[] = {h.x1L, h.x2L, h.x1R, h.x2R, h.y1L, h.y2L, h.y1R, h.y2R};
        const float want[] = {s.x1L, s.x2L, s.x1R, s.x2R, s.y1L, s.y2L, s.y1R, s.y2R};
        for (int k = 0; k < 8; ++k) EXPECT_TRUE(sameBits(got[k], want[k])) << "band " << i;
    }
}

int firstMismatch(const std::vector<float>& a, const std::vector<float>& b) {
    for (size_t i = 0; i < a.size(); ++i)
        if (!sameBits(a[i], b[i])) return static_cast<int>(i);
    return -1;
}

TEST(Chain, MatchesSectionsOneAfterAnotherForEveryBlockSize) {
    const int blocks[] = {1, 2, 7, 16, 17, 18, 19, 35, 512, 1000, 3};
    Published<VeskDesign> design(offCentre());
    VeskChain chain;
    ReferenceChain ref;
    ref.set(offCentre());
    const std::vector<float> inL = testsignal::noise(4000, 0.5, 3);
    const std::vector<float> inR = testsignal::noise(4000, 0.5, 4);
    std::vector<float> outL(inL.size()), outR(inR.size()), refL(inL.size()), refR(inR.size());
    size_t at = 0;
    for (int round = 0; at + 1000 < inL.size(); ++round) {
        const int n = blocks[round % std::size(blocks)];
        chain.process(&inL[at], &inR[at], &outL[at], &outR[at], n, design, false);
        ref.run(&inL[at], &inR[at], &refL[at], &refR[at], n, false);
        at += n;
    }
    EXPECT_EQ(firstMismatch(outL, refL), -1);
    EXPECT_EQ(firstMismatch(outR, refR), -1);
    expectSameHistories(chain, ref);
}

TEST(Chain, RunsInPlaceAndAccumulates) {
    Published<VeskDesign> design(offCentre());
    VeskChain chain;
    ReferenceChain ref;
    ref.set(offCentre());
    std::vector<float> l = testsignal::noise(700, 0.5, 5), r = testsignal::noise(700, 0.5, 6);
    std::vector<float> refL(l.size()), refR(r.size());
    ref.run(l.data(), r.data(), refL.data(), refR.data(), 700, false);
    chain.process(l.data(), r.data(), l.data(), r.data(), 700, design, false);
    EXPECT_EQ(firstMismatch(l, refL), -1);
    EXPECT_EQ(firstMismatch(r, refR), -1);

    const std::vector<float> in = testsignal::noise(300, 0.5, 7);
    std::vector<float> accL(300, 0.25f), accR(300, -0.25f), wantL = accL, wantR = accR;
    ref.run(in.data(), in.data(), wantL.data(), wantR.data(), 300, true);
    chain.process(in.data(), in.data(), accL.data(), accR.data(), 300, design, true);
    EXPECT_EQ(firstMismatch(accL, wantL), -1);
    EXPECT_EQ(firstMismatch(accR, wantR), -1);
}

TEST(Chain, NewDesignAppliesFromTheNextBlockWithTheHistoryKept) {
    Published<VeskDesign> design(offCentre());
    VeskChain chain;
    ReferenceChain ref;
    ref.set(offCentre());
    const std::vector<float> in = testsignal::noise(600, 0.5, 8);
    std::vector<float> out(600), want(600), scratch(600);
    chain.process(in.data(), in.data(), out.data(), scratch.data(), 300, design, false);
    ref.run(in.data(), in.data(), want.data(), scratch.data(), 300, false);
    design.publish(offCentre(-0.7f));
    ref.set(offCentre(-0.7f));
    chain.process(&in[300], &in[300], &out[300], scratch.data(), 300, design, false);
    ref.run(&in[300], &in[300], &want[300], scratch.data(), 300, false);
    EXPECT_EQ(firstMismatch(out, want), -1);
}

TEST(Chain, FlatDesignReturnsTheInputSampleForSample) {
    Published<VeskDesign> design{VeskDesign()};
    for (int i = 0; i < kBandCount; ++i) {
        VeskDesign d = design.latest();
        d.band[i] = vesk::designBand(i, vesk::gainFactor(0.5f), 44100);
        design.publish(d);
    }
    VeskChain chain;
    const std::vector<float> in = testsignal::noise(8192, 0.5, 9);
    std::vector<float> l(in.size()), r(in.size());
    chain.process(in.data(), in.data(), l.data(), r.data(), static_cast<int>(in.size()), design, false);
    for (size_t i = 0; i < in.size(); ++i) {
        ASSERT_NEAR(l[i], in[i], 1e-22) << i;  // only the 1e-24 offsets, lost in rounding
        ASSERT_EQ(l[i], r[i]);
    }
}

TEST(Chain, RecoversFromNonFiniteAndHugeInput) {
    const float bad[] = {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(), 3e38f};
    for (float poison : bad) {
        SCOPED_TRACE(poison);
        Published<VeskDesign> design(offCentre());
        VeskChain chain;
        std::vector<float> l = testsignal::noise(256, 0.5, 10), r = l;
        l[100] = poison;
        r[120] = -poison;
        chain.process(l.data(), r.data(), l.data(), r.data(), 256, design, false);
        std::vector<float> l2 = testsignal::noise(256, 0.5, 11), r2 = l2;
        chain.process(l2.data(), r2.data(), l2.data(), r2.data(), 256, design, false);
        for (size_t i = 0; i < l2.size(); ++i) {
            ASSERT_TRUE(std::isfinite(l2[i])) << i;
            ASSERT_TRUE(std::isfinite(r2[i])) << i;
        }
        EXPECT_LT(testsignal::rms(l2), 2.0);
    }
}

}  // namespace
