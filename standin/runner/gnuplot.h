// Running gnuplot for a trace's plot, one source per platform
// (gnuplot_linux.cpp; gnuplot_windows.cpp, where no plot is drawn).
#pragma once

#include <string>

namespace standin::runner {

// Runs the program named `gnuplot` (found on PATH when the name holds no
// folder) on the script, with the trace's paths and title as its arguments;
// false with the reason when it did not work. Its messages go to a log
// file, not into the run's output.
bool runGnuplot(const std::string& gnuplot, const std::string& scriptPath,
                const std::string& csvPath, const std::string& pngPath,
                const std::string& logPath, std::string* why);

}  // namespace standin::runner
