#include "common/barwindow.h"
#include "common/layout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

using namespace ombrix;

namespace {

constexpr ScreenSize screen{28800, 16200}; // 1920 x 1080 at 15 twips a pixel
constexpr std::int32_t stored = 28800;

BarWindowState handleAt(double left, double top) {
    return {left, top, handleWidth, 900, WindowShape::Handle};
}
BarWindowState stripAt(double left, double top) {
    return {left, top, stored, 900, WindowShape::WholeBar};
}

struct OpenCase {
    const char* name;
    Side side;
    BarWindowState before;
    ScreenSize screen;
    double left;
    double width;
    double top;
};

class Apri : public testing::TestWithParam<OpenCase> {};

TEST_P(Apri, OpensByItsSideOnTheScreen) {
    const auto& c = GetParam();
    BarWindowState w = c.before;
    apri(w, c.side, stored, c.screen);
    EXPECT_EQ(w.left, c.left);
    EXPECT_EQ(w.width, c.width);
    EXPECT_EQ(w.top, c.top);
    EXPECT_EQ(w.shape, w.closed() ? WindowShape::Handle : WindowShape::WholeBar);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Apri,
    testing::Values(
        OpenCase{"OpenLeftKeepsLeft", Side::Left, handleAt(0, 5000), screen, 0, stored, 5000},
        OpenCase{"OpenTopFromTheMiddle", Side::Top, handleAt(9000, 0), screen, 0, stored, 0},
        OpenCase{"OpenRightSameScreen", Side::Right, handleAt(28400, 5000), screen, 0, stored,
                 5000},
        OpenCase{"OpenRightWiderScreen",
                 Side::Right,
                 handleAt(38000, 5000),
                 {38400, 16200},
                 9600,
                 stored,
                 5000},
        // The 900-twip bar rises until its bottom row is on the screen.
        OpenCase{"OpenBottomRisesToShowItsRows", Side::Bottom, handleAt(7000, 15400), screen, 0,
                 stored, 15300},
        OpenCase{"CloseLeft", Side::Left, stripAt(0, 5000), screen, 0, handleWidth, 5000},
        OpenCase{"CloseTopKeepsLeft", Side::Top, stripAt(300, 0), screen, 300, handleWidth, 0},
        OpenCase{"CloseRightToTheEdge", Side::Right, stripAt(0, 5000), screen, 28400, handleWidth,
                 5000},
        OpenCase{"CloseBottomGoesBackDown", Side::Bottom, stripAt(0, 15300), screen, 0, handleWidth,
                 15400}),
    [](const auto& info) { return info.param.name; });

struct DockCase {
    const char* name;
    Side side;
    BarWindowState before;
    double left;
    double top;
    WindowShape shape;
};

class DockToSide : public testing::TestWithParam<DockCase> {};

TEST_P(DockToSide, PutsHandleOrStripAgainstItsSide) {
    const auto& c = GetParam();
    BarWindowState w = c.before;
    dockToSide(w, c.side, stored, screen);
    EXPECT_EQ(w.left, c.left);
    EXPECT_EQ(w.top, c.top);
    EXPECT_EQ(w.width, c.before.width) << "docking never changes the width";
    EXPECT_EQ(w.shape, c.shape);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DockToSide,
    testing::Values(
        DockCase{"HandleLeft", Side::Left, handleAt(5000, 3000), 0, 3000, WindowShape::Handle},
        DockCase{"HandleTop", Side::Top, handleAt(5000, 3000), 5000, 0, WindowShape::Handle},
        DockCase{"HandleRight", Side::Right, handleAt(5000, 3000), 28400, 3000,
                 WindowShape::Handle},
        DockCase{"HandleBottom", Side::Bottom, handleAt(5000, 3000), 5000, 15400,
                 WindowShape::Handle},
        DockCase{"StripLeft", Side::Left, stripAt(0, 3000), 0, 3000, WindowShape::WholeBar},
        DockCase{"StripTop", Side::Top, stripAt(0, 3000), 0, 0, WindowShape::WholeBar},
        DockCase{"StripRight", Side::Right, stripAt(0, 3000), 0, 3000, WindowShape::WholeBar},
        DockCase{"StripBottom", Side::Bottom, stripAt(0, 3000), 0, 15300, WindowShape::WholeBar},
        DockCase{"TallStripLeftRises", Side::Left, stripAt(0, 15800), 0, 15300,
                 WindowShape::WholeBar},
        // Saved open on a screen of another width: docked as a handle, still that wide.
        DockCase{"OldWidthIsAHandle",
                 Side::Left,
                 {0, 3000, 19200, 900, WindowShape::WholeBar},
                 0,
                 3000,
                 WindowShape::Handle}),
    [](const auto& info) { return info.param.name; });

// A drag: the mouse is first seen with no button at (grabX, grabY), then with the given
// buttons at (x, y), both in window coordinates.
struct DragCase {
    const char* name;
    Side side;
    BarWindowState before;
    double grabX, grabY;
    double x, y;
    bool leftOnly;
    double left, top;
};

class Drag : public testing::TestWithParam<DragCase> {};

TEST_P(Drag, SlidesAlongItsSideWithinTheLimits) {
    const auto& c = GetParam();
    BarWindowState w = c.before;
    GrabPoint grab;
    dragStep(w, grab, {c.grabX, c.grabY, true, false}, c.side, stored, screen);
    dragStep(w, grab, {c.x, c.y, false, c.leftOnly}, c.side, stored, screen);
    EXPECT_EQ(w.left, c.left);
    EXPECT_EQ(w.top, c.top);
    EXPECT_EQ(w.width, c.before.width);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Drag,
    testing::Values(
        DragCase{"LeftDown", Side::Left, handleAt(0, 5000), 200, 200, 200, 1200, true, 0, 6000},
        DragCase{"LeftUp", Side::Left, handleAt(0, 5000), 200, 200, 200, -800, true, 0, 4000},
        DragCase{"LeftSidewaysIgnored", Side::Left, handleAt(0, 5000), 200, 200, 3000, 200, true, 0,
                 5000},
        // A step that would pass the limit is refused whole; the window stays put.
        DragCase{"LeftStopsAboveTheBottom", Side::Left, handleAt(0, 15000), 200, 200, 200, 700,
                 true, 0, 15000},
        DragCase{"LeftJustAboveTheLimit", Side::Left, handleAt(0, 15000), 200, 200, 200, 599, true,
                 0, 15399},
        DragCase{"LeftStopsAtTheTop", Side::Left, handleAt(0, 100), 200, 200, 200, 0, true, 0, 100},
        DragCase{"LeftToTopZero", Side::Left, handleAt(0, 100), 200, 200, 200, 100, true, 0, 0},
        DragCase{"TopRight", Side::Top, handleAt(1000, 0), 200, 200, 1200, 5000, true, 2000, 0},
        DragCase{"TopStopsBeforeTheRightEdge", Side::Top, handleAt(28000, 0), 200, 200, 600, 200,
                 true, 28000, 0},
        // The open strip fills the screen's width: pushed sideways, its keys would leave it.
        DragCase{"OpenTopStripStaysAcross", Side::Top, stripAt(0, 0), 5000, 200, 6000, 200, true, 0,
                 0},
        DragCase{"RightHandleStaysFlush", Side::Right, handleAt(100, 5000), 200, 200, 200, 1200,
                 true, 28400, 6000},
        DragCase{"BottomSideways", Side::Bottom, handleAt(1000, 15400), 200, 200, 700, -900, true,
                 1500, 15400},
        DragCase{"RightButtonDoesNotMove", Side::Left, handleAt(0, 5000), 200, 200, 200, 1200,
                 false, 0, 5000},
        DragCase{"PulledBackOnScreenWhateverTheButtons", Side::Top, handleAt(-500, 20000), 200, 200,
                 200, 200, false, 0, 15400}),
    [](const auto& info) { return info.param.name; });

} // namespace

