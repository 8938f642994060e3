// `info PLUGIN`: identity, capabilities, parameters and programs.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "errors.h"
#include "isolation.h"
#include "session.h"

namespace vsthost {
namespace {

std::string fourCharacters(VstInt32 id) {
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        char c = static_cast<char>((static_cast<unsigned>(id) >> shift) & 0xff);
        text += (c >= 0x20 && c < 0x7f) ? c : '?';
    }
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%08X", static_cast<unsigned>(id));
    return "'" + text + "' (" + hex + ")";
}

std::string flagNames(VstInt32 flags) {
    static const struct {
        VstInt32 bit;
        const char* name;
    } names[] = {
        {effFlagsHasEditor, "HasEditor"},
        {effFlagsHasClip, "HasClip"},
        {effFlagsHasVu, "HasVu"},
        {effFlagsCanMono, "CanMono"},
        {effFlagsCanReplacing, "CanReplacing"},
        {effFlagsProgramChunks, "ProgramChunks"},
        {effFlagsIsSynth, "IsSynth"},
        {effFlagsNoSoundInStop, "NoSoundInStop"},
        {effFlagsExtIsAsync, "ExtIsAsync"},
        {effFlagsExtHasBuffer, "ExtHasBuffer"},
        {effFlagsCanDoubleReplacing, "CanDoubleReplacing"},
    };
    std::string text;
    VstInt32 known = 0;
    for (const auto& n : names) {
        known |= n.bit;
        if (flags & n.bit) text += (text.empty() ? "" : " ") + std::string(n.name);
    }
    if (flags & ~known) {
        char rest[32];
        std::snprintf(rest, sizeof(rest), "%s0x%X", text.empty() ? "" : " ",
                      static_cast<unsigned>(flags & ~known));
        text += rest;
    }
    char hex[16];
    std::snprintf(hex, sizeof(hex), "0x%04X", static_cast<unsigned>(flags));
    return std::string(hex) + (text.empty() ? "" : " " + text);
}

const char* categoryName(VstIntPtr category) {
    static const char* names[] = {"unknown",   "effect",      "synth",         "analysis",
                                  "mastering", "spatialiser", "room effect",   "surround effect",
                                  "restoration", "offline process", "shell", "generator"};
    return category >= 0 && category < 12 ? names[category] : "other";
}

void row(const char* field, const std::string& value) { std::printf("%-12s %s\n", field, value.c_str()); }

// The editor's size, asked in a child process of its own: plug-ins that need
// an X display for it may crash without one, and that costs this row only.
// Sets crash to the failure's description when the plug-in did not survive it.
std::string editorSize(hosting::Plugin& p, std::string& crash) {
    const char* display = std::getenv("DISPLAY");
    const bool noDisplay = !display || !*display;
    setActivity("answering its editor size");
    ChildOutcome asked = runIsolated(
        [&] {
            auto rect = p.editorRect();
            if (rect)
                handBack(std::to_string(rect->right - rect->left) + " x " + std::to_string(rect->bottom - rect->top) +
                         " pixels");
            return 0;
        },
        10.0, true);
    if (asked.kind == ChildOutcome::exited)
        return asked.result.empty() ? "yes (size not given before opening)" : asked.result;
    crash = "the plug-in " + describeOutcome(asked, 10.0) + (noDisplay ? "; no X display is set (DISPLAY)" : "");
    return std::string("yes (size unknown: the plug-in ") + (asked.kind == ChildOutcome::crashed ? "crashed" : "hung") +
           " answering it" + (noDisplay ? " without an X display)" : ")");
}

}  // namespace

long hostVersionFrom(const Arguments& arguments) {
    auto v = arguments.value("host-version");
    return v ? parseInteger(*v, "--host-version", 0, 1000000) : 2400;
}

void runInfo(const Words& words) {
    Arguments arguments(words, {{"host-version", true}});
    if (arguments.positional().size() != 1) throw ToolError(Exit::usage, "usage: vsthost info PLUGIN");
    const std::string& path = arguments.positional()[0];
    Session session(path, hostVersionFrom(arguments));
    hosting::Plugin& p = session.plugin();
    AEffect& r = session.record();
    setActivity("opening");
    p.dispatch(effOpen);

    setActivity("answering its identity");
    VstIntPtr vstVersion = p.dispatch(effGetVstVersion);
    std::string generation = vstVersion >= 2400   ? "VST 2.4"
                             : vstVersion >= 2300 ? "VST 2.3"
                             : vstVersion >= 2000 ? "VST 2.x"
                                                  : "VST 1";
    row("File", path);
    row("Entry point", session.library().entryName());
    row("Name", printable(p.effectName()));
    row("Vendor", printable(p.vendorString()));
    row("Product", printable(p.productString()));
    row("Unique ID", fourCharacters(r.uniqueID));
    row("Version", std::to_string(r.version) + " (vendor version " + std::to_string(p.vendorVersion()) + ")");
    row("Generation", generation + " (getVstVersion " + std::to_string(vstVersion) + ")");
    setActivity("answering its category");
    row("Category", categoryName(p.dispatch(effGetPlugCategory)));
    row("Channels", std::to_string(r.numInputs) + " in, " + std::to_string(r.numOutputs) + " out");
    row("Flags", flagNames(r.flags));
    row("Latency", std::to_string(r.initialDelay) + " samples");
    std::string editor = "none", editorCrash;
    if (r.flags & effFlagsHasEditor) editor = editorSize(p, editorCrash);
    row("Editor", editor);

    std::printf("\nParameters (%d)\n", r.numParams);
    if (r.numParams > 0) std::printf("  %5s  %-24s  %-9s  %-16s  %s\n", "Index", "Name", "Value", "Display", "Label");
    for (int i = 0; i < r.numParams; ++i) {
        setActivity("answering the name, value and display of parameter " + std::to_string(i));
        std::printf("  %5d  %-24s  %-9.6g  %-16s  %s\n", i, printable(p.parameterName(i)).c_str(),
                    p.getParameter(i), printable(p.parameterDisplay(i)).c_str(),
                    printable(p.parameterLabel(i)).c_str());
    }

    setActivity("answering its program names");
    int current = p.program();
    std::printf("\nPrograms (%d)\n", r.numPrograms);
    for (int i = 0; i < r.numPrograms; ++i) {
        auto name = p.programNameIndexed(i);
        std::string shown = name ? printable(*name) : i == current ? printable(p.programName()) : "(name not reported)";
        std::printf("  %c%4d  %s\n", i == current ? '*' : ' ', i, shown.c_str());
    }
    if (!editorCrash.empty()) throw ToolError(Exit::crashed, editorCrash);
}

}  // namespace vsthost
