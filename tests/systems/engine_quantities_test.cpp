// The two slowly falling quantities per engine and the scaled N2 that the
// engine display shows, updated by the slow snapshot read.
#include <gtest/gtest.h>

#include "host/served_aircraft.h"
#include "sim/sim_binding.h"
#include "sim/snapshot.h"
#include "support/host_fixture.h"
#include "systems/engine_quantities.h"

namespace {

class EngineQuantities : public quiltest::InProcessTest {
protected:
    void SetUp() override {
        InProcessTest::SetUp();
        standin::setBytes("sim/aircraft/view/acf_author", "Orrin Valdemarsson");
        standin::setBytes("sim/aircraft/view/acf_descrip", "Boeing 737-800");
        ASSERT_EQ(quil::BindSimulatorState(), 1);
    }
    void updateAt(float n2, float seconds) {
        standin::setFloat("sim/flightmodel/engine/ENGN_N2_", n2, 0);
        standin::setFloat("sim/flightmodel/engine/ENGN_N2_", n2, 1);
        quil::snapshot.now = seconds;
        quil::UpdateEngineQuantities(2);
    }
};

TEST_F(EngineQuantities, StartNearNominalAndFallWithRunningTimeAndN2) {
    updateAt(0.0f, 100.0f);
    for (int engine = 0; engine < 2; ++engine) {
        EXPECT_NEAR(quil::EngineOilQuantity(engine), 96.0f, 3.7f / 2.0f + 1e-4f) << engine;
        EXPECT_NEAR(quil::EngineHydraulicQuantity(engine), 94.0f, 4.8f / 2.0f + 1e-4f) << engine;
    }
    const float q1 = quil::EngineOilQuantity(0), q2 = quil::EngineHydraulicQuantity(0);
    updateAt(90.0f, 1100.0f);  // 1000 s at 90 % N2
    EXPECT_NEAR(quil::EngineOilQuantity(0), q1 - 90.0f * 0.000027f * 1000.0f, 1e-3f);
    EXPECT_NEAR(quil::EngineHydraulicQuantity(0), q2 - 0.00027f * 1000.0f, 1e-3f);
    updateAt(90.0f, 500.0f);  // time running backwards consumes nothing
    EXPECT_NEAR(quil::EngineHydraulicQuantity(0), q2 - 0.27f, 1e-3f);
}

TEST_F(EngineQuantities, TheScaledN2ChangesSlopeAtFiftyFivePercent) {
    const struct {
        float n2, expected;
    } cases[] = {{30.0f, 2.0f}, {54.9f, 3.66f}, {55.0f, 3.6666667f}, {100.0f, 4.6666667f}};
    for (const auto& c : cases) {
        updateAt(c.n2, 10.0f);
        EXPECT_NEAR(quil::EngineHydraulicPressure(1), c.expected, 1e-4f) << "N2 " << c.n2;
    }
    EXPECT_EQ(quil::EngineHydraulicPressure(2), 0.0f) << "only two engines";
}

}  // namespace
