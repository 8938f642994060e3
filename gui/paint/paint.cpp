#include "paint.h"

#include <cmath>

namespace paint {

namespace {
void source(cairo_t* cr, Rgb c, double scale = 1.0) {
    cairo_set_source_rgb(cr, c.r * scale > 1 ? 1 : c.r * scale, c.g * scale > 1 ? 1 : c.g * scale,
                         c.b * scale > 1 ? 1 : c.b * scale);
}
}  // namespace

Picture::Picture(int w, int h)
    : surface(cairo_image_surface_create(CAIRO_FORMAT_RGB24, w, h)), cr(cairo_create(surface)),
      width(w), height(h) {
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
}

Picture::~Picture() {
    cairo_destroy(cr);
    cairo_surface_destroy(surface);
}

bool Picture::save(const std::string& folder, const char* file) const {
    cairo_surface_flush(surface);
    return cairo_surface_write_to_png(surface, (folder + "/" + file).c_str()) == CAIRO_STATUS_SUCCESS;
}

void fill(cairo_t* cr, double x, double y, double w, double h, Rgb colour) {
    source(cr, colour);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
}

void panel(cairo_t* cr, double x, double y, double w, double h, Rgb base) {
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, base.r * 1.25, base.g * 1.25, base.b * 1.25);
    cairo_pattern_add_color_stop_rgb(g, 1, base.r * 0.8, base.g * 0.8, base.b * 0.8);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, x, y, w, h);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Brushing: faint horizontal lines of a fixed pattern.
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < static_cast<int>(h); i += 2) {
        const double shade = ((i * 7919) % 13) / 13.0;
        cairo_set_source_rgba(cr, 1, 1, 1, 0.02 + 0.03 * shade);
        cairo_move_to(cr, x, y + i + 0.5);
        cairo_line_to(cr, x + w, y + i + 0.5);
        cairo_stroke(cr);
    }
    source(cr, base, 0.45);
    cairo_rectangle(cr, x + 0.5, y + 0.5, w - 1, h - 1);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.25);
    cairo_move_to(cr, x + 1.5, y + h - 1.5);
    cairo_line_to(cr, x + 1.5, y + 1.5);
    cairo_line_to(cr, x + w - 1.5, y + 1.5);
    cairo_stroke(cr);
}

void text(cairo_t* cr, const char* s, double x, double y, double size, Rgb colour, Align align,
          bool bold) {
    cairo_select_font_face(cr, "Liberation Sans", CAIRO_FONT_SLANT_NORMAL,
                           bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s, &e);
    if (align == Align::centre) x -= e.x_advance / 2;
    else if (align == Align::right) x -= e.x_advance;
    source(cr, colour);
    cairo_move_to(cr, x, y);
    cairo_show_text(cr, s);
}

void inset(cairo_t* cr, double x, double y, double w, double h, Rgb inside) {
    fill(cr, x, y, w, h, inside);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_move_to(cr, x - 0.5, y + h);
    cairo_line_to(cr, x - 0.5, y - 0.5);
    cairo_line_to(cr, x + w, y - 0.5);
    cairo_stroke(cr);
    cairo_set_source_rgba(cr, 1, 1, 1, 0.35);
    cairo_move_to(cr, x + w + 0.5, y);
    cairo_line_to(cr, x + w + 0.5, y + h + 0.5);
    cairo_line_to(cr, x, y + h + 0.5);
    cairo_stroke(cr);
}

void screw(cairo_t* cr, double x, double y, double radius) {
    cairo_pattern_t* g = cairo_pattern_create_radial(x - radius / 3, y - radius / 3, 0, x, y, radius);
    cairo_pattern_add_color_stop_rgb(g, 0, 0.95, 0.95, 0.95);
    cairo_pattern_add_color_stop_rgb(g, 1, 0.45, 0.45, 0.45);
    cairo_set_source(cr, g);
    cairo_arc(cr, x, y, radius, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_source_rgb(cr, 0.25, 0.25, 0.25);
    cairo_set_line_width(cr, 1);
    cairo_move_to(cr, x - radius * 0.7, y + radius * 0.3);
    cairo_line_to(cr, x + radius * 0.7, y - radius * 0.3);
    cairo_stroke(cr);
}

void sliderTrack(cairo_t* cr, double x, double y, double w, double h, Rgb ground, int ticks) {
    fill(cr, x, y, w, h, ground);
    const double mid = y + h / 2;
    inset(cr, x + 3, mid - 1.5, w - 6, 3, {0.05, 0.05, 0.05});
    cairo_set_line_width(cr, 1);
    for (int i = 0; i < ticks; ++i) {
        const double tx = std::floor(x + 8 + (w - 17) * i / (ticks - 1)) + 0.5;
        const bool major = i == 0 || i == ticks - 1 || i == ticks / 2;
        cairo_set_source_rgba(cr, 1, 1, 1, major ? 0.8 : 0.4);
        cairo_move_to(cr, tx, y + (major ? 0 : 1));
        cairo_line_to(cr, tx, mid - 3);
        cairo_move_to(cr, tx, mid + 3);
        cairo_line_to(cr, tx, y + h - (major ? 0 : 1));
        cairo_stroke(cr);
    }
}

void sliderHandle(cairo_t* cr, double x, double y, double w, double h, Rgb cap, bool horizontal) {
    fill(cr, x, y, w, h, {1, 1, 1});
    const double r = 2;
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r - 0.5, y + r + 0.5, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r - 0.5, y + h - r - 0.5, r, 0, M_PI / 2);
    cairo_arc(cr, x + r + 0.5, y + h - r - 0.5, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r + 0.5, y + r + 0.5, r, M_PI, 1.5 * M_PI);
    cairo_close_path(cr);
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x, y + h);
    cairo_pattern_add_color_stop_rgb(g, 0, cap.r * 1.3 > 1 ? 1 : cap.r * 1.3, cap.g * 1.3 > 1 ? 1 : cap.g * 1.3,
                                     cap.b * 1.3 > 1 ? 1 : cap.b * 1.3);
    cairo_pattern_add_color_stop_rgb(g, 1, cap.r * 0.6, cap.g * 0.6, cap.b * 0.6);
    cairo_set_source(cr, g);
    cairo_fill_preserve(cr);
    cairo_pattern_destroy(g);
    source(cr, cap, 0.35);
    cairo_set_line_width(cr, 1);
    cairo_stroke(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    if (horizontal) {
        cairo_move_to(cr, std::floor(x + w / 2) + 0.5, y + 2);
        cairo_line_to(cr, std::floor(x + w / 2) + 0.5, y + h - 2);
    } else {
        cairo_move_to(cr, x + 2, std::floor(y + h / 2) + 0.5);
        cairo_line_to(cr, x + w - 2, std::floor(y + h / 2) + 0.5);
    }
    cairo_stroke(cr);
}

