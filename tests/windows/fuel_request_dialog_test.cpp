// The fuel request dialog as the pilot meets it on the stand-in host:
// opened from the selector menu only on the ground with the parking brake
// set (the fuelling alert otherwise, whose "Ignore..." opens it all the
// same), "Quick refuel" wherever it is open, the ground-only buttons, and
// requested quantities that are refused where they were typed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XPStandardWidgets.h"
#include "XPWidgets.h"
#include "support/refuel_host.h"

namespace {

using quiltest::kStationSize;
using quiltest::kTankMass;

constexpr const char* kGearForce = "sim/flightmodel/forces/fnrml_gear";
constexpr const char* kParkBrake = "sim/flightmodel/controls/parkbrake";
constexpr const char* kLeftMass = kTankMass[0];
constexpr float kParkedGearForce = 600000.0f;
constexpr float kPoundsPerKilogram = 2.205f;

class FuelRequest : public quiltest::RefuelHost {
protected:
    void SetUp() override {
        RefuelHost::SetUp();
        start();
    }

    static void setParked(bool onGround, bool brake) {
        standin::setFloat(kGearForce, onGround ? kParkedGearForce : 0.0f);
        standin::setFloat(kParkBrake, brake ? 1.0f : 0.0f);
        standin::runFrames(10);  // the parking brake is read every eighth frame
    }
    // The dialog's text fields in order: the names, then the quantities.
    static std::vector<XPWidgetID> fields() {
        std::vector<XPWidgetID> found;
        for (XPWidgetID id : standin::widgetInfo(dialog()).children) {
            if (standin::widgetInfo(id).widgetClass == xpWidgetClass_TextField) found.push_back(id);
        }
        return found;
    }
    // The requested quantity: the dialog's last text field.
    static XPWidgetID requestField() {
        XPWidgetID last = nullptr;
        for (XPWidgetID id : standin::widgetInfo(dialog()).children) {
            if (standin::widgetInfo(id).widgetClass == xpWidgetClass_TextField) last = id;
        }
        return last;
    }
    static std::string text(XPWidgetID id) { return standin::widgetInfo(id).descriptor; }
    static void typeInto(XPWidgetID field, const std::string& typed) {
        const standin::WidgetInfo f = standin::widgetInfo(field);
        ASSERT_TRUE(standin::typeText((f.left + f.right) / 2, (f.top + f.bottom) / 2, typed));
    }
};

TEST_F(FuelRequest, ItOpensOnlyParkedButQuickRefuelWorksWhereverItIsOpen) {
    struct Case {
        const char* name;
        bool onGround, brake;
        const char* request;  // pounds, the demo aircraft's unit
    };
    const Case cases[] = {
        {"parked", true, true, "8000"},
        {"airborne, through the alert's Ignore...", false, true, "11300"},
        {"brake released, through the alert", true, false, "6000"},
        {"airborne, brake released", false, false, "7000"},
    };
    for (const Case& c : cases) {
        setParked(c.onGround, c.brake);
        requestFuel();
        const bool parked = c.onGround && c.brake;
        EXPECT_EQ(shown(dialog()), parked) << c.name;
        ASSERT_EQ(shown(alert()), !parked) << c.name << ": the alert instead";
        if (!parked) {
            ASSERT_TRUE(standin::pressButton(child(alert(), "Ignore..."))) << c.name;
            standin::runFrame();
        }
        ASSERT_TRUE(shown(dialog())) << c.name;
        EXPECT_EQ(shown(child(dialog(), "Manual refuel")), parked) << c.name;
        EXPECT_EQ(shown(child(dialog(), "Realtime auto")), parked) << c.name;
        typeInto(requestField(), c.request);
        press("Quick refuel");
        EXPECT_FALSE(shown(dialog())) << c.name;
        EXPECT_FALSE(shown(alert())) << c.name;
        standin::runSeconds(13.0);  // the simulator's masses follow at 150 kg/s
        const float perMain = std::stof(c.request) / kPoundsPerKilogram / 2.0f;
        EXPECT_NEAR(standin::getFloat(kLeftMass), perMain, 5.0f) << c.name;
    }
}

TEST_F(FuelRequest, ABadQuantityIsRefusedWhereItWasTyped) {
    setParked(true, true);
    requestFuel();
    ASSERT_TRUE(shown(dialog()));
    const float before = standin::getFloat(kLeftMass);
    struct Case {
        const char* typed;
        const char* message;  // a part of it
    };
    const Case cases[] = {
        {"abc", "digits only"},  {"12.5", "digits only"}, {"1e4", "digits only"},
        {"nan", "digits only"},  {"inf", "digits only"},  {"", "type a quantity"},
        {"   ", "type a quantity"}, {"-500", "negative"},  {"0", "at least 1"},
        {"7-5", "digits only"},
    };
    for (const Case& c : cases) {
        for (const char* button : {"Quick refuel", "Realtime auto"}) {
            typeInto(requestField(), c.typed);
            press(button);
            EXPECT_TRUE(shown(dialog())) << c.typed << ", " << button;
            EXPECT_EQ(text(requestField()), c.typed) << "left as typed";
            const XPWidgetID status = standin::findWidget(c.message);
            EXPECT_TRUE(shown(status)) << c.typed << ": no message with " << c.message;
        }
    }
    // Text that reaches the field past its five characters.
    XPSetWidgetDescriptor(requestField(), "123456");
    press("Quick refuel");
    EXPECT_TRUE(shown(standin::findWidget("at most 99999")));
    EXPECT_EQ(text(requestField()), "123456");

    standin::runSeconds(1.0);
    EXPECT_NEAR(standin::getFloat(kLeftMass), before, 0.01f) << "no fuel moved";
    EXPECT_FALSE(find(kStationSize)) << "no station opened";

    // Typed again, the request goes through and the message is gone on the
    // next opening.
    typeInto(requestField(), " 4410 ");
    press("Quick refuel");
    EXPECT_FALSE(shown(dialog()));
    requestFuel();
    EXPECT_EQ(standin::findWidget("Requested fuel"), nullptr);
}

TEST_F(FuelRequest, RealtimeAutoOpensTheStationAndFillsTheMainsFirst) {
    setParked(true, true);
    const float before = standin::getFloat(kLeftMass);
    requestFuel();
    typeInto(requestField(), "20000");
    press("Realtime auto");
    EXPECT_FALSE(shown(dialog()));
    EXPECT_TRUE(find(kStationSize));
    standin::runSeconds(10.0);
    // About 17.5 kg/s into each main, the centre closed.
    EXPECT_GT(standin::getFloat(kLeftMass), before + 100.0f);
    EXPECT_NEAR(standin::getFloat(kTankMass[1]), 0.0f, 0.1f);
}

// Names and the tail number cut to what the form holds never end in part
// of a character: 127 bytes for a name, 39 for the tail number.
TEST_F(FuelRequest, TextsAreCutAtACharacterBoundary) {
    setParked(true, true);
    const std::string e = "\xc3\xa9";  // é
    standin::setBytes("sim/aircraft/view/acf_tailnum", std::string(38, 'T') + e);
    requestFuel();
    ASSERT_TRUE(shown(dialog()));
    EXPECT_EQ(text(standin::findWidget("Tail number: ")), "Tail number: " + std::string(38, 'T'));
    std::string many;
    for (int i = 0; i < 127; ++i) many += e;
    typeInto(fields()[0], many);
    press("Cancel");
    requestFuel();
    EXPECT_EQ(text(fields()[0]), many.substr(0, 126)) << "63 whole characters";
}

}  // namespace
