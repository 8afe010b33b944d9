// The AFDS mode logic: MCP commands and their toggles, the mode flags and
// the automatic transitions, the MCP knobs, the stamps and the lights.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

#include "autoflight/modes.h"
#include "host/served_aircraft.h"
#include "host/snapshot_read.h"
#include "sim/sim_binding.h"
#include "sim/sim_time.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "systems/engines.h"

namespace {

using namespace quil;

constexpr char kApAltitude[] = "sim/cockpit/autopilot/altitude";
constexpr char kApAirspeed[] = "sim/cockpit/autopilot/airspeed";
constexpr char kApHeading[] = "sim/cockpit/autopilot/heading_mag";
constexpr char kApVerticalVelocity[] = "sim/cockpit/autopilot/vertical_velocity";
constexpr char kGearNormalForce[] = "sim/flightmodel/forces/fnrml_gear";
constexpr int kVorFrequency = 11370;
constexpr int kIlsFrequency = 11030;

class Afds : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        snapshot = SimSnapshot{};
        standin::setBytes("sim/aircraft/view/acf_author", "Orrin Valdemarsson");
        standin::setBytes("sim/aircraft/view/acf_descrip", "Boeing 737-800");
        ASSERT_EQ(BindSimulatorState(), 1);
        AfdsReset();
        mcpApConnect(kMcpOff);  // the lights go dark too
        mcpApConnect(kMcpOn);
        SetXtrackPidOn(false);
        SetThrustLimitMode(1);
        cruiseAt(5000.0f);
        SetMcpAlt(5000.0f);
        standin::clearWriteLog();
    }

    // Level flight, clear of the ground, NAV1 on a VOR.
    void cruiseAt(float feet) {
        standin::setFloat(kGearNormalForce, 0.0f);
        snapshot.indicatedAltitude = feet;
        snapshot.radioAltitude = feet;
        snapshot.verticalSpeed = 0.0f;
        snapshot.ias = 250.0f;
        snapshot.mach = 0.6f;
        snapshot.apSpeed = 250.0f;
        snapshot.apSpeedIsMach = 0;
        snapshot.apMode = 1;
        snapshot.navFrequency = kVorFrequency;
        snapshot.hasGlideSlope = 0;
        snapshot.navVdef = 2.5f;
        snapshot.engineN1[0] = snapshot.engineN1[1] = 80.0f;
    }

    void tuneIls() {
        snapshot.navFrequency = kIlsFrequency;
        snapshot.hasGlideSlope = 1;
    }

    // The simulator's clock moves on by `seconds`; no step runs.
    void advance(float seconds) {
        standin::setFrameInterval(seconds);
        standin::runFrame();
        quil::ReadTime();
    }
    // One frame of `seconds`, then the autoflight step.
    void frame(float seconds = 1.0f / 30.0f) {
        advance(seconds);
        AutoflightStep();
    }

    void armAutothrottle() { mcpAtArm(kMcpOn); }

    // LVL CHG from 5000 ft towards `mcpAltitude`.
    void engageLvlChgTowards(float mcpAltitude) {
        armAutothrottle();
        SetMcpAlt(mcpAltitude);
        mcpLvlChg(kMcpOn);
        ASSERT_TRUE(apPitchMcpspd());
    }

    void engageAltHold() {
        mcpAltHold(kMcpOn, 1);
        ASSERT_TRUE(apPitchAltHld());
    }

    // APP armed on an ILS, then the glide slope captured.
    void captureGlideSlope() {
        tuneIls();
        mcpApp(kMcpOn);
        ASSERT_TRUE(apGsArmed());
        snapshot.navVdef = 0.1f;
        frame();
        ASSERT_TRUE(apGSEng());
    }
};

// ---- Start, reset and the autopilot connection ------------------------------

TEST_F(Afds, ResetConnectsTheAutopilotAndTurnsEveryOtherModeOff) {
    const std::pair<const char*, std::function<bool()>> setups[] = {
        {"LVL CHG descent, HDG SEL, VOR/LOC armed", [] {
             mcpAtArm(kMcpOn);
             SetMcpAlt(2000.0f);
             mcpLvlChg(kMcpOn);
             mcpHdgSel(kMcpOn);
             mcpVorLoc(kMcpOn);
             return atArmed() && atRetard() && apPitchMcpspd() && apHdgSel() && apVorLocArmed();
         }},
        {"APP armed, V/S armed, SPEED", [] {
             mcpAtArm(kMcpOn);
             mcpSpeed(kMcpOn);
             mcpVs(kMcpArm);
             snapshot.hasGlideSlope = 1;
             mcpApp(kMcpOn);
             return atSpeed() && apVsArmed() && apGsArmed();
         }},
        {"G/S captured, FLARE armed, N1", [] {
             mcpAtArm(kMcpOn);
             mcpN1(kMcpOn);
             mcpGsCapture(kMcpOn);
             mcpFlareArm(kMcpOn);
             return atN1() && apGSEng() && apFlareArmed();
         }},
        {"FLARE", [] {
             mcpGsCapture(kMcpOn);
             mcpFlareArm(kMcpOn);
             mcpFlareEngage(kMcpOn);
             return apFlareEng();
         }},
        {"ALT HOLD with the acquire armed, THR HLD, LNAV", [] {
             mcpAtArm(kMcpOn);
             mcpThrHold(kMcpOn);
             mcpAltHold(kMcpOn, 1);
             McpAltUp(5);
             mcpLnavEngage(kMcpOn);
             return atThrHold() && apPitchAltHld() && apPitchAltArmed() && apVsArmed() &&
                    apLnavEng();
         }},
        {"VNAV, speed hold, VOR/LOC captured", [] {
             mcpAtArm(kMcpOn);
             mcpSpeedHold(kMcpOn);
             mcpVnav(kMcpOn);
             mcpVorLoc(kMcpOn);
             mcpVorLocCapture(kMcpOn);
             return atSpeedHold() && apVnavEng() && apVorLocEng();
         }},
        {"A/P disconnected, V/S", [] {
             mcpApConnect(kMcpOff);
             mcpVs(kMcpOn);
             SetMcpVs(1500.0f);
             return !apConnected() && apVsEng();
         }},
    };
    const std::pair<const char*, bool (*)()> flags[] = {
        {"atArmed", atArmed},
        {"atSpeed", atSpeed},
        {"atSpeedHold", atSpeedHold},
        {"atN1", atN1},
        {"atThrHold", atThrHold},
        {"atRetard", atRetard},
        {"apPitchMcpspd", apPitchMcpspd},
        {"apVsArmed", apVsArmed},
        {"apVsEng", apVsEng},
        {"apPitchAltArmed", apPitchAltArmed},
        {"apPitchAltHld", apPitchAltHld},
        {"apVnavEng", apVnavEng},
        {"apGsArmed", apGsArmed},
        {"apGSEng", apGSEng},
        {"apFlareArmed", apFlareArmed},
        {"apFlareEng", apFlareEng},
        {"apHdgSel", apHdgSel},
        {"apLnavEng", apLnavEng},
        {"apLnavArmed", apLnavArmed},
        {"apVorLocArmed", apVorLocArmed},
        {"apVorLocEng", apVorLocEng},
    };
    for (const auto& [setup, engage] : setups) {
        AfdsReset();
        cruiseAt(5000.0f);
        SetMcpAlt(5000.0f);
        ASSERT_TRUE(engage()) << setup;
        SetXtrackPidOn(true);

        AfdsReset();

        EXPECT_TRUE(apConnected()) << setup;
        for (const auto& [name, flag] : flags) EXPECT_FALSE(flag()) << name << " after " << setup;
        EXPECT_EQ(lvlChgDirection(), 0) << setup;
        EXPECT_EQ(McpVerticalSpeed(), 0.0f) << setup;
        EXPECT_TRUE(xtrackPidOn()) << "the cross-track loop is no mode of the reset, " << setup;
    }
}

TEST_F(Afds, ResetDarkensTheLnavLight) {
    mcpLnav(kMcpOn);  // no flight plan: blinks
    ASSERT_TRUE(lnavLightOn());
    AfdsReset();
    EXPECT_FALSE(lnavLightOn());
}

