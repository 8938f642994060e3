// The equaliser's bands, its gain mapping and the whole coefficient set that
// the parameter threads hand to the audio path.
#pragma once

#include "dsp/band_section.h"

namespace vesk {

using dsp::BandCoefficients;

constexpr int kBandCount = 18;
constexpr int kGraphicBandCount = 16;  // bands 0..15 graphic, 16 and 17 band peaks

// Centre frequency of each band in Hz, ascending; each band's bandwidth equals it.
constexpr float kBandHz[kBandCount] = {20,  31,  63,   90,   125,  160,  200,  250,  375,
                                       500, 750, 1000, 1500, 2000, 3000, 4000, 8000, 16000};

// Gain of a normalised value p: (2p - 1) * 12 dB, -12..+12 dB for 0..1.
float gainDb(float p);
// The same gain as a linear factor, 10^((2p - 1) * 12 / 20): 0.2512..3.981 for 0..1.
float gainFactor(float p);
// 0.5 for 0.495 <= p <= 0.505 (bounds inclusive), otherwise p.
float snapToCentre(float p);

// The factor that reaches the audio path: 1 for a non-finite factor, otherwise
// limited to 0.001..1000 (+-60 dB), where every band stays stable and signals finite.
float limitedGain(float g);
// The rate the designs use: 44100 Hz for a non-finite or non-positive rate,
// otherwise the rate limited to 1000..384000 Hz.
float limitedRate(float fs);

// Everything the audio path needs; the defaults are flat (identity, unity gains).
struct VeskDesign {
    BandCoefficients band[kBandCount];
    float inputGain = 1.0f;
    float outputGain = 1.0f;
};

// The coefficients of band (0..17) at linear gain g (finite, see limitedGain)
// and rate fs Hz (see limitedRate). Centres are kept within 0.000055 fs to
// 0.45 fs and a graphic band's bandwidth below 0.1346 fs, where every section
// stays stable; the limits bind only below about 36 kHz and above 360 kHz.
// Any thread.
BandCoefficients designBand(int band, float g, float fs);

}  // namespace vesk
