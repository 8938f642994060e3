// The steep shelves: a tenth-order Butterworth shelving filter factored into
// five second-order sections, run after an identity section.
#pragma once

#include "plugins/faroll/shelf_section.h"

namespace faroll {

template <class Sample>
struct ShelfCascade {
    // Section 0 is always the identity; 1 to 5 hold the five factors.
    ShelfSection<Sample> sections[6];
};

// Coefficients of one factor, each rounded to float.
struct ShelfFactor {
    float b0, b1, b2, a1, a2;
};

// The five factors of a low shelf with its edge at frequencyHz (Hz): gainDb
// (dB) well below the edge, 0 dB well above it, three quarters of gainDb at
// the edge. sampleRate in Hz. A gain of exactly 0 dB is designed against a
// reference of -0.002 dB. Finite for every gain whose design is finite in
// double precision, including gains a millionth of a dB from 0. Any thread.
void designShelfFactors(ShelfFactor factors[5], float frequencyHz, float gainDb,
                        float sampleRate);

template <class Sample>
inline void setShelfFactors(ShelfCascade<Sample>& cascade, const ShelfFactor factors[5],
                            bool mirrored) {
    ShelfSection<Sample>& identity = cascade.sections[0];
    identity.b0 = 1.0f;
    identity.b1 = identity.b2 = identity.a1 = identity.a2 = 0.0f;
    identity.a0 = 1.0f;
    const float sign = mirrored ? -1.0f : 1.0f;
    for (int k = 0; k < 5; ++k) {
        ShelfSection<Sample>& s = cascade.sections[k + 1];
        s.b0 = factors[k].b0;
        s.b1 = sign * factors[k].b1;
        s.b2 = factors[k].b2;
        s.a0 = 1.0f;
        s.a1 = sign * factors[k].a1;
        s.a2 = factors[k].a2;
    }
}

// Designs the cascade as a low shelf (see designShelfFactors). The memories
// are left alone. Any thread, on a cascade the audio thread is not running.
template <class Sample>
void designLowShelf(ShelfCascade<Sample>& cascade, float frequencyHz, float gainDb,
                    float sampleRate) {
    ShelfFactor factors[5];
    designShelfFactors(factors, frequencyHz, gainDb, sampleRate);
    setShelfFactors(cascade, factors, false);
}

// Designs the cascade as a high shelf: the low shelf at mirroredHz with z
// replaced by -z, so its edge lies at sampleRate / 2 - mirroredHz, gainDb well
// above the edge and 0 dB well below it. The memories are left alone.
template <class Sample>
void designHighShelf(ShelfCascade<Sample>& cascade, float mirroredHz, float gainDb,
                     float sampleRate) {
    ShelfFactor factors[5];
    designShelfFactors(factors, mirroredHz, gainDb, sampleRate);
    setShelfFactors(cascade, factors, true);
}

}  // namespace faroll
