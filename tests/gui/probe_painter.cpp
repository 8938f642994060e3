// Paints the editor probe's pictures into the folder given as the argument.
#include <cstdio>

#include "gui/paint/paint.h"

using namespace paint;

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string out = argv[1];
    const Rgb ground{0.2, 0.22, 0.25};
    bool ok = true;
    {
        Picture p(200, 120);
        panel(p.cr, 0, 0, 200, 120, ground);
        text(p.cr, "PROBE", 100, 14, 10, {1, 1, 1}, Align::centre, true);
        text(p.cr, "Level", 10, 38, 9, {1, 1, 1});
        text(p.cr, "Drive", 150, 92, 9, {1, 1, 1});
        ok &= p.save(out, "probe_background.png");
    }
    {
        Picture p(30, 1890);
        for (int i = 0; i < 63; ++i) knob(p.cr, 0, i * 30, 30, i / 62.0, {0.6, 0.6, 0.65}, ground);
        ok &= p.save(out, "probe_knob.png");
    }
    {
        Picture p(100, 11);
        sliderTrack(p.cr, 0, 0, 100, 11, ground, 5);
        ok &= p.save(out, "probe_track.png");
    }
    {
        Picture p(10, 14);
        sliderHandle(p.cr, 0, 0, 10, 14, {0.8, 0.8, 0.8}, true);
        ok &= p.save(out, "probe_handle.png");
    }
    {
        Picture p(20, 20);
        button(p.cr, 0, 0, 20, 10, "off", false, {0.6, 0.6, 0.6});
        button(p.cr, 0, 10, 20, 10, "on", true, {0.9, 0.5, 0.1});
        ok &= p.save(out, "probe_onoff.png");
    }
    {
        Picture p(30, 30);
        button(p.cr, 0, 0, 30, 15, "kick", false, {0.6, 0.6, 0.6});
        button(p.cr, 0, 15, 30, 15, "kick", true, {0.9, 0.5, 0.1});
        ok &= p.save(out, "probe_kick.png");
    }
    if (!ok) std::fprintf(stderr, "probe_painter: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
