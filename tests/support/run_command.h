#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

// A shell command run to its end: its exit code (128 + the signal when a
// signal ended it) and its standard output and error together.
struct FinishedCommand {
    int exitCode = -1;
    std::string output;
};

inline FinishedCommand runCommand(const std::string& command)
{
    FinishedCommand result;
    FILE* pipe = ::popen((command + " 2>&1").c_str(), "r");
    if (!pipe)
        return result;
    char buffer[512];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        result.output.append(buffer, n);
    const int status = ::pclose(pipe);
    result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}
