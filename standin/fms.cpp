// The simulator's flight plan: up to 100 entries and the one being flown to.
#include <algorithm>
#include <string>
#include <vector>

#include "XPLMNavigation.h"
#include "standin/internal.h"
#include "standin/standin.h"

namespace standin::detail {
namespace {

constexpr int kMaxEntries = 100;
constexpr size_t kIdBufferSize = 256;

std::vector<FmsEntry> entries;
int destination = 0;

}  // namespace

void resetFms() {
    entries.clear();
    destination = 0;
}

const std::vector<FmsEntry>& flightPlanEntries() { return entries; }

}  // namespace standin::detail

using namespace standin::detail;

namespace standin {

void setFlightPlan(const std::vector<FmsEntry>& plan) {
    entries.assign(plan.begin(), plan.begin() + std::min<size_t>(plan.size(), kMaxEntries));
    if (destination >= static_cast<int>(entries.size())) destination = 0;
}

std::vector<FmsEntry> flightPlan() { return entries; }

void setDestinationEntry(int index) {
    if (index >= 0 && index < kMaxEntries) destination = index;
}

int destinationEntry() { return destination; }

}  // namespace standin

extern "C" {

int XPLMGetDestinationFMSEntry() {
    SdkCall call(SdkFunction::XPLMGetDestinationFMSEntry);
    return call.returns(destination);
}

void XPLMSetDestinationFMSEntry(int index) {
    SdkCall call(SdkFunction::XPLMSetDestinationFMSEntry, index);
    standin::setDestinationEntry(index);
}

// Past the last entry every slot reads as type 0 (unknown), which is how
// plug-ins find the end of the plan.
void XPLMGetFMSEntryInfo(int index, XPLMNavType* outType, char* outId, XPLMNavRef* outRef,
                         int* outAltitude, float* outLat, float* outLon) {
    SdkCall call(SdkFunction::XPLMGetFMSEntryInfo, index);
    const bool inPlan = index >= 0 && index < static_cast<int>(entries.size());
    const standin::FmsEntry entry =
        inPlan ? entries[static_cast<size_t>(index)] : standin::FmsEntry{};
    call.results(entry.type, entry.id, entry.ref, entry.altitude, entry.lat, entry.lon);
    if (outType != nullptr) *outType = entry.type;
    copyText(outId, entry.id, kIdBufferSize);
    if (outRef != nullptr) *outRef = entry.type == xplm_Nav_LatLon ? XPLM_NAV_NOT_FOUND : entry.ref;
    if (outAltitude != nullptr) *outAltitude = entry.altitude;
    if (outLat != nullptr) *outLat = entry.lat;
    if (outLon != nullptr) *outLon = entry.lon;
}

}  // extern "C"
