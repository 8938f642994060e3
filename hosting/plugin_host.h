// The host side of the interface, for tests, benchmarks and tools: load a
// plug-in library, build an instance through its entry point with a host
// callback that records every call, and drive the instance through its record.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "host/vst/abi.h"

namespace hosting {

// One call a plug-in made to its host.
struct HostCall {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
};

// A loaded library. Not copyable; unloads when destroyed.
class Library {
public:
    // Loads path with dlopen (flags as dlopen takes them; 0 means RTLD_NOW | RTLD_LOCAL).
    // Returns null and sets error when the file cannot be loaded.
    static std::unique_ptr<Library> load(const std::string& path, std::string& error, int flags = 0);
    ~Library();
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;

    // VSTPluginMain, or main when the library has only that; null for neither.
    VstPluginMainProc entry() const { return entryPoint; }
    const char* entryName() const { return entryPointName; }
    void* handle() const { return dl; }
    const std::string& path() const { return file; }

private:
    Library() = default;
    void* dl = nullptr;
    VstPluginMainProc entryPoint = nullptr;
    const char* entryPointName = "";
    std::string file;
};

// A host callback that answers and records. One Host may serve several instances.
// Thread-safe: plug-ins may call it from any thread.
class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The answer to audioMasterVersion (0 makes the entry point refuse).
    VstIntPtr versionAnswer = 2400;
    // Answers to other opcodes; called after the call is recorded. Default: 0.
    std::function<VstIntPtr(const HostCall&)> answer;

    // Runs the entry point with this host's callback; the record or null.
    AEffect* instantiate(VstPluginMainProc entry);
    // Stops routing an effect's calls here (after effClose).
    void forget(AEffect* effect);

    std::vector<HostCall> calls() const;
    std::vector<HostCall> callsWithOpcode(VstInt32 opcode) const;
    void clearCalls();

    static VstIntPtr callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                              void* ptr, float opt);

private:
    VstIntPtr receive(const HostCall& call);
    mutable std::mutex mutex;
    std::vector<HostCall> log;
};

// Text written by a plug-in into a host buffer prefilled with a marker byte.
struct TextProbe {
    std::string text;  // up to the first terminator
    int touched;       // bytes changed from the marker (0: nothing written)
};

// One instance, driven through its record. Closes the instance when destroyed.
class Plugin {
public:
    // Builds an instance from a loaded library; null when the entry point refuses.
    static std::unique_ptr<Plugin> create(const Library& library, Host& host);
    // Takes over a record that host.instantiate returned, once the caller has
    // checked it (a foreign library's record may be unusable); null for null.
    static std::unique_ptr<Plugin> adopt(AEffect* record, Host& host);
    ~Plugin();
    Plugin(const Plugin&) = delete;
    Plugin& operator=(const Plugin&) = delete;

    AEffect* effect() const { return record; }
    VstIntPtr dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0,
                       void* ptr = nullptr, float opt = 0.0f);
    // effClose; the record is gone afterwards. Returns the dispatcher's answer.
    VstIntPtr close();

    void setParameter(VstInt32 index, float value);
    float getParameter(VstInt32 index);
    std::string parameterName(VstInt32 index);
    std::string parameterLabel(VstInt32 index);
    std::string parameterDisplay(VstInt32 index);
    std::string programName();
    std::optional<std::string> programNameIndexed(VstInt32 index, VstInt32 category = 0);
    void setProgram(VstInt32 program);
    VstInt32 program();
    void setProgramName(const std::string& name);
    std::string effectName();
    std::string vendorString();
    std::string productString();
    VstInt32 vendorVersion();

    void setSampleRate(float rate);
    void setBlockSize(VstInt32 size);
    void resume();
    void suspend();
    // Sends effEditIdle about every 5 ms for `ms` milliseconds, as a host's
    // user-interface loop does while an editor is open. UI thread.
    void idleEditorFor(int ms);
    // effEditGetRect: the rectangle when the plug-in hands one.
    std::optional<ERect> editorRect();

    // Writes into a buffer of 256 marker bytes and reports what changed.
    TextProbe probeText(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0);

    // Processing through the record's entries; channels must match the record's counts.
    void processReplacing(float** inputs, float** outputs, VstInt32 frames);
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames);
    void processAccumulating(float** inputs, float** outputs, VstInt32 frames);
    // Stereo convenience forms: left and right are processed in place.
    void processStereo(std::vector<float>& left, std::vector<float>& right);
    void processStereo(std::vector<double>& left, std::vector<double>& right);

private:
    Plugin(AEffect* record, Host& host) : record(record), host(host) {}
    std::string text(VstInt32 opcode, VstInt32 index);
    AEffect* record;
    Host& host;
};

}  // namespace hosting
