// Paints Ilvane's panel pictures into the folder given as the argument.
#include <cstdio>

#include "paint.h"

using namespace paint;

namespace {

const Rgb kPanel{0.26, 0.13, 0.08};    // dark copper
const Rgb kGroove{0.16, 0.07, 0.04};
const Rgb kEngraving{0.95, 0.78, 0.55};
const Rgb kAmber{0.8, 0.4, 0.0};

// The engraved scale above or below a slider whose track starts at x0.
void scale(cairo_t* cr, double x0, double baseline) {
    // The handle's centre travels from x0 + 8.5 to x0 + 193.5.
    text(cr, "-12", x0 + 8.5, baseline, 8, kEngraving, Align::centre);
    text(cr, "-6", x0 + 54.75, baseline, 8, kEngraving, Align::centre);
    text(cr, "0", x0 + 101, baseline, 8, kEngraving, Align::centre, true);
    text(cr, "+6", x0 + 147.25, baseline, 8, kEngraving, Align::centre);
    text(cr, "+12 dB", x0 + 193.5, baseline, 8, kEngraving, Align::centre);
}

void band(cairo_t* cr, double y, const char* name, const char* frequency) {
    text(cr, name, 8, y + 9, 11, kEngraving, Align::left, true);
    text(cr, frequency, 8, y + 20, 8, kEngraving);
    inset(cr, 68, y, 202, 11, kGroove);           // behind the track
    inset(cr, 280, y - 5, 55, 20, {0.2, 0, 0});   // behind the dB field
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string out = argv[1];
    bool ok = true;
    {
        Picture p(339, 131);
        panel(p.cr, 0, 0, 339, 131, kPanel);
        screw(p.cr, 6, 6, 3);
        screw(p.cr, 333, 6, 3);
        screw(p.cr, 6, 125, 3);
        screw(p.cr, 333, 125, 3);
        scale(p.cr, 68, 19);
        band(p.cr, 25, "LOW", "shelf 100 Hz");
        scale(p.cr, 68, 59);
        band(p.cr, 65, "HIGH", "shelf 5000 Hz");
        text(p.cr, "GAIN", 307, 12, 8, kEngraving, Align::centre, true);
        text(p.cr, "RESET", 306, 127, 8, kEngraving, Align::centre, true);
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
