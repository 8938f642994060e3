// Gelmira's panel as data: twelve knobs in three columns of four, each with
// the display of its value below it. The editor builds its views from this
// table and the painter engraves labels and units around the same rectangles.
#pragma once

#include "gui/control_table.h"
#include "plugins/gelmira/resources/bitmaps.h"

namespace gelmira::layout {

enum Tag : long {
    kLpIn, kHpIn, kRootPitch, kFilterWidth, kRootGain, kBank2Tune, kBank2Gain,
    kBank3Tune, kBank3Gain, kLpOut, kHpOut, kDryWet, kNumTags
};

inline constexpr int kKnobSize = 30;
inline constexpr int kKnobPictures = bitmaps::kKnobHeight / kKnobSize;  // 63
static_assert(kKnobPictures == 63 && bitmaps::kKnobWidth == kKnobSize);

inline constexpr CColor kDisplayText{255, 255, 0, 255};
inline constexpr CColor kDisplayGround{0, 0, 0, 255};
inline constexpr int kDisplayFont = 5;  // the standard table's Arial 10

// Column and row of the grid: the knobs' left edges and top edges.
inline constexpr int kColumn[3] = {20, 90, 160};
inline constexpr int kRow[4] = {26, 111, 196, 281};

constexpr ControlSpec knob(long tag, int column, int row) {
    return {.kind = ControlKind::animKnob, .tag = tag,
            .size = {kColumn[column], kRow[row], kColumn[column] + kKnobSize,
                     kRow[row] + kKnobSize},
            .bitmap = bitmaps::kKnob, .subPixmaps = kKnobPictures, .imageHeight = kKnobSize};
}

// A value display 15 pixels high, 5 below its knob, from left to right.
constexpr ControlSpec display(ControlKind kind, long tag, int row, int left, int right) {
    return {.kind = kind, .tag = tag, .size = {left, kRow[row] + 35, right, kRow[row] + 50},
            .style = kind == ControlKind::paramDisplay ? 1 : 0, .font = kDisplayFont,
            .fontColor = kDisplayText, .backColor = kDisplayGround,
            .frameColor = kDisplayGround};
}
constexpr ControlSpec number(long tag, int row, int left, int right) {
    return display(ControlKind::paramDisplay, tag, row, left, right);
}

// The views in the order they are added: each knob, then its display. The
// note name is typed into its field (tag Root Pitch); the mix field only shows
// (no mouse, no listener).
inline constexpr ControlSpec kControls[] = {
    knob(kLpIn, 2, 0),          number(kLpIn, 0, 146, 206),
    knob(kLpOut, 2, 3),         number(kLpOut, 3, 146, 206),
    knob(kHpIn, 0, 0),          number(kHpIn, 0, 6, 66),
    knob(kHpOut, 0, 3),         number(kHpOut, 3, 6, 66),
    knob(kRootPitch, 1, 0),     display(ControlKind::textEdit, kRootPitch, 0, 90, 120),
    knob(kFilterWidth, 1, 1),   number(kFilterWidth, 1, 90, 121),
    knob(kRootGain, 1, 2),      number(kRootGain, 2, 86, 126),
    knob(kBank2Tune, 0, 1),     number(kBank2Tune, 1, 16, 51),
    knob(kBank2Gain, 0, 2),     number(kBank2Gain, 2, 16, 56),
    knob(kBank3Tune, 2, 1),     number(kBank3Tune, 1, 156, 191),
    knob(kBank3Gain, 2, 2),     number(kBank3Gain, 2, 156, 196),
    knob(kDryWet, 1, 3),
    [] {
        ControlSpec s = display(ControlKind::textEdit, kDryWet, 3, 84, 125);
        s.mouseEnabled = false;
        s.reports = false;
        return s;
    }(),
};

// The entry of tag's knob, or of its display.
constexpr const ControlSpec& knobOf(long tag) {
    for (const ControlSpec& s : kControls)
        if (s.tag == tag && !s.isText()) return s;
    return kControls[0];
}
constexpr const ControlSpec& displayOf(long tag) {
    for (const ControlSpec& s : kControls)
        if (s.tag == tag && s.isText()) return s;
    return kControls[1];
}

}  // namespace gelmira::layout
