// The panel's brightness: the simulator's instrument brightness handed on to
// the panel colours.
#include "instruments/display_power.h"

#include "host/served_aircraft.h"
#include "render/colours.h"
#include "sim/sim_binding.h"
#include "support/host_fixture.h"

namespace {

using namespace quil;

class DisplayPower : public quiltest::HostTest {};

TEST_F(DisplayPower, InstrumentBrightnessChangesReachThePanelColours) {
    BindSimulatorState();
    for (float brightness : {0.5f, 0.25f}) {
        standin::setFloat("sim/cockpit/electrical/instrument_brightness", brightness);
        FollowInstrumentBrightness();
        const float unlit = ColourOf(PanelColour::White, ColourVariant::Unlit)[0];
        EXPECT_FLOAT_EQ(ColourOf(PanelColour::White, ColourVariant::Lit)[0], unlit * brightness)
            << "brightness " << brightness;
    }
}

}  // namespace
