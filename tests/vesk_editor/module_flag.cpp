// The in-process tests build the effect without the plug-in's module, which
// holds the entry point's out-of-memory flag; the test program provides it.
#include "host/entry.h"

thread_local bool oome = false;
