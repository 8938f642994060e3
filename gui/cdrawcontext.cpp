#include "cdrawcontext.h"

namespace {

struct FontSpec {
    const char* face;
    double size;
    bool bold;
};

// "Arial" resolves through fontconfig to a metric-compatible face.
constexpr FontSpec kFonts[kNumStandardFonts] = {
    {"Arial", 12, true}, {"Arial", 18, false}, {"Arial", 14, false}, {"Arial", 12, false},
    {"Arial", 11, false}, {"Arial", 10, false}, {"Arial", 9, false}, {"Symbol", 13, false},
};

void setColour(cairo_t* cr, const CColor& c) {
    cairo_set_source_rgba(cr, c.red / 255.0, c.green / 255.0, c.blue / 255.0, c.alpha / 255.0);
}

}  // namespace

void CDrawContext::fillRect(const CRect& r, const CColor& c) {
    setColour(cr, c);
    cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
    cairo_fill(cr);
}

void CDrawContext::frameRect(const CRect& r, const CColor& c) {
    if (r.isEmpty()) return;
    setColour(cr, c);
    cairo_set_line_width(cr, 1.0);
    cairo_rectangle(cr, r.left + 0.5, r.top + 0.5, r.width() - 1.0, r.height() - 1.0);
    cairo_stroke(cr);
}

void CDrawContext::drawLine(CPoint from, CPoint to, const CColor& c) {
    setColour(cr, c);
    cairo_set_line_width(cr, 1.0);
    cairo_move_to(cr, from.x + 0.5, from.y + 0.5);
    cairo_line_to(cr, to.x + 0.5, to.y + 0.5);
    cairo_stroke(cr);
}

void CDrawContext::selectFont(int font) {
    if (font < 0 || font >= kNumStandardFonts) font = kNormalFont;
    const FontSpec& f = kFonts[font];
    cairo_select_font_face(cr, f.face, CAIRO_FONT_SLANT_NORMAL,
                           f.bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, f.size);
}

double CDrawContext::stringWidth(const char* text, int font) {
    if (!text) return 0;
    selectFont(font);
    cairo_text_extents_t e;
    cairo_text_extents(cr, text, &e);
    return e.x_advance;
}

void CDrawContext::drawString(const char* text, const CRect& r, int font, const CColor& c,
                              CHoriTxtAlign align) {
    if (!text || !*text || r.isEmpty()) return;
    cairo_save(cr);
    cairo_rectangle(cr, r.left, r.top, r.width(), r.height());
    cairo_clip(cr);
    selectFont(font);
    cairo_font_extents_t fe;
    cairo_font_extents(cr, &fe);
    cairo_text_extents_t te;
    cairo_text_extents(cr, text, &te);
    double x = r.left + 1;
    if (align == kCenterText) x = r.left + (r.width() - te.x_advance) / 2.0;
    else if (align == kRightText) x = r.right - 1 - te.x_advance;
    double y = r.top + (r.height() - (fe.ascent + fe.descent)) / 2.0 + fe.ascent;
    setColour(cr, c);
    cairo_move_to(cr, static_cast<int>(x + 0.5), static_cast<int>(y + 0.5));
    cairo_show_text(cr, text);
    cairo_restore(cr);
}
