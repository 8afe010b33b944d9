// The sweep's own tests: the same seed draws the same flights, and a flight
// outside a judgement is reported with its values.
#include <gtest/gtest.h>

#include <string>

#include "family.h"
#include "summary.h"
#include "trace_judging.h"
#include "trace_table.h"

namespace sweep {
namespace {

TEST(Sweep, TheSameSeedDrawsTheSameFlightsAndAnotherSeedOthers) {
    for (const Family* family : {&ilsFamily(), &lnavFamily()}) {
        for (int index : {0, 7, 150}) {
            const GeneratedFlight first = family->draw(49, index, Envelope::Judged);
            const GeneratedFlight again = family->draw(49, index, Envelope::Judged);
            EXPECT_EQ(first.scenario, again.scenario) << family->name << " " << index;
            EXPECT_NE(first.scenario, family->draw(50, index, Envelope::Judged).scenario)
                << family->name << " " << index;
            EXPECT_NE(first.scenario, family->draw(49, index + 1, Envelope::Judged).scenario)
                << family->name << " " << index;
        }
    }
}

// A trace of level flight at 3000 ft, 200 kt, with one row changed.
std::string traceWith(const std::string& changedRow) {
    std::string text =
        "time_s,lat_deg,lon_deg,alt_ft,agl_ft,ias_kt,gs_kt,trk_deg,bank_deg,vs_fpm,nav1_h_dots,"
        "nav1_v_dots,modes\n";
    for (int second = 0; second < 100; ++second)
        text += second == 60 ? changedRow + "\n"
                             : std::to_string(second) +
                                   ",55.0,12.0,3000,2983,200,200,90,0,0,0,0,A/T SPEED ALT-HOLD\n";
    return text;
}

TEST(Sweep, AFlightOutsideAJudgementIsReportedWithItsValues) {
    struct Case {
        const char* row;
        const char* reported;
    };
    const Case cases[] = {
        {"60,55.0,12.0,3000,2983,200,200,90,31.5,0,0,0,A/T SPEED ALT-HOLD",
         "bank beyond its limit (deg) 6.5 > 2 at 60.0 s"},
        {"60,55.0,12.0,3000,2983,188,200,90,0,0,0,0,A/T SPEED ALT-HOLD",
         "speed off the MCP speed (kt) 12 > 10 at 60.0 s"},
        {"60,55.0,12.0,3000,2983,200,200,90,0,0,nan,0,A/T SPEED ALT-HOLD",
         "nav1_h_dots is not finite at 60.0 s"},
    };
    for (const Case& c : cases) {
        TraceTable trace;
        std::string error;
        ASSERT_TRUE(parseTrace(traceWith(c.row), &trace, &error)) << error;
        const Columns columns(trace);
        Verdict verdict;
        if (columns.complete(&verdict)) {
            readBank(columns, 25.0, 2.0, trace.rows(), &verdict);
            readSpeed(columns, {{0.0, 200.0}}, 10.0, 30.0, trace.rows(), 100.0, &verdict);
        }
        EXPECT_FALSE(verdict.passed()) << c.row;
        EXPECT_EQ(verdict.failures(), c.reported) << c.row;

        const std::string table = familyTable(lnavFamily(), {{"lnav-042", "", {verdict, {}}}});
        EXPECT_NE(table.find("1 flights, 0 passed"), std::string::npos) << table;
        EXPECT_NE(table.find("lnav-042"), std::string::npos) << table;
    }
}

TEST(Sweep, AMalformedTraceIsRefusedWithItsRow) {
    TraceTable trace;
    std::string error;
    EXPECT_FALSE(parseTrace("time_s,alt_ft,modes\n1,3000,ALT-HOLD\n2,x,ALT-HOLD\n", &trace, &error));
    EXPECT_EQ(error, "trace row 3: 'x' in alt_ft is no number");
    EXPECT_FALSE(parseTrace("time_s,alt_ft\n1,3000\n", &trace, &error));
}

}  // namespace
}  // namespace sweep
