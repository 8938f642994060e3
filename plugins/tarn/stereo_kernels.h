// The chain's inner loop: a section and a limiter with left and right in the
// two low lanes of one SSE register. Each lane rounds exactly as the scalar
// BandSection and OutputLimiter do; the two spare lanes carry a steady 0.5 so
// that they never compute with denormal values.
#pragma once

#include <emmintrin.h>

#include "band_section.h"
#include "output_limiter.h"

namespace stereo {

struct Section {
    __m128 b0, b1, b2, a1, a2;
    __m128 x1, x2, y1, y2;

    void setCoefficients(const BandCoefficients& c) {
        b0 = _mm_set1_ps(c.b0);
        b1 = _mm_set1_ps(c.b1);
        b2 = _mm_set1_ps(c.b2);
        a1 = _mm_set1_ps(c.a1);
        a2 = _mm_set1_ps(c.a2);
    }
    void load(const BandSection& s) {
        setCoefficients(s);
        x1 = _mm_setr_ps(s.x1L, s.x1R, 0.5f, 0.5f);
        x2 = _mm_setr_ps(s.x2L, s.x2R, 0.5f, 0.5f);
        y1 = _mm_setr_ps(s.y1L, s.y1R, 0.5f, 0.5f);
        y2 = _mm_setr_ps(s.y2L, s.y2R, 0.5f, 0.5f);
    }
    void store(BandSection& s) const {
        float v[4];
        _mm_storeu_ps(v, x1), s.x1L = v[0], s.x1R = v[1];
        _mm_storeu_ps(v, x2), s.x2L = v[0], s.x2R = v[1];
        _mm_storeu_ps(v, y1), s.y1L = v[0], s.y1R = v[1];
        _mm_storeu_ps(v, y2), s.y2L = v[0], s.y2R = v[1];
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
};

struct Limiter {
    const float* table;
    __m128d release;
    __m128 gain;

    void load(const OutputLimiter& l) {
        table = &l.tableEntry(0);
        release = _mm_set1_pd(l.releaseCoefficient());
        gain = _mm_setr_ps(l.leftGain(), l.rightGain(), 1.0f, 1.0f);
    }
    void store(OutputLimiter& l) const {
        float v[4];
        _mm_storeu_ps(v, gain);
        l.setGains(v[0], v[1]);
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
        int iL = _mm_cvtsi128_si32(i);
        int iR = _mm_cvtsi128_si32(_mm_srli_si128(i, 4));
        // Entries i and i + 1 of each channel: [t0L, t0R, t1L, t1R].
        __m128 pairL = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(table + iL)));
        __m128 pairR = _mm_castpd_ps(_mm_load_sd(reinterpret_cast<const double*>(table + iR)));
        __m128 t = _mm_unpacklo_ps(pairL, pairR);
        __m128 t0 = t;
        __m128 t1 = _mm_movehl_ps(t, t);
        __m128 target = _mm_add_ps(t0, _mm_mul_ps(_mm_sub_ps(t1, t0), r));
        // Release in double precision: gain + (target − gain)·release.
        __m128d released = _mm_add_pd(_mm_cvtps_pd(gain),
                                      _mm_mul_pd(_mm_cvtps_pd(_mm_sub_ps(target, gain)), release));
        __m128 follow = _mm_cvtpd_ps(released);
        __m128 attack = _mm_cmplt_ps(target, gain);
        gain = _mm_or_ps(_mm_and_ps(attack, target), _mm_andnot_ps(attack, follow));
        return _mm_mul_ps(x, gain);
    }
};

}  // namespace stereo
