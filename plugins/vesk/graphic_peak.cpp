#include "graphic_peak.h"

#include <cmath>

namespace vesk {

namespace {

constexpr float kTwoPi = 6.2831855f;

float tan32(float x) { return static_cast<float>(std::tan(static_cast<double>(x))); }

}  // namespace

void designGraphicPeak(BandCoefficients& section, float f, float bw, float fs, float g) {
    if (g == 1.0f) {
        section = BandCoefficients{};
        return;
    }
    // Every intermediate is rounded to a 32-bit float as it is stored.
    const float w0 = kTwoPi * f / fs;
    const float wb = kTwoPi * bw / fs;
    const float h = 2.0f * tan32(wb / 2.0f);
    const float t = tan32(w0 / 2.0f);
    const float cw = (1.0f - t * t) / (1.0f + t * t);  // cos(w0)
    section.b0 = (g - 1.0f) * h + 1.0f;
    section.b1 = 2.0f * cw * (h - 1.0f);
    section.b2 = 1.0f - h * (1.0f + g);
    section.a0 = 1.0f;
    section.a1 = section.b1;
    section.a2 = 1.0f - 2.0f * h;
}

}  // namespace vesk
