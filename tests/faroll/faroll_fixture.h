// A Faroll instance loaded from the built library, as a host drives it.
#pragma once

#include <vector>

#include "tests/support/loaded_plugin.h"
#include "tests/support/signal.h"

struct FarollInstance {
    FarollInstance() : loaded(PLUGIN_PATH_Faroll) { EXPECT_TRUE(loaded.create()); }
    hosting::Plugin& operator*() { return *loaded.plugin; }
    hosting::Plugin* operator->() { return loaded.plugin.get(); }
    LoadedPlugin loaded;
};

// Gain in dB of a sine at hz through the plug-in's 32-bit entry, after settling.
inline double farollGainDb(hosting::Plugin& p, double hz, double rate, double seconds = 2.0) {
    return testsignal::sineGainDb(p, hz, rate, seconds, seconds / 2);
}
