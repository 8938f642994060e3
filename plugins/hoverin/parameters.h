// How the phaser's normalised parameters map to the units its channels use.
// Plain functions of their argument: safe on any thread.
#pragma once

namespace hoverin {

// One entry of the Rate table: its name and its speed in sweep cycles per second.
struct RateDivision {
    const char* name;
    float value;
};

inline constexpr int kRateDivisions = 10;

// The division of index 0 ... 9 ("1/32" ... "16/1"); null for any other index.
const RateDivision* rateDivision(int index);

// A host value as the mappings take it: within 0 ... 1, a NaN taken as 0. The
// stored parameter keeps the value as sent; only what reaches the sound is kept here.
float mappedValue(float value);

// ⌊9·x⌋ in 32-bit float: 0 ... 8 in ninths of x, 9 only for x = 1.
float rateIndexFor(float x);
// Whole octaves: the integer part of 5·x + 1 (1 ... 6; 6 only for x = 1).
float octavesFor(float x);
// Lowest sweep frequency in Hz: 40 · 100^x in 32-bit float (40 ... 4000).
float frequencyHzFor(float x);
// The Out Gain display figure: 48 · log10(max(x, 0.01)) in 32-bit float (-96 ... 0).
float outGainDbFor(float x);

}  // namespace hoverin
