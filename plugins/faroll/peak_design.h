// The mid band's peaking sections: the cookbook peak with Q = 1/sqrt(2).
#pragma once

#include "dsp/peak_section.h"

namespace faroll {

using dsp::PeakCoefficients;
using dsp::PeakSection;

// Gain gainDb (dB) at frequencyHz (Hz), 0 dB far from it; sampleRate in Hz.
// The 64-bit coefficients, a0 not normalised. Any thread.
PeakCoefficients peakCoefficients(float frequencyHz, float gainDb, float sampleRate);

// Designs one peaking section; its memories are left alone.
template <class Sample>
void designPeak(PeakSection<Sample>& section, float frequencyHz, float gainDb,
                float sampleRate) {
    static_cast<PeakCoefficients&>(section) = peakCoefficients(frequencyHz, gainDb, sampleRate);
}

}  // namespace faroll
