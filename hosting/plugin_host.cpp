#include "plugin_host.h"

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <cstring>
#include <map>

namespace hosting {
namespace {

constexpr unsigned char kMarker = 0x7e;

std::mutex& registryMutex() {
    static std::mutex m;
    return m;
}
std::map<AEffect*, Host*>& registry() {
    static std::map<AEffect*, Host*> r;
    return r;
}
thread_local Host* constructing = nullptr;

}  // namespace

std::unique_ptr<Library> Library::load(const std::string& path, std::string& error, int flags) {
    void* dl = dlopen(path.c_str(), flags ? flags : RTLD_NOW | RTLD_LOCAL);
    if (!dl) {
        const char* why = dlerror();
        error = why ? why : "cannot load " + path;
        return nullptr;
    }
    std::unique_ptr<Library> library(new Library());
    library->dl = dl;
    library->file = path;
    if (void* f = dlsym(dl, "VSTPluginMain")) {
        library->entryPoint = reinterpret_cast<VstPluginMainProc>(f);
        library->entryPointName = "VSTPluginMain";
    } else if (void* m = dlsym(dl, "main")) {
        library->entryPoint = reinterpret_cast<VstPluginMainProc>(m);
        library->entryPointName = "main";
    }
    return library;
}

Library::~Library() {
    if (dl) dlclose(dl);
}

Host::Host() = default;

Host::~Host() {
    std::lock_guard<std::mutex> lock(registryMutex());
    for (auto it = registry().begin(); it != registry().end();)
        it = it->second == this ? registry().erase(it) : std::next(it);
}

AEffect* Host::instantiate(VstPluginMainProc entry) {
    if (!entry) return nullptr;
    Host* previous = constructing;
    constructing = this;
    AEffect* effect = entry(&Host::callback);
    constructing = previous;
    if (effect) {
        std::lock_guard<std::mutex> lock(registryMutex());
        registry()[effect] = this;
    }
    return effect;
}

void Host::forget(AEffect* effect) {
    std::lock_guard<std::mutex> lock(registryMutex());
    registry().erase(effect);
}

std::vector<HostCall> Host::calls() const {
    std::lock_guard<std::mutex> lock(mutex);
    return log;
}

std::vector<HostCall> Host::callsWithOpcode(VstInt32 opcode) const {
    std::lock_guard<std::mutex> lock(mutex);
    std::vector<HostCall> matching;
    std::copy_if(log.begin(), log.end(), std::back_inserter(matching),
                 [opcode](const HostCall& c) { return c.opcode == opcode; });
    return matching;
}

void Host::clearCalls() {
    std::lock_guard<std::mutex> lock(mutex);
    log.clear();
}

VstIntPtr Host::callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                         void* ptr, float opt) {
    Host* host = nullptr;
    {
        std::lock_guard<std::mutex> lock(registryMutex());
        auto it = registry().find(effect);
        if (it != registry().end()) host = it->second;
    }
    if (!host) host = constructing;
    if (!host) return opcode == audioMasterVersion ? 2400 : 0;
    return host->receive(HostCall{effect, opcode, index, value, ptr, opt});
}

VstIntPtr Host::receive(const HostCall& call) {
    {
        std::lock_guard<std::mutex> lock(mutex);
        log.push_back(call);
    }
    if (call.opcode == audioMasterVersion) return versionAnswer;
    return answer ? answer(call) : 0;
}

std::unique_ptr<Plugin> Plugin::create(const Library& library, Host& host) {
    AEffect* record = host.instantiate(library.entry());
    if (!record) return nullptr;
    return std::unique_ptr<Plugin>(new Plugin(record, host));
}

std::unique_ptr<Plugin> Plugin::adopt(AEffect* record, Host& host) {
    if (!record) return nullptr;
    return std::unique_ptr<Plugin>(new Plugin(record, host));
}

Plugin::~Plugin() { close(); }

VstIntPtr Plugin::dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                           float opt) {
    return record ? record->dispatcher(record, opcode, index, value, ptr, opt) : 0;
}

VstIntPtr Plugin::close() {
    if (!record) return 0;
    VstIntPtr result = record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
    host.forget(record);
    record = nullptr;
    return result;
}

