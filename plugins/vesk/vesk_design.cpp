#include "plugins/vesk/vesk_design.h"

#include <algorithm>
#include <cmath>

#include "plugins/vesk/graphic_peak.h"

namespace vesk {

namespace {

// A centre at or above half the rate puts a pole on the unit circle; so does,
// once cos(w0) rounds to 1, a centre or bandwidth too small for the rate
// (the 20 Hz band above about 360 kHz).
constexpr float kMaxCentre = 0.45f;
constexpr float kMinRatio = 5.5e-5f;
// designGraphicPeak's a2 = 1 - 2h leaves the unit circle at h = 1; this
// fraction of the rate keeps h = 2 tan(pi bw / fs) at about 0.9.
constexpr float kMaxGraphicBandwidth = 0.1346f;

}  // namespace

float gainDb(float p) { return (2.0f * p - 1.0f) * 12.0f; }

float gainFactor(float p) { return std::pow(10.0f, (2.0f * p - 1.0f) * 12.0f / 20.0f); }

float snapToCentre(float p) { return (p >= 0.495f && p <= 0.505f) ? 0.5f : p; }

float limitedGain(float g) {
    if (!std::isfinite(g)) return 1.0f;
    return std::clamp(g, 0.001f, 1000.0f);
}

float limitedRate(float fs) {
    if (!std::isfinite(fs) || fs <= 0.0f) return 44100.0f;
    return std::clamp(fs, 1000.0f, 384000.0f);
}

BandCoefficients designBand(int band, float g, float fs) {
    if (band < 0 || band >= kBandCount) return {};
    const float f = std::clamp(kBandHz[band], kMinRatio * fs, kMaxCentre * fs);
    BandCoefficients c;
    if (band < kGraphicBandCount) {
        designGraphicPeak(c, f, std::clamp(kBandHz[band], kMinRatio * fs, kMaxGraphicBandwidth * fs),
                          fs, g);
    } else {
        c.designBandPeak(f, kBandHz[band], fs, g);  // limits its bandwidth below half the rate
    }
    return c;
}

}  // namespace vesk
