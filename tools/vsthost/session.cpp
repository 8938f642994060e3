#include "session.h"

#include <sys/stat.h>

#include <cctype>
#include <cstdio>
#include <cstring>

#include "arguments.h"
#include "errors.h"
#include "isolation.h"

namespace vsthost {
namespace {

std::string trimmedLower(const std::string& text) {
    size_t begin = text.find_first_not_of(" \t");
    size_t end = text.find_last_not_of(" \t");
    std::string out = begin == std::string::npos ? "" : text.substr(begin, end - begin + 1);
    for (char& c : out) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

bool allDigits(const std::string& text) {
    if (text.empty()) return false;
    for (char c : text)
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
    return true;
}

// dlopen searches the library path for a bare name; a file name given on the
// command line means the file in the current directory.
std::string loadablePath(const std::string& path) {
    return path.find('/') == std::string::npos ? "./" + path : path;
}

}  // namespace

std::string printable(const std::string& text) {
    std::string out = text;
    for (char& c : out)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7f) c = '?';
    return out;
}

Settings Settings::from(const Arguments& arguments) {
    Settings settings;
    if (auto p = arguments.value("program"))
        settings.program = static_cast<int>(parseInteger(*p, "--program", 0, 1 << 30));
    for (const std::string& set : arguments.values("set")) {
        auto eq = set.rfind('=');
        if (eq == std::string::npos || eq == 0)
            throw ToolError(Exit::usage, "--set needs NAME_OR_INDEX=VALUE, got \"" + set + "\"");
        settings.values.emplace_back(set.substr(0, eq), set.substr(eq + 1));
    }
    return settings;
}

Session::Session(const std::string& path, long hostVersion) {
    struct stat info {};
    if (stat(path.c_str(), &info) != 0)
        throw ToolError(Exit::missingFile, "no such file: " + path);
    if (S_ISDIR(info.st_mode))
        throw ToolError(Exit::notPlugin, path + " is a directory, not a plug-in library");

    std::string error;
    setActivity("being loaded (its library's initialisers)");
    lib = hosting::Library::load(loadablePath(path), error);
    if (!lib) throw ToolError(Exit::notPlugin, path + " is not a loadable library: " + error);
    if (!lib->entry())
        throw ToolError(Exit::notPlugin,
                        path + " is not a VST 2 plug-in: it exports neither VSTPluginMain nor main");

    host.versionAnswer = hostVersion;
    host.answer = [this](const hosting::HostCall& call) -> VstIntPtr {
        switch (call.opcode) {
        case audioMasterGetSampleRate: return static_cast<VstIntPtr>(rate.load());
        case audioMasterGetBlockSize: return block.load();
        case audioMasterGetCurrentProcessLevel: return 4;  // offline
        case audioMasterGetVendorString:
            if (call.ptr) std::snprintf(static_cast<char*>(call.ptr), 64, "Joralt");
            return call.ptr != nullptr;
        case audioMasterGetProductString:
            if (call.ptr) std::snprintf(static_cast<char*>(call.ptr), 64, "vsthost");
            return call.ptr != nullptr;
        case audioMasterGetVendorVersion: return 1;
        default: return 0;
        }
    };
    setActivity(std::string("starting (its ") + lib->entryName() + ")");
    AEffect* record = host.instantiate(lib->entry());
    if (!record)
        throw ToolError(Exit::refused, path + ": the plug-in refused to start (its " +
                                           lib->entryName() + " returned no instance; host version " +
                                           std::to_string(hostVersion) + ")");
    if (record->magic != kEffectMagic || !record->dispatcher) {
        host.forget(record);  // not a record we can safely close
        throw ToolError(Exit::notPlugin, path + " is not a VST 2 plug-in: its entry point returned "
                                                "something that is not an effect record");
    }
    instance = hosting::Plugin::adopt(record, host);
}

Session::~Session() {
    setActivity("closing");
    instance.reset();  // effClose before the library goes
    setActivity("being unloaded");
    lib.reset();
}

void Session::prepare(double sampleRate, int blockSize, const Settings& settings) {
    rate = sampleRate;
    block = blockSize;
    setActivity("opening");
    instance->dispatch(effOpen);
    setActivity("taking the sample rate and block size");
    instance->setSampleRate(static_cast<float>(sampleRate));
    instance->setBlockSize(blockSize);
    AEffect& r = record();
    if (settings.program >= r.numPrograms && settings.program >= 0)
        throw ToolError(Exit::unknownName,
                        "no program " + std::to_string(settings.program) + ": the plug-in has " +
                            std::to_string(r.numPrograms) + " (0 to " +
                            std::to_string(r.numPrograms - 1) + ")");
    int program = settings.program >= 0 ? settings.program : instance->program();
    setActivity("selecting program " + std::to_string(program));
    if (program >= 0 && program < r.numPrograms) instance->setProgram(program);
}

std::vector<std::string> Session::apply(const Settings& settings) {
    std::vector<std::string> lines;
    for (const auto& [name, text] : settings.values) {
        int index = findParameter(name);
        std::string label = printable(instance->parameterName(index));
        float value = static_cast<float>(
            parseNumber(text, "value of parameter " + std::to_string(index) + " (" + label + ")", 0.0, 1.0));
        setActivity("setting parameter " + std::to_string(index));
        instance->setParameter(index, value);
        lines.push_back(describeParameter(index));
    }
    return lines;
}

int Session::findParameter(const std::string& nameOrIndex) {
    setActivity("answering the names of its parameters");
    int count = record().numParams;
    if (allDigits(nameOrIndex)) {
        long index = nameOrIndex.size() > 9 ? -1 : std::stol(nameOrIndex);
        if (index < 0 || index >= count)
            throw ToolError(Exit::unknownName, "no parameter " + nameOrIndex + ": the plug-in has " +
                                                   std::to_string(count) + " (0 to " +
                                                   std::to_string(count - 1) + ")");
        return static_cast<int>(index);
    }
    for (int i = 0; i < count; ++i)
        if (instance->parameterName(i) == nameOrIndex) return i;
    std::string wanted = trimmedLower(nameOrIndex);
    int found = -1;
    for (int i = 0; i < count; ++i) {
        if (trimmedLower(instance->parameterName(i)) != wanted) continue;
        if (found >= 0)
            throw ToolError(Exit::unknownName, "parameter name \"" + nameOrIndex +
                                                   "\" is ambiguous: use its index");
        found = i;
    }
    if (found < 0) {
        std::string known;
        for (int i = 0; i < count && i < 40; ++i)
            known += (i ? ", " : "") + ("\"" + printable(instance->parameterName(i)) + "\"");
        throw ToolError(Exit::unknownName, "no parameter named \"" + nameOrIndex + "\"" +
                                               (count ? "; the plug-in has " + known : ""));
    }
    return found;
}

std::string Session::describeParameter(int index) {
    char value[32];
    std::snprintf(value, sizeof(value), "%g", instance->getParameter(index));
    std::string display = printable(instance->parameterDisplay(index));
    std::string label = printable(instance->parameterLabel(index));
    std::string shown = display + (label.empty() ? "" : " " + label);
    return printable(instance->parameterName(index)) + " = " + value + " (" + shown + ")";
}

}  // namespace vsthost
