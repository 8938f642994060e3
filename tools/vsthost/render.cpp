// `render PLUGIN IN OUT`: an audio file through the plug-in, written at the
// input's sample rate and format. Mono input feeds every plug-in input.
#include <cmath>
#include <cstdio>
#include <vector>

#include "arguments.h"
#include "audio_file.h"
#include "commands.h"
#include "errors.h"
#include "output_file.h"
#include "processor.h"
#include "progress.h"
#include "session.h"

namespace vsthost {

void runRender(const Words& words) {
    Arguments arguments(words, {{"set", true}, {"program", true}, {"precision", true}, {"block", true},
                                {"tail", true}, {"quiet", false}, {"host-version", true}});
    if (arguments.positional().size() != 3)
        throw ToolError(Exit::usage, "usage: vsthost render PLUGIN IN OUT [options]");
    const std::string& pluginPath = arguments.positional()[0];
    const std::string& inPath = arguments.positional()[1];
    const std::string& outPath = arguments.positional()[2];
    int precision = static_cast<int>(parseInteger(arguments.value("precision").value_or("32"), "--precision", 32, 64));
    if (precision != 32 && precision != 64)
        throw ToolError(Exit::badValue, "--precision: " + std::to_string(precision) + " must be 32 or 64");
    int block = static_cast<int>(parseInteger(arguments.value("block").value_or("512"), "--block", 1, 1 << 20));
    double tailSeconds = parseNumber(arguments.value("tail").value_or("0"), "--tail", 0.0, 3600.0);
    Settings settings = Settings::from(arguments);
    bool quiet = arguments.has("quiet");

    Session session(pluginPath, hostVersionFrom(arguments));
    AudioReader input(inPath);
    session.prepare(input.sampleRate(), block, settings);
    std::vector<std::string> applied = session.apply(settings);
    Processor processor(session.plugin(), precision, block);

    const int fileChannels = input.channels();
    const int outChannels = processor.outputs();
    OutputFile output(outPath);
    AudioWriter writer(output.path(), input.format(), outChannels, input.sampleRate(), outPath);

    const std::int64_t tail = static_cast<std::int64_t>(std::llround(tailSeconds * input.sampleRate()));
    const std::int64_t total = input.frames() + tail;
    Progress progress(total, !quiet && stderrIsTerminal() && total > 10 * input.sampleRate());
    std::vector<double> frameIn(static_cast<size_t>(block) * fileChannels);
    std::vector<double> frameOut(static_cast<size_t>(block) * outChannels);
    std::int64_t done = 0, clipped = 0, nonFinite = 0, tailLeft = tail;
    double peak = 0.0;
    session.plugin().resume();
    for (;;) {
        std::int64_t got = input.read(frameIn.data(), block);
        if (got == 0 && tailLeft > 0) {
            got = std::min<std::int64_t>(tailLeft, block);
            tailLeft -= got;
            std::fill(frameIn.begin(), frameIn.end(), 0.0);
        }
        if (got == 0) break;
        const int n = static_cast<int>(got);
        for (int c = 0; c < processor.inputs(); ++c) {
            double* channel = processor.input(c);
            int from = fileChannels == 1 ? 0 : c;
            for (int i = 0; i < n; ++i) channel[i] = from < fileChannels ? frameIn[i * fileChannels + from] : 0.0;
        }
        processor.process(n);
        for (int c = 0; c < outChannels; ++c) {
            const double* channel = processor.output(c);
            for (int i = 0; i < n; ++i) {
                double v = channel[i];
                if (!std::isfinite(v)) {
                    v = 0.0;
                    ++nonFinite;
                }
                if (std::fabs(v) > 1.0) ++clipped;
                peak = std::max(peak, std::fabs(v));
                frameOut[i * outChannels + c] = v;
            }
        }
        writer.write(frameOut.data(), n);
        done += n;
        session.clearCallLog();
        progress.update(done);
    }
    session.plugin().suspend();
    progress.finish();
    writer.close();
    output.commit();

    if (!quiet) {
        for (const auto& line : applied) std::printf("set %s\n", line.c_str());
        std::printf("wrote %s: %lld frames, %d channels, %d Hz, %s, %d-bit processing, peak %.2f dBFS\n",
                    outPath.c_str(), static_cast<long long>(done), outChannels, input.sampleRate(),
                    describeFormat(input.format()).c_str(), precision,
                    peak > 0 ? 20.0 * std::log10(peak) : -INFINITY);
    }
    if (nonFinite)
        std::fprintf(stderr, "warning: %lld samples from the plug-in were not finite and were written as 0\n",
                     static_cast<long long>(nonFinite));
    if (clipped && writer.clips())
        std::fprintf(stderr, "warning: %lld samples exceeded full scale and were clipped\n",
                     static_cast<long long>(clipped));
}

}  // namespace vsthost
