#include "tune/colour/colourmodel.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <ostream>
#include <string>

#include <gtest/gtest.h>

namespace ombrix::colour {

// Readable failure messages for the value types.
void PrintTo(const Rgb& c, std::ostream* os) {
    *os << "rgb(" << c.red << ", " << c.green << ", " << c.blue << ")";
}
void PrintTo(const Hsl& c, std::ostream* os) {
    *os << "hsl(" << c.hue << ", " << c.saturation << ", " << c.luminance << ")";
}
void PrintTo(const StripColour& c, std::ostream* os) {
    *os << "strip(" << c.red << ", " << c.green << ", " << c.blue << ")";
}

namespace {

template <typename Row> std::string rowName(const testing::TestParamInfo<Row>& info) {
    return info.param.name;
}

// --- hueToPureColour: corners and the middle of every ramp --------------------------------------

struct HueRow {
    const char* name;
    double hue;
    Rgb expected;
};

class HueToPureColourTest : public testing::TestWithParam<HueRow> {};

TEST_P(HueToPureColourTest, GivesTheSectorRamp) {
    EXPECT_EQ(hueToPureColour(GetParam().hue), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Sectors, HueToPureColourTest,
    testing::Values(
        HueRow{"Red0", 0, {255, 0, 0}}, HueRow{"RisingGreenMiddle", 20, {255, 128, 0}},
        HueRow{"YellowBelongsToFirstSector", 40, {255, 255, 0}},
        HueRow{"FallingRedMiddle", 60, {127, 255, 0}}, HueRow{"Green", 80, {0, 255, 0}},
        HueRow{"RisingBlueMiddle", 100, {0, 255, 128}}, HueRow{"Cyan", 120, {0, 255, 255}},
        HueRow{"FallingGreenMiddle", 140, {0, 127, 255}}, HueRow{"Blue", 160, {0, 0, 255}},
        HueRow{"RisingRedMiddle", 180, {128, 0, 255}}, HueRow{"Magenta", 200, {255, 0, 255}},
        HueRow{"FallingBlueMiddle", 220, {255, 0, 127}}, HueRow{"Red240", 240, {255, 0, 0}}),
    rowName<HueRow>);

// --- hslToRgb: colours ---------------------------------------------------------------------------

struct HslToRgbRow {
    const char* name;
    double hue, saturation, luminance;
    Rgb expected;
};

class HslToRgbTest : public testing::TestWithParam<HslToRgbRow> {};

TEST_P(HslToRgbTest, GivesWholeComponents) {
    const auto& row = GetParam();
    EXPECT_EQ(hslToRgb(row.hue, row.saturation, row.luminance).rgb, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, HslToRgbTest,
    testing::Values(HslToRgbRow{"Hue0IsRed", 0, 240, 120, {255, 0, 0}},
                    HslToRgbRow{"Hue240IsRed", 240, 240, 120, {255, 0, 0}},
                    HslToRgbRow{"Orange", 20, 240, 120, {255, 128, 0}},
                    HslToRgbRow{"HalfSaturatedGreen", 100, 120, 120, {64, 191, 128}},
                    HslToRgbRow{"DarkAzure", 140, 240, 60, {0, 64, 128}},
                    HslToRgbRow{"LightAzure", 140, 240, 180, {128, 191, 255}},
                    HslToRgbRow{"DimPink", 220, 200, 100, {195, 18, 106}},
                    // 138 - 70 x 138 / 120 is exactly 57.5 only when multiplied before dividing.
                    HslToRgbRow{"DarkeningHalfGoesUp", 0, 20, 50, {58, 48, 48}},
                    HslToRgbRow{"NoSaturationIsGrey127", 0, 0, 120, {127, 127, 127}},
                    HslToRgbRow{"NoSaturationAnyHue", 100, 0, 120, {127, 127, 127}},
                    HslToRgbRow{"Luminance0Yellowish", 60, 240, 0, {0, 0, 0}},
                    HslToRgbRow{"Luminance0Pink", 220, 200, 0, {0, 0, 0}},
                    HslToRgbRow{"Luminance0Grey", 0, 0, 0, {0, 0, 0}},
                    HslToRgbRow{"Luminance240Yellowish", 60, 240, 240, {255, 255, 255}},
                    HslToRgbRow{"Luminance240Azure", 140, 100, 240, {255, 255, 255}},
                    HslToRgbRow{"Luminance240Grey", 0, 0, 240, {255, 255, 255}}),
    rowName<HslToRgbRow>);

// --- hslToRgb: the strip colour is taken after saturation, before luminance ----------------------

struct HslStripRow {
    const char* name;
    double hue, saturation, luminance;
    StripColour expected;
};

class HslToRgbStripTest : public testing::TestWithParam<HslStripRow> {};

TEST_P(HslToRgbStripTest, IsTheColourAtLuminance120) {
    const auto& row = GetParam();
    EXPECT_EQ(hslToRgb(row.hue, row.saturation, row.luminance).strip, row.expected);
}

INSTANTIATE_TEST_SUITE_P(Strips, HslToRgbStripTest,
                         testing::Values(HslStripRow{"DarkAzure", 140, 240, 60, {0, 127, 255}},
                                         HslStripRow{"DimPink", 220, 200, 100, {234, 21, 127}},
                                         HslStripRow{"GreyAtBlack", 80, 0, 0, {127, 127, 127}},
                                         HslStripRow{"RedAtWhite", 0, 240, 240, {255, 0, 0}}),
                         rowName<HslStripRow>);

// --- rgbToHsl ------------------------------------------------------------------------------------

struct RgbToHslRow {
    const char* name;
    double red, green, blue;
    Hsl expected;
};

class RgbToHslTest : public testing::TestWithParam<RgbToHslRow> {};

TEST_P(RgbToHslTest, GivesWholeHueSaturationLuminance) {
    const auto& row = GetParam();
    EXPECT_EQ(rgbToHsl(row.red, row.green, row.blue).hsl, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, RgbToHslTest,
    testing::Values(RgbToHslRow{"Red", 255, 0, 0, {0, 240, 120}},
                    RgbToHslRow{"Green", 0, 255, 0, {80, 240, 120}},
                    RgbToHslRow{"Blue", 0, 0, 255, {160, 240, 120}},
                    RgbToHslRow{"Yellow", 255, 255, 0, {40, 240, 120}},
                    RgbToHslRow{"Cyan", 0, 255, 255, {120, 240, 120}},
                    RgbToHslRow{"Magenta", 255, 0, 255, {200, 240, 120}},
                    RgbToHslRow{"GreyHasHue160", 128, 128, 128, {160, 0, 120}},
                    RgbToHslRow{"WhiteHasNoSaturation", 255, 255, 255, {160, 0, 240}},
                    RgbToHslRow{"BlackHasFullSaturation", 0, 0, 0, {0, 240, 0}},
                    RgbToHslRow{"SystemGreyBlue", 0, 0, 128, {160, 240, 60}},
                    RgbToHslRow{"Brown", 200, 100, 50, {13, 144, 118}},
                    RgbToHslRow{"NightBlue", 10, 20, 30, {140, 117, 19}},
                    RgbToHslRow{"SteelBlue", 100, 150, 200, {140, 115, 141}},
                    RgbToHslRow{"Linen", 250, 240, 230, {20, 163, 226}},
                    // Hue 220 has a pure blue of 127, so saturation is read from red instead.
                    RgbToHslRow{"Hue220UsesRed", 200, 60, 130, {220, 135, 122}}),
    rowName<RgbToHslRow>);

TEST(RgbToHslStripTest, BlackIsHalfwayToWhite) {
    EXPECT_EQ(rgbToHsl(0, 0, 0).strip, (StripColour{127.5f, 127.5f, 127.5f}));
}

TEST(RgbToHslStripTest, WhiteIsWhite) {
    EXPECT_EQ(rgbToHsl(255, 255, 255).strip, (StripColour{255, 255, 255}));
}

TEST(RgbToHslStripTest, DarkBlueCanExceed255) {
    EXPECT_EQ(rgbToHsl(0, 0, 128).strip, (StripColour{0, 0, 256}));
}

TEST(RgbToHslStripTest, Hue220CarriesRedIntoBlue) {
    const StripColour strip = rgbToHsl(200, 60, 130).strip;
    EXPECT_NEAR(strip.red, 199.068, 1e-3); // (200 - 4.25) / (1 - 2/120)
    EXPECT_EQ(strip.blue, strip.red);
}

TEST(RgbToHslProperty, EveryGreyHasHue160AndNoSaturation) {
    for (int v = 1; v <= 255; ++v) {
        const Hsl hsl = rgbToHsl(v, v, v).hsl;
        EXPECT_EQ(hsl.hue, 160) << v;
        EXPECT_EQ(hsl.saturation, 0) << v;
    }
}

// --- there and back ------------------------------------------------------------------------------

struct RoundTripRow {
    const char* name;
    Rgb start;
    Rgb expected;
};

class RoundTripTest : public testing::TestWithParam<RoundTripRow> {};

TEST_P(RoundTripTest, ComesBackAsListed) {
    const auto& row = GetParam();
    const Hsl hsl = rgbToHsl(row.start.red, row.start.green, row.start.blue).hsl;
    EXPECT_EQ(hslToRgb(hsl.hue, hsl.saturation, hsl.luminance).rgb, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, RoundTripTest,
    testing::Values(RoundTripRow{"RedIsExact", {255, 0, 0}, {255, 0, 0}},
                    RoundTripRow{"BlackIsExact", {0, 0, 0}, {0, 0, 0}},
                    RoundTripRow{"WhiteIsExact", {255, 255, 255}, {255, 255, 255}},
                    RoundTripRow{"Grey128Becomes127", {128, 128, 128}, {127, 127, 127}},
                    RoundTripRow{"BrownDrifts", {200, 100, 50}, {201, 99, 50}},
                    RoundTripRow{"SteelBlueDrifts", {100, 150, 200}, {99, 149, 200}}),
    rowName<RoundTripRow>);

// --- hslToRgb over the whole cube ----------------------------------------------------------------

bool isByte(double v) {
    return v >= 0 && v <= 255 && v == std::floor(v);
}

TEST(HslToRgbProperty, AlwaysGivesWholeBytes) {
    for (int h = 0; h <= 240; h += 2) {
        for (int s = 0; s <= 240; s += 2) {
            for (int l = 0; l <= 240; l += 2) {
                const Rgb c = hslToRgb(h, s, l).rgb;
                ASSERT_TRUE(isByte(c.red) && isByte(c.green) && isByte(c.blue))
                    << h << "," << s << "," << l;
            }
        }
    }
}

TEST(HslToRgbProperty, LuminanceEndsAreBlackAndWhite) {
    for (int h = 0; h <= 240; ++h) {
        for (int s = 0; s <= 240; ++s) {
            ASSERT_EQ(hslToRgb(h, s, 0).rgb, (Rgb{0, 0, 0})) << h << "," << s;
            ASSERT_EQ(hslToRgb(h, s, 240).rgb, (Rgb{255, 255, 255})) << h << "," << s;
        }
    }
}

// --- colour value to hexadecimal text ------------------------------------------------------------

struct HexTextRow {
    const char* name;
    float value;
    const char* expected;
};

class ColourHexTextTest : public testing::TestWithParam<HexTextRow> {};

TEST_P(ColourHexTextTest, IsPaddedUpperCaseHex) {
    EXPECT_EQ(colourHexText(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ColourHexTextTest,
    testing::Values(HexTextRow{"PureRed", 255, "0000FF"}, HexTextRow{"Zero", 0, "000000"},
                    HexTextRow{"Plain", 1193046, "123456"},
                    HexTextRow{"SevenDigitsNotPadded", 16777216, "1000000"},
                    HexTextRow{"SystemGrey", systemGreyValue, "80000000"},
                    HexTextRow{"MinusOneIsTwosComplement", -1, "FFFFFFFF"},
                    HexTextRow{"HalfRoundsToEvenDown", 2.5f, "000002"},
                    HexTextRow{"HalfRoundsToEvenUp", 3.5f, "000004"},
                    HexTextRow{"TooLargeSaturates", 1e10f, "7FFFFFFF"},
                    HexTextRow{"NaNIsZero", std::numeric_limits<float>::quiet_NaN(), "000000"}),
    rowName<HexTextRow>);

// --- splitColour ---------------------------------------------------------------------------------

struct SplitRow {
    const char* name;
    float value;
    Rgb expected;
};

class SplitColourTest : public testing::TestWithParam<SplitRow> {};

TEST_P(SplitColourTest, SplitsThroughTheHexText) {
    EXPECT_EQ(splitColour(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Values, SplitColourTest,
                         testing::Values(SplitRow{"PureRed", 255, {255, 0, 0}},
                                         SplitRow{"PureGreen", 65280, {0, 255, 0}},
                                         SplitRow{"PureBlue", 16711680, {0, 0, 255}},
                                         SplitRow{"Mixed", 1193046, {0x56, 0x34, 0x12}},
                                         SplitRow{"White", 16777215, {255, 255, 255}},
                                         SplitRow{"SystemGrey", systemGreyValue, {0, 0, 128}},
                                         SplitRow{"HalfRoundsToEven", 254.5f, {254, 0, 0}},
                                         // Seven digits: blue comes from the first two of them.
                                         SplitRow{"BeyondPlainColours", 16777216, {0, 0, 16}}),
                         rowName<SplitRow>);

struct SplitTextRow {
    const char* name;
    const char* text;
    std::optional<Rgb> expected;
};

class SplitHexTextTest : public testing::TestWithParam<SplitTextRow> {};

TEST_P(SplitHexTextTest, ReadsPairsFromBothEnds) {
    EXPECT_EQ(splitHexText(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, SplitHexTextTest,
                         testing::Values(SplitTextRow{"Padded", "0000FF", Rgb{255, 0, 0}},
                                         SplitTextRow{"ShortIsPadded", "FF", Rgb{255, 0, 0}},
                                         SplitTextRow{"EmptyIsBlack", "", Rgb{0, 0, 0}},
                                         SplitTextRow{"LowerCase", "12ab56", Rgb{0x56, 0xAB, 0x12}},
                                         SplitTextRow{"EightDigits", "80000000", Rgb{0, 0, 128}},
                                         SplitTextRow{"NotHex", "12G456", std::nullopt},
                                         SplitTextRow{"Blank", " 0000FF", std::nullopt}),
                         rowName<SplitTextRow>);

// --- stripShade ----------------------------------------------------------------------------------

struct ShadeRow {
    const char* name;
    double component;
    int line;
    double expected;
};

class StripShadeTest : public testing::TestWithParam<ShadeRow> {};

TEST_P(StripShadeTest, BlendsFromBlackThroughTheColourToWhite) {
    EXPECT_EQ(stripShade(GetParam().component, GetParam().line), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, StripShadeTest,
    testing::Values(ShadeRow{"BottomIsBlack", 200, 0, 0}, ShadeRow{"Line1", 200, 1, 2},
                    ShadeRow{"Line62", 200, 62, 99}, ShadeRow{"MiddleIsTheColour", 200, 125, 200},
                    ShadeRow{"Line126", 200, 126, 200}, ShadeRow{"TopIsWhite", 200, 250, 255},
                    ShadeRow{"BlackStripMiddle", 127.5, 125, 128},
                    ShadeRow{"OverflowKeptInMiddle", 256, 125, 256},
                    ShadeRow{"OverflowReachesWhite", 256, 250, 255},
                    ShadeRow{"ZeroReachesWhite", 0, 250, 255}),
    rowName<ShadeRow>);

// --- composeColour -------------------------------------------------------------------------------

struct ComposeRow {
    const char* name;
    double red, green, blue;
    std::int32_t expected;
};

class ComposeColourTest : public testing::TestWithParam<ComposeRow> {};

TEST_P(ComposeColourTest, PacksRedGreenBlue) {
    const auto& row = GetParam();
    EXPECT_EQ(composeColour(row.red, row.green, row.blue), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ComposeColourTest,
    testing::Values(ComposeRow{"Red", 255, 0, 0, 255}, ComposeRow{"Green", 0, 255, 0, 65280},
                    ComposeRow{"Blue", 0, 0, 255, 16711680},
                    ComposeRow{"Mixed", 0x56, 0x34, 0x12, 1193046},
                    ComposeRow{"StripBlue256Counts255", 0, 0, 256, 16711680},
                    ComposeRow{"HalvesToEven", 0.5, 1.5, 2.5, 0 + 256 * 2 + 65536 * 2},
                    ComposeRow{"HalfBelow128RoundsUp", 127.5, 0, 0, 128},
                    ComposeRow{"HalfAbove128RoundsDown", 128.5, 0, 0, 128},
                    ComposeRow{"BelowHalfRoundsDown", 254.4, 0, 0, 254},
                    ComposeRow{"JustAbove255Counts255", 255.5, 0, 0, 255},
                    ComposeRow{"NegativeCounts0", -3, 7, 0, 7 * 256}),
    rowName<ComposeRow>);

} // namespace
} // namespace ombrix::colour
