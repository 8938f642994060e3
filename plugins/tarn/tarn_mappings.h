// Normalised parameter value p (0..1, not clamped) to the units of Tarn's
// bands. Single precision throughout: the displays and the exact 0 dB at
// p = 0.5 depend on each rounding.
#pragma once

#include <cmath>

namespace tarn {

inline float lowFrequencyHz(float p) { return p * 780.0f + 20.0f; }
inline float midFrequencyHz(float p) { return p * 6300.0f + 700.0f; }
inline float highFrequencyHz(float p) { return p * 15000.0f + 5000.0f; }
inline float gainDb(float p) { return (2.0f * p - 1.0f) * 12.0f; }
// Linear gain factor, 0.2512 to 3.981 for p in 0..1; exactly 1 at p = 0.5.
inline float gainFactor(float p) {
    float exponent = (2.0f * p - 1.0f) * 12.0f / 20.0f;
    return static_cast<float>(std::pow(10.0, static_cast<double>(exponent)));
}
// The Q number shown to the user (0.1 to 10); the filter never uses it.
inline float qValue(float p) { return p * 9.9f + 0.1f; }

}  // namespace tarn
