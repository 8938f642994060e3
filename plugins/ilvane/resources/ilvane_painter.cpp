// Paints Ilvane's panel pictures into the folder given as the argument.
#include <cstdio>

#include "gui/paint/paint.h"
#include "plugins/ilvane/layout.h"

using namespace paint;
using namespace ilvane;

namespace {

const Rgb kPanel{0.26, 0.13, 0.08};    // dark copper
const Rgb kGroove{0.16, 0.07, 0.04};
const Rgb kEngraving{0.95, 0.78, 0.55};
const Rgb kAmber{0.8, 0.4, 0.0};

// The engraved scale above a slider, at the handle centre's positions for
// -12, -6, 0, +6 and +12 dB.
void scale(cairo_t* cr, const ControlSpec& slider, double baseline) {
    const double half = bitmaps::kLowHandleWidth / 2.0;
    const double from = slider.minPos + half, to = slider.maxPos + half;
    const char* marks[] = {"-12", "-6", "0", "+6", "+12 dB"};
    for (int i = 0; i < 5; ++i)
        text(cr, marks[i], from + (to - from) * i / 4.0, baseline, 8, kEngraving, Align::centre,
             i == 2);
}

void band(cairo_t* cr, const ControlSpec& slider, const ControlSpec& field, const char* name,
          const char* frequency) {
    const CRect& s = slider.size;
    const CRect& f = field.size;
    scale(cr, slider, s.top - 6);
    text(cr, name, 8, s.top + 9, 11, kEngraving, Align::left, true);
    text(cr, frequency, 8, s.top + 20, 8, kEngraving);
    inset(cr, s.left, s.top, s.width(), s.height(), kGroove);    // behind the track
    inset(cr, f.left, f.top, f.width(), f.height(), {0.2, 0, 0});  // behind the dB field
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string out = argv[1];
    bool ok = true;
    {
        Picture p(bitmaps::kBackgroundWidth, bitmaps::kBackgroundHeight);
        panel(p.cr, 0, 0, bitmaps::kBackgroundWidth, bitmaps::kBackgroundHeight, kPanel);
        screw(p.cr, 6, 6, 3);
        screw(p.cr, 333, 6, 3);
        screw(p.cr, 6, 125, 3);
        screw(p.cr, 333, 125, 3);
        const auto& c = layout::kControls;
        band(p.cr, c[0], c[1], "LOW", "shelf 100 Hz");
        band(p.cr, c[2], c[3], "HIGH", "shelf 5000 Hz");
        const CRect& field = c[1].size;
        const CRect& reset = c[4].size;
        text(p.cr, "GAIN", (field.left + field.right) / 2.0, field.top - 8, 8, kEngraving,
             Align::centre, true);
        text(p.cr, "RESET", (reset.left + reset.right) / 2.0, reset.bottom + 10, 8, kEngraving,
             Align::centre, true);
        text(p.cr, "Ilvane", 14, 114, 22, kEngraving, Align::left, true);
        text(p.cr, "two-band shelving equaliser", 92, 108, 9, kEngraving);
        text(p.cr, "Joralt", 92, 120, 9, kAmber, Align::left, true);
        ok &= p.save(out, "background.png");
    }
    for (const char* file : {"low_track.png", "high_track.png"}) {
        Picture p(202, 11);
        sliderTrack(p.cr, 0, 0, 202, 11, kGroove, 9);
        ok &= p.save(out, file);
    }
    {
        Picture p(17, 14);
        sliderHandle(p.cr, 0, 0, 17, 14, {0.85, 0.6, 0.3}, true);
        ok &= p.save(out, "low_handle.png");
    }
    {
        Picture p(17, 14);
        sliderHandle(p.cr, 0, 0, 17, 14, {0.9, 0.75, 0.45}, true);
        ok &= p.save(out, "high_handle.png");
    }
    {
        Picture p(60, 60);
        button(p.cr, 0, 0, 60, 30, "0 dB", false, {0.75, 0.5, 0.3});
        button(p.cr, 0, 30, 60, 30, "0 dB", true, kAmber);
        ok &= p.save(out, "reset_button.png");
    }
    if (!ok) std::fprintf(stderr, "ilvane_painter: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