TEST_F(Afds, DisconnectingTheAutopilotDropsPitchAndRollModesAndKeepsTheAutothrottle) {
    armAutothrottle();
    mcpSpeed(kMcpOn);
    engageAltHold();
    mcpHdgSel(kMcpOn);
    mcpFlareArm(kMcpOn);
    tuneIls();
    mcpApp(kMcpOn);
    SetMcpVs(-700.0f);
    ASSERT_TRUE(altHoldLightOn() && appLightOn());

    mcpApConnect(kMcpOff);

    EXPECT_FALSE(apConnected());
    EXPECT_FALSE(apPitchAltHld() || apHdgSel() || apGsArmed() || apVorLocArmed() || apFlareArmed());
    EXPECT_FALSE(altHoldLightOn() || appLightOn() || lnavLightOn());
    EXPECT_EQ(McpVerticalSpeed(), 0.0f);
    EXPECT_TRUE(atArmed());
    EXPECT_TRUE(atSpeed());
}

TEST_F(Afds, WithTheAutopilotDisconnectedOnlyAutothrottleCommandsAreTaken) {
    mcpApConnect(kMcpOff);
    armAutothrottle();
    tuneIls();
    const std::pair<const char*, std::function<bool()>> refused[] = {
        {"LVL CHG", [] { SetMcpAlt(9000.0f); mcpLvlChg(kMcpOn); return apPitchMcpspd(); }},
        {"VNAV", [] { mcpVnav(kMcpOn); return apVnavEng(); }},
        {"V/S arm", [] { mcpVs(kMcpArm); return apVsArmed(); }},
        {"ALT HOLD", [] { mcpAltHold(kMcpOn, 1); return apPitchAltHld(); }},
        {"HDG SEL", [] { mcpHdgSel(kMcpOn); return apHdgSel(); }},
        {"LNAV engage", [] { mcpLnavEngage(kMcpOn); return apLnavEng(); }},
        {"VOR/LOC", [] { mcpVorLoc(kMcpOn); return apVorLocArmed(); }},
        {"APP", [] { mcpApp(kMcpOn); return apGsArmed(); }},
        {"FLARE arm", [] { mcpFlareArm(kMcpOn); return apFlareArmed(); }},
    };
    for (const auto& [name, attempt] : refused) EXPECT_FALSE(attempt()) << name;
    EXPECT_FALSE(lnavLightOn() || appLightOn()) << "a refused command blinks nothing";
    mcpSpeed(kMcpOn);
    EXPECT_TRUE(atSpeed());
}

// ---- Toggle rules -------------------------------------------------------------

struct ToggleCase {
    const char* command;
    std::function<void()> prepare;
    std::function<void()> press;
    std::function<bool()> on;
};

TEST_F(Afds, EveryButtonTogglesItsModeOnAndOff) {
    const ToggleCase cases[] = {
        {"A/T ARM", [] {}, [] { mcpAtArm(kMcpToggle); }, atArmed},
        {"N1", [] { mcpAtArm(kMcpOn); }, [] { mcpN1(kMcpToggle); }, atN1},
        {"THR HLD", [] { mcpAtArm(kMcpOn); }, [] { mcpThrHold(kMcpToggle); }, atThrHold},
        {"SPEED", [] { mcpAtArm(kMcpOn); }, [] { mcpSpeed(kMcpToggle); }, atSpeed},
        {"speed hold", [] { mcpAtArm(kMcpOn); }, [] { mcpSpeedHold(kMcpToggle); }, atSpeedHold},
        {"LVL CHG", [] { mcpAtArm(kMcpOn); SetMcpAlt(9000.0f); }, [] { mcpLvlChg(kMcpToggle); },
         apPitchMcpspd},
        {"VNAV", [] {}, [] { mcpVnav(kMcpToggle); }, apVnavEng},
        {"ALT HLD", [] {}, [] { mcpAltHold(kMcpToggle, 1); }, apPitchAltHld},
        {"HDG SEL", [] {}, [] { mcpHdgSel(kMcpToggle); }, apHdgSel},
        {"VOR/LOC", [] {}, [] { mcpVorLoc(kMcpToggle); }, apVorLocArmed},
        {"APP", [] { snapshot.hasGlideSlope = 1; }, [] { mcpApp(kMcpToggle); }, apGsArmed},
    };
    for (const ToggleCase& c : cases) {
        AfdsReset();
        c.prepare();
        c.press();
        EXPECT_TRUE(c.on()) << c.command << " first press";
        c.press();
        EXPECT_FALSE(c.on()) << c.command << " second press";
    }
}

TEST_F(Afds, ApConnectTogglesTheConnection) {
    mcpApConnect(kMcpToggle);
    EXPECT_FALSE(apConnected());
    mcpApConnect(kMcpToggle);
    EXPECT_TRUE(apConnected());
}

TEST_F(Afds, VsPressedOnceArmsTwiceEngagesThriceDisengages) {
    mcpVs(kMcpToggle);
    EXPECT_TRUE(apVsArmed());
    EXPECT_FALSE(apVsEng());
    mcpVs(kMcpToggle);
    EXPECT_TRUE(apVsEng());
    EXPECT_FALSE(apVsArmed());
    mcpVs(kMcpToggle);
    EXPECT_FALSE(apVsEng() || apVsArmed());
}

TEST_F(Afds, AltHldPressedWithOnlyTheAcquireArmedChangesNothing) {
    engageAltHold();
    mcpVs(kMcpOn);
    mcpAltHold(kMcpArm, 1);  // V/S engaged: acquire armed, ALT HOLD off
    ASSERT_TRUE(apPitchAltArmed());
    ASSERT_FALSE(apPitchAltHld());
    mcpAltHold(kMcpToggle, 1);
    EXPECT_TRUE(apPitchAltArmed()) << "the toggle turns off, and off needs ALT HOLD engaged";
    EXPECT_FALSE(apPitchAltHld());
}

TEST_F(Afds, LnavEngageToggleDoesNothingUnlessLnavIsArmedOrEngaged) {
    mcpLnavEngage(kMcpToggle);
    EXPECT_FALSE(apLnavEng());
    mcpLnavEngage(kMcpOn);
    ASSERT_TRUE(apLnavEng());
    mcpLnavEngage(kMcpToggle);
    EXPECT_FALSE(apLnavEng());
}

TEST_F(Afds, AutomaticCommandsHaveNoToggle) {
    tuneIls();
    mcpApp(kMcpOn);
    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"VOR/LOC capture", [] { mcpVorLocCapture(kMcpToggle); return apVorLocEng(); }},
        {"G/S capture", [] { mcpGsCapture(kMcpToggle); return apGSEng(); }},
        {"FLARE arm", [] { mcpFlareArm(kMcpToggle); return apFlareArmed(); }},
        {"FLARE engage", [] { mcpFlareEngage(kMcpToggle); return apFlareEng(); }},
    };
    for (const auto& [name, pressed] : cases) EXPECT_FALSE(pressed()) << name;
}

// ---- Autothrottle commands ------------------------------------------------------

TEST_F(Afds, AutothrottleEngagementsNeedAtArm) {
    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"N1", [] { mcpN1(kMcpOn); return atN1(); }},
        {"THR HLD", [] { mcpThrHold(kMcpOn); return atThrHold(); }},
        {"SPEED", [] { mcpSpeed(kMcpOn); return atSpeed(); }},
        {"speed hold", [] { mcpSpeedHold(kMcpOn); return atSpeedHold(); }},
        {"LVL CHG", [] { SetMcpAlt(9000.0f); mcpLvlChg(kMcpOn); return apPitchMcpspd(); }},
    };
    for (const auto& [name, engaged] : cases) EXPECT_FALSE(engaged()) << name;
}

struct ThrustMode {
    const char* name;
    void (*engage)(McpAction);
    bool (*engaged)();
};

constexpr ThrustMode kThrustModes[] = {
    {"N1", mcpN1, atN1},
    {"THR HLD", mcpThrHold, atThrHold},
    {"SPEED", mcpSpeed, atSpeed},
    {"speed hold", mcpSpeedHold, atSpeedHold},
};

