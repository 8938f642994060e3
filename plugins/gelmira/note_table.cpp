#include "plugins/gelmira/note_table.h"

#include <cmath>

namespace gelmira {

namespace {

const char* const kNames[kNotes] = {
    "C -1", "C# -1", "D -1", "D# -1", "E -1", "F -1", "F# -1", "G -1",
    "G# -1", "A -1", "A# -1", "B -1", "C 0", "C# 0", "D 0", "D# 0",
    "E 0", "F 0", "F# 0", "G 0", "G# 0", "A 0", "A# 0", "B 0",
    "C 1", "C# 1", "D 1", "D# 1", "E 1", "F 1", "F# 1", "G 1",
    "G# 1", "A 1", "A# 1", "B 1", "C 2", "C# 2", "D 2", "D# 2",
    "E 2", "F 2", "F# 2", "G 2", "G# 2", "A 2", "A# 2", "B 2",
};

const float kFrequencies[kNotes] = {
    32.703f,  34.65f,   36.71f,   38.89f,   41.2f,    43.65f,   46.25f,   49.0f,
    51.91f,   55.0f,    58.27f,   61.74f,   65.406f,  69.296f,  73.416f,  77.782f,
    82.407f,  87.307f,  92.499f,  97.999f,  103.826f, 110.0f,   116.541f, 123.471f,
    130.813f, 138.591f, 146.832f, 155.563f, 164.814f, 174.614f, 184.997f, 195.998f,
    207.652f, 220.0f,   233.082f, 246.942f, 261.626f, 277.183f, 293.665f, 311.127f,
    329.628f, 349.228f, 369.994f, 391.995f, 415.305f, 440.0f,   466.164f, 493.883f,
};

// ⌊v⌋ or ⌈v⌉ as an integer, v limited first so the conversion is defined.
int toInt(float v, int lo, int hi, int nan) {
    if (v != v) return nan;
    if (v < lo) return lo;
    if (v > hi) return hi;
    return static_cast<int>(v);
}

}  // namespace

const char* noteName(int index) { return index >= 0 && index < kNotes ? kNames[index] : nullptr; }

float noteFrequency(int index) { return index >= 0 && index < kNotes ? kFrequencies[index] : 0.0f; }

float offsetNote(int index, int offset) {
    if (index < 0 || index >= kNotes) return 0.0f;
    float exponent = static_cast<float>(offset / 24.0);
    return kFrequencies[index] * powf(2.0f, exponent);
}

float cutoffFrequency(float x) { return static_cast<float>(20.0 * powf(1000.0f, x)); }

int noteIndex(float x) {
    float product = 47.0f * x;
    if (!(product >= -1.0f && product < 1000.0f)) return -1;
    return toInt(std::floor(product), -1, 1000, -1);
}

int tuneOffset(float x) {
    float v = (2.0f * x - 1.0f) * 12.0f;
    return toInt(std::floor(v), -1000, 1000, 0);
}

int percent(float x) {
    float product = 100.0f * x;
    return toInt(std::ceil(product), -1000000, 1000000, 0);
}

}  // namespace gelmira
