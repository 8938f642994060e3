// The suite's one rule for a filter that has run away.
//
// Non-finite input, or parameters jumping across their range faster than the
// filters settle, can leave memories that are not finite or far past any level
// audio reaches. At the end of every block:
//   - a chain whose memories are not all within kRunawayLevel (NaN and
//     infinities included) is cleared whole: every memory of every section
//     returns to zero, the coefficients stay, so the next block starts as a
//     fresh instance with the same settings would;
//   - every sample of that block that is not finite is replaced by 0, so the
//     host never receives one.
// A block whose output held a non-finite sample always ends with memories that
// are not finite: the sample came from (or went into) a recursive section, and
// its memories keep it (0 times NaN or infinity is NaN). So the outputs need
// scanning only when the memories say so, and a chain must run its signal
// through at least one such section.
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
    zeroNonFinite(outL, n);
    zeroNonFinite(outR, n);
    return true;
}

}  // namespace dsp
