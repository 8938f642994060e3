// Paints Vesk's panel pictures into the folder given as the argument.
#include <cmath>
#include <cstdio>
#include <string>

#include "gui/paint/paint.h"
#include "plugins/vesk/layout.h"

using namespace paint;
using namespace vesk;

namespace {

const Rgb kPanel{0.15, 0.19, 0.23};  // dark steel blue
const Rgb kGroove{0.07, 0.09, 0.11};
const Rgb kEngraving{0.86, 0.92, 0.95};
const Rgb kCyan{0.0, 0.78, 0.82};
const Rgb kHandleCap{0.80, 0.86, 0.90};

// The scale's marks: value, text, major.
struct Mark {
    double value;
    const char* text;
    bool major;
};
const Mark kMarks[] = {{1.0, "+12", true}, {0.75, "+6", false}, {0.5, "0", true},
                       {0.25, "-6", false}, {0.0, "-12", true}};

double centreX(const CRect& r) { return (r.left + r.right) / 2.0; }

// Short engraved ticks either side of a slider at the scale's marks.
void ticks(cairo_t* cr, const CRect& s) {
    cairo_set_line_width(cr, 1);
    for (const Mark& m : kMarks) {
        const double y = std::floor(layout::handleCentreY(m.value)) + 0.5;
        cairo_set_source_rgba(cr, kEngraving.r, kEngraving.g, kEngraving.b, m.major ? 0.75 : 0.4);
        const double len = m.major ? 4 : 3;
        cairo_move_to(cr, s.left - 1 - len, y);
        cairo_line_to(cr, s.left - 1, y);
        cairo_move_to(cr, s.right + 1, y);
        cairo_line_to(cr, s.right + 1 + len, y);
        cairo_stroke(cr);
    }
}

// The dB scale between two sliders, with the unit between their displays.
void scale(cairo_t* cr, const ControlSpec& left, const ControlSpec& right,
           const ControlSpec& leftDisplay, const ControlSpec& rightDisplay) {
    const double x = (left.size.right + right.size.left) / 2.0;
    for (const Mark& m : kMarks)
        text(cr, m.text, x, layout::handleCentreY(m.value) + 3, 8, kEngraving, Align::centre,
             m.major);
    text(cr, "dB", (leftDisplay.size.right + rightDisplay.size.left) / 2.0,
         leftDisplay.size.bottom - 4, 8, kCyan, Align::centre, true);
}

// Text turned a quarter to read upwards, centred on (x, y), baseline towards x + size / 3.
void upwards(cairo_t* cr, const char* s, double x, double y, double size, Rgb colour, bool bold) {
    cairo_save(cr);
    cairo_translate(cr, x + size / 3, y);
    cairo_rotate(cr, -M_PI / 2);
    text(cr, s, 0, 0, size, colour, Align::centre, bold);
    cairo_restore(cr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string out = argv[1];
    const auto& c = layout::kControls;
    const int n = layout::kSliders;
    bool ok = true;
    {
        const int w = bitmaps::kBackgroundWidth, h = bitmaps::kBackgroundHeight;
        Picture p(w, h);
        panel(p.cr, 0, 0, w, h, kPanel);
        for (double x : {6.0, w - 6.0})
            for (double y : {6.0, h - 6.0}) screw(p.cr, x, y, 3);
        for (int i = 0; i < n; ++i) {
            const CRect& s = c[i].size;
            const CRect& d = c[n + i].size;
            inset(p.cr, s.left, s.top, s.width(), s.height(), kGroove);  // behind the track
            inset(p.cr, d.left, d.top, d.width(), d.height(), {0, 0, 0});  // behind the display
            ticks(p.cr, s);
            const layout::Caption& caption = layout::kCaptions[i];
            const bool gain = caption.unit == nullptr;
            text(p.cr, caption.top, centreX(s), s.bottom + 10, 8, gain ? kCyan : kEngraving,
                 Align::centre, gain);
            if (caption.unit) text(p.cr, caption.unit, centreX(s), s.bottom + 19, 7, kEngraving,
                                   Align::centre);
        }
        scale(p.cr, c[0], c[1], c[n], c[n + 1]);
        scale(p.cr, c[n - 2], c[n - 1], c[2 * n - 2], c[2 * n - 1]);
        upwards(p.cr, "VESK", c[n].size.left / 2.0, h / 2.0, 11, kEngraving, true);
        upwards(p.cr, "Kesp VST", (w + c[2 * n - 1].size.right) / 2.0, h / 2.0, 8, kCyan, true);
        ok &= p.save(out, "background.png");
    }
    {
        const int w = bitmaps::kSliderTrackWidth, h = bitmaps::kSliderTrackHeight;
        Picture p(w, h);
        fill(p.cr, 0, 0, w, h, kGroove);
        inset(p.cr, w / 2 - 1, 3, 3, h - 6, {0.02, 0.02, 0.03});  // the slot the handle rides in
        ok &= p.save(out, "slider_track.png");
    }
    {
        Picture p(bitmaps::kSliderHandleWidth, bitmaps::kSliderHandleHeight);
        sliderHandle(p.cr, 0, 0, bitmaps::kSliderHandleWidth, bitmaps::kSliderHandleHeight,
                     kHandleCap, false);
        ok &= p.save(out, "slider_handle.png");
    }
    if (!ok) std::fprintf(stderr, "vesk_painter: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
