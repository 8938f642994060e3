// A ShelfCascade run with left and right together in SSE2 registers (left in
// the low lane), bit-identical to running processShelfSection on its six
// sections in order.
//
// Section k's input is section k-1's output, so one signal's two delays serve
// as the memories of both sections: signal 0 is the input, signal k + 1 the
// output of section k. The delays live in two banks whose roles alternate
// from sample to sample, so each sample stores every signal once instead of
// shifting four memories per section.
#pragma once

#include <emmintrin.h>

#include "plugins/faroll/shelf_design.h"

namespace faroll {

// Rounds both lanes to the sample type (and back to double).
template <class Sample>
inline __m128d roundToSample(__m128d v) {
    if constexpr (sizeof(Sample) == sizeof(float))
        return _mm_cvtps_pd(_mm_cvtpd_ps(v));
    else
        return v;
}

template <class Sample>
class PackedShelfCascade {
public:
    // Audio thread: takes the cascade's coefficients; the memories are kept.
    void setCoefficients(const ShelfCascade<Sample>& c) {
        for (int k = 0; k < 6; ++k) {
            const ShelfSection<Sample>& s = c.sections[k];
            coefficients[k] = {_mm_set1_pd(s.b0), _mm_set1_pd(s.b1), _mm_set1_pd(s.b2),
                               _mm_set1_pd(s.a1), _mm_set1_pd(s.a2)};
        }
    }

    // Takes the memories from the sections: the inputs of section 0, then the
    // outputs of every section (which are the next section's inputs).
    void loadState(const ShelfCascade<Sample>& c) {
        newest = 0;
        const ShelfSection<Sample>& first = c.sections[0];
        delay[0][0] = _mm_set_pd(first.x1R, first.x1L);
        delay[1][0] = _mm_set_pd(first.x2R, first.x2L);
        for (int k = 0; k < 6; ++k) {
            const ShelfSection<Sample>& s = c.sections[k];
            delay[0][k + 1] = _mm_set_pd(s.y1R, s.y1L);
            delay[1][k + 1] = _mm_set_pd(s.y2R, s.y2L);
        }
    }

    // Writes the memories back into the sections.
    void storeState(ShelfCascade<Sample>& c) const {
        const __m128d* d1 = delay[newest];
        const __m128d* d2 = delay[newest ^ 1];
        for (int k = 0; k < 6; ++k) {
            ShelfSection<Sample>& s = c.sections[k];
            split(d1[k], s.x1L, s.x1R);
            split(d2[k], s.x2L, s.x2R);
            split(d1[k + 1], s.y1L, s.y1R);
            split(d2[k + 1], s.y2L, s.y2R);
        }
    }

    // One stereo sample pair (values of the sample type) through all six sections.
    __m128d process(__m128d x) {
        __m128d* d1 = delay[newest];
        __m128d* d2 = delay[newest ^ 1];  // overwritten with the newest values
        const __m128d offset = _mm_set1_pd(kAntiDenormal);
        for (int k = 0; k < 6; ++k) {
            const Coefficients& c = coefficients[k];
            __m128d acc = _mm_mul_pd(c.b1, d1[k]);
            acc = _mm_add_pd(acc, _mm_mul_pd(c.b2, d2[k]));
            acc = _mm_sub_pd(acc, _mm_mul_pd(c.a1, d1[k + 1]));
            acc = _mm_sub_pd(acc, _mm_mul_pd(c.a2, d2[k + 1]));
            acc = _mm_add_pd(acc, offset);
            const __m128d y = roundToSample<Sample>(_mm_add_pd(_mm_mul_pd(c.b0, x), acc));
            d2[k] = x;
            x = y;
        }
        d2[6] = x;
        newest ^= 1;
        return x;
    }

private:
    struct Coefficients {
        __m128d b0, b1, b2, a1, a2;
    };
    static void split(__m128d v, Sample& left, Sample& right) {
        left = static_cast<Sample>(_mm_cvtsd_f64(v));
        right = static_cast<Sample>(_mm_cvtsd_f64(_mm_unpackhi_pd(v, v)));
    }

    Coefficients coefficients[6];
    __m128d delay[2][7];  // [bank][signal]; delay[newest] holds the last sample
    int newest = 0;
};

}  // namespace faroll
