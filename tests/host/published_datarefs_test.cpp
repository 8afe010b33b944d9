// The plug-in's own read-only datarefs, read as the 3D model or any other
// plug-in reads them: every name with its type while the plug-in runs, none
// after it stops; the strobe flash, the position lights, the nine-value
// light arrays and the light combinations; the electrics flags; reads that
// never allocate.
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "XPLMDataAccess.h"
#include "support/host_fixture.h"

namespace {

struct Published {
    const char* name;
    XPLMDataTypeID type;
};

const Published kPublished[] = {
    {"quil/engine/thrustrev_pos_1", xplmType_Float},
    {"quil/engine/thrustrev_pos_2", xplmType_Float},
    {"quil/engine/viblevel_1", xplmType_Float},
    {"quil/engine/viblevel_2", xplmType_Float},
    {"quil/engine/fan_rotation_1", xplmType_Float},
    {"quil/engine/fan_rotation_2", xplmType_Float},
    {"quil/engine/fan_showdetail_1", xplmType_Float},
    {"quil/engine/fan_showdetail_2", xplmType_Float},
    {"quil/engine/spinner_rotation_1", xplmType_Float},
    {"quil/engine/spinner_rotation_2", xplmType_Float},
    {"quil/engine/disk_rotation_1", xplmType_Float},
    {"quil/engine/disk_rotation_2", xplmType_Float},
    {"quil/engine/spinner_showdetail_1", xplmType_Float},
    {"quil/engine/spinner_showdetail_2", xplmType_Float},
    {"quil/wipers/stowage_pos_1", xplmType_Float},
    {"quil/wipers/stowage_pos_2", xplmType_Float},
    {"quil/wipers/wiper_pos_1", xplmType_Float},
    {"quil/wipers/wiper_pos_2", xplmType_Float},
    {"quil/systems/spoilers/spoiler_1_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_2_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_3_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_4_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_5_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_6_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_7_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_8_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_9_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_10_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_11_ext", xplmType_Float},
    {"quil/systems/spoilers/spoiler_12_ext", xplmType_Float},
    {"quil/systems/flaps/le_k1_ext_left", xplmType_Float},
    {"quil/systems/flaps/le_k2_ext_left", xplmType_Float},
    {"quil/systems/flaps/le_1_ext_left", xplmType_Float},
    {"quil/systems/flaps/le_2_ext_left", xplmType_Float},
    {"quil/systems/flaps/le_3_ext_left", xplmType_Float},
    {"quil/systems/flaps/le_4_ext_left", xplmType_Float},
    {"quil/systems/flaps/le_k1_ext_right", xplmType_Float},
    {"quil/systems/flaps/le_k2_ext_right", xplmType_Float},
    {"quil/systems/flaps/le_1_ext_right", xplmType_Float},
    {"quil/systems/flaps/le_2_ext_right", xplmType_Float},
    {"quil/systems/flaps/le_3_ext_right", xplmType_Float},
    {"quil/systems/flaps/le_4_ext_right", xplmType_Float},
    {"quil/systems/flaps/te_ext_all_left", xplmType_Float},
    {"quil/systems/flaps/te_ext_all_right", xplmType_Float},
    {"quil/systems/flaps/te_linear_small_left", xplmType_Float},
    {"quil/systems/flaps/te_linear_small_right", xplmType_Float},
    {"quil/systems/wingflex/leftwing/wingflex1", xplmType_Float},
    {"quil/systems/wingflex/leftwing/wingflex2", xplmType_Float},
    {"quil/systems/wingflex/leftwing/wingflex3", xplmType_Float},
    {"quil/systems/wingflex/leftwing/wingflex4", xplmType_Float},
    {"quil/systems/wingflex/leftwing/wingflex5", xplmType_Float},
    {"quil/systems/wingflex/rightwing/wingflex1", xplmType_Float},
    {"quil/systems/wingflex/rightwing/wingflex2", xplmType_Float},
    {"quil/systems/wingflex/rightwing/wingflex3", xplmType_Float},
    {"quil/systems/wingflex/rightwing/wingflex4", xplmType_Float},
    {"quil/systems/wingflex/rightwing/wingflex5", xplmType_Float},
    {"quil/systems/electrics/swBatBusPowered", xplmType_Int},
    {"quil/systems/electrics/stbyPwrAuto", xplmType_Int},
    {"quil/systems/electrics/xfrBus1Source", xplmType_Int},
    {"quil/systems/electrics/xfrBus2Source", xplmType_Int},
    {"quil/systems/electrics/batteryCharge", xplmType_Float},
    {"quil/systems/apu/fuelFlow", xplmType_Float},
    {"quil/autoflight/flightPhase", xplmType_Int},
    {"quil/systems/exteriorLights/leftStrobe_fv9", xplmType_FloatArray},
    {"quil/systems/exteriorLights/rightStrobe_fv9", xplmType_FloatArray},
    {"quil/systems/exteriorLights/posLights_fv9", xplmType_FloatArray},
    {"quil/systems/exteriorLights/posLights_on", xplmType_Float},
    {"quil/systems/exteriorLights/posOff_StrobeOff", xplmType_Float},
    {"quil/systems/exteriorLights/posOn_StrobeOff", xplmType_Float},
    {"quil/systems/exteriorLights/posOff_StrobeOn", xplmType_Float},
    {"quil/systems/exteriorLights/posOn_StrobeOn", xplmType_Float},
};

constexpr const char* kN2 = "sim/flightmodel/engine/ENGN_N2_";
constexpr const char* kLeftStrobe = "quil/systems/exteriorLights/leftStrobe_fv9";
constexpr const char* kRightStrobe = "quil/systems/exteriorLights/rightStrobe_fv9";
constexpr const char* kPositionLights = "quil/systems/exteriorLights/posLights_fv9";
constexpr const char* kPositionLightsOn = "quil/systems/exteriorLights/posLights_on";
constexpr const char* kPosOffStrobeOff = "quil/systems/exteriorLights/posOff_StrobeOff";
constexpr const char* kPosOnStrobeOff = "quil/systems/exteriorLights/posOn_StrobeOff";
constexpr const char* kPosOffStrobeOn = "quil/systems/exteriorLights/posOff_StrobeOn";
constexpr const char* kPosOnStrobeOn = "quil/systems/exteriorLights/posOn_StrobeOn";
constexpr float kUntouched = -7.0f;

struct LightArray {
    float values[9];
    int returned;
};

class PublishedDataRefs : public quiltest::HostTest {
protected:
    // The engines' N2 before the start decides whether the delayed reset
    // brings the generators on line and with them AC transfer bus 1.
    void start(float n2) {
        standin::setAircraft(quiltest::demoAircraftPath());
        standin::setFloat(kN2, n2, 0);
        standin::setFloat(kN2, n2, 1);
        plugin = load(quiltest::pluginPath());
        standin::runSeconds(2.0);
    }
    void startPowered() { start(60.0f); }
    void startUnpowered() { start(0.0f); }

