#include "impulse.h"

#include <fftw3.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>

namespace vsthost {

ImpulseResponse recordImpulse(Processor& processor, int block, double amplitude, double sampleRate,
                              std::int64_t leadIn, double maxSeconds) {
    const int outputs = processor.outputs();
    ImpulseResponse response;
    response.sampleRate = sampleRate;
    response.outputs.assign(outputs, {});
    const auto limit = static_cast<std::int64_t>(maxSeconds * sampleRate);
    const auto quietWindow = static_cast<std::int64_t>(0.1 * sampleRate);
    std::vector<double> peak(outputs, 0.0);
    std::int64_t at = -leadIn;  // frame of the impulse is 0
    while (at < limit) {
        const int n = block;
        for (int c = 0; c < processor.inputs(); ++c) {
            double* in = processor.input(c);
            for (int i = 0; i < n; ++i) in[i] = at + i == 0 ? amplitude : 0.0;
        }
        processor.process(n);
        for (int c = 0; c < outputs; ++c)
            for (int i = 0; i < n; ++i) {
                if (at + i < 0) continue;
                double v = processor.output(c)[i] / amplitude;
                response.outputs[c].push_back(v);
                peak[c] = std::max(peak[c], std::fabs(v));
            }
        at += n;
        if (at < quietWindow) continue;
        bool quiet = true;
        for (int c = 0; c < outputs && quiet; ++c) {
            const auto& h = response.outputs[c];
            for (std::int64_t i = static_cast<std::int64_t>(h.size()) - quietWindow; i < static_cast<std::int64_t>(h.size()); ++i)
                if (!(std::fabs(h[i]) <= 1e-7 * peak[c])) {
                    quiet = false;
                    break;
                }
        }
        if (quiet) {
            response.decayed = true;
            break;
        }
    }
    return response;
}

bool isLinearAndSteady(const ImpulseResponse& a, const ImpulseResponse& b) {
    if (a.outputs.size() != b.outputs.size()) return false;
    for (size_t c = 0; c < a.outputs.size(); ++c) {
        const auto& x = a.outputs[c];
        const auto& y = b.outputs[c];
        double peak = 0.0;
        for (double v : x) peak = std::max(peak, std::fabs(v));
        const size_t n = std::max(x.size(), y.size());
        for (size_t i = 0; i < n; ++i) {
            double d = (i < x.size() ? x[i] : 0.0) - (i < y.size() ? y[i] : 0.0);
            if (!(std::fabs(d) <= 1e-4 * peak + 1e-12)) return false;
        }
    }
    return true;
}

std::vector<std::complex<double>> gainAt(const ImpulseResponse& response, double hz) {
    std::vector<std::complex<double>> gains;
    const double w = 2.0 * M_PI * hz / response.sampleRate;
    for (const auto& h : response.outputs) {
        // A rotating phasor, renewed from sin/cos every 1024 samples so its
        // rounding never drifts.
        std::complex<double> sum = 0.0, step = std::polar(1.0, -w), phasor = 1.0;
        for (size_t i = 0; i < h.size(); ++i) {
            if (i % 1024 == 0) phasor = std::polar(1.0, -w * static_cast<double>(i));
            sum += h[i] * phasor;
            phasor *= step;
        }
        gains.push_back(sum);
    }
    return gains;
}

namespace {

// FFTW's planner is not thread-safe; planning happens here only.
std::mutex& planLock() {
    static std::mutex m;
    return m;
}

struct FftwFree {
    void operator()(void* p) const { fftw_free(p); }
};

}  // namespace

std::vector<ResponsePoint> impulseSpectrum(const ImpulseResponse& response, const std::vector<double>& grid,
                                           double fromHz, double toHz, std::int64_t& fftSize) {
    const double rate = response.sampleRate;
    const size_t length = response.outputs.empty() ? 0 : response.outputs[0].size();
    // Four times the response's length (zero-padded), at least 2^16 points:
    // bins far closer than the narrowest resonance is wide.
    std::int64_t n = 1 << 16;
    while (n < 4 * static_cast<std::int64_t>(length) && n < (std::int64_t(1) << 23)) n *= 2;
    fftSize = n;
    const size_t outputs = response.outputs.size();
    const std::int64_t bins = n / 2 + 1;
    std::vector<std::vector<std::complex<double>>> spectrum(outputs);
    {
        std::unique_ptr<double, FftwFree> in(static_cast<double*>(fftw_malloc(sizeof(double) * n)));
        std::unique_ptr<fftw_complex, FftwFree> out(static_cast<fftw_complex*>(fftw_malloc(sizeof(fftw_complex) * bins)));
        fftw_plan plan;
        {
            std::lock_guard<std::mutex> lock(planLock());
            plan = fftw_plan_dft_r2c_1d(static_cast<int>(n), in.get(), out.get(), FFTW_ESTIMATE);
        }
        for (size_t c = 0; c < outputs; ++c) {
            const auto& h = response.outputs[c];
            std::fill(in.get(), in.get() + n, 0.0);
            std::copy(h.begin(), h.begin() + std::min<std::int64_t>(h.size(), n), in.get());
            fftw_execute(plan);
            spectrum[c].resize(bins);
            for (std::int64_t k = 0; k < bins; ++k) spectrum[c][k] = {out.get()[k][0], out.get()[k][1]};
        }
        std::lock_guard<std::mutex> lock(planLock());
        fftw_destroy_plan(plan);
    }

    // Thinning: about 2000 intervals a decade; within each, the bins of the
    // highest and the lowest gain (over all outputs), in frequency order.
    auto loudest = [&](std::int64_t k) {
        double m = 0.0;
        for (size_t c = 0; c < outputs; ++c) m = std::max(m, std::abs(spectrum[c][k]));
        return m;
    };
    auto quietest = [&](std::int64_t k) {
        double m = INFINITY;
        for (size_t c = 0; c < outputs; ++c) m = std::min(m, std::abs(spectrum[c][k]));
        return m;
    };
    const double binHz = rate / static_cast<double>(n);
    std::vector<ResponsePoint> points;
    const double perDecade = 2000.0;
    auto firstBin = static_cast<std::int64_t>(std::ceil(fromHz / binHz));
    auto lastBin = std::min<std::int64_t>(static_cast<std::int64_t>(std::floor(toHz / binHz)), bins - 1);
    for (std::int64_t k = firstBin; k <= lastBin;) {
        const double f = static_cast<double>(k) * binHz;
        const double end = f * std::pow(10.0, 1.0 / perDecade);
        std::int64_t until = std::max<std::int64_t>(k + 1, static_cast<std::int64_t>(std::ceil(end / binHz)));
        until = std::min(until, lastBin + 1);
        std::int64_t hi = k, lo = k;
        for (std::int64_t j = k; j < until; ++j) {
            if (loudest(j) > loudest(hi)) hi = j;
            if (quietest(j) < quietest(lo)) lo = j;
        }
        for (std::int64_t j : {std::min(hi, lo), std::max(hi, lo)}) {
            if (!points.empty() && points.back().hz == static_cast<double>(j) * binHz) continue;
            ResponsePoint p{static_cast<double>(j) * binHz, {}};
            for (size_t c = 0; c < outputs; ++c) p.gain.push_back(spectrum[c][j]);
            points.push_back(p);
        }
        k = until;
    }
    // The grid's frequencies at their exact values, merged in order.
    for (double hz : grid) {
        auto at = std::lower_bound(points.begin(), points.end(), hz,
                                   [](const ResponsePoint& p, double f) { return p.hz < f; });
        if (at != points.end() && at->hz == hz) continue;
        points.insert(at, ResponsePoint{hz, gainAt(response, hz)});
    }
    return points;
}

}  // namespace vsthost
