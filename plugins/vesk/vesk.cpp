#include "plugins/vesk/vesk.h"

#include "host/entry.h"

namespace vesk {

namespace {

// The editor is not part of the build yet: the instance runs without one.
constexpr bool kHasEditor = false;

}  // namespace

Vesk::Vesk(audioMasterCallback audioMaster) : VeskCore(audioMaster) {
    setUniqueID(kVeskId);
    if (kHasEditor && !makeEditor()) oome = true;  // the entry point discards this instance
}

bool Vesk::makeEditor() { return false; }

}  // namespace vesk

AudioEffect* createEffectInstance(audioMasterCallback audioMaster) {
    return createSuiteEffect<vesk::Vesk>(audioMaster);
}
