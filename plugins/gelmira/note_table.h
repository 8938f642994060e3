// The 48 notes a Gelmira bank can sit on, "C -1" (index 0) to "B 2" (47),
// and the parameter mappings from normalised values (0 ... 1) to the units
// the filters use. Plain arithmetic in 32-bit floats; any thread.
#pragma once

namespace gelmira {

inline constexpr int kNotes = 48;

// The note's name ("C -1" ... "B 2"), or null outside 0 ... 47.
const char* noteName(int index);
// The note's frequency in Hz, or 0 outside 0 ... 47.
float noteFrequency(int index);
// The note moved by offset half-semitones: noteFrequency × 2^(offset/24),
// or 0 outside the table.
float offsetNote(int index, int offset);

// 20 · 1000^x Hz: 20 Hz at 0, 20000 Hz at 1.
float cutoffFrequency(float x);
// ⌊47·x⌋; values that are not numbers or far outside the range give -1 (no note).
int noteIndex(float x);
// ⌊(2x − 1)·12⌋: −12 ... 12, 0 at 0.5; limited to ±1000 outside the range.
int tuneOffset(float x);
// ⌈100·x⌉ for the integer displays; limited to ±1000000 outside the range.
int percent(float x);

}  // namespace gelmira
