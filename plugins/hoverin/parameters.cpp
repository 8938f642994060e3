#include "parameters.h"

#include <cmath>

namespace hoverin {

namespace {

const RateDivision kDivisions[kRateDivisions] = {
    {"1/32", 0.03125f}, {"1/16", 0.0625f}, {"1/8", 0.125f}, {"1/4", 0.25f}, {"1/2", 0.5f},
    {"1/1", 1.0f},      {"2/1", 2.0f},     {"4/1", 4.0f},   {"8/1", 8.0f},  {"16/1", 16.0f},
};

}  // namespace

const RateDivision* rateDivision(int index) {
    return index >= 0 && index < kRateDivisions ? &kDivisions[index] : nullptr;
}

float mappedValue(float value) {
    if (!(value >= 0.0f)) return 0.0f;  // also a NaN
    return value > 1.0f ? 1.0f : value;
}

float rateIndexFor(float x) { return std::floor(9.0f * x); }

float octavesFor(float x) { return std::trunc(5.0f * x + 1.0f); }

float frequencyHzFor(float x) { return 40.0f * std::pow(100.0f, x); }

float outGainDbFor(float x) {
    const float floor = 0.01f;
    return 48.0f * std::log10(x < floor ? floor : x);
}

}  // namespace hoverin
