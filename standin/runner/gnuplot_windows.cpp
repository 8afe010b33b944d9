#include "standin/runner/gnuplot.h"

namespace standin::runner {

// The trace is written as on Linux; plotting it is left to the user's own
// gnuplot, as Debian's does not run under Wine.
bool runGnuplot(const std::string&, const std::string&, const std::string&, const std::string&,
                const std::string&, std::string* why) {
    *why = "plots are not drawn on Windows";
    return false;
}

}  // namespace standin::runner