TEST(Drag, BarCopyOnTheRightSitsAtTheLeftEdge) {
    BarWindowState w = handleAt(28400, 5000);
    GrabPoint grab;
    dragStep(w, grab, {200, 200, true, false}, Side::Right, stored, screen,
             RightSideDrag::AtLeftEdge);
    dragStep(w, grab, {200, 300, false, true}, Side::Right, stored, screen,
             RightSideDrag::AtLeftEdge);
    EXPECT_EQ(w.left, 0);
    EXPECT_EQ(w.top, 5100);
}

TEST(Drag, GrabPointIsRoundedAndKeptWhileAButtonIsDown) {
    BarWindowState w = handleAt(0, 5000);
    GrabPoint grab;
    dragStep(w, grab, {100.4, 200.6, true, false}, Side::Left, stored, screen);
    EXPECT_EQ(grab.x, 100);
    EXPECT_EQ(grab.y, 201);
    dragStep(w, grab, {100, 301, false, true}, Side::Left, stored, screen);
    EXPECT_EQ(grab.y, 201);
    EXPECT_EQ(w.top, 5100);
}

TEST(ScreenWatch, ClosedBarStaysClosedAndRedocks) {
    BarWindowState w = handleAt(28400, 5000);
    std::int32_t width = stored;
    const ScreenSize smaller{19200, 10800};
    ASSERT_TRUE(followScreenWidth(w, width, smaller));
    EXPECT_EQ(width, 19200);
    apri(w, Side::Right, width, smaller);
    EXPECT_TRUE(w.closed());
    EXPECT_EQ(w.left, 18800);
    EXPECT_EQ(w.shape, WindowShape::Handle);
}

