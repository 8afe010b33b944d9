// Runs commands as child processes, a few at a time, each with its output
// into a file: the sweep's flights, one quil-sim each, on every core given.
#pragma once

#include <string>
#include <vector>

namespace sweep {

struct Run {
    std::vector<std::string> arguments;  // the program first, found on PATH
    std::string outputPath;              // stdout and stderr go here
    int status = -1;                     // the exit status; -1 not run, 128 + N killed by signal N
};

// Runs every one, at most `jobs` at once, and fills in their statuses.
// `started` is told each run's index as it starts.
void runAll(std::vector<Run>& runs, int jobs, void (*started)(size_t index, size_t count));

}  // namespace sweep
