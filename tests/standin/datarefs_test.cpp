// Datarefs as a plug-in sees them: the simulator's typed variables, with no
// conversion between types, and the ones plug-ins publish.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <vector>

#include "XPLMDataAccess.h"
#include "support/host_fixture.h"

namespace {

using quiltest::HostTest;

class DataRefs : public HostTest {};

TEST_F(DataRefs, SimulatorDataRefsCarryTheSimulatorsOwnTypes) {
    struct Case {
        const char* name;
        XPLMDataTypeID type;
    } cases[] = {
        {"sim/cockpit/electrical/battery_on", xplmType_Int},
        {"sim/flightmodel/position/y_agl", xplmType_Float},
        {"sim/flightmodel/position/latitude", xplmType_Double},
        {"sim/flightmodel/engine/ENGN_N1_", xplmType_FloatArray},
        {"sim/cockpit/electrical/generator_on", xplmType_IntArray},
        {"sim/aircraft/view/acf_tailnum", xplmType_Data},
        {"sim/graphics/settings/transparent_panel", xplmType_Int},
        {"sim/physics/pi", xplmType_Float},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(standin::dataRefTypes(c.name), c.type) << c.name;
    }
    EXPECT_EQ(standin::dataRefTypes("sim/no/such/thing"), xplmType_Unknown);
}

TEST_F(DataRefs, ParkedAircraftDefaultsStandOnTheGroundOnAStandardDay) {
    EXPECT_GT(standin::getFloat("sim/flightmodel/forces/fnrml_gear"), 1000.0f);
    EXPECT_FLOAT_EQ(standin::getFloat("sim/weather/temperature_le_c"), 15.0f);
    EXPECT_FLOAT_EQ(standin::getFloat("sim/weather/barometer_current_inhg"), 29.92f);
    EXPECT_FLOAT_EQ(standin::getFloat("sim/flightmodel/engine/ENGN_N2_", 0), 0.0f);
    EXPECT_GT(standin::getFloat("sim/time/total_running_time_sec"), 0.0f);
    EXPECT_EQ(standin::getInt("sim/graphics/view/view_type"), 1000);
    EXPECT_FLOAT_EQ(standin::getFloat("sim/aircraft/parts/acf_gear_deploy", 2), 1.0f);
}

TEST_F(DataRefs, ReadsOfAnotherTypeGiveZeroWithoutConversion) {
    XPLMDataRef battery = XPLMFindDataRef("sim/cockpit/electrical/battery_on");
    ASSERT_NE(battery, nullptr);
    XPLMSetDatai(battery, 1);
    EXPECT_EQ(XPLMGetDatai(battery), 1);
    EXPECT_EQ(XPLMGetDataf(battery), 0.0f);
    EXPECT_EQ(XPLMGetDatad(battery), 0.0);
    XPLMSetDataf(battery, 0.0f);  // wrong type: nothing happens
    EXPECT_EQ(XPLMGetDatai(battery), 1);
}

TEST_F(DataRefs, AProbePlugInSeesTheSameWithoutConversion) {
    loadProbe();
    standin::setInt("sim/cockpit/electrical/battery_on", 1);
    standin::runFrame();
    EXPECT_EQ(standin::getInt("probe/seen_battery_on"), 1);
    EXPECT_EQ(standin::getFloat("probe/float_of_int"), 0.0f);
}

TEST_F(DataRefs, UnknownAndAbsentNamesGiveNullHandlesThatReadZero) {
    EXPECT_EQ(XPLMFindDataRef("sim/not/a/dataref"), nullptr);
    EXPECT_EQ(XPLMFindDataRef(nullptr), nullptr);
    ASSERT_NE(XPLMFindDataRef("sim/graphics/view/panel_total_pnl_l"), nullptr);
    standin::markDataRefAbsent("sim/graphics/view/panel_total_pnl_l");
    EXPECT_EQ(XPLMFindDataRef("sim/graphics/view/panel_total_pnl_l"), nullptr);
    EXPECT_FALSE(standin::hasDataRef("sim/graphics/view/panel_total_pnl_l"));
    EXPECT_EQ(XPLMGetDataf(nullptr), 0.0f);
    XPLMSetDataf(nullptr, 1.0f);
    // A garbage handle is refused, not followed.
    EXPECT_EQ(XPLMGetDatai(reinterpret_cast<XPLMDataRef>(0x7fff0000)), 0);
}

TEST_F(DataRefs, ArrayReadsAndWritesHonourOffsetCountAndTheEnd) {
    XPLMDataRef n1 = XPLMFindDataRef("sim/flightmodel/engine/ENGN_N1_");
    float values[8] = {10, 11, 12, 13, 14, 15, 16, 17};
    XPLMSetDatavf(n1, values, 0, 8);
    float out[8] = {};
    EXPECT_EQ(XPLMGetDatavf(n1, nullptr, 0, 0), 8) << "a null buffer asks for the size";
    EXPECT_EQ(XPLMGetDatavf(n1, out, 6, 4), 2) << "clipped at the end";
    EXPECT_EQ(out[0], 16.0f);
    EXPECT_EQ(out[1], 17.0f);
    EXPECT_EQ(XPLMGetDatavf(n1, out, 8, 1), 0);
    EXPECT_EQ(XPLMGetDatavf(n1, out, -1, 2), 0);
    float tail[3] = {90, 91, 92};
    XPLMSetDatavf(n1, tail, 6, 3);  // the third value falls off the end
    EXPECT_EQ(standin::getFloat("sim/flightmodel/engine/ENGN_N1_", 5), 15.0f);
    EXPECT_EQ(standin::getFloat("sim/flightmodel/engine/ENGN_N1_", 7), 91.0f);
    int ints[2] = {1, 1};
    XPLMSetDatavi(XPLMFindDataRef("sim/cockpit/engine/igniters_on"), ints, 0, 2);
    EXPECT_EQ(standin::getInt("sim/cockpit/engine/igniters_on", 1), 1);
    EXPECT_EQ(standin::getInt("sim/cockpit/engine/igniters_on", 2), 0);
}

TEST_F(DataRefs, ByteWritesLeaveTheOldTailInPlace) {
    XPLMDataRef tail = XPLMFindDataRef("sim/aircraft/view/acf_tailnum");
    EXPECT_EQ(XPLMGetDatab(tail, nullptr, 0, 0), 40);
    char longer[] = "OY-QLA-LONG";
    XPLMSetDatab(tail, longer, 0, static_cast<int>(std::strlen(longer)));
    char shorter[] = "D-ABC";
    XPLMSetDatab(tail, shorter, 0, 5);
    EXPECT_EQ(standin::getBytes("sim/aircraft/view/acf_tailnum"), "D-ABCA-LONG");
    XPLMSetDatab(tail, shorter, 0, 6);  // with its zero byte
    EXPECT_EQ(standin::getBytes("sim/aircraft/view/acf_tailnum"), "D-ABC");
    char out[4] = {};
    EXPECT_EQ(XPLMGetDatab(tail, out, 38, 4), 2);
}

TEST_F(DataRefs, PlugInWritesAreLoggedWithTheirFrameAndReadOnlyOnesIgnored) {
    const XPLMPluginID probe = loadProbe();
    standin::runFrames(2);
    const int batteryEquipped = standin::getInt("sim/cockpit/electrical/battery_EQ");
    int altitudeWrites = 0;
    for (const standin::DataRefWrite& write : standin::writeLog()) {
        EXPECT_EQ(write.writer, probe);
        if (write.name == "sim/cockpit/autopilot/altitude") {
            ++altitudeWrites;
            EXPECT_TRUE(write.applied);
            EXPECT_EQ(write.values.at(0), 1000.0 + write.frame) << "frame " << write.frame;
        }
        if (write.name == "sim/cockpit/electrical/battery_EQ") {
            EXPECT_FALSE(write.applied);
        }
    }
    EXPECT_EQ(altitudeWrites, 2);
    EXPECT_EQ(batteryEquipped, 0);
    EXPECT_FLOAT_EQ(standin::getFloat("sim/cockpit/autopilot/altitude"), 1002.0f);
    standin::clearWriteLog();
    EXPECT_TRUE(standin::writeLog().empty());
}

// The host reads no more of a plug-in's values than the array takes from
// the offset, however many the count claims, and logs what it read.
TEST_F(DataRefs, ArrayWritesReadAndLogOnlyWhatTheArrayTakes) {
    XPLMDataRef throttles = XPLMFindDataRef("sim/flightmodel/engine/ENGN_thro");
    const int size = XPLMGetDatavf(throttles, nullptr, 0, 0);
    struct Case {
        int offset, count, logged;
    };
    const Case cases[] = {
        {0, size + 64, size}, {size - 2, 1000, 2}, {size, 5, 0}, {-1, 5, 0}, {1, 2, 2},
    };
    for (const Case& c : cases) {
        // Exactly what the array can take from offset 0: more would be read
        // past the end under the address sanitizer.
        std::vector<float> values(static_cast<size_t>(size), 0.5f);
        standin::clearWriteLog();
        XPLMSetDatavf(throttles, values.data(), c.offset, c.count);
        std::vector<int> flags(static_cast<size_t>(size), 1);
        XPLMSetDatavi(XPLMFindDataRef("sim/cockpit/electrical/generator_on"), flags.data(),
                      c.offset, c.count);
        ASSERT_EQ(standin::writeLog().size(), 2u);
        for (const standin::DataRefWrite& write : standin::writeLog())
            EXPECT_EQ(write.values.size(), static_cast<size_t>(c.logged))
                << write.name << " " << c.offset << " " << c.count;
    }
}

// The hostile plug-in is built for Linux only.
#ifndef _WIN32
// A plug-in writing 64 KB every frame: the log keeps its latest writes
// within its bound in bytes.
TEST_F(DataRefs, TheWriteLogStaysWithinItsBytesUnderAFlood) {
    setenv("QUIL_HOSTILE", "flood", 1);
    ASSERT_NE(standin::loadPlugin(QUIL_BUILD_DIR "/hostile/64/lin.xpl"), XPLM_NO_PLUGIN_ID);
    unsetenv("QUIL_HOSTILE");
    standin::runFrames(300);
    size_t bytes = 0;
    for (const standin::DataRefWrite& write : standin::writeLog())
        bytes += write.values.size() * sizeof(double);
    EXPECT_LE(bytes, standin::kWriteLogLimitBytes);
    EXPECT_EQ(standin::writeLog().back().frame, 300);
}
#endif

TEST_F(DataRefs, PublishedDataRefsReachTheOwnersCallbacksAndVanishAtUnload) {
    const XPLMPluginID probe = loadProbe();
    XPLMDataRef values = XPLMFindDataRef("probe/values");
    ASSERT_NE(values, nullptr);
    EXPECT_EQ(standin::dataRefTypes("probe/values"), xplmType_FloatArray);
    EXPECT_EQ(XPLMGetDatavf(values, nullptr, 0, 0), 4);
    float two[2] = {};
    EXPECT_EQ(XPLMGetDatavf(values, two, 2, 5), 2);
    EXPECT_EQ(two[1], 4.0f);
    float update = 9.5f;
    XPLMSetDatavf(values, &update, 0, 1);
    EXPECT_EQ(standin::getFloat("probe/values", 0), 9.5f);
    EXPECT_EQ(XPLMGetDataf(values), 0.0f) << "no float reader was registered";

    XPLMDataRef readOnly = XPLMFindDataRef("probe/read_only");
    XPLMSetDatai(readOnly, 3);
    EXPECT_EQ(XPLMGetDatai(readOnly), 7);

    standin::disablePlugin(probe);
    EXPECT_EQ(XPLMGetDatai(readOnly), 0) << "a disabled owner serves nothing";
    standin::enablePlugin(probe);
    EXPECT_EQ(XPLMGetDatai(readOnly), 7);

    standin::unloadPlugin(probe);
    EXPECT_FALSE(standin::hasDataRef("probe/values"));
    EXPECT_EQ(XPLMGetDatai(readOnly), 0) << "an old handle outlives its owner harmlessly";
}

int fortyTwo(void*) { return 42; }

TEST_F(DataRefs, SimulatorNamesAndNamesInUseCannotBePublished) {
    auto publish = [](const char* name) {
        return XPLMRegisterDataAccessor(name, xplmType_Int, 0, fortyTwo, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                        nullptr, nullptr, nullptr, nullptr, nullptr);
    };
    EXPECT_EQ(publish("sim/cockpit/electrical/battery_on"), nullptr);
    XPLMDataRef mine = publish("test/answer");
    ASSERT_NE(mine, nullptr);
    EXPECT_EQ(publish("test/answer"), nullptr);
    EXPECT_EQ(standin::getInt("test/answer"), 42);
    XPLMUnregisterDataAccessor(mine);
    EXPECT_EQ(XPLMFindDataRef("test/answer"), nullptr);
    EXPECT_EQ(publish("test/answer"), mine) << "a withdrawn name keeps its handle";
}

// A handle's types and whether it is served now, and double writes, which
// reach only a dataref that offers doubles and takes writes.
TEST_F(DataRefs, HandleQueriesAndDoubleWrites) {
    const XPLMPluginID probe = loadProbe();
    struct Case {
        XPLMDataRef handle;
        XPLMDataTypeID types;
        int good;
    };
    const Case cases[] = {
        {XPLMFindDataRef("sim/flightmodel/position/elevation"), xplmType_Double, 1},
        {XPLMFindDataRef("probe/values"), xplmType_FloatArray, 1},
        {nullptr, xplmType_Unknown, 0},
        {reinterpret_cast<XPLMDataRef>(0x7fffffff), xplmType_Unknown, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(XPLMGetDataRefTypes(c.handle), c.types);
        EXPECT_EQ(XPLMIsDataRefGood(c.handle), c.good);
    }
    const XPLMDataRef values = cases[1].handle;
    standin::disablePlugin(probe);
    EXPECT_EQ(XPLMIsDataRefGood(values), 0) << "a disabled owner serves nothing";

    static double stored = 0.0;
    const XPLMDataRef mine = XPLMRegisterDataAccessor(
        "test/double", xplmType_Double, 1, nullptr, nullptr, nullptr, nullptr,
        [](void*) { return stored; }, [](void*, double value) { stored = value; }, nullptr,
        nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
    XPLMSetDatad(mine, 12.5);
    EXPECT_EQ(XPLMGetDatad(mine), 12.5);
    const XPLMDataRef elevation = cases[0].handle;
    const double before = XPLMGetDatad(elevation);
    XPLMSetDatad(elevation, 1000.0);  // read-only
    EXPECT_EQ(XPLMGetDatad(elevation), before);
    EXPECT_FALSE(standin::writeLog().back().applied);
    XPLMSetDatad(XPLMFindDataRef("sim/cockpit/autopilot/altitude"), 1000.0);  // a float
    EXPECT_EQ(standin::getFloat("sim/cockpit/autopilot/altitude"), 10000.0f);
}

TEST_F(DataRefs, HostSideWritesReachReadOnlyVariablesAndConvert) {
    EXPECT_TRUE(standin::setFloat("sim/flightmodel/position/y_agl", 3.042f));
    EXPECT_FLOAT_EQ(standin::getFloat("sim/flightmodel/position/y_agl"), 3.042f);
    EXPECT_TRUE(standin::setFloat("sim/cockpit/radios/nav1_freq_hz", 10950.0f));
    EXPECT_EQ(standin::getInt("sim/cockpit/radios/nav1_freq_hz"), 10950);
    EXPECT_FALSE(standin::setInt("sim/cockpit/engine/igniters_on", 1, 8));
    EXPECT_FALSE(standin::setInt("sim/nothing/here", 1));
}

}  // namespace
