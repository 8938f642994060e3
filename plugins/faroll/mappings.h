// Normalised parameter values (0 to 1) to the units of the band designs.
// Constants are 32-bit floats used as doubles; the results are rounded to
// float where the displays and exact values (0 dB at 0.5) depend on it.
// Values outside 0 to 1 are mapped by the same curves. Any thread.
#pragma once

namespace faroll {

// Shelf gain in dB: 6.4 - 102.4 * 256^-x (-96 dB at 0, 0 dB at 0.5, +6 dB at 1).
float gainDbFromNormalized(float x);

// The mid band's gains in dB: each of its six sections carries sectionDb, and
// totalDb (six times that, as displayed) equals gainDbFromNormalized(x).
struct MidGains {
    float sectionDb;
    float totalDb;
};
MidGains midSectionGainDb(float x);

// Low shelf edge in Hz: 70 Hz at 0, 250 Hz at 0.5, 500 Hz at 1.
float lowFreqFromNormalized(float x);
// Mid centre in Hz: 500 * 4^x.
float midFreqFromNormalized(float x);
// High shelf edge in Hz: 2000 Hz at 0, 3000 Hz at 0.5, 15000 Hz at 1.
float highFreqFromNormalized(float x);
// The frequency handed to designHighShelf for an edge at highFreqHz (Hz).
float highDesignFrequency(float sampleRate, float highFreqHz);

}  // namespace faroll
