#include "phaser_channel.h"

#include <cmath>

namespace hoverin {

namespace {

constexpr double kPi = 3.141592653589793;

// v limited to [low, high]; a NaN becomes fallback.
float limited(float v, float low, float high, float fallback) {
    if (std::isnan(v)) return fallback;
    return v < low ? low : (v > high ? high : v);
}

}  // namespace

void PhaserChannel::configure(float newFeedback, float newRate, float newOctaves,
                              float newFrequency, float newSampleRate) {
    // The loop gain stays below 1 in magnitude, so the loop cannot run away.
    if (std::isnan(newFeedback))
        newFeedback = 0.0f;
    else if (newFeedback >= 1.0f)
        newFeedback = 0.975f;
    else if (newFeedback <= -1.0f)
        newFeedback = -0.975f;
    // A rate the host could not mean falls back to the default; below 1 kHz
    // the growth factor of the fastest sweep would no longer stay finite.
    if (!std::isfinite(newSampleRate) || newSampleRate <= 0.0f)
        newSampleRate = 44100.0f;
    else if (newSampleRate < 1000.0f)
        newSampleRate = 1000.0f;
    newRate = limited(newRate, 0.03125f, 16.0f, 0.03125f);
    newOctaves = limited(std::trunc(newOctaves), 1.0f, 6.0f, 1.0f);
    newFrequency = limited(newFrequency, 40.0f, 4000.0f, 40.0f);
    // The lowest break frequency stays below half the sample rate.
    const float nyquist = 0.5f * newSampleRate;
    if (newFrequency >= nyquist) newFrequency = std::nextafter(nyquist, 0.0f);

    feedback = newFeedback;
    rate = newRate;
    octaves = newOctaves;
    frequency = newFrequency;
    sampleRate = newSampleRate;
}

void PhaserChannel::restartSweep() {
    // Each rounding to 32 bits below is part of the design: the bounds and
    // the timing of the sweep depend on them.
    const double fs = sampleRate;
    const double a = static_cast<double>(frequency) * kPi;
    sweepMin = static_cast<float>(a / fs);
    const float q = static_cast<float>(std::pow(2.0, static_cast<double>(octaves)));
    sweepMax = static_cast<float>(a * static_cast<double>(q) / fs);
    const float e = static_cast<float>(2.0 * static_cast<double>(rate) / fs);
    sweepFactor = static_cast<float>(std::pow(static_cast<double>(q), static_cast<double>(e)));
    sweepStep = sweepFactor;
    sweep = sweepMin;
}

bool PhaserChannel::stagesFinite() const {
    for (int k = 0; k < 4; ++k)
        if (!std::isfinite(stageIn[k]) || !std::isfinite(stageOut[k])) return false;
    return true;
}

void PhaserChannel::clearStages() {
    for (int k = 0; k < 4; ++k) stageIn[k] = stageOut[k] = 0.0;
}

}  // namespace hoverin
