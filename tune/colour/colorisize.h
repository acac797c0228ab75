#pragma once

#include "common/barwindow.h"

#include <QSize>

class QWidget;

// The colour window with a large desktop font: drawn for 9 points, it is drawn as much larger
// as the font is, as far as the area allows, and it lies wholly on the area.
namespace ombrix {

// How much larger than designed a window of the given client size, twips, is drawn on `area`,
// room kept for the window manager's frame and title bar.
double colourWindowTextScale(double widthTwips, double heightTwips, const ScreenSize& area);

// The window's size on `area` for a client drawn `drawn` pixels large: all of it where it fits
// with its frame, else as much as fits, the drawing scrolling inside with the scroll bars
// (`scrollBar` pixels thick) that a cut side needs.
QSize colourWindowSize(QSize drawn, const ScreenSize& area, int scrollBar);

// Puts `window` centred over `parent` (or the area without one), moved as little as it takes
// for it and its frame to lie on the area.
void placeWithinArea(QWidget& window, const QWidget* parent, const ScreenSize& area);

} // namespace ombrix
