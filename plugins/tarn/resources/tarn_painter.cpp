// Paints Tarn's panel pictures into the folder given as the argument.
#include <cmath>
#include <cstdio>

#include "gui/paint/paint.h"
#include "plugins/tarn/layout.h"

using namespace paint;
using namespace tarn;

namespace {

const Rgb kPanel{0.12, 0.19, 0.24};      // dark slate blue
const Rgb kWell{0.05, 0.08, 0.10};       // behind each knob; the knob pictures' ground
const Rgb kEngraving{0.78, 0.9, 0.95};
const Rgb kCap{0.5, 0.58, 0.64};
const Rgb kLit{0.0, 0.75, 0.8};          // the switch when on, near the value texts' cyan

const char* const kColumnNames[3] = {"LOW", "MID", "HIGH"};
const char* const kRowNames[3] = {"Q", "FREQ", "GAIN"};

// Text turned a quarter left (reading upwards), centred on y, its baseline at x.
void upwardText(cairo_t* cr, const char* s, double x, double y, double size) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, -M_PI / 2);
    text(cr, s, 0, 0, size, kEngraving, Align::centre, true);
    cairo_restore(cr);
}

void background(cairo_t* cr) {
    const int w = bitmaps::kBackgroundWidth, h = bitmaps::kBackgroundHeight;
    panel(cr, 0, 0, w, h, kPanel);
    for (double x : {6.0, w - 6.0})
        for (double y : {6.0, h - 6.0}) screw(cr, x, y, 3);

    const auto& c = layout::kControls;
    for (int row = 0; row < layout::kRows; ++row) {
        const CRect& k = c[2 * row].size;
        inset(cr, k.left, k.top, k.width(), k.height(), kWell);
    }
    // Column names above the top knobs; row names beside the left column's knobs.
    for (int column = 0; column < 3; ++column) {
        const CRect& top = c[6 * column].size;
        text(cr, kColumnNames[column], (top.left + top.right) / 2.0, top.top - 4, 9, kEngraving,
             Align::centre, true);
    }
    for (int row = 0; row < 3; ++row) {
        const CRect& k = c[2 * row].size;
        upwardText(cr, kRowNames[row], k.left - 5, (k.top + k.bottom) / 2.0, 8);
    }

    // Below the bands: a rule, the switch with its name, the plug-in's name.
    const CRect& lastText = c[2 * layout::kRows - 1].size;
    const double rule = lastText.bottom + 6.5;
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.5);
    cairo_move_to(cr, 10, rule);
    cairo_line_to(cr, w - 10, rule);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.2);
    cairo_move_to(cr, 10, rule + 1);
    cairo_line_to(cr, w - 10, rule + 1);
    cairo_stroke(cr);

    const CRect& limiter = c[layout::kLimiterEntry].size;
    inset(cr, limiter.left, limiter.top, limiter.width(), limiter.height(), kWell);
    text(cr, "LIMITER", (limiter.left + limiter.right) / 2.0, limiter.top - 4, 8, kEngraving,
         Align::centre, true);
    text(cr, "Tarn", 14, limiter.bottom - 1, 18, kEngraving, Align::left, true);
    // Clear of the corner screws.
    text(cr, "three-band", w - 16, limiter.top + 5, 8, kEngraving, Align::right);
    text(cr, "equaliser", w - 16, limiter.bottom - 4, 8, kEngraving, Align::right);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string out = argv[1];
    bool ok = true;
    {
        Picture p(bitmaps::kBackgroundWidth, bitmaps::kBackgroundHeight);
        background(p.cr);
        ok &= p.save(out, "background.png");
    }
    {
        // The pointer sweeps the whole travel: the first picture at the
        // minimum, the last at the maximum.
        const int size = layout::kKnobSize;
        Picture p(size, size * layout::kKnobPictures);
        for (int i = 0; i < layout::kKnobPictures; ++i)
            knob(p.cr, 0, i * size, size, i / double(layout::kKnobPictures - 1), kCap, kWell);
        ok &= p.save(out, "knob.png");
    }
    {
        const int w = bitmaps::kLimiterButtonWidth, half = bitmaps::kLimiterButtonHeight / 2;
        Picture p(w, 2 * half);
        button(p.cr, 0, 0, w, half, "OFF", false, kCap);
        button(p.cr, 0, half, w, half, "ON", true, kLit);
        ok &= p.save(out, "limiter_button.png");
    }
    {
        Picture p(bitmaps::kBadgeWidth, bitmaps::kBadgeHeight);
        panel(p.cr, 0, 0, bitmaps::kBadgeWidth, bitmaps::kBadgeHeight, kPanel);
        text(p.cr, "T", bitmaps::kBadgeWidth / 2.0, 22, 18, kEngraving, Align::centre, true);
        ok &= p.save(out, "badge.png");
    }
    if (!ok) std::fprintf(stderr, "tarn_painter: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
