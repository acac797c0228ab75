#include "common/barwindow.h"

#include <algorithm>
#include <cmath>

namespace ombrix {

double lowestTop(const BarWindowState& w, ScreenSize screen) {
    const double clearance =
        w.shape == WindowShape::Handle ? bottomClearance : std::max(bottomClearance, w.height);
    return std::max(screen.height - clearance, 0.0);
}

double rightSideStripLeft(std::int32_t storedScreenWidth, ScreenSize screen) {
    return screen.width > storedScreenWidth ? screen.width - storedScreenWidth : 0;
}

void openBar(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen) {
    switch (side) {
    case Side::Left:
        break;
    case Side::Top:
    case Side::Bottom:
        w.left = 0;
        break;
    case Side::Right:
        w.left = rightSideStripLeft(storedScreenWidth, screen);
        break;
    }
    w.width = storedScreenWidth;
    w.shape = WindowShape::WholeBar;
    w.top = std::min(w.top, lowestTop(w, screen));
}

void closeBar(BarWindowState& w, Side side, ScreenSize screen) {
    if (side == Side::Left)
        w.left = 0;
    else if (side == Side::Right)
        w.left = screen.width - handleWidth;
    w.width = handleWidth;
    w.shape = WindowShape::Handle;
    if (side == Side::Bottom)
        w.top = lowestTop(w, screen);
}

void apri(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen) {
    if (w.closed())
        openBar(w, side, storedScreenWidth, screen);
    else
        closeBar(w, side, screen);
}

void dockToSide(BarWindowState& w, Side side, std::int32_t storedScreenWidth, ScreenSize screen) {
    const bool open = w.width == storedScreenWidth;
    w.shape = open ? WindowShape::WholeBar : WindowShape::Handle;
    w.top = std::min(w.top, lowestTop(w, screen));
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
        w.left = open ? rightSideStripLeft(storedScreenWidth, screen) : screen.width - handleWidth;
        break;
    case Side::Bottom:
        w.top = lowestTop(w, screen);
        if (open)
            w.left = 0;
        break;
    }
}

namespace {

void slideVertically(BarWindowState& w, const GrabPoint& grab, double mouseY, ScreenSize screen) {
    const double top = w.top - (grab.y - mouseY);
    if (top < lowestTop(w, screen) && top >= 0)
        w.top = top;
}

void slideHorizontally(BarWindowState& w, const GrabPoint& grab, double mouseX, ScreenSize screen) {
    const double left = w.left - (grab.x - mouseX);
    if (left < screen.width - handleWidth && left >= 0)
        w.left = left;
}

void keepWithinLimits(BarWindowState& w, ScreenSize screen) {
    w.top = std::min(w.top, lowestTop(w, screen));
    if (w.top < 0)
        w.top = 0;
    if (w.left < 0)
        w.left = 0;
}

std::int32_t roundedToInt(double value) {
    return static_cast<std::int32_t>(std::nearbyint(value));
}

} // namespace

void dragStep(BarWindowState& w, GrabPoint& grab, const MouseState& mouse, Side side,
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
                                    : rightSideStripLeft(storedScreenWidth, screen);
            slideVertically(w, grab, mouse.y, screen);
            break;
        case Side::Bottom:
            slideHorizontally(w, grab, mouse.x, screen);
            w.top = lowestTop(w, screen);
            break;
        }
    }
    keepWithinLimits(w, screen);
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

} // namespace ombrix
