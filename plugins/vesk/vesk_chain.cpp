#include "plugins/vesk/vesk_chain.h"

#include <algorithm>
#include <climits>
#include <cmath>

#include "dsp/recovery.h"

namespace vesk {

using dsp::kAntiDenormal;

namespace {

constexpr int kUnbounded = INT_MAX / 2;

__m128 blend(__m128 mask, __m128 chosen, __m128 other) {
    return _mm_or_ps(_mm_and_ps(mask, chosen), _mm_andnot_ps(mask, other));
}

}  // namespace

VeskChain::VeskChain() {
    for (int p = 0; p < kPairs; ++p) {
        x1[p] = x2[p] = y1[p] = y2[p] = _mm_setzero_ps();
        lane[p] = _mm_setr_epi32(2 * p, 2 * p, 2 * p + 1, 2 * p + 1);
    }
    load(VeskDesign());
}

void VeskChain::load(const VeskDesign& design) {
    for (int p = 0; p < kPairs; ++p) {
        const BandCoefficients& lo = design.band[2 * p];
        const BandCoefficients& hi = design.band[2 * p + 1];
        b0[p] = _mm_setr_ps(lo.b0, lo.b0, hi.b0, hi.b0);
        b1[p] = _mm_setr_ps(lo.b1, lo.b1, hi.b1, hi.b1);
        b2[p] = _mm_setr_ps(lo.b2, lo.b2, hi.b2, hi.b2);
        a1[p] = _mm_setr_ps(lo.a1, lo.a1, hi.a1, hi.a1);
        a2[p] = _mm_setr_ps(lo.a2, lo.a2, hi.a2, hi.a2);
    }
    inputGain = design.inputGain;
    outputGain = design.outputGain;
}

// Step index of the current run: section k works on the run's sample index - k.
// Masked steps (filling or draining) leave sections with no such sample alone;
// fed is the number of samples the run took (kUnbounded while it still takes).
// Returns the last pair's outputs: lanes 2 and 3 are the chain's left and right.
template <bool Masked>
__m128 VeskChain::step(__m128 input, int index, int fed) {
    const __m128 offset = _mm_set1_ps(kAntiDenormal);
    __m128i firstIdle, lastIdle;
    if constexpr (Masked) {
        firstIdle = _mm_set1_epi32(index + 1);
        lastIdle = _mm_set1_epi32(index - fed);
    }
    __m128 last = _mm_setzero_ps();
    // Downwards, so each pair reads the previous pair's outputs of the last step.
#pragma GCC unroll 9
    for (int p = kPairs - 1; p >= 0; --p) {
        const __m128 x = p > 0 ? _mm_shuffle_ps(y1[p - 1], y1[p], _MM_SHUFFLE(1, 0, 3, 2))
                               : _mm_shuffle_ps(input, y1[0], _MM_SHUFFLE(1, 0, 1, 0));
        __m128 y = _mm_mul_ps(b0[p], x);
        y = _mm_add_ps(y, _mm_mul_ps(b1[p], x1[p]));
        y = _mm_add_ps(y, _mm_mul_ps(b2[p], x2[p]));
        y = _mm_sub_ps(y, _mm_mul_ps(a1[p], y1[p]));
        y = _mm_sub_ps(y, _mm_mul_ps(a2[p], y2[p]));
        y = _mm_add_ps(y, offset);
        if constexpr (Masked) {
            const __m128 on = _mm_castsi128_ps(_mm_and_si128(_mm_cmpgt_epi32(firstIdle, lane[p]),
                                                             _mm_cmpgt_epi32(lane[p], lastIdle)));
            x2[p] = blend(on, x1[p], x2[p]);
            x1[p] = blend(on, x, x1[p]);
            y2[p] = blend(on, y1[p], y2[p]);
            y1[p] = blend(on, y, y1[p]);
        } else {
            x2[p] = x1[p];
            x1[p] = x;
            y2[p] = y1[p];
            y1[p] = y;
        }
        if (p == kPairs - 1) last = y;
    }
    return last;
}

template <bool Accumulate>
int VeskChain::runSegment(const float* inL, const float* inR, float* outL, float* outR,
                          int frames, Published<VeskDesign>& design) {
    const __m128 in = _mm_set1_ps(inputGain);
    const __m128 out = _mm_set1_ps(outputGain);
    auto emit = [&](int at, __m128 y) {
        __m128 v = _mm_mul_ps(_mm_movehl_ps(y, y), out);
        float l = _mm_cvtss_f32(v);
        float r = _mm_cvtss_f32(_mm_shuffle_ps(v, v, _MM_SHUFFLE(1, 1, 1, 1)));
        if constexpr (Accumulate) {
            outL[at] += l;
            outR[at] += r;
        } else {
            outL[at] = l;
            outR[at] = r;
        }
    };
    const VeskDesign* newer = nullptr;
    int j = 0;
    for (; j < frames; ++j) {
        if (j > 0 && (newer = design.takeNewest(seen))) break;
        const __m128 x = _mm_mul_ps(_mm_setr_ps(inL[j], inR[j], 0.0f, 0.0f), in);
        if (j < kDepth) {
            step<true>(x, j, kUnbounded);
        } else {
            emit(j - kDepth, step<false>(x, j, 0));
        }
    }
    const int fed = j;
    for (; j < fed + kDepth; ++j) {
        const __m128 y = step<true>(_mm_setzero_ps(), j, fed);
        if (j >= kDepth) emit(j - kDepth, y);
    }
    if (newer) load(*newer);
    return fed;
}

void VeskChain::process(const float* inL, const float* inR, float* outL, float* outR,
                        int frames, Published<VeskDesign>& design, bool accumulate) {
    if (const VeskDesign* newest = design.takeNewest(seen)) load(*newest);
    float largestOutputGain = outputGain;
    int done = 0;
    while (done < frames) {
        done += accumulate ? runSegment<true>(inL + done, inR + done, outL + done, outR + done,
                                              frames - done, design)
                           : runSegment<false>(inL + done, inR + done, outL + done, outR + done,
                                               frames - done, design);
        largestOutputGain = std::max(largestOutputGain, outputGain);
    }
    // The suite's rule: histories not sane clear the chain and rewrite the block.
    const int n = std::max(frames, 0);
    if (dsp::recoverAfterBlock(*this, outL, outR, n)) return;
    // Sane histories cannot tell of two kinds of sample past the level: one an
    // output gain above 1 made from a sane one, and, adding, one the host's
    // buffer held. A block that may hold one is read, and rewritten if it does.
    if ((accumulate || largestOutputGain > 1.0f) && !(dsp::blockSane(outL, n) && dsp::blockSane(outR, n))) {
        clearMemories();
        dsp::zeroInsane(outL, n);
        dsp::zeroInsane(outR, n);
    }
}

bool VeskChain::memoriesSane() const {
    const __m128 bound = _mm_set1_ps(static_cast<float>(dsp::kRunawayLevel));
    const __m128 sign = _mm_set1_ps(-0.0f);
    __m128 sane = _mm_castsi128_ps(_mm_set1_epi32(-1));
    for (int p = 0; p < kPairs; ++p) {
        for (const __m128 v : {x1[p], x2[p], y1[p], y2[p]}) {
            // |v| <= bound is false for NaN, so one ordered compare covers both.
            sane = _mm_and_ps(sane, _mm_cmple_ps(_mm_andnot_ps(sign, v), bound));
        }
    }
    return _mm_movemask_ps(sane) == 0xF;
}

void VeskChain::clearMemories() {
    for (int p = 0; p < kPairs; ++p) x1[p] = x2[p] = y1[p] = y2[p] = _mm_setzero_ps();
}

BandHistory VeskChain::history(int band) const {
    if (band < 0 || band >= kBandCount) return {};
    const int p = band / 2, at = 2 * (band % 2);
    alignas(16) float v[4][4];
    _mm_store_ps(v[0], x1[p]);
    _mm_store_ps(v[1], x2[p]);
    _mm_store_ps(v[2], y1[p]);
    _mm_store_ps(v[3], y2[p]);
    return {v[0][at], v[1][at], v[0][at + 1], v[1][at + 1],
            v[2][at], v[3][at], v[2][at + 1], v[3][at + 1]};
}

}  // namespace vesk
