// What each plug-in provides to the entry point, and the process-wide values
// of a plug-in library.
#pragma once

#include "audioeffect.h"

// Provided by each plug-in: builds its effect, or returns null when it cannot.
// Runs on the host thread that called the entry point.
AudioEffect* createEffectInstance(audioMasterCallback audioMaster);

// The loaded library's handle (its load address), set once when the library
// is attached, before any other call. The editors find their bitmaps through it.
void* moduleHandle();

// Raised by a 2.3 plug-in's constructor when an allocation failed; the entry
// point then discards the half-built effect. Kept per thread, so instances
// built at once on two host threads never see each other's failure.
extern thread_local bool oome;
