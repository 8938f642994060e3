// Paints Faroll's panel pictures into the folder given as the argument. The
// knob strips carry the background behind their rectangles, so a knob sits on
// the panel without a visible square.
#include <cairo.h>

#include <cmath>
#include <cstdio>

#include "gui/paint/paint.h"
#include "plugins/faroll/layout.h"

using namespace paint;
using namespace faroll;

namespace {

const Rgb kPanel{0.14, 0.18, 0.23};  // dark slate
const Rgb kEngraving{0.86, 0.9, 0.95};
const Rgb kAmber{0.95, 0.62, 0.2};

constexpr double kMinAngle = 225.0;  // degrees, counter-clockwise from 3 o'clock
constexpr double kSweep = 270.0;

double radians(double degrees) { return degrees * M_PI / 180.0; }

double centreX(const CRect& r) { return (r.left + r.right) / 2.0; }

// A label centred over a control's rectangle, its baseline above it by gap.
void labelAbove(cairo_t* cr, const char* s, const CRect& r, double gap) {
    text(cr, s, centreX(r), r.top - gap, 8, kEngraving, Align::centre, true);
}

// A vertical engraved line (a groove with a lit edge).
void groove(cairo_t* cr, double x, double top, double bottom) {
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    cairo_move_to(cr, x + 0.5, top);
    cairo_line_to(cr, x + 0.5, bottom);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.12);
    cairo_move_to(cr, x + 1.5, top);
    cairo_line_to(cr, x + 1.5, bottom);
    cairo_stroke(cr);
}

void paintBackground(cairo_t* cr) {
    const int w = bitmaps::kBackgroundWidth, h = bitmaps::kBackgroundHeight;
    panel(cr, 0, 0, w, h, kPanel);
    for (double x : {6.0, w - 6.0})
        for (double y : {6.0, h - 6.0}) screw(cr, x, y, 3);

    // Columns: a groove between the bands, from the top labels to the texts.
    const CRect& midGain = layout::text(layout::kMidGain).size;
    const CRect& highGain = layout::text(layout::kHighGain).size;
    const CRect& lastText = layout::text(layout::kMidFreq).size;
    groove(cr, midGain.left - 6, 8, lastText.bottom);
    groove(cr, highGain.left - 6, 8, lastText.bottom);

    const char* gains[] = {"LOW GAIN", "MID GAIN", "HIGH GAIN"};
    const char* freqs[] = {"LOW FREQ", "MID FREQ", "HIGH FREQ"};
    for (int band = 0; band < 3; ++band) {
        const ControlSpec& gain = layout::control(layout::kLowGain + band);
        const ControlSpec& freq = layout::control(layout::kLowFreq + band);
        labelAbove(cr, gains[band], gain.size, 6);
        labelAbove(cr, freqs[band], freq.size, 6);
        for (long tag : {gain.tag, freq.tag}) {
            const CRect& t = layout::text(tag).size;
            inset(cr, t.left, t.top, t.width(), t.height(), {0, 0, 0});
        }
        // "CUT" engraved beside each band's switch, in the switch's row.
        const CRect& cut = layout::control(layout::kLowCut + band).size;
        text(cr, "CUT", cut.right + 4, (cut.top + cut.bottom) / 2.0 + 3, 8, kEngraving,
             Align::left, true);
    }
    const CRect& reset = layout::control(layout::kReset).size;
    text(cr, "RESET", reset.left - 6, (reset.top + reset.bottom) / 2.0 + 3, 8, kEngraving,
         Align::right, true);

    text(cr, "Faroll", 14, h - 26, 22, kEngraving, Align::left, true);
    text(cr, "three-band mixer equaliser", 14, h - 13, 8, kEngraving);
    text(cr, "Joralt", 88, h - 26, 9, kAmber, Align::left, true);
}

// One picture of a knob centred in the square at (x, y): the scale, the cap,
// an arc lit from the minimum to the value and the pointer at value (0..1),
// from lower left (225 degrees) through the top to lower right.
void knobPicture(cairo_t* cr, double x, double y, double value, Rgb cap) {
    const double size = layout::kKnobSize;
    const double cx = x + size / 2, cy = y + size / 2, r = size * 0.33;
    const double scale = r + 6;
    // Scale: eleven ticks, the ends and the middle longer.
    cairo_set_line_width(cr, 1.2);
    for (int i = 0; i <= 10; ++i) {
        const double a = radians(kMinAngle - kSweep * i / 10.0);
        const double inner = (i == 0 || i == 5 || i == 10) ? r + 3 : r + 4;
        cairo_set_source_rgba(cr, kEngraving.r, kEngraving.g, kEngraving.b, 0.8);
        cairo_move_to(cr, cx + std::cos(a) * inner, cy - std::sin(a) * inner);
        cairo_line_to(cr, cx + std::cos(a) * (scale + 1.5), cy - std::sin(a) * (scale + 1.5));
        cairo_stroke(cr);
    }
    // The lit arc from the minimum to the value (cairo's angles run clockwise).
    const double angle = kMinAngle - kSweep * value;
    cairo_set_line_width(cr, 2.5);
    cairo_set_source_rgb(cr, kAmber.r, kAmber.g, kAmber.b);
    cairo_new_path(cr);
    cairo_arc(cr, cx, cy, r + 1.8, radians(-kMinAngle), radians(-angle));
    if (value > 0) cairo_stroke(cr);
    cairo_new_path(cr);
    // Shadow and cap.
    cairo_set_source_rgba(cr, 0, 0, 0, 0.4);
    cairo_arc(cr, cx + 1, cy + 1.5, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r / 3, cy - r / 3, r / 8, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(g, 0, std::fmin(1, cap.r * 1.6), std::fmin(1, cap.g * 1.6),
                                     std::fmin(1, cap.b * 1.6));
    cairo_pattern_add_color_stop_rgb(g, 1, cap.r * 0.55, cap.g * 0.55, cap.b * 0.55);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r - 0.5, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Pointer.
    const double a = radians(angle);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, 3);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, cx + std::cos(a) * r * 0.2, cy - std::sin(a) * r * 0.2);
    cairo_line_to(cr, cx + std::cos(a) * r * 0.85, cy - std::sin(a) * r * 0.85);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

