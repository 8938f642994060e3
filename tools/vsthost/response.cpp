// `response PLUGIN --png OUT.png [--csv OUT.csv]`: the magnitude response at
// the given settings, as a plot and/or a table. An effect that is linear and
// does not change over time is measured from its impulse response (every
// peak and notch at its true height); any other with steady sines on a grid.
#include <cmath>
#include <cstdio>
#include <memory>

#include "arguments.h"
#include "commands.h"
#include "errors.h"
#include "impulse.h"
#include "measure.h"
#include "output_file.h"
#include "plot.h"
#include "processor.h"
#include "progress.h"
#include "session.h"

namespace vsthost {
namespace {

std::vector<std::string> channelNames(int outputs) {
    if (outputs == 2) return {"left", "right"};
    std::vector<std::string> names;
    for (int c = 0; c < outputs; ++c) names.push_back("out" + std::to_string(c + 1));
    return names;
}

void writeCsv(const std::vector<ResponsePoint>& points, int outputs, const std::string& path,
              const std::string& shown) {
    FILE* f = std::fopen(path.c_str(), "w");
    if (!f) throw ToolError(Exit::cannotWrite, "cannot write " + shown);
    auto names = channelNames(outputs);
    std::fprintf(f, "frequency_hz");
    for (const auto& n : names) std::fprintf(f, ",%s_db", n.c_str());
    for (const auto& n : names) std::fprintf(f, ",%s_phase_deg", n.c_str());
    std::fprintf(f, "\n");
    for (const auto& p : points) {
        std::fprintf(f, "%.6g", p.hz);
        for (const auto& g : p.gain) std::fprintf(f, ",%.4f", gainDb(g));
        for (const auto& g : p.gain) {
            double degrees = std::round(std::arg(g) * 18000.0 / M_PI) / 100.0;
            std::fprintf(f, ",%.2f", degrees == 0.0 ? 0.0 : degrees);  // no "-0.00"
        }
        std::fprintf(f, "\n");
    }
    bool failed = std::ferror(f) != 0;
    if (std::fclose(f) != 0 || failed) throw ToolError(Exit::cannotWrite, "cannot write " + shown);
}

Plot makePlot(const std::vector<ResponsePoint>& points, int outputs, const std::string& title,
              const std::string& subtitle, double fromHz, double toHz) {
    Plot plot;
    plot.title = title;
    plot.subtitle = subtitle;
    plot.fromHz = fromHz;
    plot.toHz = toHz;
    static const double colours[][3] = {{0.10, 0.35, 0.75}, {0.85, 0.40, 0.05}, {0.15, 0.6, 0.25},
                                        {0.6, 0.2, 0.6},    {0.5, 0.5, 0.1},    {0.1, 0.55, 0.55},
                                        {0.7, 0.1, 0.2},    {0.3, 0.3, 0.3}};
    auto names = channelNames(outputs);
    bool sameAsFirst = true;  // all outputs alike: one curve says it all
    for (const auto& p : points)
        for (int c = 1; c < outputs; ++c)
            if (!(std::fabs(gainDb(p.gain[c]) - gainDb(p.gain[0])) <= 0.01)) sameAsFirst = false;
    int curves = sameAsFirst ? 1 : std::min(outputs, 8);
    for (int c = 0; c < curves; ++c) {
        PlotCurve curve;
        curve.name = sameAsFirst && outputs > 1 ? "all outputs" : names[c];
        curve.red = colours[c][0];
        curve.green = colours[c][1];
        curve.blue = colours[c][2];
        curve.dashed = c > 0;
        for (const auto& p : points) {
            curve.hz.push_back(p.hz);
            curve.db.push_back(gainDb(p.gain[c]));
        }
        plot.curves.push_back(curve);
    }
    return plot;
}

std::string baseName(const std::string& path) {
    auto slash = path.rfind('/');
    std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    auto dot = base.rfind('.');
    return dot == std::string::npos || dot == 0 ? base : base.substr(0, dot);
}

}  // namespace

void runResponse(const Words& words) {
    Arguments arguments(words, {{"png", true}, {"csv", true}, {"set", true}, {"program", true},
                                {"rate", true}, {"from", true}, {"to", true}, {"points", true},
                                {"level", true}, {"precision", true}, {"block", true}, {"quiet", false}, {"keep-instance", false},
                                {"host-version", true}, {"method", true}});
    if (arguments.positional().size() != 1 || !(arguments.has("png") || arguments.has("csv")))
        throw ToolError(Exit::usage, "usage: vsthost response PLUGIN --png OUT.png [--csv OUT.csv] [options]");
    const std::string& pluginPath = arguments.positional()[0];
    MeasureOptions options;
    options.sampleRate = parseNumber(arguments.value("rate").value_or("44100"), "--rate", 8000, 768000);
    options.fromHz = parseNumber(arguments.value("from").value_or("20"), "--from", 1, 0.48 * options.sampleRate);
    options.toHz = parseNumber(arguments.value("to").value_or("20000"), "--to", options.fromHz * 1.01, 400000);
    options.pointsPerDecade = static_cast<int>(parseInteger(arguments.value("points").value_or("30"), "--points", 1, 1000));
    options.levelDb = parseNumber(arguments.value("level").value_or("-20"), "--level", -120, 0);
    int precision = static_cast<int>(parseInteger(arguments.value("precision").value_or("32"), "--precision", 32, 64));
    if (precision != 32 && precision != 64)
        throw ToolError(Exit::badValue, "--precision: " + std::to_string(precision) + " must be 32 or 64");
    int block = static_cast<int>(parseInteger(arguments.value("block").value_or("512"), "--block", 1, 1 << 20));
    Settings settings = Settings::from(arguments);
    bool quiet = arguments.has("quiet");
    const std::string method = arguments.value("method").value_or("auto");
    if (method != "auto" && method != "impulse" && method != "sines")
        throw ToolError(Exit::badValue, "--method: \"" + method + "\" must be auto, impulse or sines");

    const long hostVersion = hostVersionFrom(arguments);
    Session session(pluginPath, hostVersion);
    session.prepare(options.sampleRate, block, settings);
    std::vector<std::string> applied = session.apply(settings);
    Processor processor(session.plugin(), precision, block);
    // Created before measuring, so an unwritable destination fails at once.
    std::unique_ptr<OutputFile> png, csv;
    if (auto p = arguments.value("png")) png = std::make_unique<OutputFile>(*p);
    if (auto c = arguments.value("csv")) csv = std::make_unique<OutputFile>(*c);

    auto grid = responseFrequencies(options);
    if (grid.empty()) throw ToolError(Exit::badValue, "no frequency to measure between --from and --to");
    const double top = std::min(options.toHz, 0.48 * options.sampleRate);
    std::vector<ResponsePoint> points;
    std::string how, whyNotImpulse;

    // The impulse response of this instance; for auto, a second fresh
    // instance at half the level and 0.37 s later must give the same one.
    bool sessionUsed = false;
    if (method != "sines") {
        const double amplitude = std::pow(10.0, options.levelDb / 20.0);
        const double maxSeconds = 30.0;
        session.plugin().resume();
        ImpulseResponse first = recordImpulse(processor, block, amplitude, options.sampleRate, 0, maxSeconds);
        session.plugin().suspend();
        session.clearCallLog();
        sessionUsed = true;
        bool use = method == "impulse";
        if (method == "auto") {
            if (!first.decayed) {
                whyNotImpulse = "its impulse response did not decay within 30 s";
            } else {
                Session other(pluginPath, hostVersion);
                other.prepare(options.sampleRate, block, settings);
                other.apply(settings);
                Processor through(other.plugin(), precision, block);
                other.plugin().resume();
                ImpulseResponse second = recordImpulse(through, block, amplitude / 2, options.sampleRate,
                                                       static_cast<std::int64_t>(0.37 * options.sampleRate), maxSeconds);
                other.plugin().suspend();
                use = isLinearAndSteady(first, second);
                if (!use) whyNotImpulse = "it changes over time or with the level";
            }
        }
        if (use) {
            std::int64_t fftSize = 0;
            points = impulseSpectrum(first, grid, options.fromHz, top, fftSize);
            char text[160];
            std::snprintf(text, sizeof(text), "from the impulse response (%.3g s, %lld-point FFT)%s",
                          static_cast<double>(first.outputs[0].size()) / options.sampleRate,
                          static_cast<long long>(fftSize), first.decayed ? "" : ", cut off before it decayed");
            how = text;
        }
    }
    if (points.empty()) {
        // Each frequency on a new instance at the same settings, so a plug-in
        // that changes over time (a sweep, an envelope) is seen at one moment
        // of its course at every frequency; --keep-instance plays them all in
        // turn through the first instance.
        const bool fresh = !arguments.has("keep-instance");
        Progress progress(static_cast<std::int64_t>(grid.size()), !quiet && stderrIsTerminal());
        session.plugin().resume();
        for (double hz : grid) {
            // The first instance serves the first frequency, unless the
            // impulse has already been through it.
            const bool first = !fresh || (points.empty() && !sessionUsed);
            if (first) {
                points.push_back(measurePoint(processor, block, hz, options));
                session.clearCallLog();
            } else {
                Session other(pluginPath, hostVersion);
                other.prepare(options.sampleRate, block, settings);
                other.apply(settings);
                Processor through(other.plugin(), precision, block);
                other.plugin().resume();
                points.push_back(measurePoint(through, block, hz, options));
                other.plugin().suspend();
            }
            progress.update(static_cast<std::int64_t>(points.size()));
        }
        session.plugin().suspend();
        progress.finish();
        how = "with steady sines, " + std::to_string(options.pointsPerDecade) + " a decade" +
              (fresh ? " (a new instance for each)" : " (one instance)");
        if (!whyNotImpulse.empty()) how += ": " + whyNotImpulse;
    }

    std::string name = printable(session.plugin().effectName());
    if (name.empty()) name = printable(session.plugin().productString());
    if (name.empty()) name = baseName(pluginPath);
    std::string subtitle = std::to_string(static_cast<long>(options.sampleRate)) + " Hz";
    if (session.record().numPrograms > 0) {
        std::string program = printable(session.plugin().programName());
        subtitle += ", program " + std::to_string(session.plugin().program()) +
                    (program.empty() ? "" : " \"" + program + "\"");
    }
    subtitle += applied.empty() ? ", default settings" : "";
    for (const auto& line : applied) subtitle += ", " + line;

    if (csv) {
        writeCsv(points, processor.outputs(), csv->path(), csv->target());
        csv->commit();
    }
    if (png) {
        Plot plot = makePlot(points, processor.outputs(), name + ": magnitude response", subtitle, options.fromHz,
                             std::min(options.toHz, 0.48 * options.sampleRate));
        plot.method = "Measured " + how;
        writePlotPng(plot, png->path());
        png->commit();
    }
    if (!quiet) {
        for (const auto& line : applied) std::printf("set %s\n", line.c_str());
        double lo = INFINITY, hi = -INFINITY;
        for (const auto& p : points)
            for (const auto& g : p.gain) {
                lo = std::min(lo, gainDb(g));
                hi = std::max(hi, gainDb(g));
            }
        std::printf("measured %s: %zu frequencies from %g to %g Hz, gain %.2f to %.2f dB\n", how.c_str(),
                    points.size(), points.front().hz, points.back().hz, lo, hi);
        if (png) std::printf("wrote %s\n", png->target().c_str());
        if (csv) std::printf("wrote %s\n", csv->target().c_str());
    }
}

}  // namespace vsthost