TEST(ScreenWatch, OpenBarReopensAtTheNewWidth) {
    BarWindowState w = stripAt(0, 5000);
    std::int32_t width = stored;
    const ScreenSize wider{38400, 21600};
    ASSERT_TRUE(followScreenWidth(w, width, wider));
    apri(w, Side::Left, width, wider);
    EXPECT_EQ(w.width, 38400);
    EXPECT_EQ(w.shape, WindowShape::WholeBar);
}

TEST(ScreenWatch, NothingHappensWhileTheWidthIsTheSame) {
    BarWindowState w = stripAt(0, 5000);
    std::int32_t width = stored;
    EXPECT_FALSE(followScreenWidth(w, width, {28800.4, 9000}));
    EXPECT_EQ(w.width, stored);
}

struct RestoreCase {
    const char* name;
    float left, top, width;
    BarWindowState expected;
};

class Restore : public testing::TestWithParam<RestoreCase> {};

TEST_P(Restore, KeepsTheSavedPlaceOnTheScreen) {
    const auto& c = GetParam();
    const BarWindowState w = restoredWindow(c.left, c.top, c.width, screen);
    EXPECT_EQ(w.left, c.expected.left);
    EXPECT_EQ(w.top, c.expected.top);
    EXPECT_EQ(w.width, c.expected.width);
    EXPECT_EQ(w.shape, c.expected.shape);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, Restore,
    testing::Values(
        RestoreCase{"FirstRun", 0, 8100, 400, {0, 8100, 400, 0, WindowShape::Handle}},
        RestoreCase{"SavedOpen", 0, 3000, 28800, {0, 3000, 28800, 0, WindowShape::WholeBar}},
        RestoreCase{"BelowTheBottom", 0, 20000, 400, {0, 15400, 400, 0, WindowShape::Handle}},
        RestoreCase{
            "BeyondTheRightEdge", 40000, 100, 400, {28400, 100, 400, 0, WindowShape::Handle}},
        RestoreCase{"AboveAndLeftOfTheScreen", -900, -50, 400, {0, 0, 400, 0, WindowShape::Handle}},
        RestoreCase{"ZeroWidthStartsClosed", 0, 100, 0, {0, 100, 400, 0, WindowShape::Handle}},
        RestoreCase{
            "NoPixelWideStartsClosed", 0, 100, 0.001f, {0, 100, 400, 0, WindowShape::Handle}},
        RestoreCase{
            "NotANumberStartsClosed", 0, 100, std::nanf(""), {0, 100, 400, 0, WindowShape::Handle}},
        RestoreCase{"WiderThanTheScreenIsTheScreen",
                    0,
                    100,
                    1e12f,
                    {0, 100, 28800, 0, WindowShape::WholeBar}},
        RestoreCase{"AlmostClosedIsOpen", 0, 100, 401, {0, 100, 401, 0, WindowShape::WholeBar}}),
    [](const auto& info) { return info.param.name; });

