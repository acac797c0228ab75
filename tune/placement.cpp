#include "tune/placement.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace ombrix {

namespace {

EditorPlace placeAtOrigin(ScreenSize screen, double width, double height, const Area& copy) {
    const double left = std::max(0.0, std::floor((screen.width - width) / 2));
    const double centre = std::max(0.0, std::floor((screen.height - height) / 2));
    const auto clear = [&](double top) {
        return top >= 0 && top + height <= screen.height &&
               !Area{left, top, width, height}.meets(copy);
    };
    if (clear(centre))
        return {left, centre, copy.top};
    std::optional<double> best;
    for (const double top : {copy.top - height, copy.top + copy.height}) {
        if (clear(top) && (!best || std::abs(top - centre) < std::abs(*best - centre)))
            best = top;
    }
    if (best)
        return {left, *best, copy.top};
    const double below =
        std::min(std::max(centre, copy.height), std::max(copy.height, screen.height - height));
    return {left, below, 0};
}

} // namespace

EditorPlace placeEditor(ScreenSize area, double width, double height, const Area& copy) {
    const Area copyInArea{copy.left - area.left, copy.top - area.top, copy.width, copy.height};
    const EditorPlace p = placeAtOrigin({area.width, area.height}, width, height, copyInArea);
    return {p.left + area.left, p.top + area.top, p.copyTop + area.top};
}

EditorView editorView(ScreenSize area, double width, double height, double frameWidth,
                      double frameHeight, double copyHeight) {
    const double roomWidth = area.width - frameWidth;
    const double roomHeight = area.height - copyHeight - frameHeight;
    if (width <= roomWidth && height <= roomHeight)
        return {width, height, false};
    // However small the area, enough of the editor shows to scroll through it.
    constexpr double smallest = 3000;
    return {std::min(width, std::max(roomWidth, smallest)),
            std::min(height, std::max(roomHeight, smallest)), true};
}

ScreenSize roomBesideCopy(ScreenSize area, const Area& copy) {
    if (!copy.meets({area.left, area.top, area.width, area.height}))
        return area;
    const double above = std::max(0.0, copy.top - area.top);
    const double below = std::max(0.0, area.bottom() - (copy.top + copy.height));
    if (above >= below)
        return {area.width, above, area.left, area.top};
    return {area.width, below, area.left, area.bottom() - below};
}

bool liesWithin(const Area& window, ScreenSize area) {
    return window.left >= area.left && window.top >= area.top &&
           window.left + window.width <= area.right() &&
           window.top + window.height <= area.bottom();
}

} // namespace ombrix
