// The two-band equaliser: a low shelf at 100 Hz and a high shelf at 5000 Hz,
// each -12 to +12 dB, with a Reset that returns both to 0 dB, and a bank of
// four programs. Parameters may change on any thread while audio runs: every
// redesign publishes a whole set of coefficients that the next sample uses.
#pragma once

#include <atomic>

#include "audioeffectx.h"
#include "peak_section.h"
#include "shelf_pair.h"

struct IlvaneProgram {
    std::atomic<float> lowGain{0.5f};   // normalised
    std::atomic<float> highGain{0.5f};  // normalised
    char name[24] = "Init";
};

class Ilvane : public AudioEffectX {
public:
    explicit Ilvane(audioMasterCallback audioMaster);
    ~Ilvane() override;

    // False when an allocation in the constructor failed.
    bool isComplete() const;

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
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;

    // Normalised gain to dB: (v * 2 - 1) * 12 in 64-bit arithmetic, rounded to float.
    virtual float gainDbFromNormalized(float v);

private:
    // Designs one band of a set with its gain in dB and the rate in Hz.
    void designLow(ShelfDesign& d, float gainDb, float rate);
    void designHigh(ShelfDesign& d, float gainDb, float rate);
    // The rate the designs use from now on: the host's, when it is usable.
    float refreshDesignRate();
    // The editor hears of every value change here once the plug-in has one.
    void updateEditor(VstInt32 /*index*/, float /*value*/) {}

    IlvaneProgram* programs = nullptr;
    std::atomic<float> lowGain{0.5f};
    std::atomic<float> lowGainDb{0.0f};
    std::atomic<float> highGain{0.5f};
    std::atomic<float> highGainDb{0.0f};
    std::atomic<VstInt32> resetValue{0};
    std::atomic<float> designRate{44100.0f};
    PeakSection<float>* lowShelf32 = nullptr;
    PeakSection<float>* highShelf32 = nullptr;
    PeakSection<double>* lowShelf64 = nullptr;
    PeakSection<double>* highShelf64 = nullptr;

    Published<ShelfDesign> designs;
    unsigned applied32 = 0;  // audio thread: serial of the design the sections hold
    unsigned applied64 = 0;
};
