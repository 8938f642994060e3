#include "plugins/faroll/design_limits.h"

#include <cmath>

namespace faroll {
namespace {

constexpr float kFallbackRate = 44100.0f;
// Below 2e-4 of the rate the float shelf sections lose the resolution
// that keeps their poles inside the unit circle.
constexpr float kLowestRatio = 2e-4f, kHighestRatio = 0.49f;
constexpr float kDeepestShelfDb = -240.0f, kHighestShelfDb = 24.0f;

float limit(float v, float low, float high) {
    if (std::isnan(v)) return low;
    return v < low ? low : v > high ? high : v;
}

}  // namespace

float designRate(float sampleRate) {
    return std::isfinite(sampleRate) && sampleRate >= 1.0f ? sampleRate : kFallbackRate;
}

float designFrequency(float hz, float rate) {
    return limit(hz, kLowestRatio * rate, kHighestRatio * rate);
}

float designShelfGain(float db) {
    return std::isnan(db) ? 0.0f : limit(db, kDeepestShelfDb, kHighestShelfDb);
}

float designSectionGain(float db) {
    return std::isnan(db) ? 0.0f : limit(db, kDeepestShelfDb / 6.0f, kHighestShelfDb / 6.0f);
}

}  // namespace faroll
