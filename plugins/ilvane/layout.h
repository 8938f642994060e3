// Ilvane's panel as data: the editor builds its controls from it and the
// painter draws the background around the same rectangles.
#pragma once

#include "gui/control_table.h"
#include "plugins/ilvane/resources/bitmaps.h"

namespace ilvane::layout {

enum Tag : long { kLowGain = 0, kHighGain = 1, kReset = 2 };

inline constexpr CColor kFieldText{204, 102, 0, 255};
inline constexpr CColor kFieldGround{51, 0, 0, 255};

// A gain slider: the track's left end is the minimum; the handle travels the
// track's width less its own.
constexpr ControlSpec gainSlider(long tag, int top, long track, long handle, int handleDy) {
    return {.kind = ControlKind::horizontalSlider, .tag = tag,
            .size = {68, top, 68 + bitmaps::kLowTrackWidth, top + bitmaps::kLowTrackHeight},
            .bitmap = track, .handleBitmap = handle,
            .minPos = 68, .maxPos = 68 + bitmaps::kLowTrackWidth - bitmaps::kLowHandleWidth,
            .handleOffset = {0, handleDy}, .style = 1 /* kLeft */, .freeClick = false};
}

// The dB field beside a slider; typing a gain into it sets that gain.
constexpr ControlSpec gainText(long tag, int top) {
    return {.kind = ControlKind::textEdit, .tag = tag, .size = {280, top, 335, top + 20},
            .font = 3 /* kNormalFont */, .fontColor = kFieldText, .backColor = kFieldGround,
            .frameColor = kFieldGround};
}

inline constexpr ControlSpec kControls[] = {
    gainSlider(kLowGain, 25, bitmaps::kLowTrack, bitmaps::kLowHandle, -1),
    gainText(kLowGain, 20),
    gainSlider(kHighGain, 65, bitmaps::kHighTrack, bitmaps::kHighHandle, -2),
    gainText(kHighGain, 60),
    {.kind = ControlKind::kickButton, .tag = kReset, .size = {276, 87, 336, 117},
     .bitmap = bitmaps::kResetButton, .imageHeight = bitmaps::kResetButtonHeight / 2},
};

}  // namespace ilvane::layout
