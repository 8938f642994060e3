// The chain's inner loop works on two stereo samples at once, one in the two
// low lanes of an SSE register and one in the two high lanes: a band's pass-1
// and pass-2 sections (which share their coefficients), or limiter A and
// limiter B. Each lane rounds exactly as the scalar BandSection and
// OutputLimiter do.
#pragma once

#include <emmintrin.h>

#include "dsp/band_section.h"
#include "plugins/tarn/output_limiter.h"

namespace tarn {

using dsp::BandCoefficients;
using dsp::BandSection;
using dsp::kAntiDenormal;

namespace stereo {

// Lanes 0, 1: left and right of `first`; lanes 2, 3: those of `second`.
inline __m128 lanes(float firstL, float firstR, float secondL, float secondR) {
    return _mm_setr_ps(firstL, firstR, secondL, secondR);
}

// Keeps the lanes of `old` where `keep` is set, takes `now` elsewhere.
inline __m128 select(__m128 keep, __m128 old, __m128 now) {
    return _mm_or_ps(_mm_and_ps(keep, old), _mm_andnot_ps(keep, now));
}

struct SectionPair {
    __m128 b0, b1, b2, a1, a2;
    __m128 x1, x2, y1, y2;

    void setCoefficients(const BandCoefficients& c) {
        b0 = _mm_set1_ps(c.b0);
        b1 = _mm_set1_ps(c.b1);
        b2 = _mm_set1_ps(c.b2);
        a1 = _mm_set1_ps(c.a1);
        a2 = _mm_set1_ps(c.a2);
    }
    void load(const BandSection& first, const BandSection& second) {
        setCoefficients(first);
        x1 = lanes(first.x1L, first.x1R, second.x1L, second.x1R);
        x2 = lanes(first.x2L, first.x2R, second.x2L, second.x2R);
        y1 = lanes(first.y1L, first.y1R, second.y1L, second.y1R);
        y2 = lanes(first.y2L, first.y2R, second.y2L, second.y2R);
    }
    void store(BandSection& first, BandSection& second) const {
        float v[4];
        _mm_storeu_ps(v, x1);
        first.x1L = v[0], first.x1R = v[1], second.x1L = v[2], second.x1R = v[3];
        _mm_storeu_ps(v, x2);
        first.x2L = v[0], first.x2R = v[1], second.x2L = v[2], second.x2R = v[3];
        _mm_storeu_ps(v, y1);
        first.y1L = v[0], first.y1R = v[1], second.y1L = v[2], second.y1R = v[3];
        _mm_storeu_ps(v, y2);
        first.y2L = v[0], first.y2R = v[1], second.y2L = v[2], second.y2R = v[3];
    }
    // b0·x + b1·x1 + b2·x2 − a1·y1 − a2·y2 + offset, in that order.
    __m128 step(__m128 x) {
        __m128 y = _mm_add_ps(_mm_mul_ps(b0, x), _mm_mul_ps(b1, x1));
        y = _mm_add_ps(y, _mm_mul_ps(b2, x2));
        y = _mm_sub_ps(y, _mm_mul_ps(a1, y1));
        y = _mm_sub_ps(y, _mm_mul_ps(a2, y2));
        y = _mm_add_ps(y, _mm_set1_ps(kAntiDenormal));
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
        return y;
    }
    // As step, but the lanes set in `keep` hold no sample: their history stays.
    __m128 stepMasked(__m128 x, __m128 keep) {
        SectionPair old = *this;
        __m128 y = step(x);
        x1 = select(keep, old.x1, x1);
        x2 = select(keep, old.x2, x2);
        y1 = select(keep, old.y1, y1);
        y2 = select(keep, old.y2, y2);
        return y;
    }
};

struct LimiterPair {
    const float* tableFirst;
    const float* tableSecond;
    __m128d releaseFirst, releaseSecond;
    __m128 gain;

