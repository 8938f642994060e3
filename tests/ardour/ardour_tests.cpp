// Ardour 7 as the host: its VST scanner records each plug-in as the plug-in
// describes itself, and a headless session that runs the probe signal
// through the plug-in exports what vsthost renders from the same input.
#include <dirent.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <regex>

#include "hosting/plugin_host.h"
#include "tool_run.h"

namespace {

using namespace tooltest;

const std::string kFiles = ARDOUR_TEST_FILES;
const std::string kArdourLib = "/usr/lib/ardour7";
const std::string kScanner = kArdourLib + "/ardour-vst-scanner";
const std::string kLuaSession = "/usr/bin/ardour7-lua";
const std::string kPresetId = "8c1e5b0e-3f7a-4d52-9b61-4a2f0e9d7c31";  // float_wav.preset
constexpr int kRate = 48000;
constexpr long kFrames = 2 * kRate;

// The probe signal of probe_signal.lua: sample t of channel c.
float probeSample(std::int64_t t, int channel) {
    std::uint64_t x = static_cast<std::uint64_t>(t * 2 + channel) * 0x9E3779B97F4A7C15ull;
    x ^= x >> 29;
    x *= 0xBF58476D1CE4E5B9ull;
    x ^= x >> 32;
    return static_cast<float>((static_cast<double>(x >> 40) - 8388608.0) / 33554432.0);
}

// A host's folders for one Ardour run: plug-in folder, cache, configuration
// (holding the probe script and the export preset), session and export.
struct ArdourHome {
    TempDir root;
    std::string vst = root / "vst", cache = root / "cache", config = root / "config", out = root / "out";
    ArdourHome() {
        for (const auto& d : {vst, cache, config, config + "/ardour7", config + "/ardour7/scripts",
                              config + "/ardour7/export", out})
            mkdir(d.c_str(), 0755);
        copy(kFiles + "/probe_signal.lua", config + "/ardour7/scripts/probe_signal.lua");
        copy(kFiles + "/float_wav.preset", config + "/ardour7/export/float_wav.preset");
    }
    static void copy(const std::string& from, const std::string& to) {
        std::ofstream(to, std::ios::binary) << slurp(from);
    }
    // The library under its own name, dated ten seconds back: Ardour takes a
    // cache written in the same second as the library for stale.
    std::string install(const std::string& library) {
        std::string name = library.substr(library.rfind('/') + 1);
        std::string to = vst + "/" + name;
        copy(library, to);
        timeval back[2];
        gettimeofday(&back[0], nullptr);
        back[0].tv_sec -= 10;
        back[1] = back[0];
        utimes(to.c_str(), back);
        return to;
    }
    std::vector<std::string> environment() const {
        return {"XDG_CACHE_HOME=" + cache, "XDG_CONFIG_HOME=" + config, "LXVST_PATH=" + vst,
                "VST_PATH=" + vst, "LD_LIBRARY_PATH=" + kArdourLib};
    }
};

bool ardourInstalled() { return exists(kScanner) && exists(kLuaSession); }

// What Ardour's scanner recorded: the attributes of the cache's VST2Info.
std::map<std::string, std::string> scannerRecord(const ArdourHome& home) {
    std::map<std::string, std::string> fields;
    std::string folder = home.cache + "/ardour7/vst";
    DIR* d = opendir(folder.c_str());
    if (!d) return fields;
    std::string xml;
    while (dirent* e = readdir(d)) {
        std::string name = e->d_name;
        if (name.size() > 8 && name.substr(name.size() - 8) == "-x64.v2i") xml = slurp(folder + "/" + name);
    }
    closedir(d);
    std::smatch info;
    if (!std::regex_search(xml, info, std::regex("<VST2Info ([^>]*)/>"))) return fields;
    std::string attributes = info[1];
    std::regex attribute("([a-z_]+)=\"([^\"]*)\"");
    for (auto it = std::sregex_iterator(attributes.begin(), attributes.end(), attribute); it != std::sregex_iterator(); ++it)
        fields[(*it)[1]] = (*it)[2];
    return fields;
}

// The headless session of export_through_plugin.lua. Ardour 7.3's exporter
// now and then corrupts its heap and dies by a signal: such a run is retried
// (a bounded number of times). Returns the samples of silence the plug-in ran
// before the export began, or -1.
long exportThroughArdour(const ArdourHome& home, const std::string& name, const std::string& pluginId, int parameter,
                         float value, std::string& log) {
    for (int attempt = 1; attempt <= 4; ++attempt) {
        std::string session = home.root / (name + "-session-" + std::to_string(attempt));
        auto environment = home.environment();
        environment.insert(environment.end(),
                           {"PROBE_SESSION=" + session, "PROBE_OUT=" + home.out, "PROBE_NAME=" + name,
                            "PROBE_FRAMES=" + std::to_string(kFrames), "PROBE_PLUGIN=" + pluginId,
                            "PROBE_PARAM=" + std::to_string(parameter), "PROBE_VALUE=" + std::to_string(value),
                            "PROBE_PRESET=" + kPresetId});
        ToolResult r = runProgram(kLuaSession, {kFiles + "/export_through_plugin.lua"}, environment);
        log += "attempt " + std::to_string(attempt) + ": status " + std::to_string(r.status) + "\n" + r.err;
        std::smatch m;
        if (r.status == 0 && std::regex_search(r.err, m, std::regex("exported after (-?[0-9]+) samples")))
            return std::stol(m[1]);
        if (r.status != -1) return -1;  // a failure of its own, not a crash: retrying will not help
    }
    return -1;
}

void writeFloatWav(const std::string& path, const std::vector<float>& interleaved) {
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    ASSERT_NE(f, nullptr) << path;
    sf_writef_float(f, interleaved.data(), static_cast<sf_count_t>(interleaved.size() / 2));
    sf_close(f);
}

// The probe signal after `silence` frames of silence, as Ardour's session ran it.
std::vector<float> probeInput(long silence) {
    std::vector<float> samples(2 * static_cast<size_t>(silence + kFrames), 0.0f);
    for (long t = 0; t < kFrames; ++t)
        for (int c = 0; c < 2; ++c) samples[2 * (silence + t) + c] = probeSample(t, c);
    return samples;
}

double largestDifference(const Audio& a, long fromA, const Audio& b, long frames) {
    double worst = 0;
    for (long i = 0; i < frames; ++i)
        for (int c = 0; c < 2; ++c) worst = std::max(worst, std::fabs(a.at(fromA + i, c) - b.at(i, c)));
    return worst;
}

TEST(Ardour, ExportsTheProbeSignalUnchanged) {
    if (!ardourInstalled()) FAIL() << "Ardour 7 is not installed (apt-get install ardour)";
    ArdourHome home;
    std::string log;
    ASSERT_GE(exportThroughArdour(home, "dry", "", 0, 0, log), 0) << log;
    Audio dry = readAudio(home.out + "/dry.wav");
    ASSERT_EQ(dry.frames(), kFrames);
    EXPECT_EQ(dry.info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    for (long t = 0; t < kFrames; ++t)
        for (int c = 0; c < 2; ++c)
            ASSERT_EQ(static_cast<float>(dry.at(t, c)), probeSample(t, c)) << "frame " << t << " channel " << c;
}

struct Case {
    const char* name;
    const char* library;
    int parameter;  // set to value (normalised) in Ardour and in vsthost
    float value;
};

const Case kCases[] = {
#ifdef ARDOUR_PLUGIN_Tarn
    {"Tarn", ARDOUR_PLUGIN_Tarn, 6, 1.0f},  // Low Gain +12 dB
#endif
#ifdef ARDOUR_PLUGIN_Vesk
    {"Vesk", ARDOUR_PLUGIN_Vesk, 12, 0.9f},  // 1000 Hz band raised
#endif
#ifdef ARDOUR_PLUGIN_Faroll
    {"Faroll", ARDOUR_PLUGIN_Faroll, 1, 0.2f},  // Mid Gain lowered
#endif
#ifdef ARDOUR_PLUGIN_Gelmira
    {"Gelmira", ARDOUR_PLUGIN_Gelmira, 11, 0.5f},  // Dry Wet: half the banks
#endif
#ifdef ARDOUR_PLUGIN_Hoverin
    {"Hoverin", ARDOUR_PLUGIN_Hoverin, 4, 0.3f},  // Frequency 159 Hz (restarts the sweep)
#endif
#ifdef ARDOUR_PLUGIN_Ilvane
    {"Ilvane", ARDOUR_PLUGIN_Ilvane, 0, 0.85f},  // Low Gain +8.4 dB
#endif
};

void PrintTo(const Case& c, std::ostream* os) { *os << c.name << ", parameter " << c.parameter << " = " << c.value; }

class ArdourHost : public testing::TestWithParam<Case> {};

TEST_P(ArdourHost, ScannerRecordsThePluginAndASessionExportMatchesVsthost) {
    if (!ardourInstalled()) FAIL() << "Ardour 7 is not installed (apt-get install ardour)";
    const Case& c = GetParam();
    ArdourHome home;
    const std::string library = home.install(c.library);

    // The plug-in as a host sees it, through its record.
    std::string error;
    auto lib = hosting::Library::load(library, error);
    ASSERT_TRUE(lib) << error;
    hosting::Host host;
    auto plugin = hosting::Plugin::create(*lib, host);
    ASSERT_TRUE(plugin);
    plugin->dispatch(effOpen);
    const AEffect& record = *plugin->effect();
    // A host names a plug-in by its effect name, else its product string,
    // else its file.
    std::string name = plugin->effectName();
    if (name.empty()) name = plugin->productString();
    if (name.empty()) name = c.name;
    const std::string vendor = plugin->vendorString();
    const VstInt32 uniqueId = record.uniqueID;
    const int inputs = record.numInputs, outputs = record.numOutputs;
    const bool hasEditor = (record.flags & effFlagsHasEditor) != 0;
    plugin.reset();

    ToolResult scan = runProgram(kScanner, {"-f", library}, home.environment());
    EXPECT_EQ(scan.status, 0) << scan.err;
    auto recorded = scannerRecord(home);
    ASSERT_FALSE(recorded.empty()) << "no scanner cache written\n" << scan.out << scan.err;
    EXPECT_EQ(recorded["name"], name);
    EXPECT_EQ(recorded["creator"], vendor.empty() ? "Unknown" : vendor);
    EXPECT_EQ(recorded["id"], std::to_string(uniqueId));
    EXPECT_EQ(recorded["n_inputs"], std::to_string(inputs));
    EXPECT_EQ(recorded["n_outputs"], std::to_string(outputs));
    EXPECT_EQ(recorded["has_editor"], hasEditor ? "1" : "0");
    EXPECT_EQ(recorded["is_instrument"], "0");

    std::string log;
    const long silence = exportThroughArdour(home, "wet", std::to_string(uniqueId), c.parameter, c.value, log);
    ASSERT_GE(silence, 0) << log;
    Audio ardour = readAudio(home.out + "/wet.wav");
    ASSERT_EQ(ardour.frames(), kFrames);

    // vsthost renders the same samples, after as much silence as Ardour ran
    // the plug-in through before its export (an effect that changes over
    // time, such as a phaser's sweep, has moved on by then).
    writeFloatWav(home.root / "in.wav", probeInput(silence));
    ToolResult render = vsthost({"render", library, home.root / "in.wav", home.root / "vsthost.wav", "--block", "512",
                                 "--set", std::to_string(c.parameter) + "=" + std::to_string(c.value), "--quiet"});
    ASSERT_EQ(render.status, 0) << render.err;
    Audio ours = readAudio(home.root / "vsthost.wav");
    ASSERT_EQ(ours.frames(), silence + kFrames);

    Audio dry;
    dry.info.channels = 2;
    dry.info.frames = kFrames;
    for (long t = 0; t < kFrames; ++t)
        for (int ch = 0; ch < 2; ++ch) dry.samples.push_back(probeSample(t, ch));

    const double difference = largestDifference(ours, silence, ardour, kFrames);
    const double wetness = largestDifference(dry, 0, ardour, kFrames);
    std::printf("%s: Ardour vs vsthost largest difference %.3g; vs the dry signal %.3g; %ld frames of silence first\n",
                c.name, difference, wetness, silence);
    RecordProperty("ardour_vs_vsthost", std::to_string(difference));
    // Both hosts hand the plug-in the same 32-bit samples in 512-frame blocks:
    // they agree to the last rounding of a 32-bit sample of about unit size.
    EXPECT_LE(difference, std::ldexp(1.0, -23)) << "Ardour and vsthost disagree";
    EXPECT_GT(wetness, 1e-3) << "the parameter setting should be audible";
}

INSTANTIATE_TEST_SUITE_P(Plugins, ArdourHost, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
