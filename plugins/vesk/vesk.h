// The graphic equaliser as the host loads it: VeskCore with its editor.
#pragma once

#include "vesk_core.h"

namespace vesk {

class Vesk : public VeskCore {
public:
    // Host thread. Raises the out-of-memory flag when the editor cannot be
    // made, so the entry point discards the instance.
    explicit Vesk(audioMasterCallback audioMaster);

private:
    // The editor, or null when it cannot be made.
    AEffEditor* makeEditor();
};

}  // namespace vesk
