// A panel declared as data: one entry a view, read both by the editor that
// builds the controls (host/guieditor/control_set.h) and by the painter that
// draws the background around them, so a label and its control never disagree.
// Pixels on the panel; y grows downwards.
#pragma once

#include "gui/cgeometry.h"

enum class ControlKind {
    animKnob,          // CAnimKnob: bitmap is the strip of subPixmaps pictures of imageHeight
    horizontalSlider,  // CHorizontalSlider: bitmap the track, handleBitmap the handle
    verticalSlider,    // CVerticalSlider: likewise
    onOffButton,       // COnOffButton: bitmap holds off above on
    kickButton,        // CKickButton: bitmap holds released above pressed, imageHeight each
    paramDisplay,      // CParamDisplay: shows its value (the editor may set a conversion)
    textEdit,          // CTextEdit: shows text the editor gives it
};

struct ControlSpec {
    ControlKind kind;
    long tag;           // the parameter index it shows or sets
    CRect size;         // where it sits on the panel
    long bitmap = 0;    // 0: none
    int subPixmaps = 0;
    int imageHeight = 0;
    long handleBitmap = 0;
    int minPos = 0;     // sliders: the handle's travel, in panel pixels along the slider
    int maxPos = 0;
    CPoint offset{};        // into the bitmap
    CPoint handleOffset{};  // sliders
    int style = 0;          // sliders: CSliderStyle (0: the toolkit's default); text views: their style
    bool freeClick = true;  // sliders: a click beside the handle moves it
    bool mouseEnabled = true;
    bool reports = true;    // false: the view gets no listener (it only shows)
    // Text views.
    int font = 3;  // kNormalFont
    CColor fontColor{255, 255, 255, 255};
    CColor backColor{0, 0, 0, 255};
    CColor frameColor{0, 0, 0, 255};

    bool isText() const { return kind == ControlKind::paramDisplay || kind == ControlKind::textEdit; }
};
