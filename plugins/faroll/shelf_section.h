// One second-order shelf section for two channels: 32-bit coefficients, state
// in the sample type (float for the 32-bit chain, double for the 64-bit one).
// Plain data: it knows nothing of hosts or threads.
#pragma once

#include "dsp/peak_section.h"
#include "dsp/recovery.h"

namespace faroll {

using dsp::StereoPair;
using dsp::kAntiDenormal;

template <class Sample>
struct ShelfSection {
    float b0 = 1.0f, b1 = 0.0f, b2 = 0.0f;
    float a0 = 1.0f;  // always 1; never read by processing
    float a1 = 0.0f, a2 = 0.0f;
    Sample x1L = 0, x2L = 0;
    Sample x1R = 0, x2R = 0;
    Sample y1L = 0, y2L = 0;
    Sample y1R = 0, y2R = 0;

    // Zeroes the memories, keeps the coefficients.
    void clearMemories() { x1L = x2L = x1R = x2R = y1L = y2L = y1R = y2R = 0; }
    // False when a memory is not finite or past dsp::kRunawayLevel.
    bool memoriesSane() const { return dsp::allSane({x1L, x2L, x1R, x2R, y1L, y2L, y1R, y2R}); }
};

// One channel: y = b0 x + b1 x1 + b2 x2 - a1 y1 - a2 y2 + offset in double
// precision, stored once in the sample type. The memories' terms and the
// offset are summed first and the new input's term is added last, so that a
// cascade waits only for one product and one sum per section.
template <class Sample>
inline Sample processShelfChannel(const ShelfSection<Sample>& s, Sample in, Sample& x1,
                                  Sample& x2, Sample& y1, Sample& y2) {
    const double memories = double(s.b1) * double(x1) + double(s.b2) * double(x2) -
                            double(s.a1) * double(y1) - double(s.a2) * double(y2) +
                            kAntiDenormal;
    const double y = double(s.b0) * double(in) + memories;
    const Sample out = static_cast<Sample>(y);
    x2 = x1;
    x1 = in;
    y2 = y1;
    y1 = out;
    return out;
}

// Runs one stereo sample pair through the section; the channels never mix.
// Audio thread; the section's owner only.
template <class Sample>
inline StereoPair<Sample> processShelfSection(ShelfSection<Sample>& s, Sample inL, Sample inR) {
    StereoPair<Sample> out;
    out.left = processShelfChannel(s, inL, s.x1L, s.x2L, s.y1L, s.y2L);
    out.right = processShelfChannel(s, inR, s.x1R, s.x2R, s.y1R, s.y2R);
    return out;
}

}  // namespace faroll
