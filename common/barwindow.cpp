#include "common/barwindow.h"

#include <algorithm>
#include <cmath>

namespace ombrix {

// The rules as told for a screen whose top-left corner is 0, 0. The functions of the header
// move the window into that frame, apply them, and move it back.
namespace {

double lowestTopAtOrigin(const BarWindowState& w, ScreenSize screen) {
    const double clearance =
        w.shape == WindowShape::Handle ? bottomClearance : std::max(bottomClearance, w.height);
    return std::max(screen.height - clearance, 0.0);
}

double stripLeftAtOrigin(std::int32_t storedScreenWidth, ScreenSize screen) {
    return screen.width > storedScreenWidth ? screen.width - storedScreenWidth : 0;
}

void openAtOrigin(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen) {
    switch (side) {
    case Side::Left:
        break;
    case Side::Top:
    case Side::Bottom:
        w.left = 0;
        break;
    case Side::Right:
        w.left = stripLeftAtOrigin(storedScreenWidth, screen);
        break;
    }
    w.width = storedScreenWidth;
    w.shape = WindowShape::WholeBar;
    w.top = std::min(w.top, lowestTopAtOrigin(w, screen));
}

void closeAtOrigin(BarWindowState& w, Side side, ScreenSize screen) {
    if (side == Side::Left)
        w.left = 0;
    else if (side == Side::Right)
        w.left = screen.width - handleWidth;
    w.width = handleWidth;
    w.shape = WindowShape::Handle;
    if (side == Side::Bottom)
        w.top = lowestTopAtOrigin(w, screen);
}

void dockAtOrigin(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen) {
    const bool open = w.width == storedScreenWidth;
    w.shape = open ? WindowShape::WholeBar : WindowShape::Handle;
    w.top = std::min(w.top, lowestTopAtOrigin(w, screen));
    switch (side) {
    case Side::Left:
        w.left = 0;
        break;
    case Side::Top:
        w.top = 0;
        if (open)
            w.left = 0;
        break;
    case Side::Right:
        w.left = open ? stripLeftAtOrigin(storedScreenWidth, screen) : screen.width - handleWidth;
        break;
    case Side::Bottom:
        w.top = lowestTopAtOrigin(w, screen);
        if (open)
            w.left = 0;
        break;
    }
}

void slideVertically(BarWindowState& w, const GrabPoint& grab, double mouseY, ScreenSize screen) {
    const double top = w.top - (grab.y - mouseY);
    if (top < lowestTopAtOrigin(w, screen) && top >= 0)
        w.top = top;
}

// The open strip fills the area's width, so it has no room to slide: a strip pushed
// sideways would carry its keys off the monitor.
void slideHorizontally(BarWindowState& w, const GrabPoint& grab, double mouseX, ScreenSize screen) {
    const double left = w.left - (grab.x - mouseX);
    if (left < screen.width - handleWidth && left >= 0 && left + w.width <= screen.width)
        w.left = left;
}

void keepWithinLimits(BarWindowState& w, ScreenSize screen) {
    w.top = std::min(w.top, lowestTopAtOrigin(w, screen));
    if (w.top < 0)
        w.top = 0;
    w.left = std::min(w.left, std::max(screen.width - std::max(w.width, handleWidth), 0.0));
    if (w.left < 0)
        w.left = 0;
}

std::int32_t roundedToInt(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

void dragAtOrigin(BarWindowState& w, GrabPoint& grab, const MouseState& mouse, Side side,
                  std::int32_t storedScreenWidth, ScreenSize screen, RightSideDrag rightSide) {
    if (mouse.noButton)
        grab = {roundedToInt(mouse.x), roundedToInt(mouse.y)};

    if (mouse.leftButtonOnly) {
        switch (side) {
        case Side::Left:
            w.left = 0;
            slideVertically(w, grab, mouse.y, screen);
            break;
        case Side::Top:
            slideHorizontally(w, grab, mouse.x, screen);
            w.top = 0;
            break;
        case Side::Right:
            if (rightSide == RightSideDrag::AtLeftEdge)
                w.left = 0;
            else
                w.left = w.closed() ? screen.width - handleWidth
                                    : stripLeftAtOrigin(storedScreenWidth, screen);
            slideVertically(w, grab, mouse.y, screen);
            break;
        case Side::Bottom:
            slideHorizontally(w, grab, mouse.x, screen);
            w.top = lowestTopAtOrigin(w, screen);
            break;
        }
    }
    keepWithinLimits(w, screen);
}

BarWindowState restoredAtOrigin(float left, float top, float width, ScreenSize screen) {
    BarWindowState w;
    w.left = left;
    w.top = top;
    const double widest = std::max(static_cast<double>(storedWidthOf(screen)), handleWidth);
    w.width = width >= handleWidth ? std::min(static_cast<double>(width), widest) : handleWidth;
    w.shape = w.closed() ? WindowShape::Handle : WindowShape::WholeBar;
    if (w.top > screen.height - bottomClearance)
        w.top = screen.height - bottomClearance;
    if (w.left > screen.width - handleWidth)
        w.left = screen.width - handleWidth;
    // A position saved on a larger screen arrangement could lie above or left of this one.
    w.top = std::max(w.top, 0.0);
    w.left = std::max(w.left, 0.0);
    return w;
}

// Holds the window in the area's own frame for the life of one rule.
class InArea {
public:
    InArea(BarWindowState& w, ScreenSize area) : w_(w), area_(area) {
        w_.left -= area_.left;
        w_.top -= area_.top;
    }
    ~InArea() {
        w_.left += area_.left;
        w_.top += area_.top;
    }
    InArea(const InArea&) = delete;
    InArea& operator=(const InArea&) = delete;
    ScreenSize size() const { return {area_.width, area_.height}; }

private:
    BarWindowState& w_;
    ScreenSize area_;
};

} // namespace

double lowestTop(const BarWindowState& w, ScreenSize screen) {
    return screen.top + lowestTopAtOrigin(w, screen);
}

double rightSideStripLeft(std::int32_t storedScreenWidth, ScreenSize screen) {
    return screen.left + stripLeftAtOrigin(storedScreenWidth, screen);
}

void openBar(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen) {
    const InArea in(w, screen);
    openAtOrigin(w, side, storedScreenWidth, in.size());
}

void closeBar(BarWindowState& w, Side side, ScreenSize screen) {
    const InArea in(w, screen);
    closeAtOrigin(w, side, in.size());
}

void apri(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen) {
    if (w.closed())
        openBar(w, side, storedScreenWidth, screen);
    else
        closeBar(w, side, screen);
}

void dockToSide(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen) {
    const InArea in(w, screen);
    dockAtOrigin(w, side, storedScreenWidth, in.size());
}

void dragStep(BarWindowState& w, GrabPoint& grab, const MouseState& mouse, Side side,
              std::int32_t storedScreenWidth, ScreenSize screen, RightSideDrag rightSide) {
    const InArea in(w, screen);
    dragAtOrigin(w, grab, mouse, side, storedScreenWidth, in.size(), rightSide);
}

std::int32_t storedWidthOf(ScreenSize screen) {
    return roundedToInt(screen.width);
}

bool followScreenWidth(BarWindowState& w, std::int32_t& storedScreenWidth, ScreenSize screen) {
    const std::int32_t now = storedWidthOf(screen);
    if (now == storedScreenWidth)
        return false;
    storedScreenWidth = now;
    w.width = w.closed() ? now : handleWidth;
    return true;
}

BarWindowState restoredWindow(float left, float top, float width, ScreenSize screen) {
    BarWindowState w = restoredAtOrigin(static_cast<float>(left - screen.left),
                                        static_cast<float>(top - screen.top), width,
                                        {screen.width, screen.height});
    w.left += screen.left;
    w.top += screen.top;
    return w;
}

} // namespace ombrix
