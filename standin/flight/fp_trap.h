// Floating-point exceptions (invalid operation, division by zero, overflow)
// trapped while the plug-ins' flight loops run during a flight, so that the
// first NaN or infinity a control law makes stops the run where it was made.
// Drawing and the host's own work run with the exceptions masked.
#pragma once

namespace standin::detail {

// From a flight's start: a trapped exception prints where it happened (the
// plug-in, frame, time and code address) and ends the process with status 3.
void armFloatingPointReport();
void disarmFloatingPointReport();

// Unmasks the exceptions for its lifetime when the report is armed, with
// the plug-in whose code runs.
class FloatingPointTrap {
public:
    FloatingPointTrap(int plugin, long frame, double time);
    ~FloatingPointTrap();
    FloatingPointTrap(const FloatingPointTrap&) = delete;
    FloatingPointTrap& operator=(const FloatingPointTrap&) = delete;

private:
    bool trapping_;
};

}  // namespace standin::detail
