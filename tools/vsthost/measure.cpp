#include "measure.h"

#include <algorithm>
#include <cmath>

namespace vsthost {

std::vector<double> responseFrequencies(const MeasureOptions& o) {
    double top = std::min(o.toHz, 0.48 * o.sampleRate);
    std::vector<double> hz;
    int first = static_cast<int>(std::ceil(o.pointsPerDecade * std::log10(o.fromHz) - 1e-9));
    int last = static_cast<int>(std::floor(o.pointsPerDecade * std::log10(top) + 1e-9));
    // The ends themselves, and grid points between them (not too close to an end).
    if (top < o.fromHz) return hz;
    hz.push_back(o.fromHz);
    for (int k = first; k <= last; ++k) {
        double f = std::pow(10.0, static_cast<double>(k) / o.pointsPerDecade);
        if (f > o.fromHz * 1.001 && f < top / 1.001) hz.push_back(f);
    }
    if (top > o.fromHz * 1.001) hz.push_back(top);
    return hz;
}

ResponsePoint measurePoint(Processor& processor, int block, double hz, const MeasureOptions& o) {
    const double rate = o.sampleRate;
    const double amplitude = std::pow(10.0, o.levelDb / 20.0);
    const int outputs = processor.outputs();
    const double period = rate / hz;
    // Settle for at least 0.15 s and 12 periods; measure 0.1 s and 12 periods.
    const auto settle = static_cast<std::int64_t>(std::max(0.15 * rate, 12 * period));
    const auto window = static_cast<std::int64_t>(std::max(0.1 * rate, 12 * period));
    const std::int64_t total = settle + window;
    const double w = 2.0 * M_PI * hz / rate;
    // The tone as the plug-in sees it: rounded to a 32-bit sample.
    auto tone = [&](std::int64_t t) {
        return static_cast<double>(static_cast<float>(amplitude * std::sin(w * static_cast<double>(t))));
    };
    std::complex<double> reference = 0.0;
    std::vector<std::complex<double>> measured(outputs, 0.0);
    for (std::int64_t at = 0; at < total; at += block) {
        const int n = static_cast<int>(std::min<std::int64_t>(block, total - at));
        for (int i = 0; i < n; ++i)
            for (int c = 0; c < processor.inputs(); ++c) processor.input(c)[i] = tone(at + i);
        processor.process(n);
        for (int i = 0; i < n; ++i) {
            const std::int64_t t = at + i - settle;
            if (t < 0) continue;
            // Hann-windowed correlation with the tone's own frequency: the
            // window keeps other frequencies (offsets, harmonics) out.
            const double hann = 0.5 - 0.5 * std::cos(2.0 * M_PI * (static_cast<double>(t) + 0.5) / window);
            const std::complex<double> probe = std::polar(hann, -w * static_cast<double>(at + i));
            reference += tone(at + i) * probe;
            for (int c = 0; c < outputs; ++c) measured[c] += processor.output(c)[i] * probe;
        }
    }
    ResponsePoint point{hz, {}};
    for (int c = 0; c < outputs; ++c) point.gain.push_back(measured[c] / reference);
    return point;
}

}  // namespace vsthost
