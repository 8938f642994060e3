#include "host/guieditor/control_set.h"

namespace {

// A bitmap of this library by id, or null for id 0.
CBitmap* load(long id) { return id ? new CBitmap(id) : nullptr; }

void release(CBitmap* bitmap) {
    if (bitmap) bitmap->forget();
}

}  // namespace

CControl* ControlSet::create(const ControlSpec& s, CControlListener* listener) {
    if (!s.reports) listener = nullptr;
    CBitmap* picture = load(s.bitmap);
    CControl* view = nullptr;
    switch (s.kind) {
    case ControlKind::animKnob:
        view = new CAnimKnob(s.size, listener, s.tag, s.subPixmaps, s.imageHeight, picture, s.offset);
        break;
    case ControlKind::horizontalSlider:
    case ControlKind::verticalSlider: {
        CBitmap* handle = load(s.handleBitmap);
        CSlider* slider;
        if (s.kind == ControlKind::horizontalSlider)
            slider = s.style ? new CHorizontalSlider(s.size, listener, s.tag, s.minPos, s.maxPos,
                                                     handle, picture, s.offset, s.style)
                             : new CHorizontalSlider(s.size, listener, s.tag, s.minPos, s.maxPos,
                                                     handle, picture, s.offset);
        else
            slider = s.style ? new CVerticalSlider(s.size, listener, s.tag, s.minPos, s.maxPos,
                                                   handle, picture, s.offset, s.style)
                             : new CVerticalSlider(s.size, listener, s.tag, s.minPos, s.maxPos,
                                                   handle, picture, s.offset);
        slider->setOffsetHandle(s.handleOffset);
        slider->setFreeClick(s.freeClick);
        release(handle);
        view = slider;
        break;
    }
    case ControlKind::onOffButton:
        view = new COnOffButton(s.size, listener, s.tag, picture);
        break;
    case ControlKind::kickButton:
        view = new CKickButton(s.size, listener, s.tag, s.imageHeight, picture, s.offset);
        break;
    case ControlKind::paramDisplay:
    case ControlKind::textEdit: {
        CParamDisplay* display = s.kind == ControlKind::textEdit
                                     ? new CTextEdit(s.size, listener, s.tag, nullptr, picture, s.style)
                                     : new CParamDisplay(s.size, picture, s.style);
        display->setTag(s.tag);
        display->setFont(s.font);
        display->setFontColor(s.fontColor);
        display->setBackColor(s.backColor);
        display->setFrameColor(s.frameColor);
        view = display;
        break;
    }
    }
    release(picture);
    view->setMouseEnabled(s.mouseEnabled);
    return view;
}

void ControlSet::build(CFrame* frame, CControlListener* listener,
                       std::span<const ControlSpec> table) {
    views.clear();
    views.reserve(table.size());
    for (const ControlSpec& spec : table) {
        CControl* view = create(spec, listener);
        frame->addView(view);
        views.push_back({&spec, view});
    }
}

CControl* ControlSet::control(long tag) const {
    for (const Entry& e : views)
        if (e.spec->tag == tag && !e.spec->isText()) return e.view;
    return nullptr;
}

CParamDisplay* ControlSet::text(long tag) const {
    for (const Entry& e : views)
        if (e.spec->tag == tag && e.spec->isText()) return static_cast<CParamDisplay*>(e.view);
    return nullptr;
}

void ControlSet::show(long tag, float value, const char* text) {
    for (const Entry& e : views) {
        if (e.spec->tag != tag) continue;
        if (e.view->getValue() != value) {
            e.view->setValue(value);
            e.view->setDirty();
        }
        if (text && e.spec->kind == ControlKind::textEdit) static_cast<CTextEdit*>(e.view)->setText(text);
    }
}
