// Calls the audio thread must never make, counted while it is inside a
// processing call. The test program defines the allocation, locking and
// system-call functions of the C and C++ runtimes; the plug-ins it loads bind
// to these, which count the call when the calling thread is marked as being
// in a processing call and then do what the runtime's own would.
#pragma once

namespace realtime {

// Marks the calling thread as inside (or outside) a processing call.
void enterAudio();
void leaveAudio();

struct ForbiddenCall {
    const char* function;
    long count;
};
// The forbidden calls seen since the last reset (at most `room`); how many kinds.
int forbiddenCalls(ForbiddenCall* out, int room);
void resetForbiddenCalls();

}  // namespace realtime