void knob(cairo_t* cr, double x, double y, double size, double value, Rgb cap, Rgb ground) {
    fill(cr, x, y, size, size, ground);
    const double cx = x + size / 2, cy = y + size / 2, r = size * 0.38;
    cairo_set_source_rgba(cr, 0, 0, 0, 0.35);
    cairo_arc(cr, cx + 1, cy + 1.5, r + 1, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_t* g = cairo_pattern_create_radial(cx - r / 3, cy - r / 3, r / 8, cx, cy, r);
    cairo_pattern_add_color_stop_rgb(g, 0, cap.r * 1.4 > 1 ? 1 : cap.r * 1.4, cap.g * 1.4 > 1 ? 1 : cap.g * 1.4,
                                     cap.b * 1.4 > 1 ? 1 : cap.b * 1.4);
    cairo_pattern_add_color_stop_rgb(g, 1, cap.r * 0.55, cap.g * 0.55, cap.b * 0.55);
    cairo_set_source(cr, g);
    cairo_arc(cr, cx, cy, r, 0, 2 * M_PI);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    // Scale dots from 225 degrees (lower left) to -45 (lower right).
    for (int i = 0; i <= 10; ++i) {
        const double a = (225.0 - 27.0 * i) * M_PI / 180.0;
        cairo_set_source_rgba(cr, 1, 1, 1, 0.7);
        cairo_arc(cr, cx + std::cos(a) * (r + size * 0.08), cy - std::sin(a) * (r + size * 0.08),
                  size * 0.018 + 0.3, 0, 2 * M_PI);
        cairo_fill(cr);
    }
    const double a = (225.0 - 270.0 * value) * M_PI / 180.0;
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(cr, size * 0.06 + 0.5);
    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_move_to(cr, cx + std::cos(a) * r * 0.25, cy - std::sin(a) * r * 0.25);
    cairo_line_to(cr, cx + std::cos(a) * r * 0.9, cy - std::sin(a) * r * 0.9);
    cairo_stroke(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
}

void button(cairo_t* cr, double x, double y, double w, double h, const char* caption, bool pressed,
            Rgb cap) {
    fill(cr, x, y, w, h, {0.12, 0.12, 0.12});
    const double d = pressed ? 1 : 0;
    cairo_pattern_t* g = cairo_pattern_create_linear(x, y, x, y + h);
    const double top = pressed ? 0.7 : 1.25, bottom = pressed ? 1.0 : 0.7;
    cairo_pattern_add_color_stop_rgb(g, 0, cap.r * top > 1 ? 1 : cap.r * top, cap.g * top > 1 ? 1 : cap.g * top,
                                     cap.b * top > 1 ? 1 : cap.b * top);
    cairo_pattern_add_color_stop_rgb(g, 1, cap.r * bottom, cap.g * bottom, cap.b * bottom);
    cairo_set_source(cr, g);
    cairo_rectangle(cr, x + 2 + d, y + 2 + d, w - 4 - d, h - 4 - d);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
    cairo_set_line_width(cr, 1);
    cairo_set_source_rgba(cr, 1, 1, 1, pressed ? 0.15 : 0.45);
    cairo_move_to(cr, x + 2.5 + d, y + h - 2.5);
    cairo_line_to(cr, x + 2.5 + d, y + 2.5 + d);
    cairo_line_to(cr, x + w - 2.5, y + 2.5 + d);
    cairo_stroke(cr);
    const double size = h * 0.42 > 12 ? 12 : h * 0.42;
    text(cr, caption, x + w / 2 + d, y + h / 2 + size * 0.36 + d, size,
         pressed ? Rgb{1, 0.85, 0.5} : Rgb{0.1, 0.1, 0.1}, Align::centre, true);
}

}  // namespace paint
