// The top view: owns every view added to it, draws them over its background
// into a back buffer, routes mouse, wheel and keys, and shows itself in a child
// window of the parent window when it has one. UI thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "cview.h"

class PlatformWindow;

class CFrame : public CView {
public:
    // parentWindow: an X11 window id, or null to draw offscreen only. editor
    // receives the gesture brackets and the idle pass; it may be null.
    CFrame(const CRect& size, void* parentWindow, CEditorInterface* editor);
    ~CFrame() override;

    // The frame takes a reference to the bitmap.
    void setBackground(CBitmap* bitmap);
    CBitmap* getBackground() const { return background; }
    // The frame owns the view from now on. Later views lie on top.
    bool addView(CView* view);
    int getNbViews() const { return static_cast<int>(views.size()); }
    CView* getView(int index) const;

    void draw(CDrawContext* context) override;
    // Draws the whole frame into any cairo surface at its origin.
    void drawTo(cairo_surface_t* target);
    // The back buffer, current as of the last idle or redraw.
    cairo_surface_t* getSurface() const { return backBuffer; }
    CDrawContext* getDrawContext() { return context.get(); }
    // Pumps the window's events, then redraws whatever is dirty.
    void idle();
    // Redraws the dirty views into the back buffer and the window.
    void redrawDirty();
    // True while the frame shows in a window of its own.
    bool hasWindow() const { return window != nullptr; }
    // The child window's X11 id, 0 without a window.
    unsigned long getWindowId() const;

    // Input, in frame coordinates; the window feeds these, and tests may too.
    bool onMouseDown(CPoint where, int buttons) override;
    void onMouseMoved(CPoint where, int buttons) override;
    void onMouseUp(CPoint where, int buttons) override;
    bool onWheel(CPoint where, float distance, int buttons) override;
    // A wheel step at the pointer's last known position.
    bool onWheel(float distance, int buttons) { return onWheel(lastMouse, distance, buttons); }
    bool onKeyDown(const CKey& key) override;
    void looseFocus() override;
    // True while a view tracks the mouse.
    bool isTracking() const { return tracking != nullptr; }

    // From the controls: gesture brackets and the idle pass while tracking.
    void beginEdit(long tag);
    void endEdit(long tag);
    void trackingIdle();
    CEditorInterface* getEditor() const { return editor; }

    // The view under where that takes the mouse (the topmost), or null.
    CView* viewAt(CPoint where) const;
    CView* getFocusView() const { return focus; }
    void setFocusView(CView* view);

private:
    void drawRegion(const CRect& region);

    CEditorInterface* editor;
    CBitmap* background = nullptr;
    std::vector<CView*> views;
    CView* tracking = nullptr;
    CView* focus = nullptr;
    cairo_surface_t* backBuffer = nullptr;
    cairo_t* backCairo = nullptr;
    std::unique_ptr<CDrawContext> context;
    std::unique_ptr<PlatformWindow> window;
    CPoint lastMouse;
    int64_t lastIdlePass = 0;
    bool inIdle = false;
};

// A millisecond clock, monotonic.
int64_t guiMilliseconds();