void Plugin::setParameter(VstInt32 index, float value) {
    record->setParameter(record, index, value);
}
float Plugin::getParameter(VstInt32 index) { return record->getParameter(record, index); }

TextProbe Plugin::probeText(VstInt32 opcode, VstInt32 index, VstIntPtr value) {
    unsigned char buffer[256];
    std::memset(buffer, kMarker, sizeof(buffer));
    dispatch(opcode, index, value, buffer);
    int touched = 0;
    for (int i = 0; i < static_cast<int>(sizeof(buffer)); ++i)
        if (buffer[i] != kMarker) touched = i + 1;
    buffer[sizeof(buffer) - 1] = 0;
    return TextProbe{touched ? std::string(reinterpret_cast<char*>(buffer)) : std::string(),
                     touched};
}

std::string Plugin::text(VstInt32 opcode, VstInt32 index) {
    char buffer[256] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[sizeof(buffer) - 1] = 0;
    return buffer;
}

std::string Plugin::parameterName(VstInt32 index) { return text(effGetParamName, index); }
std::string Plugin::parameterLabel(VstInt32 index) { return text(effGetParamLabel, index); }
std::string Plugin::parameterDisplay(VstInt32 index) { return text(effGetParamDisplay, index); }
std::string Plugin::programName() { return text(effGetProgramName, 0); }
std::string Plugin::effectName() { return text(effGetEffectName, 0); }
std::string Plugin::vendorString() { return text(effGetVendorString, 0); }
std::string Plugin::productString() { return text(effGetProductString, 0); }
VstInt32 Plugin::vendorVersion() { return static_cast<VstInt32>(dispatch(effGetVendorVersion)); }

std::optional<std::string> Plugin::programNameIndexed(VstInt32 index, VstInt32 category) {
    char buffer[256] = {};
    if (!dispatch(effGetProgramNameIndexed, index, category, buffer)) return std::nullopt;
    buffer[sizeof(buffer) - 1] = 0;
    return std::string(buffer);
}

void Plugin::setProgram(VstInt32 program) { dispatch(effSetProgram, 0, program); }
VstInt32 Plugin::program() { return static_cast<VstInt32>(dispatch(effGetProgram)); }
void Plugin::setProgramName(const std::string& name) {
    std::vector<char> buffer(name.begin(), name.end());
    buffer.push_back(0);
    dispatch(effSetProgramName, 0, 0, buffer.data());
}

void Plugin::setSampleRate(float rate) { dispatch(effSetSampleRate, 0, 0, nullptr, rate); }
void Plugin::setBlockSize(VstInt32 size) { dispatch(effSetBlockSize, 0, size); }
void Plugin::resume() { dispatch(effMainsChanged, 0, 1); }
void Plugin::suspend() { dispatch(effMainsChanged, 0, 0); }

void Plugin::idleEditorFor(int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < end) {
        dispatch(effEditIdle);
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
}

std::optional<ERect> Plugin::editorRect() {
    ERect* rect = nullptr;
    if (!dispatch(effEditGetRect, 0, 0, &rect) || !rect) return std::nullopt;
    return *rect;
}

void Plugin::processReplacing(float** inputs, float** outputs, VstInt32 frames) {
    record->processReplacing(record, inputs, outputs, frames);
}
void Plugin::processDoubleReplacing(double** inputs, double** outputs, VstInt32 frames) {
    if (record->processDoubleReplacing) record->processDoubleReplacing(record, inputs, outputs, frames);
}
void Plugin::processAccumulating(float** inputs, float** outputs, VstInt32 frames) {
    record->process(record, inputs, outputs, frames);
}

void Plugin::processStereo(std::vector<float>& left, std::vector<float>& right) {
    float* channels[2] = {left.data(), right.data()};
    processReplacing(channels, channels, static_cast<VstInt32>(std::min(left.size(), right.size())));
}
void Plugin::processStereo(std::vector<double>& left, std::vector<double>& right) {
    double* channels[2] = {left.data(), right.data()};
    processDoubleReplacing(channels, channels,
                           static_cast<VstInt32>(std::min(left.size(), right.size())));
}

}  // namespace hosting