TEST_F(Afds, EachThrustModeReplacesTheOthers) {
    for (const ThrustMode& before : kThrustModes) {
        for (const ThrustMode& after : kThrustModes) {
            if (&before == &after) continue;
            AfdsReset();
            armAutothrottle();
            before.engage(kMcpOn);
            ASSERT_TRUE(before.engaged()) << before.name;
            after.engage(kMcpOn);
            EXPECT_TRUE(after.engaged()) << after.name << " after " << before.name;
            EXPECT_FALSE(before.engaged()) << after.name << " after " << before.name;
        }
    }
}

TEST_F(Afds, EachThrustModeDropsLvlChgWithAStamp) {
    for (const ThrustMode& mode : kThrustModes) {
        AfdsReset();
        engageLvlChgTowards(2000.0f);
        advance(20.0f);
        mode.engage(kMcpOn);
        EXPECT_TRUE(mode.engaged()) << mode.name;
        EXPECT_FALSE(apPitchMcpspd()) << mode.name;
        EXPECT_TRUE(atChangedRecently()) << mode.name;
    }
}

TEST_F(Afds, AtArmOffKeepsThrHoldAndRetardAndLeavesNoStamp) {
    engageLvlChgTowards(2000.0f);  // descent: RETARD
    mcpThrHold(kMcpOn);
    ASSERT_TRUE(atRetard() && atThrHold());
    advance(20.0f);
    mcpAtArm(kMcpOff);
    EXPECT_FALSE(atArmed());
    EXPECT_TRUE(atRetard());
    EXPECT_TRUE(atThrHold());
    EXPECT_FALSE(atChangedRecently());

    AfdsReset();
    armAutothrottle();
    mcpSpeed(kMcpOn);
    mcpAtArm(kMcpOff);
    EXPECT_FALSE(atSpeed());
}

TEST_F(Afds, AtArmOnStamps) {
    advance(20.0f);
    mcpAtArm(kMcpOn);
    EXPECT_TRUE(atArmed());
    EXPECT_TRUE(atChangedRecently());
}

TEST_F(Afds, ThrottleModesGoOffWithAStampEvenWithoutAtArm) {
    const std::pair<const char*, std::function<void()>> offs[] = {
        {"THR HLD", [] { mcpThrHold(kMcpOff); }},
        {"SPEED", [] { mcpSpeed(kMcpOff); }},
        {"speed hold", [] { mcpSpeedHold(kMcpOff); }},
    };
    for (const auto& [name, off] : offs) {
        advance(20.0f);
        off();
        EXPECT_TRUE(atChangedRecently()) << name;
    }
}

// ---- LVL CHG ------------------------------------------------------------------

TEST_F(Afds, LvlChgIsRefusedWithinOneHundredFeetOfTheMcpAltitude) {
    armAutothrottle();
    for (float mcpAltitude : {4900.0f, 4950.0f, 5000.0f, 5050.0f, 5100.0f}) {
        SetMcpAlt(mcpAltitude);
        mcpLvlChg(kMcpOn);
        EXPECT_FALSE(apPitchMcpspd()) << "MCP altitude " << mcpAltitude;
        EXPECT_EQ(lvlChgDirection(), 0) << "MCP altitude " << mcpAltitude;
    }
    SetMcpAlt(5101.0f);
    mcpLvlChg(kMcpOn);
    EXPECT_TRUE(apPitchMcpspd());
}

TEST_F(Afds, LvlChgNeedsAThousandFeetOfRadioAltitude) {
    armAutothrottle();
    SetMcpAlt(9000.0f);
    snapshot.radioAltitude = 999.9f;
    mcpLvlChg(kMcpOn);
    EXPECT_FALSE(apPitchMcpspd());
    snapshot.radioAltitude = 1000.0f;
    mcpLvlChg(kMcpOn);
    EXPECT_TRUE(apPitchMcpspd());
}

TEST_F(Afds, LvlChgIsRefusedWithTheGlideSlopeCaptured) {
    armAutothrottle();
    captureGlideSlope();
    SetMcpAlt(9000.0f);
    mcpLvlChg(kMcpOn);
    EXPECT_FALSE(apPitchMcpspd());
}

TEST_F(Afds, LvlChgClimbEngagesN1AndHoldsTheMcpAltitude) {
    armAutothrottle();
    mcpVs(kMcpOn);
    snapshot.ias = 231.0f;
    SetMcpAlt(9000.0f);
    mcpLvlChg(kMcpOn);
    EXPECT_EQ(lvlChgDirection(), 1);
    EXPECT_TRUE(atN1());
    EXPECT_FALSE(atThrHold() || atRetard() || atSpeed() || apVsEng());
    EXPECT_EQ(AltitudeHoldTarget(), 9000.0f);
    EXPECT_EQ(standin::getFloat(kApAltitude), 9000.0f);
    EXPECT_EQ(standin::getFloat(kApAirspeed), 231.0f) << "the MCP speed follows the airspeed";
    EXPECT_EQ(snapshot.apSpeed, 231.0f);
    EXPECT_TRUE(pitchChangedRecently());
}

TEST_F(Afds, LvlChgDropsTheOtherPitchModesAndTheSpeedModes) {
    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"V/S armed", [] { mcpVs(kMcpArm); return apVsArmed(); }},
        {"V/S", [] { mcpVs(kMcpOn); return apVsEng(); }},
        {"ALT HOLD with the acquire armed",
         [] {
             mcpAltHold(kMcpOn, 1);
             SetMcpAlt(9000.0f);
             return apPitchAltHld() && apPitchAltArmed();
         }},
        {"VNAV", [] { mcpVnav(kMcpOn); return apVnavEng(); }},
        {"FLARE armed", [] { mcpFlareArm(kMcpOn); return apFlareArmed(); }},
        {"SPEED", [] { mcpSpeed(kMcpOn); return atSpeed(); }},
        {"speed hold", [] { mcpSpeedHold(kMcpOn); return atSpeedHold(); }},
    };
    for (const auto& [name, engage] : cases) {
        AfdsReset();
        armAutothrottle();
        SetMcpAlt(5000.0f);
        ASSERT_TRUE(engage()) << name;
        SetMcpAlt(9000.0f);
        mcpLvlChg(kMcpOn);
        EXPECT_TRUE(apPitchMcpspd()) << name;
        EXPECT_FALSE(apVsArmed() || apVsEng() || apPitchAltHld() || apPitchAltArmed() ||
                     apVnavEng() || apFlareArmed() || atSpeed() || atSpeedHold())
            << name;
        EXPECT_FALSE(altHoldLightOn()) << name;
    }
}

TEST_F(Afds, LvlChgDescentEngagesRetard) {
    engageLvlChgTowards(2000.0f);
    EXPECT_EQ(lvlChgDirection(), 2);
    EXPECT_TRUE(atRetard());
    EXPECT_FALSE(atN1() || atThrHold());
}

TEST_F(Afds, LvlChgClimbSelectsTheClimbThrustLimit) {
    const std::pair<int, int> modes[] = {{2, 3}, {1, 4}, {5, 4}, {6, 4}};
    for (const auto& [before, after] : modes) {
        AfdsReset();
        SetThrustLimitMode(before);
        engageLvlChgTowards(9000.0f);
        EXPECT_EQ(ThrustLimitMode(), after) << "from mode " << before;
    }
    AfdsReset();
    SetThrustLimitMode(2);
    engageLvlChgTowards(2000.0f);
    EXPECT_EQ(ThrustLimitMode(), 2) << "a descent leaves the mode";
}

TEST_F(Afds, LvlChgKeepsTheMcpSpeedWithSpeedEngagedAndSynchronisesMach) {
    armAutothrottle();
    mcpSpeed(kMcpOn);
    snapshot.ias = 231.0f;
    SetMcpAlt(9000.0f);
    mcpLvlChg(kMcpOn);
    EXPECT_EQ(snapshot.apSpeed, 250.0f);

    AfdsReset();
    snapshot.apSpeedIsMach = 1;
    snapshot.mach = 0.71f;
    engageLvlChgTowards(9000.0f);
    EXPECT_FLOAT_EQ(standin::getFloat(kApAirspeed), 0.71f);
}

