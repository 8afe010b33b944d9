// The probe's flight loop: how often it runs and with what intervals, the
// writes it makes, the heap allocations it is told to make, and messages to
// another plug-in.
#include <initializer_list>
#include <memory>

#include "XPLMPlugin.h"
#include "XPLMProcessing.h"
#include "probe.h"

namespace {

constexpr int kPingMessage = 0x01000001;
constexpr int kPongMessage = 0x01000002;

ProbeValue loopCalls{"probe/loop_calls"};
ProbeValue loopInterval{"probe/loop_interval"};  // what the loop returns
ProbeValue sinceLastCall{"probe/loop_since_last_call"};
ProbeValue sinceLastLoop{"probe/loop_since_last_loop"};
ProbeValue allocationsPerCall{"probe/allocations_per_call"};
ProbeValue pingTarget{"probe/ping_to"};  // a plug-in id; 0 = none
ProbeValue pongValue{"probe/pong_value"};
ProbeValue messageCount{"probe/message_count"};
ProbeValue lastMessage{"probe/last_message"};
ProbeValue lastSender{"probe/last_sender"};
XPLMDataRef altitudeSelect = nullptr;
XPLMDataRef batteryEquipped = nullptr;
int answer = 0;  // what a pong points at; read by the pinger during delivery

float onFlightLoop(float elapsedSinceLastCall, float elapsedSinceLastLoop, int, void*) {
    ++loopCalls.i;
    sinceLastCall.f = elapsedSinceLastCall;
    sinceLastLoop.f = elapsedSinceLastLoop;
    for (int i = 0; i < allocationsPerCall.i; ++i) {
        auto block = std::make_unique<int[]>(16);
        block[0] = i;
    }
    XPLMSetDataf(altitudeSelect, 1000.0f + loopCalls.i);
    XPLMSetDatai(batteryEquipped, 1);  // the simulator ignores this one
    sampleSimulatorDataRefs();
    if (pingTarget.i != 0) {
        XPLMSendMessageToPlugin(pingTarget.i, kPingMessage, nullptr);
        pingTarget.i = 0;
    }
    return loopInterval.f;
}

}  // namespace

void startProbeProcessing() {
    for (ProbeValue* value : {&loopCalls, &allocationsPerCall, &pingTarget, &pongValue,
                              &messageCount, &lastMessage, &lastSender}) {
        publishInt(*value);
    }
    for (ProbeValue* value : {&loopInterval, &sinceLastCall, &sinceLastLoop}) publishFloat(*value);
    loopInterval.f = -1.0f;
    altitudeSelect = XPLMFindDataRef("sim/cockpit/autopilot/altitude");
    batteryEquipped = XPLMFindDataRef("sim/cockpit/electrical/battery_EQ");
    XPLMRegisterFlightLoopCallback(onFlightLoop, loopInterval.f, nullptr);
}

void stopProbeProcessing() {
    XPLMUnregisterFlightLoopCallback(onFlightLoop, nullptr);
    for (ProbeValue* value : {&loopCalls, &loopInterval, &sinceLastCall, &sinceLastLoop,
                              &allocationsPerCall, &pingTarget, &pongValue, &messageCount,
                              &lastMessage, &lastSender}) {
        withdraw(*value);
    }
}

// A ping is answered at once with a pong whose parameter points into the
// answering probe's memory: valid only while the delivery lasts.
void probeReceiveMessage(int from, int message, void* param) {
    ++messageCount.i;
    lastMessage.i = message;
    lastSender.i = from;
    if (message == kPingMessage) {
        answer = 4200 + XPLMGetMyID();
        XPLMSendMessageToPlugin(from, kPongMessage, &answer);
    } else if (message == kPongMessage && param != nullptr) {
        pongValue.i = *static_cast<const int*>(param);
    }
}
