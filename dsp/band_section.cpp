#include "band_section.h"

#include <algorithm>
#include <cmath>

namespace dsp {

namespace {
constexpr float kTwoPi = 6.2831855f;
constexpr float kInvSqrt2 = 0.70710677f;
constexpr float kRootSpread = 0.5f;
}  // namespace

void BandCoefficients::designBandPeak(float f, float bw, float fs, float g) {
    // The identity section at unity gain: the single-precision design would
    // leave a rounding residue there instead of passing the signal unchanged.
    if (g == 1.0f || !std::isfinite(f) || !std::isfinite(bw) || std::isnan(g) ||
        !std::isfinite(fs) || !(fs > 0.0f)) {
        *this = BandCoefficients{};
        return;
    }
    g = std::clamp(g, 0.0f, kMaxGain);
    bw = std::clamp(bw, kMinBandwidthRatio * fs, kMaxBandwidthRatio * fs);
    // A centre at 0 or at half the rate puts a pole on the unit circle; a
    // negative one is its mirror image.
    f = std::clamp(std::fabs(f), kMinCentreRatio * fs, kMaxBandwidthRatio * fs);

    // Every intermediate is rounded to a 32-bit float as it is stored.
    float w0 = kTwoPi * f / fs;
    float halfAngle = (kTwoPi * bw / fs) / 2.0f;
    float t = static_cast<float>(std::tan(static_cast<double>(halfAngle)));
    float spread = std::max(std::fabs(g * g - kRootSpread), kMinGainSpread);
    float root = static_cast<float>(std::sqrt(static_cast<double>(spread)));
    float k = std::clamp(t * kInvSqrt2 / root, kMinBandScale, kMaxBandScale);
    float cosW0 = static_cast<float>(std::cos(static_cast<double>(w0)));
    float norm = 1.0f + k;
    b0 = (1.0f + g * k) / norm;
    b1 = -2.0f * cosW0 / norm;
    b2 = (1.0f - g * k) / norm;
    a0 = 1.0f;
    a1 = b1;
    a2 = (1.0f - k) / norm;
}

}  // namespace dsp
