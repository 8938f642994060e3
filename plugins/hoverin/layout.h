// Hoverin's panel as data: six knobs in a row, each with its value display
// below. The editor builds its controls from it and the painter draws the
// background around the same rectangles.
#pragma once

#include <cstddef>

#include "gui/control_table.h"
#include "plugins/hoverin/resources/bitmaps.h"

namespace hoverin::layout {

// A knob's tag is its parameter index.
inline constexpr int kKnobCount = 6;
// Every display carries tag 1; a display is mouse-disabled, so it never
// reports, and the editor finds it by its place in the table.
inline constexpr long kDisplayTag = 1;
inline constexpr int kKnobPictures = 60;
inline constexpr int kKnobSize = bitmaps::kKnobStripWidth;  // square pictures
inline constexpr int kPitch = 55;

inline constexpr CColor kDisplayText{0, 153, 153, 255};
inline constexpr CColor kDisplayGround{0, 0, 0, 255};

constexpr ControlSpec knob(int i) {
    return {.kind = ControlKind::animKnob, .tag = i,
            .size = {20 + kPitch * i, 30, 20 + kPitch * i + kKnobSize, 30 + kKnobSize},
            .bitmap = bitmaps::kKnobStrip, .subPixmaps = kKnobPictures, .imageHeight = kKnobSize};
}

// The value display centred under knob i.
constexpr ControlSpec display(int i) {
    return {.kind = ControlKind::textEdit, .tag = kDisplayTag,
            .size = {15 + kPitch * i, 75, 70 + kPitch * i, 90}, .mouseEnabled = false,
            .font = 4 /* kNormalFontSmall */, .fontColor = kDisplayText,
            .backColor = kDisplayGround, .frameColor = kDisplayGround};
}

// Knob 0, display 0, knob 1, display 1, ...
inline constexpr ControlSpec kControls[] = {
    knob(0), display(0), knob(1), display(1), knob(2), display(2),
    knob(3), display(3), knob(4), display(4), knob(5), display(5),
};
constexpr std::size_t knobEntry(int i) { return static_cast<std::size_t>(2 * i); }
constexpr std::size_t displayEntry(int i) { return static_cast<std::size_t>(2 * i + 1); }

static_assert(bitmaps::kKnobStripHeight == kKnobPictures * kKnobSize);

}  // namespace hoverin::layout
