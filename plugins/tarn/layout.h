// Tarn's panel as data: three band columns (low, mid, high) of three knobs
// (Q, frequency, gain) with a value text under each, and the limiter switch.
// The editor builds its controls from it and the painter draws the background
// around the same rectangles.
#pragma once

#include "gui/control_table.h"
#include "plugins/tarn/resources/bitmaps.h"
#include "plugins/tarn/tarn.h"

namespace tarn::layout {

inline constexpr int kKnobPictures = 60;
inline constexpr int kKnobSize = bitmaps::kKnobWidth;  // one picture is square
inline constexpr CColor kValueText{0, 255, 255, 255};
inline constexpr CColor kValueGround{0, 0, 0, 255};
// The tag every value text carries; the texts report nothing.
inline constexpr long kValueTextTag = 1;

// A knob with its top left corner at (x, y).
constexpr ControlSpec knob(long tag, int x, int y) {
    return {.kind = ControlKind::animKnob, .tag = tag, .size = {x, y, x + kKnobSize, y + kKnobSize},
            .bitmap = bitmaps::kKnob, .subPixmaps = kKnobPictures, .imageHeight = kKnobSize};
}

// The value text under a knob: shows, never edits, never reports.
constexpr ControlSpec valueText(int left, int top, int right) {
    return {.kind = ControlKind::textEdit, .tag = kValueTextTag, .size = {left, top, right, top + 15},
            .mouseEnabled = false, .reports = false, .font = 5 /* Arial 10 */,
            .fontColor = kValueText, .backColor = kValueGround, .frameColor = kValueGround};
}

// The text under the knob at (x, y): from y + 41, 5 pixels wider than the
// knob on each side (High Frequency's, the widest text, 8).
constexpr ControlSpec rowText(int x, int y, int widen = 5) {
    return valueText(x - widen, y + 41, x + kKnobSize + widen);
}

inline constexpr int kColumnX[3] = {15, 85, 155};  // low, mid, high
inline constexpr int kRowY[3] = {15, 75, 135};     // Q, frequency, gain

// Knob and text for each parameter, column by column, top to bottom; then the
// limiter switch. kControls[2 * i] is a knob, kControls[2 * i + 1] its text.
inline constexpr ControlSpec kControls[] = {
    knob(Tarn::kLowQ, kColumnX[0], kRowY[0]),           rowText(kColumnX[0], kRowY[0]),
    knob(Tarn::kLowFrequency, kColumnX[0], kRowY[1]),   rowText(kColumnX[0], kRowY[1]),
    knob(Tarn::kLowGain, kColumnX[0], kRowY[2]),        rowText(kColumnX[0], kRowY[2]),
    knob(Tarn::kMidQ, kColumnX[1], kRowY[0]),           rowText(kColumnX[1], kRowY[0]),
    knob(Tarn::kMidFrequency, kColumnX[1], kRowY[1]),   rowText(kColumnX[1], kRowY[1]),
    knob(Tarn::kMidGain, kColumnX[1], kRowY[2]),        rowText(kColumnX[1], kRowY[2]),
    knob(Tarn::kHighQ, kColumnX[2], kRowY[0]),          rowText(kColumnX[2], kRowY[0]),
    knob(Tarn::kHighFrequency, kColumnX[2], kRowY[1]),  rowText(kColumnX[2], kRowY[1], 8),
    knob(Tarn::kHighGain, kColumnX[2], kRowY[2]),       rowText(kColumnX[2], kRowY[2]),
    {.kind = ControlKind::onOffButton, .tag = Tarn::kLimiter,
     .size = {92, 215, 92 + bitmaps::kLimiterButtonWidth, 215 + bitmaps::kLimiterButtonHeight / 2},
     .bitmap = bitmaps::kLimiterButton},
};
inline constexpr int kRows = 9;  // knob and text pairs before the switch
inline constexpr int kLimiterEntry = 2 * kRows;

}  // namespace tarn::layout
