// Speaker-arrangement helpers. An arrangement is allocated with room for
// exactly numChannels speakers.
#include <cstdlib>
#include <cstring>

#include "audioeffectx.h"

bool AudioEffectX::allocateArrangement(VstSpeakerArrangement** arrangement, VstInt32 channels) {
    if (!arrangement) return false;
    deallocateArrangement(arrangement);
    if (channels < 0) return false;
    size_t size = offsetof(VstSpeakerArrangement, speakers) +
                  static_cast<size_t>(channels) * sizeof(VstSpeakerProperties);
    void* memory = std::calloc(1, size);
    if (!memory) return false;
    *arrangement = static_cast<VstSpeakerArrangement*>(memory);
    (*arrangement)->numChannels = channels;
    return true;
}

bool AudioEffectX::deallocateArrangement(VstSpeakerArrangement** arrangement) {
    if (!arrangement) return false;
    std::free(*arrangement);
    *arrangement = nullptr;
    return true;
}

bool AudioEffectX::copySpeaker(VstSpeakerProperties* to, VstSpeakerProperties* from) {
    if (!to || !from) return false;
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    char name[sizeof(from->name)];
    std::memcpy(name, from->name, sizeof(name));
    name[sizeof(name) - 1] = 0;
    vstCopyText(to->name, name, 63);
    to->type = from->type;
    std::memcpy(to->future, from->future, sizeof(to->future));
    return true;
}

bool AudioEffectX::matchArrangement(VstSpeakerArrangement** to, VstSpeakerArrangement* from) {
    if (!from || !to) return false;
    if (!allocateArrangement(to, from->numChannels)) return false;
    (*to)->type = from->type;
    // The speaker arrays hold numChannels entries, which may be more than the declared eight.
    VstSpeakerProperties* target = (*to)->speakers;
    VstSpeakerProperties* source = from->speakers;
    for (VstInt32 i = 0; i < from->numChannels; ++i)
        if (!copySpeaker(target + i, source + i)) return false;
    return true;
}
