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

#include "plugins/vesk/vesk_design.h"
#include "realtime/published.h"

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
    // published meanwhile applies from the next sample on. Ends with the
    // suite's recovery rule (dsp/recovery.h): a history left out of bounds by
    // the block is cleared whole, and no non-finite sample reaches the outputs.
    void process(const float* inL, const float* inR, float* outL, float* outR, int frames,
                 Published<VeskDesign>& design, bool accumulate);

    // The history of band 0..17 (audio thread, or while no audio runs).
    BandHistory history(int band) const;

    // For the recovery rule: true when every history value is finite and
    // within dsp::kRunawayLevel; clearing zeroes every history, the design stays.
    bool memoriesSane() const;
    void clearMemories();

private:
    static constexpr int kPairs = kBandCount / 2;
    static constexpr int kDepth = kBandCount - 1;  // steps from entering to leaving

    void load(const VeskDesign& design);
    // Runs from the start of the block or of a new design until the block ends
    // or a newer design arrives (loaded once the wave has drained); returns
    // the number of frames taken.
    template <bool Accumulate>
    int runSegment(const float* inL, const float* inR, float* outL, float* outR, int frames,
                   Published<VeskDesign>& design);
    template <bool Masked>
    __m128 step(__m128 input, int index, int fed);

    // Lanes of pair p: left and right of section 2p, then of section 2p + 1.
    __m128 b0[kPairs], b1[kPairs], b2[kPairs], a1[kPairs], a2[kPairs];
    __m128 x1[kPairs], x2[kPairs], y1[kPairs], y2[kPairs];
    __m128i lane[kPairs];  // section number of each lane
    float inputGain = 1.0f;
    float outputGain = 1.0f;
    unsigned long seen = Published<VeskDesign>::kNothingSeen;  // the design last taken
};

}  // namespace vesk
