#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// The arithmetic of the colour window, free of any widget: hue/saturation/luminance to
// red/green/blue and back, the split of a stored colour value into its components, and the
// shading of the luminance strip.
//
// The model keeps its own conventions: a hue circle of 240 units in six sectors of 40 with
// linear ramps of slope 6.38, saturation as a blend towards the grey 127, luminance as a blend
// towards black or white around the middle value 120. Every step is done in double precision in
// a fixed order and rounded half-up with floor(x + 0.5), so that the numbers the window shows
// are reproducible to the last bit. A colour converted there and back is not always exact; the
// window lives with that.
//
// Ranges: hue, saturation and luminance 0..240; red, green and blue 0..255. The window clamps
// its boxes before calling; outside those ranges the results are whatever the formulas give.
namespace ombrix::colour {

// Red, green and blue, normally whole numbers 0..255 (the window may pass fractions).
struct Rgb {
    double red = 0;
    double green = 0;
    double blue = 0;

    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Hue 0..240 (0 and 240 both red, 40 yellow, 80 green, 120 cyan, 160 blue, 200 magenta),
// saturation 0..240 (0 grey), luminance 0..240 (0 black, 120 the colour itself, 240 white).
struct Hsl {
    float hue = 0;
    float saturation = 0;
    double luminance = 0;

    friend bool operator==(const Hsl&, const Hsl&) = default;
};

// The colour with its luminance taken out: what it would be at luminance 120. The middle line of
// the luminance strip. Components are non-negative and may exceed 255.
struct StripColour {
    float red = 0;
    float green = 0;
    float blue = 0;

    friend bool operator==(const StripColour&, const StripColour&) = default;
};

struct RgbAndStrip {
    Rgb rgb;
    StripColour strip;
};

struct HslAndStrip {
    Hsl hsl;
    StripColour strip;
};

// The colour value every key starts with: system colour 0 (the scroll-bar grey), as the
// single-precision float a key stores.
inline constexpr float systemGreyValue = -2147483648.0f;

// The fully saturated colour of `hue` at luminance 120: one component 255, one 0, and the third
// on a ramp of floor(offset x 6.38 + 0.5). The first sector whose upper bound (40, 80, ..., 240)
// is not below `hue` applies; a hue above 240 continues the last sector's ramp.
Rgb hueToPureColour(double hue);

// Hue, saturation and luminance to red, green and blue (whole numbers 0..255 for arguments in
// 0..240), together with the strip colour taken after saturation and before luminance.
// Saturation 0 gives the grey 127 at luminance 120; luminance 0 gives black and 240 white
// whatever the hue and saturation.
RgbAndStrip hslToRgb(double hue, double saturation, double luminance);

// Red, green and blue (0..255) to hue, saturation and luminance (whole numbers), with the strip
// colour derived from the input and the luminance. Greys get hue 160 and saturation 0, black gets
// hue 0 and saturation 240. Saturation can fall slightly outside 0..240 through the half-up
// steps; callers clamp what they show.
HslAndStrip rgbToHsl(double red, double green, double blue);

// The hexadecimal text of a stored colour value: the float taken to the nearest whole number
// (ties to even) as a 32-bit signed integer, in upper-case digits without leading zeros, a
// negative value as its 8-digit two's complement, then padded on the left with "0" to at least 6
// characters. Floats beyond the 32-bit range saturate to its ends; NaN counts as 0.
std::string colourHexText(float value);

// Red, green and blue from a colour's hexadecimal text: red from the last two characters, green
// from the two starting at the third, blue from the first two. Text shorter than 6 characters is
// padded on the left with "0" first, so the empty text is black. Returns nothing when the text
// holds anything but the digits 0-9, A-F and a-f.
std::optional<Rgb> splitHexText(std::string_view hexText);

// A stored colour value split into its red, green and blue by way of its hexadecimal text. For
// every plain colour (0..0xFFFFFF) this is the byte split; the system grey value gives (0, 0, 128).
Rgb splitColour(float value);

// One component of line `line` (0 at the bottom, 250 at the top) of the luminance strip drawn
// from the strip colour component `stripComponent`: black at line 0, the strip colour at line
// 125, white at line 250, linear in between, rounded half-up.
double stripShade(double stripComponent, int line);

// The colour value red + 256 x green + 65536 x blue. Each component is first taken to the
// nearest whole number, ties to even, then held to 0..255: above 255 counts as 255 (strip
// components can reach 256), below 0 as 0. NaN counts as 0.
std::int32_t composeColour(double red, double green, double blue);

} // namespace ombrix::colour
