#include "plugins/tarn/tarn_chain.h"

#include "dsp/recovery.h"
#include "plugins/tarn/stereo_kernels.h"

namespace tarn {

TarnDesign designTarn(const TarnBand& low, const TarnBand& mid, const TarnBand& high,
                      bool limiterOn, float fs) {
    TarnDesign d;
    d.low.designBandPeak(low.frequencyHz, low.bandwidthHz, fs, low.gainFactor);
    d.mid.designBandPeak(mid.frequencyHz, mid.bandwidthHz, fs, mid.gainFactor);
    d.high.designBandPeak(high.frequencyHz, high.bandwidthHz, fs, high.gainFactor);
    d.limiterOn = limiterOn;
    return d;
}

void TarnChain::setReleaseTime(float ms, float fs) {
    limiterA.setReleaseTime(ms, fs);
    limiterB.setReleaseTime(ms, fs);
}

void TarnChain::resetGains() {
    limiterA.resetGains();
    limiterB.resetGains();
}

void TarnChain::apply(const TarnDesign& d) {
    const BandCoefficients* pass[3] = {&d.low, &d.mid, &d.high};
    for (int i = 0; i < kSections; ++i) sections[i].setCoefficients(*pass[i % 3]);
    limiterOn = d.limiterOn;
}

bool TarnChain::memoriesSane() const {
    bool sane = dsp::allSane({limiterA.leftGain(), limiterA.rightGain(), limiterB.leftGain(),
                              limiterB.rightGain()});
    for (const BandSection& s : sections) sane &= s.memoriesSane();
    return sane;
}

void TarnChain::clearMemories() {
    for (BandSection& s : sections) s.clearMemories();
    resetGains();
}

void TarnChain::processReplacing(const float* inL, const float* inR, float* outL, float* outR,
                                 int n) {
    run<false>(inL, inR, outL, outR, n);
}

void TarnChain::processAccumulating(const float* inL, const float* inR, float* outL,
                                    float* outR, int n) {
    run<true>(inL, inR, outL, outR, n);
}

namespace {

// The chain as a wavefront. With K stage pairs (3 sections, and the limiters
// when on), pair j holds stage j for sample t − j in its low lanes and stage
// j + K for sample t − j − K in its high lanes at time t, so the work of one
// time step is independent and the processor overlaps it. Every sample still
// passes the stages in order with one design, so the result is that of
// running the chain a sample at a time.
template <bool limiter, bool accumulate>
struct Wavefront {
    static constexpr int kPairs = limiter ? 4 : 3;
    static constexpr int kDepth = 2 * kPairs;  // steps from a sample's entry to its exit

    // Copies of the running state, local so that the output stores cannot
    // alias them and the compiler may keep them in registers.
    stereo::SectionPair band[3];
    stereo::LimiterPair limiters;
    const float* inL;
    const float* inR;
    float* outL;
    float* outR;
    __m128 pair[kPairs];  // what each pair handed on at the last step

