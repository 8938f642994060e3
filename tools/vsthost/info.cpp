// `info PLUGIN`: identity, capabilities, parameters and programs.
#include <cstdio>
#include <string>

#include "arguments.h"
#include "commands.h"
#include "errors.h"
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
    p.dispatch(effOpen);

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
    row("Category", categoryName(p.dispatch(effGetPlugCategory)));
    row("Channels", std::to_string(r.numInputs) + " in, " + std::to_string(r.numOutputs) + " out");
    row("Flags", flagNames(r.flags));
    row("Latency", std::to_string(r.initialDelay) + " samples");
    std::string editor = "none";
    if (r.flags & effFlagsHasEditor) {
        auto rect = p.editorRect();
        editor = rect ? std::to_string(rect->right - rect->left) + " x " +
                            std::to_string(rect->bottom - rect->top) + " pixels"
                      : "yes (size not given before opening)";
    }
    row("Editor", editor);

    std::printf("\nParameters (%d)\n", r.numParams);
    if (r.numParams > 0) std::printf("  %5s  %-24s  %-9s  %-16s  %s\n", "Index", "Name", "Value", "Display", "Label");
    for (int i = 0; i < r.numParams; ++i)
        std::printf("  %5d  %-24s  %-9.6g  %-16s  %s\n", i, printable(p.parameterName(i)).c_str(),
                    p.getParameter(i), printable(p.parameterDisplay(i)).c_str(),
                    printable(p.parameterLabel(i)).c_str());

    int current = p.program();
    std::printf("\nPrograms (%d)\n", r.numPrograms);
    for (int i = 0; i < r.numPrograms; ++i) {
        auto name = p.programNameIndexed(i);
        std::string shown = name ? printable(*name) : i == current ? printable(p.programName()) : "(name not reported)";
        std::printf("  %c%4d  %s\n", i == current ? '*' : ' ', i, shown.c_str());
    }
}

}  // namespace vsthost
