// What the fuel model reads from the models built after it: the refuelling
// station. Until a model provides its own query, the query here answers
// from one record of pending values, which holds each model's neutral value
// and lets tests stand in for the model.
#pragma once

namespace quil {

bool RefuellingInto(int tank);        // refuelling: fuel is being led into tank 0 to 4
bool FuelStationDelivering();         // refuelling: the station delivers pressure

struct PendingFuelInputs {
    bool refuellingInto[5] = {};
    bool stationDelivering = false;
};

extern PendingFuelInputs pendingFuelInputs;

}  // namespace quil
