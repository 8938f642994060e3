#include "plugins/gelmira/cut_filter.h"

#include <cmath>

#include "plugins/gelmira/difference_equation.h"

namespace gelmira {

float prewarp(float frequency, float sampleRate) {
    const float twoPi = 6.2831855f;
    frequency = limit(frequency, sampleRate * 1e-4f, sampleRate * 0.49f);
    float quotient = static_cast<float>(double(twoPi) * frequency / sampleRate);
    float half = static_cast<float>(0.5 * quotient);
    return static_cast<float>(std::tan(double(half)));
}

void CutFilter::designLowPass(float frequency, float sampleRate) {
    sampleRate = designRate(sampleRate);
    float t = prewarp(frequency, sampleRate);
    float d = static_cast<float>((1.0 - t) / (1.0 + t));
    float g = static_cast<float>((1.0 - d) * 0.5);
    float h = static_cast<float>(double(g) + g + g + g);
    b0 = static_cast<float>(double(g) / h);
    b1 = static_cast<float>(2.0 * g / h);
    b2 = static_cast<float>(double(g) / h);
    float dd = powf(d, 2.0f);
    float l = static_cast<float>(1.0 - 2.0 * d + dd);
    a0 = static_cast<float>(1.0 / l);
    a1 = static_cast<float>(-2.0 * d / l);
    a2 = static_cast<float>(double(dd) / l);
}

void CutFilter::designHighPass(float frequency, float sampleRate) {
    sampleRate = designRate(sampleRate);
    float t = prewarp(frequency, sampleRate);
    float e = static_cast<float>(1.0 / (1.0 + t));
    float f = static_cast<float>((1.0 - t) / (1.0 + t));
    b0 = e;
    b1 = static_cast<float>(-2.0 * e);
    b2 = e;
    a0 = 1.0f;
    a1 = static_cast<float>(-2.0 * f);
    a2 = powf(f, 2.0f);
}

void CutFilter::process(float inL, float inR, float& outL, float& outR) {
    outL = differenceEquation(b0, b1, b2, a0, a1, a2, inL, x1L, x2L, y1L, y2L);
    outR = differenceEquation(b0, b1, b2, a0, a1, a2, inR, x1R, x2R, y1R, y2R);
}

}  // namespace gelmira
