// Text views: a display of a value and an editable text field.
#pragma once

#include "ccontrol.h"

// Shows its value as text ("%2.2f" unless given a conversion). Swallows clicks.
class CParamDisplay : public CControl {
public:
    // Writes value as text into a buffer of 256 bytes.
    using StringConvert = void (*)(float value, char* text);

    CParamDisplay(const CRect& size, CBitmap* background = nullptr, int style = 0);

    void setFont(int font) { fontId = font; setDirty(); }
    int getFont() const { return fontId; }
    void setFontColor(const CColor& c) { fontColor = c; setDirty(); }
    CColor getFontColor() const { return fontColor; }
    void setBackColor(const CColor& c) { backColor = c; setDirty(); }
    CColor getBackColor() const { return backColor; }
    void setFrameColor(const CColor& c) { frameColor = c; setDirty(); }
    CColor getFrameColor() const { return frameColor; }
    void setHoriAlign(CHoriTxtAlign align) { horiAlign = align; setDirty(); }
    void setStringConvert(StringConvert convert) { stringConvert = convert; setDirty(); }
    int getStyle() const { return style; }

    void draw(CDrawContext* context) override;
    bool onMouseDown(CPoint where, int buttons) override;

protected:
    // Background (bitmap, or fill and outline) and then text.
    void drawText(CDrawContext* context, const char* text);

    int fontId = kNormalFont;
    CColor fontColor = kWhiteCColor;
    CColor backColor = kBlackCColor;
    CColor frameColor = kBlackCColor;
    CHoriTxtAlign horiAlign = kCenterText;
    StringConvert stringConvert = nullptr;
    int style;
};

// A text field. Mouse-enabled, a click opens it for typing: characters are
// added, Backspace removes the last, Return, a click elsewhere or loss of focus
// commits and Escape restores the old text. At a commit that changed the text
// the listener is told, inside a begin/end edit bracket; the value is unchanged.
class CTextEdit : public CParamDisplay {
public:
    static constexpr int kMaxText = 255;  // characters, without the terminator

    CTextEdit(const CRect& size, CControlListener* listener, long tag, const char* text = nullptr,
              CBitmap* background = nullptr, int style = 0);

    // Copies at most kMaxText characters; null clears.
    void setText(const char* text);
    // Copies the text into a buffer of kMaxText + 1 bytes.
    void getText(char* text) const;
    const char* text() const { return current; }
    bool isEditing() const { return editing; }

    void draw(CDrawContext* context) override;
    bool onMouseDown(CPoint where, int buttons) override;
    bool onKeyDown(const CKey& key) override;
    void looseFocus() override;

private:
    void commit();

    char current[kMaxText + 1] = {};
    char typed[kMaxText + 1] = {};
    bool editing = false;
};
