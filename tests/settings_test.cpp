#include "common/settings.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

using namespace ombrix;

namespace {

struct SingleCase {
    const char* name;
    float value;
    const char* text;
};

class SingleText : public testing::TestWithParam<SingleCase> {};

TEST_P(SingleText, IsTheShortestDecimalAndReadsBack) {
    EXPECT_EQ(formatSingle(GetParam().value), GetParam().text);
    EXPECT_EQ(parseSingle(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(Rows, SingleText,
                         testing::Values(SingleCase{"ClosedWidth", 400, "400"},
                                         SingleCase{"Zero", 0, "0"},
                                         SingleCase{"HalfScreen", 8100, "8100"},
                                         SingleCase{"Fraction", 7200.5f, "7200.5"},
                                         SingleCase{"Negative", -15, "-15"},
                                         SingleCase{"WideBar", 48740, "48740"}),
                         [](const auto& info) { return info.param.name; });

struct ParseCase {
    const char* name;
    const char* text;
    std::optional<float> single;
    std::optional<std::int16_t> int16;
    std::optional<bool> boolean;
};

class StoredText : public testing::TestWithParam<ParseCase> {};

TEST_P(StoredText, ConvertsOrRefuses) {
    const auto& c = GetParam();
    EXPECT_EQ(parseSingle(c.text), c.single);
    EXPECT_EQ(parseInt16(c.text), c.int16);
    EXPECT_EQ(parseBool(c.text), c.boolean);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, StoredText,
    testing::Values(
        ParseCase{"True", "True", {}, {}, true}, ParseCase{"FalseAnyCase", "fALSE", {}, {}, false},
        ParseCase{"MinusOneIsTrue", "-1", -1.0f, -1, true},
        ParseCase{"ZeroIsFalse", "0", 0.0f, 0, false}, ParseCase{"Side", "3", 3.0f, 3, true},
        ParseCase{"Blanks", "  400 ", 400.0f, 400, true},
        ParseCase{"PlusSign", "+2", 2.0f, 2, true}, ParseCase{"HalfToEven", "2.5", 2.5f, 2, true},
        ParseCase{"Int16Overflow", "40000", 40000.0f, {}, true},
        ParseCase{"Garbage", "abc", {}, {}, {}}, ParseCase{"TrailingGarbage", "12px", {}, {}, {}},
        ParseCase{"Empty", "", {}, {}, {}}, ParseCase{"NaN", "nan", {}, {}, {}},
        ParseCase{"Infinity", "inf", {}, {}, {}}, ParseCase{"BeyondSingle", "1e39", {}, {}, true},
        ParseCase{"TwoSigns", "+-5", {}, {}, {}}, ParseCase{"TwoPluses", "++5", {}, {}, {}},
        ParseCase{"LargestSingle", "3.4028235e+38", std::numeric_limits<float>::max(), {}, true}),
    [](const auto& info) { return info.param.name; });

// Every value at its default, on a screen 16200 twips high.
void expectEveryDefault(const Preferences& prefs) {
    EXPECT_EQ(prefs.left(), 0);
    EXPECT_EQ(prefs.top(16200), 8100);
    EXPECT_EQ(prefs.width(), 400);
    EXPECT_EQ(prefs.side(), 1);
    EXPECT_TRUE(prefs.sound());
    EXPECT_TRUE(prefs.doubleClick());
    EXPECT_FALSE(prefs.transparentBack());
    EXPECT_TRUE(prefs.showAllKeys());
    EXPECT_FALSE(prefs.startUp());
}

} // namespace

TEST(Preferences, EveryValueHasItsDefaultWhenNothingIsStored) {
    MemorySettings store;
    const Preferences prefs(store);
    expectEveryDefault(prefs);
}

TEST(Preferences, GarbageReadsAsTheDefault) {
    MemorySettings store;
    for (auto key : {settingkey::left, settingkey::top, settingkey::width, settingkey::side,
                     settingkey::sound, settingkey::doubleClick, settingkey::transparentBack,
                     settingkey::showAllKeys, settingkey::startUp})
        store.write(key, "garbage");
    const Preferences prefs(store);
    expectEveryDefault(prefs);
}

TEST(Preferences, ASideOutsideTheFourReadsAsLeft) {
    MemorySettings store;
    Preferences prefs(store);
    for (const char* text : {"0", "5", "-1", "99999"}) {
        store.write(settingkey::side, text);
        EXPECT_EQ(prefs.side(), 1) << text;
    }
    store.write(settingkey::side, "4");
    EXPECT_EQ(prefs.side(), 4);
}

TEST(Preferences, WritesTheTextFormsAndReadsThemBack) {
    MemorySettings store;
    Preferences prefs(store);
    EXPECT_TRUE(prefs.setLeft(0));
    EXPECT_TRUE(prefs.setTop(7200.5f));
    EXPECT_TRUE(prefs.setWidth(400));
    EXPECT_TRUE(prefs.setSide(3));
    EXPECT_TRUE(prefs.setSound(false));
    EXPECT_TRUE(prefs.setDoubleClick(false));
    EXPECT_TRUE(prefs.setTransparentBack(true));
    EXPECT_TRUE(prefs.setShowAllKeys(false));
    EXPECT_TRUE(prefs.setStartUp(true));

    EXPECT_EQ(store.read("left"), "0");
    EXPECT_EQ(store.read("top"), "7200.5");
    EXPECT_EQ(store.read("larghezza"), "400");
    EXPECT_EQ(store.read("indice"), "3");
    EXPECT_EQ(store.read("suono"), "False");
    EXPECT_EQ(store.read("doppio"), "False");
    EXPECT_EQ(store.read("tras"), "True");
    EXPECT_EQ(store.read("tutti"), "False");
    EXPECT_EQ(store.read("StartUp"), "True");

    EXPECT_EQ(prefs.top(0), 7200.5f);
    EXPECT_EQ(prefs.side(), 3);
    EXPECT_FALSE(prefs.sound());
    EXPECT_TRUE(prefs.transparentBack());
    EXPECT_FALSE(prefs.showAllKeys());
    EXPECT_TRUE(prefs.startUp());
}

TEST(Preferences, ShowAllKeysAcceptsTheOldMinusOne) {
    MemorySettings store;
    store.write(settingkey::showAllKeys, "-1");
    EXPECT_TRUE(Preferences(store).showAllKeys());
    store.write(settingkey::showAllKeys, "0");
    EXPECT_FALSE(Preferences(store).showAllKeys());
}

TEST(Preferences, EveryFiniteSingleWrittenReadsBackEqual) {
    MemorySettings store;
    Preferences prefs(store);
    std::vector<float> values = {std::numeric_limits<float>::max(),
                                 std::numeric_limits<float>::lowest(),
                                 std::numeric_limits<float>::min(),
                                 std::numeric_limits<float>::denorm_min(),
                                 -0.0f,
                                 1e-40f};
    std::mt19937 random(15);
    while (values.size() < 100000) {
        const float value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
        if (std::isfinite(value))
            values.push_back(value);
    }
    for (const float value : values) {
        ASSERT_TRUE(prefs.setWidth(value));
        ASSERT_EQ(std::bit_cast<std::uint32_t>(prefs.width()), std::bit_cast<std::uint32_t>(value))
            << formatSingle(value);
    }
}
