// The stereo signal path run directly: the packed processing against the
// plain per-channel section, the hand-over of designs and recovery from
// non-finite input.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plugins/ilvane/cookbook_shelf.h"
#include "dsp/peak_section.h"
#include "plugins/ilvane/shelf_pair.h"
#include "tests/support/signal.h"

using namespace ilvane;
using namespace dsp;

namespace {

ShelfDesign designAt(float lowDb, float highDb, float rate) {
    ShelfDesign d;
    designCookbookLowShelf(d.low, 100.0f, lowDb, rate);
    designCookbookHighShelf(d.high, 5000.0f, highDb, rate);
    return d;
}

template <class Sample>
std::vector<Sample> asSamples(const std::vector<float>& v) {
    return std::vector<Sample>(v.begin(), v.end());
}

// The packed path must match processPeakSection bit for bit, in both
// precisions, with different signals on the two channels and a new design
// arriving between blocks.
template <class Sample>
void expectPackedMatchesPlain() {
    const int frames = 3000;
    std::vector<Sample> inL = asSamples<Sample>(testsignal::noise(frames, 0.9, 7));
    std::vector<Sample> inR = asSamples<Sample>(testsignal::sine(61.0, 44100.0, frames, 0.7));
    Published<ShelfDesign> designs;
    designs.publish(designAt(12.0f, -7.5f, 44100.0f));
    ShelfPair<Sample> pair;
    PeakSection<Sample> plainLow, plainHigh;
    std::vector<Sample> outL(frames), outR(frames);

    const int split = 1001;  // an odd block size, then the rest
    processShelfPair(designs, pair, inL.data(), inR.data(), outL.data(), outR.data(), split);
    designs.publish(designAt(-3.3f, 11.0f, 44100.0f));
    processShelfPair(designs, pair, inL.data() + split, inR.data() + split, outL.data() + split,
                     outR.data() + split, frames - split);
    EXPECT_EQ(pair.seen, designs.generation());

    ShelfDesign d = designAt(12.0f, -7.5f, 44100.0f);
    for (int i = 0; i < frames; ++i) {
        if (i == split) d = designAt(-3.3f, 11.0f, 44100.0f);
        static_cast<PeakCoefficients&>(plainLow) = d.low;
        static_cast<PeakCoefficients&>(plainHigh) = d.high;
        StereoPair<Sample> y = processPeakSection(plainLow, inL[i], inR[i]);
        StereoPair<Sample> z = processPeakSection(plainHigh, y.left, y.right);
        ASSERT_EQ(outL[i], z.left) << "frame " << i;
        ASSERT_EQ(outR[i], z.right) << "frame " << i;
    }
    EXPECT_EQ(pair.low.y1L, plainLow.y1L);
    EXPECT_EQ(pair.high.y2R, plainHigh.y2R);
    EXPECT_EQ(pair.low.b0, d.low.b0);  // the sections hold the design they run
}

TEST(ShelfPair, PackedMatchesPlainSectionIn32Bit) { expectPackedMatchesPlain<float>(); }
TEST(ShelfPair, PackedMatchesPlainSectionIn64Bit) { expectPackedMatchesPlain<double>(); }

// The packed path against the plain sections for every block length that
// matters to a vector loop (empty, shorter than, equal to and around its
// widths, long), block after block on one pair.
template <class Sample>
void expectPackedMatchesPlainAtEveryLength() {
    Published<ShelfDesign> designs;
    designs.publish(designAt(9.0f, -4.5f, 48000.0f));
    const ShelfDesign d = designAt(9.0f, -4.5f, 48000.0f);
    ShelfPair<Sample> pair;
    PeakSection<Sample> plainLow, plainHigh;
    static_cast<PeakCoefficients&>(plainLow) = d.low;
    static_cast<PeakCoefficients&>(plainHigh) = d.high;
    std::uint32_t seed = 11;
    for (int frames : {0, 1, 2, 3, 15, 16, 17, 31, 64, 511, 4096}) {
        std::vector<Sample> l = asSamples<Sample>(testsignal::noise(frames, 0.8, ++seed));
        std::vector<Sample> r = asSamples<Sample>(testsignal::noise(frames, 0.3, ++seed));
        const std::vector<Sample> inL = l, inR = r;
        processShelfPair(designs, pair, l.data(), r.data(), l.data(), r.data(), frames);
        for (int i = 0; i < frames; ++i) {
            StereoPair<Sample> y = processPeakSection(plainLow, inL[i], inR[i]);
            StereoPair<Sample> z = processPeakSection(plainHigh, y.left, y.right);
            ASSERT_EQ(l[i], z.left) << frames << " frames, frame " << i;
            ASSERT_EQ(r[i], z.right) << frames << " frames, frame " << i;
        }
    }
}

TEST(ShelfPair, PackedMatchesPlainAtEveryBlockLength) {
    expectPackedMatchesPlainAtEveryLength<float>();
    expectPackedMatchesPlainAtEveryLength<double>();
}

TEST(ShelfPair, FloatStateHoldsRoundedOutputs) {
    // The stored outputs are the rounded samples: one step by hand.
    PeakSection<float> s;
    designCookbookLowShelf(s, 100.0f, 12.0f, 44100.0f);
    StereoPair<float> y = processPeakSection(s, 0.3f, -0.2f);
    const double exact = s.b0 * double(0.3f) / s.a0 + double(kAntiDenormal);
    EXPECT_EQ(y.left, static_cast<float>(exact));
    EXPECT_EQ(s.y1L, y.left);
    EXPECT_EQ(s.x1L, 0.3f);
    EXPECT_EQ(s.x1R, -0.2f);
    EXPECT_EQ(double(kAntiDenormal), 1.0000000195414814e-24);
}

TEST(ShelfPair, NonFiniteInputIsForgottenAfterItsBlock) {
    Published<ShelfDesign> designs(designAt(6.0f, 6.0f, 48000.0f));
    ShelfPair<float> pair;
    for (float bad : {NAN, INFINITY, -INFINITY}) {
        std::vector<float> l(64, 0.1f), r(64, 0.1f);
        l[10] = bad;
        processShelfPair(designs, pair, l.data(), r.data(), l.data(), r.data(), 64);
        EXPECT_TRUE(std::isfinite(r[63]));  // the right channel never saw it
        std::vector<float> l2(64, 0.1f), r2(64, 0.1f);
        processShelfPair(designs, pair, l2.data(), r2.data(), l2.data(), r2.data(), 64);
        for (float v : l2) ASSERT_TRUE(std::isfinite(v));
    }
}

}  // namespace
