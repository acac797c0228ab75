#include "common/contrast.h"

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

} // namespace
