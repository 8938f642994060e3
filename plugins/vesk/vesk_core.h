// The graphic equaliser's parameters, programs and audio path, as the host
// sees them. Parameters are normalised floats (0..1 maps to -12..+12 dB);
// setParameter may run on any thread while the audio thread processes.
#pragma once

#include <atomic>

#include "host/audioeffectx.h"
#include "realtime/published.h"
#include "vesk_chain.h"
#include "vesk_design.h"

namespace vesk {

constexpr VstInt32 kVeskId = fourCharCode('V', 'e', 's', 'k');

// One program: the values as they were set (before the centre snap) and a name.
struct VeskProgram {
    static constexpr int kNameLength = 23;  // characters; the field adds a terminator
    std::atomic<float> params[20];
    char name[kNameLength + 1];
};

class VeskCore : public AudioEffectX {
public:
    static constexpr int kNumPrograms = 10;
    static constexpr int kNumParams = 20;  // 0 input, 1..18 bands, 19 output

    explicit VeskCore(audioMasterCallback audioMaster);

    // Any thread. Stores value in the current program as sent; plays it snapped
    // to the centre. A band index redesigns that band only, at the rate fetched now.
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;  // the snapped value
    void getParameterName(VstInt32 index, char* text) override;
    void getParameterLabel(VstInt32 index, char* text) override;
    void getParameterDisplay(VstInt32 index, char* text) override;  // dB

    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

    bool getEffectName(char* name) override;
    bool getProductString(char* text) override;
    bool getVendorString(char* text) override;
    VstInt32 getVendorVersion() override { return 1000; }
    VstPlugCategory getPlugCategory() override { return kPlugCategEffect; }

    // Audio thread.
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;

    // The gain mapping of a normalised value p (any thread).
    virtual float gainFactor(float p);   // linear factor
    virtual float gainDb(float p);       // dB
    virtual float snapToCentre(float p);  // 0.5 within 0.495..0.505

    // The value program (0..9) holds for parameter index (0..19), as it was
    // set, before the centre snap; 0 for indexes outside (any thread).
    float programValue(VstInt32 program, VstInt32 index) const;

    // The rate, in Hz, last fetched for a design (any thread).
    float getDesignRate() const { return designRate.load(std::memory_order_relaxed); }

private:
    static bool valid(VstInt32 index) { return index >= 0 && index < kNumParams; }
    VeskProgram& currentProgram();
    void designAll();

    VeskProgram programs[kNumPrograms];
    std::atomic<float> value[kNumParams];   // snapped
    std::atomic<float> factor[kNumParams];  // linear
    std::atomic<float> db[kNumParams];
    std::atomic<float> designRate{44100.0f};
    Published<vesk::VeskDesign> design;
    vesk::VeskChain chain;  // audio thread only
};

}  // namespace vesk
