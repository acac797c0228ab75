#include "tune/colour/colourmodel.h"

#include <cmath>
#include <limits>

namespace ombrix::colour {

namespace {

constexpr double rampSlope = 6.38; // 40 x 6.38 rounds to 255, so each ramp ends on a corner
constexpr double middleGrey = 127;
constexpr int stripMiddleLine = 125;

double roundHalfUp(double x) {
    return std::floor(x + 0.5);
}

// Independent of the floating-point environment's rounding mode.
double roundHalfEven(double x) {
    const double below = std::floor(x);
    const double fraction = x - below; // exact for binary floating point
    if (fraction > 0.5) {
        return below + 1;
    }
    if (fraction < 0.5) {
        return below;
    }
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

double ramp(double offset) {
    return roundHalfUp(offset * rampSlope);
}

// Blends a component towards the grey 127; saturation 240 leaves it, 0 gives the grey.
double applySaturation(double component, double saturation) {
    double towardsGrey = (240 - saturation) * 127;
    towardsGrey = towardsGrey / 240;
    double shift = (component - middleGrey) * towardsGrey;
    shift = shift / 127;
    return roundHalfUp(component - shift);
}

// Blends a component towards black below luminance 120 and towards white above it.
double applyLuminance(double component, double luminance) {
    if (luminance <= 120) {
        return roundHalfUp(component - (120 - luminance) * component / 120);
    }
    return roundHalfUp((255 - component) * (luminance - 120) / 120 + component);
}

struct Extremes {
    double largest;
    double smallest;
};

// The tie order matters only for which equal component is named, not for the values.
Extremes extremesOf(double r, double g, double b) {
    if (b <= r && g <= r) {
        return {r, g <= b ? g : b};
    }
    if (r <= b && g <= b) {
        return {b, g <= r ? g : r};
    }
    return {g, r <= b ? r : b};
}

// Pure colours and ties first (rows that would otherwise divide by zero), then the six sectors
// between two corners.
double hueOf(double r, double g, double b) {
    if (g == 0 && b == 0) {
        return 0;
    }
    if (r == 0 && b == 0) {
        return 80;
    }
    if (g == 0 && r == 0) {
        return 160;
    }
    if (g == r) {
        return r <= b ? 160 : 40;
    }
    if (b == g) {
        return g > r ? 120 : 0;
    }
    if (r == b) {
        return b < g ? 80 : 200;
    }
    if (g <= r && b <= g) {
        return roundHalfUp((g - b) * 40 / (r - b));
    }
    if (r <= g && b <= r) {
        return roundHalfUp((g - r) * 40 / (g - b) + 40);
    }
    if (b <= g && r <= b) {
        return roundHalfUp((b - r) * 40 / (g - r) + 80);
    }
    if (g <= b && r <= g) {
        return roundHalfUp((b - g) * 40 / (b - r) + 120);
    }
    if (r <= b && g <= r) {
        return roundHalfUp((r - g) * 40 / (b - g) + 160);
    }
    return roundHalfUp((r - b) * 40 / (r - g) + 200);
}

float darkSideStripComponent(double component, double luminance) {
    return static_cast<float>(std::fabs(component / (1 - (120 - luminance) / 120)));
}

// Also used for luminance 0, where it gives (component + 255) / 2.
float lightSideStripComponent(double component, double luminance) {
    const double whiteShare = 255 * (luminance - 120) / 120;
    return static_cast<float>(std::fabs((component - whiteShare) / (1 - (luminance - 120) / 120)));
}

StripColour stripFromInput(double r, double g, double b, double luminance) {
    if (luminance <= 120 && luminance != 0) {
        return {darkSideStripComponent(r, luminance), darkSideStripComponent(g, luminance),
                darkSideStripComponent(b, luminance)};
    }
    if (luminance == 240) {
        return {255, 255, 255};
    }
    return {lightSideStripComponent(r, luminance), lightSideStripComponent(g, luminance),
            lightSideStripComponent(b, luminance)};
}

// Saturation is read from how far the strip's blue lies from the pure hue's blue, relative to
// the grey 127. Hue 220 has a pure blue of exactly 127, so there the red channel stands in; the
// strip's blue then carries the strip's red.
double saturationFromStrip(const Rgb& pure, StripColour& strip) {
    double pureChannel = pure.blue;
    if (pureChannel == middleGrey) {
        pureChannel = pure.red;
        strip.blue = strip.red;
    }
    const double stripChannel = strip.blue;
    return roundHalfUp(240 *
                       (1 - std::fabs((stripChannel - pureChannel) / (pureChannel - middleGrey))));
}

double overrideSaturation(double saturation, double r, double g, double b) {
    if (r == 255 || g == 255 || b == 255) {
        saturation = 240;
    }
    if (r == g && g == b) {
        saturation = 0;
    }
    if (r == 0 || g == 0 || b == 0) {
        saturation = 240;
    }
    return saturation;
}

std::int32_t toInt32HalfEven(float value) {
    if (std::isnan(value)) {
        return 0;
    }
    constexpr double lowest = std::numeric_limits<std::int32_t>::min();
    constexpr double highest = std::numeric_limits<std::int32_t>::max();
    const double rounded = roundHalfEven(value);
    if (rounded <= lowest) {
        return std::numeric_limits<std::int32_t>::min();
    }
    if (rounded >= highest) {
        return std::numeric_limits<std::int32_t>::max();
    }
    return static_cast<std::int32_t>(rounded);
}

std::optional<int> hexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return std::nullopt;
}

// Both characters are known to be hex digits.
double hexPairValue(std::string_view pair) {
    return *hexDigitValue(pair[0]) * 16 + *hexDigitValue(pair[1]);
}

std::string padToSix(std::string_view text) {
    std::string padded(text);
    if (padded.size() < 6) {
        padded.insert(0, 6 - padded.size(), '0');
    }
    return padded;
}

int componentByte(double component) {
    if (!(component >= 0)) { // also NaN
        return 0;
    }
    const double rounded = roundHalfEven(component);
    return rounded > 255 ? 255 : static_cast<int>(rounded);
}

} // namespace

Rgb hueToPureColour(double hue) {
    if (hue <= 40) {
        return {255, ramp(hue), 0};
    }
    if (hue <= 80) {
        return {255 - ramp(hue - 40), 255, 0};
    }
    if (hue <= 120) {
        return {0, 255, ramp(hue - 80)};
    }
    if (hue <= 160) {
        return {0, 255 - ramp(hue - 120), 255};
    }
    if (hue <= 200) {
        return {ramp(hue - 160), 0, 255};
    }
    return {255, 0, 255 - ramp(hue - 200)};
}

RgbAndStrip hslToRgb(double hue, double saturation, double luminance) {
    Rgb colour = hueToPureColour(hue);
    colour.blue = applySaturation(colour.blue, saturation);
    colour.red = applySaturation(colour.red, saturation);
    colour.green = applySaturation(colour.green, saturation);

    const StripColour strip{static_cast<float>(std::fabs(colour.red)),
                            static_cast<float>(std::fabs(colour.green)),
                            static_cast<float>(std::fabs(colour.blue))};

    colour.blue = applyLuminance(colour.blue, luminance);
    colour.red = applyLuminance(colour.red, luminance);
    colour.green = applyLuminance(colour.green, luminance);
    return {colour, strip};
}

HslAndStrip rgbToHsl(double red, double green, double blue) {
    const Extremes extremes = extremesOf(red, green, blue);
    const double luminance =
        roundHalfUp(extremes.largest * 120 / 255 + extremes.smallest * 120 / 255);
    const double hue = hueOf(red, green, blue);
    const Rgb pure = hueToPureColour(hue);

    StripColour strip = stripFromInput(red, green, blue, luminance);
    double saturation = saturationFromStrip(pure, strip);
    saturation = overrideSaturation(saturation, red, green, blue);
    return {{static_cast<float>(hue), static_cast<float>(saturation), luminance}, strip};
}

std::string colourHexText(float value) {
    auto bits = static_cast<std::uint32_t>(toInt32HalfEven(value));
    std::string digits;
    do {
        digits.insert(digits.begin(), "0123456789ABCDEF"[bits % 16]);
        bits /= 16;
    } while (bits != 0);
    return padToSix(digits);
}

std::optional<Rgb> splitHexText(std::string_view hexText) {
    const std::string text = padToSix(hexText);
    for (char c : text) {
        if (!hexDigitValue(c)) {
            return std::nullopt;
        }
    }
    const std::string_view digits(text);
    return Rgb{hexPairValue(digits.substr(digits.size() - 2)), hexPairValue(digits.substr(2, 2)),
               hexPairValue(digits.substr(0, 2))};
}

Rgb splitColour(float value) {
    // The text is made of hex digits only, so the split cannot fail.
    return *splitHexText(colourHexText(value));
}

double stripShade(double stripComponent, int line) {
    const double d = stripComponent;
    if (line <= stripMiddleLine) {
        return roundHalfUp(d - d * (stripMiddleLine - line) / stripMiddleLine);
    }
    return roundHalfUp(d + (255 - d) * (line - stripMiddleLine) / stripMiddleLine);
}

std::int32_t composeColour(double red, double green, double blue) {
    return componentByte(red) + 256 * componentByte(green) + 65536 * componentByte(blue);
}

} // namespace ombrix::colour
