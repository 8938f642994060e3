#include "isolation.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace vsthost {
namespace {

// Shared between a child and its parent: written by the child, read by the
// parent once the child has ended.
struct SharedPage {
    char activity[256];
    char result[1024];
};

SharedPage* ownPage = nullptr;  // set in a child
std::string lastActivity;

void copyBounded(char* to, size_t size, const std::string& text) {
    size_t n = std::min(size - 1, text.size());
    std::memcpy(to, text.data(), n);
    to[n] = 0;
}

}  // namespace

void setActivity(const std::string& what) {
    lastActivity = what;
    if (ownPage) copyBounded(ownPage->activity, sizeof(ownPage->activity), what);
}

const std::string& currentActivity() { return lastActivity; }

void handBack(const std::string& text) {
    if (ownPage) copyBounded(ownPage->result, sizeof(ownPage->result), text);
}

ChildOutcome runIsolated(const std::function<int()>& body, double timeoutSeconds, bool quiet) {
    void* memory = mmap(nullptr, sizeof(SharedPage), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        // No shared page: run in this process, unprotected, rather than not at all.
        return ChildOutcome{ChildOutcome::exited, body(), 0, lastActivity, ""};
    }
    auto* page = static_cast<SharedPage*>(memory);
    std::memset(page, 0, sizeof(*page));
    copyBounded(page->activity, sizeof(page->activity), lastActivity);
    std::fflush(stdout);
    std::fflush(stderr);
    pid_t pid = fork();
    if (pid == 0) {
        ownPage = page;
        if (quiet) {
            int null = open("/dev/null", O_WRONLY);
            if (null >= 0) {
                dup2(null, STDOUT_FILENO);
                dup2(null, STDERR_FILENO);
                close(null);
            }
        } else {
            // Line by line, so what was printed before a crash is not lost in a buffer.
            std::setvbuf(stdout, nullptr, _IOLBF, 0);
        }
        int status = body();
        std::fflush(stdout);
        // A quiet probe leaves at once: the process is a copy, and whatever
        // else the plug-in left behind must not run (or crash) after the answer.
        if (quiet) _exit(status);
        std::exit(status);
    }
    ChildOutcome outcome;
    if (pid < 0) {
        munmap(memory, sizeof(SharedPage));
        outcome.status = body();
        return outcome;
    }
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long>(timeoutSeconds * 1000));
    int wstatus = 0;
    for (auto pause = std::chrono::microseconds(200);;) {
        pid_t done = waitpid(pid, &wstatus, timeoutSeconds > 0 ? WNOHANG : 0);
        if (done == pid) break;
        if (done < 0 && errno != EINTR) break;
        if (timeoutSeconds > 0 && std::chrono::steady_clock::now() >= deadline) {
            kill(pid, SIGKILL);
            while (waitpid(pid, &wstatus, 0) < 0 && errno == EINTR) {
            }
            outcome.kind = ChildOutcome::timedOut;
            break;
        }
        if (timeoutSeconds > 0) {
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::microseconds(10000));
        }
    }
    if (outcome.kind != ChildOutcome::timedOut) {
        if (WIFSIGNALED(wstatus)) {
            outcome.kind = ChildOutcome::crashed;
            outcome.signal = WTERMSIG(wstatus);
        } else {
            outcome.status = WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : 1;
        }
    }
    page->activity[sizeof(page->activity) - 1] = 0;
    page->result[sizeof(page->result) - 1] = 0;
    outcome.activity = page->activity;
    outcome.result = page->result;
    munmap(memory, sizeof(SharedPage));
    return outcome;
}

std::string describeOutcome(const ChildOutcome& o, double timeoutSeconds) {
    std::string during = o.activity.empty() ? "" : " while " + o.activity;
    switch (o.kind) {
    case ChildOutcome::crashed: {
        const char* abbrev = sigabbrev_np(o.signal);
        const char* text = strsignal(o.signal);
        return "crashed" + during + " (" + (abbrev ? "SIG" + std::string(abbrev) : "signal " + std::to_string(o.signal)) +
               (text ? ", " + std::string(text) : "") + ")";
    }
    case ChildOutcome::timedOut: {
        char seconds[32];
        std::snprintf(seconds, sizeof(seconds), "%g", timeoutSeconds);
        return std::string("timed out after ") + seconds + " s" + during;
    }
    case ChildOutcome::exited: break;
    }
    return "exited with status " + std::to_string(o.status);
}

}  // namespace vsthost
