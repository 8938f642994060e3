// Drawing helpers for the programs that paint the plug-ins' bitmaps at build
// time. Coordinates in pixels; colours as 0..1 RGB.
#pragma once

#include <cairo.h>

#include <string>

namespace paint {

struct Rgb {
    double r, g, b;
};

// A 24-bit picture of w x h pixels and a cairo context on it.
struct Picture {
    Picture(int w, int h);
    ~Picture();
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
    // Writes folder/file as PNG; false on failure.
    bool save(const std::string& folder, const char* file) const;
    cairo_surface_t* surface;
    cairo_t* cr;
    int width;
    int height;
};

enum class Align { left, centre, right };

void fill(cairo_t* cr, double x, double y, double w, double h, Rgb colour);
// A brushed-metal panel with a darker rim.
void panel(cairo_t* cr, double x, double y, double w, double h, Rgb base);
// Text of size px (character height) with its baseline at y.
void text(cairo_t* cr, const char* s, double x, double y, double size, Rgb colour,
          Align align = Align::left, bool bold = false);
// A recessed rectangle (a groove or a display window).
void inset(cairo_t* cr, double x, double y, double w, double h, Rgb inside);
void screw(cairo_t* cr, double x, double y, double radius);
// A slider track: a slot along the middle with tick marks, w x h at (x, y).
void sliderTrack(cairo_t* cr, double x, double y, double w, double h, Rgb ground, int ticks);
// A slider handle filling w x h, with a grip line; white stays out of it (the
// transparent colour) so keep the corners white.
void sliderHandle(cairo_t* cr, double x, double y, double w, double h, Rgb cap, bool horizontal);
// A round knob centred in a size x size square, its pointer at value 0..1
// (from lower left through the top to lower right).
void knob(cairo_t* cr, double x, double y, double size, double value, Rgb cap, Rgb ground);
// A push button filling w x h, lit or not, with a caption.
void button(cairo_t* cr, double x, double y, double w, double h, const char* caption, bool pressed,
            Rgb cap);

}  // namespace paint
