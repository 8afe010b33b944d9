#include "host/frame_table.h"

#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "autoflight/phases.h"
#include "host/frame_steps.h"
#include "host/snapshot_read.h"
#include "instruments/display_power.h"
#include "sim/snapshot.h"
#include "systems/anti_ice.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/engine_quantities.h"
#include "systems/engines.h"
#include "systems/flight_controls.h"
#include "systems/fuel.h"
#include "systems/refuelling.h"
#include "systems/wipers.h"

namespace quil {
namespace {

using Step = void (*)(float now);

// The light rotation runs on from the plug-in's start; the slow reads and
// their steps start again at every bind, so that a bind is followed by
// their first slot.
enum class Counted { SinceStart, SinceBind };

struct FrameRow {
    unsigned every;  // frames: 1, 2, 4 or 8
    unsigned slot;   // the frame of its rotation it runs in
    Step step;
    Counted counted = Counted::SinceBind;
};

// A value read on a rotation is at most every - 1 frames old.
constexpr FrameRow kFrame[] = {
    {1, 0, [](float) { ReadTime(); }},
    // The light rotation, with the anti-ice model on its first frame.
    {4, 0, [](float) { ReadTaxiLight(); }, Counted::SinceStart},
    {4, 0, [](float) { GatherCabinAndTaxiGlows(); }, Counted::SinceStart},
    {4, 0, [](float) { StepAntiIce(); }, Counted::SinceStart},
    {4, 1, [](float) { ReadOutsideAirAndLandingLights(); }, Counted::SinceStart},
    {4, 1, [](float) { GatherLandingGlow(); }, Counted::SinceStart},
    {4, 2, [](float) { GatherGalleyGlow(); }, Counted::SinceStart},
    {4, 3, [](float) { ApplyLightMap(); }, Counted::SinceStart},
    // The N1 limits from the previous frame's altitude.
    {1, 0,
     [](float) {
         ComputeN1Limits(snapshot.oat, snapshot.indicatedAltitude, snapshot.wingAntiIce,
                         snapshot.engineAntiIce, snapshot.n1Limit, kEngines);
     }},
    {1, 0, [](float) { ReadAirData(); }},
    {1, 0, [](float) { FollowHeadingKnob(); }},
    {1, 0, [](float) { ClampMcpSpeedWritten(); }},
    {1, 0, [](float) { ReadSelectedReceiver(); }},
    {1, 0, [](float) { ClearGlideSlopeAngle(); }},
    {1, 0, [](float) { ReadDeviationRateAndAttitude(); }},
    {1, 0, [](float) { ReadLampTest(); }},
    {1, 0, [](float) { FollowViewChange(); }},
    {1, 0, [](float) { ReadMarkersAndReceiverFlags(); }},
    {1, 0, [](float) { ReadMaxAllowableAltitude(); }},
    {2, 0, [](float) { ReadBarometerAndNav1Course(); }},
    {2, 1, [](float) { ReadNav2CourseAndOilPressure(); }},
    {2, 1, [](float) { UpdateEngineQuantities(kEngines); }},
    {2, 1, [](float) { ReadMapRange(); }},
    {4, 0, [](float) { ReadPanelSettingsAndSimulatorAutopilot(); }},
    {4, 0, [](float) { FollowTransparentPanel(); }},
    {4, 0, [](float) { HoldSimulatorAutopilotOff(); }},
    {4, 0, [](float) { ReadOilTemperature(); }},
    {4, 1, [](float) { ReadDisplayModeAndCabinAltitude(); }},
    // Every frame: the flaps and slats move after the flap ratio.
    {1, 0, [](float) { ReadFlapRatio(); }},
    {4, 2, [](float) { KeepIgnitionOn(); }},
    {8, 0, [](float) { ReadBankLimit(); }},
    {8, 1, [](float) { ReadAntiIceSwitches(); }},
    {8, 2, [](float) { ReadGearDeployment(); }},
    {8, 3, [](float) { ReadPropellerMode(); }},
    {8, 5, [](float) { ReadParkingBrake(); }},
    {8, 5, [](float) { RemoveGroundPowerUnitWhenBrakeReleased(); }},
    {8, 6, [](float) { ReadFirstTenSeconds(); }},
    {8, 7, [](float) { WriteBatteryBack(); }},
    // The aircraft's systems, every frame
    {1, 0, [](float) { ApuUpdate(); }},
    {1, 0, ElectricalStep},
    {1, 0, [](float) { FollowInstrumentBrightness(); }},
    {1, 0, [](float) { UpdateEngineGeneratorSources(); }},
    {1, 0, [](float) { EngineStartStep(); }},
    {1, 0, [](float) { WriteNavSource(); }},
    {1, 0, [](float) { EngineAnimationStep(0); }},
    {1, 0, [](float) { EngineAnimationStep(1); }},
    // The flight controls before autoflight, which reads them.
    {1, 0, StepAileronsAndSpoilers},
    {1, 0, StepFlapsAndSlats},
    {1, 0, UpdateFlightPhase},
    {1, 0, [](float) { TrackFlightPlan(); }},
    {1, 0, [](float) { AutoflightStep(); }},
    {1, 0, RefuellingStep},
    {1, 0, FuelTankAndPumpStep},
    {1, 0, FuelFlowStep},
    {1, 0, AuxTankStep},
    {1, 0, [](float) { FuelMassWriteBack(); }},
    {1, 0, StepWingFlex},
    {1, 0, StepWipers},
};

unsigned framesSinceStart = 0;
unsigned framesSinceBind = 0;

}  // namespace

void RunFrame() {
    for (const FrameRow& row : kFrame) {
        const unsigned frames =
            row.counted == Counted::SinceStart ? framesSinceStart : framesSinceBind;
        if (frames % row.every == row.slot) row.step(snapshot.now);
    }
    ++framesSinceStart;
    ++framesSinceBind;
}

void RestartFrameRotation() { framesSinceBind = 0; }

}  // namespace quil
