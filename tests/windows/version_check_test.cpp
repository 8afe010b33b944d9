// The aircraft version read from its description, and the two alert
// dialogs as the user sees them: where they sit, what they say, and what
// their buttons and close boxes do.
#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

#include "XPStandardWidgets.h"
#include "host/served_aircraft.h"
#include "sim/sim_binding.h"
#include "support/host_fixture.h"
#include "support/test_aircraft.h"
#include "windows/version_check.h"

namespace {

constexpr const char* kDescriptionRef = "sim/aircraft/view/acf_descrip";
constexpr const char* kConflictTitle = "quil Version conflict";
constexpr const char* kAlertTitle = "quil fuelling alert";
// Window centre (640, 400): width and height differ, so a swap shows.
constexpr int kWindowWidth = 1280;
constexpr int kWindowHeight = 800;

class VersionCheck : public quiltest::HostTest {
protected:
    standin::HostConfig config() const override {
        standin::HostConfig config = HostTest::config();
        config.windowWidth = kWindowWidth;
        config.windowHeight = kWindowHeight;
        return config;
    }
    void SetUp() override {
        HostTest::SetUp();
        quil::BindSimulatorState();
    }
    // The dialogs outlive a host in the plug-in's globals; a fresh host
    // must not meet the handles of the last one.
    void TearDown() override {
        quil::DestroyVersionConflict();
        quil::DestroyFuellingAlert();
        HostTest::TearDown();
    }

