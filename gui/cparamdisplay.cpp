#include "cparamdisplay.h"

#include <cstdio>
#include <cstring>

#include "cframe.h"

namespace {
void copyText(char* dest, const char* source) {
    std::size_t n = source ? std::strlen(source) : 0;
    if (n > CTextEdit::kMaxText) n = CTextEdit::kMaxText;
    if (n) std::memcpy(dest, source, n);
    dest[n] = 0;
}
}  // namespace

CParamDisplay::CParamDisplay(const CRect& size, CBitmap* background, int style)
    : CControl(size, nullptr, 0, background), style(style) {}

void CParamDisplay::drawText(CDrawContext* context, const char* text) {
    if (background) {
        background->draw(context, size);
    } else {
        context->fillRect(size, backColor);
        context->frameRect(size, frameColor);
    }
    context->drawString(text, size, fontId, fontColor, horiAlign);
}

void CParamDisplay::draw(CDrawContext* context) {
    char text[256];
    if (stringConvert) {
        text[0] = 0;
        stringConvert(value, text);
        text[255] = 0;
    } else {
        std::snprintf(text, sizeof text, "%2.2f", value);
    }
    drawText(context, text);
}

bool CParamDisplay::onMouseDown(CPoint /*where*/, int /*buttons*/) { return false; }

CTextEdit::CTextEdit(const CRect& size, CControlListener* listener, long tag, const char* text,
                     CBitmap* background, int style)
    : CParamDisplay(size, background, style) {
    this->listener = listener;
    this->tag = tag;
    copyText(current, text);
}

void CTextEdit::setText(const char* text) {
    copyText(current, text);
    setDirty();
}

void CTextEdit::getText(char* text) const {
    if (text) copyText(text, current);
}

void CTextEdit::draw(CDrawContext* context) {
    if (!editing) {
        drawText(context, current);
        return;
    }
    // While typing: the typed text on a lighter ground, with a caret after it.
    CColor ground{static_cast<unsigned char>(255 - backColor.red / 2),
                  static_cast<unsigned char>(255 - backColor.green / 2),
                  static_cast<unsigned char>(255 - backColor.blue / 2), 255};
    context->fillRect(size, ground);
    context->frameRect(size, fontColor);
    context->drawString(typed, size, fontId, kBlackCColor, horiAlign);
    const double w = context->stringWidth(typed, fontId);
    int x = size.left + 2 + static_cast<int>(w);
    if (horiAlign == kCenterText) x = static_cast<int>((size.left + size.right + w) / 2.0) + 1;
    else if (horiAlign == kRightText) x = size.right - 2;
    context->drawLine(CPoint(x, size.top + 3), CPoint(x, size.bottom - 4), kBlackCColor);
}

bool CTextEdit::onMouseDown(CPoint /*where*/, int buttons) {
    if (!(buttons & kLButton) || editing) return false;
    editing = true;
    copyText(typed, current);
    setDirty();
    if (parent) parent->setFocusView(this);
    return false;
}

bool CTextEdit::onKeyDown(const CKey& key) {
    if (!editing) return false;
    const std::size_t n = std::strlen(typed);
    if (key.virt == kKeyReturn) {
        commit();
    } else if (key.virt == kKeyEscape) {
        editing = false;
    } else if (key.virt == kKeyBack) {
        if (n) typed[n - 1] = 0;
    } else if (key.character >= 32 && key.character < 127) {
        if (n < kMaxText) {
            typed[n] = static_cast<char>(key.character);
            typed[n + 1] = 0;
        }
    } else {
        return false;
    }
    setDirty();
    return true;
}

void CTextEdit::looseFocus() {
    if (editing) commit();
}

void CTextEdit::commit() {
    if (!editing) return;
    editing = false;
    setDirty();
    if (std::strcmp(typed, current) == 0) return;
    copyText(current, typed);
    if (parent) parent->beginEdit(tag);
    if (listener) listener->valueChanged(parent ? parent->getDrawContext() : nullptr, this);
    if (parent) parent->endEdit(tag);
}
