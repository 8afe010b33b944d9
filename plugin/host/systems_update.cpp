#include "host/systems_update.h"

#include "autoflight/lateral.h"
#include "autoflight/modes.h"
#include "autoflight/phases.h"
#include "host/snapshot_read.h"
#include "instruments/display_power.h"
#include "sim/snapshot.h"
#include "systems/apu.h"
#include "systems/electrical.h"
#include "systems/engines.h"
#include "systems/flight_controls.h"
#include "systems/fuel.h"
#include "systems/refuelling.h"
#include "systems/wipers.h"

namespace quil {

void UpdateSystems(float now) {
    ReadSnapshot();
    ReadSnapshotSlow();
    ApuUpdate();
    ElectricalStep(now);
    FollowInstrumentBrightness();
    UpdateEngineGeneratorSources();
    EngineStartStep();
    WriteNavSource();
    EngineAnimationStep(0);
    EngineAnimationStep(1);
    StepAileronsAndSpoilers(now);
    StepFlapsAndSlats(now);
    UpdateFlightPhase(now);
    TrackFlightPlan();
    AutoflightStep();
    RefuellingStep(now);
    FuelTankAndPumpStep(now);
    FuelFlowStep(now);
    AuxTankStep(now);
    FuelMassWriteBack();
    StepWingFlex(now);
    StepWipers(now);
}

}  // namespace quil
