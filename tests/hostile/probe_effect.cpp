// A one-parameter plug-in built in several forms, each with one fault a
// careless plug-in has (or none), for testing that the hostile host finds it.
//   PROBE_FAULT 0: none; 1: a label past the host's buffer; 2: a non-finite
//   sample at a legal setting; 3: a filter that runs away under legal
//   automation; 4: the effect name padded with zeros to its limit.
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

#include "host/audioeffectx.h"
#include "host/entry.h"

namespace {

class ProbeEffect : public AudioEffectX {
public:
    explicit ProbeEffect(audioMasterCallback master) : AudioEffectX(master, 1, 1) {
        setUniqueID(fourCharCode('H', 'p', 'r', '0' + PROBE_FAULT));
        setNumInputs(2);
        setNumOutputs(2);
        canProcessReplacing();
    }

    void processReplacing(float** inputs, float** outputs, VstInt32 frames) override {
        const float v = value.load(std::memory_order_relaxed);
        for (VstInt32 i = 0; i < frames; ++i) {
            for (int c = 0; c < 2; ++c) {
                const float x = std::isfinite(inputs[c][i]) ? inputs[c][i] : 0.0f;
                float y = 0.5f * x;
                if (PROBE_FAULT == 2 && v > 0.9f) y = std::nanf("");
                if (PROBE_FAULT == 3) {
                    state[c] = state[c] * (1.0f + v) + x;
                    if (!std::isfinite(state[c])) state[c] = 0.0f;
                    y = state[c];
                }
                outputs[c][i] = y;
            }
        }
    }

    void setParameter(VstInt32 index, float v) override {
        if (index == 0 && std::isfinite(v)) value.store(v, std::memory_order_relaxed);
    }
    float getParameter(VstInt32 index) override { return index == 0 ? value.load() : 0.0f; }
    void getParameterName(VstInt32 index, char* text) override {
        if (index == 0) std::snprintf(text, kVstMaxParamStrLen + 1, "Gain");
    }
    void getParameterLabel(VstInt32 index, char* text) override {
        if (index != 0) return;
        if (PROBE_FAULT == 1)
            std::strcpy(text, "Limiter OnOff");
        else
            std::snprintf(text, kVstMaxParamStrLen + 1, "dB");
    }
    void getParameterDisplay(VstInt32 index, char* text) override {
        if (index == 0) std::snprintf(text, kVstMaxParamStrLen + 1, "%.3f", double(value.load()));
    }
    bool getEffectName(char* text) override {
        if (PROBE_FAULT == 4)
            std::strncpy(text, "Probe", kVstMaxEffectNameLen + 1);
        else
            std::snprintf(text, kVstMaxEffectNameLen + 1, "Probe");
        return true;
    }

private:
    std::atomic<float> value{0.5f};
    float state[2] = {0.0f, 0.0f};
};

}  // namespace

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return new (std::nothrow) ProbeEffect(audioMaster);
}