    __attribute__((always_inline)) __m128 stage(int j, __m128 x) {
        if (limiter && j == 3) return limiters.step(x);
        return band[j].step(x);
    }
    __m128 stageMasked(int j, __m128 x, __m128 keep) {
        if (limiter && j == 3) return limiters.stepMasked(x, keep);
        return band[j].stepMasked(x, keep);
    }
    __m128 input(int j) const {
        return _mm_unpacklo_ps(_mm_load_ss(inL + j), _mm_load_ss(inR + j));
    }
    void output(int j, __m128 x) {
        float v[4];
        _mm_storeu_ps(v, x);
        if (accumulate) {
            outL[j] += v[2];
            outR[j] += v[3];
        } else {
            outL[j] = v[2];
            outR[j] = v[3];
        }
    }
    // A step with every stage busy: t − (kDepth − 1) >= start, t < end.
    void full(int t) {
        __m128 last = pair[kPairs - 1];
#pragma GCC unroll 4
        for (int j = kPairs - 1; j >= 1; --j) pair[j] = stage(j, pair[j - 1]);
        pair[0] = stage(0, _mm_movelh_ps(input(t), last));
        output(t - (kDepth - 1), pair[kPairs - 1]);
    }
    // A step while the wavefront fills or drains: only samples in [start, end)
    // are taken in, the lanes of other samples leave the history alone.
    void partial(int t, int start, int end) {
        auto busy = [&](int j) { return j >= start && j < end; };
        __m128 last = pair[kPairs - 1];
        for (int j = kPairs - 1; j >= 0; --j) {
            bool low = busy(t - j), high = busy(t - j - kPairs);
            if (!low && !high) continue;
            __m128 keep = _mm_castsi128_ps(_mm_setr_epi32(low ? 0 : -1, low ? 0 : -1,
                                                          high ? 0 : -1, high ? 0 : -1));
            __m128 x = pair[j - (j > 0)];
            if (j == 0) x = _mm_movelh_ps(low ? input(t) : _mm_setzero_ps(), last);
            pair[j] = stageMasked(j, x, keep);
            if (j == kPairs - 1 && high) output(t - (kDepth - 1), pair[j]);
        }
    }
    // Runs samples from start while the design stays; returns where it
    // stopped: n, or the first sample that must see a new design.
    template <class Changed>
    int segment(int start, int n, Changed changed) {
        int end = n, t = start;
        for (; t < end && t < start + kDepth - 1; ++t) {
            if (t > start && changed()) {
                end = t;
                break;
            }
            partial(t, start, end);
        }
        for (; t < end; ++t) {
            if (changed()) {
                end = t;
                break;
            }
            full(t);
        }
        for (; t < end + kDepth - 1; ++t) partial(t, start, end);
        return end;
    }
};

template <class Front, class Changed>
int runSegment(stereo::SectionPair (&band)[3], stereo::LimiterPair& limiters, const float* inL,
               const float* inR, float* outL, float* outR, int start, int n, Changed changed) {
    Front front{{band[0], band[1], band[2]}, limiters, inL, inR, outL, outR, {}};
    int end = front.segment(start, n, changed);
    for (int j = 0; j < 3; ++j) band[j] = front.band[j];
    limiters = front.limiters;
    return end;
}

}  // namespace

template <bool accumulate>
void TarnChain::run(const float* inL, const float* inR, float* outL, float* outR, int n) {
    // Pair j: the band's pass-1 section j and its pass-2 section j + 3.
    stereo::SectionPair band[3];
    for (int j = 0; j < 3; ++j) band[j].load(sections[j], sections[j + 3]);
    stereo::LimiterPair limiters;
    limiters.load(limiterA, limiterB);
    // A design taken while a segment runs ends the segment; the next one applies it.
    const TarnDesign* newest = nullptr;
    auto changed = [this, &newest] { return (newest = design.takeNewest(seen)) != nullptr; };
    bool limited = false;  // the limiters ran in some part of the block
    for (int i = 0; i < n;) {
        if (newest || changed()) {
            apply(*newest);
            newest = nullptr;
            for (int j = 0; j < 3; ++j) band[j].setCoefficients(sections[j]);
        }
        limited |= limiterOn;
        if (limiterOn)
            i = runSegment<Wavefront<true, accumulate>>(band, limiters, inL, inR, outL, outR, i,
                                                        n, changed);
        else
            i = runSegment<Wavefront<false, accumulate>>(band, limiters, inL, inR, outL, outR, i,
                                                         n, changed);
    }
    for (int j = 0; j < 3; ++j) band[j].store(sections[j], sections[j + 3]);
    limiters.store(limiterA, limiterB);
    if (dsp::recoverAfterBlock(*this, outL, outR, n)) return;
    // A limiter's gain multiplies after the sections' last memories, so sane
    // memories do not vouch for a limited block: it is read as well.
    if (limited && !(dsp::blockSane(outL, n) && dsp::blockSane(outR, n))) {
        clearMemories();
        dsp::zeroInsane(outL, n);
        dsp::zeroInsane(outR, n);
    }
}

}  // namespace tarn
