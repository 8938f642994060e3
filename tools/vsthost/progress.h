// A one-line progress bar on stderr, drawn only when stderr is a terminal.
#pragma once

#include <cstdint>

namespace vsthost {

class Progress {
public:
    // total: the amount that means done (frames); enabled: whether to draw at all.
    Progress(std::int64_t total, bool enabled);
    ~Progress();
    void update(std::int64_t done);
    // Ends the line (called by the destructor too).
    void finish();

private:
    std::int64_t total;
    bool active;
    int shown = -1;
};

// True when stderr is a terminal.
bool stderrIsTerminal();

}  // namespace vsthost