    void load(const OutputLimiter& first, const OutputLimiter& second) {
        tableFirst = &first.tableEntry(0);
        tableSecond = &second.tableEntry(0);
        releaseFirst = _mm_set1_pd(first.releaseCoefficient());
        releaseSecond = _mm_set1_pd(second.releaseCoefficient());
        gain = lanes(first.leftGain(), first.rightGain(), second.leftGain(), second.rightGain());
    }
    void store(OutputLimiter& first, OutputLimiter& second) const {
        float v[4];
        _mm_storeu_ps(v, gain);
        first.setGains(v[0], v[1]);
        second.setGains(v[2], v[3]);
    }
    // Entries i and i + 1 of one table, in lanes 0 and 1.
    static __m128 entries(const float* table, int i) {
        return _mm_castsi128_ps(_mm_loadl_epi64(reinterpret_cast<const __m128i_u*>(table + i)));
    }
    __m128 step(__m128 x) {
        const __m128 sign = _mm_set1_ps(-0.0f);
        // x − x·x·x·(1/6). Below 1e-10 the cubic term is far under half an ulp
        // of x, so it is left out there: the same result without the slow
        // underflow of x·x·x on the offsets that silence leaves.
        __m128 audible = _mm_cmpge_ps(_mm_andnot_ps(sign, x), _mm_set1_ps(1e-10f));
        __m128 c = _mm_and_ps(x, audible);
        x = _mm_sub_ps(x, _mm_mul_ps(_mm_mul_ps(_mm_mul_ps(c, c), c), _mm_set1_ps(0.16666667f)));
        __m128 e = _mm_mul_ps(_mm_andnot_ps(sign, x), _mm_set1_ps(OutputLimiter::kTableScale));
        // minps answers its second operand for a NaN level: the clamped index.
        e = _mm_min_ps(e, _mm_set1_ps(OutputLimiter::kMaxIndex));
        __m128i i = _mm_cvttps_epi32(e);
        __m128 r = _mm_sub_ps(e, _mm_cvtepi32_ps(i));
        int i0 = _mm_cvtsi128_si32(i);
        int i1 = _mm_cvtsi128_si32(_mm_srli_si128(i, 4));
        int i2 = _mm_cvtsi128_si32(_mm_srli_si128(i, 8));
        int i3 = _mm_cvtsi128_si32(_mm_srli_si128(i, 12));
        // [t(i0), t(i1), t(i2), t(i3)] and the entries after each.
        __m128 low = _mm_unpacklo_ps(entries(tableFirst, i0), entries(tableFirst, i1));
        __m128 high = _mm_unpacklo_ps(entries(tableSecond, i2), entries(tableSecond, i3));
        __m128 t0 = _mm_movelh_ps(low, high);
        __m128 t1 = _mm_movehl_ps(high, low);
        __m128 target = _mm_add_ps(t0, _mm_mul_ps(_mm_sub_ps(t1, t0), r));
        // Release in double precision: gain + (target − gain)·release.
        __m128 distance = _mm_sub_ps(target, gain);
        __m128d followFirst = _mm_add_pd(_mm_cvtps_pd(gain),
                                         _mm_mul_pd(_mm_cvtps_pd(distance), releaseFirst));
        __m128d followSecond =
            _mm_add_pd(_mm_cvtps_pd(_mm_movehl_ps(gain, gain)),
                       _mm_mul_pd(_mm_cvtps_pd(_mm_movehl_ps(distance, distance)), releaseSecond));
        __m128 follow = _mm_movelh_ps(_mm_cvtpd_ps(followFirst), _mm_cvtpd_ps(followSecond));
        __m128 attack = _mm_cmplt_ps(target, gain);
        gain = _mm_or_ps(_mm_and_ps(attack, target), _mm_andnot_ps(attack, follow));
        return _mm_mul_ps(x, gain);
    }
    __m128 stepMasked(__m128 x, __m128 keep) {
        __m128 old = gain;
        __m128 y = step(x);
        gain = select(keep, old, gain);
        return y;
    }
};

}  // namespace stereo

}  // namespace tarn