    static std::vector<XPWidgetID> titled(const std::string& title) {
        std::vector<XPWidgetID> found;
        for (const standin::WidgetInfo& widget : standin::widgets()) {
            if (widget.descriptor == title) found.push_back(widget.id);
        }
        return found;
    }
    static XPWidgetID child(XPWidgetID window, const std::string& descriptor) {
        for (XPWidgetID id : standin::widgetInfo(window).children) {
            if (standin::widgetInfo(id).descriptor == descriptor) return id;
        }
        return nullptr;
    }
    static std::vector<standin::WidgetInfo> captions(XPWidgetID window) {
        std::vector<standin::WidgetInfo> found;
        for (XPWidgetID id : standin::widgetInfo(window).children) {
            const standin::WidgetInfo info = standin::widgetInfo(id);
            if (info.widgetClass == xpWidgetClass_Caption) found.push_back(info);
        }
        return found;
    }
};

struct Rect {
    int left, top, right, bottom;
};

void expectGeometry(const standin::WidgetInfo& widget, const Rect& expected) {
    EXPECT_EQ(widget.left, expected.left) << widget.descriptor;
    EXPECT_EQ(widget.top, expected.top) << widget.descriptor;
    EXPECT_EQ(widget.right, expected.right) << widget.descriptor;
    EXPECT_EQ(widget.bottom, expected.bottom) << widget.descriptor;
}

// A main window with a close box and its lines of text, each 12 pixels
// below the last from 36 pixels under the top.
void expectDialogFrame(XPWidgetID window, const Rect& frame,
                       const std::vector<standin::WidgetInfo>& lines,
                       const std::vector<std::string>& texts) {
    const standin::WidgetInfo info = standin::widgetInfo(window);
    expectGeometry(info, frame);
    EXPECT_EQ(info.widgetClass, xpWidgetClass_MainWindow);
    EXPECT_TRUE(info.root);
    EXPECT_EQ(standin::widgetProperty(window, xpProperty_MainWindowHasCloseBoxes), 1);
    EXPECT_EQ(standin::widgetProperty(window, xpProperty_Refcon), 0);
    ASSERT_EQ(lines.size(), texts.size());
    for (size_t i = 0; i < lines.size(); ++i) {
        const int top = frame.top - 36 - 12 * static_cast<int>(i);
        EXPECT_EQ(lines[i].descriptor, texts[i]) << "line " << i;
        expectGeometry(lines[i], {frame.left + 20, top, frame.right - 20, top - 12});
        EXPECT_TRUE(lines[i].visible) << "line " << i;
    }
}

void expectPushButton(XPWidgetID button, const Rect& rect) {
    ASSERT_NE(button, nullptr);
    const standin::WidgetInfo info = standin::widgetInfo(button);
    expectGeometry(info, rect);
    EXPECT_EQ(info.widgetClass, xpWidgetClass_Button);
    EXPECT_FALSE(info.root);
    EXPECT_EQ(standin::widgetProperty(button, xpProperty_ButtonType), xpPushButton);
}

// ---- The version ------------------------------------------------------------

TEST_F(VersionCheck, TheVersionFollowsTheTagInABoeing737sDescription) {
    struct Case {
        const char* description;
        int version;
        bool accepted;
    };
    const Case cases[] = {
        {"Boeing 737-800 qversion_275", 275, true},
        {"Boeing 737-800 qversion_270", 270, false},
        {"Boeing 737-800 qversion_271", 271, true},
        {"Boeing 737-800 qversion_281", 281, true},
        {"Boeing 737-800 qversion_282", 282, false},
        {"Boeing 737-800 qversion_", 0, false},
        {"Boeing 737-800 qversion_abc", 0, false},
        {"Boeing 737-800 qversion_ +276b", 276, true},
        {"Boeing 737-800 qversion_-275", -275, false},
        {"Boeing 737-800 qversion_99999999999999", INT_MAX, false},
        {"qversion_275 for a Boeing 737", 275, true},
        {"Boeing 737-800", 0, false},
        {"Airbus A320 qversion_275", 0, false},
        {"boeing 737 qversion_275", 0, false},
        {"", 0, false},
        // The tag past the description's first 64 bytes still counts.
        {"Boeing 737-800 demo aircraft for the quil systems plug-in qversion_275", 275, true},
    };
    for (const Case& c : cases) {
        standin::setBytes(kDescriptionRef, c.description);
        EXPECT_EQ(quil::AircraftVersion(), c.version) << c.description;
        EXPECT_EQ(quil::AircraftVersionAccepted(), c.accepted) << c.description;
    }
}

TEST_F(VersionCheck, TheDemoAircraftIsAccepted) {
    standin::setAircraft(quiltest::demoAircraftPath());
    EXPECT_EQ(quil::AircraftVersion(), 275);
    EXPECT_TRUE(quil::AircraftVersionAccepted());
}

// The description is looked up once per process, so this runs in a process
// of its own.
TEST(VersionWithoutDescription, AHostLackingTheDescriptionGivesNoVersion) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            standin::startHost();
            standin::markDataRefAbsent(kDescriptionRef);
            const bool none = quil::AircraftVersion() == 0 && !quil::AircraftVersionAccepted();
            standin::stopHost();
            std::exit(none ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// ---- The version conflict dialog --------------------------------------------

TEST_F(VersionCheck, TheVersionConflictIsLaidOutAroundTheWindowCentre) {
    quil::ShowVersionConflict();
    const XPWidgetID window = standin::findWidget(kConflictTitle);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(standin::widgetShown(window));
    const Rect frame = {640 - 150, 400 + 85, 640 + 150, 400 - 85};
    expectDialogFrame(window, frame, captions(window),
                      {"The version of the  737 aircraft you are using",
                       "is  older  than  the  one  released  with this",
                       "plugin. Although you can fly now we  strongly",
                       "recommend that you download the latest version",
                       "of the aircraft from its maker's download page",
                       "for  perfect compatibilty  and  performance!"});
    expectPushButton(child(window, "Understood"),
                     {frame.left + 110, frame.top - 130, frame.right - 110, frame.top - 150});
}

// Whatever window size the host reports, the dialog lies whole on a screen
// no larger than 16384 pixels each way, at its own size.
TEST_F(VersionCheck, ANonsenseWindowSizeStillPutsTheVersionConflictOnScreen) {
    constexpr int kLargestScreen = 16384;
    struct Case {
        int width, height;
    };
    for (const Case& c : {Case{2000000000, 2000000000}, Case{INT_MAX, INT_MIN}, Case{-5, -5},
                          Case{0, 0}, Case{100, 100}, Case{kLargestScreen * 4, 800}}) {
        standin::setInt("sim/graphics/view/window_width", c.width);
        standin::setInt("sim/graphics/view/window_height", c.height);
        quil::BindSimulatorState();
        quil::ShowVersionConflict();
        const standin::WidgetInfo frame = standin::widgetInfo(standin::findWidget(kConflictTitle));
        EXPECT_GE(frame.left, 0) << c.width << " x " << c.height;
        EXPECT_GE(frame.bottom, 0) << c.width << " x " << c.height;
        EXPECT_LE(frame.right, kLargestScreen) << c.width << " x " << c.height;
        EXPECT_LE(frame.top, kLargestScreen) << c.width << " x " << c.height;
        EXPECT_EQ(frame.right - frame.left, 300) << c.width << " x " << c.height;
        EXPECT_EQ(frame.top - frame.bottom, 170) << c.width << " x " << c.height;
        quil::DestroyVersionConflict();
    }
}

TEST_F(VersionCheck, ShowingTheVersionConflictTwiceBuildsItOnce) {
    quil::ShowVersionConflict();
    const size_t widgetCount = standin::widgets().size();
    quil::ShowVersionConflict();
    EXPECT_EQ(titled(kConflictTitle).size(), 1u);
    EXPECT_EQ(standin::widgets().size(), widgetCount);
}

TEST_F(VersionCheck, UnderstoodAndTheCloseBoxHideTheVersionConflictUntilItIsShownAgain) {
    quil::ShowVersionConflict();
    const XPWidgetID window = standin::findWidget(kConflictTitle);
    ASSERT_TRUE(standin::pressButton(child(window, "Understood")));
    EXPECT_FALSE(standin::widgetShown(window)) << "Understood";

    quil::ShowVersionConflict();
    EXPECT_TRUE(standin::widgetShown(window)) << "shown again, the same dialog";
    ASSERT_TRUE(standin::pushCloseBox(window));
    EXPECT_FALSE(standin::widgetShown(window)) << "close box";
    EXPECT_TRUE(standin::widgetExists(window)) << "hidden, not destroyed";
}

TEST_F(VersionCheck, DestroyingTheVersionConflictTakesItsChildrenAndTheNextShowBuildsItAnew) {
    quil::ShowVersionConflict();
    const XPWidgetID window = standin::findWidget(kConflictTitle);
    const std::vector<XPWidgetID> children = standin::widgetInfo(window).children;
    ASSERT_EQ(children.size(), 7u);
    quil::DestroyVersionConflict();
    EXPECT_FALSE(standin::widgetExists(window));
    for (XPWidgetID id : children) EXPECT_FALSE(standin::widgetExists(id));

    quil::ShowVersionConflict();
    const XPWidgetID rebuilt = standin::findWidget(kConflictTitle);
    ASSERT_NE(rebuilt, nullptr);
    EXPECT_NE(rebuilt, window);
    EXPECT_TRUE(standin::widgetShown(rebuilt));
    quil::DestroyVersionConflict();
    quil::DestroyVersionConflict();  // nothing left to destroy: no harm
}

TEST_F(VersionCheck, LoadingAnAircraftOutsideTheRangeShowsTheConflictAndOneInsideItDoesNot) {
    quiltest::TestAircraft aircraft;
    aircraft.description = "Boeing 737-800 qversion_275";
    standin::setAircraft(quiltest::makeAircraft(aircraft));
    load(quiltest::pluginPath());
    standin::sendSimMessage(102);
    EXPECT_EQ(standin::findWidget(kConflictTitle), nullptr);

    for (const char* description :
         {"Boeing 737-800 qversion_270", "Boeing 737-800 qversion_282", "Boeing 737-800 qversion_x"}) {
        aircraft.name = "Old";
        aircraft.description = description;
        standin::loadAircraft(quiltest::makeAircraft(aircraft));
        const XPWidgetID window = standin::findWidget(kConflictTitle);
        ASSERT_NE(window, nullptr) << description;
        EXPECT_TRUE(standin::widgetShown(window)) << description;
        EXPECT_EQ(titled(kConflictTitle).size(), 1u) << description;
        standin::pressButton(child(window, "Understood"));
    }
}

// ---- The fuelling alert -----------------------------------------------------

int fuelRequestsOpened = 0;
bool alertShownWhenRequestOpened = false;
XPWidgetID alertWindow = nullptr;

void openFuelRequest() {
    ++fuelRequestsOpened;
    alertShownWhenRequestOpened = standin::widgetShown(alertWindow);
}

class FuellingAlert : public VersionCheck {
protected:
    void SetUp() override {
        VersionCheck::SetUp();
        fuelRequestsOpened = 0;
        alertShownWhenRequestOpened = false;
        quil::ShowFuellingAlert(openFuelRequest);
        alertWindow = standin::findWidget(kAlertTitle);
        ASSERT_NE(alertWindow, nullptr);
    }
};

TEST_F(FuellingAlert, IsLaidOutAroundTheWindowCentre) {
    EXPECT_TRUE(standin::widgetShown(alertWindow));
    const Rect frame = {640 - 180, 400 + 95, 640 + 180, 400 - 95};
    expectDialogFrame(alertWindow, frame, captions(alertWindow),
                      {"Oh, no parkbrake set, or even in the air? Sorry, but the",
                       "Boeing 737 aircraft do not have air fuelling capabilities.",
                       "If you are short of fuel please look for a nearby airport.",
                       "Good luck, my friend!"});
    expectPushButton(child(alertWindow, "Ignore..."),
                     {frame.left + 70, frame.bottom + 40, frame.left + 170, frame.bottom + 20});
    expectPushButton(child(alertWindow, "Understood"),
                     {frame.right - 170, frame.bottom + 40, frame.right - 70, frame.bottom + 20});
}

TEST_F(FuellingAlert, IgnoreHidesTheAlertAndThenOpensTheFuelRequest) {
    ASSERT_TRUE(standin::pressButton(child(alertWindow, "Ignore...")));
    EXPECT_FALSE(standin::widgetShown(alertWindow));
    EXPECT_EQ(fuelRequestsOpened, 1);
    EXPECT_FALSE(alertShownWhenRequestOpened) << "the alert goes first";
}

TEST_F(FuellingAlert, UnderstoodAndTheCloseBoxOnlyHideTheAlert) {
    ASSERT_TRUE(standin::pressButton(child(alertWindow, "Understood")));
    EXPECT_FALSE(standin::widgetShown(alertWindow)) << "Understood";
    quil::ShowFuellingAlert(openFuelRequest);
    EXPECT_TRUE(standin::widgetShown(alertWindow));
    ASSERT_TRUE(standin::pushCloseBox(alertWindow));
    EXPECT_FALSE(standin::widgetShown(alertWindow)) << "close box";
    EXPECT_EQ(fuelRequestsOpened, 0);
}

TEST_F(FuellingAlert, ShowingItAgainReusesTheOneAlert) {
    const size_t widgetCount = standin::widgets().size();
    quil::ShowFuellingAlert(openFuelRequest);
    quil::ShowFuellingAlert(openFuelRequest);
    EXPECT_EQ(titled(kAlertTitle).size(), 1u);
    EXPECT_EQ(standin::widgets().size(), widgetCount);
}

TEST_F(FuellingAlert, WithoutAFuelRequestIgnoreOnlyHidesTheAlert) {
    quil::ShowFuellingAlert(nullptr);
    ASSERT_TRUE(standin::pressButton(child(alertWindow, "Ignore...")));
    EXPECT_FALSE(standin::widgetShown(alertWindow));
    EXPECT_EQ(fuelRequestsOpened, 0);
}

TEST_F(FuellingAlert, TheTwoDialogsAnswerOnlyTheirOwnButtons) {
    quil::ShowVersionConflict();
    const XPWidgetID conflict = standin::findWidget(kConflictTitle);
    ASSERT_TRUE(standin::pressButton(child(alertWindow, "Understood")));
    EXPECT_TRUE(standin::widgetShown(conflict));
    quil::ShowFuellingAlert(openFuelRequest);
    ASSERT_TRUE(standin::pressButton(child(conflict, "Understood")));
    EXPECT_TRUE(standin::widgetShown(alertWindow));
    EXPECT_FALSE(standin::widgetShown(conflict));
}

}  // namespace
