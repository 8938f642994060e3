// A labelled magnitude-response plot on a logarithmic frequency axis, as PNG.
#pragma once

#include <string>
#include <vector>

namespace vsthost {

struct PlotCurve {
    std::string name;
    std::vector<double> hz, db;  // equal lengths; non-finite points are skipped
    double red, green, blue;
    bool dashed = false;
};

struct Plot {
    std::string title, subtitle;
    std::string method;  // how the curves were measured: a line of its own under the title
    double fromHz = 20.0, toHz = 20000.0;
    std::vector<PlotCurve> curves;
};

// The gain range shown (dB): whole steps around the data, at least -12 to +12.
void plotRange(const Plot& plot, double& lowDb, double& highDb, double& stepDb);

// Draws plot (width x height pixels) into a PNG at path; throws ToolError(cannotWrite).
void writePlotPng(const Plot& plot, const std::string& path, int width = 960, int height = 540);

// Frees the font and drawing caches of the process (once no plot is drawn any
// more), so leak checkers see only our own memory.
void releaseDrawingCaches();

}  // namespace vsthost
