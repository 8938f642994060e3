// The phaser plug-in as the host sees it: six parameters, one program, and the
// two channels that run the sweep.
//
// Threads: setParameter and the getters run on any host or editor thread; the
// block entries run on the audio thread. A parameter change publishes the
// values the audio uses as one whole set; the audio thread picks it up at its
// next sample and applies it to the channels, whose state it alone owns.
#pragma once

#include <atomic>
#include <cstdint>

#include "host/audioeffectx.h"
#include "phaser_channel.h"
#include "realtime/published.h"

namespace hoverin {

// What the audio thread uses, handed over whole. The serials tell it when to
// configure its channels and when to restart their sweeps.
struct PhaserControls {
    float mix = 0.5f;   // wet share, 0 ... 1
    float gain = 1.0f;  // linear output gain, 0 ... 1
    float feedback = 0.0f;
    float rate = 0.5f;        // cycles per second
    float octaves = 1.0f;     // 1 ... 6
    float frequency = 40.0f;  // Hz
    float sampleRate = 44100.0f;
    std::uint32_t configureSerial = 0;  // bumped by Feedback, Rate, Range, Frequency
    std::uint32_t restartSerial = 0;    // bumped by Rate, Range, Frequency
};

class Hoverin : public AudioEffectX {
public:
    enum Parameter { kDryWet, kFeedback, kRate, kRange, kFrequency, kOutGain, kNumParams };
    static constexpr int kProgramNameLength = 24;

    explicit Hoverin(audioMasterCallback audioMaster);
    ~Hoverin() override;

    // Audio thread. Both inputs of a sample are read before its outputs are
    // written, so inputs and outputs may be the same buffers.
    void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
    void processDoubleReplacing(double** inputs, double** outputs,
                                VstInt32 sampleFrames) override;

    // Any thread. value: normalised 0 ... 1, stored as sent.
    void setParameter(VstInt32 index, float value) override;
    float getParameter(VstInt32 index) override;

    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    void getParameterLabel(VstInt32 index, char* label) override;
    void getParameterDisplay(VstInt32 index, char* text) override;
    void getParameterName(VstInt32 index, char* text) override;
    bool getEffectName(char* name) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    VstInt32 getVendorVersion() override;

private:
    template <class Sample>
    void processBlock(Sample** inputs, Sample** outputs, VstInt32 sampleFrames);
    // Audio thread (or the constructor): configures both channels from a
    // published set and, when restart is set, restarts their sweeps.
    void configureChannels(const PhaserControls& controls, bool restart);
    // Writer side (under the hand-over's writer lock): the channel settings
    // from the current parameter values.
    void fillChannelSettings(PhaserControls& controls);

    char programName[kProgramNameLength + 1];
    // The base's rate as of the last setParameter; hides the base field of that name.
    std::atomic<float> sampleRate{44100.0f};
    std::atomic<float> dryWet{0.5f};
    std::atomic<float> feedback{0.0f};
    std::atomic<float> rate{0.5f};
    std::atomic<float> range{0.15f};
    std::atomic<float> frequency{0.8f};
    std::atomic<float> outGain{1.0f};
    std::atomic<float> outGainDb{0.0f};
    std::atomic<float> rateIndex{4.0f};
    std::atomic<float> rateValue{0.5f};
    std::atomic<float> octaves{1.0f};
    std::atomic<float> frequencyHz{0.0f};
    std::atomic<const char*> rateText{nullptr};

    // Audio thread only.
    double dryLeft = 0.0, dryRight = 0.0;
    double wetLeft = 0.0, wetRight = 0.0;
    PhaserChannel left, right;
    std::uint32_t appliedConfigure = 0;
    std::uint32_t appliedRestart = 0;

    Published<PhaserControls> controls;
};

}  // namespace hoverin
