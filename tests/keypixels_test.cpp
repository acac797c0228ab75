#include "common/keypixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

namespace ombrix {
namespace {

constexpr double twipsPerPixel = 15; // 96 dpi

struct Row {
    const char* name;
    double scale;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// 128 keys folded into rows on a screen 1280 logical pixels wide, as the bar lays them out.
std::vector<KeyPlace> foldedKeys() {
    BarGeometry geometry;
    geometry.keys = singleRowKeys(128);
    LayoutInput in;
    in.keyCount = 128;
    in.lastKey = 127;
    in.barLength = 128 * keyPitch + 2020;
    in.screenWidth = 1280 * 15;
    in.screenWidthNow = in.screenWidth;
    in.screenHeightNow = 800 * 15;
    layoutRows(barLayout(), in, geometry);
    return geometry.keys;
}

class KeyPixelsTest : public ::testing::TestWithParam<Row> {};

TEST_P(KeyPixelsTest, KeysOfARowAreEquallyWideWithEvenGaps) {
    const double scale = GetParam().scale;
    const std::vector<KeyPlace> keys = foldedKeys();
    const std::vector<DeviceRect> pixels = keyPixels(keys, scale / twipsPerPixel);
    ASSERT_EQ(pixels.size(), keys.size());

    std::map<int, std::vector<DeviceRect>> rows; // by top
    for (const DeviceRect& key : pixels) {
        EXPECT_EQ(key.width, pixels.front().width);
        EXPECT_EQ(key.height, key.width);
        rows[key.top].push_back(key);
    }
    ASSERT_GE(rows.size(), 3u) << "the keys fold into several rows";
    for (auto& [top, row] : rows) {
        std::sort(row.begin(), row.end(),
                  [](const DeviceRect& a, const DeviceRect& b) { return a.left < b.left; });
        int narrowest = 1 << 30;
        int widest = -1;
        for (std::size_t i = 1; i < row.size(); ++i) {
            const int gap = row[i].left - row[i - 1].right();
            narrowest = std::min(narrowest, gap);
            widest = std::max(widest, gap);
        }
        EXPECT_GE(narrowest, 1) << "keys of the row at " << top << " touch";
        EXPECT_LE(widest - narrowest, 1) << "gaps of the row at " << top;
    }
}

TEST_P(KeyPixelsTest, AWidgetCoveringAKeyHoldsExactlyItsPixels) {
    const double scale = GetParam().scale;
    for (const DeviceRect& key : keyPixels(foldedKeys(), scale / twipsPerPixel)) {
        const DeviceRect cover = logicalCover(key, scale);
        EXPECT_LE(cover.left * scale, key.left + 1e-9);
        EXPECT_LE(cover.top * scale, key.top + 1e-9);
        EXPECT_GE(cover.right() * scale, key.right() - 1e-9);
        EXPECT_GE((cover.top + cover.height) * scale, key.top + key.height - 1e-9);
        EXPECT_GT((cover.left + 1) * scale, key.left) << "no logical column to spare";
        EXPECT_LT((cover.right() - 1) * scale, key.right()) << "no logical column to spare";
    }
}

INSTANTIATE_TEST_SUITE_P(Scales, KeyPixelsTest,
                         ::testing::Values(Row{"x1", 1.0}, Row{"x1_25", 1.25}, Row{"x1_5", 1.5},
                                           Row{"x1_75", 1.75}, Row{"x2", 2.0}, Row{"x2_25", 2.25},
                                           Row{"x2_5", 2.5}, Row{"x2_75", 2.75}, Row{"x3", 3.0}),
                         [](const ::testing::TestParamInfo<Row>& info) {
                             return std::string(info.param.name);
                         });

struct ScaleStep {
    const char* name;
    double made;
    double now;
    bool remade;
};

void PrintTo(const ScaleStep& step, std::ostream* out) {
    *out << step.name;
}

class PicturesOutOfScaleTest : public ::testing::TestWithParam<ScaleStep> {};

// Pictures are made again exactly when the picture cache would hold another side for them.
TEST_P(PicturesOutOfScaleTest, PicturesAreMadeAgainOnlyForAnotherSide) {
    const ScaleStep& step = GetParam();
    EXPECT_EQ(picturesOutOfScale(step.made, step.now), step.remade);
}

INSTANTIATE_TEST_SUITE_P(
    Steps, PicturesOutOfScaleTest,
    ::testing::Values(ScaleStep{"same", 1.5, 1.5, false}, ScaleStep{"x1_to_x2", 1, 2, true},
                      ScaleStep{"x2_to_x1", 2, 1, true}, ScaleStep{"x1_to_x1_25", 1, 1.25, true},
                      ScaleStep{"x1_to_x1_01_same_16px", 1, 1.01, false},
                      ScaleStep{"x1_5_to_x1_53_same_24px", 1.5, 1.53, false},
                      ScaleStep{"x2_to_x2_04_33px", 2, 2.04, true},
                      ScaleStep{"x3_to_x2_75", 3, 2.75, true}),
    [](const ::testing::TestParamInfo<ScaleStep>& info) { return std::string(info.param.name); });

TEST(KeyPictureSide, IsSixteenLogicalPixelsRoundedOnceAndBounded) {
    EXPECT_EQ(keyPictureSide(1), 16);
    EXPECT_EQ(keyPictureSide(1.5), 24);
    EXPECT_EQ(keyPictureSide(2), 32);
    EXPECT_EQ(keyPictureSide(0.01), 1);
    EXPECT_EQ(keyPictureSide(100), 256);
}

} // namespace
} // namespace ombrix
