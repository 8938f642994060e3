#include "shelf_pair.h"

#include "dsp/peak_section_sse2.h"
#include "dsp/recovery.h"

namespace ilvane {

namespace {

// Loading, rounding and storing a stereo pair of each sample type.
struct FloatSamples {
    using Narrow = __m128;
    static __m128d load(const float* l, const float* r) {
        return _mm_cvtps_pd(_mm_unpacklo_ps(_mm_load_ss(l), _mm_load_ss(r)));
    }
    // y rounded to float: kept as floats for the store, widened for the state.
    static __m128d round(__m128d y, __m128& narrow) {
        narrow = _mm_cvtpd_ps(y);
        return _mm_cvtps_pd(narrow);
    }
    static void store(float* l, float* r, __m128 narrow) {
        _mm_store_ss(l, narrow);
        _mm_store_ss(r, _mm_shuffle_ps(narrow, narrow, _MM_SHUFFLE(1, 1, 1, 1)));
    }
};

struct DoubleSamples {
    using Narrow = __m128d;
    static __m128d load(const double* l, const double* r) {
        return _mm_loadh_pd(_mm_load_sd(l), r);
    }
    static __m128d round(__m128d y, __m128d& narrow) { return narrow = y; }
    static void store(double* l, double* r, __m128d v) {
        _mm_store_sd(l, v);
        _mm_storeh_pd(r, v);
    }
};

template <class Samples, class Sample>
void run(Published<ShelfDesign>& designs, ShelfPair<Sample>& pair, const Sample* inL,
         const Sample* inR, Sample* outL, Sample* outR, int frames) {
    dsp::PackedPeakSection low, high;
    low.setCoefficients(pair.low);
    high.setCoefficients(pair.high);
    low.loadState(pair.low);
    high.loadState(pair.high);
    for (int i = 0; i < frames; ++i) {
        if (const ShelfDesign* d = designs.takeNewest(pair.seen)) {
            static_cast<dsp::PeakCoefficients&>(pair.low) = d->low;
            static_cast<dsp::PeakCoefficients&>(pair.high) = d->high;
            low.setCoefficients(d->low);
            high.setCoefficients(d->high);
        }
        typename Samples::Narrow narrow;
        const __m128d x = Samples::load(inL + i, inR + i);
        const __m128d y = Samples::round(low.output(x), narrow);
        low.push(x, y);
        const __m128d z = Samples::round(high.output(y), narrow);
        high.push(y, z);
        Samples::store(outL + i, outR + i, narrow);
    }
    low.storeState(pair.low);
    high.storeState(pair.high);
    dsp::recoverAfterBlock(pair, outL, outR, frames);
}

}  // namespace

void processShelfPair(Published<ShelfDesign>& designs, ShelfPair<float>& pair, const float* inL,
                      const float* inR, float* outL, float* outR, int frames) {
    run<FloatSamples>(designs, pair, inL, inR, outL, outR, frames);
}

void processShelfPair(Published<ShelfDesign>& designs, ShelfPair<double>& pair,
                      const double* inL, const double* inR, double* outL, double* outR,
                      int frames) {
    run<DoubleSamples>(designs, pair, inL, inR, outL, outR, frames);
}

}  // namespace ilvane
