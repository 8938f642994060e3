#include "progress.h"

#include <unistd.h>

#include <cstdio>

namespace vsthost {

bool stderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

Progress::Progress(std::int64_t all, bool enabled) : total(all > 0 ? all : 1), active(enabled) {}

Progress::~Progress() { finish(); }

void Progress::update(std::int64_t done) {
    if (!active) return;
    int percent = static_cast<int>(done * 100 / total);
    if (percent > 100) percent = 100;
    if (percent == shown) return;
    shown = percent;
    constexpr int width = 40;
    char bar[width + 1];
    int filled = percent * width / 100;
    for (int i = 0; i < width; ++i) bar[i] = i < filled ? '#' : '.';
    bar[width] = 0;
    std::fprintf(stderr, "\r[%s] %3d%%", bar, percent);
    std::fflush(stderr);
}

void Progress::finish() {
    if (!active) return;
    if (shown >= 0) std::fputc('\n', stderr);
    active = false;
}

}  // namespace vsthost