TEST_F(Afds, LvlChgOffHandsTheThrottlesToTheSpeedModes) {
    engageLvlChgTowards(2000.0f);
    advance(20.0f);
    mcpLvlChg(kMcpOff);
    EXPECT_FALSE(apPitchMcpspd() || atRetard() || atN1());
    EXPECT_TRUE(atSpeed() && atSpeedHold());
    EXPECT_TRUE(pitchChangedRecently());
}

TEST_F(Afds, LvlChgClimbCapturesTheMcpAltitudeAfterThreeTenthsOfASecondWithinTheLead) {
    engageLvlChgTowards(10000.0f);
    snapshot.verticalSpeed = 2000.0f;  // lead 500 ft
    snapshot.indicatedAltitude = 9500.0f;
    frame(0.05f);
    snapshot.indicatedAltitude = 9501.0f;
    for (int i = 0; i < 5; ++i) {
        frame(0.05f);
        ASSERT_TRUE(apPitchMcpspd()) << "0.05 s frame " << i;
    }
    frame(0.05f);
    frame(0.05f);
    EXPECT_FALSE(apPitchMcpspd());
    EXPECT_TRUE(apPitchAltHld());
    EXPECT_TRUE(atSpeed());
    EXPECT_FALSE(atN1() || atThrHold() || atRetard() || atSpeedHold() || apPitchAltArmed());
    EXPECT_EQ(McpAltitude(), 10000.0f) << "no re-rounding to the present altitude";
    EXPECT_EQ(AltitudeHoldTarget(), 10000.0f);
    EXPECT_EQ(standin::getFloat(kApAltitude), 10000.0f);
}

TEST_F(Afds, LvlChgEngagedInsideTheLeadStillWaitsThreeTenthsOfASecond) {
    engageLvlChgTowards(5400.0f);
    snapshot.verticalSpeed = 2000.0f;  // lead 500 ft: within from the start
    frame(0.05f);
    frame(0.05f);
    EXPECT_TRUE(apPitchMcpspd());
    for (int i = 0; i < 6; ++i) frame(0.05f);
    EXPECT_TRUE(apPitchAltHld());
}

TEST_F(Afds, LvlChgDescentCapturesWithinAHundredFeetAtLowRates) {
    engageLvlChgTowards(2000.0f);
    snapshot.verticalSpeed = -300.0f;  // lead 100 ft, the least
    snapshot.indicatedAltitude = 2100.0f;
    frame(0.5f);
    frame(0.5f);
    EXPECT_TRUE(apPitchMcpspd());
    snapshot.indicatedAltitude = 2099.0f;
    frame(0.5f);
    frame(0.5f);
    EXPECT_TRUE(apPitchAltHld());
}

// ---- V/S ----------------------------------------------------------------------

TEST_F(Afds, VsFirstPressArmsAndCopiesTheRoundedVerticalSpeed) {
    const std::pair<float, float> cases[] = {
        {1234.9f, 1200.0f}, {980.0f, 1000.0f}, {-470.0f, -450.0f},
        {-1234.0f, -1200.0f}, {12.0f, 0.0f},
    };
    for (const auto& [verticalSpeed, window] : cases) {
        AfdsReset();
        snapshot.verticalSpeed = verticalSpeed;
        advance(20.0f);
        mcpVs(kMcpArm);
        EXPECT_TRUE(apVsArmed()) << verticalSpeed;
        EXPECT_FALSE(apVsEng()) << verticalSpeed;
        EXPECT_EQ(McpVerticalSpeed(), window) << verticalSpeed;
        EXPECT_TRUE(armChangedRecently()) << verticalSpeed;
        EXPECT_FALSE(pitchChangedRecently()) << verticalSpeed;
    }
}

TEST_F(Afds, VsArmSynchronisesTheMcpSpeedOnlyWithoutAThrustMode) {
    snapshot.ias = 212.0f;
    mcpVs(kMcpArm);
    EXPECT_EQ(standin::getFloat(kApAirspeed), 212.0f);

    AfdsReset();
    armAutothrottle();
    mcpN1(kMcpOn);
    snapshot.ias = 199.0f;
    mcpVs(kMcpArm);
    EXPECT_EQ(standin::getFloat(kApAirspeed), 212.0f);
}

TEST_F(Afds, VsArmIsRefusedWithoutTheAutopilotOrWithTheGlideSlopeCaptured) {
    captureGlideSlope();
    mcpVs(kMcpArm);
    EXPECT_FALSE(apVsArmed());
    mcpApConnect(kMcpOff);
    mcpVs(kMcpArm);
    EXPECT_FALSE(apVsArmed());
}

TEST_F(Afds, VsEngagementTestsNeitherTheConnectionNorTheGlideSlope) {
    captureGlideSlope();
    mcpVs(kMcpOn);
    EXPECT_TRUE(apVsEng());
    EXPECT_FALSE(apGSEng()) << "V/S replaces the glide slope";

    AfdsReset();
    mcpApConnect(kMcpOff);
    mcpVs(kMcpOn);
    EXPECT_TRUE(apVsEng());
}

TEST_F(Afds, VsEngagementDropsTheOtherPitchModesButKeepsTheAcquire) {
    engageAltHold();
    McpAltUp(10);  // acquire and V/S armed
    ASSERT_TRUE(apPitchAltArmed() && apVsArmed());
    advance(20.0f);
    mcpVs(kMcpArm);  // a second press while armed engages
    EXPECT_TRUE(apVsEng());
    EXPECT_FALSE(apVsArmed() || apPitchAltHld());
    EXPECT_TRUE(apPitchAltArmed());
    EXPECT_FALSE(altHoldLightOn());
    EXPECT_TRUE(pitchChangedRecently());

    AfdsReset();
    mcpVnav(kMcpOn);
    mcpVs(kMcpOn);
    EXPECT_FALSE(apVnavEng());
}

TEST_F(Afds, VsOffWhileOnlyArmedLeavesItArmed) {
    mcpVs(kMcpArm);
    mcpVs(kMcpOff);
    EXPECT_TRUE(apVsArmed());
    mcpVs(kMcpOn);
    advance(20.0f);
    mcpVs(kMcpOff);
    EXPECT_FALSE(apVsEng());
    EXPECT_TRUE(pitchChangedRecently());
}

TEST_F(Afds, TheVsWindowReachesTheSimulatorOnlyWhileVsIsArmedOrEngaged) {
    SetMcpVs(1500.0f);
    frame();
    EXPECT_EQ(standin::getFloat(kApVerticalVelocity), 0.0f);
    mcpVs(kMcpOn);
    SetMcpVs(1500.0f);
    frame();
    EXPECT_EQ(standin::getFloat(kApVerticalVelocity), 1500.0f);
    EXPECT_EQ(AutopilotVerticalSpeed(), 1500.0f);
}

// ---- ALT HOLD and the altitude acquire ------------------------------------------

struct AltHoldCase {
    float altitude, verticalSpeed, expected;
};

TEST_F(Afds, AltHldAwayFromTheMcpAltitudeHoldsThePresentAltitudeRounded) {
    const AltHoldCase cases[] = {
        {12345.0f, 1000.0f, 12400.0f}, {12345.0f, -800.0f, 12300.0f}, {12339.0f, 0.0f, 12300.0f},
        {12340.0f, -50.0f, 12400.0f},  {12399.0f, -51.0f, 12300.0f},  {12345.9f, 1000.0f, 12400.0f},
    };
    for (const AltHoldCase& c : cases) {
        AfdsReset();
        SetMcpAlt(c.altitude + 2000.0f);
        snapshot.indicatedAltitude = c.altitude;
        snapshot.verticalSpeed = c.verticalSpeed;
        mcpAltHold(kMcpOn, 1);
        EXPECT_TRUE(apPitchAltHld()) << c.altitude << " at " << c.verticalSpeed;
        EXPECT_EQ(McpAltitude(), c.expected) << c.altitude << " at " << c.verticalSpeed;
        EXPECT_EQ(AltitudeHoldTarget(), c.expected) << c.altitude << " at " << c.verticalSpeed;
        EXPECT_EQ(standin::getFloat(kApAltitude), c.expected)
            << c.altitude << " at " << c.verticalSpeed;
    }
}

