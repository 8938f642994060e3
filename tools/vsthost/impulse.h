// Magnitude and phase response from the impulse response: one impulse through
// the plug-in, recorded until it has decayed (the narrowest resonance too),
// then transformed with FFTW at a size that resolves far finer than any
// resonance's width. Only valid for an effect that is linear and does not
// change over time; isLinearAndSteady checks that.
#pragma once

#include <complex>
#include <cstdint>
#include <vector>

#include "measure.h"
#include "processor.h"

namespace vsthost {

struct ImpulseResponse {
    std::vector<std::vector<double>> outputs;  // per output, per unit of input
    double sampleRate = 44100.0;
    bool decayed = false;  // false: cut off at the length limit
};

// Feeds leadIn frames of silence, then an impulse of amplitude on every
// input, and records until the last 0.1 s of every output lies 140 dB below
// its peak (or maxSeconds have passed).
ImpulseResponse recordImpulse(Processor& processor, int block, double amplitude, double sampleRate,
                              std::int64_t leadIn, double maxSeconds);

// True when two impulse responses (of fresh instances, taken at different
// levels and after different lead-ins) agree per unit of input to within
// 1e-4 of their peak: the effect is linear and does not change over time.
bool isLinearAndSteady(const ImpulseResponse& a, const ImpulseResponse& b);

// Complex gain at exactly hz (a direct transform of the whole response).
std::vector<std::complex<double>> gainAt(const ImpulseResponse& response, double hz);

// The response from fromHz to toHz: every frequency of grid at its exact
// value, and between them the FFT's bins (fftSize points), thinned to about
// 2000 a decade keeping the highest and the lowest bin of each interval so
// that every peak and notch keeps its true height.
std::vector<ResponsePoint> impulseSpectrum(const ImpulseResponse& response, const std::vector<double>& grid,
                                           double fromHz, double toHz, std::int64_t& fftSize);

}  // namespace vsthost
