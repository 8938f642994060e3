// Paints Hoverin's panel pictures into the folder given as the argument.
#include <cmath>
#include <cstdio>
#include <string>

#include "gui/paint/paint.h"
#include "plugins/hoverin/layout.h"

using namespace paint;
using namespace hoverin;

namespace {

// Ilvane's family: the same copper panel, engraving and brass caps.
const Rgb kPanel{0.26, 0.13, 0.08};
const Rgb kPlate{0.16, 0.07, 0.04};  // the recess each knob sits in
const Rgb kEngraving{0.95, 0.78, 0.55};
const Rgb kAmber{0.9, 0.5, 0.1};
const Rgb kCap{0.85, 0.6, 0.3};

struct Label {
    const char* name;
    const char* unit;
};
// By parameter index.
const Label kLabels[layout::kKnobCount] = {
    {"DRY/WET", "%"},  {"FEEDBACK", "%"}, {"RATE", "cycles/s"},
    {"RANGE", "octaves"}, {"FREQUENCY", "Hz"}, {"OUT GAIN", "dB"},
};

// Text whose baseline runs upwards (turn < 0) or downwards (turn > 0) through
// (x, y), centred on y.
void vertical(cairo_t* cr, const char* s, double x, double y, double size, Rgb colour, double turn,
              bool bold) {
    cairo_save(cr);
    cairo_translate(cr, x, y);
    cairo_rotate(cr, turn);
    text(cr, s, 0, 0, size, colour, Align::centre, bold);
    cairo_restore(cr);
}

void background(cairo_t* cr) {
    const double w = bitmaps::kBackgroundWidth, h = bitmaps::kBackgroundHeight;
    panel(cr, 0, 0, w, h, kPanel);
    screw(cr, 6, 6, 3);
    screw(cr, w - 6, 6, 3);
    screw(cr, 6, h - 6, 3);
    screw(cr, w - 6, h - 6, 3);
    for (int i = 0; i < layout::kKnobCount; ++i) {
        const CRect& k = layout::kControls[layout::knobEntry(i)].size;
        const CRect& d = layout::kControls[layout::displayEntry(i)].size;
        const double centre = (k.left + k.right) / 2.0;
        text(cr, kLabels[i].name, centre, k.top - 17, 8.5, kEngraving, Align::centre, true);
        text(cr, kLabels[i].unit, centre, k.top - 6, 8, kEngraving, Align::centre);
        inset(cr, k.left, k.top, k.width(), k.height(), kPlate);
        inset(cr, d.left, d.top, d.width(), d.height(), {0, 0, 0});
    }
    // The name and the maker in the margins beside the row of knobs.
    const CRect& first = layout::kControls[layout::knobEntry(0)].size;
    const CRect& last = layout::kControls[layout::knobEntry(layout::kKnobCount - 1)].size;
    const double middle = (first.top + first.bottom) / 2.0;
    vertical(cr, "HOVERIN", first.left - 6, middle, 9, kEngraving, -M_PI / 2, true);
    vertical(cr, "Joralt", last.right + 6, middle, 8.5, kAmber, M_PI / 2, true);
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
        // Picture k shows the value k / 59: the first the minimum, the last the maximum.
        const int size = layout::kKnobSize;
        Picture p(bitmaps::kKnobStripWidth, bitmaps::kKnobStripHeight);
        for (int k = 0; k < layout::kKnobPictures; ++k)
            knob(p.cr, 0, size * k, size, k / double(layout::kKnobPictures - 1), kCap, kPlate);
        ok &= p.save(out, "knob_strip.png");
    }
    if (!ok) std::fprintf(stderr, "hoverin_painter: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
