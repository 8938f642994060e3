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

std::vector<ResponsePoint> measureResponse(Processor& processor, int block, const MeasureOptions& o,
                                           const std::function<void(int, int)>& progress) {
    const double rate = o.sampleRate;
    const double amplitude = std::pow(10.0, o.levelDb / 20.0);
    std::vector<double> grid = responseFrequencies(o);
    std::vector<ResponsePoint> points;
    const int outputs = processor.outputs();
    for (size_t p = 0; p < grid.size(); ++p) {
        const double hz = grid[p];
        const double period = rate / hz;
        // Settle for at least 0.15 s and 12 periods; measure 0.1 s and 12 periods.
        const auto settle = static_cast<std::int64_t>(std::max(0.15 * rate, 12 * period));
        const auto window = static_cast<std::int64_t>(std::max(0.1 * rate, 12 * period));
        const std::int64_t total = settle + window;
        std::complex<double> reference = 0.0;
        std::vector<std::complex<double>> measured(outputs, 0.0);
        const double w = 2.0 * M_PI * hz / rate;
        for (std::int64_t at = 0; at < total; at += block) {
            const int n = static_cast<int>(std::min<std::int64_t>(block, total - at));
            for (int i = 0; i < n; ++i) {
                // The tone as the plug-in sees it: rounded to a 32-bit sample.
                double s = static_cast<float>(amplitude * std::sin(w * static_cast<double>(at + i)));
                for (int c = 0; c < processor.inputs(); ++c) processor.input(c)[i] = s;
            }
            processor.process(n);
            for (int i = 0; i < n; ++i) {
                std::int64_t t = at + i - settle;
                if (t < 0) continue;
                double hann = 0.5 - 0.5 * std::cos(2.0 * M_PI * (t + 0.5) / window);
                std::complex<double> probe = std::polar(hann, -w * static_cast<double>(at + i));
                double s = static_cast<float>(amplitude * std::sin(w * static_cast<double>(at + i)));
                reference += s * probe;
                for (int c = 0; c < outputs; ++c) measured[c] += processor.output(c)[i] * probe;
            }
        }
        ResponsePoint point{hz, {}};
        for (int c = 0; c < outputs; ++c) point.gain.push_back(measured[c] / reference);
        points.push_back(point);
        if (progress) progress(static_cast<int>(p + 1), static_cast<int>(grid.size()));
    }
    return points;
}

}  // namespace vsthost
