#pragma once

#include "common/barwindow.h"

#include <QRect>

// The screen in twips, and twips to pixels: a window at L, T, W, H twips sits at
// round(L/t), round(T/t), round(W/t), round(H/t) pixels, t = 1440 / the logical DPI.
namespace ombrix::platform {

double twipsPerPixel();

// The primary screen's device pixels per logical pixel (2 with QT_SCALE_FACTOR=2 or an X
// resource Xft.dpi of 192); 1 without a screen.
double screenScale();

// The primary screen's full geometry (not its available area).
ScreenSize screenTwips();

int toPixels(double twips);
double toTwips(int pixels);
QRect toPixels(double left, double top, double width, double height);

} // namespace ombrix::platform
