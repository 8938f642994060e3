// Entry points of a 2.4 plug-in: VSTPluginMain, and the same function as main.
#include "entry_point.h"

VST_EXPORT AEffect* VSTPluginMain(audioMasterCallback audioMaster) {
    return createPluginRecord(audioMaster);
}

// C++ reserves the name main for the program's entry, so the symbol is named directly.
VST_EXPORT AEffect* vstMainAlias(audioMasterCallback audioMaster) __asm__("main");
VST_EXPORT AEffect* vstMainAlias(audioMasterCallback audioMaster) {
    return createPluginRecord(audioMaster);
}
