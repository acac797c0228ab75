#pragma once

#include "widgets/design.h"

#include <array>

class QRect;

// The colour window's design: places in twips in the window's client area, drawn at the scale
// the desktop's font asks for (design::Drawing). Places inside the selector frame are relative
// to the frame.
namespace ombrix::colourlayout {

using design::Place;

// The colour field keeps its picture's pixel size, 2655 x 2835 twips on a 96 dpi screen. The
// design's buttons and sample keys would cover its right edge and its bottom rows there, so the
// buttons and the strip beside it stand this much further right, and the sample keys and the
// selectors below it this much lower, than the design has them.
constexpr double besideField = 480;
constexpr double belowField = 420;

constexpr double clientWidth = 6060 + besideField;
constexpr double clientHeight = 6588 + belowField;

// The first two labels start further left and reach to their boxes, so that "Saturazione"
// fits in a desktop's usual typeface.
constexpr Place label2Place{60, 240, 1000, 372};
constexpr Place tonPlace{1080, 240, 375, 285};
constexpr Place label3Place{60, 600, 1000, 372};
constexpr Place satPlace{1080, 600, 375, 285};
constexpr Place label5Place{72, 960, 900, 372};
constexpr Place lumPlace{1080, 960, 375, 285};
constexpr Place label6Place{360, 1320, 612, 252};
constexpr Place rossoPlace{1080, 1320, 375, 285};
constexpr Place label7Place{360, 1680, 612, 252};
constexpr Place verdePlace{1080, 1680, 375, 285};
constexpr Place label8Place{360, 2040, 612, 252};
constexpr Place bluePlace{1080, 2040, 375, 285};

// The colour field and its cross marker.
constexpr double fieldLeft = 1680;
constexpr double fieldTop = 120;
constexpr Place label9Place{fieldLeft, fieldTop, 2655, 2895};
constexpr Place crossPlace{1920, 840, 120, 120};
constexpr double hueTwips = 11.06;        // per hue unit, from the field's left edge
constexpr double saturationTwips = 11.81; // per saturation unit, 240 at the field's top edge

// The luminance strip, its frame, its mouse surface and its arrow marker.
constexpr Place image4Place{5040 + besideField, 120, 255, 2880};
constexpr Place label4Place{4920 + besideField, 120, 660, 2880};
constexpr Place arrowPlace{5280 + besideField, 840, 255, 255};
constexpr double luminanceTwips = 12; // per luminance unit; arrow top 0 is luminance 240
constexpr double stripLineLeft = 5080 + besideField;
constexpr double stripLineRight = 5220 + besideField;
constexpr double stripBottomLine = 2920; // line 0; each line above it 11 twips higher
constexpr double stripLineStep = 11;
constexpr int stripTopLine = 250;
constexpr int stripLinePixels = 5;
// A drag that leaves the strip sideways stops changing the luminance beyond this.
constexpr double stripReach = 640;

constexpr Place command9Place{3960 + besideField, 120, 972, 495};
constexpr Place command4Place{3960 + besideField, 840, 972, 732};
constexpr Place command3Place{4080 + besideField, 1800, 732, 492};
constexpr Place command1Place{4080 + besideField, 2520, 735, 495};
constexpr Place command5Place{120, 2640 + belowField, 1572, 372};
constexpr std::array<double, 4> sampleKeyLefts = {1920, 2400, 2880, 3360};
constexpr double sampleKeyTop = 2640 + belowField;
constexpr double sampleKeySize = 350;

constexpr Place frame1Place{0, 3000 + belowField, 5892 + besideField, 3492};
constexpr double selectorWidth = 550;
constexpr double selectorHeight = 240;
constexpr double firstSelectorTop = 240;
// The first column sits a little further left than drawn, so that "121" fits before column 2.
constexpr std::array<double, 10> selectorLefts = {30,   600,  1176, 1764, 2340,
                                                  2916, 3504, 4080, 4656, 5244};

constexpr double highestHsl = 240;

constexpr double highestRgb = 255;

// The part of the window the strip's lines can cover, pixels, for a window drawn at `scale`.
QRect stripArea(double scale);

} // namespace ombrix::colourlayout
