// A stereo second-order section with 64-bit coefficients, divided by a0 at
// every sample, and state in the sample type (float or double). Plain data:
// it knows nothing of hosts or threads. Shared by the equalisers that need it.
#pragma once

#include "dsp/anti_denormal.h"
#include "dsp/recovery.h"

namespace dsp {

// The six coefficients as designed; a0 is kept, not normalised to 1.
// The default is the identity.
struct PeakCoefficients {
    double b0 = 1.0, b1 = 0.0, b2 = 0.0;
    double a0 = 1.0, a1 = 0.0, a2 = 0.0;
};

// Coefficients followed by the last two inputs and outputs of each channel.
template <class Sample>
struct PeakSection : PeakCoefficients {
    Sample x1L = 0, x2L = 0, x1R = 0, x2R = 0;
    Sample y1L = 0, y2L = 0, y1R = 0, y2R = 0;

    // Zeroes the memories, keeps the coefficients.
    void clearMemories() { x1L = x2L = x1R = x2R = y1L = y2L = y1R = y2R = 0; }
    // False when a memory is not finite or past kRunawayLevel.
    bool memoriesSane() const { return allSane({x1L, x2L, x1R, x2R, y1L, y2L, y1R, y2R}); }
};

template <class Sample>
struct StereoPair {
    Sample left;
    Sample right;
};

// One channel: y = (b0 x + b1 x1 + b2 x2 - a1 y1 - a2 y2) / a0 + offset in
// 64-bit arithmetic, left to right, rounded once to the sample type.
template <class Sample>
inline Sample processPeakChannel(const PeakCoefficients& c, Sample in, Sample& x1, Sample& x2,
                          Sample& y1, Sample& y2) {
    const double x = in;
    const double y = (c.b0 * x + c.b1 * double(x1) + c.b2 * double(x2) - c.a1 * double(y1) -
                      c.a2 * double(y2)) / c.a0 + double(kAntiDenormal);
    const Sample out = static_cast<Sample>(y);
    x2 = x1;
    x1 = in;
    y2 = y1;
    y1 = out;
    return out;
}

// Runs one stereo sample pair through the section (left first, then right;
// the channels never mix). Audio thread; the section's owner only.
template <class Sample>
inline StereoPair<Sample> processPeakSection(PeakSection<Sample>& s, Sample inL, Sample inR) {
    StereoPair<Sample> out;
    out.left = processPeakChannel<Sample>(s, inL, s.x1L, s.x2L, s.y1L, s.y2L);
    out.right = processPeakChannel<Sample>(s, inR, s.x1R, s.x2R, s.y1R, s.y2R);
    return out;
}

}  // namespace dsp
