// A plug-in that crashes or hangs ends only the child process it runs in:
// vsthost prints what it gathered, names the failure and its own exit status.
// `scan` reports every library of a folder, one line each.
#include <dirent.h>

#include <fstream>
#include <functional>
#include <set>

#include "tool_run.h"

namespace {

using namespace tooltest;

const std::string kFaulty = FAULTY_PLUGIN_PATH;

ToolResult vsthostWith(const std::string& fault, const std::vector<std::string>& args) {
    return runProgram(VSTHOST_PATH, args, {"FAULT=" + fault});
}

struct Failure {
    const char* fault;
    const char* command;  // info or render
    const char* named;    // in the message on stderr
    const char* gathered;  // printed before the failure ("" for nothing)
};

class Survival : public testing::TestWithParam<Failure> {};

TEST_P(Survival, NamesTheFailureKeepsWhatWasGatheredAndLeavesNoFile) {
    const Failure& f = GetParam();
    TempDir dir;
    generate(dir / "in.wav", {"--signal", "noise", "--seconds", "0.1"});
    std::vector<std::string> args{f.command, kFaulty};
    if (std::string(f.command) == "render") args.insert(args.end(), {dir / "in.wav", dir / "out.wav"});
    ToolResult r = vsthostWith(f.fault, args);
    EXPECT_EQ(r.status, 10) << r.err;
    EXPECT_NE(r.err.find(std::string("vsthost: the plug-in crashed while ") + f.named), std::string::npos) << r.err;
    EXPECT_NE(r.err.find("SIGILL"), std::string::npos) << r.err;
    if (*f.gathered) EXPECT_NE(r.out.find(f.gathered), std::string::npos) << r.out;
    else EXPECT_EQ(r.out, "");
    EXPECT_EQ(dir.entries().size(), 1u) << "a temporary or partial output was left behind";
}

INSTANTIATE_TEST_SUITE_P(
    Faults, Survival,
    testing::Values(Failure{"start", "info", "starting (its VSTPluginMain)", ""},
                    // The editor query runs apart: everything else is still printed.
                    Failure{"editor", "info", "answering its editor size",
                            "Editor       yes (size unknown: the plug-in crashed answering it"},
                    Failure{"editor", "info", "answering its editor size", "Programs (1)"},
                    Failure{"process", "render", "processing audio", ""}));

TEST(Survival, InfoOfAHealthyPluginStillReadsItsEditorSize) {
    ToolResult r = vsthostWith("none", {"info", kFaulty});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("Editor       200 x 100 pixels"), std::string::npos) << r.out;
}

// The lines of a scan, by the library they begin with.
std::map<std::string, std::string> scanLines(const std::string& out) {
    std::map<std::string, std::string> lines;
    std::istringstream in(out);
    std::string line;
    while (std::getline(in, line)) {
        auto colon = line.find(".so: ");
        if (colon != std::string::npos) lines[line.substr(0, colon + 3)] = line.substr(colon + 5);
        else lines[line] = "(not a library line)";
    }
    return lines;
}

TEST(Scan, ReportsEachLibraryOfAFolderAndSurvivesCrashesAndHangs) {
    TempDir dir;
    std::string sub = dir / "vendor";
    mkdir(sub.c_str(), 0755);
    auto copy = [](const std::string& from, const std::string& to) {
        std::ofstream(to, std::ios::binary) << slurp(from);
    };
    copy(PLUGIN_PATH_Fixture24, dir / "Fixture24.so");
    copy(NOT_A_PLUGIN_PATH, dir / "NotAPlugin.so");
    copy(kFaulty, sub + "/Faulty.so");
    std::ofstream(dir / "readme.txt") << "not a library";
    struct {
        const char* fault;
        const char* faultyLine;
    } cases[] = {
        {"none", "Faulty | Tests | 'Flty' 0x466C7479 | 2 in, 2 out | VST 2.4 | editor | 32-bit only"},
        {"start", "FAILED: crashed while starting (its VSTPluginMain) (SIGILL"},
        {"hang", "FAILED: timed out after 1 s while opening"},
        // A scan asks no editor size: an editor that crashes without a display costs nothing.
        {"editor", "Faulty | Tests |"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        ToolResult r = vsthostWith(c.fault, {"scan", dir.path, "--timeout", "1"});
        ASSERT_EQ(r.status, 0) << r.err;
        auto lines = scanLines(r.out);
        ASSERT_EQ(lines.size(), 3u) << r.out;
        EXPECT_EQ(lines[dir / "Fixture24.so"].rfind("Fixture24 | (no vendor) | 'FxA4' 0x46784134 | 2 in, 2 out | VST 2.4 | editor", 0), 0u)
            << r.out;
        EXPECT_EQ(lines[dir / "NotAPlugin.so"], "FAILED: no entry point (neither VSTPluginMain nor main)");
        EXPECT_EQ(lines[sub + "/Faulty.so"].rfind(c.faultyLine, 0), 0u) << r.out;
        EXPECT_NE(r.err.find("3 libraries:"), std::string::npos) << r.err;
    }
}

TEST(Scan, AMissingFolderNamedOnTheCommandLineIsAnError) {
    ToolResult r = vsthost({"scan", "/nonexistent/vst"});
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.err.find("no such folder: /nonexistent/vst"), std::string::npos) << r.err;
}

// Every library of the system's plug-in folder (Debian's dpf-plugins-vst,
// lsp-plugins-vst, zam-plugins, ...) gets its line; none ends the scan.
TEST(Scan, SurvivesEveryLibraryUnderUsrLibVst) {
    const std::string folder = "/usr/lib/vst";
    if (!exists(folder)) GTEST_SKIP() << folder << " does not exist";
    std::set<std::string> libraries;
    std::function<void(const std::string&)> walk = [&](const std::string& at) {
        DIR* d = opendir(at.c_str());
        if (!d) return;
        while (dirent* e = readdir(d)) {
            std::string name = e->d_name;
            if (name[0] == '.') continue;
            std::string path = at + "/" + name;
            struct stat st {};
            if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) walk(path);
            else if (name.size() > 3 && name.substr(name.size() - 3) == ".so") libraries.insert(path);
        }
        closedir(d);
    };
    walk(folder);
    ToolResult r = runProgram(VSTHOST_PATH, {"scan", folder}, {"DISPLAY="});
    ASSERT_EQ(r.status, 0) << r.err;
    auto lines = scanLines(r.out);
    EXPECT_EQ(lines.size(), libraries.size()) << r.out;
    for (const auto& library : libraries) EXPECT_TRUE(lines.count(library)) << library << " has no line";
}

}  // namespace
