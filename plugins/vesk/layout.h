// Vesk's panel as data: twenty vertical sliders (Input, the eighteen bands,
// Output) with a dB display above each. The editor builds its controls from
// this table and the painter draws the background around the same rectangles.
#pragma once

#include <array>

#include "gui/control_table.h"
#include "plugins/vesk/resources/bitmaps.h"

namespace vesk::layout {

inline constexpr int kSliders = 20;  // one per parameter; the tag is the index

// Sliders: the track's height, top at kSliderTop; the handle's top travels
// from kHandleTop (value 1) to kHandleBottom (value 0).
inline constexpr int kSliderTop = 30;
inline constexpr int kSliderBottom = kSliderTop + bitmaps::kSliderTrackHeight;
inline constexpr int kHandleTop = kSliderTop;
inline constexpr int kHandleBottom = kSliderTop + bitmaps::kSliderTrackHeight -
                                     bitmaps::kSliderHandleHeight - 1;
// Displays above the sliders.
inline constexpr int kDisplayTop = 10;
inline constexpr int kDisplayBottom = 25;
inline constexpr int kDisplayWidth = 27;

inline constexpr CColor kDisplayText{0, 255, 255, 255};
inline constexpr CColor kDisplayGround{0, 0, 0, 255};

// The left edge of slider i: Input and Output stand apart from the bands.
constexpr int sliderLeft(int i) { return i == 0 ? 25 : i == kSliders - 1 ? 597 : 45 + 28 * i; }
// The display above slider i.
constexpr int displayLeft(int i) { return sliderLeft(i) - 7; }

// The panel y of the handle's centre for a normalised value v.
constexpr double handleCentreY(double v) {
    return kHandleTop + static_cast<int>((1.0 - v) * (kHandleBottom - kHandleTop)) +
           bitmaps::kSliderHandleHeight / 2.0;
}

constexpr ControlSpec slider(int i) {
    return {.kind = ControlKind::verticalSlider, .tag = i,
            .size = {sliderLeft(i), kSliderTop, sliderLeft(i) + bitmaps::kSliderTrackWidth,
                     kSliderBottom},
            .bitmap = bitmaps::kSliderTrack, .handleBitmap = bitmaps::kSliderHandle,
            .minPos = kHandleTop, .maxPos = kHandleBottom, .handleOffset = {1, 0}};
}

// A display of the gain in dB: font 6 (Arial 9), cyan on black, no listener.
constexpr ControlSpec display(int i) {
    return {.kind = ControlKind::paramDisplay, .tag = i,
            .size = {displayLeft(i), kDisplayTop, displayLeft(i) + kDisplayWidth, kDisplayBottom},
            .style = 1, .font = 6, .fontColor = kDisplayText, .backColor = kDisplayGround,
            .frameColor = kDisplayGround};
}

// The twenty sliders, then the twenty displays, in parameter order.
constexpr std::array<ControlSpec, 2 * kSliders> controls() {
    std::array<ControlSpec, 2 * kSliders> all{};
    for (int i = 0; i < kSliders; ++i) {
        all[i] = slider(i);
        all[kSliders + i] = display(i);
    }
    return all;
}
inline constexpr std::array<ControlSpec, 2 * kSliders> kControls = controls();

// What the painter engraves under each slider: the parameter's name, the
// bands' as number and unit on two lines.
struct Caption {
    const char* top;
    const char* unit;  // null for Input and Output
};
inline constexpr Caption kCaptions[kSliders] = {
    {"Input", nullptr}, {"20", "Hz"},   {"31", "Hz"},   {"63", "Hz"},    {"90", "Hz"},
    {"125", "Hz"},      {"160", "Hz"},  {"200", "Hz"},  {"250", "Hz"},   {"375", "Hz"},
    {"500", "Hz"},      {"750", "Hz"},  {"1000", "Hz"}, {"1500", "Hz"},  {"2000", "Hz"},
    {"3000", "Hz"},     {"4000", "Hz"}, {"8000", "Hz"}, {"16000", "Hz"}, {"Output", nullptr}};

}  // namespace vesk::layout
