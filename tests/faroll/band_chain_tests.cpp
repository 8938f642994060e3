// The chain as the audio thread runs it: order of sections, block handling
// against the scalar reference, hand-over of new designs and recovery from
// non-finite input.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plugins/faroll/band_chain.h"
#include "plugins/faroll/peak_design.h"
#include "tests/support/signal.h"

namespace {

using namespace faroll;
using namespace dsp;

BandDesign someDesign() {
    BandDesign d;
    designLowShelf(d.low, 200.0f, -30.0f, 48000.0f);
    d.mid = peakCoefficients(1500.0f, 1.0f, 48000.0f);
    designHighShelf(d.high, 14000.0f, 5.0f, 48000.0f);
    return d;
}

template <class Sample>
std::vector<Sample> signal(int n, std::uint32_t seed) {
    std::vector<float> s = testsignal::noise(n, 0.5, seed);
    return std::vector<Sample>(s.begin(), s.end());
}

template <class Sample>
void chainIsTheSectionsInOrder() {
    BandChain<Sample> chain, sections;
    applyBandDesign(chain, someDesign());
    applyBandDesign(sections, someDesign());
    std::vector<Sample> l = signal<Sample>(2000, 1), r = signal<Sample>(2000, 2);
    for (size_t i = 0; i < l.size(); ++i) {
        StereoPair<Sample> a = processBandChain(chain, l[i], r[i]);
        StereoPair<Sample> b{l[i], r[i]};
        for (auto& s : sections.low.sections) b = processShelfSection(s, b.left, b.right);
        for (auto& s : sections.mid) b = processPeakSection(s, b.left, b.right);
        for (auto& s : sections.high.sections) b = processShelfSection(s, b.left, b.right);
        ASSERT_EQ(a.left, b.left) << i;
        ASSERT_EQ(a.right, b.right) << i;
    }
}

TEST(BandChain, RunsLowThenSixPeaksThenHigh) {
    chainIsTheSectionsInOrder<float>();
    chainIsTheSectionsInOrder<double>();
}

TEST(BandChain, ShelfSectionSumsInDoubleAndStoresInTheSampleType) {
    ShelfSection<float> s;
    s.b0 = 0.1f;
    s.b1 = 0.3f;
    s.a1 = -0.7f;
    s.x1L = 0.25f;
    s.y1L = 0.5f;
    const double want = double(0.1f) * double(0.3f) +
                        (double(0.3f) * double(0.25f) - double(-0.7f) * double(0.5f) +
                         double(1e-24f));
    StereoPair<float> out = processShelfSection(s, 0.3f, 0.0f);
    EXPECT_EQ(out.left, static_cast<float>(want));
    EXPECT_EQ(s.y1L, out.left);
    EXPECT_EQ(s.y2L, 0.5f);
    EXPECT_EQ(s.x1L, 0.3f);
    EXPECT_EQ(s.x2L, 0.25f);
    EXPECT_EQ(out.right, 1e-24f);
}

TEST(BandChain, BlockTakesANewDesignAtTheNextSample) {
    Published<BandDesign> designs(someDesign());
    BandChain<double> chain, reference;
    std::vector<double> l = signal<double>(64, 3), r = signal<double>(64, 4);
    std::vector<double> outL(64), outR(64);
    processBandChainBlock(designs, chain, l.data(), r.data(), outL.data(), outR.data(), 32);
    EXPECT_EQ(chain.seen, designs.generation());
    BandDesign second = someDesign();
    designLowShelf(second.low, 400.0f, 6.0f, 48000.0f);
    designs.publish(second);
    processBandChainBlock(designs, chain, l.data() + 32, r.data() + 32, outL.data() + 32,
                          outR.data() + 32, 32);
    EXPECT_EQ(chain.seen, designs.generation());
    applyBandDesign(reference, someDesign());
    for (int i = 0; i < 64; ++i) {
        if (i == 32) applyBandDesign(reference, second);
        StereoPair<double> p = processBandChain(reference, l[i], r[i]);
        ASSERT_EQ(outL[i], p.left) << i;
        ASSERT_EQ(outR[i], p.right) << i;
    }
}

TEST(BandChain, InPlaceBlocksEqualSeparateBuffers) {
    Published<BandDesign> designs(someDesign());
    BandChain<float> a, b;
    std::vector<float> l = signal<float>(333, 5), r = signal<float>(333, 6);
    std::vector<float> outL(333), outR(333), inPlaceL = l, inPlaceR = r;
    processBandChainBlock(designs, a, l.data(), r.data(), outL.data(), outR.data(), 333);
    processBandChainBlock(designs, b, inPlaceL.data(), inPlaceR.data(),
                          inPlaceL.data(), inPlaceR.data(), 333);
    EXPECT_EQ(outL, inPlaceL);
    EXPECT_EQ(outR, inPlaceR);
}

// The recovery rule: the block that meets a non-finite input hands the host
// finite samples only, and the next block sounds as a fresh chain would.
template <class Sample>
void nonFiniteInputRecovers(Sample bad) {
    Published<BandDesign> designs(someDesign());
    BandChain<Sample> chain, fresh;
    std::vector<Sample> l = signal<Sample>(16, 7), r = signal<Sample>(16, 8);
    l[3] = bad;
    processBandChainBlock(designs, chain, l.data(), r.data(), l.data(), r.data(), 16);
    for (int i = 0; i < 16; ++i) {
        ASSERT_TRUE(std::isfinite(l[i])) << i;
        ASSERT_TRUE(std::isfinite(r[i])) << i;
    }
    EXPECT_TRUE(chain.memoriesSane());
    std::vector<Sample> a = signal<Sample>(16, 9), b = signal<Sample>(16, 10);
    std::vector<Sample> a0 = a, b0 = b;
    processBandChainBlock(designs, chain, a.data(), b.data(), a.data(), b.data(), 16);
    processBandChainBlock(designs, fresh, a0.data(), b0.data(), a0.data(), b0.data(), 16);
    EXPECT_EQ(a, a0);
    EXPECT_EQ(b, b0);
}

TEST(BandChain, NonFiniteInputIsNeverHeardAndTheNextBlockStartsFresh) {
    for (double bad : {double(NAN), double(INFINITY), -double(INFINITY)}) {
        SCOPED_TRACE(bad);
        nonFiniteInputRecovers<float>(static_cast<float>(bad));
        nonFiniteInputRecovers<double>(bad);
    }
}

// A runaway past the bound, with every sample still finite, is cleared too.
TEST(BandChain, RunawayMemoriesAreClearedAtTheEndOfTheBlock) {
    Published<BandDesign> designs(someDesign());
    BandChain<double> chain;
    std::vector<double> l(8, 1e9), r(8, 0.0);
    processBandChainBlock(designs, chain, l.data(), r.data(), l.data(), r.data(), 8);
    EXPECT_TRUE(chain.memoriesSane());
    for (const auto& s : chain.mid) EXPECT_EQ(s.x1L, 0.0);
    EXPECT_EQ(chain.low.sections[0].x1L, 0.0);
}

// The packed block path against processBandChain sample by sample, at every
// block length that meets a different edge of the loop, in both precisions,
// with a new design published between blocks.
template <class Sample>
void blockMatchesScalarReference(int frames) {
    Published<BandDesign> designs(someDesign());
    BandChain<Sample> chain, reference;
    applyBandDesign(reference, someDesign());
    BandDesign second = someDesign();
    designLowShelf(second.low, 90.0f, 5.0f, 48000.0f);
    second.mid = peakCoefficients(3000.0f, -12.0f, 48000.0f);
    designHighShelf(second.high, 6000.0f, -40.0f, 48000.0f);
    std::vector<Sample> l = signal<Sample>(2 * frames + 1, 11), r = signal<Sample>(2 * frames + 1, 12);
    std::vector<Sample> outL(l.size(), Sample(7)), outR(l.size(), Sample(7));
    processBandChainBlock(designs, chain, l.data(), r.data(), outL.data(), outR.data(), frames);
    designs.publish(second);
    processBandChainBlock(designs, chain, l.data() + frames, r.data() + frames,
                          outL.data() + frames, outR.data() + frames, frames);
    for (int i = 0; i < 2 * frames; ++i) {
        if (i == frames) applyBandDesign(reference, second);
        const StereoPair<Sample> p = processBandChain(reference, l[i], r[i]);
        ASSERT_EQ(outL[i], p.left) << i;
        ASSERT_EQ(outR[i], p.right) << i;
    }
    EXPECT_EQ(outL[2 * frames], Sample(7));  // nothing written past the block
    EXPECT_EQ(outR[2 * frames], Sample(7));
    const Sample* got[] = {&chain.low.sections[5].y1L, &chain.mid[5].y1R, &chain.high.sections[3].x2L};
    const Sample* want[] = {&reference.low.sections[5].y1L, &reference.mid[5].y1R,
                            &reference.high.sections[3].x2L};
    for (int k = 0; k < 3; ++k) EXPECT_EQ(*got[k], *want[k]) << k;
}

TEST(BandChain, BlocksOfEveryLengthMatchTheScalarReference) {
    for (int frames : {0, 1, 2, 3, 15, 16, 17, 31, 64, 511, 4096}) {
        SCOPED_TRACE(frames);
        blockMatchesScalarReference<float>(frames);
        blockMatchesScalarReference<double>(frames);
    }
}

}  // namespace
