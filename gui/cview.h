// Views, the editor interface a frame reports to, mouse buttons and keys.
// Everything here runs on the UI thread.
#pragma once

#include "cbitmap.h"
#include "cdrawcontext.h"
#include "cgeometry.h"

class CFrame;

// Mouse buttons and modifier keys of an event, as a bit set.
enum CButton {
    kLButton = 1 << 0,
    kMButton = 1 << 1,
    kRButton = 1 << 2,
    kShift = 1 << 3,
    kControl = 1 << 4,
    kAlt = 1 << 5,
};

// Keys other than printable characters.
enum CVirtualKey {
    kKeyNone = 0,
    kKeyBack,
    kKeyReturn,
    kKeyEscape,
    kKeyLeft,
    kKeyUp,
    kKeyRight,
    kKeyDown,
    kKeyDelete,
    kKeyHome,
    kKeyEnd,
    kKeyTab,
};

struct CKey {
    int character = 0;  // printable character (ASCII), 0 for a virtual key
    int virt = kKeyNone;
    int modifiers = 0;  // kShift, kControl, kAlt
};

// What a frame needs from the editor that owns it.
class CEditorInterface {
public:
    virtual ~CEditorInterface() = default;
    virtual void beginEdit(long tag) = 0;
    virtual void endEdit(long tag) = 0;
    // Runs while a gesture is in progress, about every 50 ms: redraw and let the host idle.
    virtual void doIdleStuff() = 0;
};

// Knob modes; one value for the whole library, set by the host.
enum CKnobMode { kCircularMode = 0, kRelativCircularMode = 1, kLinearMode = 2 };
void setGlobalKnobMode(int mode);
int getGlobalKnobMode();

class CView {
public:
    explicit CView(const CRect& size) : size(size) {}
    virtual ~CView() = default;
    CView(const CView&) = delete;
    CView& operator=(const CView&) = delete;

    virtual void draw(CDrawContext* context) = 0;

    // Mouse and keys. where is in frame coordinates. A press returns true when
    // the view takes the gesture; it then gets the moves and the release.
    virtual bool onMouseDown(CPoint /*where*/, int /*buttons*/) { return false; }
    virtual void onMouseMoved(CPoint /*where*/, int /*buttons*/) {}
    virtual void onMouseUp(CPoint /*where*/, int /*buttons*/) {}
    // distance in notches, positive up. True when taken.
    virtual bool onWheel(CPoint /*where*/, float /*distance*/, int /*buttons*/) { return false; }
    virtual bool onKeyDown(const CKey& /*key*/) { return false; }
    // The view loses the keyboard (another view took a press, or the window lost focus).
    virtual void looseFocus() {}

    virtual bool isDirty() const { return dirty; }
    virtual void setDirty(bool state = true) { dirty = state; }
    void setMouseEnabled(bool state = true) { mouseEnabled = state; }
    bool getMouseEnabled() const { return mouseEnabled; }
    const CRect& getViewSize() const { return size; }
    void setViewSize(const CRect& rect) { size = rect; }

    void setParentFrame(CFrame* frame) { parent = frame; }
    CFrame* getFrame() const { return parent; }

protected:
    CRect size;
    bool dirty = true;
    bool mouseEnabled = true;
    CFrame* parent = nullptr;
};
