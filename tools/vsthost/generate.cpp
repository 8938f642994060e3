// `generate OUT`: test and demonstration signals, so nothing needs a sample
// file: a short musical phrase with noise and a sweep (demo), a steady sine,
// a logarithmic sweep, white noise or silence.
#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "arguments.h"
#include "audio_file.h"
#include "commands.h"
#include "errors.h"
#include "output_file.h"

namespace vsthost {
namespace {

int formatFromName(const std::string& path, const std::string& encoding) {
    auto dot = path.rfind('.');
    std::string ext = dot == std::string::npos ? "" : path.substr(dot + 1);
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    int major = ext == "wav"                    ? SF_FORMAT_WAV
                : ext == "flac"                 ? SF_FORMAT_FLAC
                : ext == "aif" || ext == "aiff" ? SF_FORMAT_AIFF
                                                : 0;
    if (!major) throw ToolError(Exit::usage, "cannot tell the file type of " + path + ": use .wav, .flac or .aiff");
    int sub = encoding == "pcm16" ? SF_FORMAT_PCM_16
              : encoding == "pcm24" ? SF_FORMAT_PCM_24
              : encoding == "float" ? SF_FORMAT_FLOAT
                                    : 0;
    if (!sub) throw ToolError(Exit::badValue, "--encoding: \"" + encoding + "\" must be pcm16, pcm24 or float");
    if (major == SF_FORMAT_FLAC && sub == SF_FORMAT_FLOAT)
        throw ToolError(Exit::badValue, "--encoding: FLAC holds no float samples; use pcm16 or pcm24");
    return major | sub;
}

// A band-limited sawtooth-like tone: harmonics up to 0.45 of the rate.
double richTone(double hz, double t, double rate) {
    double v = 0.0;
    for (int k = 1; k <= 24 && k * hz < 0.45 * rate; ++k) v += std::sin(2.0 * M_PI * k * hz * t) / k;
    return v * 0.5;
}

struct Noise {
    std::uint32_t x = 0x2545F491u;
    double next() {
        x ^= x << 13;
        x ^= x >> 17;
        x ^= x << 5;
        return x / 2147483648.0 - 1.0;
    }
};

// Bass and chord notes every half second, hi-hat ticks, then a sweep.
void demoFrame(double t, double rate, double seconds, Noise& noise, double& left, double& right) {
    static const double bass[] = {55.0, 55.0, 73.42, 73.42, 65.41, 65.41, 49.0, 49.0};
    static const double chords[][3] = {{220.0, 261.63, 329.63}, {293.66, 349.23, 440.0},
                                       {261.63, 329.63, 392.0}, {196.0, 246.94, 293.66}};
    const double sweepStart = seconds - 3.0;
    left = right = 0.0;
    if (t < sweepStart) {
        int beat = static_cast<int>(t / 0.5);
        double inBeat = t - beat * 0.5;
        double b = 0.35 * std::exp(-inBeat * 5.0) * richTone(bass[beat % 8], t, rate);
        const double* chord = chords[(beat / 2) % 4];
        double c = 0.0;
        for (int i = 0; i < 3; ++i) c += richTone(chord[i], t, rate);
        c *= 0.08 * std::exp(-inBeat * 2.0);
        double tick = (beat % 2 == 1 && inBeat < 0.05) ? 0.12 * noise.next() * (1.0 - inBeat / 0.05) : 0.0;
        left = b + 0.8 * c + tick;
        right = b + 1.2 * c + 0.6 * tick;
    } else {
        double s = t - sweepStart;
        double k = std::log(20000.0 / 20.0) / 3.0;
        double phase = 2.0 * M_PI * 20.0 * (std::exp(k * s) - 1.0) / k;
        double fade = std::min({1.0, s / 0.02, (3.0 - s) / 0.02});
        left = right = 0.25 * fade * std::sin(phase);
    }
}

}  // namespace

void runGenerate(const Words& words) {
    Arguments arguments(words, {{"signal", true}, {"freq", true}, {"seconds", true}, {"rate", true},
                                {"channels", true}, {"level", true}, {"encoding", true}});
    if (arguments.positional().size() != 1)
        throw ToolError(Exit::usage, "usage: vsthost generate OUT [--signal demo|sine|sweep|noise|silence] [options]");
    const std::string& outPath = arguments.positional()[0];
    std::string signal = arguments.value("signal").value_or("demo");
    if (signal != "demo" && signal != "sine" && signal != "sweep" && signal != "noise" && signal != "silence")
        throw ToolError(Exit::badValue, "--signal: \"" + signal + "\" must be demo, sine, sweep, noise or silence");
    double rate = parseNumber(arguments.value("rate").value_or("48000"), "--rate", 8000, 768000);
    double seconds = parseNumber(arguments.value("seconds").value_or(signal == "demo" ? "8" : "2"), "--seconds",
                                 signal == "demo" ? 4.0 : 0.0, 3600);
    double hz = parseNumber(arguments.value("freq").value_or("1000"), "--freq", 1, rate / 2);
    double level = std::pow(10.0, parseNumber(arguments.value("level").value_or("-12"), "--level", -120, 0) / 20.0);
    int channels = static_cast<int>(parseInteger(arguments.value("channels").value_or(signal == "demo" ? "2" : "1"),
                                                 "--channels", 1, 2));
    int format = formatFromName(outPath, arguments.value("encoding").value_or("pcm24"));

    OutputFile output(outPath);
    const int r = static_cast<int>(std::lround(rate));
    AudioWriter writer(output.path(), format, channels, r, outPath);
    const std::int64_t frames = std::llround(seconds * r);
    std::vector<double> block;
    Noise noise;
    const double sweepK = std::log(20000.0 / 20.0) / std::max(seconds, 1e-3);
    for (std::int64_t at = 0; at < frames; at += 4096) {
        const std::int64_t n = std::min<std::int64_t>(4096, frames - at);
        block.assign(static_cast<size_t>(n * channels), 0.0);
        for (std::int64_t i = 0; i < n; ++i) {
            const double t = static_cast<double>(at + i) / r;
            double left = 0.0, right;
            if (signal == "demo") {
                demoFrame(t, r, seconds, noise, left, right);
            } else {
                if (signal == "sine") left = level * std::sin(2.0 * M_PI * hz * t);
                if (signal == "sweep") left = level * std::sin(2.0 * M_PI * 20.0 * (std::exp(sweepK * t) - 1.0) / sweepK);
                if (signal == "noise") left = level * noise.next();
                right = 0.5 * left;  // stereo test signals: the right channel 6 dB down
            }
            block[static_cast<size_t>(i * channels)] = left;
            if (channels == 2) block[static_cast<size_t>(i * channels + 1)] = right;
        }
        writer.write(block.data(), n);
    }
    writer.close();
    output.commit();
    std::printf("wrote %s: %s signal, %lld frames, %d channel%s, %d Hz, %s\n", outPath.c_str(), signal.c_str(),
                static_cast<long long>(frames), channels, channels == 1 ? "" : "s", r,
                describeFormat(format).c_str());
}

}  // namespace vsthost
