#include "cookbook_shelf.h"

#include <cmath>

namespace ilvane {

namespace {

// 2 pi and the square root of 2 as 32-bit floats, used in 64-bit arithmetic.
constexpr double kTwoPi = static_cast<double>(6.2831853071795864769f);
constexpr double kSqrt2 = static_cast<double>(1.4142135623730950488f);

struct ShelfTerms {
    double A;   // amplitude, 10^(gain / 40)
    double cw;  // cos(w0)
    double M;   // 2 sqrt(A) alpha
};

// volatile stores pin the two roundings to float: they must survive any
// optimisation that would keep the values in 64-bit registers.
ShelfTerms shelfTerms(float frequencyHz, float gainDb, float sampleRate) {
    volatile float exponent = static_cast<float>(double(gainDb) / 40.0);
    volatile float amplitude = static_cast<float>(std::pow(10.0, double(exponent)));
    const double A = amplitude;
    const double w0 = double(frequencyHz) * kTwoPi / double(sampleRate);
    const double alpha = std::sin(w0) * 0.5 * kSqrt2;
    return {A, std::cos(w0), 2.0 * std::sqrt(A) * alpha};
}

}  // namespace

void designCookbookLowShelf(dsp::PeakCoefficients& s, float frequencyHz, float gainDb,
                            float sampleRate) {
    const auto [A, cw, M] = shelfTerms(frequencyHz, gainDb, sampleRate);
    s.b0 = A * ((A + 1) - (A - 1) * cw + M);
    s.b1 = 2 * A * ((A - 1) - (A + 1) * cw);
    s.b2 = A * ((A + 1) - (A - 1) * cw - M);
    s.a0 = (A + 1) + (A - 1) * cw + M;
    s.a1 = -2 * ((A - 1) + (A + 1) * cw);
    s.a2 = (A + 1) + (A - 1) * cw - M;
}

void designCookbookHighShelf(dsp::PeakCoefficients& s, float frequencyHz, float gainDb,
                             float sampleRate) {
    const auto [A, cw, M] = shelfTerms(frequencyHz, gainDb, sampleRate);
    s.b0 = A * ((A + 1) + (A - 1) * cw + M);
    s.b1 = -2 * A * ((A - 1) + (A + 1) * cw);
    s.b2 = A * ((A + 1) + (A - 1) * cw - M);
    s.a0 = (A + 1) - (A - 1) * cw + M;
    s.a1 = 2 * ((A - 1) - (A + 1) * cw);
    s.a2 = (A + 1) - (A - 1) * cw - M;
}

}  // namespace ilvane