TEST_F(Afds, AltHldNearTheMcpAltitudeOrWithoutSyncKeepsIt) {
    snapshot.indicatedAltitude = 12345.0f;
    const std::pair<float, int> cases[] = {{12445.0f, 1}, {12245.0f, 1}, {14000.0f, 0}};
    for (const auto& [mcpAltitude, sync] : cases) {
        AfdsReset();
        SetMcpAlt(mcpAltitude);
        mcpAltHold(kMcpOn, sync);
        EXPECT_EQ(McpAltitude(), mcpAltitude) << mcpAltitude << " sync " << sync;
        EXPECT_EQ(AltitudeHoldTarget(), mcpAltitude) << mcpAltitude << " sync " << sync;
    }
}

TEST_F(Afds, AltHldBlinksItsLightAndStamps) {
    SetMcpAlt(9000.0f);
    mcpAltHold(kMcpOn, 1);
    EXPECT_TRUE(altHoldLightOn());
    EXPECT_TRUE(pitchChangedRecently());
    advance(0.7f);
    EXPECT_TRUE(altHoldLightOn());
    advance(0.2f);
    EXPECT_FALSE(altHoldLightOn());
}

TEST_F(Afds, AltHldFromLvlChgReleasesTheThrustModes) {
    engageLvlChgTowards(9000.0f);
    mcpAltHold(kMcpOn, 1);
    EXPECT_FALSE(apPitchMcpspd() || atN1() || atThrHold());
    EXPECT_TRUE(apPitchAltHld());
}

TEST_F(Afds, AltHldIsRefusedWithTheGlideSlopeCaptured) {
    captureGlideSlope();
    mcpAltHold(kMcpOn, 1);
    EXPECT_FALSE(apPitchAltHld());
}

TEST_F(Afds, AltHldOffDropsHoldAndAcquireWithAStamp) {
    engageAltHold();
    McpAltUp(1);
    advance(20.0f);
    mcpAltHold(kMcpOff, 1);
    EXPECT_FALSE(apPitchAltHld() || apPitchAltArmed());
    EXPECT_TRUE(pitchChangedRecently());
}

TEST_F(Afds, ChangingTheMcpAltitudeInAltHoldArmsTheAcquireAndVsAtZero) {
    snapshot.verticalSpeed = 800.0f;
    engageAltHold();  // at 5000
    McpAltUp(30);     // 8000
    EXPECT_TRUE(apPitchAltHld()) << "ALT HOLD goes on holding the old altitude";
    EXPECT_EQ(AltitudeHoldTarget(), 5000.0f);
    EXPECT_TRUE(apPitchAltArmed());
    EXPECT_TRUE(apVsArmed());
    EXPECT_EQ(McpVerticalSpeed(), 0.0f);
    EXPECT_TRUE(altHoldLightOn());
    advance(5.0f);
    EXPECT_TRUE(altHoldLightOn()) << "lit steadily while the acquire is armed";
    frame();
    EXPECT_TRUE(apPitchAltHld()) << "no capture while ALT HOLD is engaged";
}

TEST_F(Afds, AnEngagedVsClimbCapturesTheNewMcpAltitude) {
    engageAltHold();
    McpAltUp(30);   // 8000: acquire and V/S armed
    McpVsUp(20);    // the wheel engages the armed V/S
    ASSERT_TRUE(apVsEng());
    ASSERT_FALSE(apPitchAltHld());
    EXPECT_EQ(McpVerticalSpeed(), 1000.0f);
    snapshot.verticalSpeed = 1000.0f;  // lead 250 ft
    snapshot.indicatedAltitude = 7740.0f;
    standin::setFloat(kApAltitude, 0.0f);
    frame();
    EXPECT_EQ(standin::getFloat(kApAltitude), 8000.0f) << "the acquire shows the MCP altitude";
    EXPECT_FALSE(apPitchAltHld());
    snapshot.indicatedAltitude = 7750.0f;
    frame();
    EXPECT_FALSE(apPitchAltHld()) << "not within a second of arming";
    advance(1.0f);
    frame();
    EXPECT_TRUE(apPitchAltHld());
    EXPECT_FALSE(apVsEng() || apPitchAltArmed());
    EXPECT_EQ(AltitudeHoldTarget(), 8000.0f);
}

TEST_F(Afds, AcquireCapturesWithinSixtyFeetAtLowRates) {
    mcpVs(kMcpOn);
    SetMcpAlt(6000.0f);
    mcpAltHold(kMcpArm, 1);  // V/S engaged: the acquire arms
    ASSERT_TRUE(apPitchAltArmed());
    snapshot.verticalSpeed = 100.0f;
    snapshot.indicatedAltitude = 5939.0f;
    advance(1.5f);
    frame();
    EXPECT_FALSE(apPitchAltHld());
    snapshot.indicatedAltitude = 5940.0f;
    frame();
    EXPECT_TRUE(apPitchAltHld());
}

// ---- VNAV ---------------------------------------------------------------------

TEST_F(Afds, VnavDropsTheOtherPitchModesAndTheStepDropsItWithoutAFlightPlan) {
    engageAltHold();
    mcpVnav(kMcpOn);
    EXPECT_TRUE(apVnavEng());
    EXPECT_FALSE(apPitchAltHld());
    EXPECT_FALSE(altHoldLightOn());
    EXPECT_TRUE(pitchChangedRecently());
    frame();
    EXPECT_FALSE(apVnavEng());
}

TEST_F(Afds, VnavIsRefusedWithTheGlideSlopeCaptured) {
    captureGlideSlope();
    mcpVnav(kMcpOn);
    EXPECT_FALSE(apVnavEng());
}

// ---- HDG SEL and LNAV ---------------------------------------------------------

TEST_F(Afds, HdgSelDropsTheEngagedRollModesAndKeepsTheArmedOnes) {
    mcpVorLoc(kMcpOn);
    mcpVorLocCapture(kMcpOn);
    ASSERT_TRUE(apVorLocEng());
    mcpVorLoc(kMcpOff);
    mcpVorLoc(kMcpOn);
    ASSERT_TRUE(apVorLocArmed());
    mcpLnavEngage(kMcpOn);
    ASSERT_TRUE(apLnavEng());
    advance(20.0f);
    mcpHdgSel(kMcpOn);
    EXPECT_TRUE(apHdgSel());
    EXPECT_FALSE(apLnavEng());
    EXPECT_TRUE(apVorLocArmed());
    EXPECT_TRUE(rollChangedRecently());
}

TEST_F(Afds, LnavWithoutAFlightPlanBlinksItsLightAndArmsNothing) {
    mcpLnav(kMcpOn);
    EXPECT_FALSE(apLnavArmed() || apLnavEng());
    EXPECT_TRUE(lnavLightOn());
    EXPECT_FALSE(rollArmChangedRecently());
    advance(0.7f);
    EXPECT_TRUE(lnavLightOn());
    advance(0.2f);
    EXPECT_FALSE(lnavLightOn());
}

TEST_F(Afds, LnavEngagesAboveFiftyFiveFeetAndDropsHdgSelAndVorLoc) {
    const std::pair<const char*, std::function<bool()>> cases[] = {
        {"HDG SEL", [] { mcpHdgSel(kMcpOn); return apHdgSel(); }},
        {"VOR/LOC", [] { mcpVorLoc(kMcpOn); mcpVorLocCapture(kMcpOn); return apVorLocEng(); }},
    };
    for (const auto& [name, engage] : cases) {
        AfdsReset();
        ASSERT_TRUE(engage()) << name;
        snapshot.radioAltitude = 55.0f;
        mcpLnavEngage(kMcpOn);
        EXPECT_FALSE(apLnavEng()) << name << " at 55 ft";
        snapshot.radioAltitude = 55.1f;
        advance(20.0f);
        mcpLnavEngage(kMcpOn);
        EXPECT_TRUE(apLnavEng()) << name;
        EXPECT_FALSE(apHdgSel() || apVorLocEng()) << name;
        EXPECT_TRUE(rollChangedRecently()) << name;
    }
}

