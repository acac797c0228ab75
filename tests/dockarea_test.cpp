#include "common/dockarea.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ombrix;

namespace {

constexpr double t = 15; // twips per pixel at 96 dpi

Strut topStrut(double depth, double from, double to) {
    Strut s;
    s.top = depth;
    s.topStartX = from;
    s.topEndX = to;
    return s;
}
Strut bottomStrut(double depth, double from, double to) {
    Strut s;
    s.bottom = depth;
    s.bottomStartX = from;
    s.bottomEndX = to;
    return s;
}
Strut leftStrut(double depth, double from, double to) {
    Strut s;
    s.left = depth;
    s.leftStartY = from;
    s.leftEndY = to;
    return s;
}
Strut rightStrut(double depth, double from, double to) {
    Strut s;
    s.right = depth;
    s.rightStartY = from;
    s.rightEndY = to;
    return s;
}

struct WorkAreaCase {
    const char* name;
    std::vector<Monitor> monitors;
    std::vector<Strut> struts;
    PixelRect desktop;
    PixelRect desktopWorkArea;
    std::vector<PixelRect> expected;
};

class WorkAreas : public testing::TestWithParam<WorkAreaCase> {};

TEST_P(WorkAreas, EachMonitorLosesOnlyWhatPanelsReserveOnIt) {
    const auto& c = GetParam();
    EXPECT_EQ(workAreas(c.monitors, c.struts, c.desktop, c.desktopWorkArea), c.expected);
}

const Monitor fullHd{"HD", {0, 0, 1920, 1080}, true};

INSTANTIATE_TEST_SUITE_P(
    Rows, WorkAreas,
    testing::Values(
        WorkAreaCase{"TopAndBottomPanels",
                     {fullHd},
                     {topStrut(30, 0, 1919), bottomStrut(48, 0, 1919)},
                     {0, 0, 1920, 1080},
                     {},
                     {{0, 30, 1920, 1002}}},
        WorkAreaCase{"LeftAndRightPanels",
                     {fullHd},
                     {leftStrut(64, 0, 1079), rightStrut(40, 200, 800)},
                     {0, 0, 1920, 1080},
                     {},
                     {{64, 0, 1816, 1080}}},
        // The smaller monitor's bottom panel reserves from the taller desktop's bottom edge.
        WorkAreaCase{"BottomPanelOnTheSmallerMonitorLeftOfThePrimary",
                     {{"A", {0, 0, 1280, 1024}, false}, {"B", {1280, 0, 1920, 1080}, true}},
                     {bottomStrut(104, 0, 1279)},
                     {0, 0, 3200, 1080},
                     {0, 0, 3200, 1080},
                     {{0, 0, 1280, 976}, {1280, 0, 1920, 1080}}},
        WorkAreaCase{"PanelsOnStackedMonitors",
                     {{"A", {0, 0, 1920, 1080}, false}, {"B", {0, 1080, 1920, 1080}, true}},
                     {topStrut(30, 0, 1919), bottomStrut(48, 0, 1919)},
                     {0, 0, 1920, 2160},
                     {},
                     {{0, 30, 1920, 1050}, {0, 1080, 1920, 1032}}},
        WorkAreaCase{"RightPanelOfTheLowerMonitorMissesTheSmallerOneOnTop",
                     {{"A", {0, 0, 1280, 1024}, true}, {"B", {0, 1024, 1920, 1080}, false}},
                     {rightStrut(40, 1024, 2103)},
                     {0, 0, 1920, 2104},
                     {},
                     {{0, 0, 1280, 1024}, {0, 1024, 1880, 1080}}},
        WorkAreaCase{"OlderHintSpansEveryMonitor",
                     {{"A", {0, 0, 1920, 1080}, true}, {"B", {1920, 0, 1280, 1024}, false}},
                     {wholeEdgeStrut(0, 0, 24, 0, {0, 0, 3200, 1080})},
                     {0, 0, 3200, 1080},
                     {},
                     {{0, 24, 1920, 1056}, {1920, 24, 1280, 1000}}},
        WorkAreaCase{"DesktopWorkAreaCountsWithOneMonitor",
                     {fullHd},
                     {},
                     {0, 0, 1920, 1080},
                     {0, 27, 1920, 1053},
                     {{0, 27, 1920, 1053}}},
        WorkAreaCase{"PanelCoveringAllIsIgnored",
                     {fullHd},
                     {topStrut(1080, 0, 1919)},
                     {0, 0, 1920, 1080},
                     {},
                     {{0, 0, 1920, 1080}}}),
    [](const auto& info) { return info.param.name; });

struct ScaleCase {
    const char* name;
    double scale;
    ScreenSize expected;
};

class Scales : public testing::TestWithParam<ScaleCase> {};

// A 4K monitor right of a full-HD primary, a 60-pixel top panel on it.
TEST_P(Scales, AMonitorKeepsItsCornerAndShrinksByItsScale) {
    const auto& c = GetParam();
    const std::vector<Monitor> monitors{fullHd, {"4K", {1920, 0, 3840, 2160}, false, c.scale}};
    const auto screens = dockScreensOf(monitors, {topStrut(60, 1920, 5759)}, {0, 0, 5760, 2160},
                                       {0, 0, 5760, 2160}, t);
    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens[0].area, (ScreenSize{28800, 16200, 0, 0}));
    EXPECT_EQ(screens[1].area, c.expected);
    EXPECT_EQ(screens[1].name, "4K");
}

