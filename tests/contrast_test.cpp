#include "common/contrast.h"
#include "common/textscale.h"

#include <gtest/gtest.h>

using namespace ombrix;

namespace {

struct ContrastRow {
    const char* name;
    std::uint32_t a, b;
    double ratio;
};

class Contrast : public testing::TestWithParam<ContrastRow> {};

TEST_P(Contrast, IsTheRatioOfTheLuminances) {
    EXPECT_NEAR(contrastRatio(GetParam().a, GetParam().b), GetParam().ratio, 0.005);
    EXPECT_NEAR(contrastRatio(GetParam().b, GetParam().a), GetParam().ratio, 0.005);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, Contrast,
    testing::Values(ContrastRow{"BlackOnWhite", 0x000000, 0xFFFFFF, 21.0},
                    ContrastRow{"SameColour", 0x3DAEE9, 0x3DAEE9, 1.0},
                    ContrastRow{"MidGreyOnWhite", 0x777777, 0xFFFFFF, 4.478},
                    ContrastRow{"WhiteOnLightGreen", 0xFFFFFF, 0x90EE90, 1.417},
                    ContrastRow{"BlackOnLightGreen", 0x000000, 0x90EE90, 14.818}),
    [](const testing::TestParamInfo<ContrastRow>& row) { return std::string(row.param.name); });

TEST(Contrast, BlackOrWhiteAlwaysReadsAtFourAndAHalf) {
    for (std::uint32_t grey = 0; grey <= 0xFF; ++grey) {
        for (std::uint32_t face : {grey * 0x010101u, grey << 16, grey << 8, grey}) {
            EXPECT_GE(contrastRatio(face, blackOrWhiteOn(face)), 4.5) << std::hex << face;
        }
    }
}

struct ScaleRow {
    const char* name;
    TextScaleInput in;
    double scale;
};

class TextScale : public testing::TestWithParam<ScaleRow> {};

TEST_P(TextScale, GrowsWithTheFontAsFarAsTheScreenAllows) {
    EXPECT_DOUBLE_EQ(textScale(GetParam().in), GetParam().scale);
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, TextScale,
    testing::Values(ScaleRow{"TheDesignFont", {9, 100, 50, 1000, 1000}, 1.0},
                    ScaleRow{"ASmallerFontKeepsTheDesign", {7, 100, 50, 1000, 1000}, 1.0},
                    ScaleRow{"EighteenPointsDoubles", {18, 100, 50, 1000, 1000}, 2.0},
                    ScaleRow{"AsFarAsTheScreenAllows", {18, 100, 50, 150, 1000}, 1.5},
                    ScaleRow{"ATooSmallScreenKeepsTheDesign", {18, 100, 50, 80, 40}, 1.0},
                    ScaleRow{"NoFontSizeKeepsTheDesign", {-1, 100, 50, 1000, 1000}, 1.0}),
    [](const testing::TestParamInfo<ScaleRow>& row) { return std::string(row.param.name); });

} // namespace
