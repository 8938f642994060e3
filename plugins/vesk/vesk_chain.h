// The equaliser's audio path: input gain, the eighteen sections in ascending
// order, output gain. Each section computes, per channel,
//   y = b0 x + b1 x1 + b2 x2 - a1 y1 - a2 y2 + 1e-24
// in 32-bit floats in exactly that order, so the result is bit for bit that of
// eighteen BandSections run one after the other.
//
// To keep eighteen dependent sections busy, the sections run as a wave: at each
// step section k filters the sample that entered k steps earlier, left and right
// together, two sections to a vector. The wave fills at the start of a run and
// drains at its end, so no latency is added.
#pragma once

#include <emmintrin.h>

#include "realtime/published.h"
#include "vesk_design.h"

namespace vesk {

// One band's history, as a BandSection holds it.
struct BandHistory {
    float x1L, x2L, x1R, x2R, y1L, y2L, y1R, y2R;
};

class VeskChain {
public:
    VeskChain();  // every history zero

    // Audio thread. Runs frames (>= 0) sample pairs from inL/inR to outL/outR
    // (outputs may be the inputs); replaces the outputs, or adds to them when
    // accumulate is set. Takes the newest design before every sample, so a set
    // published meanwhile applies from the next sample on. A history left
    // non-finite by the block (non-finite or huge input) is cleared.
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                 Published<VeskDesign>& design, bool accumulate);

    // The history of band 0..17 (audio thread, or while no audio runs).
    BandHistory history(int band) const;

private:
    static constexpr int kPairs = kBandCount / 2;
    static constexpr int kDepth = kBandCount - 1;  // steps from entering to leaving

    void load(const VeskDesign& design);
    int runSegment(const float* inL, const float* inR, float* outL, float* outR, int frames,
                   Published<VeskDesign>& design, bool accumulate);
    template <bool Masked>
    __m128 step(__m128 input, int index, int fed);
    void clearNonFinite();

    // Lanes of pair p: left and right of section 2p, then of section 2p + 1.
    __m128 b0[kPairs], b1[kPairs], b2[kPairs], a1[kPairs], a2[kPairs];
    __m128 x1[kPairs], x2[kPairs], y1[kPairs], y2[kPairs];
    __m128i lane[kPairs];  // section number of each lane
    float inputGain = 1.0f;
    float outputGain = 1.0f;
    unsigned long loadedGeneration = ~0ul;  // design.generation() when last loaded
};

}  // namespace vesk
