// The mid band's peaking sections: the cookbook peak with Q = 1/sqrt(2).
#pragma once

namespace faroll {

// The six 64-bit coefficients of one peaking section (a0 not normalised).
struct PeakCoefficients {
    double b0, b1, b2, a0, a1, a2;
};

// Gain gainDb (dB) at frequencyHz (Hz), 0 dB far from it; sampleRate in Hz.
// Any thread.
PeakCoefficients peakCoefficients(float frequencyHz, float gainDb, float sampleRate);

// Designs one peaking section (any section type with the six coefficient
// fields b0 to a2); its memories are left alone.
template <class Section>
void designPeak(Section& section, float frequencyHz, float gainDb, float sampleRate) {
    const PeakCoefficients c = peakCoefficients(frequencyHz, gainDb, sampleRate);
    section.b0 = c.b0;
    section.b1 = c.b1;
    section.b2 = c.b2;
    section.a0 = c.a0;
    section.a1 = c.a1;
    section.a2 = c.a2;
}

}  // namespace faroll
