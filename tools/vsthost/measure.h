// Magnitude and phase response of a plug-in, measured with steady sines: each
// frequency plays long enough to settle, then a Hann-windowed correlation
// against the input tone gives the complex gain on every output.
#pragma once

#include <algorithm>
#include <cmath>
#include <complex>
#include <vector>

#include "processor.h"

namespace vsthost {

struct MeasureOptions {
    double sampleRate = 44100.0;  // Hz
    double fromHz = 20.0;
    double toHz = 20000.0;        // limited to 0.48 of the sample rate
    int pointsPerDecade = 30;     // on a grid through 1, 10, 100, 1000 ... Hz
    double levelDb = -20.0;       // tone amplitude, dB below full scale
};

struct ResponsePoint {
    double hz;
    std::vector<std::complex<double>> gain;  // per output: output tone / input tone
};

// The grid of frequencies measured (Hz, ascending).
std::vector<double> responseFrequencies(const MeasureOptions& options);

// Plays a tone of hz through the processor (block frames at a time) until it
// has settled, then measures the complex gain on every output.
ResponsePoint measurePoint(Processor& processor, int block, double hz, const MeasureOptions& options);

inline double gainDb(std::complex<double> g) { return 20.0 * std::log10(std::max(std::abs(g), 1e-15)); }

}  // namespace vsthost
