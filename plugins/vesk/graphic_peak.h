// The peaking design of the graphic equaliser's sixteen lower bands.
#pragma once

#include "dsp/band_section.h"

namespace vesk {

using dsp::BandCoefficients;

// Sets the coefficients for a peak of linear gain g at f Hz with a bandwidth
// of bw Hz at a rate of fs Hz (all 32-bit floats, every intermediate rounded
// to 32 bits); a section's history is left alone. A gain of exactly 1 gives
// the identity section, so a flat band adds no rounding noise. Any thread.
// The caller keeps f and bw low enough for a stable section (see designBand).
void designGraphicPeak(BandCoefficients& section, float f, float bw, float fs, float g);

}  // namespace vesk
