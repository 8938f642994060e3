// Entry point of a 2.3 plug-in: main only.
#include "entry_point.h"

// C++ reserves the name main for the program's entry, so the symbol is named directly.
VST_EXPORT AEffect* vstMainEntry(audioMasterCallback audioMaster) __asm__("main");
VST_EXPORT AEffect* vstMainEntry(audioMasterCallback audioMaster) {
    return createPluginRecord(audioMaster);
}
