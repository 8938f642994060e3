// Faroll's panel as data: the editor builds its views from it and the painter
// draws the background (labels, wells, the grounds behind the knobs) around
// the same rectangles.
#pragma once

#include "gui/control_table.h"
#include "plugins/faroll/resources/bitmaps.h"

namespace faroll::layout {

// Tags are the effect's parameter indices.
enum Tag : long {
    kLowGain = 0, kMidGain = 1, kHighGain = 2, kLowCut = 3, kMidCut = 4, kHighCut = 5,
    kLowFreq = 6, kMidFreq = 7, kHighFreq = 8, kReset = 9,
};

inline constexpr int kKnobPictures = 63;
inline constexpr int kKnobSize = bitmaps::kGainKnobWidth;  // each picture is square
inline constexpr int kButtonHeight = bitmaps::kLowCutButtonHeight / 2;

// The left edge of each band's column of knobs, and the tops of the two rows.
inline constexpr int kColumnLeft[3] = {15, 95, 175};
inline constexpr int kGainRowTop = 25;
inline constexpr int kFreqRowTop = 125;

constexpr ControlSpec knob(long tag, int column, int top, long strip) {
    const int left = kColumnLeft[column];
    return {.kind = ControlKind::animKnob, .tag = tag,
            .size = {left, top, left + kKnobSize, top + kKnobSize},
            .bitmap = strip, .subPixmaps = kKnobPictures, .imageHeight = kKnobSize};
}

// The value under a knob: white on black, font 5, only shows (no listener, no
// mouse). The editor gives the view tag 1; the table's tag names the
// parameter whose value it shows.
constexpr ControlSpec valueText(long tag, const ControlSpec& above) {
    return {.kind = ControlKind::textEdit, .tag = tag,
            .size = {above.size.left - 5, above.size.bottom + 5, above.size.right + 5,
                     above.size.bottom + 20},
            .mouseEnabled = false, .reports = false, .font = 5 /* kNormalFontSmaller: Arial 10 */,
            .fontColor = {255, 255, 255, 255}, .backColor = {0, 0, 0, 255},
            .frameColor = {0, 0, 0, 255}};
}

// A button at left, top sized from its bitmap of two stacked pictures.
constexpr ControlSpec button(ControlKind kind, long tag, int left, int top, long id) {
    return {.kind = kind, .tag = tag,
            .size = {left, top, left + bitmaps::kLowCutButtonWidth, top + kButtonHeight},
            .bitmap = id, .imageHeight = kind == ControlKind::kickButton ? kButtonHeight : 0};
}

inline constexpr ControlSpec kLowGainKnob = knob(kLowGain, 0, kGainRowTop, bitmaps::kGainKnob);
inline constexpr ControlSpec kMidGainKnob = knob(kMidGain, 1, kGainRowTop, bitmaps::kGainKnob);
inline constexpr ControlSpec kHighGainKnob = knob(kHighGain, 2, kGainRowTop, bitmaps::kGainKnob);
inline constexpr ControlSpec kLowFreqKnob = knob(kLowFreq, 0, kFreqRowTop, bitmaps::kLowFreqKnob);
inline constexpr ControlSpec kMidFreqKnob = knob(kMidFreq, 1, kFreqRowTop, bitmaps::kMidFreqKnob);
inline constexpr ControlSpec kHighFreqKnob =
    knob(kHighFreq, 2, kFreqRowTop, bitmaps::kHighFreqKnob);

// In the order the views are created and added to the frame.
inline constexpr ControlSpec kControls[] = {
    kLowGainKnob,
    valueText(kLowGain, kLowGainKnob),
    kMidGainKnob,
    valueText(kMidGain, kMidGainKnob),
    kHighGainKnob,
    valueText(kHighGain, kHighGainKnob),
    kLowFreqKnob,
    valueText(kLowFreq, kLowFreqKnob),
    kMidFreqKnob,
    valueText(kMidFreq, kMidFreqKnob),
    kHighFreqKnob,
    valueText(kHighFreq, kHighFreqKnob),
    button(ControlKind::onOffButton, kLowCut, 20, 215, bitmaps::kLowCutButton),
    button(ControlKind::onOffButton, kMidCut, 100, 215, bitmaps::kMidCutButton),
    button(ControlKind::onOffButton, kHighCut, 180, 215, bitmaps::kHighCutButton),
    button(ControlKind::kickButton, kReset, 180, 260, bitmaps::kResetButton),
};

// The entry of a tag's value control (not its text), for the painter.
constexpr const ControlSpec& control(long tag) {
    for (const ControlSpec& c : kControls)
        if (c.tag == tag && !c.isText()) return c;
    return kControls[0];
}
constexpr const ControlSpec& text(long tag) {
    for (const ControlSpec& c : kControls)
        if (c.tag == tag && c.isText()) return c;
    return kControls[1];
}

}  // namespace faroll::layout
