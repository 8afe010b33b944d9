// The flight plan as plug-ins read it: entries, the end of the plan and the
// entry being flown to.
#include <gtest/gtest.h>

#include "XPLMNavigation.h"
#include "support/host_fixture.h"

namespace {

class FlightPlan : public quiltest::HostTest {};

TEST_F(FlightPlan, EntriesReadBackAndTheEndReadsAsTypeZero) {
    standin::setFlightPlan({{xplm_Nav_Airport, "EKCH", 17, 17, 55.618f, 12.656f},
                            {xplm_Nav_LatLon, "+55.9_+12.1", 5, 9000, 55.9f, 12.1f},
                            {xplm_Nav_VOR, "KAS", 44, 24000, 55.59f, 11.34f}});
    XPLMNavType type = -1;
    char id[256] = {};
    XPLMNavRef ref = 0;
    int altitude = 0;
    float lat = 0, lon = 0;
    XPLMGetFMSEntryInfo(2, &type, id, &ref, &altitude, &lat, &lon);
    EXPECT_EQ(type, xplm_Nav_VOR);
    EXPECT_STREQ(id, "KAS");
    EXPECT_EQ(ref, 44);
    EXPECT_EQ(altitude, 24000);
    EXPECT_FLOAT_EQ(lon, 11.34f);
    XPLMGetFMSEntryInfo(1, &type, nullptr, &ref, nullptr, nullptr, nullptr);
    EXPECT_EQ(type, xplm_Nav_LatLon);
    EXPECT_EQ(ref, XPLM_NAV_NOT_FOUND) << "lat/lon entries have no navaid";
    for (int past : {3, 99, 100, 5000, -1}) {
        XPLMGetFMSEntryInfo(past, &type, id, nullptr, nullptr, nullptr, nullptr);
        EXPECT_EQ(type, xplm_Nav_Unknown) << "index " << past;
        EXPECT_STREQ(id, "") << "index " << past;
    }
}

TEST_F(FlightPlan, TheDestinationIsWhatWasSetWithinThePlansHundredSlots) {
    EXPECT_EQ(XPLMGetDestinationFMSEntry(), 0);
    XPLMSetDestinationFMSEntry(2);
    EXPECT_EQ(standin::destinationEntry(), 2);
    XPLMSetDestinationFMSEntry(100);
    XPLMSetDestinationFMSEntry(-1);
    EXPECT_EQ(XPLMGetDestinationFMSEntry(), 2);
    std::vector<standin::FmsEntry> longPlan(120, {xplm_Nav_Fix, "FIX", 1, 5000, 55, 12});
    standin::setFlightPlan(longPlan);
    EXPECT_EQ(standin::flightPlan().size(), 100u);
}

}  // namespace