// The open bar on every side, for 1 to 128 keys, on a few screens: laid out as the start-up
// does with the handle saved at the bottom, docked, opened, then dragged far down. Every row
// of keys stays inside the window and the window on the screen; closed again, the handle keeps
// its place 800 above the bottom.
struct ScreenCase {
    const char* name;
    ScreenSize size;
};

class OpenBarOnScreen : public testing::TestWithParam<std::tuple<Side, ScreenCase>> {};

TEST_P(OpenBarOnScreen, EveryRowStaysOnTheScreen) {
    const auto [side, screenCase] = GetParam();
    const ScreenSize size = screenCase.size;
    const std::int32_t width = storedWidthOf(size);
    for (int keys = 1; keys <= 128; ++keys) {
        SCOPED_TRACE("keys " + std::to_string(keys));
        BarGeometry rows;
        rows.keys = singleRowKeys(keys);
        rows.windowTop = size.height - bottomClearance;
        rows.windowHeight = 495;
        LayoutInput in;
        in.keyCount = static_cast<float>(keys);
        in.lastKey = keys - 1;
        in.barLength = static_cast<float>(keys * keyPitch + 2020);
        in.screenWidth = width;
        in.screenWidthNow = size.width;
        in.screenHeightNow = size.height;
        layoutRows(barLayout(), in, rows);
        double lowestKey = 0;
        for (const KeyPlace& key : rows.keys)
            lowestKey = std::max(lowestKey, key.top + keySize);
        ASSERT_LE(lowestKey, rows.windowHeight) << "a key lies below the window";

        BarWindowState w{0, rows.windowTop, handleWidth, rows.windowHeight, WindowShape::Handle};
        dockToSide(w, side, width, size);
        apri(w, side, width, size);
        ASSERT_FALSE(w.closed());
        EXPECT_GE(w.top, 0);
        EXPECT_LE(w.top + w.height, size.height) << "opened";

        GrabPoint grab;
        dragStep(w, grab, {200, 200, true, false}, side, width, size);
        for (int step = 0; step < 40; ++step)
            dragStep(w, grab, {200, 200 + 600.0 * step, false, true}, side, width, size);
        EXPECT_GE(w.top, 0);
        EXPECT_LE(w.top + w.height, size.height) << "dragged down";

        apri(w, side, width, size);
        EXPECT_TRUE(w.closed());
        EXPECT_LE(w.top, size.height - bottomClearance) << "closed";
    }
}

INSTANTIATE_TEST_SUITE_P(SidesAndScreens, OpenBarOnScreen,
                         testing::Combine(testing::Values(Side::Left, Side::Top, Side::Right,
                                                          Side::Bottom),
                                          testing::Values(ScreenCase{"s1280x1024", {19200, 15360}},
                                                          ScreenCase{"s1366x768", {20490, 11520}},
                                                          ScreenCase{"s1024x768", {15360, 11520}},
                                                          ScreenCase{"s800x600", {12000, 9000}},
                                                          ScreenCase{"s640x480", {9600, 7200}})),
                         [](const auto& info) {
                             return "Side" +
                                    std::to_string(static_cast<int>(std::get<0>(info.param))) +
                                    std::get<1>(info.param).name;
                         });
