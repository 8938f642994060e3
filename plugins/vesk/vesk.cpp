#include "vesk.h"

#include <new>

#include "host/entry.h"

namespace vesk {

namespace {

// The editor is not part of the build yet: the instance runs without one.
constexpr bool kHasEditor = false;

}  // namespace

Vesk::Vesk(audioMasterCallback audioMaster) : VeskCore(audioMaster) {
    setUniqueID(kVeskId);
    if (!kHasEditor) return;
    AEffEditor* made = makeEditor();
    if (!made) {
        oome = true;
        return;
    }
    setEditor(made);
}

AEffEditor* Vesk::makeEditor() { return nullptr; }

}  // namespace vesk

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return new (std::nothrow) vesk::Vesk(audioMaster);
}
