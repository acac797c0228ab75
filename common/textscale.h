#pragma once

// How much larger a window drawn for a 9-point font is drawn when the desktop's font is larger:
// as much larger as the font, never smaller than designed, and never so large that the window
// no longer fits the screen.
namespace ombrix {

inline constexpr double designFontPoints = 9;

struct TextScaleInput {
    double desktopFontPoints;
    double windowWidth, windowHeight; // at scale 1, in any one unit
    double screenWidth, screenHeight; // the same unit
};

double textScale(const TextScaleInput& in);

} // namespace ombrix
