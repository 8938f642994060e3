#include "plot.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "errors.h"

namespace vsthost {
namespace {

const char* kFont = "DejaVu Sans";

std::string hzLabel(double hz) {
    char text[16];
    if (hz >= 1000.0)
        std::snprintf(text, sizeof(text), "%gk", hz / 1000.0);
    else
        std::snprintf(text, sizeof(text), "%g", hz);
    return text;
}

void text(cairo_t* cr, double x, double y, const std::string& s, double size, double alignX, double alignY,
          bool bold = false) {
    cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL, bold ? CAIRO_FONT_WEIGHT_BOLD : CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    cairo_text_extents_t e;
    cairo_text_extents(cr, s.c_str(), &e);
    cairo_move_to(cr, x - alignX * e.width - e.x_bearing, y - alignY * e.height - e.y_bearing);
    cairo_show_text(cr, s.c_str());
}

// Splits s at ", " into lines no wider than width (at size); a last line that
// is still too wide is cut short with "...".
std::vector<std::string> wrap(cairo_t* cr, const std::string& s, double size, double width) {
    cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
    cairo_set_font_size(cr, size);
    auto fits = [&](const std::string& t) {
        cairo_text_extents_t e;
        cairo_text_extents(cr, t.c_str(), &e);
        return e.x_advance <= width;
    };
    std::vector<std::string> lines{""};
    size_t at = 0;
    while (at < s.size()) {
        size_t comma = s.find(", ", at);
        std::string piece = s.substr(at, comma == std::string::npos ? std::string::npos : comma + 2 - at);
        at = comma == std::string::npos ? s.size() : comma + 2;
        if (!lines.back().empty() && !fits(lines.back() + piece) && lines.size() < 2) lines.push_back("");
        lines.back() += piece;
    }
    std::string& last = lines.back();
    if (!fits(last)) {
        while (!last.empty() && !fits(last + "...")) last.pop_back();
        last += "...";
    }
    return lines;
}

}  // namespace

void plotRange(const Plot& plot, double& low, double& high, double& step) {
    double lo = 0.0, hi = 0.0;
    for (const auto& c : plot.curves)
        for (double v : c.db)
            if (std::isfinite(v)) {
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
    lo = std::max(lo, -150.0);
    hi = std::min(hi, 150.0);
    const double span = std::max(hi - lo, 24.0);
    step = span <= 24.0 ? 3.0 : span <= 48.0 ? 6.0 : span <= 96.0 ? 12.0 : 24.0;
    low = std::min(-12.0, std::floor((lo - 0.5) / step) * step);
    high = std::max(12.0, std::ceil((hi + 0.5) / step) * step);
}

void writePlotPng(const Plot& plot, const std::string& path, int width, int height) {
    cairo_surface_t* surface = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, height);
    cairo_t* cr = cairo_create(surface);
    // Up to three lines under the title: how it was measured, then the subtitle.
    std::vector<std::string> lines;
    if (!plot.method.empty()) lines.push_back(plot.method);
    {
        cairo_surface_t* probe = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 1, 1);
        cairo_t* measure = cairo_create(probe);
        for (const auto& line : wrap(measure, plot.subtitle, 11, width - 24.0 - 78)) lines.push_back(line);
        cairo_destroy(measure);
        cairo_surface_destroy(probe);
    }
    if (lines.size() > 3) lines.resize(3);
    const double left = 78, right = width - 24.0, top = std::max(70.0, 40.0 + 15.0 * lines.size()),
                 bottom = height - 58.0;
    double low, high, step;
    plotRange(plot, low, high, step);
    const double logFrom = std::log10(plot.fromHz), logTo = std::log10(plot.toHz);
    auto xOf = [&](double hz) { return left + (std::log10(hz) - logFrom) / (logTo - logFrom) * (right - left); };
    auto yOf = [&](double db) { return bottom - (db - low) / (high - low) * (bottom - top); };

