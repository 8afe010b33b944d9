// The fuel request dialog and the fuel station window on the stand-in host:
// the dialog opened from the selector menu, its widgets found by their
// texts, and the simulator's tank masses put where the model's cold start
// has them, so that what the tests see in them is the fuel refuelling moved.
#pragma once

#include <string>

#include "XPWidgets.h"
#include "support/popup_host.h"

namespace quiltest {

constexpr int kMenuRowFuelRequest = 11;
constexpr Size kStationSize{256, 147};
constexpr int kGroundPowerSpotX = 790, kGroundPowerSpotY = 1005;
constexpr const char* kTankMass[3] = {"sim/flightmodel/weight/m_fuel1",
                                      "sim/flightmodel/weight/m_fuel2",
                                      "sim/flightmodel/weight/m_fuel3"};

class RefuelHost : public PopupHost {
protected:
    void start(const std::string& aircraft = demoAircraftPath()) {
        PopupHost::start(aircraft);
        standin::runSeconds(1.0);  // past the delayed cold reset
        // The ground crew brings the power unit, which powers the station.
        standin::click(kGroundPowerSpotX, kGroundPowerSpotY);
        const float coldStart[3] = {227.3f, 0.0f, 212.4f};
        for (int tank = 0; tank < 3; ++tank) standin::setFloat(kTankMass[tank], coldStart[tank]);
        standin::runFrame();
    }
    void requestFuel() {
        openMenu();
        clickMenuRow(kMenuRowFuelRequest);
        standin::runFrame();
    }
    static XPWidgetID dialog() { return standin::findWidget("quil fuel request"); }
    static XPWidgetID alert() { return standin::findWidget("quil fuelling alert"); }
    static bool shown(XPWidgetID id) { return id != nullptr && standin::widgetShown(id); }
    static XPWidgetID child(XPWidgetID window, const std::string& descriptor) {
        for (XPWidgetID id : standin::widgetInfo(window).children) {
            if (standin::widgetInfo(id).descriptor == descriptor) return id;
        }
        return nullptr;
    }
    static void press(const std::string& label) {
        ASSERT_TRUE(standin::pressButton(child(dialog(), label))) << label;
        standin::runFrame();
    }
};

}  // namespace quiltest
