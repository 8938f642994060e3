#include "residency.h"

#include <dlfcn.h>

#include <initializer_list>

void keepGraphicsLibrariesLoaded() {
    static const bool pinned = [] {
        // Already loaded as dependencies: NOLOAD finds them, NODELETE keeps them
        // (and what they depend on) past the unloading of this library.
        for (const char* name : {"libcairo.so.2", "libX11.so.6", "libfontconfig.so.1"})
            dlopen(name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
        return true;
    }();
    (void)pinned;
}

namespace {
// From the moment the library is loaded: some of them allocate in their own
// initialisers already.
__attribute__((constructor)) void pinAtLoad() { keepGraphicsLibrariesLoaded(); }
}  // namespace
