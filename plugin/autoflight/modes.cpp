#include "autoflight/modes.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>

#include "XPLMDataAccess.h"
#include "autoflight/lateral.h"
#include "autoflight/phases.h"
#include "autoflight/vertical.h"
#include "sim/sim_binding.h"
#include "sim/sim_time.h"
#include "sim/sim_values.h"
#include "sim/snapshot.h"
#include "systems/air_ground.h"
#include "systems/engines.h"

namespace quil {
namespace {

constexpr float kRecentChangeSeconds = 10.0f;
constexpr float kNeverStamped = -1.0e6f;
constexpr int kFlightDirectorOff = 0;
constexpr int kFlightDirectorOn = 1;
constexpr float kBlinkSeconds = 0.8f;
constexpr float kLightSteady = -1.0f;
constexpr float kLightDark = 0.0f;
constexpr float kNoTouchdown = -1.0f;

// MCP windows
constexpr int kDegreesPerTurn = 360;
constexpr int kVsFineStepFpm = 50;
constexpr int kVsCoarseStepFpm = 100;
constexpr int kVsFineRangeFpm = 999;     // fine steps within +-999
constexpr int kVsTruncateBeyondFpm = 1000;
constexpr int kVsMaxFpm = 6100;
constexpr int kVsMinFpm = -7900;
constexpr long long kAltStepFeet = 100;
constexpr long long kAltMaxFeet = 50000;
constexpr float kMinSpeedKnots = 100.0f;
constexpr float kMinSpeedMach = 0.25f;
constexpr float kMachStep = 0.01f;

// LVL CHG and ALT HOLD
constexpr float kLvlChgMinRadioAltitudeFeet = 1000.0f;
constexpr float kLvlChgDeadbandFeet = 100.0f;
constexpr float kAltHoldSyncFeet = 100.0f;    // beyond this the MCP altitude is re-rounded
constexpr int kAltRoundUpFeet = 60;           // climbing or level: to the hundred above from xx40
constexpr float kAltRoundUpMinFpm = -50.0f;
constexpr float kAltAcquireDelaySeconds = 1.0f;
constexpr float kCaptureLeadDivisor = 4.0f;   // capture lead in feet: |V/S| / 4
constexpr float kLvlChgCaptureMinFeet = 100.0f;
constexpr float kAcquireCaptureMinFeet = 60.0f;
constexpr float kLvlChgCaptureSeconds = 0.3f;

// Autothrottle
constexpr float kRetardReleaseMarginPercent = 0.5f;
constexpr float kRetardReleaseSeconds = 10.0f;

// Lateral and approach
constexpr float kGsArmMinRadioAltitudeFeet = 50.0f;
constexpr float kGsCaptureDots = 0.4f;
constexpr float kFlareArmRadioAltitudeFeet = 1500.0f;
constexpr float kFlareMinHeightFeet = 27.0f;
constexpr float kFlareHeightPerFpm = 1.0f / 20.0f;  // flare height from the sink rate
constexpr float kRetardRadioAltitudeFeet = 27.0f;
constexpr float kTouchdownResetSeconds = 2.0f;

// Flap placard, by flap handle ratio, in the placard's order.
struct FlapPlacard {
    float maxFlapRatio;
    float knots;
};
constexpr float kCleanFlapRatio = 0.02f;
constexpr float kGearDownPlacardKnots = 270.0f;
constexpr FlapPlacard kFlapPlacards[] = {
    {0.125f, 250.0f}, {0.25f, 210.0f}, {0.375f, 200.0f}, {0.625f, 190.0f}, {0.75f, 175.0f},
};
constexpr float kFullFlapPlacardKnots = 162.0f;

// The mode flags by group; a group's record default-constructs to all off.
struct AutothrottleModes {
    std::uint8_t atArmed = 0;
    std::uint8_t atSpeed = 0;
    std::uint8_t atSpeedHold = 0;
    std::uint8_t atN1 = 0;
    std::uint8_t atThrHold = 0;
    std::uint8_t atRetard = 0;
};

struct PitchModes {
    std::uint8_t apPitchMcpspd = 0;
    std::uint8_t lvlChgDirection = kLvlChgNone;
    std::uint8_t apVsArmed = 0;
    std::uint8_t apVsEng = 0;
    std::uint8_t apPitchAltArmed = 0;
    std::uint8_t apPitchAltHld = 0;
    std::uint8_t apVnavEng = 0;
    std::uint8_t apGsArmed = 0;
    std::uint8_t apGSEng = 0;
    std::uint8_t apFlareArmed = 0;
    std::uint8_t apFlareEng = 0;
};

struct RollModes {
    std::uint8_t apHdgSel = 0;
    std::uint8_t apLnavEng = 0;
    std::uint8_t apLnavArmed = 0;
    std::uint8_t apVorLocArmed = 0;
    std::uint8_t apVorLocEng = 0;
};

struct Afds {
    std::uint8_t apConnected = 1;
    AutothrottleModes at;
    PitchModes pitch;
    RollModes roll;
    std::uint8_t xtrackPidOn = 0;

    // MCP values the snapshot does not hold.
    float mcpAltitude = 0.0f;
    float mcpVerticalSpeed = 0.0f;
    float altitudeHoldTarget = 0.0f;
    float apVerticalSpeed = 0.0f;

    std::int32_t armedLocFreq = 0;
    std::int32_t armedGsFreq = 0;

    // Mode-change stamps; a mode that never changed was not changed recently,
    // however early in the simulator's run the plug-in starts.
    float atChangeTime = kNeverStamped;
    float pitchChangeTime = kNeverStamped;
    float armChangeTime = kNeverStamped;
    float rollChangeTime = kNeverStamped;
    float rollArmTime = kNeverStamped;

    // Button lights: steady, dark, or lit until the time held.
    float altHoldLight = kLightDark;
    float lnavLight = kLightDark;
    float appLight = kLightDark;

    float altAcqDueTime = 0.0f;
    float lvlChgCaptureSince = 0.0f;
    float retardReleaseTime = 0.0f;
    float flareTouchdownTime = kNoTouchdown;

