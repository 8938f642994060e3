#include <dlfcn.h>

#include "entry.h"

namespace {
void* gModuleHandle = nullptr;

__attribute__((constructor)) void attachModule() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<void*>(&attachModule), &info)) gModuleHandle = info.dli_fbase;
}
}  // namespace

void* moduleHandle() { return gModuleHandle; }

thread_local bool oome = false;