// A strip of every picture of a knob, each on the background behind its
// rectangle, the pointer sweeping the whole travel (picture i shows i / 62).
bool knobStrip(const Picture& background, const ControlSpec& knob, Rgb cap,
               const std::string& out, const char* file) {
    Picture p(layout::kKnobSize, layout::kKnobSize * layout::kKnobPictures);
    for (int i = 0; i < layout::kKnobPictures; ++i) {
        const double top = layout::kKnobSize * i;
        cairo_save(p.cr);
        cairo_rectangle(p.cr, 0, top, layout::kKnobSize, layout::kKnobSize);
        cairo_clip(p.cr);
        cairo_set_source_surface(p.cr, background.surface, -knob.size.left, top - knob.size.top);
        cairo_paint(p.cr);
        cairo_restore(p.cr);
        knobPicture(p.cr, 0, top, i / double(layout::kKnobPictures - 1), cap);
    }
    return p.save(out, file);
}

// A lamp in a button's face: dark while off, glowing red while lit.
void lamp(cairo_t* cr, double cx, double cy, bool lit) {
    const double r = 5;
    if (lit) {
        cairo_pattern_t* glow = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r * 2.2);
        cairo_pattern_add_color_stop_rgba(glow, 0, 1, 0.3, 0.2, 0.7);
        cairo_pattern_add_color_stop_rgba(glow, 1, 1, 0.3, 0.2, 0);
        cairo_set_source(cr, glow);
        cairo_arc(cr, cx, cy, r * 2.2, 0, 2 * M_PI);
        cairo_fill(cr);
        cairo_pattern_destroy(glow);
    }
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r / 3, cy - r / 3, 0.5, cx, cy, r);
    if (lit) {
        cairo_pattern_add_color_stop_rgb(g, 0, 1, 0.85, 0.75);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.9, 0.12, 0.08);
    } else {
        cairo_pattern_add_color_stop_rgb(g, 0, 0.45, 0.2, 0.18);
        cairo_pattern_add_color_stop_rgb(g, 1, 0.18, 0.06, 0.05);
    }
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_stroke(cr);
}

// A cut switch: the upper picture (value 0, the band is cut) pressed with its
// lamp lit, the lower (value 1, the band plays) raised with the lamp dark.
bool cutButton(const std::string& out, const char* file) {
    const int w = bitmaps::kLowCutButtonWidth, h = layout::kButtonHeight;
    const Rgb face{0.72, 0.74, 0.76};
    Picture p(w, 2 * h);
    button(p.cr, 0, 0, w, h, "", true, face);
    lamp(p.cr, w / 2.0 + 1, h / 2.0 + 1, true);
    button(p.cr, 0, h, w, h, "", false, face);
    lamp(p.cr, w / 2.0, h + h / 2.0, false);
    return p.save(out, file);
}

// Reset: released above, pressed below.
bool resetButton(const std::string& out, const char* file) {
    const int w = bitmaps::kResetButtonWidth, h = layout::kButtonHeight;
    Picture p(w, 2 * h);
    button(p.cr, 0, 0, w, h, "0 dB", false, {0.72, 0.74, 0.76});
    button(p.cr, 0, h, w, h, "0 dB", true, kAmber);
    return p.save(out, file);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const std::string out = argv[1];
    bool ok = true;
    Picture background(bitmaps::kBackgroundWidth, bitmaps::kBackgroundHeight);
    paintBackground(background.cr);
    cairo_surface_flush(background.surface);
    ok &= background.save(out, "background.png");

    ok &= knobStrip(background, layout::kLowGainKnob, {0.42, 0.44, 0.47}, out, "gain_knob.png");
    ok &= knobStrip(background, layout::kLowFreqKnob, {0.55, 0.3, 0.22}, out, "low_freq_knob.png");
    ok &= knobStrip(background, layout::kMidFreqKnob, {0.55, 0.47, 0.22}, out, "mid_freq_knob.png");
    ok &= knobStrip(background, layout::kHighFreqKnob, {0.25, 0.38, 0.58}, out,
                    "high_freq_knob.png");

    for (const char* file : {"low_cut_button.png", "mid_cut_button.png", "high_cut_button.png"})
        ok &= cutButton(out, file);
    ok &= resetButton(out, "reset_button.png");
    if (!ok) std::fprintf(stderr, "faroll_painter: cannot write into %s\n", argv[1]);
    return ok ? 0 : 1;
}
