// An output written under a temporary name beside its target and renamed over
// it only when complete, so a failed or interrupted run never leaves a
// half-written file under the target's name (an older file there stays as it was).
#pragma once

#include <string>

namespace vsthost {

class OutputFile {
public:
    // Creates the temporary file; throws ToolError(cannotWrite).
    explicit OutputFile(const std::string& target);
    // Removes the temporary file unless committed.
    ~OutputFile();
    OutputFile(const OutputFile&) = delete;
    OutputFile& operator=(const OutputFile&) = delete;

    // Where to write the contents.
    const std::string& path() const { return temporary; }
    const std::string& target() const { return destination; }
    // Gives the file ordinary permissions and renames it to the target;
    // throws ToolError(cannotWrite).
    void commit();

private:
    std::string destination;
    std::string temporary;
    bool committed = false;
    int slot = -1;
};

}  // namespace vsthost
