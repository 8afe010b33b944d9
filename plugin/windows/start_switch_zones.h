// The engine start switch as the overhead windows show it: three zones, a
// step left, a step right, and the middle, which steps right from GRD and
// left from CONT or FLT.
#pragma once

#include "systems/apu.h"
#include "windows/click_actions.h"

namespace quil {

template <int engine>
struct StartSwitchZones {
    static void left(int, int, int status, int) {
        if (isPress(status)) StartSwitchStepLeft(engine);
    }
    static void right(int, int, int status, int) {
        if (isPress(status)) StartSwitchStepRight(engine);
    }
    static void middle(int, int, int status, int) {
        if (!isPress(status)) return;
        const int position = StartSwitchPosition(engine);
        if (position == kStartSwitchGround) {
            StartSwitchStepRight(engine);
        } else if (position >= kStartSwitchContinuous) {
            StartSwitchStepLeft(engine);
        }
    }
};

}  // namespace quil
