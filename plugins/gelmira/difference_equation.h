// The second-order recursion every Gelmira filter runs, and the prewarping
// its designs start from. Plain arithmetic: no host, no toolkit.
#pragma once

#include "dsp/anti_denormal.h"

namespace gelmira {

// Added to every output so that the memories never become denormal: the
// suite's offset, widened to 64 bits.
inline constexpr double kAntiDenormal64 = static_cast<double>(dsp::kAntiDenormal);

// One channel's step: y = (b0·x + b1·x1 + b2·x2 − a1·y1 − a2·y2) / a0 + offset,
// evaluated in 64-bit and stored as 32-bit; the memories move on by one.
// The order of the operations is the one the block kernel uses, so that both
// give the same bits.
inline float differenceEquation(float b0, float b1, float b2, float a0, float a1, float a2,
                                float x, float& x1, float& x2, float& y1, float& y2) {
    double sum = double(b0) * x;
    sum = sum + double(b1) * x1;
    sum = sum + double(b2) * x2;
    sum = sum - double(a1) * y1;
    sum = sum - double(a2) * y2;
    float y = static_cast<float>(sum / double(a0) + kAntiDenormal64);
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
}

// v limited to lo ... hi; a NaN gives lo.
inline float limit(float v, float lo, float hi) { return v >= lo ? (v <= hi ? v : hi) : lo; }

// The sample rate a design uses (Hz): the host's rate limited to 8 ... 384 kHz,
// 44100 Hz when it is not a number.
inline float designRate(float sampleRate) {
    return sampleRate == sampleRate ? limit(sampleRate, 8000.0f, 384000.0f) : 44100.0f;
}

// t = tan(π·frequency / sampleRate) as the designs round it: the quotient
// 2π·frequency / sampleRate and its half are 32-bit floats, so is t.
// frequency (Hz) is first limited to 1e-4 ... 0.49 of the rate, where every
// design stays stable in 32-bit coefficients; sampleRate is a designRate.
// Any thread.
float prewarp(float frequency, float sampleRate);

}  // namespace gelmira