TEST_F(Afds, TheStepDropsLnavWithoutAFlightPlan) {
    mcpLnavEngage(kMcpOn);
    ASSERT_TRUE(apLnavEng());
    frame();
    EXPECT_FALSE(apLnavEng());
}

// ---- VOR/LOC and APP ------------------------------------------------------------

TEST_F(Afds, VorLocArmsOnTheTunedFrequencyAndCapturesOnlyOnIt) {
    advance(20.0f);
    mcpVorLoc(kMcpOn);
    EXPECT_TRUE(apVorLocArmed());
    EXPECT_TRUE(rollArmChangedRecently());
    EXPECT_FALSE(rollChangedRecently());
    snapshot.navFrequency = kVorFrequency + 5;
    mcpVorLocCapture(kMcpOn);
    EXPECT_FALSE(apVorLocEng());
    snapshot.navFrequency = kVorFrequency;
    mcpHdgSel(kMcpOn);
    advance(20.0f);
    mcpVorLocCapture(kMcpOn);
    EXPECT_TRUE(apVorLocEng());
    EXPECT_FALSE(apVorLocArmed() || apHdgSel());
    EXPECT_TRUE(rollChangedRecently());
}

TEST_F(Afds, RetuningTheReceiverDropsAnArmedVorLoc) {
    mcpVorLoc(kMcpOn);
    frame();
    EXPECT_TRUE(apVorLocArmed());
    snapshot.navFrequency = kVorFrequency + 5;
    advance(20.0f);
    frame();
    EXPECT_FALSE(apVorLocArmed());
    EXPECT_TRUE(armChangedRecently());
}

TEST_F(Afds, VorLocCannotBeSwitchedOffByItselfWhileAppIsActive) {
    tuneIls();
    mcpApp(kMcpOn);
    ASSERT_TRUE(apVorLocArmed());
    mcpVorLoc(kMcpOff);
    EXPECT_TRUE(apVorLocArmed());
    mcpApp(kMcpOff);
    mcpVorLoc(kMcpOff);
    EXPECT_FALSE(apVorLocArmed());
}

TEST_F(Afds, AppOnAVorFrequencyBlinksAndArmsNothing) {
    mcpVorLoc(kMcpOn);
    mcpApp(kMcpOn);
    EXPECT_FALSE(apGsArmed() || apVorLocArmed() || apVorLocEng());
    EXPECT_TRUE(appLightOn());
    advance(0.7f);
    EXPECT_TRUE(appLightOn());
    advance(0.2f);
    EXPECT_FALSE(appLightOn());
}

TEST_F(Afds, AppOnAnIlsArmsVorLocAndTheGlideSlopeTogether) {
    tuneIls();
    advance(20.0f);
    mcpApp(kMcpOn);
    EXPECT_TRUE(apVorLocArmed());
    EXPECT_TRUE(apGsArmed());
    EXPECT_TRUE(armChangedRecently());
    advance(30.0f);
    EXPECT_TRUE(appLightOn()) << "lit steadily while armed";
    mcpApp(kMcpOff);
    EXPECT_FALSE(apGsArmed() || appLightOn());
    EXPECT_TRUE(apVorLocArmed()) << "APP off leaves VOR/LOC";
}

TEST_F(Afds, AppCannotBeSwitchedOffOnceTheGlideSlopeIsCaptured) {
    captureGlideSlope();
    mcpApp(kMcpOff);
    EXPECT_TRUE(apGSEng());
}

TEST_F(Afds, TheGlideSlopeDisarmsWhenRetunedOrBelowFiftyFeet) {
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"retuned", [] { snapshot.navFrequency = kIlsFrequency + 5; }},
        {"at 50 ft", [] { snapshot.radioAltitude = 50.0f; }},
    };
    for (const auto& [name, change] : cases) {
        AfdsReset();
        cruiseAt(2000.0f);
        tuneIls();
        mcpApp(kMcpOn);
        change();
        frame();
        EXPECT_FALSE(apGsArmed()) << name;
        EXPECT_FALSE(apGSEng()) << name;
    }
}

TEST_F(Afds, TheGlideSlopeIsCapturedInsideFourTenthsOfADotWithTheApproachThrustLimit) {
    cruiseAt(2000.0f);
    tuneIls();
    mcpApp(kMcpOn);
    mcpVs(kMcpOn);
    snapshot.navVdef = -0.4f;
    frame();
    EXPECT_FALSE(apGSEng());
    EXPECT_EQ(ThrustLimitMode(), 1);
    snapshot.navVdef = -0.39f;
    advance(20.0f);
    frame();
    EXPECT_TRUE(apGSEng());
    EXPECT_FALSE(apGsArmed() || apVsEng() || appLightOn());
    EXPECT_EQ(ThrustLimitMode(), 6);
    EXPECT_TRUE(pitchChangedRecently());
}

// A receiver that hears nothing shows its flag with its needle resting
// centred: nothing is captured from it, and HDG SEL and ALT HOLD fly on.
TEST_F(Afds, VorLocAndGlideSlopeCaptureOnlyWhileTheReceiverHearsTheirStation) {
    struct Case {
        const char* name;
        bool lateralFlag, glideSlopeFlag;
        float hdef, vdef;
        bool localizerCaptured, glideSlopeCaptured;
    };
    const Case cases[] = {
        {"both heard, needles near the centre", false, false, 0.3f, -0.3f, true, true},
        {"nothing heard, needles resting", true, true, 0.0f, 0.0f, false, false},
        {"only the localizer heard", false, true, 0.3f, 0.0f, true, false},
        {"only the glide slope heard", true, false, 0.0f, -0.3f, false, true},
    };
    for (const Case& c : cases) {
        AfdsReset();
        cruiseAt(3000.0f);
        tuneIls();
        mcpHdgSel(kMcpOn);
        mcpAltHold(kMcpOn, 0);
        mcpApp(kMcpOn);
        snapshot.navLateralFlag = c.lateralFlag;
        snapshot.navGlideSlopeFlag = c.glideSlopeFlag;
        snapshot.navHdef = c.hdef;
        snapshot.navVdef = c.vdef;
        snapshot.hdefRate = 0.0f;
        snapshot.hdefRateValid = 1;
        frame();
        EXPECT_EQ(apVorLocEng(), c.localizerCaptured) << c.name;
        EXPECT_EQ(apVorLocArmed(), !c.localizerCaptured) << c.name;
        EXPECT_EQ(apHdgSel(), !c.localizerCaptured) << c.name;
        EXPECT_EQ(apGSEng(), c.glideSlopeCaptured) << c.name;
        EXPECT_EQ(apGsArmed(), !c.glideSlopeCaptured) << c.name;
        EXPECT_EQ(apPitchAltHld(), !c.glideSlopeCaptured) << c.name;
    }
}

TEST_F(Afds, ARetunedReceiverDropsTheCapturedGlideSlopeAndArmsNoFlare) {
    captureGlideSlope();
    snapshot.navFrequency = kIlsFrequency + 5;
    snapshot.radioAltitude = 1000.0f;
    frame();
    EXPECT_FALSE(apGSEng());
    EXPECT_FALSE(apFlareArmed());
}

// ---- The approach to touchdown --------------------------------------------------

TEST_F(Afds, GlideSlopeCaptureAndFlareArmComeInOneFrameBelow1500Feet) {
    cruiseAt(1400.0f);
    captureGlideSlope();
    EXPECT_TRUE(apFlareArmed()) << "the capture comes before the pitch mode's transitions";
}

