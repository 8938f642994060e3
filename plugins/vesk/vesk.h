// The graphic equaliser as the host loads it: VeskCore with its editor.
#pragma once

#include "plugins/vesk/vesk_core.h"

namespace vesk {

class Vesk : public VeskCore {
public:
    // Host thread. Raises the out-of-memory flag when the editor cannot be
    // made, so the entry point discards the instance.
    explicit Vesk(audioMasterCallback audioMaster);

    // Any thread. VeskCore's, then the editor shows the new value.
    void setParameter(VstInt32 index, float value) override;

private:
    // Makes the editor, which attaches itself; false when it cannot be made.
    bool makeEditor();
};

}  // namespace vesk
