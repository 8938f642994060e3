// Paints Gelmira's panel pictures into the folder given as the argument: the
// background with every label and unit engraved beside the control it names,
// and the strip of knob pictures.
#include <cstdio>

#include "gui/paint/paint.h"
#include "plugins/gelmira/layout.h"

using namespace paint;
using namespace gelmira;
using namespace gelmira::layout;

namespace {

const Rgb kPanel{0.13, 0.17, 0.15};   // dark verdigris
const Rgb kWell{0.07, 0.09, 0.08};    // behind the knobs; the knob pictures' ground
const Rgb kEngraving{0.95, 0.78, 0.55};
const Rgb kUnit{0.72, 0.62, 0.48};
const Rgb kAmber{0.8, 0.4, 0.0};
const Rgb kCap{0.55, 0.5, 0.42};

// A knob's name above it and its unit to its right, both read from its entry.
void label(cairo_t* cr, long tag, const char* name, const char* unit, double unitSize = 8) {
    const CRect& k = knobOf(tag).size;
    const double centre = (k.left + k.right) / 2.0;
    text(cr, name, centre, k.top - 4, 8, kEngraving, Align::centre, true);
    if (unit) text(cr, unit, k.right + 2, k.bottom - 3, unitSize, kUnit);
    fill(cr, k.left, k.top, k.width(), k.height(), kWell);
}

// A group's name centred between rules across the panel, on baseline y.
void heading(cairo_t* cr, const char* name, double y, double halfWidth) {
    const double centre = 105;
    text(cr, name, centre, y, 8, kAmber, Align::centre, true);
    cairo_set_source_rgba(cr, kEngraving.r, kEngraving.g, kEngraving.b, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, 10, y - 2.5);
    cairo_line_to(cr, centre - halfWidth - 5, y - 2.5);
    cairo_move_to(cr, centre + halfWidth + 5, y - 2.5);
    cairo_line_to(cr, 200, y - 2.5);
    cairo_stroke(cr);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string out = argv[1];
    bool ok = true;
    {
        Picture p(bitmaps::kBackgroundWidth, bitmaps::kBackgroundHeight);
        cairo_t* cr = p.cr;
        panel(cr, 0, 0, bitmaps::kBackgroundWidth, bitmaps::kBackgroundHeight, kPanel);
        screw(cr, 6, 6, 3);
        screw(cr, 204, 6, 3);
        screw(cr, 6, 336, 3);
        screw(cr, 204, 336, 3);

        heading(cr, "INPUT FILTERS", kRow[0] - 15, 32);
        label(cr, kHpIn, "HIGH-PASS", "Hz");
        label(cr, kRootPitch, "ROOT", nullptr);
        label(cr, kLpIn, "LOW-PASS", "Hz");

        heading(cr, "HARMONIC BANKS", kRow[1] - 20, 36);
        // A tune step is half a semitone; a gain is a linear factor (1 is flat).
        label(cr, kBank2Tune, "TUNE 2", "\xc2\xbd st", 7);
        label(cr, kFilterWidth, "WIDTH", "%");
        label(cr, kBank3Tune, "TUNE 3", "\xc2\xbd st", 7);
        label(cr, kBank2Gain, "GAIN 2", "\xc3\x97", 11);
        label(cr, kRootGain, "ROOT GAIN", "\xc3\x97", 11);
        label(cr, kBank3Gain, "GAIN 3", "\xc3\x97", 11);

        heading(cr, "OUTPUT FILTERS", kRow[3] - 20, 34);
        label(cr, kHpOut, "HIGH-PASS", "Hz");
        label(cr, kDryWet, "DRY/WET", nullptr);
        label(cr, kLpOut, "LOW-PASS", "Hz");

        text(cr, "Gelmira", 105, 339.5, 7, kEngraving, Align::centre, true);
        ok &= p.save(out, "background.png");
    }
    {
        Picture p(bitmaps::kKnobWidth, bitmaps::kKnobHeight);
        for (int i = 0; i < kKnobPictures; ++i)
            knob(p.cr, 0, i * kKnobSize, kKnobSize, i / double(kKnobPictures - 1), kCap, kWell);
        ok &= p.save(out, "knob.png");
    }
    if (!ok) std::fprintf(stderr, "gelmira_painter: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
