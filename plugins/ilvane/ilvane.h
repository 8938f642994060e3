// The two-band equaliser: a low shelf at 100 Hz and a high shelf at 5000 Hz,
// each -12 to +12 dB, with a Reset that returns both to 0 dB, and a bank of
// four programs. Parameters may change on any thread while audio runs: every
// redesign publishes a whole set of coefficients that the next sample uses.
#pragma once

#include <atomic>

#include "host/suite_effect.h"
#include "plugins/ilvane/shelf_pair.h"

namespace ilvane {

class Ilvane : public SuiteEffect {
public:
    enum Parameter { kLowGain, kHighGain, kReset, kNumParams };
    static constexpr VstInt32 kNumPrograms = 4;

    // Throws std::bad_alloc when it cannot be built (see createSuiteEffect).
    explicit Ilvane(audioMasterCallback audioMaster);

    // Audio thread.
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs,
                                VstInt32 sampleFrames) override;

    // Any thread. 0 Low Gain, 1 High Gain (normalised 0..1 maps to -12..+12 dB),
    // 2 Reset (any value returns both gains to 0 dB).
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;

    void setProgram(VstInt32 program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;

    // Normalised gain to dB: (v * 2 - 1) * 12 in 64-bit arithmetic, rounded to float.
    virtual float gainDbFromNormalized(float v);

private:
    // Designs one band of a set with its gain in dB and the rate in Hz.
    void designLow(ShelfDesign& d, float gainDb, float rate);
    void designHigh(ShelfDesign& d, float gainDb, float rate);
    // The rate the designs use from now on: the host's, when it is usable.
    float refreshDesignRate();
    // Tells the editor of a value change (it shows the effect's current value).
    void updateEditor(VstInt32 index, float value);

    ProgramBank<kNumPrograms, 2, 23> programs;
    std::atomic<float> lowGain{0.5f};
    std::atomic<float> lowGainDb{0.0f};
    std::atomic<float> highGain{0.5f};
    std::atomic<float> highGainDb{0.0f};
    std::atomic<VstInt32> resetValue{0};
    std::atomic<float> designRate{44100.0f};

    Published<ShelfDesign> designs;
    ShelfPair<float> shelves32;   // audio thread
    ShelfPair<double> shelves64;  // audio thread
};

}  // namespace ilvane
