// Faroll: the three-band mixer-style equaliser as the host sees it. Ten
// parameters (three gains, three cut switches, three frequencies, Reset),
// eleven programs, stereo, 32-bit and 64-bit processing.
#pragma once

#include <atomic>

#include "host/audioeffectx.h"
#include "band_chain.h"
#include "realtime/published.h"

namespace faroll {

enum FarollParameter {
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
    kNumFarollParameters
};

constexpr int kNumFarollPrograms = 11;

// A program: the nine band parameters and a name. Values are atomics because
// the host and the editor may change them from two threads.
struct FarollProgram {
    std::atomic<float> lowGain{0.5f}, midGain{0.5f}, highGain{0.5f};
    std::atomic<float> lowFreq{0.5f}, midFreq{0.5f}, highFreq{0.5f};
    std::atomic<int> lowCut{1}, midCut{1}, highCut{1};
    char name[24] = "Init";
};

class Faroll : public AudioEffectX {
public:
    explicit Faroll(audioMasterCallback audioMaster);

    // Audio thread. Below 44100 Hz the outputs are copies of the inputs.
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs,
                                VstInt32 sampleFrames) override;

    // Any thread. value is normalised (0 to 1); index 0 to 9, others ignored.
    // Redesigns the band the parameter affects at the current sample rate.
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;
    void getParameterName(VstInt32 index, char* text) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;

    // Programs 0 to 10; other numbers change nothing.
    void setProgram(VstInt32 program) override;
    // Stores at most 23 characters of name.
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

    // Stores the rate (Hz); designs nothing. Rates below 44100 Hz pass audio through.
    void setSampleRate(float rate) override;

    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override { return 1000; }

private:
    void reset(float value);
    void designLowBand();
    void designMidBand();
    void designHighBand();
    FarollProgram& program() { return programs[curProgram]; }

    FarollProgram programs[kNumFarollPrograms];

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
    Published<faroll::BandDesign> designs;
    faroll::BandChain<float> chain32;
    faroll::BandChain<double> chain64;
    unsigned applied32 = 0;
    unsigned applied64 = 0;
};

}  // namespace faroll