TEST_F(Afds, AnApproachRunsFromGlideSlopeToFlareToTouchdownAndEndsTwoSecondsLater) {
    cruiseAt(2500.0f);
    armAutothrottle();
    mcpSpeed(kMcpOn);
    captureGlideSlope();
    EXPECT_FALSE(apFlareArmed());

    snapshot.verticalSpeed = -800.0f;  // flare at 40 ft
    snapshot.radioAltitude = 1500.1f;
    frame();
    EXPECT_FALSE(apFlareArmed());
    snapshot.radioAltitude = 1500.0f;
    advance(20.0f);
    frame();
    EXPECT_TRUE(apFlareArmed());
    EXPECT_TRUE(apGSEng());
    EXPECT_TRUE(armChangedRecently());

    snapshot.radioAltitude = 40.1f;
    frame();
    EXPECT_FALSE(apFlareEng());
    snapshot.radioAltitude = 40.0f;
    advance(20.0f);
    frame();
    EXPECT_TRUE(apFlareEng());
    EXPECT_FALSE(apGSEng() || apFlareArmed() || atSpeed());
    EXPECT_TRUE(atRetard());
    EXPECT_TRUE(pitchChangedRecently());

    mcpSpeedHold(kMcpOn);
    snapshot.radioAltitude = 27.0f;
    frame();
    EXPECT_FALSE(atSpeedHold()) << "the throttles close at 27 ft";
    EXPECT_TRUE(atRetard());
    EXPECT_FALSE(PitchReleasedThisFrame());

    snapshot.radioAltitude = 0.0f;
    standin::setFloat(kGearNormalForce, 60000.0f);
    frame(0.1f);
    EXPECT_TRUE(PitchReleasedThisFrame()) << "the touchdown frame lets the pitch go";
    frame(0.1f);
    EXPECT_FALSE(PitchReleasedThisFrame());
    advance(1.7f);
    frame(0.05f);
    EXPECT_TRUE(apFlareEng()) << "1.85 s after touchdown";
    frame(0.2f);
    EXPECT_FALSE(apFlareEng());
    EXPECT_TRUE(apConnected());
    EXPECT_FALSE(atRetard() || atArmed() || apVorLocEng() || apVorLocArmed());
    EXPECT_EQ(McpVerticalSpeed(), 0.0f);
}

TEST_F(Afds, FlareEngagesOnlyFromTheGlideSlopeWithFlareArmed) {
    captureGlideSlope();
    mcpFlareEngage(kMcpOn);
    EXPECT_FALSE(apFlareEng()) << "not armed";
    mcpFlareArm(kMcpOn);
    mcpFlareEngage(kMcpOn);
    EXPECT_TRUE(apFlareEng());
    mcpFlareArm(kMcpOn);
    EXPECT_FALSE(apFlareArmed()) << "FLARE engaged cannot be armed again";
    mcpFlareEngage(kMcpOff);
    EXPECT_FALSE(apFlareEng());
}

// ---- Retard -------------------------------------------------------------------

TEST_F(Afds, RetardHandsOverToAtArmTenSecondsAfterBothEnginesReachIdle) {
    engageLvlChgTowards(2000.0f);
    mcpAtArm(kMcpOff);
    ASSERT_TRUE(atRetard());
    snapshot.engineN1[0] = 34.5f;
    snapshot.engineN1[1] = 34.6f;
    frame();
    advance(20.0f);
    frame();
    EXPECT_TRUE(atRetard()) << "one engine above idle";
    snapshot.engineN1[1] = 34.5f;
    frame(1.0f);
    advance(9.9f);
    frame(0.05f);
    EXPECT_TRUE(atRetard());
    frame(0.1f);
    EXPECT_FALSE(atRetard());
    EXPECT_TRUE(atArmed());
}

TEST_F(Afds, ARetardEngagedAfreshWaitsForIdleAgain) {
    engageLvlChgTowards(2000.0f);
    snapshot.engineN1[0] = snapshot.engineN1[1] = 34.0f;
    frame();                 // release due in ten seconds
    mcpLvlChg(kMcpOff);      // RETARD off before it fell due
    advance(30.0f);
    snapshot.engineN1[0] = snapshot.engineN1[1] = 70.0f;
    mcpLvlChg(kMcpOn);
    ASSERT_TRUE(atRetard());
    frame();
    EXPECT_TRUE(atRetard()) << "the earlier release is no longer pending";
}

// ---- Knobs --------------------------------------------------------------------

TEST_F(Afds, SetMcpVsRoundsToTheNearestStepOnBothSidesOfZeroWithinItsLimits) {
    const std::pair<float, float> cases[] = {
        {1234.0f, 1200.0f}, {980.0f, 1000.0f},   {-1234.0f, -1200.0f}, {-470.0f, -450.0f},
        {-475.0f, -500.0f}, {474.0f, 450.0f},    {475.0f, 500.0f},     {24.0f, 0.0f},
        {-24.0f, 0.0f},     {999.0f, 1000.0f},   {1049.0f, 1000.0f},   {1050.0f, 1100.0f},
        {6150.0f, 6100.0f}, {9000.0f, 6100.0f},  {-7900.0f, -7900.0f}, {-8000.0f, -7900.0f},
        {NAN, 0.0f},        {1e30f, 6100.0f},    {-1e30f, -7900.0f},
    };
    for (const auto& [value, expected] : cases) {
        SetMcpVs(value);
        EXPECT_EQ(McpVerticalSpeed(), expected) << value;
    }
}

struct VsKnobCase {
    float start;
    int steps;  // positive up, negative down
    float expected;
};

TEST_F(Afds, TheVsWheelStepsByFiftyWithinAThousandAndByHundredsBeyond) {
    const VsKnobCase cases[] = {
        {0.0f, 1, 50.0f},        {950.0f, 1, 1000.0f},    {1000.0f, 1, 1100.0f},
        {900.0f, 5, 1100.0f},    {-950.0f, -1, -1000.0f}, {-1000.0f, -1, -1100.0f},
        {-900.0f, -5, -1100.0f}, {6000.0f, 5, 6100.0f},   {-7800.0f, -5, -7900.0f},
        {1000.0f, -1, 900.0f},   {0.0f, 0, 50.0f},
    };
    for (const VsKnobCase& c : cases) {
        SetMcpVs(c.start);
        if (c.steps >= 0) {
            McpVsUp(c.steps);
        } else {
            McpVsDown(-c.steps);
        }
        EXPECT_EQ(McpVerticalSpeed(), c.expected) << c.start << " by " << c.steps;
    }
    McpVsDown(0);
    EXPECT_EQ(McpVerticalSpeed(), 0.0f) << "a count of 0 is one step";
}

TEST_F(Afds, TheVsWheelEngagesAnArmedVs) {
    mcpVs(kMcpArm);
    McpVsDown(1);
    EXPECT_TRUE(apVsEng());
}

TEST_F(Afds, TheAltitudeWheelMovesByHundredsWithinZeroAndFiftyThousand) {
    const VsKnobCase cases[] = {
        {0.0f, -1, 0.0f},        {49900.0f, 5, 50000.0f}, {12345.0f, 1, 12445.0f},
        {12345.0f, -1, 12245.0f}, {150.0f, -2, 0.0f},     {5000.0f, 0, 5100.0f},
    };
    for (const VsKnobCase& c : cases) {
        SetMcpAlt(c.start);
        if (c.steps >= 0) {
            McpAltUp(c.steps);
        } else {
            McpAltDown(-c.steps);
        }
        EXPECT_EQ(McpAltitude(), c.expected) << c.start << " by " << c.steps;
    }
    const std::pair<float, float> settings[] = {
        {60000.0f, 50000.0f}, {-5.0f, 0.0f}, {12345.5f, 12345.5f}};
    for (const auto& [value, expected] : settings) {
        SetMcpAlt(value);
        EXPECT_EQ(McpAltitude(), expected) << value;
    }
    SetMcpAlt(NAN);
    EXPECT_EQ(McpAltitude(), 12345.5f) << "a non-finite setting changes nothing";
}

