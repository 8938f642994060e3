// The suite's one rule for a filter that has run away.
//
// Non-finite input, or parameters jumping across their range faster than the
// filters settle, can leave memories that are not finite or far past any level
// audio reaches. At the end of every block, a chain whose memories are not all
// within kRunawayLevel (NaN and infinities included) has run away:
//   - it is cleared whole: every memory of every section returns to zero, the
//     coefficients stay, so the next block starts as a fresh instance with the
//     same settings would;
//   - every sample of that block past kRunawayLevel or not finite becomes 0,
//     so the host never receives one, nor one louder than the level.
// A block whose output held such a sample ends with memories past the level:
// the sample came from (or went into) a recursive section, whose memories keep
// it (0 times NaN or infinity is NaN). So a clean block costs no pass over its
// output. A chain with a stage after its last memory that can make a sample
// past the level from sane memories (an output gain above 1) checks its block
// with blockSane as well.
// A chain is anything with `bool memoriesSane() const` and `void clearMemories()`.
// Audio thread; never allocates, locks or waits.
#pragma once

#include <cmath>
#include <emmintrin.h>
#include <initializer_list>

namespace dsp {

// About +140 dB over full scale: no setting makes audio of this size.
inline constexpr double kRunawayLevel = 1e7;

// True when v is finite and within kRunawayLevel (false for NaN).
template <class T>
inline bool sane(T v) {
    return std::fabs(static_cast<double>(v)) <= kRunawayLevel;
}

// True when every value is sane.
template <class T>
inline bool allSane(std::initializer_list<T> values) {
    bool ok = true;
    for (T v : values) ok &= sane(v);
    return ok;
}

template <class T>
inline bool allSane(const T* values, int count) {
    bool ok = true;
    for (int i = 0; i < count; ++i) ok &= sane(values[i]);
    return ok;
}

// True when every sample is finite and within kRunawayLevel. A read-only
// pass: !(|v| <= level) is true exactly for the samples past it and for NaN.
inline bool blockSane(const float* samples, int n) {
    const __m128 level = _mm_set1_ps(static_cast<float>(kRunawayLevel));
    const __m128 sign = _mm_set1_ps(-0.0f);
    __m128 bad = _mm_setzero_ps();
    int i = 0;
    for (; i + 4 <= n; i += 4)
        bad = _mm_or_ps(bad, _mm_cmpnle_ps(_mm_andnot_ps(sign, _mm_loadu_ps(samples + i)), level));
    bool ok = _mm_movemask_ps(bad) == 0;
    for (; i < n; ++i) ok &= sane(samples[i]);
    return ok;
}

inline bool blockSane(const double* samples, int n) {
    const __m128d level = _mm_set1_pd(kRunawayLevel);
    const __m128d sign = _mm_set1_pd(-0.0);
    __m128d bad = _mm_setzero_pd();
    int i = 0;
    for (; i + 2 <= n; i += 2)
        bad = _mm_or_pd(bad, _mm_cmpnle_pd(_mm_andnot_pd(sign, _mm_loadu_pd(samples + i)), level));
    bool ok = _mm_movemask_pd(bad) == 0;
    for (; i < n; ++i) ok &= sane(samples[i]);
    return ok;
}

// Replaces every sample that is not sane (past kRunawayLevel or not finite) by 0.
template <class Sample>
inline void zeroInsane(Sample* samples, int n) {
    for (int i = 0; i < n; ++i)
        if (!sane(samples[i])) samples[i] = 0;
}

// Replaces every sample that is not finite by 0. v * 0 is 0 for a finite v
// and NaN otherwise, so the ordered-compare mask keeps exactly the finite ones.
inline void zeroNonFinite(float* samples, int n) {
    int i = 0;
    for (; i + 4 <= n; i += 4) {
        const __m128 v = _mm_loadu_ps(samples + i);
        const __m128 z = _mm_mul_ps(v, _mm_setzero_ps());
        _mm_storeu_ps(samples + i, _mm_and_ps(v, _mm_cmpord_ps(z, z)));
    }
    for (; i < n; ++i)
        if (!std::isfinite(samples[i])) samples[i] = 0.0f;
}

inline void zeroNonFinite(double* samples, int n) {
    int i = 0;
    for (; i + 2 <= n; i += 2) {
        const __m128d v = _mm_loadu_pd(samples + i);
        const __m128d z = _mm_mul_pd(v, _mm_setzero_pd());
        _mm_storeu_pd(samples + i, _mm_and_pd(v, _mm_cmpord_pd(z, z)));
    }
    for (; i < n; ++i)
        if (!std::isfinite(samples[i])) samples[i] = 0.0;
}

// The rule, for a chain and the block it has just written (n >= 0 samples a
// channel). Returns true when the chain was cleared.
template <class Chain, class Sample>
inline bool recoverAfterBlock(Chain& chain, Sample* outL, Sample* outR, int n) {
    if (chain.memoriesSane()) return false;
    chain.clearMemories();
    zeroInsane(outL, n);
    zeroInsane(outR, n);
    return true;
}

}  // namespace dsp