    XPLMDataRef find(const char* name) {
        XPLMDataRef ref = XPLMFindDataRef(name);
        EXPECT_NE(ref, nullptr) << name;
        return ref;
    }
    float read(const char* name) { return XPLMGetDataf(find(name)); }
    LightArray readLight(const char* name, int count = 9) {
        LightArray light{};
        std::fill(std::begin(light.values), std::end(light.values), kUntouched);
        light.returned = XPLMGetDatavf(find(name), light.values, 0, count);
        return light;
    }
    float brightness(const char* name) { return readLight(name).values[3]; }

    XPLMPluginID plugin = XPLM_NO_PLUGIN_ID;
};

TEST_F(PublishedDataRefs, EveryNameIsPublishedWithItsTypeWhileThePlugInRuns) {
    ASSERT_EQ(std::size(kPublished), 71u);
    startUnpowered();
    for (const Published& p : kPublished) {
        XPLMDataRef ref = XPLMFindDataRef(p.name);
        EXPECT_NE(ref, nullptr) << p.name;
        EXPECT_EQ(standin::dataRefTypes(p.name), p.type) << p.name;
    }
    standin::unloadPlugin(plugin);
    for (const Published& p : kPublished) {
        EXPECT_FALSE(standin::hasDataRef(p.name)) << p.name << " outlives the plug-in";
        EXPECT_EQ(XPLMFindDataRef(p.name), nullptr) << p.name;
    }
}

TEST_F(PublishedDataRefs, NoneTakesAWrite) {
    startPowered();
    standin::clearWriteLog();
    for (const Published& p : kPublished) {
        XPLMDataRef ref = find(p.name);
        float values[9] = {};
        switch (p.type) {
            case xplmType_Int: XPLMSetDatai(ref, 5); break;
            case xplmType_Float: XPLMSetDataf(ref, 5.0f); break;
            default: XPLMSetDatavf(ref, values, 0, 9); break;
        }
    }
    ASSERT_EQ(standin::writeLog().size(), std::size(kPublished));
    for (const standin::DataRefWrite& write : standin::writeLog()) {
        EXPECT_FALSE(write.applied) << write.name;
    }
    EXPECT_NE(read("quil/engine/viblevel_1"), 5.0f);
}

TEST_F(PublishedDataRefs, BatteryAndStandbyFlagsFollowTheElectricalModel) {
    startUnpowered();
    // Cold and dark the battery switch is off and standby power at OFF.
    EXPECT_EQ(XPLMGetDatai(find("quil/systems/electrics/swBatBusPowered")), 0);
    EXPECT_EQ(XPLMGetDatai(find("quil/systems/electrics/stbyPwrAuto")), 0);
    EXPECT_EQ(XPLMGetDatai(find("quil/systems/electrics/xfrBus1Source")), 0);
    EXPECT_EQ(XPLMGetDatai(find("quil/systems/electrics/xfrBus2Source")), 0);
}

// With the engines turning each generator feeds its own transfer bus; the
// battery starts at 95 % charge, the APU burns nothing and the flight,
// standing still, has left the reset's taxi phase for the parked one.
TEST_F(PublishedDataRefs, BusSourcesChargeBurnAndPhaseFollowTheirModels) {
    startPowered();
    EXPECT_EQ(XPLMGetDatai(find("quil/systems/electrics/xfrBus1Source")), 1);
    EXPECT_EQ(XPLMGetDatai(find("quil/systems/electrics/xfrBus2Source")), 2);
    EXPECT_NEAR(read("quil/systems/electrics/batteryCharge"), 0.95f, 0.01f);
    EXPECT_EQ(read("quil/systems/apu/fuelFlow"), 0.0f);
    EXPECT_EQ(XPLMGetDatai(find("quil/autoflight/flightPhase")), 0);
}

TEST_F(PublishedDataRefs, SurfacesAndWipersReadTheirModelsAtRest) {
    startUnpowered();
    for (const Published& p : kPublished) {
        const std::string name = p.name;
        const bool atRest = name.find("/wipers/") != std::string::npos ||
                            name.find("/spoilers/") != std::string::npos ||
                            name.find("/flaps/") != std::string::npos;
        if (atRest) {
            EXPECT_EQ(read(p.name), 0.0f) << p.name;
        }
    }
}

// Read every frame, the strobes are lit for 0.07 s and dark for 1.0 s, both
// together; a read can only see the change at the first frame past it.
TEST_F(PublishedDataRefs, StrobesFlashSeventyMillisecondsEverySecond) {
    startPowered();
    constexpr float kFineFrame = 1.0f / 128.0f;
    standin::setFrameInterval(kFineFrame);
    std::vector<float> edges;  // times of each change, starting dark-to-lit
    bool lit = false;
    for (int frame = 0; frame < 3 * 128 && edges.size() < 5; ++frame) {
        standin::runFrame();
        const LightArray left = readLight(kLeftStrobe);
        const LightArray right = readLight(kRightStrobe);
        ASSERT_EQ(left.values[3], right.values[3]) << "both strobes flash together";
        const bool now = left.values[3] == 1.0f;
        if (!now) {
            ASSERT_EQ(left.values[3], 0.0f);
        }
        if (now != lit && (now || !edges.empty())) edges.push_back(standin::simTime());
        lit = now;
    }
    ASSERT_EQ(edges.size(), 5u);
    for (size_t i = 0; i + 1 < edges.size(); ++i) {
        const bool litSpan = i % 2 == 0;
        const float span = edges[i + 1] - edges[i];
        const float expected = litSpan ? 0.07f : 1.0f;
        EXPECT_GT(span, expected) << (litSpan ? "lit" : "dark") << " span " << i;
        EXPECT_LE(span, expected + kFineFrame + 1e-5f)
            << (litSpan ? "lit" : "dark") << " span " << i;
    }
}

TEST_F(PublishedDataRefs, StrobeTurnsOnPastTheDarkEndAndOffPastSeventyMilliseconds) {
    startPowered();
    standin::setFrameInterval(0.01f);
    // Find the read that ends a flash: the dark second starts there.
    bool wasLit = false;
    for (int frame = 0; frame < 300; ++frame) {
        standin::runFrame();
        const bool lit = brightness(kLeftStrobe) == 1.0f;
        if (wasLit && !lit) break;
        wasLit = lit;
    }
    ASSERT_TRUE(wasLit);
    standin::setFrameInterval(0.999f);
    standin::runFrame();
    EXPECT_EQ(brightness(kRightStrobe), 0.0f) << "still inside the dark second";
    standin::setFrameInterval(0.002f);
    standin::runFrame();
    EXPECT_EQ(brightness(kRightStrobe), 1.0f) << "0.001 s past its end";
    standin::setFrameInterval(0.05f);
    standin::runFrame();
    EXPECT_EQ(brightness(kLeftStrobe), 1.0f) << "0.05 s into the flash";
    standin::setFrameInterval(0.03f);
    standin::runFrame();
    EXPECT_EQ(brightness(kLeftStrobe), 0.0f) << "0.08 s into the flash";
}

TEST_F(PublishedDataRefs, LightArraysSetOnlyTheBrightness) {
    startPowered();
    const LightArray position = readLight(kPositionLights);
    EXPECT_EQ(position.returned, 9);
    EXPECT_GE(position.values[3], 1.0f) << "the bus voltage ratio, never below 1";
    EXPECT_LT(position.values[3], 1.2f);
    for (int i = 0; i < 9; ++i) {
        if (i != 3) {
            EXPECT_EQ(position.values[i], kUntouched) << "element " << i;
        }
    }
    const LightArray strobe = readLight(kLeftStrobe);
    EXPECT_EQ(strobe.returned, 9);
    for (int i = 0; i < 9; ++i) {
        if (i != 3) {
            EXPECT_EQ(strobe.values[i], kUntouched) << "element " << i;
        }
    }
    EXPECT_EQ(read(kPositionLightsOn), 1.0f);
}

TEST_F(PublishedDataRefs, ShortLightReadWritesNothingAndReturnsItsCount) {
    startPowered();
    for (const char* name : {kLeftStrobe, kRightStrobe, kPositionLights}) {
        const LightArray light = readLight(name, 8);
        EXPECT_EQ(light.returned, 8) << name;
        for (float value : light.values) EXPECT_EQ(value, kUntouched) << name;
        EXPECT_EQ(readLight(name, 12).returned, 12) << name << ": a longer count comes back too";
    }
}

TEST_F(PublishedDataRefs, LightReadWithoutAnArrayGivesTheSizeNine) {
    startPowered();
    for (const char* name : {kLeftStrobe, kRightStrobe, kPositionLights}) {
        EXPECT_EQ(XPLMGetDatavf(find(name), nullptr, 0, 0), 9) << name;
        EXPECT_EQ(XPLMGetDatavf(find(name), nullptr, 0, 4), 9) << name;
    }
}

TEST_F(PublishedDataRefs, ExactlyOneLightCombinationHoldsAndFollowsTheStrobe) {
    startPowered();
    int litFrames = 0, darkFrames = 0;
    for (int frame = 0; frame < 90; ++frame) {
        standin::runFrame();
        const bool strobe = brightness(kLeftStrobe) == 1.0f;
        (strobe ? litFrames : darkFrames)++;
        EXPECT_EQ(read(kPosOnStrobeOn), strobe ? 1.0f : 0.0f) << "frame " << frame;
        EXPECT_EQ(read(kPosOnStrobeOff), strobe ? 0.0f : 1.0f) << "frame " << frame;
        EXPECT_EQ(read(kPosOffStrobeOn), 0.0f) << "frame " << frame;
        EXPECT_EQ(read(kPosOffStrobeOff), 0.0f) << "frame " << frame;
    }
    EXPECT_GT(litFrames, 0);
    EXPECT_GT(darkFrames, litFrames);
}

TEST_F(PublishedDataRefs, WithoutAcBusOneEveryLightIsDarkAndOnlyPosOffStrobeOffHolds) {
    startUnpowered();
    for (int frame = 0; frame < 45; ++frame) {  // longer than a whole flash cycle
        standin::runFrame();
        for (const char* name : {kLeftStrobe, kRightStrobe, kPositionLights}) {
            EXPECT_EQ(brightness(name), 0.0f) << name << ", frame " << frame;
        }
        EXPECT_EQ(read(kPositionLightsOn), 0.0f) << "frame " << frame;
        EXPECT_EQ(read(kPosOnStrobeOn), 0.0f) << "frame " << frame;
        EXPECT_EQ(read(kPosOnStrobeOff), 0.0f) << "frame " << frame;
        EXPECT_EQ(read(kPosOffStrobeOn), 0.0f) << "frame " << frame;
        EXPECT_EQ(read(kPosOffStrobeOff), 1.0f) << "frame " << frame;
    }
}

TEST_F(PublishedDataRefs, ReadingAllOfThemEveryFrameAllocatesNothing) {
    startPowered();
    std::vector<XPLMDataRef> refs;
    for (const Published& p : kPublished) refs.push_back(find(p.name));
    long allocations = 0;
    float light[9];
    for (int frame = 0; frame < 300; ++frame) {
        standin::runFrame();
        const long before = standin::totalCounts().allocations;
        for (size_t i = 0; i < refs.size(); ++i) {
            switch (kPublished[i].type) {
                case xplmType_Int: XPLMGetDatai(refs[i]); break;
                case xplmType_Float: XPLMGetDataf(refs[i]); break;
                default: XPLMGetDatavf(refs[i], light, 0, 9); break;
            }
        }
        allocations += standin::totalCounts().allocations - before;
    }
    EXPECT_EQ(allocations, 0);
}

}  // namespace
