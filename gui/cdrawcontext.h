// A drawing target: any cairo surface. Fonts come from the standard table.
// UI thread only.
#pragma once

#include <cairo.h>

#include "cgeometry.h"

// The standard font table; the comment gives face and character height in pixels.
enum CFont {
    kSystemFont = 0,          // Arial 12 bold
    kNormalFontVeryBig = 1,   // Arial 18
    kNormalFontBig = 2,       // Arial 14
    kNormalFont = 3,          // Arial 12
    kNormalFontSmall = 4,     // Arial 11
    kNormalFontSmaller = 5,   // Arial 10
    kNormalFontVerySmall = 6, // Arial 9
    kSymbolFont = 7,          // Symbol 13
    kNumStandardFonts = 8
};

enum CHoriTxtAlign { kLeftText = 0, kCenterText, kRightText };

class CDrawContext {
public:
    // Draws through cr, which stays the caller's.
    explicit CDrawContext(cairo_t* cr) : cr(cr) {}
    cairo_t* cairo() const { return cr; }

    void fillRect(const CRect& r, const CColor& c);
    // A one-pixel outline just inside r.
    void frameRect(const CRect& r, const CColor& c);
    void drawLine(CPoint from, CPoint to, const CColor& c);
    // One line of text in r, vertically centred, clipped to r. Font index out of
    // range falls back to the normal font.
    void drawString(const char* text, const CRect& r, int font, const CColor& c,
                    CHoriTxtAlign align = kCenterText);
    // Advance width of text in pixels.
    double stringWidth(const char* text, int font);

private:
    void selectFont(int font);
    cairo_t* cr;
};
