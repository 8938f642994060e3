// A PeakSection run with left and right together in one SSE2 register of two
// doubles (left in the low lane). Every lane does the same IEEE operations in
// the same order as processPeakSection, so results are bit-identical to it.
#pragma once

#include <emmintrin.h>

#include "dsp/peak_section.h"

namespace dsp {

class PackedPeakSection {
public:
    // Audio thread: takes a new design; the memories are kept.
    void setCoefficients(const PeakCoefficients& c) {
        b0 = _mm_set1_pd(c.b0);
        b1 = _mm_set1_pd(c.b1);
        b2 = _mm_set1_pd(c.b2);
        a0 = _mm_set1_pd(c.a0);
        a1 = _mm_set1_pd(c.a1);
        a2 = _mm_set1_pd(c.a2);
    }

    template <class Sample>
    void loadState(const PeakSection<Sample>& s) {
        x1 = _mm_set_pd(s.x1R, s.x1L);
        x2 = _mm_set_pd(s.x2R, s.x2L);
        y1 = _mm_set_pd(s.y1R, s.y1L);
        y2 = _mm_set_pd(s.y2R, s.y2L);
    }

    template <class Sample>
    void storeState(PeakSection<Sample>& s) const {
        s.x1L = static_cast<Sample>(lane0(x1));
        s.x1R = static_cast<Sample>(lane1(x1));
        s.x2L = static_cast<Sample>(lane0(x2));
        s.x2R = static_cast<Sample>(lane1(x2));
        s.y1L = static_cast<Sample>(lane0(y1));
        s.y1R = static_cast<Sample>(lane1(y1));
        s.y2L = static_cast<Sample>(lane0(y2));
        s.y2R = static_cast<Sample>(lane1(y2));
    }

    // The unrounded output for input pair x (values of the sample type).
    __m128d output(__m128d x) const {
        __m128d acc = _mm_mul_pd(b0, x);
        acc = _mm_add_pd(acc, _mm_mul_pd(b1, x1));
        acc = _mm_add_pd(acc, _mm_mul_pd(b2, x2));
        acc = _mm_sub_pd(acc, _mm_mul_pd(a1, y1));
        acc = _mm_sub_pd(acc, _mm_mul_pd(a2, y2));
        return _mm_add_pd(_mm_div_pd(acc, a0), _mm_set1_pd(double(kAntiDenormal)));
    }

    // Shifts the memories: x the input pair, y the output rounded to the sample type.
    void push(__m128d x, __m128d y) {
        x2 = x1;
        x1 = x;
        y2 = y1;
        y1 = y;
    }

private:
    static double lane0(__m128d v) { return _mm_cvtsd_f64(v); }
    static double lane1(__m128d v) { return _mm_cvtsd_f64(_mm_unpackhi_pd(v, v)); }

    __m128d b0, b1, b2, a0, a1, a2;
    __m128d x1, x2, y1, y2;
};

}  // namespace dsp
