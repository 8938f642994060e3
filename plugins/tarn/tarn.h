// Tarn: the three-band parametric equaliser with limiter, as the host sees it.
// Ten parameters, ten programs held in memory, the 2.3 form of the interface.
//
// Threads: setParameter and setProgram may run on the host's or the editor's
// thread while the audio thread processes; every change reaches the next
// sample processed. Getters may run on any thread.
#pragma once

#include <atomic>

#include "host/suite_effect.h"
#include "plugins/tarn/tarn_chain.h"

namespace tarn {

class Tarn : public SuiteEffect {
public:
    static constexpr VstInt32 kNumPrograms = 10;
    static constexpr VstInt32 kNumParams = 10;
    enum Parameter {
        kLowFrequency, kMidFrequency, kHighFrequency,
        kLowQ, kMidQ, kHighQ,
        kLowGain, kMidGain, kHighGain,
        kLimiter
    };

    // Throws std::bad_alloc when it cannot be built (see createSuiteEffect).
    explicit Tarn(audioMasterCallback audioMaster);

    // Normalised value, used as sent (not clamped); indexes outside 0..9 are ignored.
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterDisplay(VstInt32 index, char* text) override;

    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

    // Audio thread: two input and two output channels of sampleFrames samples.
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    // Audio thread: adds the processed signal to what the outputs hold.
    void process(float** inputs, float** outputs, VstInt32 sampleFrames) override;

private:
    float displayValue(VstInt32 index) const;
    void redesign();

    // Program names: 23 characters, "Tarn Preset <number>" while unchanged.
    ProgramBank<kNumPrograms, kNumParams, 23> programs;
    std::atomic<float> values[kNumParams];
    std::atomic<VstInt32> program{0};
    std::atomic<float> designRate{44100.0f};
    TarnChain chain;
};

}  // namespace tarn
