// The panel mapping: panel units to the drawing and window spaces through
// the simulator's panel extents, back again, the fallback for hosts
// without those extents, and the view type.
#include "render/geometry.h"

#include <gtest/gtest.h>

#include "host/served_aircraft.h"
#include "support/host_fixture.h"

namespace {

constexpr char kPnlLeft[] = "sim/graphics/view/panel_total_pnl_l";
constexpr char kPnlRight[] = "sim/graphics/view/panel_total_pnl_r";
constexpr char kPnlBottom[] = "sim/graphics/view/panel_total_pnl_b";
constexpr char kPnlTop[] = "sim/graphics/view/panel_total_pnl_t";
constexpr char kWinLeft[] = "sim/graphics/view/panel_total_win_l";
constexpr char kWinRight[] = "sim/graphics/view/panel_total_win_r";
constexpr char kWinBottom[] = "sim/graphics/view/panel_total_win_b";
constexpr char kWinTop[] = "sim/graphics/view/panel_total_win_t";
constexpr char kScroll[] = "sim/graphics/misc/current_scroll_pos";

class PanelGeometry : public quiltest::HostTest {
protected:
    void SetUp() override {
        HostTest::SetUp();
        quil::BindSimulatorState();  // reads the window's size, as every load does
        quil::ResetPanelGeometry();
    }
    void setExtents(const char* low, float lowValue, const char* high, float highValue) {
        standin::setFloat(low, lowValue);
        standin::setFloat(high, highValue);
    }
};

TEST_F(PanelGeometry, DrawingSpaceFollowsThePanelExtents) {
    setExtents(kPnlLeft, 100, kPnlRight, 612);   // half scale
    setExtents(kPnlBottom, -50, kPnlTop, 1998);  // double scale
    quil::UpdatePanelGeometry();
    EXPECT_FLOAT_EQ(quil::PanelToDrawX(0), 100);
    EXPECT_FLOAT_EQ(quil::PanelToDrawX(512), 356);
    EXPECT_FLOAT_EQ(quil::PanelToDrawY(0), -50);
    EXPECT_FLOAT_EQ(quil::PanelToDrawY(1024), 1998);
    EXPECT_FLOAT_EQ(quil::DrawToPanelX(356), 512);
    EXPECT_FLOAT_EQ(quil::DrawToPanelY(950), 500);
}

TEST_F(PanelGeometry, WindowSpaceFollowsItsOwnExtents) {
    setExtents(kPnlLeft, 0, kPnlRight, 1024);
    setExtents(kWinLeft, 10, kWinRight, 2058);  // double scale
    setExtents(kWinBottom, 20, kWinTop, 532);   // half scale
    quil::UpdatePanelGeometry();
    EXPECT_FLOAT_EQ(quil::PanelToWindowX(100), 210);
    EXPECT_FLOAT_EQ(quil::PanelToWindowY(100), 70);
    EXPECT_FLOAT_EQ(quil::WindowToPanelX(210), 100);
    EXPECT_FLOAT_EQ(quil::WindowToPanelY(70), 100);
    EXPECT_FLOAT_EQ(quil::WindowScale(), 2);
    EXPECT_FLOAT_EQ(quil::PanelToDrawX(100), 100) << "the drawing space keeps its own";
}

TEST_F(PanelGeometry, EveryUpdateReadsTheExtentsAgain) {
    quil::UpdatePanelGeometry();
    EXPECT_FLOAT_EQ(quil::PanelToDrawX(300), 300);
    setExtents(kPnlLeft, -200, kPnlRight, 824);  // scrolled left
    EXPECT_FLOAT_EQ(quil::PanelToDrawX(300), 300) << "nothing moves between updates";
    quil::UpdatePanelGeometry();
    EXPECT_FLOAT_EQ(quil::PanelToDrawX(300), 100);
}

TEST_F(PanelGeometry, PanelOfNoWidthKeepsTheLastMappingInsteadOfDividingByZero) {
    setExtents(kPnlLeft, 100, kPnlRight, 612);
    quil::UpdatePanelGeometry();
    setExtents(kPnlLeft, 300, kPnlRight, 300);
    quil::UpdatePanelGeometry();
    EXPECT_FLOAT_EQ(quil::DrawToPanelX(356), 512);
}

struct FallbackCase {
    int windowWidth, windowHeight;
    float scroll;
    float originY;  // scroll + window height - (trunc(v * 4/3 * 768/1024) + 255.5)
};

class PanelGeometryFallback : public quiltest::HostTest,
                              public ::testing::WithParamInterface<FallbackCase> {
protected:
    standin::HostConfig config() const override {
        standin::HostConfig config = HostTest::config();
        config.windowWidth = GetParam().windowWidth;
        config.windowHeight = GetParam().windowHeight;
        return config;
    }
    void SetUp() override {
        HostTest::SetUp();
        quil::BindSimulatorState();  // reads the window's size, as every load does
        quil::ResetPanelGeometry();
        standin::markDataRefAbsent(kPnlLeft);
        standin::setFloat(kScroll, GetParam().scroll);
    }
};

TEST_P(PanelGeometryFallback, OneToOneWithTheOffsetFromWindowAndScroll) {
    const FallbackCase& c = GetParam();
    quil::UpdatePanelGeometry();
    EXPECT_FLOAT_EQ(quil::PanelToDrawX(300), 300);
    EXPECT_FLOAT_EQ(quil::PanelToWindowX(300), 300);
    EXPECT_FLOAT_EQ(quil::PanelToDrawY(10), 10 + c.originY);
    EXPECT_FLOAT_EQ(quil::PanelToWindowY(10), 10 + c.originY);
    EXPECT_FLOAT_EQ(quil::WindowToPanelY(10 + c.originY), 10);
    EXPECT_FLOAT_EQ(quil::WindowScale(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    WindowSizes, PanelGeometryFallback,
    ::testing::Values(FallbackCase{1024, 1024, 0, 0.5f},            // v = 768: offset 1023.5
                      FallbackCase{1024, 768, 40, 40 - 255.5f},     // v = 768
                      FallbackCase{1600, 900, 100, 100 - 255.5f},   // 1200 > 900: v = 900
                      FallbackCase{800, 1000, 0, 1000 - 855.5f}));  // v = 600: offset 855.5

TEST_F(PanelGeometry, FallbackTakesTheWindowSizeOfTheFirstUpdateOnly) {
    standin::markDataRefAbsent(kPnlLeft);
    quil::UpdatePanelGeometry();
    standin::setInt("sim/graphics/view/window_height", 500);
    standin::setFloat(kScroll, 30);
    quil::UpdatePanelGeometry();
    EXPECT_FLOAT_EQ(quil::PanelToDrawY(0), 30.5f) << "the scroll follows, the window size not";
}

TEST_F(PanelGeometry, ViewTypeAndExternalViewAreTheSimulators) {
    EXPECT_EQ(quil::GetViewType(), quil::kViewPanel);
    EXPECT_FALSE(quil::IsExternalView());
    standin::setInt("sim/graphics/view/view_type", quil::kViewCabin);
    standin::setInt("sim/graphics/view/view_is_external", 1);
    EXPECT_EQ(quil::GetViewType(), quil::kViewCabin);
    EXPECT_TRUE(quil::IsExternalView());
}

TEST_F(PanelGeometry, SetViewTypeWritesTheSimulatorsViewType) {
    standin::clearWriteLog();
    quil::SetViewType(quil::kViewCabin);
    ASSERT_EQ(standin::writeLog().size(), 1u);
    EXPECT_EQ(standin::writeLog()[0].name, "sim/graphics/view/view_type");
    EXPECT_EQ(standin::writeLog()[0].values, std::vector<double>{quil::kViewCabin});
}

TEST_F(PanelGeometry, ViewDatarefsAreLookedUpOnceOnFirstUse) {
    quil::GetViewType();
    standin::markDataRefAbsent("sim/graphics/view/view_type");
    standin::setInt("sim/graphics/view/view_type", quil::kViewCabin);
    EXPECT_EQ(quil::GetViewType(), quil::kViewCabin) << "the handle found first is kept";
}

TEST_F(PanelGeometry, HostWithoutViewDatarefsReadsZero) {
    standin::markDataRefAbsent("sim/graphics/view/view_type");
    standin::markDataRefAbsent("sim/graphics/view/view_is_external");
    EXPECT_EQ(quil::GetViewType(), 0);
    EXPECT_FALSE(quil::IsExternalView());
    standin::clearWriteLog();
    quil::SetViewType(quil::kViewCabin);
    EXPECT_TRUE(standin::writeLog().empty());
}

}  // namespace
