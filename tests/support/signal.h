// Test signals and measurements through a plug-in instance, as a host feeds it.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "hosting/plugin_host.h"

namespace testsignal {

// A steady sine of amplitude `amplitude`.
inline std::vector<float> sine(double hz, double rate, int frames, double amplitude = 0.5) {
    std::vector<float> s(frames);
    for (int i = 0; i < frames; ++i)
        s[i] = static_cast<float>(amplitude * std::sin(2.0 * M_PI * hz * i / rate));
    return s;
}

// Deterministic white noise in [-amplitude, amplitude].
inline std::vector<float> noise(int frames, double amplitude = 0.5, std::uint32_t seed = 1) {
    std::vector<float> s(frames);
    std::uint32_t x = seed ? seed : 1;
    for (float& v : s) {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        v = static_cast<float>(amplitude * (x / 2147483648.0 - 1.0));
    }
    return s;
}

inline double rms(const std::vector<float>& s, size_t from = 0) {
    double sum = 0;
    for (size_t i = from; i < s.size(); ++i) sum += double(s[i]) * s[i];
    return s.size() > from ? std::sqrt(sum / double(s.size() - from)) : 0.0;
}

// Runs both channels through the plug-in's 32-bit entry in blocks (in place).
inline void processBlocks(hosting::Plugin& plugin, std::vector<float>& left,
                          std::vector<float>& right, int block = 512) {
    for (size_t at = 0; at < left.size(); at += block) {
        int n = static_cast<int>(std::min<size_t>(block, left.size() - at));
        float* channels[2] = {left.data() + at, right.data() + at};
        plugin.processReplacing(channels, channels, n);
    }
}

// Gain in dB of a steady sine through the plug-in (both channels fed alike),
// measured on the left output after `settle` seconds.
inline double sineGainDb(hosting::Plugin& plugin, double hz, double rate, double seconds = 1.0,
                         double settle = 0.5) {
    int frames = static_cast<int>(rate * seconds);
    std::vector<float> in = sine(hz, rate, frames);
    std::vector<float> left = in, right = in;
    processBlocks(plugin, left, right);
    size_t from = static_cast<size_t>(rate * settle);
    return 20.0 * std::log10(rms(left, from) / rms(in, from));
}

}  // namespace testsignal
