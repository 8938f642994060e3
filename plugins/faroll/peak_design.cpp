#include "plugins/faroll/peak_design.h"

#include <cmath>

namespace faroll {
namespace {
constexpr double kTwoPi = static_cast<double>(6.283185307179586f);
constexpr double kSqrt2 = static_cast<double>(1.41421356237309505f);
}  // namespace

PeakCoefficients peakCoefficients(float frequencyHz, float gainDb, float sampleRate) {
    const double A = static_cast<float>(std::pow(10.0, static_cast<float>(gainDb / 40.0)));
    const double w = kTwoPi * frequencyHz / sampleRate;
    const double alpha = std::sin(w) * 0.5 * kSqrt2;
    const double c = -2.0 * std::cos(w);
    PeakCoefficients k;
    k.b0 = 1.0 + alpha * A;
    k.b1 = c;
    k.b2 = 1.0 - alpha * A;
    k.a0 = 1.0 + alpha / A;
    k.a1 = c;
    k.a2 = 1.0 - alpha / A;
    return k;
}

}  // namespace faroll