    cairo_set_source_rgb(cr, 1, 1, 1);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.1, 0.1, 0.1);
    text(cr, left, 14, plot.title, 18, 0, 0, true);
    cairo_set_source_rgb(cr, 0.35, 0.35, 0.35);
    for (size_t i = 0; i < lines.size(); ++i) text(cr, left, 38 + 15.0 * i, lines[i], 11, 0, 0);

    // Grid: 1-2-5 per decade across, every step dB up; 0 dB stronger.
    cairo_set_line_width(cr, 1.0);
    for (double decade = std::pow(10.0, std::floor(logFrom)); decade <= plot.toHz; decade *= 10.0)
        for (double m : {1.0, 2.0, 3.0, 4.0, 5.0, 6.0, 7.0, 8.0, 9.0}) {
            double hz = decade * m;
            if (hz < plot.fromHz * 0.999 || hz > plot.toHz * 1.001) continue;
            bool labelled = m == 1.0 || m == 2.0 || m == 5.0;
            double x = std::round(xOf(hz)) + 0.5;
            cairo_set_source_rgb(cr, labelled ? 0.82 : 0.92, labelled ? 0.82 : 0.92, labelled ? 0.82 : 0.92);
            cairo_move_to(cr, x, top);
            cairo_line_to(cr, x, bottom);
            cairo_stroke(cr);
            if (labelled) {
                cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
                text(cr, x, bottom + 8, hzLabel(hz), 11, 0.5, 0);
            }
        }
    for (double db = low; db <= high + 1e-9; db += step) {
        double y = std::round(yOf(db)) + 0.5;
        double shade = db == 0.0 ? 0.55 : 0.82;
        cairo_set_source_rgb(cr, shade, shade, shade);
        cairo_move_to(cr, left, y);
        cairo_line_to(cr, right, y);
        cairo_stroke(cr);
        char label[16];
        std::snprintf(label, sizeof(label), "%+g", db);
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        text(cr, left - 8, y, db == 0.0 ? "0" : label, 11, 1.0, 0.5);
    }
    cairo_set_source_rgb(cr, 0.3, 0.3, 0.3);
    cairo_rectangle(cr, left + 0.5, top + 0.5, right - left - 1, bottom - top - 1);
    cairo_stroke(cr);
    text(cr, (left + right) / 2, height - 22.0, "Frequency (Hz)", 12, 0.5, 0);
    cairo_save(cr);
    cairo_translate(cr, 20, (top + bottom) / 2);
    cairo_rotate(cr, -M_PI / 2);
    text(cr, 0, 0, "Gain (dB)", 12, 0.5, 0.5);
    cairo_restore(cr);

    // Curves, clipped to the plot area, with a legend at the top right.
    cairo_save(cr);
    cairo_rectangle(cr, left, top, right - left, bottom - top);
    cairo_clip(cr);
    cairo_set_line_width(cr, 2.0);
    for (const auto& c : plot.curves) {
        cairo_set_source_rgb(cr, c.red, c.green, c.blue);
        double dash[] = {7.0, 5.0};
        cairo_set_dash(cr, dash, c.dashed ? 2 : 0, 0);
        bool pen = false;
        for (size_t i = 0; i < c.hz.size() && i < c.db.size(); ++i) {
            if (!std::isfinite(c.db[i])) {
                pen = false;
                continue;
            }
            double y = yOf(std::clamp(c.db[i], low - step, high + step));
            if (pen)
                cairo_line_to(cr, xOf(c.hz[i]), y);
            else
                cairo_move_to(cr, xOf(c.hz[i]), y);
            pen = true;
        }
        cairo_stroke(cr);
    }
    cairo_restore(cr);
    double legendY = 22;
    double legendX = right;
    for (auto it = plot.curves.rbegin(); it != plot.curves.rend(); ++it) {
        cairo_set_source_rgb(cr, 0.2, 0.2, 0.2);
        cairo_select_font_face(cr, kFont, CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL);
        cairo_set_font_size(cr, 11);
        cairo_text_extents_t e;
        cairo_text_extents(cr, it->name.c_str(), &e);
        legendX -= e.x_advance;
        text(cr, legendX, legendY, it->name, 11, 0, 0.5);
        cairo_set_source_rgb(cr, it->red, it->green, it->blue);
        cairo_set_line_width(cr, 2.0);
        double dash[] = {7.0, 5.0};
        cairo_set_dash(cr, dash, it->dashed ? 2 : 0, 0);
        cairo_move_to(cr, legendX - 30, legendY);
        cairo_line_to(cr, legendX - 6, legendY);
        cairo_stroke(cr);
        cairo_set_dash(cr, nullptr, 0, 0);
        legendX -= 50;
    }

    cairo_destroy(cr);
    cairo_surface_flush(surface);
    cairo_status_t status = cairo_surface_write_to_png(surface, path.c_str());
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS)
        throw ToolError(Exit::cannotWrite, "cannot write the plot: " + std::string(cairo_status_to_string(status)));
}

void releaseDrawingCaches() {
    cairo_debug_reset_static_data();
    FcFini();
}

}  // namespace vsthost
