// Vesk's panel: a vertical slider per parameter with its gain in dB shown
// above it. open, close, idle and valueChanged run on the UI thread;
// setParameter on any thread (off the UI thread it is shown at the next idle).
#pragma once

#include <atomic>

#include "host/guieditor/aeffguieditor.h"
#include "host/guieditor/control_set.h"

namespace vesk {

class Editor : public AEffGUIEditor, public CControlListener {
public:
    static constexpr int kControls = 20;

    // Loads the background and takes its size. Throws std::bad_alloc when
    // that cannot be done (the effect then refuses to be built).
    explicit Editor(AudioEffect* effect);
    ~Editor() override;

    VstIntPtr open(void* parentWindow) override;
    void close() override;
    // Shows the effect's current value of index (value is not used) on its
    // slider and display, then asks for a redraw.
    void setParameter(VstInt32 index, float value) override;
    void valueChanged(CDrawContext* context, CControl* control) override;

    // The gain in dB a display shows for a normalised value p: (2p - 1) * 12.
    virtual float gainDb(float p);

    // The controls of parameter index while open, null while closed (for tests and tools).
    CVerticalSlider* slider(VstInt32 index) const;
    CParamDisplay* display(VstInt32 index) const;
    // False between close and the next open: setParameter then does nothing.
    bool areControlsLive() const { return controlsLive.load(std::memory_order_acquire); }

private:
    ControlSet controls;
    CBitmap* background = nullptr;
    std::atomic<bool> controlsLive{false};
};

}  // namespace vesk
