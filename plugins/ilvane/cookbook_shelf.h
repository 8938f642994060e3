// Shelf designs after the Audio EQ Cookbook with slope 1, computed in 64-bit
// arithmetic from 32-bit arguments with the roundings the gain mapping and
// displays rely on. They write the six coefficients and leave any state alone.
#pragma once

#include "dsp/peak_section.h"

namespace ilvane {

// frequencyHz: shelf midpoint in Hz; gainDb: shelf gain in dB (+ boosts);
// sampleRate in Hz. The caller keeps frequencyHz below half the rate.
// Any thread: pure functions of their arguments.
void designCookbookLowShelf(dsp::PeakCoefficients& section, float frequencyHz, float gainDb,
                            float sampleRate);
void designCookbookHighShelf(dsp::PeakCoefficients& section, float frequencyHz, float gainDb,
                             float sampleRate);

}  // namespace ilvane
