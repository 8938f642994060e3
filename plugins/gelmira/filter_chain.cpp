#include "plugins/gelmira/filter_chain.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>

#include "dsp/recovery.h"
#include "plugins/gelmira/difference_equation.h"

namespace gelmira {

FilterChain::FilterChain(const ChainSettings& initial) : published(initial) {
    adopt(initial);
}

void FilterChain::process(const float* inL, const float* inR, float* outL, float* outR,
                          int frames) {
    run(inL, inR, outL, outR, frames);
}

void FilterChain::process(const double* inL, const double* inR, double* outL, double* outR,
                          int frames) {
    run(inL, inR, outL, outR, frames);
}

void FilterChain::adopt(const ChainSettings& s) {
    for (int k = 0; k < kDepth; ++k) {
        const StageCoefficients& c = s.stages[k];
        Coefficients& d = coefficients[k];
        d.b0[0] = d.b0[1] = c.b0;
        d.b1[0] = d.b1[1] = c.b1;
        d.b2[0] = d.b2[1] = c.b2;
        d.a0[0] = d.a0[1] = c.a0;
        d.a1[0] = d.a1[1] = c.a1;
        d.a2[0] = d.a2[1] = c.a2;
    }
    float m = s.mix;
    mix[0] = mix[1] = m;
}

template <class Sample>
void FilterChain::run(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR,
                      int frames) {
    if (newer()) adopt(*next);
    int done = 0;
    while (done < frames) {
        done += segment(inL + done, inR + done, outL + done, outR + done, frames - done);
        // A segment ends early only when a new set arrived.
        if (done < frames) adopt(*next);
    }
    dsp::recoverAfterBlock(*this, outL, outR, frames);
}

namespace {

// One stage's step for both channels: the same operations, in the same
// order, as differenceEquation.
inline __m128d stageStep(const double* b0, const double* b1, const double* b2, const double* a0,
                         const double* a1, const double* a2, double* x1, double* x2, double* y1,
                         double* y2, __m128d x) {
    __m128d px1 = _mm_load_pd(x1), px2 = _mm_load_pd(x2);
    __m128d py1 = _mm_load_pd(y1), py2 = _mm_load_pd(y2);
    __m128d sum = _mm_mul_pd(_mm_load_pd(b0), x);
    sum = _mm_add_pd(sum, _mm_mul_pd(_mm_load_pd(b1), px1));
    sum = _mm_add_pd(sum, _mm_mul_pd(_mm_load_pd(b2), px2));
    sum = _mm_sub_pd(sum, _mm_mul_pd(_mm_load_pd(a1), py1));
    sum = _mm_sub_pd(sum, _mm_mul_pd(_mm_load_pd(a2), py2));
    __m128d y = _mm_add_pd(_mm_div_pd(sum, _mm_load_pd(a0)), _mm_set1_pd(kAntiDenormal64));
    y = _mm_cvtps_pd(_mm_cvtpd_ps(y));  // stored as 32-bit
    _mm_store_pd(x2, px1);
    _mm_store_pd(x1, x);
    _mm_store_pd(y2, py1);
    _mm_store_pd(y1, y);
    return y;
}

inline __m128d narrowed(float l, float r) { return _mm_set_pd(r, l); }
inline __m128d narrowed(double l, double r) {
    return _mm_set_pd(static_cast<float>(r), static_cast<float>(l));
}

inline void store(__m128d v, float* l, float* r) {
    __m128 f = _mm_cvtpd_ps(v);
    *l = _mm_cvtss_f32(f);
    *r = _mm_cvtss_f32(_mm_shuffle_ps(f, f, 1));
}
inline void store(__m128d v, double* l, double* r) {
    __m128d f = _mm_cvtps_pd(_mm_cvtpd_ps(v));
    _mm_storel_pd(l, f);
    _mm_storeh_pd(r, f);
}

}  // namespace

// Feeds samples until the block ends or a new set arrives, then lets the
// samples in flight leave the last stage. At step t stage k works on sample
// t − k; stages run from the last to the first so that each reads its
// predecessor's output of the previous step. Returns the samples fed.
template <class Sample>
int FilterChain::segment(const Sample* inL, const Sample* inR, Sample* outL, Sample* outR,
                         int frames) {
    constexpr int last = kDepth - 1;
    const __m128d wet = _mm_load_pd(mix);
    const __m128d keep = _mm_sub_pd(_mm_set1_pd(1.0), wet);
    auto stage = [&](int k, __m128d x) {
        Coefficients& c = coefficients[k];
        Memory& m = memory[k];
        stageStep(c.b0, c.b1, c.b2, c.a0, c.a1, c.a2, m.x1, m.x2, m.y1, m.y2, x);
    };
    auto emit = [&](int t) {
        int i = t - last;
        __m128d out = _mm_add_pd(_mm_mul_pd(wet, _mm_load_pd(memory[last].y1)),
                                 _mm_mul_pd(keep, _mm_load_pd(dry[i % kRing])));
        store(out, outL + i, outR + i);
    };

    int fed = frames;
    int t = 0;
    for (; t < frames; ++t) {
        if (t > 0 && newer()) {
            fed = t;
            break;
        }
        __m128d x = narrowed(inL[t], inR[t]);
        _mm_store_pd(dry[t % kRing], x);
        for (int k = std::min(last, t); k >= 1; --k) stage(k, _mm_load_pd(memory[k - 1].y1));
        stage(0, x);
        if (t >= last) emit(t);
    }
    for (; t < fed + last; ++t) {
        for (int k = std::min(last, t); k > t - fed; --k) stage(k, _mm_load_pd(memory[k - 1].y1));
        if (t >= last) emit(t);
    }
    return fed;
}

bool FilterChain::memoriesSane() const {
    bool sane = true;
    for (const Memory& m : memory) {
        sane &= dsp::allSane(m.x1, 2) & dsp::allSane(m.x2, 2);
        sane &= dsp::allSane(m.y1, 2) & dsp::allSane(m.y2, 2);
    }
    return sane;
}

void FilterChain::clearMemories() {
    for (Memory& m : memory) m = Memory{};
}

}  // namespace gelmira
