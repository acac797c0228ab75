#pragma once

#include "common/barwindow.h"

#include <string>
#include <string_view>
#include <vector>

// The area the bar docks to: one monitor's work area, that is its geometry less what the
// desktop's panels reserve on it, and the monitor the user chose by name. Also how a place
// follows the bar from one area to another (a screen change, another scale, another monitor),
// and how it is stored so that it means the same spot at any size. Plain values.
namespace ombrix {

// A rectangle on the X screen, in pixels.
struct PixelRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool empty() const { return width <= 0 || height <= 0; }
    bool operator==(const PixelRect&) const = default;
};

struct Monitor {
    std::string name;
    PixelRect geometry; // device pixels, where the X server puts the monitor
    bool primary = false;
    double scale = 1; // device pixels per logical pixel of the toolkit
};

// What one panel reserves along the edges of the whole X screen, as the freedesktop window
// hints say (_NET_WM_STRUT_PARTIAL): a depth from each edge of the X screen, over a span along
// that edge (first and last pixel). Device pixels.
struct Strut {
    double left = 0, right = 0, top = 0, bottom = 0;
    double leftStartY = 0, leftEndY = 0, rightStartY = 0, rightEndY = 0;
    double topStartX = 0, topEndX = 0, bottomStartX = 0, bottomEndX = 0;
};

// The older hint (_NET_WM_STRUT): depths over the whole length of each edge.
Strut wholeEdgeStrut(double left, double right, double top, double bottom, PixelRect desktop);

// Each monitor's work area in device pixels: its geometry less every strut's band that lies on
// it. `desktop` is the X screen the struts are measured from. With a single monitor the
// desktop's own work area (_NET_WORKAREA, empty when unknown) is taken into account too, for
// desktops that reserve room for panels they draw themselves; with several it is one
// rectangle over all of them and says nothing about any one, so it is not used.
std::vector<PixelRect> workAreas(const std::vector<Monitor>& monitors,
                                 const std::vector<Strut>& struts, PixelRect desktop,
                                 PixelRect desktopWorkArea = {});

// A device-pixel rectangle on the monitor in the toolkit's logical pixels: a monitor keeps its
// top-left corner and is `scale` times smaller.
PixelRect logicalOn(const Monitor& monitor, PixelRect device);

// A logical-pixel rectangle in twips.
ScreenSize twipsOf(PixelRect logical, double twipsPerPixel);

// A monitor's area as the bar sees it.
struct DockScreen {
    std::string name;
    ScreenSize area; // twips
    bool primary = false;
    double scale = 1; // device pixels per logical pixel
};

// The monitors as the bar sees them: each monitor's work area, logical, in twips.
std::vector<DockScreen> dockScreensOf(const std::vector<Monitor>& monitors,
                                      const std::vector<Strut>& struts, PixelRect desktop,
                                      PixelRect desktopWorkArea, double twipsPerPixel);

// The monitor the bar docks to: the one named `chosen`, else the primary, else the first;
// -1 without monitors. A chosen monitor that is gone is only stood in for: it is used again
// as soon as it is back.
int dockedScreen(const std::vector<DockScreen>& screens, std::string_view chosen);

// Dragging the handle across to another monitor: the monitor other than `current` whose area
// holds the pointer (twips on the desktop), else -1.
int screenUnderPointer(const std::vector<DockScreen>& screens, int current, double x, double y);

// The window taken from one area to another keeping its relative place: along each axis the
// handle's room (the area less the handle, less the handle's clearance at the bottom) is
// scaled, so a handle at an edge stays at that edge and one halfway stays halfway. An open
// strip becomes as wide as the new area. Nothing is docked here.
void carryPlace(BarWindowState& w, ScreenSize from, ScreenSize to);

// A screen change while the bar runs: the place carried to the new area, then docked to its
// side there (the open strip across the area, every row inside it).
void followArea(BarWindowState& w, Side side, ScreenSize from, ScreenSize to);

// The bar's place as stored: "left" and "top" in twips from the area's top-left corner,
// "larghezza" as ever, and the area's size when they were stored (0 from settings written
// before the size was kept: the place is then taken as it is).
struct StoredPlace {
    float left = 0;
    float top = 0;
    float width = handleWidth;
    float areaWidth = 0;
    float areaHeight = 0;
};

StoredPlace storedPlaceOf(const BarWindowState& w, ScreenSize area, float storedWidth);

// The place at start-up: carried from the stored area's size into `area`, then kept inside it
// by the start-up's rule (restoredWindow).
BarWindowState restoredPlace(const StoredPlace& stored, ScreenSize area);

} // namespace ombrix
