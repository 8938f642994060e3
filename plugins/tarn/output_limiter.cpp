#include "plugins/tarn/output_limiter.h"

#include <cmath>

namespace tarn {

OutputLimiter::OutputLimiter() {
    for (int i = 0; i < kTableSize; ++i) {
        float x = static_cast<float>(i) * (1.0f / kTableScale);
        gainTable[i] = x < 1.0f ? 1.0f : 1.0f / x;
    }
    setReleaseTime(75.0f, 44100.0f);
}

void OutputLimiter::setReleaseTime(float ms, float fs) {
    double samples = static_cast<double>(ms) * static_cast<double>(fs) / 1000.0;
    // At least one sample and at most a day at 192 kHz, so that 0 < release < 1.
    if (!(samples >= 1.0)) samples = 1.0;
    if (samples > 1.6e10) samples = 1.6e10;
    release = 1.0 - std::pow(0.001, 1.0 / samples);
}

void OutputLimiter::resetGains() {
    gainLeft = 1.0f;
    gainRight = 1.0f;
}

}  // namespace tarn
