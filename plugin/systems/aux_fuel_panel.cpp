// The auxiliary fuel control panel's two message lists: the flight list
// (A) and the ground list (B), evaluated every 2 s, walked with the list
// keys and brought back every 15 minutes while a message stands.
#include <cmath>
#include <cstring>

#include "sim/snapshot.h"
#include "systems/air_ground.h"
#include "systems/fuel.h"
#include "systems/fuel_inputs.h"
#include "systems/fuel_model.h"

namespace quil {
namespace {

constexpr float kEvaluationSeconds = 2.0f;
constexpr float kReAlertSeconds = 900.0f;
constexpr float kLowTankPressure = 4.5f;  // psi
constexpr float kLowAuxQuantity = 20.0f;  // kg
constexpr int kLineLength = 8;

using MessageCondition = bool (*)();

// Each row: its two lines, and when it stands; rows without a condition
// never do.
struct MessageRow {
    const char* line1;
    const char* line2;
    MessageCondition active;
};

const AuxTransfer& aux() { return fuelModel.aux; }
bool forwardSwitchOn() {
    return aux().transferSwitch[kAuxTransferForwardA] || aux().transferSwitch[kAuxTransferForwardB];
}
bool aftSwitchOn() {
    return aux().transferSwitch[kAuxTransferAftA] || aux().transferSwitch[kAuxTransferAftB];
}
template <int n>
bool failed() {
    return snapshot.now > fuelModel.panel.failureTime[n - 1];
}

constexpr MessageRow kListA[kAfcpListARows] = {
    {"NO_DATA_", "________", nullptr},  // no data reaches the panel in this aircraft
    {"AFT_____", "TRANSFER", [] { return aux().transferring[1]; }},
    {"FORWARD_", "TRANSFER", [] { return aux().transferring[0]; }},
    {"AFT_A___", "OVERFILL", nullptr},
    {"AFT_B___", "OVERFILL", nullptr},
    {"FWD_A___", "OVERFILL", nullptr},
    {"FWD_B___", "OVERFILL", nullptr},
    {"AFT_LOW_", "PRESSURE", [] { return aux().differentialPressure[1] < kLowTankPressure; }},
    {"FWD_LOW_", "PRESSURE", [] { return aux().differentialPressure[0] < kLowTankPressure; }},
    {"TRANSFER", "OFF_____", [] { return !forwardSwitchOn() && !aftSwitchOn(); }},
    {"TRANSFER", "OFF_FWD_", [] { return !forwardSwitchOn() && aftSwitchOn(); }},
    {"TRANSFER", "OFF_AFT_", [] { return forwardSwitchOn() && !aftSwitchOn(); }},
    {"AFT_QTY_", "LOW_____",
     [] { return fuelModel.tanks[kAftAuxTank].quantity <= kLowAuxQuantity; }},
    {"FWD_QTY_", "LOW_____",
     [] { return fuelModel.tanks[kForwardAuxTank].quantity <= kLowAuxQuantity; }},
};

constexpr MessageRow kListB[kAfcpListBRows] = {
    {"CTRL_SYS", "FAIL____", failed<1>},
    {"FWD_CARD", "A_FAIL__", failed<2>},
    {"FWD_CARD", "B_FAIL__", failed<3>},
    {"AFT_CARD", "A_FAIL__", failed<4>},
    {"AFT_CARD", "B_FAIL__", failed<5>},
    {"429_CARD", "FAIL____", failed<6>},
    {"AFT_A___", "TRANSFER", nullptr},
    {"AFT_B___", "TRANSFER", nullptr},
    {"FWD_A___", "TRANSFER", nullptr},
    {"FWD_B___", "TRANSFER", nullptr},
    {"AFT_____", "BLEED___", [] { return aux().pressurised[1]; }},
    {"FORWARD_", "BLEED___", [] { return aux().pressurised[0]; }},
    {"CTR_TANK", "HI_SNSR_", failed<7>},
    {"CTR_TANK", "LO_SNSR_", failed<8>},
    {"AFT_PRES", "SENSOR__", failed<9>},
    {"FWD_PRES", "SENSOR__", failed<10>},
    {"AIR_____", "GROUND__", nullptr},
    {"CTRL_SYS", "CONFIG__", nullptr},
    {"AFT_A___", "VENT____", nullptr},
    {"AFT_B___", "VENT____", nullptr},
    {"FWD_A___", "VENT____", nullptr},
    {"FWD_B___", "VENT____", nullptr},
    {"FWD_B___", "VENT____", nullptr},
    {"FWD_FUEL", "VALVE___", nullptr},
    {"GROUND__", "TRANSFER", [] { return aux().groundTransfer; }},
    {"FUELING_", "IN_PROG_",
     [] {
         return (RefuellingInto(kForwardAuxTank) || RefuellingInto(kAftAuxTank)) &&
                FuelStationDelivering();
     }},
};

struct ListTable {
    const MessageRow* rows;
    int count;
};
const ListTable kLists[2] = {{kListB, kAfcpListBRows}, {kListA, kAfcpListARows}};

// What the panel shows of the current message.
char shownLines[2][kLineLength + 1];

bool validList(int list) { return list == kAfcpListA || list == kAfcpListB; }

// Each row's condition; a message that comes up calls for attention
// and brings its list to the panel.
void evaluate(int list) {
    AfcpList& l = fuelModel.panel.lists[list];
    const ListTable& table = kLists[list];
    for (int row = 0; row < table.count; ++row) {
        const MessageCondition condition = table.rows[row].active;
        const bool active = condition != nullptr && condition();
        if (active && !l.active[row]) {
            l.newMessage = true;
            fuelModel.panel.shownList = list;
        }
        l.active[row] = active;
    }
}

bool anyActive(int list) {
    const AfcpList& l = fuelModel.panel.lists[list];
    for (int row = 0; row < kLists[list].count; ++row) {
        if (l.active[row]) return true;
    }
    return false;
}

// A list left with a standing message calls again.
void reAlert(int list, float now) {
    AfcpList& l = fuelModel.panel.lists[list];
    if (!(now > l.reAlertTime)) return;
    if (!l.newMessage && anyActive(list)) l.newMessage = true;
    l.reAlertTime = now + kReAlertSeconds;
}

// The cursor to the next standing message; past the last row the list is
// read through and quiet for 15 minutes.
void advance(int list, float now) {
    AfcpList& l = fuelModel.panel.lists[list];
    for (int row = l.cursor; row < kLists[list].count; ++row) {
        if (l.active[row]) {
            l.cursor = row + 1;
            return;
        }
    }
    l.cursor = 0;
    l.newMessage = false;
    l.reAlertTime = now + kReAlertSeconds;
}

// A list key shows its list, or walks it.
void nextMessage(int list, float now) {
    if (!std::isfinite(now)) return;
    AuxFuelPanel& panel = fuelModel.panel;
    if (panel.shownList != list) {
        panel.shownList = list;
        if (panel.lists[list].cursor == 0) advance(list, now);
    } else {
        advance(list, now);
    }
    panel.nextEvaluation = now + kEvaluationSeconds;
}

void copyShown(char* out, const char* text) {
    for (int n = 0; n < kLineLength; ++n) out[n] = text[n] == '_' ? ' ' : text[n];
    out[kLineLength] = '\0';
}

}  // namespace

void StepAuxFuelPanel(float now) {
    AuxFuelPanel& panel = fuelModel.panel;
    if (now > panel.nextEvaluation) {
        evaluate(kAfcpListA);
        evaluate(kAfcpListB);
        panel.nextEvaluation = now + kEvaluationSeconds;
    }
    reAlert(kAfcpListA, now);
    reAlert(kAfcpListB, now);
}

void ResetAuxFuelPanel(float now) {
    AuxFuelPanel& panel = fuelModel.panel;
    panel.nextEvaluation = now + kEvaluationSeconds;
    for (AfcpList& list : panel.lists) list.reAlertTime = now + kReAlertSeconds;
}

int AfcpShownList() { return fuelModel.panel.shownList; }

const char* AfcpMessageLine(int line) {
    if (line != 0 && line != 1) return "";
    const int list = fuelModel.panel.shownList;
    const int cursor = fuelModel.panel.lists[list].cursor;
    if (cursor == 0) return "";
    const MessageRow& row = kLists[list].rows[cursor - 1];
    copyShown(shownLines[line], line == 0 ? row.line1 : row.line2);
    return shownLines[line];
}

bool AfcpListAHasMessage() {
    const AfcpList& l = fuelModel.panel.lists[kAfcpListA];
    return (OnGround() || AirborneAtLeast600()) && (l.cursor > 0 || l.newMessage);
}

bool AfcpListBHasMessage() {
    const AfcpList& l = fuelModel.panel.lists[kAfcpListB];
    return OnGround() && (l.cursor > 0 || l.newMessage);
}

void AfcpNextMessageA(float now) { nextMessage(kAfcpListA, now); }
void AfcpNextMessageB(float now) { nextMessage(kAfcpListB, now); }

void AfcpResetCursorA(float now) {
    if (!std::isfinite(now)) return;
    fuelModel.panel.lists[kAfcpListA].cursor = 0;
    advance(kAfcpListA, now);
}

int AfcpCursor(int list) { return validList(list) ? fuelModel.panel.lists[list].cursor : 0; }

}  // namespace quil
