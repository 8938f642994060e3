// `scan [FOLDER...]`: what a host's scanner does. Every VST 2 library under
// the folders is probed in a child process of its own with a time limit; one
// line each, beginning with the library's path.
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "arguments.h"
#include "commands.h"
#include "errors.h"
#include "isolation.h"
#include "progress.h"
#include "session.h"

namespace vsthost {
namespace {

bool isDirectory(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Every .so under folder, following links to folders once (by real path).
void collect(const std::string& folder, std::set<std::string>& seenFolders, std::vector<std::string>& found) {
    char* real = realpath(folder.c_str(), nullptr);
    if (!real) return;
    bool fresh = seenFolders.insert(real).second;
    std::free(real);
    if (!fresh) return;
    DIR* dir = opendir(folder.c_str());
    if (!dir) return;
    std::vector<std::string> names;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name != "." && name != ".." && name[0] != '.') names.push_back(name);
    }
    closedir(dir);
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        std::string path = folder + (endsWith(folder, "/") ? "" : "/") + name;
        if (isDirectory(path)) collect(path, seenFolders, found);
        else if (endsWith(name, ".so")) found.push_back(path);
    }
}

std::vector<std::string> defaultFolders() {
    std::vector<std::string> folders;
    if (const char* list = std::getenv("VST_PATH")) {
        std::string text = list;
        size_t at = 0;
        while (at <= text.size()) {
            size_t colon = text.find(':', at);
            std::string part = text.substr(at, colon == std::string::npos ? std::string::npos : colon - at);
            if (!part.empty()) folders.push_back(part);
            if (colon == std::string::npos) break;
            at = colon + 1;
        }
    }
    if (const char* home = std::getenv("HOME")) folders.push_back(std::string(home) + "/.vst");
    folders.push_back("/usr/local/lib/vst");
    folders.push_back("/usr/lib/vst");
    return folders;
}

std::string hex(VstInt32 id) {
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08X", static_cast<unsigned>(id));
    return text;
}

std::string fourCharacters(VstInt32 id) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>((static_cast<unsigned>(id) >> shift) & 0xff);
        text += (c >= 0x20 && c < 0x7f && c != '\'') ? c : '?';
    }
    return text;
}

// In the child: load, start, ask what a host's scanner asks, close. The
// line's fields after the path, or the reason it failed.
int probe(const std::string& path, std::string& line) {
    try {
        Session session(path);
        hosting::Plugin& p = session.plugin();
        AEffect& r = session.record();
        setActivity("opening");
        p.dispatch(effOpen);
        setActivity("answering its name and vendor");
        std::string name = printable(p.effectName());
        if (name.empty()) name = printable(p.productString());
        std::string vendor = printable(p.vendorString());
        setActivity("answering its VST version");
        VstIntPtr version = p.dispatch(effGetVstVersion);
        setActivity("answering its category");
        VstIntPtr category = p.dispatch(effGetPlugCategory);
        std::string generation = version >= 2400   ? "VST 2.4"
                                 : version >= 2300 ? "VST 2.3"
                                 : version >= 2000 ? "VST 2.x"
                                                   : "VST 1";
        line = (name.empty() ? "(no name)" : name) + " | " + (vendor.empty() ? "(no vendor)" : vendor) + " | '" +
               fourCharacters(r.uniqueID) + "' " + hex(r.uniqueID) + " | " + std::to_string(r.numInputs) + " in, " +
               std::to_string(r.numOutputs) + " out | " + generation +
               ((r.flags & effFlagsIsSynth) || category == 2 ? " | instrument" : "") +
               (category == 10 ? " | shell" : "") + " | " + ((r.flags & effFlagsHasEditor) ? "editor" : "no editor") +
               " | " + ((r.flags & effFlagsCanDoubleReplacing) && r.processDoubleReplacing ? "64-bit" : "32-bit only");
        setActivity("being suspended");
        p.suspend();
        return 0;
    } catch (const ToolError& e) {
        line = e.code() == Exit::refused ? "FAILED: refused to start" : std::string("FAILED: ") + e.what();
        if (e.code() == Exit::notPlugin) {
            std::string why = e.what();
            if (why.compare(0, path.size(), path) == 0) why = why.substr(path.size());
            if (why.find("exports neither") != std::string::npos) line = "FAILED: no entry point (neither VSTPluginMain nor main)";
            else line = "FAILED:" + (why.compare(0, 1, " ") == 0 ? why : " " + why);
        }
        return static_cast<int>(e.code());
    }
}

}  // namespace

int runScan(const Words& words) {
    Arguments arguments(words, {{"timeout", true}, {"quiet", false}});
    const double timeout = parseNumber(arguments.value("timeout").value_or("10"), "--timeout", 0.1, 3600);
    std::vector<std::string> folders = arguments.positional();
    const bool explicitFolders = !folders.empty();
    if (!explicitFolders) folders = defaultFolders();
    std::set<std::string> seen;
    std::vector<std::string> libraries;
    for (const auto& folder : folders) {
        if (!isDirectory(folder)) {
            if (explicitFolders) throw ToolError(Exit::missingFile, "no such folder: " + folder);
            continue;
        }
        collect(folder, seen, libraries);
    }
    const bool showProgress = !arguments.has("quiet") && stderrIsTerminal();
    int good = 0, failed = 0;
    for (size_t i = 0; i < libraries.size(); ++i) {
        const std::string& path = libraries[i];
        if (showProgress) {
            std::fprintf(stderr, "\r\033[K[%zu/%zu] %s", i + 1, libraries.size(), path.c_str());
            std::fflush(stderr);
        }
        setActivity("");
        ChildOutcome outcome = runIsolated(
            [&] {
                std::string line;
                int status = probe(path, line);
                handBack(line);
                return status;
            },
            timeout, true);
        std::string line = outcome.result;
        if (outcome.kind != ChildOutcome::exited) line = "FAILED: " + describeOutcome(outcome, timeout);
        else if (line.empty()) line = "FAILED: the probe " + describeOutcome(outcome, timeout);
        (line.compare(0, 7, "FAILED:") == 0 ? failed : good) += 1;
        if (showProgress) std::fputs("\r\033[K", stderr);
        std::printf("%s: %s\n", path.c_str(), line.c_str());
        std::fflush(stdout);
    }
    if (!arguments.has("quiet"))
        std::fprintf(stderr, "%zu libraries: %d loaded, %d failed\n", libraries.size(), good, failed);
    return std::fflush(stdout) == 0 ? 0 : static_cast<int>(Exit::cannotWrite);
}

}  // namespace vsthost
