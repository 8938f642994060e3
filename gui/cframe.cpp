#include "cframe.h"

#include <time.h>

#include "platformwindow.h"
#include "residency.h"

int64_t guiMilliseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

CFrame::CFrame(const CRect& size, void* parentWindow, CEditorInterface* editor)
    : CView(size), editor(editor) {
    keepGraphicsLibrariesLoaded();
    const int w = size.width() > 0 ? size.width() : 1;
    const int h = size.height() > 0 ? size.height() : 1;
    backBuffer = cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h);
    backCairo = cairo_create(backBuffer);
    context = std::make_unique<CDrawContext>(backCairo);
    if (parentWindow) window = PlatformWindow::create(this, parentWindow, w, h);
}

CFrame::~CFrame() {
    window.reset();
    for (CView* view : views) delete view;
    if (background) background->forget();
    context.reset();
    cairo_destroy(backCairo);
    cairo_surface_destroy(backBuffer);
}

void CFrame::setBackground(CBitmap* bitmap) {
    if (bitmap) bitmap->remember();
    if (background) background->forget();
    background = bitmap;
    dirty = true;
}

bool CFrame::addView(CView* view) {
    if (!view) return false;
    view->setParentFrame(this);
    view->setDirty();
    views.push_back(view);
    return true;
}

CView* CFrame::getView(int index) const {
    return index >= 0 && index < getNbViews() ? views[index] : nullptr;
}

void CFrame::draw(CDrawContext* target) {
    const CRect whole(0, 0, size.width(), size.height());
    if (background) background->draw(target, whole);
    else target->fillRect(whole, kBlackCColor);
    for (CView* view : views) {
        view->draw(target);
        view->setDirty(false);
    }
    dirty = false;
}

void CFrame::drawTo(cairo_surface_t* target) {
    cairo_t* cr = cairo_create(target);
    CDrawContext targetContext(cr);
    draw(&targetContext);
    cairo_destroy(cr);
}

void CFrame::drawRegion(const CRect& region) {
    cairo_save(backCairo);
    cairo_rectangle(backCairo, region.left, region.top, region.width(), region.height());
    cairo_clip(backCairo);
    if (background) background->draw(context.get(), region, CPoint(region.left, region.top));
    else context->fillRect(region, kBlackCColor);
    for (CView* view : views) {
        if (!view->getViewSize().intersects(region)) continue;
        view->draw(context.get());
        view->setDirty(false);
    }
    cairo_restore(backCairo);
    cairo_surface_flush(backBuffer);
}

void CFrame::redrawDirty() {
    CRect region;
    if (dirty) {
        region = CRect(0, 0, size.width(), size.height());
        dirty = false;
    }
    for (CView* view : views)
        if (view->isDirty()) region = region.unite(view->getViewSize());
    if (region.isEmpty()) return;
    drawRegion(region);
    if (window) window->show(region);
}

void CFrame::idle() {
    if (inIdle) {  // the idle pass of a gesture reaches here from inside the event pump
        redrawDirty();
        return;
    }
    inIdle = true;
    if (window) window->pumpEvents();
    redrawDirty();
    inIdle = false;
}

unsigned long CFrame::getWindowId() const { return window ? window->id() : 0; }

CView* CFrame::viewAt(CPoint where) const {
    for (auto it = views.rbegin(); it != views.rend(); ++it)
        if ((*it)->getMouseEnabled() && (*it)->getViewSize().pointInside(where)) return *it;
    return nullptr;
}

void CFrame::setFocusView(CView* view) {
    if (focus == view) return;
    CView* old = focus;
    focus = view;
    if (old) old->looseFocus();
}

bool CFrame::onMouseDown(CPoint where, int buttons) {
    lastMouse = where;
    if (tracking) return true;
    CView* view = viewAt(where);
    setFocusView(view);  // an open text field elsewhere commits first
    if (!view) return false;
    if (view->onMouseDown(where, buttons)) {
        tracking = view;
        lastIdlePass = guiMilliseconds();
    }
    return true;
}

void CFrame::onMouseMoved(CPoint where, int buttons) {
    lastMouse = where;
    if (tracking) tracking->onMouseMoved(where, buttons);
}

void CFrame::onMouseUp(CPoint where, int buttons) {
    CView* view = tracking;
    tracking = nullptr;
    if (view) view->onMouseUp(where, buttons);
}

bool CFrame::onWheel(CPoint where, float distance, int buttons) {
    CView* view = viewAt(where);
    return view && view->onWheel(where, distance, buttons);
}

bool CFrame::onKeyDown(const CKey& key) { return focus && focus->onKeyDown(key); }

void CFrame::looseFocus() { setFocusView(nullptr); }

void CFrame::beginEdit(long tag) {
    if (editor) editor->beginEdit(tag);
}

void CFrame::endEdit(long tag) {
    if (editor) editor->endEdit(tag);
}

void CFrame::trackingIdle() {
    const int64_t now = guiMilliseconds();
    if (now - lastIdlePass < 50) return;
    lastIdlePass = now;
    if (editor) editor->doIdleStuff();
}
