// The probe's datarefs of every type, and what it reads of the simulator's.
#include <algorithm>
#include <cstring>

#include "probe.h"

namespace {

constexpr int kArraySize = 4;
constexpr int kTextSize = 16;

ProbeValue readOnly{"probe/read_only"};
ProbeValue floatOfIntRead{"probe/float_of_int"};  // an int dataref read as float
ProbeValue seenBatteryOn{"probe/seen_battery_on"};
float values[kArraySize] = {1.0f, 2.0f, 3.0f, 4.0f};
char text[kTextSize] = "probe";
XPLMDataRef arrayHandle = nullptr;
XPLMDataRef textHandle = nullptr;

int readValues(void*, float* out, int offset, int max) {
    if (out == nullptr) return kArraySize;
    if (offset < 0 || max <= 0 || offset >= kArraySize) return 0;
    const int count = std::min(max, kArraySize - offset);
    std::copy(values + offset, values + offset + count, out);
    return count;
}

void writeValues(void*, float* in, int offset, int count) {
    if (in == nullptr || offset < 0 || count <= 0 || offset >= kArraySize) return;
    std::copy(in, in + std::min(count, kArraySize - offset), values + offset);
}

int readText(void*, void* out, int offset, int max) {
    if (out == nullptr) return kTextSize;
    if (offset < 0 || max <= 0 || offset >= kTextSize) return 0;
    const int count = std::min(max, kTextSize - offset);
    std::memcpy(out, text + offset, count);
    return count;
}

void writeText(void*, void* in, int offset, int length) {
    if (in == nullptr || offset < 0 || length <= 0 || offset >= kTextSize) return;
    std::memcpy(text + offset, in, std::min(length, kTextSize - offset));
}

int readOnlyValue(void*) { return 7; }

}  // namespace

// Looks the simulator's battery switch up and reads it both ways: the host
// converts nothing, so the float read of this int must give 0.
void sampleSimulatorDataRefs() {
    XPLMDataRef battery = XPLMFindDataRef("sim/cockpit/electrical/battery_on");
    seenBatteryOn.i = XPLMGetDatai(battery);
    floatOfIntRead.f = XPLMGetDataf(battery);
}

void startProbeDataRefs() {
    arrayHandle = XPLMRegisterDataAccessor("probe/values", xplmType_FloatArray, 1, nullptr,
                                           nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                           nullptr, readValues, writeValues, nullptr, nullptr,
                                           nullptr, nullptr);
    textHandle = XPLMRegisterDataAccessor("probe/text", xplmType_Data, 1, nullptr, nullptr,
                                          nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                          nullptr, nullptr, readText, writeText, nullptr,
                                          nullptr);
    readOnly.handle = XPLMRegisterDataAccessor("probe/read_only", xplmType_Int, 0,
                                               readOnlyValue, nullptr, nullptr, nullptr,
                                               nullptr, nullptr, nullptr, nullptr, nullptr,
                                               nullptr, nullptr, nullptr, nullptr, nullptr);
    publishFloat(floatOfIntRead);
    publishInt(seenBatteryOn);
}

void stopProbeDataRefs() {
    XPLMUnregisterDataAccessor(arrayHandle);
    XPLMUnregisterDataAccessor(textHandle);
    withdraw(readOnly);
    withdraw(floatOfIntRead);
    withdraw(seenBatteryOn);
}