TEST_F(Afds, TheHeadingKnobWrapsBothWaysAndWritesTheSimulator) {
    SetMcpHdg(359.0f);
    McpHdgUp(1);
    EXPECT_EQ(snapshot.mcpHeading, 0.0f);
    EXPECT_EQ(standin::getFloat(kApHeading), 0.0f);
    McpHdgDown(1);
    EXPECT_EQ(snapshot.mcpHeading, 359.0f);
    McpHdgUp(0);
    EXPECT_EQ(snapshot.mcpHeading, 0.0f) << "a count of 0 is one degree";
    McpHdgDown(725);
    EXPECT_EQ(snapshot.mcpHeading, 355.0f);
    const std::pair<float, float> settings[] = {
        {725.6f, 5.0f}, {-10.0f, 350.0f}, {360.0f, 0.0f}, {359.9f, 359.0f}, {NAN, 0.0f}};
    for (const auto& [value, expected] : settings) {
        SetMcpHdg(value);
        EXPECT_EQ(snapshot.mcpHeading, expected) << value;
        EXPECT_EQ(standin::getFloat(kApHeading), expected) << value;
    }
}

struct SpeedCase {
    int mach;
    float start;
    int steps;
    float expected;
};

TEST_F(Afds, TheSpeedKnobKeepsAboveItsFloorAndBelowVnoOrMmo) {
    const SpeedCase cases[] = {
        {0, 250.0f, 5, 255.0f},  {0, 102.0f, -5, 100.0f}, {0, 338.0f, 5, 340.0f},
        {0, 250.0f, 0, 250.0f},  {1, 0.78f, 1, 0.79f},    {1, 0.26f, -5, 0.25f},
        {1, 0.81f, 5, 0.82f},    {0, 250.0f, -3, 247.0f},
    };
    for (const SpeedCase& c : cases) {
        snapshot.apSpeedIsMach = c.mach;
        snapshot.apSpeed = c.start;
        if (c.steps >= 0) {
            McpSpeedUp(c.steps);
        } else {
            McpSpeedDown(-c.steps);
        }
        EXPECT_FLOAT_EQ(snapshot.apSpeed, c.expected) << c.start << " by " << c.steps;
        EXPECT_FLOAT_EQ(standin::getFloat(kApAirspeed), c.expected) << c.start << " by " << c.steps;
    }
    snapshot.apSpeedIsMach = 0;
    const std::pair<float, float> settings[] = {{50.0f, 100.0f}, {400.0f, 340.0f}, {NAN, 100.0f}};
    for (const auto& [value, expected] : settings) {
        SetMcpSpeed(value);
        EXPECT_EQ(standin::getFloat(kApAirspeed), expected) << value;
    }
}

TEST_F(Afds, TheFlapPlacardFollowsTheFlapHandle) {
    const struct {
        float flapRatio;
        int gearDown;
        float placard;
    } cases[] = {
        {0.0f, 0, 340.0f},   {0.02f, 0, 340.0f},  {0.0f, 1, 270.0f},   {0.021f, 1, 250.0f},
        {0.125f, 0, 250.0f}, {0.126f, 0, 210.0f}, {0.25f, 0, 210.0f},  {0.375f, 0, 200.0f},
        {0.5f, 0, 190.0f},   {0.625f, 0, 190.0f}, {0.75f, 0, 175.0f},  {0.76f, 0, 162.0f},
        {1.0f, 1, 162.0f},
    };
    for (const auto& c : cases) {
        snapshot.flapRatio = c.flapRatio;
        snapshot.anyGearDown = c.gearDown;
        EXPECT_EQ(APMCPMaxSpeedKiasOrMach(), c.placard) << c.flapRatio << " gear " << c.gearDown;
    }
}

// Flaps 15 (placard 190 kt); in Mach the MCP speed counts as the knots it
// stands for at the present 250 kt for M 0.5.
TEST_F(Afds, TheSpeedWindowWarnsAboveThePlacardInKnotsAndInMach) {
    const struct {
        int isMach;
        float mcpSpeed, mach;
        bool warns;
    } cases[] = {
        {0, 190.0f, 0.5f, false}, {0, 191.0f, 0.5f, true},
        {1, 0.37f, 0.5f, false},  {1, 0.39f, 0.5f, true},
        {1, 0.39f, 0.0f, false},  // no Mach number to convert with
    };
    snapshot.flapRatio = 0.5f;
    snapshot.ias = 250.0f;
    for (const auto& c : cases) {
        snapshot.apSpeedIsMach = c.isMach;
        snapshot.apSpeed = c.mcpSpeed;
        snapshot.mach = c.mach;
        EXPECT_EQ(McpSpeedAboveMax(), c.warns) << c.mcpSpeed << " mach " << c.isMach;
    }
}

// ---- Stamps, bars and status ----------------------------------------------------

TEST_F(Afds, EveryStampCountsAsRecentForTenSeconds) {
    const struct {
        const char* stamp;
        std::function<void()> change;
        bool (*recentlyChanged)();
    } cases[] = {
        {"autothrottle", [] { mcpAtArm(kMcpOn); }, atChangedRecently},
        {"pitch", [] { mcpVnav(kMcpOn); }, pitchChangedRecently},
        {"arm", [] { mcpVs(kMcpArm); }, armChangedRecently},
        {"roll", [] { mcpHdgSel(kMcpOn); }, rollChangedRecently},
        {"roll arm", [] { mcpVorLoc(kMcpOn); }, rollArmChangedRecently},
    };
    for (const auto& c : cases) {
        AfdsReset();
        advance(20.0f);
        EXPECT_FALSE(c.recentlyChanged()) << c.stamp;
        c.change();
        EXPECT_TRUE(c.recentlyChanged()) << c.stamp;
        advance(9.9f);
        EXPECT_TRUE(c.recentlyChanged()) << c.stamp << " at 9.9 s";
        advance(0.2f);
        EXPECT_FALSE(c.recentlyChanged()) << c.stamp << " at 10.1 s";
    }
}

TEST_F(Afds, BarsAndStatusShowTheEngagedGuidanceModes) {
    snapshot.apMode = 0;
    engageAltHold();
    EXPECT_EQ(AfdsStatus(), 0) << "flight director off";
    EXPECT_TRUE(AfdsBarsInView());
    snapshot.apMode = 1;
    EXPECT_EQ(AfdsStatus(), 2);

    AfdsReset();
    mcpHdgSel(kMcpOn);
    EXPECT_EQ(AfdsStatus(), 1) << "HDG SEL alone";
    EXPECT_FALSE(AfdsBarsInView());

    AfdsReset();
    mcpApConnect(kMcpOff);
    mcpVs(kMcpOn);
    EXPECT_EQ(AfdsStatus(), 2);
    EXPECT_FALSE(AfdsBarsInView()) << "no bars with the autopilot disconnected";
}

// ---- Clock and constants --------------------------------------------------------

TEST_F(Afds, AClockRunningBackwardsKeepsTheRemainingBlinkAndStampAge) {
    advance(200.0f);
    frame();
    mcpLnav(kMcpOn);  // blink for 0.8 s
    mcpVs(kMcpArm);   // stamp
    frame(0.5f);
    standin::jumpTime(-100.0f);
    frame(0.0001f);
    EXPECT_TRUE(lnavLightOn());
    EXPECT_TRUE(armChangedRecently());
    advance(0.4f);
    EXPECT_FALSE(lnavLightOn()) << "0.9 s after the blink began";
    advance(9.2f);
    EXPECT_FALSE(armChangedRecently()) << "10.1 s after the stamp";
}

TEST_F(Afds, TheSimulatorsPiIsReadOnceWhenItIsThere) {
    standin::setFloat("sim/physics/pi", 3.0f);
    standin::setFloat("sim/physics/double_pi", 6.0f);
    InitAutoflightConstants();
    EXPECT_EQ(PhysicsPi(), 3.0f);
    EXPECT_EQ(PhysicsTwoPi(), 6.0f);
    standin::markDataRefAbsent("sim/physics/pi");
    standin::setFloat("sim/physics/double_pi", 6.2831853f);
    InitAutoflightConstants();
    EXPECT_EQ(PhysicsPi(), 3.0f) << "a missing dataref leaves the value";
    EXPECT_FLOAT_EQ(PhysicsTwoPi(), 6.2831853f);
}

}  // namespace
