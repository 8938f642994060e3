// The shared body of the exported entry points.
#pragma once

#include <new>

#include "entry.h"

inline AEffect* createPluginRecord(audioMasterCallback audioMaster) noexcept {
    if (!audioMaster) return nullptr;
    try {
        if (audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0) return nullptr;
        oome = false;
        AudioEffect* effect = createEffectInstance(audioMaster);
        if (!effect) return nullptr;
        if (effect->getGeneration() == VstGeneration::v23 && oome) {
            oome = false;
            delete effect;
            return nullptr;
        }
        return effect->getAeffect();
    } catch (...) {
        return nullptr;
    }
}

#define VST_EXPORT extern "C" __attribute__((visibility("default")))
