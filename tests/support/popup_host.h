// The plug-in on the stand-in host with graphics, and the popup windows as
// the host sees them: found by their size, opened by clicks on the panel
// and on the selector menu.
#pragma once

#include <string>

#include "standin/standin.h"
#include "support/host_fixture.h"

namespace quiltest {

struct Size {
    int width, height;
};

constexpr Size kMenuSize{190, 144};
constexpr Size kApuSize{170, 256};
constexpr Size kMeterSize{170, 348};
constexpr Size kCabinUtilitiesSize{82, 657};
constexpr Size kFuelSize{170, 256};

// The panel spots that open the menu and the overhead arrangement; the
// host maps the panel one to one onto its 1024 x 1024 window.
constexpr int kMenuSpotX = 1000, kMenuSpotY = 900;
constexpr int kOverheadSpotX = 700, kOverheadSpotY = 1000;

// Menu rows are 12 pixels, counted from its top.
constexpr int kMenuRowApu = 1;
constexpr int kMenuRowMeter = 2;
constexpr int kMenuRowOverhead = 6;
constexpr int kMenuRowNone = 10;

class PopupHost : public HostTest {
protected:
    standin::HostConfig config() const override {
        standin::HostConfig c = HostTest::config();
        c.graphics = true;
        return c;
    }

    void start(const std::string& aircraft = demoAircraftPath()) {
        standin::setAircraft(aircraft);
        load(pluginPath());
        standin::runSeconds(2.0);
    }

    // The plug-in's window of that size, if exactly one is open.
    static bool find(Size size, standin::WindowInfo* found = nullptr) {
        int count = 0;
        for (const standin::WindowInfo& w : standin::windows()) {
            if (w.right - w.left == size.width && w.top - w.bottom == size.height) {
                if (found != nullptr) *found = w;
                ++count;
            }
        }
        return count == 1;
    }
    static standin::WindowInfo window(Size size) {
        standin::WindowInfo w{};
        EXPECT_TRUE(find(size, &w)) << size.width << " x " << size.height;
        return w;
    }

    void openMenu() {
        standin::click(kMenuSpotX, kMenuSpotY);
        standin::runFrame();
    }
    void clickMenuRow(int row) {
        const standin::WindowInfo menu = window(kMenuSize);
        standin::click(menu.left + 40, menu.top - row * 12 - 6);
        standin::runFrame();
    }
    void openAlone(int row) {
        openMenu();
        clickMenuRow(row);
    }
    void openOverhead() {
        standin::click(kOverheadSpotX, kOverheadSpotY);
        standin::runFrame();
    }
};

}  // namespace quiltest
