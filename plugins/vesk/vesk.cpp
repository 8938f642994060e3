#include "plugins/vesk/vesk.h"

#include <new>

#include "host/entry.h"
#include "plugins/vesk/editor.h"

namespace vesk {

Vesk::Vesk(audioMasterCallback audioMaster) : VeskCore(audioMaster) {
    setUniqueID(kVeskId);
    if (!makeEditor()) oome = true;  // the entry point discards this instance
}

bool Vesk::makeEditor() {
    try {
        new Editor(this);  // attaches itself: the effect owns it from now on
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void Vesk::setParameter(VstInt32 index, float value) {
    VeskCore::setParameter(index, value);
    if (editor) static_cast<AEffGUIEditor*>(editor)->setParameter(index, value);
}

}  // namespace vesk

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return createSuiteEffect<vesk::Vesk>(audioMaster);
}
