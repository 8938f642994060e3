// The X11 child window a frame shows in. It has its own connection to the
// X server, copies the frame's back buffer on expose and after redraws, and
// turns X events into the frame's input calls. Never blocks. UI thread only.
#pragma once

#include <memory>

#include "cgeometry.h"

class CFrame;

class PlatformWindow {
public:
    // A child of parent (an X11 window id) of w x h pixels, mapped; null when
    // the X server cannot be reached.
    static std::unique_ptr<PlatformWindow> create(CFrame* frame, void* parent, int w, int h);
    virtual ~PlatformWindow() = default;
    // Handles every event waiting, then returns.
    virtual void pumpEvents() = 0;
    // Copies region of the frame's back buffer to the screen.
    virtual void show(const CRect& region) = 0;
    virtual unsigned long id() const = 0;
};
