// The suite's recovery rule for a filter that runs away, tested on its own.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

#include "dsp/recovery.h"

namespace {

constexpr float kInf = std::numeric_limits<float>::infinity();
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(Recovery, SaneMeansFiniteAndWithinTheRunawayLevel) {
    EXPECT_TRUE(dsp::sane(0.0f));
    EXPECT_TRUE(dsp::sane(-1e7));
    EXPECT_TRUE(dsp::sane(1e7f));
    EXPECT_FALSE(dsp::sane(std::nextafter(1e7, 1e8)));
    EXPECT_FALSE(dsp::sane(kNaN));
    EXPECT_FALSE(dsp::sane(-kInf));
    EXPECT_TRUE(dsp::allSane({0.5f, -2.0f, 1e-30f}));
    EXPECT_FALSE(dsp::allSane({0.5f, kNaN, 1e-30f}));
    const double memories[] = {1.0, 2.0, 3e7};
    EXPECT_TRUE(dsp::allSane(memories, 2));
    EXPECT_FALSE(dsp::allSane(memories, 3));
}

// The vector pass and its scalar tail at every length around the vector
// widths: exactly the non-finite samples become 0, everything else keeps its
// bits (negative zero, denormals and the largest finite values included), and
// nothing past the block is written.
template <class Sample>
void expectZeroNonFiniteAtEveryLength() {
    const Sample inf = std::numeric_limits<Sample>::infinity();
    const Sample pattern[] = {Sample(0.25), -inf, Sample(-0.0), std::numeric_limits<Sample>::quiet_NaN(),
                              std::numeric_limits<Sample>::denorm_min(), std::numeric_limits<Sample>::max(),
                              inf, -std::numeric_limits<Sample>::max(), Sample(1e30)};
    for (int n : {0, 1, 2, 3, 4, 5, 7, 8, 9, 15, 16, 17, 31, 64, 511}) {
        std::vector<Sample> block(n + 1);
        for (int i = 0; i <= n; ++i) block[i] = pattern[i % 9];
        const std::vector<Sample> before = block;
        dsp::zeroNonFinite(block.data(), n);
        for (int i = 0; i < n; ++i) {
            const Sample expected = std::isfinite(before[i]) ? before[i] : Sample(0);
            ASSERT_EQ(std::memcmp(&block[i], &expected, sizeof(Sample)), 0) << n << " at " << i;
        }
        ASSERT_EQ(std::memcmp(&block[n], &before[n], sizeof(Sample)), 0) << "past a block of " << n;
    }
}

TEST(Recovery, ZeroNonFiniteKeepsEveryFiniteSampleBitForBit) {
    expectZeroNonFiniteAtEveryLength<float>();
    expectZeroNonFiniteAtEveryLength<double>();
}

// A chain of one memory, to see what the rule does to a chain.
struct OneMemory {
    float memory = 0.0f;
    int cleared = 0;
    bool memoriesSane() const { return dsp::sane(memory); }
    void clearMemories() {
        memory = 0.0f;
        ++cleared;
    }
};

TEST(Recovery, ARunawayChainIsClearedAndItsBlockMadeSane) {
    const std::vector<float> clean = {0.5f, -1e7f, 3.0f};
    struct Case {
        float memory;
        std::vector<float> left;
        bool runaway;
        std::vector<float> heard;  // the left block the host gets
    } cases[] = {
        {0.5f, clean, false, clean},
        {1e7f, clean, false, clean},
        {2e7f, clean, true, clean},                                  // memories alone
        {kNaN, clean, true, clean},
        {-kInf, {0.5f, kNaN, kInf}, true, {0.5f, 0.0f, 0.0f}},
        {0.5f, {0.5f, kNaN, 3.0f}, false, {0.5f, kNaN, 3.0f}},       // sane memories vouch
        {3e7f, {0.5f, 2e7f, -3e30f}, true, {0.5f, 0.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        OneMemory chain{c.memory};
        std::vector<float> l = c.left, r = {0.25f, 0.25f, 0.25f};
        EXPECT_EQ(dsp::recoverAfterBlock(chain, l.data(), r.data(), 3), c.runaway) << c.memory;
        EXPECT_EQ(chain.cleared, c.runaway ? 1 : 0);
        EXPECT_EQ(chain.memory, c.runaway ? 0.0f : c.memory);
        for (size_t i = 0; i < l.size(); ++i)
            EXPECT_TRUE(l[i] == c.heard[i] || (std::isnan(l[i]) && std::isnan(c.heard[i]))) << i;
        EXPECT_EQ(r, (std::vector<float>{0.25f, 0.25f, 0.25f}));
    }
    // Every length around the vector width finds one bad sample wherever it is.
    for (int n : {1, 2, 3, 4, 5, 7, 8, 9, 17}) {
        for (int at = 0; at < n; ++at) {
            std::vector<double> block(n, 0.5);
            block[at] = 1e8;
            EXPECT_FALSE(dsp::blockSane(block.data(), n)) << n << " " << at;
            std::vector<float> narrow(n, 0.5f);
            narrow[at] = kNaN;
            EXPECT_FALSE(dsp::blockSane(narrow.data(), n)) << n << " " << at;
        }
    }
}

}  // namespace
