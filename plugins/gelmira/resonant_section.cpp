#include "plugins/gelmira/resonant_section.h"

#include <cmath>

#include "plugins/gelmira/difference_equation.h"

namespace gelmira {

void ResonantSection::design(float frequency, float width, float gain, float sampleRate) {
    // Widths and gains outside the ranges the effect offers could move the
    // poles onto the unit circle or overflow the output: keep them inside.
    sampleRate = designRate(sampleRate);
    width = limit(width, 100.0f, 300.0f);
    gain = limit(gain, 0.0f, 6.0f);
    // A harmonic that lies beyond what the rate can carry is left alone
    // (flat), rather than piled onto the highest frequency a design allows.
    if (!(frequency < sampleRate * 0.49f)) gain = 1.0f;
    float k = prewarp(frequency, sampleRate);
    float f = powf(k, 2.0f);
    float g = static_cast<float>(double(sampleRate) / width);
    float h = static_cast<float>(double(k) * gain / g);
    float e = static_cast<float>(double(k) / g);
    b0 = static_cast<float>(double(h) + 1.0 + f);
    b1 = static_cast<float>(2.0 * (double(f) - 1.0));
    b2 = static_cast<float>(double(f) + (1.0 - h));
    a0 = static_cast<float>(double(e) + 1.0 + f);
    a1 = static_cast<float>(2.0 * (double(f) - 1.0));
    a2 = static_cast<float>(double(f) + (1.0 - e));
}

void ResonantSection::process(float inL, float inR, float& outL, float& outR) {
    outL = differenceEquation(b0, b1, b2, a0, a1, a2, inL, x1L, x2L, y1L, y2L);
    outR = differenceEquation(b0, b1, b2, a0, a1, a2, inR, x1R, x2R, y1R, y2R);
}

}  // namespace gelmira
