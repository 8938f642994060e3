#include "tarn_chain.h"

#include "stereo_kernels.h"

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
    applied = &d;
}

void TarnChain::repairState() {
    for (BandSection& s : sections)
        if (!s.historyFinite()) s.clearHistory();
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

// The chain as a wavefront: at time t stage k works on sample t − k, so the
// stages of one time step are independent of each other and the processor
// overlaps them. Each sample still passes every stage in order with the same
// design, so the result is that of running the stages one sample at a time.
template <bool limiter, bool accumulate>
struct Wavefront {
    static constexpr int kStages = limiter ? 8 : 6;

    stereo::Section* s;
    stereo::Limiter* limiterA;
    stereo::Limiter* limiterB;
    const float* inL;
    const float* inR;
    float* outL;
    float* outR;
    __m128 between[kStages];  // what stage k handed on at the last step

    __attribute__((always_inline)) __m128 stage(int k, __m128 x) {
        if constexpr (limiter) {
            switch (k) {
                case 0: return s[0].step(x);
                case 1: return s[1].step(x);
                case 2: return s[2].step(x);
                case 3: return limiterA->step(x);
                case 4: return s[3].step(x);
                case 5: return s[4].step(x);
                case 6: return s[5].step(x);
                default: return limiterB->step(x);
            }
        } else {
            return s[k].step(x);
        }
    }
    __m128 input(int j) const {
        return _mm_movelh_ps(_mm_unpacklo_ps(_mm_load_ss(inL + j), _mm_load_ss(inR + j)),
                             _mm_set1_ps(0.5f));
    }
    void output(int j, __m128 x) {
        float v[4];
        _mm_storeu_ps(v, x);
        if (accumulate) {
            outL[j] += v[0];
            outR[j] += v[1];
        } else {
            outL[j] = v[0];
            outR[j] = v[1];
        }
    }
    // A step with every stage busy: t − (kStages − 1) >= start, t < end.
    void full(int t) {
        output(t - (kStages - 1), stage(kStages - 1, between[kStages - 2]));
#pragma GCC unroll 8
        for (int k = kStages - 2; k >= 1; --k) between[k] = stage(k, between[k - 1]);
        between[0] = stage(0, input(t));
    }
    // A step while the wavefront fills or drains: only samples in [start, end).
    void partial(int t, int start, int end) {
        for (int k = kStages - 1; k >= 0; --k) {
            int j = t - k;
            if (j < start || j >= end) continue;
            __m128 x = stage(k, k == 0 ? input(j) : between[k - 1]);
            if (k == kStages - 1)
                output(j, x);
            else
                between[k] = x;
        }
    }
    // Runs samples from start while the design stays; returns where it
    // stopped: n, or the first sample that must see a new design.
    template <class Changed>
    int segment(int start, int n, Changed changed) {
        int end = n, t = start;
        for (; t < end && t < start + kStages - 1; ++t) {
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
        for (; t < end + kStages - 1; ++t) partial(t, start, end);
        return end;
    }
};

}  // namespace

template <bool accumulate>
void TarnChain::run(const float* inL, const float* inR, float* outL, float* outR, int n) {
    stereo::Section s[kSections];
    for (int k = 0; k < kSections; ++k) s[k].load(sections[k]);
    stereo::Limiter la, lb;
    la.load(limiterA);
    lb.load(limiterB);
    auto changed = [this] { return &design.current() != applied; };
    for (int i = 0; i < n;) {
        if (changed()) {
            apply(design.current());
            for (int k = 0; k < kSections; ++k) s[k].setCoefficients(sections[k]);
        }
        if (limiterOn)
            i = Wavefront<true, accumulate>{s, &la, &lb, inL, inR, outL, outR, {}}.segment(
                i, n, changed);
        else
            i = Wavefront<false, accumulate>{s, &la, &lb, inL, inR, outL, outR, {}}.segment(
                i, n, changed);
    }
    for (int k = 0; k < kSections; ++k) s[k].store(sections[k]);
    la.store(limiterA);
    lb.store(limiterB);
    // Non-finite input leaves non-finite memories; start those sections afresh.
    repairState();
}