INSTANTIATE_TEST_SUITE_P(Rows, Scales,
                         testing::Values(ScaleCase{"One", 1, {57600, 31500, 28800, 900}},
                                         ScaleCase{
                                             "OneAndAQuarter", 1.25, {46080, 25200, 28800, 720}},
                                         ScaleCase{"OneAndAHalf", 1.5, {38400, 21000, 28800, 600}},
                                         ScaleCase{"Two", 2, {28800, 15750, 28800, 450}}),
                         [](const auto& info) { return info.param.name; });

// Every rule inside areas that do not start at the desktop's corner: docked, opened, dragged
// far beyond the area, the handle and every row stay inside it, against the side's edge.
struct AreaCase {
    const char* name;
    ScreenSize area;
};

class InsideTheArea : public testing::TestWithParam<AreaCase> {};

void expectInside(const BarWindowState& w, const ScreenSize& a, const std::string& what) {
    EXPECT_GE(w.left, a.left) << what;
    EXPECT_GE(w.top, a.top) << what;
    EXPECT_LE(w.left + w.width, a.right()) << what;
    const double height = w.closed() ? handleWidth : w.height;
    EXPECT_LE(w.top + height, a.bottom()) << what;
}

TEST_P(InsideTheArea, HandleAndRowsNeverLeaveIt) {
    const ScreenSize a = GetParam().area;
    const std::int32_t width = storedWidthOf(a);
    for (const Side side : {Side::Left, Side::Top, Side::Right, Side::Bottom}) {
        const std::string name = "side " + std::to_string(static_cast<int>(side));
        BarWindowState w{a.left + 3000, a.top + 3000, handleWidth, 1400, WindowShape::Handle};
        dockToSide(w, side, width, a);
        expectInside(w, a, name + " docked");
        switch (side) {
        case Side::Left:
            EXPECT_EQ(w.left, a.left);
            break;
        case Side::Top:
            EXPECT_EQ(w.top, a.top);
            break;
        case Side::Right:
            EXPECT_EQ(w.left + handleWidth, a.right());
            break;
        case Side::Bottom:
            EXPECT_EQ(w.top, a.bottom() - bottomClearance);
            break;
        }
        GrabPoint grab;
        dragStep(w, grab, {200, 200, true, false}, side, width, a);
        dragStep(w, grab, {200 + 90000, 200 + 90000, false, true}, side, width, a);
        dragStep(w, grab, {200 - 90000, 200 - 90000, false, true}, side, width, a);
        expectInside(w, a, name + " dragged");
        apri(w, side, width, a);
        EXPECT_EQ(w.left, a.left) << name;
        EXPECT_EQ(w.width, width) << name;
        expectInside(w, a, name + " open");
        dragStep(w, grab, {200 + 90000, 200 + 90000, false, true}, side, width, a);
        expectInside(w, a, name + " open, dragged");
        apri(w, side, width, a);
        expectInside(w, a, name + " closed again");
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, InsideTheArea,
    testing::Values(AreaCase{"FullScreenAtTheCorner", {28800, 16200}},
                    AreaCase{"BelowATopPanel", {28800, 15750, 0, 450}},
                    AreaCase{"AboveABottomPanel", {28800, 15480}},
                    AreaCase{"RightOfALeftPanel", {27840, 16200, 960}},
                    AreaCase{"PrimaryRightOfASmallerMonitor", {28800, 16200, 19200, 0}},
                    AreaCase{"PrimaryBelowAnother", {28800, 16200, 0, 16200}},
                    AreaCase{"SmallerMonitorOnTop", {19200, 15360, 0, 0}},
                    AreaCase{"NegativeCorner", {19200, 14640, -19200, -600}},
                    AreaCase{"HalfScaleOfARightMonitor", {14400, 8100, 28800, 0}}),
    [](const auto& info) { return info.param.name; });

struct FollowCase {
    const char* name;
    Side side;
    BarWindowState before;
    ScreenSize from;
    ScreenSize to;
    double left;
    double top;
    double width;
};

class FollowArea : public testing::TestWithParam<FollowCase> {};

TEST_P(FollowArea, KeepsTheRelativePlaceAlongTheSide) {
    const auto& c = GetParam();
    BarWindowState w = c.before;
    followArea(w, c.side, c.from, c.to);
    EXPECT_EQ(w.left, c.left);
    EXPECT_EQ(w.top, c.top);
    EXPECT_EQ(w.width, c.width);
}

const ScreenSize hd{28800, 16200};

BarWindowState handle(double left, double top) {
    return {left, top, handleWidth, 495, WindowShape::Handle};
}

INSTANTIATE_TEST_SUITE_P(Rows, FollowArea,
                         testing::Values(FollowCase{"BottomHandleAfterAShorterScreen",
                                                    Side::Bottom,
                                                    handle(9000, 17200),
                                                    {28800, 18000},
                                                    hd,
                                                    9000,
                                                    15400,
                                                    handleWidth},
                                         FollowCase{"TopHandleFarRightOnASmallerScreen",
                                                    Side::Top,
                                                    handle(28400, 0),
                                                    hd,
                                                    {19200, 15360},
                                                    18800,
                                                    0,
                                                    handleWidth},
                                         FollowCase{"HalfwayDownStaysHalfwayAtTwiceTheScale",
                                                    Side::Left,
                                                    handle(0, 7700),
                                                    hd,
                                                    {14400, 8100},
                                                    0,
                                                    3650,
                                                    handleWidth},
                                         FollowCase{"MonitorAddedOnTheLeft",
                                                    Side::Right,
                                                    handle(28400, 5000),
                                                    hd,
                                                    {28800, 16200, 19200, 0},
                                                    47600,
                                                    5000,
                                                    handleWidth},
                                         FollowCase{"OpenBottomBarToATinyScreenStaysAtTheBottom",
                                                    Side::Bottom,
                                                    {0, 15705, 28800, 495, WindowShape::WholeBar},
                                                    hd,
                                                    {9600, 7200},
                                                    0,
                                                    6400,
                                                    9600},
                                         FollowCase{"OpenBottomBarBackToTheLargeScreen",
                                                    Side::Bottom,
                                                    {0, 6400, 9600, 495, WindowShape::WholeBar},
                                                    {9600, 7200},
                                                    hd,
                                                    0,
                                                    15400,
                                                    28800},
                                         FollowCase{"PanelAppearsAtTheTop",
                                                    Side::Top,
                                                    handle(9000, 0),
                                                    hd,
                                                    {28800, 15750, 0, 450},
                                                    9000,
                                                    450,
                                                    handleWidth}),
                         [](const auto& info) { return info.param.name; });

struct RestoreCase {
    const char* name;
    StoredPlace stored;
    ScreenSize area;
    double left;
    double top;
    double width;
};

class RestoreInArea : public testing::TestWithParam<RestoreCase> {};

TEST_P(RestoreInArea, TheStoredPlaceMeansTheSameSpotInTheArea) {
    const auto& c = GetParam();
    const BarWindowState w = restoredPlace(c.stored, c.area);
    EXPECT_EQ(w.left, c.left);
    EXPECT_EQ(w.top, c.top);
    EXPECT_EQ(w.width, c.width);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RestoreInArea,
    testing::Values(
        // Settings written before the area's size was kept: taken as they are, in the area.
        RestoreCase{"OlderSettingsAsTheyAre", {0, 5000, 400, 0, 0}, hd, 0, 5000, 400},
        RestoreCase{"OlderSettingsBelowATopPanel",
                    {0, 5000, 400, 0, 0},
                    {28800, 15750, 0, 450},
                    0,
                    5450,
                    400},
        RestoreCase{"HalfwayAtOneIsHalfwayAtTwo",
                    {0, 7700, 400, 28800, 16200},
                    {14400, 8100},
                    0,
                    3650,
                    400},
        RestoreCase{
            "HalfwayAtOneAndAQuarter", {0, 7700, 400, 28800, 16200}, {23040, 12960}, 0, 6080, 400},
        RestoreCase{"HalfwayAtTwoIsHalfwayAtOne", {0, 3650, 400, 14400, 8100}, hd, 0, 7700, 400},
        RestoreCase{
            "OpenStaysOpenAtTheNewWidth", {0, 0, 28800, 28800, 16200}, {19200, 15360}, 0, 0, 19200},
        RestoreCase{"OnAMonitorRightOfThePrimary",
                    {18800, 900, 400, 19200, 15360},
                    {19200, 15360, 28800, 0},
                    47600,
                    900,
                    400},
        RestoreCase{
            "PlaceThatNoLongerFitsIsTakenIn", {40000, 30000, 400, 0, 0}, hd, 28400, 15400, 400}),
    [](const auto& info) { return info.param.name; });

TEST(StoredPlace, IsMeasuredFromTheAreasCorner) {
    const ScreenSize area{19200, 15360, 28800, 450};
    const BarWindowState w{47600, 1350, handleWidth, 495, WindowShape::Handle};
    const StoredPlace s = storedPlaceOf(w, area, 400);
    EXPECT_EQ(s.left, 18800);
    EXPECT_EQ(s.top, 900);
    EXPECT_EQ(s.areaWidth, 19200);
    EXPECT_EQ(s.areaHeight, 15360);
    const BarWindowState back = restoredPlace(s, area);
    EXPECT_EQ(back.left, w.left);
    EXPECT_EQ(back.top, w.top);
}

struct ChoiceCase {
    const char* name;
    std::vector<DockScreen> screens;
    const char* chosen;
    int expected;
};

class MonitorChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(MonitorChoice, TheChosenMonitorElseThePrimary) {
    const auto& c = GetParam();
    EXPECT_EQ(dockedScreen(c.screens, c.chosen), c.expected);
}

const DockScreen leftMonitor{"DP-1", {19200, 15360}, false};
const DockScreen primaryMonitor{"HDMI-1", {28800, 16200, 19200}, true};

INSTANTIATE_TEST_SUITE_P(
    Rows, MonitorChoice,
    testing::Values(ChoiceCase{"NoneChosenPrimaryLast", {leftMonitor, primaryMonitor}, "", 1},
                    ChoiceCase{"NoneChosenPrimaryFirst", {primaryMonitor, leftMonitor}, "", 0},
                    ChoiceCase{"ChosenByName", {leftMonitor, primaryMonitor}, "DP-1", 0},
                    ChoiceCase{"ChosenIsGone", {primaryMonitor}, "DP-1", 0},
                    ChoiceCase{"NoPrimary", {leftMonitor}, "HDMI-1", 0},
                    ChoiceCase{"NoMonitors", {}, "DP-1", -1}),
    [](const auto& info) { return info.param.name; });

TEST(DragAcross, OnlyAnotherMonitorUnderThePointerCounts) {
    const std::vector<DockScreen> screens{leftMonitor, primaryMonitor};
    EXPECT_EQ(screenUnderPointer(screens, 1, 10000, 5000), 0);
    EXPECT_EQ(screenUnderPointer(screens, 0, 10000, 5000), -1) << "still on its own monitor";
    EXPECT_EQ(screenUnderPointer(screens, 1, 10000, 15500), -1) << "below the smaller monitor";
    EXPECT_EQ(screenUnderPointer(screens, 0, 19200, 100), 1) << "the right monitor's first column";
}

} // namespace
