#include "aeffguieditor.h"

#include "host/audioeffectx.h"

namespace {

CKey toKey(const VstKeyCode& code) {
    CKey key;
    key.modifiers = ((code.modifier & MODIFIER_SHIFT) ? kShift : 0) |
                    ((code.modifier & MODIFIER_CONTROL) ? kControl : 0) |
                    ((code.modifier & MODIFIER_ALTERNATE) ? kAlt : 0);
    switch (code.virt) {
    case VKEY_BACK: key.virt = kKeyBack; break;
    case VKEY_TAB: key.virt = kKeyTab; break;
    case VKEY_RETURN: case VKEY_ENTER: key.virt = kKeyReturn; break;
    case VKEY_ESCAPE: key.virt = kKeyEscape; break;
    case VKEY_END: key.virt = kKeyEnd; break;
    case VKEY_HOME: key.virt = kKeyHome; break;
    case VKEY_LEFT: key.virt = kKeyLeft; break;
    case VKEY_UP: key.virt = kKeyUp; break;
    case VKEY_RIGHT: key.virt = kKeyRight; break;
    case VKEY_DOWN: key.virt = kKeyDown; break;
    case VKEY_DELETE: key.virt = kKeyDelete; break;
    default:
        if (code.virt == 0 && code.character >= 32 && code.character < 127)
            key.character = code.character;
    }
    return key;
}

}  // namespace

AEffGUIEditor::AEffGUIEditor(AudioEffect* effect) : AEffEditor(effect) {
    uiThread.store(std::this_thread::get_id(), std::memory_order_release);
    if (effect) effect->setEditor(this);
}

AEffGUIEditor::~AEffGUIEditor() = default;

VstIntPtr AEffGUIEditor::getRect(ERect** out) {
    if (!out) return 0;
    *out = &rect;
    return 1;
}

VstIntPtr AEffGUIEditor::open(void* parentWindow) {
    uiThread.store(std::this_thread::get_id(), std::memory_order_release);
    return AEffEditor::open(parentWindow);
}

bool AEffGUIEditor::showsNow(VstInt32 index) {
    if (onUiThread()) return frame != nullptr;
    if (index >= 0 && index < kPostedWords * 64)
        posted[index / 64].fetch_or(uint64_t{1} << (index % 64), std::memory_order_acq_rel);
    return false;
}

void AEffGUIEditor::showPosted() {
    for (int word = 0; word < kPostedWords; ++word) {
        uint64_t bits = posted[word].exchange(0, std::memory_order_acq_rel);
        while (bits && frame && effect) {
            const int bit = __builtin_ctzll(bits);
            bits &= bits - 1;
            const VstInt32 index = word * 64 + bit;
            setParameter(index, effect->getParameter(index));
        }
    }
}

void AEffGUIEditor::idle() {
    if (inIdlePass) return;
    uiThread.store(std::this_thread::get_id(), std::memory_order_release);
    showPosted();
    if (updateRequested.exchange(false, std::memory_order_acq_rel) && frame) frame->setDirty();
    if (frame) frame->idle();
}

void AEffGUIEditor::doIdleStuff() {
    if (inIdlePass) return;
    showPosted();
    if (frame) frame->redrawDirty();
    inIdlePass = true;
    if (effect) effect->masterIdle();
    inIdlePass = false;
}

bool AEffGUIEditor::onKeyDown(VstKeyCode& keyCode) {
    return frame && frame->onKeyDown(toKey(keyCode));
}

bool AEffGUIEditor::onKeyUp(VstKeyCode& /*keyCode*/) { return false; }

bool AEffGUIEditor::onWheel(float distance) { return frame && frame->onWheel(distance, 0); }

bool AEffGUIEditor::setKnobMode(VstInt32 mode) {
    setGlobalKnobMode(mode);
    return true;
}

void AEffGUIEditor::beginEdit(long index) {
    if (auto* fx = dynamic_cast<AudioEffectX*>(effect)) fx->beginEdit(static_cast<VstInt32>(index));
}

void AEffGUIEditor::endEdit(long index) {
    if (auto* fx = dynamic_cast<AudioEffectX*>(effect)) fx->endEdit(static_cast<VstInt32>(index));
}
