// Gelmira as the host sees it: twelve parameters, one program, the filter
// chain of three harmonic banks framed by cut filters, its identity and its
// editor (told of every parameter change).
//
// setParameter may run on any thread while audio runs: the values the host
// reads back are atomics; the designs run under the chain's writer lock and
// reach the audio thread as one whole set.
#pragma once

#include <atomic>

#include "host/suite_effect.h"
#include "plugins/gelmira/filter_chain.h"

namespace gelmira {

class Gelmira : public SuiteEffect {
public:
    enum Parameter {
        kLpIn, kHpIn, kRootPitch, kFilterWidth, kRootGain, kBank2Tune, kBank2Gain,
        kBank3Tune, kBank3Gain, kLpOut, kHpOut, kDryWet, kNumParams
    };

    // Throws std::bad_alloc when it cannot be built (see createSuiteEffect).
    explicit Gelmira(audioMasterCallback audioMaster);

    // Audio thread.
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames) override;

    // Any thread. value is normalised (0 ... 1); values outside are stored as
    // sent, and what reaches the designs is limited to stable ranges.
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;

    // The one program holds only its name (24 characters).
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterDisplay(VstInt32 index, char* text) override;

private:
    // Under the chain's writer lock: applies one parameter (cut filters with
    // the rate stored by the previous change), then re-tunes all three banks.
    void apply(VstInt32 index, float value, ChainSettings& settings);
    void retune(ChainSettings& settings);

    ProgramBank<1, 0, 24> programs;

    // Normalised values and what the host displays: read from any thread.
    std::atomic<float> values[kNumParams];
    std::atomic<float> lpInHz{0}, hpInHz{0}, lpOutHz{0}, hpOutHz{0};
    std::atomic<int> widthDisplay{0}, bank2Offset{0}, bank3Offset{0}, dryWetDisplay{0};
    std::atomic<const char*> rootName{nullptr};

    // Design inputs: written and read under the writer lock only.
    int rootIndex = 0;
    float rootHz = 0, rootLevel = 0, widthValue = 0;
    float bank2Hz = 0, bank2Level = 0, bank3Hz = 0, bank3Level = 0;
    float designSampleRate = 44100.0f;  // the rate stored by the last change

    // Owns the running filters; the latest designs live in its settings.
    FilterChain chain;
};

}  // namespace gelmira
