// The block kernel against the units run sample by sample.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "chain_reference.h"

using namespace gelmiratest;

namespace {

struct Stereo {
    std::vector<float> l, r;
};

// Runs the reference over the signal, switching to `next` before sample `at`.
Stereo reference(const ChainSettings& first, const Stereo& in, const ChainSettings* next = nullptr,
                 size_t at = 0) {
    ReferenceChain chain;
    chain.load(first);
    Stereo out{in.l, in.r};
    for (size_t i = 0; i < in.l.size(); ++i) {
        if (next && i == at) chain.load(*next);
        chain.process(in.l[i], in.r[i], out.l[i], out.r[i]);
    }
    return out;
}

Stereo signal(int frames) { return {noise(frames, 7), noise(frames, 99, 0.3f)}; }

void update(FilterChain& chain, const ChainSettings& s) {
    chain.change([&](ChainSettings& v) {
        v.stages = s.stages;
        v.mix = s.mix;
    });
}

TEST(GelmiraChain, BlocksOfAnySizeGiveTheReferenceBits) {
    const ChainSettings s = makeSettings(123.471f, 2.5f, 0.7f, 5000.0f, 80.0f);
    const Stereo in = signal(6000);
    const Stereo want = reference(s, in);
    for (int block : {1, 2, 7, 38, 39, 40, 41, 64, 512, 6000}) {
        SCOPED_TRACE(block);
        auto chain = std::make_unique<FilterChain>();
        update(*chain, s);
        Stereo out = in;  // in place
        for (size_t at = 0; at < in.l.size(); at += block) {
            int n = static_cast<int>(std::min<size_t>(block, in.l.size() - at));
            chain->process(out.l.data() + at, out.r.data() + at, out.l.data() + at,
                           out.r.data() + at, n);
        }
        ASSERT_EQ(0, std::memcmp(out.l.data(), want.l.data(), want.l.size() * sizeof(float)));
        ASSERT_EQ(0, std::memcmp(out.r.data(), want.r.data(), want.r.size() * sizeof(float)));
    }
}

TEST(GelmiraChain, DoubleBuffersRunTheSame32BitChain) {
    const ChainSettings s = makeSettings(200.0f, 0.0f, 1.0f);
    const Stereo in = signal(3000);
    const Stereo want = reference(s, in);
    auto chain = std::make_unique<FilterChain>();
    update(*chain, s);
    std::vector<double> l(in.l.begin(), in.l.end()), r(in.r.begin(), in.r.end());
    std::vector<double> outL(l.size()), outR(r.size());
    chain->process(l.data(), r.data(), outL.data(), outR.data(), 3000);
    for (size_t i = 0; i < l.size(); ++i) {
        ASSERT_EQ(outL[i], double(want.l[i])) << i;
        ASSERT_EQ(outR[i], double(want.r[i])) << i;
    }
    // 64-bit input is narrowed to 32-bit first.
    auto narrow = std::make_unique<FilterChain>();
    update(*narrow, s);
    std::vector<double> fine(l);
    for (double& v : fine) v += 1e-12;
    narrow->process(fine.data(), fine.data(), outL.data(), outR.data(), 3000);
    const Stereo mono = reference(s, {in.l, in.l});
    for (size_t i = 0; i < l.size(); ++i) ASSERT_EQ(outL[i], double(mono.l[i])) << i;
}

TEST(GelmiraChain, NewSettingsBetweenBlocksApplyFromTheNextSample) {
    const ChainSettings a = makeSettings(100.0f, 0.0f, 1.0f);
    const ChainSettings b = makeSettings(310.0f, 5.0f, 0.4f, 3000.0f, 200.0f);
    const Stereo in = signal(4000);
    const size_t at = 1234;
    const Stereo want = reference(a, in, &b, at);
    auto chain = std::make_unique<FilterChain>();
    update(*chain, a);
    Stereo out{std::vector<float>(4000), std::vector<float>(4000)};
    chain->process(in.l.data(), in.r.data(), out.l.data(), out.r.data(), at);
    update(*chain, b);
    chain->process(in.l.data() + at, in.r.data() + at, out.l.data() + at, out.r.data() + at,
                   4000 - at);
    ASSERT_EQ(0, std::memcmp(out.l.data(), want.l.data(), want.l.size() * sizeof(float)));
    ASSERT_EQ(0, std::memcmp(out.r.data(), want.r.data(), want.r.size() * sizeof(float)));
}

// The suite's recovery rule: the block that met the bad sample reaches the
// host finite, and the next block is what a fresh chain with the same
// settings makes of it.
TEST(GelmiraChain, NonFiniteInputIsForgottenAfterItsBlock) {
    const ChainSettings s = makeSettings(150.0f, 3.0f, 1.0f);
    for (float bad : {NAN, INFINITY, -INFINITY}) {
        auto chain = std::make_unique<FilterChain>();
        update(*chain, s);
        Stereo block = signal(256);
        block.l[100] = bad;
        block.r[10] = bad;
        chain->process(block.l.data(), block.r.data(), block.l.data(), block.r.data(), 256);
        for (size_t i = 0; i < block.l.size(); ++i)
            ASSERT_TRUE(std::isfinite(block.l[i]) && std::isfinite(block.r[i])) << bad << " " << i;
        EXPECT_TRUE(chain->memoriesSane());
        Stereo next = signal(1024);
        chain->process(next.l.data(), next.r.data(), next.l.data(), next.r.data(), 1024);
        for (size_t i = 0; i < next.l.size(); ++i) {
            ASSERT_TRUE(std::isfinite(next.l[i]) && std::isfinite(next.r[i])) << bad << " " << i;
            ASSERT_LT(std::fabs(next.l[i]), 100.0f);
        }
        const Stereo fresh = reference(s, signal(1024));
        ASSERT_EQ(0, std::memcmp(next.l.data(), fresh.l.data(), fresh.l.size() * sizeof(float)));
        ASSERT_EQ(0, std::memcmp(next.r.data(), fresh.r.data(), fresh.r.size() * sizeof(float)));
    }
}

// The block kernel (two channels a lane, forty stages in flight) against the
// units run sample by sample, for block lengths around the pipeline's and
// the ring's sizes, in both precisions: a fresh chain, one call, the same bits.
TEST(GelmiraChain, KernelMatchesTheScalarReferenceAtEveryBlockLength) {
    const ChainSettings s = makeSettings(110.0f, 4.0f, 0.8f, 7000.0f, 60.0f);
    for (int n : {0, 1, 2, 3, 15, 16, 17, 31, 64, 511, 4096}) {
        SCOPED_TRACE(n);
        const Stereo in = signal(n + 1);  // one guard sample past the block
        const Stereo want = reference(s, in);

        auto single = std::make_unique<FilterChain>();
        update(*single, s);
        Stereo out{std::vector<float>(n + 1, 7.0f), std::vector<float>(n + 1, 7.0f)};
        single->process(in.l.data(), in.r.data(), out.l.data(), out.r.data(), n);
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(out.l[i], want.l[i]) << "float sample " << i;
            ASSERT_EQ(out.r[i], want.r[i]) << "float sample " << i;
        }
        EXPECT_EQ(out.l[n], 7.0f);  // nothing written past the block
        EXPECT_EQ(out.r[n], 7.0f);

        auto twice = std::make_unique<FilterChain>();
        update(*twice, s);
        std::vector<double> l(in.l.begin(), in.l.end()), r(in.r.begin(), in.r.end());
        std::vector<double> dl(n + 1, 7.0), dr(n + 1, 7.0);
        twice->process(l.data(), r.data(), dl.data(), dr.data(), n);
        for (int i = 0; i < n; ++i) {
            ASSERT_EQ(dl[i], double(want.l[i])) << "double sample " << i;
            ASSERT_EQ(dr[i], double(want.r[i])) << "double sample " << i;
        }
        EXPECT_EQ(dl[n], 7.0);
        EXPECT_EQ(dr[n], 7.0);
    }
}

}  // namespace
