#pragma once

#include <functional>

// Work that need not delay a program's first appearance on the screen.
namespace ombrix::platform {

// Runs `work` once a window of the program has been painted for the first time, on the turn
// of the event loop after that frame went to the screen; on the next turn when one already
// has. Work queued before the event loop runs (a timer of 0 ms) would run before the window
// is painted: the window's first exposure needs a round trip to the window system, and the
// paint follows it. Where no window is ever painted (none is shown, or nothing exposes it),
// the work runs after a second.
void afterFirstFrame(std::function<void()> work);

} // namespace ombrix::platform
