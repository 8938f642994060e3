// Runs the work that touches a plug-in in a child process, as hosts' scanners
// do: a plug-in that crashes or hangs ends only the child, and the parent
// names what the plug-in was doing when it failed.
#pragma once

#include <functional>
#include <string>

namespace vsthost {

struct ChildOutcome {
    enum Kind { exited, crashed, timedOut } kind = exited;
    int status = 0;        // exit status (exited)
    int signal = 0;        // the signal that ended the child (crashed)
    std::string activity;  // what the plug-in was doing last ("answering its editor size")
    std::string result;    // what the child handed back with handBack()
};

// Runs body in a child process and waits for it; body's return value is the
// child's exit status. timeoutSeconds > 0 kills the child after that long.
// stdout and stderr are flushed first; quiet sends the child's own stdout and
// stderr (and the plug-in's chatter) to /dev/null.
ChildOutcome runIsolated(const std::function<int()>& body, double timeoutSeconds = 0, bool quiet = false);

// In a child: records what the plug-in is asked to do now, so a crash can be
// named. Outside a child it only remembers the text.
void setActivity(const std::string& what);
const std::string& currentActivity();

// In a child: a short text (up to 1000 bytes) for the parent to read.
void handBack(const std::string& text);

// "crashed while answering its editor size (SIGSEGV, Segmentation fault)",
// "timed out after 10 s while starting", or "exited with status 4".
std::string describeOutcome(const ChildOutcome& outcome, double timeoutSeconds = 0);

}  // namespace vsthost
