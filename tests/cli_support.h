// Running the pulsepost command from the tests.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "test_support.h"

namespace pulsepost::testing {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `pulsepost ARGS` in dir with standard input, output and error redirected to files.
inline CliRun runCli(const ScratchDir& dir, const std::string& args) {
    const std::string command = "cd '" + dir.path() + "' && '" + PULSEPOST_CLI + "' " + args +
                                " </dev/null >cli.out 2>cli.err";
    CliRun r;
    const int raw = std::system(command.c_str());
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = readFile(dir.file("cli.out"));
    r.err = readFile(dir.file("cli.err"));
    return r;
}

inline bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace pulsepost::testing
