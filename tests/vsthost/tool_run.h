// Runs the command-line host as a user would and reads what it wrote.
#pragma once

#include <gtest/gtest.h>
#include <sndfile.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace tooltest {

struct ToolResult {
    int status;  // exit status; -1 when it did not exit normally
    std::string out, err;
};

// A fresh directory, removed with its contents afterwards.
struct TempDir {
    TempDir() {
        char pattern[] = "/tmp/vsthost-test-XXXXXX";
        path = mkdtemp(pattern);
    }
    ~TempDir() { std::system(("rm -rf '" + path + "'").c_str()); }
    std::string operator/(const std::string& name) const { return path + "/" + name; }
    // Names in the directory, hidden ones included.
    std::vector<std::string> entries() const {
        std::vector<std::string> names;
        if (DIR* d = opendir(path.c_str())) {
            while (dirent* e = readdir(d))
                if (std::string(e->d_name) != "." && std::string(e->d_name) != "..") names.push_back(e->d_name);
            closedir(d);
        }
        return names;
    }
    std::string path;
};

inline std::string slurp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline bool exists(const std::string& path) {
    struct stat st {};
    return stat(path.c_str(), &st) == 0;
}

// Runs program with arguments and extra environment (NAME=VALUE); no shell.
inline ToolResult runProgram(const std::string& program, const std::vector<std::string>& args,
                      const std::vector<std::string>& environment = {}) {
    TempDir capture;
    std::string outPath = capture / "out", errPath = capture / "err";
    pid_t pid = fork();
    if (pid == 0) {
        freopen(outPath.c_str(), "w", stdout);
        freopen(errPath.c_str(), "w", stderr);
        for (const auto& e : environment) putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv{const_cast<char*>(program.c_str())};
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    int wstatus = 0;
    waitpid(pid, &wstatus, 0);
    return ToolResult{WIFEXITED(wstatus) ? WEXITSTATUS(wstatus) : -1, slurp(outPath), slurp(errPath)};
}

inline ToolResult vsthost(const std::vector<std::string>& args) { return runProgram(VSTHOST_PATH, args); }

struct Audio {
    SF_INFO info{};
    std::vector<double> samples;  // interleaved
    double at(long frame, int channel) const { return samples[frame * info.channels + channel]; }
    long frames() const { return static_cast<long>(info.frames); }
};

inline Audio readAudio(const std::string& path) {
    Audio a;
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &a.info);
    if (!f) {
        ADD_FAILURE() << "cannot read " << path;
        return a;
    }
    a.samples.resize(static_cast<size_t>(a.info.frames * a.info.channels));
    sf_readf_double(f, a.samples.data(), a.info.frames);
    sf_close(f);
    return a;
}

// Generates a test signal with the tool itself; fails the test if it cannot.
inline void generate(const std::string& path, const std::vector<std::string>& options) {
    std::vector<std::string> args{"generate", path};
    args.insert(args.end(), options.begin(), options.end());
    ToolResult r = vsthost(args);
    ASSERT_EQ(r.status, 0) << r.err;
}

}  // namespace tooltest
