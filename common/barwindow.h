#pragma once

#include <cstdint>

// The bar window's geometry as a plain value, and the rules that move it: opening and
// closing, docking to a side, dragging along that side, following a change of screen size,
// and the position restored at start-up. Everything is in twips; the windows apply the result.
// "The screen" of these rules is the area the bar docks to: one monitor's work area, whose
// top-left corner need not be the desktop's. Every rule works inside it as if that corner were
// 0, 0; window places are in desktop coordinates.
namespace ombrix {

// The outline the window is cut to: the round handle, or the union of the key rows.
enum class WindowShape { Handle, WholeBar };

enum class Side : std::int16_t { Left = 1, Top = 2, Right = 3, Bottom = 4 };

inline constexpr double handleWidth = 400;     // the closed bar is exactly this wide
inline constexpr double bottomClearance = 800; // the handle stays this far above the bottom

struct ScreenSize {
    double width = 0; // twips
    double height = 0;
    double left = 0; // the area's top-left corner on the desktop
    double top = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool operator==(const ScreenSize&) const = default;
};

struct BarWindowState {
    double left = 0;
    double top = 0;
    double width = handleWidth;
    double height = 0; // the window's real height: every row of keys lies inside it
    WindowShape shape = WindowShape::Handle;

    bool closed() const { return width == handleWidth; }
};

// The lowest Top the window may have. The handle stays 800 above the screen's bottom; the
// open bar stays at least that high and, when its rows need more, high enough for its whole
// height to lie on the screen (never above the screen's top).
double lowestTop(const BarWindowState& w, ScreenSize screen);

// The open strip's left edge on the right side: flush right when the screen is wider than the
// stored width, else 0.
double rightSideStripLeft(std::int32_t storedScreenWidth, ScreenSize screen);

// Opens the closed bar to the stored screen width, by side, lifting it where its rows would
// reach below the screen.
void openBar(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen);

// Closes the open bar to the handle. On the bottom side the handle goes back to its place
// 800 above the bottom (opening may have lifted the bar); elsewhere Top never changes.
void closeBar(BarWindowState& w, Side side, ScreenSize screen);

// `apri`: opens the closed bar, closes the open one.
void apri(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen);

// Puts the window against its side, as handle or as open strip, within lowestTop.
void dockToSide(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen);

// The mouse as a drag step sees it, in window coordinates (twips).
struct MouseState {
    double x = 0;
    double y = 0;
    bool noButton = true;
    bool leftButtonOnly = false;
};

struct GrabPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
};

// How a window follows a drag on the right side: the bar keeps the handle flush right, the
// setup program's copy always sits at Left 0.
enum class RightSideDrag { FlushRight, AtLeftEdge };

// One mouse move over the window background or the handle: with no button down the grab
// point is taken; with only the left button down the window slides along its side; whatever
// the buttons, the window is then pulled back inside the screen's limits (lowestTop at the
// bottom, 0 at the top and the left, its whole width at the right). The open strip, as wide as
// the screen, does not slide sideways.
void dragStep(BarWindowState& w, GrabPoint& grab, const MouseState& mouse, Side side,
              std::int32_t storedScreenWidth, ScreenSize screen,
              RightSideDrag rightSide = RightSideDrag::FlushRight);

// The first half of the screen-size watch: the stored width, then the width flipped so that
// the `apri` that follows re-applies the previous state at the new size. Returns false, and
// changes nothing, when the screen width is still the stored one.
bool followScreenWidth(BarWindowState& w, std::int32_t& storedScreenWidth, ScreenSize screen);

// The screen width as the programs store it: whole twips.
std::int32_t storedWidthOf(ScreenSize screen);

// The window at start-up from the saved settings: position and width as saved, shaped as the
// handle when exactly 400 wide, then kept on the screen (800 above the bottom, 400 from the
// right) and never above or left of it. Any saved width gives a visible window: one narrower
// than the handle (zero, negative, a fraction of a pixel, not a number) starts closed, one
// wider than the screen starts open as wide as the screen.
BarWindowState restoredWindow(float left, float top, float width, ScreenSize screen);

} // namespace ombrix
