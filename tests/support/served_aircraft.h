// The plug-in's code run inside the test process, bound to the stand-in
// host as for an aircraft it serves (identified by author and description).
#pragma once

#include <gtest/gtest.h>

#include "host/served_aircraft.h"
#include "sim/sim_binding.h"
#include "standin/standin.h"

namespace quiltest {

inline void BindServedAircraft() {
    standin::setBytes("sim/aircraft/view/acf_author", "Orrin Valdemarsson");
    standin::setBytes("sim/aircraft/view/acf_descrip", "Boeing 737-800");
    ASSERT_EQ(quil::BindSimulatorState(), 1);
}

}  // namespace quiltest
