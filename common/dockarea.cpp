#include "common/dockarea.h"

#include <algorithm>
#include <cmath>

namespace ombrix {
namespace {

// Edges of a rectangle, right and bottom exclusive.
struct Edges {
    double left, top, right, bottom;

    bool meets(const Edges& o) const {
        return left < o.right && o.left < right && top < o.bottom && o.top < bottom;
    }
};

Edges edgesOf(PixelRect r) {
    return {r.left, r.top, r.right(), r.bottom()};
}

PixelRect rectOf(Edges e) {
    return {e.left, e.top, e.right - e.left, e.bottom - e.top};
}

// A span given as first and last pixel; a span of nothing at 0 is read as the whole edge, as
// panels that set only the depths leave it.
void span(double first, double last, double wholeFrom, double wholeTo, double& from, double& to) {
    if (first == 0 && last == 0) {
        from = wholeFrom;
        to = wholeTo;
    } else {
        from = first;
        to = last + 1;
    }
}

void reserveOn(Edges& area, const Edges& monitor, const Strut& s, const Edges& desktop) {
    double from = 0;
    double to = 0;
    if (s.top > 0) {
        span(s.topStartX, s.topEndX, desktop.left, desktop.right, from, to);
        const Edges band{from, desktop.top, to, desktop.top + s.top};
        if (band.meets(monitor))
            area.top = std::max(area.top, band.bottom);
    }
    if (s.bottom > 0) {
        span(s.bottomStartX, s.bottomEndX, desktop.left, desktop.right, from, to);
        const Edges band{from, desktop.bottom - s.bottom, to, desktop.bottom};
        if (band.meets(monitor))
            area.bottom = std::min(area.bottom, band.top);
    }
    if (s.left > 0) {
        span(s.leftStartY, s.leftEndY, desktop.top, desktop.bottom, from, to);
        const Edges band{desktop.left, from, desktop.left + s.left, to};
        if (band.meets(monitor))
            area.left = std::max(area.left, band.right);
    }
    if (s.right > 0) {
        span(s.rightStartY, s.rightEndY, desktop.top, desktop.bottom, from, to);
        const Edges band{desktop.right - s.right, from, desktop.right, to};
        if (band.meets(monitor))
            area.right = std::min(area.right, band.left);
    }
}

double fractionOf(double offset, double room) {
    return room > 0 ? std::clamp(offset / room, 0.0, 1.0) : 0.0;
}

} // namespace

Strut wholeEdgeStrut(double left, double right, double top, double bottom, PixelRect desktop) {
    Strut s;
    s.left = left;
    s.right = right;
    s.top = top;
    s.bottom = bottom;
    s.leftStartY = s.rightStartY = desktop.top;
    s.leftEndY = s.rightEndY = desktop.bottom() - 1;
    s.topStartX = s.bottomStartX = desktop.left;
    s.topEndX = s.bottomEndX = desktop.right() - 1;
    return s;
}

std::vector<PixelRect> workAreas(const std::vector<Monitor>& monitors,
                                 const std::vector<Strut>& struts, PixelRect desktop,
                                 PixelRect desktopWorkArea) {
    std::vector<PixelRect> areas;
    const Edges whole = edgesOf(desktop);
    for (const Monitor& m : monitors) {
        const Edges monitor = edgesOf(m.geometry);
        Edges area = monitor;
        for (const Strut& s : struts)
            reserveOn(area, monitor, s, whole);
        if (monitors.size() == 1 && !desktopWorkArea.empty()) {
            const Edges work = edgesOf(desktopWorkArea);
            if (work.meets(monitor)) {
                area.left = std::max(area.left, work.left);
                area.top = std::max(area.top, work.top);
                area.right = std::min(area.right, work.right);
                area.bottom = std::min(area.bottom, work.bottom);
            }
        }
        // Panels that leave nothing of a monitor are taken for a mistake: the bar stays usable.
        const PixelRect result = rectOf(area);
        areas.push_back(result.empty() ? m.geometry : result);
    }
    return areas;
}

PixelRect logicalOn(const Monitor& monitor, PixelRect device) {
    const double scale = monitor.scale > 0 ? monitor.scale : 1;
    const double x0 = monitor.geometry.left;
    const double y0 = monitor.geometry.top;
    return {x0 + (device.left - x0) / scale, y0 + (device.top - y0) / scale, device.width / scale,
            device.height / scale};
}

ScreenSize twipsOf(PixelRect logical, double twipsPerPixel) {
    return {logical.width * twipsPerPixel, logical.height * twipsPerPixel,
            logical.left * twipsPerPixel, logical.top * twipsPerPixel};
}

std::vector<DockScreen> dockScreensOf(const std::vector<Monitor>& monitors,
                                      const std::vector<Strut>& struts, PixelRect desktop,
                                      PixelRect desktopWorkArea, double twipsPerPixel) {
    const std::vector<PixelRect> areas = workAreas(monitors, struts, desktop, desktopWorkArea);
    std::vector<DockScreen> screens;
    for (std::size_t i = 0; i < monitors.size(); ++i) {
        const Monitor& m = monitors[i];
        screens.push_back(
            {m.name, twipsOf(logicalOn(m, areas[i]), twipsPerPixel), m.primary, m.scale});
    }
    return screens;
}

int dockedScreen(const std::vector<DockScreen>& screens, std::string_view chosen) {
    if (screens.empty())
        return -1;
    const auto index = [&](auto found) { return static_cast<int>(found - screens.begin()); };
    if (!chosen.empty()) {
        const auto named = std::find_if(screens.begin(), screens.end(),
                                        [&](const DockScreen& s) { return s.name == chosen; });
        if (named != screens.end())
            return index(named);
    }
    const auto primary =
        std::find_if(screens.begin(), screens.end(), [](const DockScreen& s) { return s.primary; });
    return primary != screens.end() ? index(primary) : 0;
}

int screenUnderPointer(const std::vector<DockScreen>& screens, int current, double x, double y) {
    for (int i = 0; i < static_cast<int>(screens.size()); ++i) {
        const ScreenSize& a = screens[static_cast<std::size_t>(i)].area;
        if (i != current && x >= a.left && x < a.right() && y >= a.top && y < a.bottom())
            return i;
    }
    return -1;
}

void carryPlace(BarWindowState& w, ScreenSize from, ScreenSize to) {
    const double across = fractionOf(w.left - from.left, from.width - handleWidth);
    const double down = fractionOf(w.top - from.top, from.height - bottomClearance);
    w.left = to.left + std::round(across * std::max(to.width - handleWidth, 0.0));
    w.top = to.top + std::round(down * std::max(to.height - bottomClearance, 0.0));
    if (!w.closed() && w.width == storedWidthOf(from))
        w.width = storedWidthOf(to);
}

void followArea(BarWindowState& w, Side side, ScreenSize from, ScreenSize to) {
    carryPlace(w, from, to);
    dockToSide(w, side, storedWidthOf(to), to);
}

StoredPlace storedPlaceOf(const BarWindowState& w, ScreenSize area, float storedWidth) {
    return {static_cast<float>(w.left - area.left), static_cast<float>(w.top - area.top),
            storedWidth, static_cast<float>(area.width), static_cast<float>(area.height)};
}

BarWindowState restoredPlace(const StoredPlace& stored, ScreenSize area) {
    if (!(stored.areaWidth > 0 && stored.areaHeight > 0))
        return restoredWindow(static_cast<float>(stored.left + area.left),
                              static_cast<float>(stored.top + area.top), stored.width, area);
    const ScreenSize was{stored.areaWidth, stored.areaHeight};
    BarWindowState w = restoredWindow(stored.left, stored.top, stored.width, was);
    carryPlace(w, was, area);
    return restoredWindow(static_cast<float>(w.left), static_cast<float>(w.top),
                          static_cast<float>(w.width), area);
}

} // namespace ombrix
