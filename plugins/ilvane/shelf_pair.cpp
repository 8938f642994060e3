#include "shelf_pair.h"

#include "peak_section_sse2.h"

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
void run(Published<ShelfDesign>& designs, PeakSection<Sample>& lowSection,
         PeakSection<Sample>& highSection, unsigned& applied, const Sample* inL,
         const Sample* inR, Sample* outL, Sample* outR, int frames) {
    PackedPeakSection low, high;
    low.setCoefficients(lowSection);
    high.setCoefficients(highSection);
    low.loadState(lowSection);
    high.loadState(highSection);
    for (int i = 0; i < frames; ++i) {
        const ShelfDesign& d = designs.current();
        if (d.serial != applied) {
            static_cast<PeakCoefficients&>(lowSection) = d.low;
            static_cast<PeakCoefficients&>(highSection) = d.high;
            applied = d.serial;
            low.setCoefficients(d.low);
            high.setCoefficients(d.high);
        }
        typename Samples::Narrow narrow;
        const __m128d x = Samples::load(inL + i, inR + i);
        const __m128d y = Samples::round(low.output(x), narrow);
        low.push(x, y);
        const __m128d z = Samples::round(high.output(y), narrow);
        high.push(y, z);
        Samples::store(outL + i, outR + i, narrow);
    }
    low.storeState(lowSection);
    high.storeState(highSection);
    if (!lowSection.stateIsFinite() || !highSection.stateIsFinite()) {
        lowSection.clearState();
        highSection.clearState();
    }
}

}  // namespace

void processShelfPair(Published<ShelfDesign>& designs, PeakSection<float>& low,
                      PeakSection<float>& high, unsigned& applied, const float* inL,
                      const float* inR, float* outL, float* outR, int frames) {
    run<FloatSamples>(designs, low, high, applied, inL, inR, outL, outR, frames);
}

void processShelfPair(Published<ShelfDesign>& designs, PeakSection<double>& low,
                      PeakSection<double>& high, unsigned& applied, const double* inL,
                      const double* inR, double* outL, double* outR, int frames) {
    run<DoubleSamples>(designs, low, high, applied, inL, inR, outL, outR, frames);
}
