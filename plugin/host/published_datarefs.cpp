#include "host/published_datarefs.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <iterator>

#include "XPLMDataAccess.h"
#include "autoflight/phases.h"
#include "sim/snapshot.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/engines.h"
#include "systems/flight_controls.h"
#include "systems/wipers.h"

namespace quil {
namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;
// The small-deflection value stretches the first half of the flap travel
// over 0 to 1.
constexpr float kSmallDeflectionTravel = 0.5f;

constexpr float kStrobeLitSeconds = 0.07f;
constexpr float kStrobeDarkSeconds = 1.0f;
// The host's custom light format: nine values, of which the plug-in gives
// only the brightness; the rest come from the aircraft's objects.
constexpr int kLightValues = 9;
constexpr int kLightBrightness = 3;
constexpr int kMaxNameLength = 63;

// Every published dataref is read-only, so an entry carries only the reader
// of its type.
struct PublishedDataRef {
    const char* name;
    XPLMDataTypeID type;
    XPLMGetDatai_f readInt;
    XPLMGetDataf_f readFloat;
    XPLMGetDatavf_f readFloatArray;
};

constexpr PublishedDataRef intRef(const char* name, XPLMGetDatai_f read) {
    return {name, xplmType_Int, read, nullptr, nullptr};
}
constexpr PublishedDataRef floatRef(const char* name, XPLMGetDataf_f read) {
    return {name, xplmType_Float, nullptr, read, nullptr};
}
constexpr PublishedDataRef lightRef(const char* name, XPLMGetDatavf_f read) {
    return {name, xplmType_FloatArray, nullptr, nullptr, read};
}

// The host hands every reader a zero reference value, so each entry needs a
// reader of its own; these stamp one out per query and index.
template <float (*Query)(int), int Index>
float readIndexed(void*) {
    return Query(Index);
}

template <int Group>
constexpr XPLMGetDataf_f leadingEdge = readIndexed<LeadingEdgeExtension, Group>;

template <int Side, int Station>
float readWingFlex(void*) {
    return WingFlex(Side, Station);
}

float reverserPosition(int engine) {
    float position = 0.0f;
    ReverserState(engine, &position);
    return position;
}

float trailingEdgeSmallDeflection(int side) {
    return std::min(TrailingEdgeExtension(side) / kSmallDeflectionTravel, 1.0f);
}

int readBatteryBusPowered(void*) { return batteryOn() ? 1 : 0; }
int readStandbyPowerAuto(void*) { return standbyPowerAutoPowered() ? 1 : 0; }
template <int Side>
int readTransferBusSource(void*) {
    return static_cast<int>(transferBusSource(Side));
}
float readBatteryCharge(void*) { return batteryCharge(); }
float readApuFuelFlow(void*) { return ApuFuelDemand(); }
int readFlightPhase(void*) { return FlightPhase(); }

// ---- Exterior lights ----

struct ExteriorLights {
    uint8_t strobeSwitch;
    uint8_t positionSwitch;
    uint8_t flashOn;
    float flashOnEnd;
    float flashOffEnd;
};

ExteriorLights lights{1, 1, 0, 0.0f, 0.0f};

// Both strobes share the one flash phase, which moves on whenever a
// strobe-dependent dataref is read.
bool strobeLit() {
    const float now = snapshot.now;
    if (lights.flashOn != 0 && now > lights.flashOnEnd) {
        lights.flashOn = 0;
        lights.flashOffEnd = now + kStrobeDarkSeconds;
    } else if (lights.flashOn == 0 && now > lights.flashOffEnd) {
        lights.flashOn = 1;
        lights.flashOnEnd = now + kStrobeLitSeconds;
    }
    return transferBusPowered(0) && lights.strobeSwitch != 0 && lights.flashOn != 0;
}

bool positionLightsLit() { return transferBusPowered(0) && lights.positionSwitch != 0; }

// Position lights glow with the bus voltage but never dimmer than nominal.
float positionLightBrightness() {
    if (!positionLightsLit()) return 0.0f;
    const float ratio = transferBusSupplyRatio(0);
    return std::isfinite(ratio) ? std::max(ratio, 1.0f) : 1.0f;
}

// A read without an array asks for the size, as with any array dataref; a
// read too short for the whole light writes nothing.
int writeLight(float* values, int count, float brightness) {
    if (values == nullptr) return kLightValues;
    if (count >= kLightValues) values[kLightBrightness] = brightness;
    return count;
}

int readStrobeLight(void*, float* values, int, int count) {
    return writeLight(values, count, strobeLit() ? 1.0f : 0.0f);
}

int readPositionLight(void*, float* values, int, int count) {
    return writeLight(values, count, positionLightBrightness());
}

float asFlag(bool on) { return on ? 1.0f : 0.0f; }

float readPositionLightsOn(void*) { return asFlag(positionLightsLit()); }

template <bool PositionLit, bool StrobeLit>
float readLightCombination(void*) {
    return asFlag(strobeLit() == StrobeLit && positionLightsLit() == PositionLit);
}

constexpr PublishedDataRef kPublished[] = {
    floatRef("quil/engine/thrustrev_pos_1", readIndexed<reverserPosition, 0>),
    floatRef("quil/engine/thrustrev_pos_2", readIndexed<reverserPosition, 1>),
    floatRef("quil/engine/viblevel_1", readIndexed<VibrationLevel, 0>),
    floatRef("quil/engine/viblevel_2", readIndexed<VibrationLevel, 1>),
    floatRef("quil/engine/fan_rotation_1", readIndexed<FanRotation, 0>),
    floatRef("quil/engine/fan_rotation_2", readIndexed<FanRotation, 1>),
    floatRef("quil/engine/fan_showdetail_1", readIndexed<FanDetail, 0>),
    floatRef("quil/engine/fan_showdetail_2", readIndexed<FanDetail, 1>),
    floatRef("quil/engine/spinner_rotation_1", readIndexed<SpinnerRotation, 0>),
    floatRef("quil/engine/spinner_rotation_2", readIndexed<SpinnerRotation, 1>),
    floatRef("quil/engine/disk_rotation_1", readIndexed<DiskRotation, 0>),
    floatRef("quil/engine/disk_rotation_2", readIndexed<DiskRotation, 1>),
    floatRef("quil/engine/spinner_showdetail_1", readIndexed<SpinnerDetail, 0>),
    floatRef("quil/engine/spinner_showdetail_2", readIndexed<SpinnerDetail, 1>),

    floatRef("quil/wipers/stowage_pos_1", readIndexed<WiperStowage, 0>),
    floatRef("quil/wipers/stowage_pos_2", readIndexed<WiperStowage, 1>),
    floatRef("quil/wipers/wiper_pos_1", readIndexed<WiperPosition, 0>),
    floatRef("quil/wipers/wiper_pos_2", readIndexed<WiperPosition, 1>),

    floatRef("quil/systems/spoilers/spoiler_1_ext", readIndexed<SpoilerExtension, 0>),
    floatRef("quil/systems/spoilers/spoiler_2_ext", readIndexed<SpoilerExtension, 1>),
    floatRef("quil/systems/spoilers/spoiler_3_ext", readIndexed<SpoilerExtension, 2>),
    floatRef("quil/systems/spoilers/spoiler_4_ext", readIndexed<SpoilerExtension, 3>),
    floatRef("quil/systems/spoilers/spoiler_5_ext", readIndexed<SpoilerExtension, 4>),
    floatRef("quil/systems/spoilers/spoiler_6_ext", readIndexed<SpoilerExtension, 5>),
    floatRef("quil/systems/spoilers/spoiler_7_ext", readIndexed<SpoilerExtension, 6>),
    floatRef("quil/systems/spoilers/spoiler_8_ext", readIndexed<SpoilerExtension, 7>),
    floatRef("quil/systems/spoilers/spoiler_9_ext", readIndexed<SpoilerExtension, 8>),
    floatRef("quil/systems/spoilers/spoiler_10_ext", readIndexed<SpoilerExtension, 9>),
    floatRef("quil/systems/spoilers/spoiler_11_ext", readIndexed<SpoilerExtension, 10>),
    floatRef("quil/systems/spoilers/spoiler_12_ext", readIndexed<SpoilerExtension, 11>),

    floatRef("quil/systems/flaps/le_k1_ext_left", leadingEdge<kLeftKrueger>),
    floatRef("quil/systems/flaps/le_k2_ext_left", leadingEdge<kLeftKrueger>),
    floatRef("quil/systems/flaps/le_1_ext_left", leadingEdge<kLeftSlats>),
    floatRef("quil/systems/flaps/le_2_ext_left", leadingEdge<kLeftSlats>),
    floatRef("quil/systems/flaps/le_3_ext_left", leadingEdge<kLeftSlats>),
    floatRef("quil/systems/flaps/le_4_ext_left", leadingEdge<kLeftSlats>),
    floatRef("quil/systems/flaps/le_k1_ext_right", leadingEdge<kRightKrueger>),
    floatRef("quil/systems/flaps/le_k2_ext_right", leadingEdge<kRightKrueger>),
    floatRef("quil/systems/flaps/le_1_ext_right", leadingEdge<kRightSlats>),
    floatRef("quil/systems/flaps/le_2_ext_right", leadingEdge<kRightSlats>),
    floatRef("quil/systems/flaps/le_3_ext_right", leadingEdge<kRightSlats>),
    floatRef("quil/systems/flaps/le_4_ext_right", leadingEdge<kRightSlats>),
    floatRef("quil/systems/flaps/te_ext_all_left", readIndexed<TrailingEdgeExtension, kLeft>),
    floatRef("quil/systems/flaps/te_ext_all_right", readIndexed<TrailingEdgeExtension, kRight>),
    floatRef("quil/systems/flaps/te_linear_small_left",
             readIndexed<trailingEdgeSmallDeflection, kLeft>),
    floatRef("quil/systems/flaps/te_linear_small_right",
             readIndexed<trailingEdgeSmallDeflection, kRight>),

    floatRef("quil/systems/wingflex/leftwing/wingflex1", readWingFlex<kLeft, 0>),
    floatRef("quil/systems/wingflex/leftwing/wingflex2", readWingFlex<kLeft, 1>),
    floatRef("quil/systems/wingflex/leftwing/wingflex3", readWingFlex<kLeft, 2>),
    floatRef("quil/systems/wingflex/leftwing/wingflex4", readWingFlex<kLeft, 3>),
    floatRef("quil/systems/wingflex/leftwing/wingflex5", readWingFlex<kLeft, 4>),
    floatRef("quil/systems/wingflex/rightwing/wingflex1", readWingFlex<kRight, 0>),
    floatRef("quil/systems/wingflex/rightwing/wingflex2", readWingFlex<kRight, 1>),
    floatRef("quil/systems/wingflex/rightwing/wingflex3", readWingFlex<kRight, 2>),
    floatRef("quil/systems/wingflex/rightwing/wingflex4", readWingFlex<kRight, 3>),
    floatRef("quil/systems/wingflex/rightwing/wingflex5", readWingFlex<kRight, 4>),

    intRef("quil/systems/electrics/swBatBusPowered", readBatteryBusPowered),
    intRef("quil/systems/electrics/stbyPwrAuto", readStandbyPowerAuto),
    // What a flight's books are kept from: each transfer bus's source (0
    // none, 1 and 2 the engine generators, 3 the APU, 4 ground power), the
    // battery's state of charge, the APU's burn (kg/s) and the flight phase.
    intRef("quil/systems/electrics/xfrBus1Source", readTransferBusSource<kLeft>),
    intRef("quil/systems/electrics/xfrBus2Source", readTransferBusSource<kRight>),
    floatRef("quil/systems/electrics/batteryCharge", readBatteryCharge),
    floatRef("quil/systems/apu/fuelFlow", readApuFuelFlow),
    intRef("quil/autoflight/flightPhase", readFlightPhase),

    lightRef("quil/systems/exteriorLights/leftStrobe_fv9", readStrobeLight),
    lightRef("quil/systems/exteriorLights/rightStrobe_fv9", readStrobeLight),
    lightRef("quil/systems/exteriorLights/posLights_fv9", readPositionLight),
    floatRef("quil/systems/exteriorLights/posLights_on", readPositionLightsOn),
    floatRef("quil/systems/exteriorLights/posOff_StrobeOff", readLightCombination<false, false>),
    floatRef("quil/systems/exteriorLights/posOn_StrobeOff", readLightCombination<true, false>),
    floatRef("quil/systems/exteriorLights/posOff_StrobeOn", readLightCombination<false, true>),
    floatRef("quil/systems/exteriorLights/posOn_StrobeOn", readLightCombination<true, true>),
};

constexpr size_t kPublishedCount = std::size(kPublished);
static_assert(kPublishedCount == 71);

constexpr bool fitsTheHost(const PublishedDataRef& entry) {
    size_t length = 0;
    while (entry.name[length] != '\0') ++length;
    const bool knownType = entry.type == xplmType_Int || entry.type == xplmType_Float ||
                           entry.type == xplmType_FloatArray;
    return length <= kMaxNameLength && knownType;
}

constexpr bool allFitTheHost() {
    for (const PublishedDataRef& entry : kPublished) {
        if (!fitsTheHost(entry)) return false;
    }
    return true;
}
static_assert(allFitTheHost(), "names fit 63 characters, types are int, float or float array");

XPLMDataRef handles[kPublishedCount] = {};

}  // namespace

void RegisterPublishedDataRefs() {
    for (size_t i = 0; i < kPublishedCount; ++i) {
        const PublishedDataRef& entry = kPublished[i];
        handles[i] = XPLMRegisterDataAccessor(entry.name, entry.type, 0, entry.readInt, nullptr,
                                              entry.readFloat, nullptr, nullptr, nullptr, nullptr,
                                              nullptr, entry.readFloatArray, nullptr, nullptr,
                                              nullptr, nullptr, nullptr);
    }
}

void UnregisterPublishedDataRefs() {
    for (XPLMDataRef& handle : handles) {
        XPLMUnregisterDataAccessor(handle);
        handle = nullptr;
    }
}

}  // namespace quil
