#include "platform/windowsystem.h"

#include <gtest/gtest.h>

using ombrix::platform::prefersX11;
using ombrix::platform::WindowSystemEnvironment;

namespace {

struct ChoiceCase {
    const char* name;
    WindowSystemEnvironment
        environment; // QT_QPA_PLATFORM, WAYLAND_DISPLAY, XDG_SESSION_TYPE, DISPLAY
    bool x11;
};

class WindowSystemChoice : public testing::TestWithParam<ChoiceCase> {};

TEST_P(WindowSystemChoice, UsesTheXServerOfAWaylandSessionUnlessTheUserChose) {
    EXPECT_EQ(prefersX11(GetParam().environment), GetParam().x11);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, WindowSystemChoice,
    testing::Values(ChoiceCase{"WaylandWithXWayland", {"", "wayland-0", "", ":0"}, true},
                    ChoiceCase{"WaylandSessionType", {"", "", "wayland", ":1"}, true},
                    ChoiceCase{"WaylandWithoutXServer", {"", "wayland-0", "wayland", ""}, false},
                    ChoiceCase{"UserChoseWayland", {"wayland", "wayland-0", "", ":0"}, false},
                    ChoiceCase{"UserChoseX11", {"xcb", "wayland-0", "", ":0"}, false},
                    ChoiceCase{"PlainX11Session", {"", "", "x11", ":0"}, false}),
    [](const auto& info) { return info.param.name; });

} // namespace
