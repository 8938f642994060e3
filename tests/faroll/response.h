// Magnitude responses of designed sections, evaluated from their coefficients.
#pragma once

#include <cmath>
#include <complex>

namespace farolltest {

// |H| in dB of one biquad (b0..a2) at frequency hz for sample rate rate.
inline double biquadDb(double b0, double b1, double b2, double a0, double a1, double a2,
                       double hz, double rate) {
    std::complex<double> z1 = std::polar(1.0, -2.0 * M_PI * hz / rate), z2 = z1 * z1;
    std::complex<double> h = (b0 + b1 * z1 + b2 * z2) / (a0 + a1 * z1 + a2 * z2);
    return 20.0 * std::log10(std::abs(h));
}

template <class Cascade>
double cascadeDb(const Cascade& c, double hz, double rate) {
    double db = 0;
    for (const auto& s : c.sections) db += biquadDb(s.b0, s.b1, s.b2, s.a0, s.a1, s.a2, hz, rate);
    return db;
}

// True when both poles of 1 + a1/z + a2/z^2 lie strictly inside the unit circle.
inline bool stable(double a0, double a1, double a2) {
    a1 /= a0;
    a2 /= a0;
    return std::isfinite(a1) && std::isfinite(a2) && std::fabs(a2) < 1.0 &&
           std::fabs(a1) < 1.0 + a2;
}

}  // namespace farolltest
