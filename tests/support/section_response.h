// Responses and checks of second-order sections, evaluated from their
// coefficients as stored: the reference the filter tests compare against.
#pragma once

#include <cmath>
#include <complex>

#include "dsp/band_section.h"

namespace response {

// |H| in dB of one biquad (b0..a2) at frequency hz for sample rate rate.
inline double biquadDb(double b0, double b1, double b2, double a0, double a1, double a2,
                       double hz, double rate) {
    std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * hz / rate), z2 = z1 * z1;
    std::complex<double> h = (b0 + b1 * z1 + b2 * z2) / (a0 + a1 * z1 + a2 * z2);
    return 20.0 * std::log10(std::abs(h));
}

// The summed response in dB of a cascade whose sections are in c.sections.
template <class Cascade>
double cascadeDb(const Cascade& c, double hz, double rate) {
    double db = 0;
    for (const auto& s : c.sections) db += biquadDb(s.b0, s.b1, s.b2, s.a0, s.a1, s.a2, hz, rate);
    return db;
}

// |H| at hz of a single-precision section (a0 is 1 and not used).
inline double magnitude(const dsp::BandCoefficients& c, double hz, double fs) {
    const std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * hz / fs);
    const std::complex<double> z2 = z1 * z1;
    return std::abs((double(c.b0) + double(c.b1) * z1 + double(c.b2) * z2) /
                    (1.0 + double(c.a1) * z1 + double(c.a2) * z2));
}

// True when both poles of 1 + a1/z + a2/z^2 lie strictly inside the unit circle.
inline bool stable(double a0, double a1, double a2) {
    a1 /= a0;
    a2 /= a0;
    return std::isfinite(a1) && std::isfinite(a2) && std::fabs(a2) < 1.0 &&
           std::fabs(a1) < 1.0 + a2;
}

// The stability triangle in the section's own single precision.
inline bool stable(const dsp::BandCoefficients& c) {
    return std::fabs(c.a2) < 1.0f && std::fabs(c.a1) < 1.0f + c.a2;
}

inline bool finite(const dsp::BandCoefficients& c) {
    for (float v : {c.b0, c.b1, c.b2, c.a0, c.a1, c.a2})
        if (!std::isfinite(v)) return false;
    return true;
}

}  // namespace response
