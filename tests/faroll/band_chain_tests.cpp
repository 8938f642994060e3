// The chain as the audio thread runs it: order of sections, block handling,
// hand-over of new designs and recovery from non-finite input.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plugins/faroll/band_chain.h"
#include "plugins/faroll/peak_design.h"
#include "tests/support/signal.h"

namespace {

using namespace faroll;
using namespace dsp;

BandDesign someDesign(unsigned serial) {
    BandDesign d;
    designLowShelf(d.low, 200.0f, -30.0f, 48000.0f);
    d.mid = peakCoefficients(1500.0f, 1.0f, 48000.0f);
    designHighShelf(d.high, 14000.0f, 5.0f, 48000.0f);
    d.serial = serial;
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
    applyBandDesign(chain, someDesign(1));
    applyBandDesign(sections, someDesign(1));
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
    Published<BandDesign> designs(someDesign(1));
    BandChain<double> chain, reference;
    unsigned applied = 0;
    std::vector<double> l = signal<double>(64, 3), r = signal<double>(64, 4);
    std::vector<double> outL(64), outR(64);
    processBandChainBlock(designs, chain, applied, l.data(), r.data(), outL.data(), outR.data(), 32);
    EXPECT_EQ(applied, 1u);
    BandDesign second = someDesign(2);
    designLowShelf(second.low, 400.0f, 6.0f, 48000.0f);
    designs.publish(second);
    processBandChainBlock(designs, chain, applied, l.data() + 32, r.data() + 32, outL.data() + 32,
                          outR.data() + 32, 32);
    EXPECT_EQ(applied, 2u);
    applyBandDesign(reference, someDesign(1));
    for (int i = 0; i < 64; ++i) {
        if (i == 32) applyBandDesign(reference, second);
        StereoPair<double> p = processBandChain(reference, l[i], r[i]);
        ASSERT_EQ(outL[i], p.left) << i;
        ASSERT_EQ(outR[i], p.right) << i;
    }
}

TEST(BandChain, InPlaceBlocksEqualSeparateBuffers) {
    Published<BandDesign> designs(someDesign(1));
    BandChain<float> a, b;
    unsigned appliedA = 0, appliedB = 0;
    std::vector<float> l = signal<float>(333, 5), r = signal<float>(333, 6);
    std::vector<float> outL(333), outR(333), inPlaceL = l, inPlaceR = r;
    processBandChainBlock(designs, a, appliedA, l.data(), r.data(), outL.data(), outR.data(), 333);
    processBandChainBlock(designs, b, appliedB, inPlaceL.data(), inPlaceR.data(),
                          inPlaceL.data(), inPlaceR.data(), 333);
    EXPECT_EQ(outL, inPlaceL);
    EXPECT_EQ(outR, inPlaceR);
}

TEST(BandChain, NonFiniteMemoriesAreClearedAtTheNextBlock) {
    Published<BandDesign> designs(someDesign(1));
    BandChain<float> chain;
    unsigned applied = 0;
    std::vector<float> l = signal<float>(16, 7), r = signal<float>(16, 8);
    l[3] = NAN;
    processBandChainBlock(designs, chain, applied, l.data(), r.data(), l.data(), r.data(), 16);
    EXPECT_TRUE(std::isnan(l[15]));
    EXPECT_TRUE(std::isfinite(r[15]));
    l = signal<float>(16, 9);
    processBandChainBlock(designs, chain, applied, l.data(), r.data(), l.data(), r.data(), 16);
    for (float v : l) EXPECT_TRUE(std::isfinite(v));
}

}  // namespace
