#include "output_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstring>

#include "errors.h"

namespace vsthost {
namespace {

// Temporary files still open, removed if the run is interrupted by a signal
// or a plug-in crashes the process that writes them.
constexpr int kSlots = 8;
char pending[kSlots][PATH_MAX];
volatile sig_atomic_t inUse[kSlots];

extern "C" void removePending(int sig) {
    for (int i = 0; i < kSlots; ++i)
        if (inUse[i]) unlink(pending[i]);
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

void installHandlers() {
    static bool installed = false;
    if (installed) return;
    installed = true;
    for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGPIPE, SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT}) std::signal(sig, removePending);
}

std::string directoryOf(const std::string& path) {
    auto slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string baseOf(const std::string& path) {
    auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

}  // namespace

OutputFile::OutputFile(const std::string& target) : destination(target) {
    if (target.empty() || target.back() == '/')
        throw ToolError(Exit::cannotWrite, "cannot write \"" + target + "\": not a file name");
    struct stat info {};
    if (stat(target.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        throw ToolError(Exit::cannotWrite, "cannot write " + target + ": it is a directory");
    std::string pattern = directoryOf(target) + "/." + baseOf(target) + ".partXXXXXX";
    if (pattern.size() >= PATH_MAX)
        throw ToolError(Exit::cannotWrite, "cannot write " + target + ": path too long");
    installHandlers();
    for (int i = 0; i < kSlots; ++i)
        if (!inUse[i]) {
            slot = i;
            break;
        }
    char buffer[PATH_MAX];
    std::memcpy(buffer, pattern.c_str(), pattern.size() + 1);
    int fd = mkstemp(buffer);
    if (fd < 0)
        throw ToolError(Exit::cannotWrite, "cannot write " + target + ": " + std::strerror(errno));
    close(fd);
    temporary = buffer;
    if (slot >= 0) {
        std::memcpy(pending[slot], buffer, temporary.size() + 1);
        inUse[slot] = 1;
    }
}

OutputFile::~OutputFile() {
    if (slot >= 0) inUse[slot] = 0;
    if (!committed) unlink(temporary.c_str());
}

void OutputFile::commit() {
    mode_t mask = umask(0);
    umask(mask);
    chmod(temporary.c_str(), 0666 & ~mask);
    if (rename(temporary.c_str(), destination.c_str()) != 0)
        throw ToolError(Exit::cannotWrite,
                        "cannot write " + destination + ": " + std::strerror(errno));
    committed = true;
    if (slot >= 0) inUse[slot] = 0;
}

}  // namespace vsthost