    float lastStepTime = 0.0f;
    std::uint8_t pitchReleased = 0;

    float pi = 3.14159265f;
    float twoPi = 6.28318531f;
};

Afds afds;

// The groups of flags the commands clear or set, by channel: a command's
// rule names its group instead of listing the flags.
template <typename Modes>
using ModeFlag = std::uint8_t Modes::*;
using AtFlag = ModeFlag<AutothrottleModes>;
using PitchFlag = ModeFlag<PitchModes>;
using RollFlag = ModeFlag<RollModes>;

template <typename Modes, std::size_t N>
void setFlags(Modes& modes, const ModeFlag<Modes> (&flags)[N], std::uint8_t value) {
    for (ModeFlag<Modes> flag : flags) modes.*flag = value;
}
template <typename Modes, std::size_t N>
void clearFlags(Modes& modes, const ModeFlag<Modes> (&flags)[N]) {
    setFlags(modes, flags, 0);
}

constexpr AtFlag kSpeedModes[] = {&AutothrottleModes::atSpeed, &AutothrottleModes::atSpeedHold,
                                  &AutothrottleModes::atN1};
constexpr AtFlag kThrustModes[] = {&AutothrottleModes::atSpeed, &AutothrottleModes::atSpeedHold,
                                   &AutothrottleModes::atN1, &AutothrottleModes::atThrHold};
constexpr AtFlag kSpeedAndHold[] = {&AutothrottleModes::atSpeed, &AutothrottleModes::atSpeedHold};
constexpr AtFlag kN1AndHold[] = {&AutothrottleModes::atN1, &AutothrottleModes::atThrHold};
constexpr AtFlag kHoldAndRetard[] = {&AutothrottleModes::atThrHold, &AutothrottleModes::atRetard};
constexpr AtFlag kRetardAndN1[] = {&AutothrottleModes::atRetard, &AutothrottleModes::atN1};
constexpr AtFlag kLvlChgCaptureClears[] = {&AutothrottleModes::atN1, &AutothrottleModes::atThrHold,
                                           &AutothrottleModes::atRetard,
                                           &AutothrottleModes::atSpeedHold};

constexpr PitchFlag kLvlChgEngageClears[] = {&PitchModes::apVsArmed, &PitchModes::apVsEng,
                                             &PitchModes::apPitchAltHld,
                                             &PitchModes::apPitchAltArmed,
                                             &PitchModes::apFlareArmed, &PitchModes::apVnavEng};
constexpr PitchFlag kLvlChgDisengageClears[] = {&PitchModes::apPitchMcpspd, &PitchModes::apVsArmed,
                                                &PitchModes::apVsEng, &PitchModes::apPitchAltHld};
constexpr PitchFlag kVsEngageClears[] = {&PitchModes::apVsArmed, &PitchModes::apPitchAltHld,
                                         &PitchModes::apPitchMcpspd, &PitchModes::apVnavEng,
                                         &PitchModes::apGSEng, &PitchModes::apFlareEng};
constexpr PitchFlag kAltHoldEngageClears[] = {&PitchModes::apPitchMcpspd, &PitchModes::apVnavEng,
                                              &PitchModes::apGSEng, &PitchModes::apVsEng,
                                              &PitchModes::apVsArmed, &PitchModes::apPitchAltArmed,
                                              &PitchModes::apFlareArmed};
constexpr PitchFlag kVnavEngageClears[] = {&PitchModes::apVsArmed, &PitchModes::apVsEng,
                                           &PitchModes::apPitchAltHld, &PitchModes::apPitchAltArmed,
                                           &PitchModes::apGSEng, &PitchModes::apFlareEng};
constexpr PitchFlag kGsCaptureClears[] = {&PitchModes::apVsArmed, &PitchModes::apVsEng,
                                          &PitchModes::apPitchAltHld, &PitchModes::apPitchAltArmed,
                                          &PitchModes::apVnavEng, &PitchModes::apGsArmed,
                                          &PitchModes::apFlareArmed, &PitchModes::apFlareEng};
constexpr PitchFlag kFlareArmClears[] = {&PitchModes::apVsArmed, &PitchModes::apPitchAltArmed,
                                         &PitchModes::apGsArmed};
constexpr PitchFlag kFlareEngageClears[] = {&PitchModes::apVsArmed, &PitchModes::apVsEng,
                                            &PitchModes::apPitchAltHld,
                                            &PitchModes::apPitchAltArmed, &PitchModes::apVnavEng,
                                            &PitchModes::apGsArmed, &PitchModes::apFlareArmed,
                                            &PitchModes::apGSEng};
constexpr PitchFlag kAltitudeModes[] = {&PitchModes::apPitchAltHld, &PitchModes::apPitchAltArmed};
constexpr PitchFlag kGlideSlopeModes[] = {&PitchModes::apGsArmed, &PitchModes::apGSEng};
constexpr PitchFlag kFlareModes[] = {&PitchModes::apFlareArmed, &PitchModes::apFlareEng};

constexpr RollFlag kLnavModes[] = {&RollModes::apLnavArmed, &RollModes::apLnavEng};
constexpr RollFlag kVorLocModes[] = {&RollModes::apVorLocArmed, &RollModes::apVorLocEng};
constexpr RollFlag kHdgSelEngageClears[] = {&RollModes::apLnavEng, &RollModes::apVorLocEng};
constexpr RollFlag kLnavEngageClears[] = {&RollModes::apLnavArmed, &RollModes::apHdgSel,
                                          &RollModes::apVorLocEng};
constexpr RollFlag kVorLocCaptureClears[] = {&RollModes::apVorLocArmed, &RollModes::apHdgSel,
                                             &RollModes::apLnavEng};

bool recent(float stamp) { return NowSeconds() - stamp <= kRecentChangeSeconds; }
void stamp(float& field) { field = NowSeconds(); }
void blink(float& light) { light = NowSeconds() + kBlinkSeconds; }
bool lit(float light) { return light < 0.0f || NowSeconds() < light; }

// A toggle becomes off while `engaged`, else on; other actions pass.
McpAction resolveToggle(McpAction action, bool engaged) {
    if (action != kMcpToggle) return action;
    return engaged ? kMcpOff : kMcpOn;
}

// A RETARD that engages afresh waits for idle again before it hands over,
// whatever release was pending from an earlier one.
void engageRetard() {
    if (!afds.at.atRetard) afds.retardReleaseTime = 0.0f;
    afds.at.atRetard = 1;
}

// The MCP speed follows the aircraft: its airspeed, or its Mach number
// while the MCP speed is in Mach.
void synchroniseMcpSpeed() {
    SetMcpSpeed(snapshot.apSpeedIsMach != 0 ? snapshot.mach : snapshot.ias);
}

void writeAltitudeToSimulator(float feet) { XPLMSetDataf(sim.apAltitude, feet); }

void holdMcpAltitude() {
    afds.altitudeHoldTarget = afds.mcpAltitude;
    writeAltitudeToSimulator(afds.altitudeHoldTarget);
}

// The present altitude to whole hundreds: up from xx40 while climbing or
// level, down while descending.
float roundedPresentAltitude() {
    const long long t = TruncToInt(snapshot.indicatedAltitude);
    const long long hundreds = snapshot.verticalSpeed >= kAltRoundUpMinFpm
                                   ? (t + kAltRoundUpFeet) / kAltStepFeet
                                   : t / kAltStepFeet;
    return static_cast<float>(hundreds * kAltStepFeet);
}

void setMcpAltitudeValue(long long feet) {
    afds.mcpAltitude = static_cast<float>(std::clamp(feet, 0LL, kAltMaxFeet));
    if (afds.pitch.apPitchAltHld) mcpAltHold(kMcpArm, 1);
}

int wrapDegrees(long long degrees) {
    const long long wrapped = degrees % kDegreesPerTurn;
    return static_cast<int>(wrapped < 0 ? wrapped + kDegreesPerTurn : wrapped);
}

// The knob works on the whole-degree heading; a non-finite one starts over
// from north rather than spreading to the simulator.
int wholeDegrees(float heading) {
    if (!std::isfinite(heading)) return 0;
    return wrapDegrees(static_cast<long long>(std::fmod(heading, 360.0f)));
}

void writeMcpHeading(int degrees) {
    snapshot.mcpHeading = static_cast<float>(degrees);
    XPLMSetDataf(sim.apHeading, snapshot.mcpHeading);
}

// In HDG SEL the aircraft turns towards the unwrapped target; otherwise the
// target simply rests on the MCP heading.
void followHeadingTarget() {
    if (afds.roll.apHdgSel) {
        StartTurn(HeadingTarget(), CurrentHeadingUnwrapped(), NowSeconds());
    } else {
        SetHeadingTarget(snapshot.mcpHeading);
    }
}

void turnMcpHeading(long long degrees) {
    writeMcpHeading(wrapDegrees(wholeDegrees(snapshot.mcpHeading) + degrees));
    ShiftHeadingTarget(static_cast<float>(degrees));
    followHeadingTarget();
}

int atLeastOne(int n) { return n < 1 ? 1 : n; }

int vsStep(long long fpm) {
    return fpm >= -kVsFineRangeFpm && fpm <= kVsFineRangeFpm ? kVsFineStepFpm : kVsCoarseStepFpm;
}

// The knob moves the window by whole steps; beyond 1000 fpm it stays on
// whole hundreds.
void turnMcpVs(long long steps, int limit) {
    long long v = std::max<long long>(TruncToInt(afds.mcpVerticalSpeed), kVsMinFpm);
    v += steps * vsStep(v);
    if (v < -kVsTruncateBeyondFpm || v > kVsTruncateBeyondFpm) {
        v = v / kVsCoarseStepFpm * kVsCoarseStepFpm;
    }
    v = steps > 0 ? std::min<long long>(v, limit) : std::max<long long>(v, limit);
    afds.mcpVerticalSpeed = static_cast<float>(v);
    if (afds.pitch.apVsArmed) mcpVs(kMcpOn);
}

// A due time still ahead keeps its remaining wait across a clock that ran
// backwards; one already past stays past (`none`).
void shiftDueTime(float& due, float previous, float by, float none) {
    if (due <= 0.0f) return;
    due = due > previous ? due + by : none;
}

// When the simulator's clock runs backwards (a replay, a reloaded
// situation) every time kept here moves with it, so no stamp, blink or wait
// is stretched by the jump.
void followClockBackwards(float now) {
    const float previous = afds.lastStepTime;
    const float by = now - previous;
    for (float* time : {&afds.atChangeTime, &afds.pitchChangeTime, &afds.armChangeTime,
                        &afds.rollChangeTime, &afds.rollArmTime, &afds.altAcqDueTime,
                        &afds.lvlChgCaptureSince}) {
        *time += by;
    }
    for (float* light : {&afds.altHoldLight, &afds.lnavLight, &afds.appLight}) {
        shiftDueTime(*light, previous, by, kLightDark);
    }
    shiftDueTime(afds.retardReleaseTime, previous, by, 0.0f);
    shiftDueTime(afds.flareTouchdownTime, previous, by, kNoTouchdown);
}

// The V/S window is what the autopilot flies while V/S is armed or engaged.
void copyVerticalSpeedWindow() {
    if (!afds.pitch.apVsArmed && !afds.pitch.apVsEng) return;
    afds.apVerticalSpeed = afds.mcpVerticalSpeed;
    XPLMSetDataf(sim.apVerticalVelocity, afds.apVerticalSpeed);
}

// RETARD hands over to A/T ARM ten seconds after both engines have come
// back to idle.
void releaseRetard(float now) {
    if (!afds.at.atRetard) return;
    if (afds.retardReleaseTime > 0.0f && now > afds.retardReleaseTime) {
        afds.at.atRetard = 0;
        afds.at.atArmed = 1;
        afds.retardReleaseTime = 0.0f;
    } else if (afds.retardReleaseTime <= 0.0f) {
        const float idle = kRetardN1Percent + kRetardReleaseMarginPercent;
        if (snapshot.engineN1[0] <= idle && snapshot.engineN1[1] <= idle) {
            afds.retardReleaseTime = now + kRetardReleaseSeconds;
        }
    }
}

// A lost flight plan drops LNAV; an armed LNAV engages above 55 ft.
void lnavTransitions() {
    if (afds.roll.apLnavArmed) {
        if (!FlightPlanValid()) {
            mcpLnavEngage(kMcpOff);
        } else if (snapshot.radioAltitude > kLnavEngageMinRadioAltitudeFeet) {
            mcpLnavEngage(kMcpOn);
        }
    }
    if (afds.roll.apLnavEng && !FlightPlanValid()) mcpLnavEngage(kMcpOff);
}

float captureLead(float minimumFeet) {
    return std::fmax(std::fabs(snapshot.verticalSpeed) / kCaptureLeadDivisor, minimumFeet);
}

// LVL CHG levels off at the MCP altitude once the aircraft
// has been within the capture lead for 0.3 s.
void lvlChgCapture(float now) {
    const PitchModes& p = afds.pitch;
    if (!p.apPitchMcpspd) return;
    const float h = snapshot.indicatedAltitude;
    const float margin = captureLead(kLvlChgCaptureMinFeet);
    bool within = false;
    if (p.lvlChgDirection == kLvlChgClimb) within = h > afds.mcpAltitude - margin;
    if (p.lvlChgDirection == kLvlChgDescent) within = h < afds.mcpAltitude + margin;
    if (!within) afds.lvlChgCaptureSince = now;
    if (afds.lvlChgCaptureSince < now - kLvlChgCaptureSeconds) {
        clearFlags(afds.at, kLvlChgCaptureClears);
        afds.at.atSpeed = 1;
        afds.pitch.apPitchAltArmed = 1;
        mcpAltHold(kMcpOn, 0);
    }
}

// An armed acquire shows the MCP altitude and captures it within the lead.
void altitudeAcquire(float now) {
    if (!afds.pitch.apPitchAltArmed || afds.pitch.apPitchAltHld) return;
    writeAltitudeToSimulator(afds.mcpAltitude);
    const float distance = std::fabs(snapshot.indicatedAltitude - afds.mcpAltitude);
    if (now > afds.altAcqDueTime && distance <= captureLead(kAcquireCaptureMinFeet)) {
        mcpAltHold(kMcpOn, 1);
    }
}

// An armed glide slope is dropped when retuned or too low, and captured
// within 0.4 dots of a glide slope the receiver hears: a flagged needle
// rests centred wherever the aircraft is.
void glideSlopeTransitions() {
    if (!afds.pitch.apGsArmed) return;
    if (snapshot.navFrequency != afds.armedGsFreq ||
        snapshot.radioAltitude <= kGsArmMinRadioAltitudeFeet) {
        mcpApp(kMcpOff);
    } else if (!snapshot.navGlideSlopeFlag && std::fabs(snapshot.navVdef) < kGsCaptureDots) {
        mcpGsCapture(kMcpOn);
        SetThrustLimitMode(kThrustLimitGoAround);
    }
}

void glideSlopeCapturedTransitions() {
    const float ra = snapshot.radioAltitude;
    if (snapshot.navFrequency != afds.armedGsFreq) {
        mcpGsCapture(kMcpOff);
    } else if (ra <= std::fmax(-snapshot.verticalSpeed * kFlareHeightPerFpm, kFlareMinHeightFeet)) {
        mcpFlareEngage(kMcpOn);
    }
    if (afds.pitch.apGSEng && !afds.pitch.apFlareArmed && ra <= kFlareArmRadioAltitudeFeet) {
        mcpFlareArm(kMcpOn);
    }
}

// In FLARE the throttles close at 27 ft; two seconds after touchdown the
// landing ends with every mode off.
void flareTransitions(float now) {
    if (snapshot.radioAltitude <= kRetardRadioAltitudeFeet) {
        clearFlags(afds.at, kSpeedModes);
        engageRetard();
    }
    if (afds.flareTouchdownTime < 0.0f && OnGround()) {
        afds.flareTouchdownTime = now + kTouchdownResetSeconds;
        afds.pitchReleased = 1;
    }
    if (afds.flareTouchdownTime > 0.0f && now > afds.flareTouchdownTime) {
        mcpFlareEngage(kMcpOff);
        mcpVorLocCapture(kMcpOff);
        mcpSpeed(kMcpOff);
        mcpSpeedHold(kMcpOff);
        AfdsReset();
    }
}

// The mode changes of the pitch mode that the law runs, the first engaged
// of ALT HOLD, V/S, VNAV, G/S, FLARE and LVL CHG.
void pitchModeTransitions(float now) {
    const PitchModes& p = afds.pitch;
    afds.pitchReleased = 0;
    if (p.apPitchAltHld || p.apVsArmed || p.apVsEng) return;
    if (p.apVnavEng) {
        if (!FlightPlanValid()) mcpVnav(kMcpOff);
    } else if (p.apGSEng) {
        glideSlopeCapturedTransitions();
    } else if (p.apFlareEng) {
        flareTransitions(now);
    }
}

// A retuned receiver drops VOR/LOC; the capture test belongs
// to the lateral guidance.
void vorLocTransitions(float now) {
    if (!afds.roll.apVorLocArmed) return;
    if (snapshot.navFrequency != afds.armedLocFreq) {
        mcpVorLoc(kMcpOff);
        return;
    }
    VorLocCaptureStep(now);
}

void engageLvlChg() {
    AutothrottleModes& at = afds.at;
    PitchModes& p = afds.pitch;
    if (!afds.apConnected || p.apGSEng) return;
    if (snapshot.radioAltitude < kLvlChgMinRadioAltitudeFeet) return;
    const float h = snapshot.indicatedAltitude;
    if (h < afds.mcpAltitude - kLvlChgDeadbandFeet) {
        p.lvlChgDirection = kLvlChgClimb;
    } else if (h > afds.mcpAltitude + kLvlChgDeadbandFeet) {
        p.lvlChgDirection = kLvlChgDescent;
    } else {
        p.lvlChgDirection = kLvlChgNone;
        return;
    }
    if (!at.atSpeed) synchroniseMcpSpeed();
    clearFlags(p, kLvlChgEngageClears);
    clearFlags(at, kSpeedAndHold);
    afds.altHoldLight = kLightDark;
    p.apPitchMcpspd = 1;
    afds.lvlChgCaptureSince = NowSeconds();
    ClearLvlChgCorrection();
    if (p.lvlChgDirection == kLvlChgClimb) {
        at.atN1 = 1;
        clearFlags(at, kHoldAndRetard);
        afds.retardReleaseTime = 0.0f;
        const bool fromTakeoff = ThrustLimitMode() == kThrustLimitTakeoffReduced;
        SetThrustLimitMode(fromTakeoff ? kThrustLimitClimbReduced : kThrustLimitClimb);
    } else {
        clearFlags(at, kN1AndHold);
        engageRetard();
    }
    holdMcpAltitude();
    stamp(afds.pitchChangeTime);
}

void disengageLvlChg() {
    AutothrottleModes& at = afds.at;
    PitchModes& p = afds.pitch;
    clearFlags(p, kLvlChgDisengageClears);
    clearFlags(at, kRetardAndN1);
    afds.altHoldLight = kLightDark;
    ClearLvlChgCorrection();
    setFlags(at, kSpeedAndHold, 1);
    stamp(afds.pitchChangeTime);
}

void armVs() {
    const AutothrottleModes& at = afds.at;
    if (!afds.apConnected || afds.pitch.apGSEng) return;
    afds.pitch.apVsArmed = 1;
    SetMcpVs(static_cast<float>(TruncToInt(snapshot.verticalSpeed)));
    const bool thrustModeEngaged =
        at.atSpeed || at.atSpeedHold || afds.pitch.apPitchMcpspd || at.atThrHold || at.atN1;
    if (!thrustModeEngaged) synchroniseMcpSpeed();
    stamp(afds.armChangeTime);
}

void engageVs() {
    PitchModes& p = afds.pitch;
    clearFlags(p, kVsEngageClears);
    p.apVsEng = 1;
    afds.altHoldLight = kLightDark;
    stamp(afds.pitchChangeTime);
}

void engageAltHold(int syncMcp) {
    PitchModes& p = afds.pitch;
    if (!afds.apConnected || p.apGSEng) return;
    if (p.apPitchMcpspd) clearFlags(afds.at, kN1AndHold);
    if (syncMcp == 1 && !p.apPitchAltArmed &&
        std::fabs(afds.mcpAltitude - snapshot.indicatedAltitude) > kAltHoldSyncFeet) {
        afds.mcpAltitude = roundedPresentAltitude();
    }
    holdMcpAltitude();
    clearFlags(p, kAltHoldEngageClears);
    p.apPitchAltHld = 1;
    blink(afds.altHoldLight);
    stamp(afds.pitchChangeTime);
}

// The MCP altitude was changed: ALT HOLD keeps the old altitude with V/S
// armed at 0 until V/S engages; an engaged V/S goes on to the new one.
void armAltitudeAcquire() {
    PitchModes& p = afds.pitch;
    if (p.apPitchAltHld && !p.apPitchAltArmed) {
        p.apPitchAltArmed = 1;
        if (!p.apVsEng && !p.apVsArmed) {
            mcpVs(kMcpArm);
            SetMcpVs(0.0f);
        }
    } else if (p.apVsEng) {
        p.apPitchAltArmed = 1;
        p.apPitchAltHld = 0;
    } else {
        return;
    }
    afds.altAcqDueTime = NowSeconds() + kAltAcquireDelaySeconds;
    afds.altHoldLight = kLightSteady;
}

// A pitch or roll mode that the flight director bars show.
bool guidanceModeEngaged() {
    const PitchModes& p = afds.pitch;
    const RollModes& r = afds.roll;
    return p.apPitchMcpspd || p.apVsEng || p.apPitchAltHld || p.apVnavEng || r.apLnavEng ||
           r.apVorLocEng || p.apGSEng;
}

void startLegTurn() {
    float target = LegCourse();
    WrapToNear(target, snapshot.track);
    StartTurn(target, snapshot.track, NowSeconds());
}

}  // namespace

void InitAutoflightConstants() {
    if (XPLMDataRef ref = XPLMFindDataRef("sim/physics/pi")) {
        const float pi = XPLMGetDataf(ref);
        if (std::isfinite(pi) && pi > 0.0f) afds.pi = pi;
    }
    if (XPLMDataRef ref = XPLMFindDataRef("sim/physics/double_pi")) {
        const float twoPi = XPLMGetDataf(ref);
        if (std::isfinite(twoPi) && twoPi > 0.0f) afds.twoPi = twoPi;
    }
}

float PhysicsPi() { return afds.pi; }
float PhysicsTwoPi() { return afds.twoPi; }

void AfdsReset() {
    afds.apConnected = 1;
    afds.at = AutothrottleModes{};
    afds.pitch = PitchModes{};
    afds.roll = RollModes{};
    afds.lnavLight = kLightDark;
    SetMcpVs(0.0f);
}

void AutoflightStep() {
    const float now = NowSeconds();
    if (!std::isfinite(now)) return;
    if (now < afds.lastStepTime) followClockBackwards(now);
    afds.lastStepTime = now;

    copyVerticalSpeedWindow();
    AutothrottleStep(now);
    releaseRetard(now);
    lnavTransitions();
    lvlChgCapture(now);
    altitudeAcquire(now);
    glideSlopeTransitions();
    pitchModeTransitions(now);
    PitchTargetStep(now);
    vorLocTransitions(now);
    // The control laws, pitch and roll interleaved; the roll law itself
    // picks HDG SEL, LNAV or VOR/LOC.
    PitchOutputStep(now);
}

void mcpAtArm(McpAction action) {
    AutothrottleModes& at = afds.at;
    action = resolveToggle(action, at.atArmed);
    if (action == kMcpOff && at.atArmed) {
        at.atArmed = 0;
        clearFlags(at, kSpeedModes);
    } else if (action == kMcpOn && !at.atArmed) {
        at.atArmed = 1;
        clearFlags(at, kSpeedModes);
        stamp(afds.atChangeTime);
    }
}

namespace {

// The thrust modes exclude one another and LVL CHG: engaging one drops the
// others.
void engageThrustMode(std::uint8_t AutothrottleModes::*mode) {
    AutothrottleModes& at = afds.at;
    clearFlags(at, kThrustModes);
    at.*mode = 1;
    afds.pitch.apPitchMcpspd = 0;
    stamp(afds.atChangeTime);
}

// THR HLD, SPEED and SPEED HOLD: off at any time, on only with the
// autothrottle armed. True when the press has engaged the mode.
bool thrustModeButton(McpAction action, std::uint8_t AutothrottleModes::*mode) {
    AutothrottleModes& at = afds.at;
    action = resolveToggle(action, at.*mode);
    if (action == kMcpOff) {
        at.*mode = 0;
        stamp(afds.atChangeTime);
    } else if (action == kMcpOn && at.atArmed) {
        engageThrustMode(mode);
        return true;
    }
    return false;
}

}  // namespace

void mcpN1(McpAction action) {
    AutothrottleModes& at = afds.at;
    action = resolveToggle(action, at.atN1);
    if (action == kMcpOff && at.atN1) {
        at.atN1 = 0;
        stamp(afds.atChangeTime);
    } else if (action == kMcpOn && at.atArmed && !at.atN1) {
        engageThrustMode(&AutothrottleModes::atN1);
    }
}

void mcpThrHold(McpAction action) {
    if (thrustModeButton(action, &AutothrottleModes::atThrHold)) HoldPresentThrottles();
}

void mcpSpeed(McpAction action) { thrustModeButton(action, &AutothrottleModes::atSpeed); }

void mcpSpeedHold(McpAction action) {
    thrustModeButton(action, &AutothrottleModes::atSpeedHold);
}

void mcpLvlChg(McpAction action) {
    if (!afds.at.atArmed) return;
    const bool engaged = afds.pitch.apPitchMcpspd;
    action = resolveToggle(action, engaged);
    if (action == kMcpOn && !engaged) {
        engageLvlChg();
    } else if (action == kMcpOff && engaged) {
        disengageLvlChg();
    }
}

void mcpVnav(McpAction action) {
    PitchModes& p = afds.pitch;
    action = resolveToggle(action, p.apVnavEng);
    if (action == kMcpOn && afds.apConnected && !p.apGSEng) {
        clearFlags(p, kVnavEngageClears);
        afds.altHoldLight = kLightDark;
        p.apVnavEng = 1;
        stamp(afds.pitchChangeTime);
    } else if (action == kMcpOff && p.apVnavEng) {
        p.apVnavEng = 0;
        stamp(afds.pitchChangeTime);
    }
}

void mcpVs(McpAction action) {
    PitchModes& p = afds.pitch;
    if (action == kMcpToggle) action = p.apVsEng ? kMcpOff : (p.apVsArmed ? kMcpOn : kMcpArm);
    if (action == kMcpOff) {
        if (p.apVsEng) {
            p.apVsEng = 0;
            stamp(afds.pitchChangeTime);
        }
    } else if (action == kMcpArm && !p.apVsArmed && !p.apVsEng) {
        armVs();
    } else if (action == kMcpArm || action == kMcpOn) {
        engageVs();
    }
}

void mcpAltHold(McpAction action, int syncMcp) {
    PitchModes& p = afds.pitch;
    action = resolveToggle(action, p.apPitchAltHld || p.apPitchAltArmed);
    if (action == kMcpOn) {
        engageAltHold(syncMcp);
    } else if (action == kMcpArm) {
        armAltitudeAcquire();
    } else if (action == kMcpOff && p.apPitchAltHld) {
        clearFlags(p, kAltitudeModes);
        stamp(afds.pitchChangeTime);
    }
}

void mcpHdgSel(McpAction action) {
    RollModes& r = afds.roll;
    action = resolveToggle(action, r.apHdgSel);
    if (action == kMcpOn && afds.apConnected && !r.apHdgSel) {
        clearFlags(r, kHdgSelEngageClears);
        afds.lnavLight = kLightDark;
        r.apHdgSel = 1;
        stamp(afds.rollChangeTime);
        SetHeadingTarget(snapshot.mcpHeading);
        RecomputeHeadingWrap();
        StartTurn(HeadingTarget(), CurrentHeadingUnwrapped(), NowSeconds());
    } else if (action == kMcpOff) {
        r.apHdgSel = 0;
    }
}

void mcpLnav(McpAction action) {
    RollModes& r = afds.roll;
    action = resolveToggle(action, r.apLnavArmed || r.apLnavEng);
    if (action == kMcpOn && afds.apConnected && !r.apLnavArmed) {
        if (FlightPlanValid()) {
            r.apLnavArmed = 1;
            r.apLnavEng = 0;
            stamp(afds.rollArmTime);
            afds.lnavLight = kLightSteady;
        } else {
            blink(afds.lnavLight);
            clearFlags(r, kLnavModes);
        }
    } else if (action == kMcpOff && (r.apLnavArmed || r.apLnavEng)) {
        clearFlags(r, kLnavModes);
        afds.lnavLight = kLightDark;
        stamp(afds.armChangeTime);
    }
}

void mcpLnavEngage(McpAction action) {
    RollModes& r = afds.roll;
    // A toggle with LNAV neither armed nor engaged stays a toggle: nothing.
    if (action == kMcpToggle && (r.apLnavEng || r.apLnavArmed)) {
        action = r.apLnavEng ? kMcpOff : kMcpOn;
    }
    if (action == kMcpOn && afds.apConnected && !r.apLnavEng &&
        snapshot.radioAltitude > kLnavEngageMinRadioAltitudeFeet) {
        clearFlags(r, kLnavEngageClears);
        r.apLnavEng = 1;
        afds.lnavLight = kLightDark;
        SetCrossTrackLoop(false);
        stamp(afds.rollChangeTime);
        if (FlightPlanValid()) startLegTurn();
    } else if (action == kMcpOff) {
        clearFlags(r, kLnavModes);
        afds.lnavLight = kLightDark;
    }
}

void mcpVorLoc(McpAction action) {
    RollModes& r = afds.roll;
    const bool vorLocActive = r.apVorLocArmed || r.apVorLocEng;
    const bool appActive = afds.pitch.apGsArmed || afds.pitch.apGSEng;
    action = resolveToggle(action, vorLocActive);
    if (action == kMcpOn && afds.apConnected && !vorLocActive && !appActive) {
        r.apVorLocArmed = 1;
        r.apVorLocEng = 0;
        afds.armedLocFreq = snapshot.navFrequency;
        stamp(afds.rollArmTime);
        ClearCrossTrackOutput();
    } else if (action == kMcpOff && vorLocActive && !appActive) {
        clearFlags(r, kVorLocModes);
        afds.armedLocFreq = 0;
        stamp(afds.armChangeTime);
    }
}

void mcpVorLocCapture(McpAction action) {
    RollModes& r = afds.roll;
    if (action == kMcpOn && afds.apConnected && !r.apVorLocEng &&
        afds.armedLocFreq == snapshot.navFrequency) {
        clearFlags(r, kVorLocCaptureClears);
        r.apVorLocEng = 1;
        SetCrossTrackLoop(false);
        stamp(afds.rollChangeTime);
    } else if (action == kMcpOff && (r.apVorLocArmed || r.apVorLocEng)) {
        clearFlags(r, kVorLocModes);
    }
}

void mcpApp(McpAction action) {
    PitchModes& p = afds.pitch;
    RollModes& r = afds.roll;
    action = resolveToggle(action, p.apGsArmed || p.apGSEng);
    if (action == kMcpOn && afds.apConnected && !p.apGsArmed) {
        if (!snapshot.hasGlideSlope) {
            blink(afds.appLight);
            clearFlags(p, kGlideSlopeModes);
            clearFlags(r, kVorLocModes);
            return;
        }
        if (!r.apVorLocArmed && !r.apVorLocEng) mcpVorLoc(kMcpOn);
        if (r.apVorLocArmed || r.apVorLocEng) {
            afds.armedGsFreq = snapshot.navFrequency;
            p.apGsArmed = 1;
            p.apGSEng = 0;
            p.apFlareEng = 0;
        }
        stamp(afds.armChangeTime);
        afds.appLight = kLightSteady;
    } else if (action == kMcpOff && p.apGsArmed) {
        clearFlags(p, kGlideSlopeModes);
        afds.appLight = kLightDark;
        stamp(afds.armChangeTime);
        afds.armedGsFreq = 0;
    }
}

void mcpGsCapture(McpAction action) {
    PitchModes& p = afds.pitch;
    if (action == kMcpOn && afds.apConnected && !p.apGSEng) {
        clearFlags(p, kGsCaptureClears);
        afds.altHoldLight = kLightDark;
        p.apGSEng = 1;
        afds.appLight = kLightDark;
        stamp(afds.pitchChangeTime);
    } else if (action == kMcpOff && p.apGSEng) {
        clearFlags(p, kGlideSlopeModes);
        afds.appLight = kLightDark;
    }
}

void mcpFlareArm(McpAction action) {
    PitchModes& p = afds.pitch;
    if (action == kMcpOn && afds.apConnected && !p.apFlareArmed && !p.apFlareEng) {
        clearFlags(p, kFlareArmClears);
        p.apFlareArmed = 1;
        stamp(afds.armChangeTime);
    } else if (action == kMcpOff) {
        p.apFlareArmed = 0;
    }
}

void mcpFlareEngage(McpAction action) {
    AutothrottleModes& at = afds.at;
    PitchModes& p = afds.pitch;
    if (action == kMcpOn && afds.apConnected && p.apFlareArmed && p.apGSEng && !p.apFlareEng) {
        clearFlags(at, kSpeedModes);
        engageRetard();
        clearFlags(p, kFlareEngageClears);
        afds.altHoldLight = kLightDark;
        p.apFlareEng = 1;
        afds.flareTouchdownTime = kNoTouchdown;
        stamp(afds.pitchChangeTime);
    } else if (action == kMcpOff && p.apFlareEng) {
        clearFlags(p, kFlareModes);
        afds.appLight = kLightDark;
        afds.flareTouchdownTime = kNoTouchdown;
    }
}

void mcpApConnect(McpAction action) {
    action = resolveToggle(action, afds.apConnected);
    if (action == kMcpOn) {
        afds.apConnected = 1;
    } else if (action == kMcpOff && afds.apConnected) {
        afds.apConnected = 0;
        afds.pitch = PitchModes{};
        afds.roll = RollModes{};
        afds.altHoldLight = kLightDark;
        afds.lnavLight = kLightDark;
        afds.appLight = kLightDark;
        SetMcpVs(0.0f);
    }
}

void McpVsUp(int n) { turnMcpVs(atLeastOne(n), kVsMaxFpm); }
void McpVsDown(int n) { turnMcpVs(-static_cast<long long>(atLeastOne(n)), kVsMinFpm); }

// Rounded to the nearest step the same way on both sides of zero.
void SetMcpVs(float fpm) {
    const long long x = std::clamp(TruncToInt(fpm), kVsMinFpm, kVsMaxFpm);
    const long long step = vsStep(x);
    const long long magnitude = (std::llabs(x) + step / 2) / step * step;
    afds.mcpVerticalSpeed = static_cast<float>(x < 0 ? -magnitude : magnitude);
}

void McpAltUp(int n) {
    const long long a = std::max(0, TruncToInt(afds.mcpAltitude));
    setMcpAltitudeValue(a + kAltStepFeet * atLeastOne(n));
}

void McpAltDown(int n) {
    const long long a = std::min<long long>(TruncToInt(afds.mcpAltitude), kAltMaxFeet);
    setMcpAltitudeValue(a - kAltStepFeet * atLeastOne(n));
}

void SetMcpAlt(float feet) {
    if (!std::isfinite(feet)) return;
    afds.mcpAltitude = std::clamp(feet, 0.0f, static_cast<float>(kAltMaxFeet));
    if (afds.pitch.apPitchAltHld) mcpAltHold(kMcpArm, 1);
}

void McpHdgUp(int n) { turnMcpHeading(atLeastOne(n)); }
void McpHdgDown(int n) { turnMcpHeading(-static_cast<long long>(atLeastOne(n))); }

void SetMcpHdg(float heading) {
    writeMcpHeading(wholeDegrees(heading));
    SetHeadingTarget(std::isfinite(heading) ? heading : snapshot.mcpHeading);
    RecomputeHeadingWrap();
    followHeadingTarget();
}

void McpSpeedUp(int n) {
    const float step = snapshot.apSpeedIsMach != 0 ? kMachStep : 1.0f;
    SetMcpSpeed(snapshot.apSpeed + step * static_cast<float>(n));
}

void McpSpeedDown(int n) {
    const float step = snapshot.apSpeedIsMach != 0 ? kMachStep : 1.0f;
    SetMcpSpeed(snapshot.apSpeed - step * static_cast<float>(n));
}

void SetMcpSpeed(float speed) {
    ClampMcpSpeed(speed);
    snapshot.apSpeed = speed;
    XPLMSetDataf(sim.apAirspeed, speed);
}

// The flight director switch. The simulator's mode is read afresh rather
// than from the slower snapshot, so quick clicks each switch it.
void FlightDirectorSwitchToggle() {
    snapshot.apMode = flightDirectorOn() ? kFlightDirectorOff : kFlightDirectorOn;
    XPLMSetDatai(sim.apMode, snapshot.apMode);
}

bool flightDirectorOn() { return XPLMGetDatai(sim.apMode) != kFlightDirectorOff; }

// An aircraft file without a usable Vno or Mmo sets no upper limit, rather
// than one below the lower.
bool ClampMcpSpeed(float& speed) {
    const bool mach = snapshot.apSpeedIsMach != 0;
    const float lowest = mach ? kMinSpeedMach : kMinSpeedKnots;
    const float highest = mach ? snapshot.mmo : snapshot.vno;
    const bool limited = std::isfinite(highest) && highest >= lowest;
    float clamped = speed;
    if (!std::isfinite(clamped) || clamped < lowest) {
        clamped = lowest;
    } else if (limited && clamped > highest) {
        clamped = highest;
    }
    const bool changed = clamped != speed;
    speed = clamped;
    return changed;
}

float APMCPMaxSpeedKiasOrMach() {
    const float f = snapshot.flapRatio;
    if (f <= kCleanFlapRatio) return snapshot.anyGearDown ? kGearDownPlacardKnots : snapshot.vno;
    for (const FlapPlacard& placard : kFlapPlacards) {
        if (f <= placard.maxFlapRatio) return placard.knots;
    }
    return kFullFlapPlacardKnots;
}

// The placard is in knots; a Mach MCP speed is compared as the indicated
// knots it stands for at the present speed-to-Mach ratio. Without a usable
// Mach number there is nothing to compare.
bool McpSpeedAboveMax() {
    float mcpKnots = snapshot.apSpeed;
    if (snapshot.apSpeedIsMach != 0) {
        if (!(snapshot.mach > 0.0f)) return false;
        mcpKnots = snapshot.apSpeed * snapshot.ias / snapshot.mach;
    }
    return std::isfinite(mcpKnots) && APMCPMaxSpeedKiasOrMach() < mcpKnots;
}

float McpAltitude() { return afds.mcpAltitude; }
float McpVerticalSpeed() { return afds.mcpVerticalSpeed; }
float AltitudeHoldTarget() { return afds.altitudeHoldTarget; }
float AutopilotVerticalSpeed() { return afds.apVerticalSpeed; }

bool apConnected() { return afds.apConnected; }
bool atArmed() { return afds.at.atArmed; }
bool atSpeed() { return afds.at.atSpeed; }
bool atSpeedHold() { return afds.at.atSpeedHold; }
bool atN1() { return afds.at.atN1; }
bool atThrHold() { return afds.at.atThrHold; }
bool atRetard() { return afds.at.atRetard; }
bool apPitchMcpspd() { return afds.pitch.apPitchMcpspd; }
int lvlChgDirection() { return afds.pitch.lvlChgDirection; }
bool apVsArmed() { return afds.pitch.apVsArmed; }
bool apVsEng() { return afds.pitch.apVsEng; }
bool apPitchAltArmed() { return afds.pitch.apPitchAltArmed; }
bool apPitchAltHld() { return afds.pitch.apPitchAltHld; }
bool apVnavEng() { return afds.pitch.apVnavEng; }
bool apGsArmed() { return afds.pitch.apGsArmed; }
bool apGSEng() { return afds.pitch.apGSEng; }
bool apFlareArmed() { return afds.pitch.apFlareArmed; }
bool apFlareEng() { return afds.pitch.apFlareEng; }
bool apHdgSel() { return afds.roll.apHdgSel; }
bool apLnavEng() { return afds.roll.apLnavEng; }
bool apLnavArmed() { return afds.roll.apLnavArmed; }
bool apVorLocArmed() { return afds.roll.apVorLocArmed; }
bool apVorLocEng() { return afds.roll.apVorLocEng; }
bool xtrackPidOn() { return afds.xtrackPidOn; }
void SetXtrackPidOn(bool on) { afds.xtrackPidOn = on; }

bool atChangedRecently() { return recent(afds.atChangeTime); }
bool pitchChangedRecently() { return recent(afds.pitchChangeTime); }
bool armChangedRecently() { return recent(afds.armChangeTime); }
bool rollChangedRecently() { return recent(afds.rollChangeTime); }
bool rollArmChangedRecently() { return recent(afds.rollArmTime); }

bool altHoldLightOn() { return lit(afds.altHoldLight); }
bool lnavLightOn() { return lit(afds.lnavLight); }
bool appLightOn() { return lit(afds.appLight); }

bool AfdsBarsInView() { return afds.apConnected && guidanceModeEngaged(); }

int AfdsStatus() {
    if (snapshot.apMode == 0) return 0;
    return guidanceModeEngaged() ? 2 : 1;
}

bool PitchReleasedThisFrame() { return afds.pitchReleased; }

}  // namespace quil
