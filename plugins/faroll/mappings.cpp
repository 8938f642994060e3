#include "plugins/faroll/mappings.h"

#include <cmath>

namespace faroll {
namespace {

inline float single(double v) { return static_cast<float>(v); }

// 256^-x, rounded to float.
float gainCurve(float x) { return single(std::exp(single(x * double(-5.545177459716797f)))); }

}  // namespace

float gainDbFromNormalized(float x) {
    return single(double(6.4f) - double(102.4f) * gainCurve(x));
}

MidGains midSectionGainDb(float x) {
    const double y = single(double(3.2f) - double(51.2f) * gainCurve(x));
    return {single(y / 3.0), single(y + y)};
}

float lowFreqFromNormalized(float x) {
    const double e = single(std::exp(single(x * double(0.6570081114768982f))));
    return single(e * double(462.8571472167969f) - double(392.8571472167969f));
}

float midFreqFromNormalized(float x) {
    const double e = single(std::exp(single(x * double(1.3862943649291992f))));
    return single(e * 500.0 + 0.0);
}

float highFreqFromNormalized(float x) {
    const double e = single(std::exp(single(x * double(4.969813346862793f))));
    return single(21000.0 - single(double(19090.908203125f) - e * double(90.90908813476562f)));
}

float highDesignFrequency(float sampleRate, float highFreqHz) {
    return single(double(sampleRate) * 0.5 - highFreqHz);
}

}  // namespace faroll
