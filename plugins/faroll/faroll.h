// Faroll: the three-band mixer-style equaliser as the host sees it. Ten
// parameters (three gains, three cut switches, three frequencies, Reset),
// eleven programs, stereo, 32-bit and 64-bit processing, and an editor that
// is told of every change.
#pragma once

#include <atomic>

#include "host/suite_effect.h"
#include "plugins/faroll/band_chain.h"
#include "realtime/published.h"

namespace faroll {

class Faroll : public SuiteEffect {
public:
    enum Parameter {
        kLowGain,
        kMidGain,
        kHighGain,
        kLowCut,
        kMidCut,
        kHighCut,
        kLowFreq,
        kMidFreq,
        kHighFreq,
        kReset,
        kNumParams
    };
    static constexpr VstInt32 kNumPrograms = 11;
    // A program holds the values of parameters 0 to 8 (cut switches as the
    // float of their integer) and a name of at most 23 characters.
    static constexpr int kProgramValues = 9;
    static constexpr int kProgramNameChars = 23;

    // Throws std::bad_alloc when it cannot be built (see createSuiteEffect).
    explicit Faroll(audioMasterCallback audioMaster);

    // Audio thread. Below 44100 Hz the outputs are copies of the inputs.
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs,
                                VstInt32 sampleFrames) override;

    // Any thread. value is normalised (0 to 1); index 0 to 9, others ignored.
    // Redesigns the band the parameter affects at the current sample rate.
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterDisplay(VstInt32 index, char* text) override;

    // Programs 0 to 10; other numbers change nothing.
    void setProgram(VstInt32 program) override;
    // Stores at most 23 characters of name.
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

    // Stores the rate (Hz); designs nothing. Rates below 44100 Hz pass audio through.
    void setSampleRate(float rate) override;

private:
    void reset(float value);
    void designLowBand();
    void designMidBand();
    void designHighBand();
    // Tells the editor of a value change (it shows the effect's current value).
    void updateEditor(VstInt32 index, float value);

    ProgramBank<kNumPrograms, kProgramValues, kProgramNameChars> programs;

    std::atomic<float> lowGain{0.5f}, midGain{0.5f}, highGain{0.5f};
    std::atomic<float> lowFreq{0.5f}, midFreq{0.5f}, highFreq{0.5f};
    std::atomic<int> lowCut{1}, midCut{1}, highCut{1};
    std::atomic<int> resetValue{0};
    std::atomic<float> lowGainDb{0.0f}, highGainDb{0.0f}, midSectionDb{0.0f}, midGainDb{0.0f};
    std::atomic<float> lowFreqHz{0.0f}, midFreqHz{0.0f}, highFreqHz{0.0f}, highDesignHz{0.0f};
    // The effect's own copy of the rate that every design uses (Hz).
    std::atomic<float> sampleRate{44100.0f};
    std::atomic<bool> rateSupported{true};

    // Designs reach the audio thread whole; each chain's memories belong to it.
    Published<BandDesign> designs;
    BandChain<float> chain32;
    BandChain<double> chain64;
};

}  // namespace faroll
