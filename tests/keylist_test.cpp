#include "tempfolder.h"
#include "tune/keylist.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>
#include <ostream>
#include <string>

using namespace ombrix;
namespace fs = std::filesystem;

namespace {

constexpr double infinity = std::numeric_limits<double>::infinity();

// A failing row is reported by its name.
template <typename Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

struct CorrectionCase {
    const char* name;
    const char* typed;
    const char* corrected;
};

class CorrectedKeyCount : public testing::TestWithParam<CorrectionCase> {};

TEST_P(CorrectedKeyCount, LeavesTheBoxHoldingAWholeCountFrom3To128) {
    const std::string corrected = correctedKeyCountText(GetParam().typed);
    EXPECT_EQ(corrected, GetParam().corrected);
    // The corrected text is final: leaving the box again changes nothing.
    EXPECT_EQ(correctedKeyCountText(corrected), corrected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, CorrectedKeyCount,
    testing::Values(
        CorrectionCase{"TooMany", "200", "128"}, CorrectionCase{"JustAboveMost", "128.4", "128"},
        CorrectionCase{"Most", "128", "128"}, CorrectionCase{"RoundsUpToMost", "127.6", "128"},
        CorrectionCase{"Two", "2", "5"}, CorrectionCase{"Zero", "0", "5"},
        CorrectionCase{"Empty", "", "5"}, CorrectionCase{"NotANumber", "abc", "5"},
        CorrectionCase{"Negative", "-50", "5"}, CorrectionCase{"JustBelowFewest", "2.9", "5"},
        CorrectionCase{"Fewest", "3", "3"}, CorrectionCase{"Typical", "24", "24"},
        CorrectionCase{"FractionUp", "12.7", "13"}, CorrectionCase{"FractionDown", "12.2", "12"},
        CorrectionCase{"HalfGoesUp", "12.5", "13"},
        CorrectionCase{"TrailingTextDropped", " 12abc", "12"},
        CorrectionCase{"Exponent", "1e2", "100"}, CorrectionCase{"Infinite", "1e999", "128"}),
    [](const auto& info) { return info.param.name; });

// ---- What the editor and the bar copy show ----

struct ShownCase {
    const char* name;
    bool showAll;
    float keyCount;
    float lastKeyShown;
    float barLength;
    int visible; // keys 0..visible-1 are visible
    int enabled; // keys 0..enabled-1 are enabled
};

class ShownAndEnabledKeys : public testing::TestWithParam<ShownCase> {};

TEST_P(ShownAndEnabledKeys, FollowShowAllAndTheKeyCount) {
    const auto& row = GetParam();
    const ShownKeys shown = shownKeys(row.showAll, row.keyCount);
    EXPECT_EQ(shown.lastKeyShown, row.lastKeyShown);
    EXPECT_EQ(shown.barLength, row.barLength);
    for (int i = 0; i < maxKeys; ++i) {
        EXPECT_EQ(keyVisible(i, shown.lastKeyShown), i < row.visible) << "key " << i;
        EXPECT_EQ(keyEnabled(i, row.keyCount), i < row.enabled) << "key " << i;
    }
    for (int outside : {-1, maxKeys, swapSlot + 1}) {
        EXPECT_FALSE(keyVisible(outside, shown.lastKeyShown)) << "key " << outside;
        EXPECT_FALSE(keyEnabled(outside, row.keyCount)) << "key " << outside;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShownAndEnabledKeys,
    testing::Values(ShownCase{"AllShownTenInUse", true, 10, 127, 48740, 128, 10},
                    ShownCase{"TenInUseShowsAnEleventhDisabled", false, 10, 10, 3650, 11, 10},
                    ShownCase{"FewestWithoutShowAll", false, 3, 3, 1095, 4, 3},
                    ShownCase{"FullTableShowAll", true, 128, 127, 48740, 128, 128},
                    ShownCase{"FullTableWithoutShowAll", false, 128, 128, 46720, 128, 128},
                    ShownCase{"FractionTypedEnablesItsWholePartPlusOne", false, 12.5f, 12.5f,
                              4562.5f, 13, 13},
                    ShownCase{"EmptyBoxWhileTypingEnablesNone", true, 0, 127, 48740, 128, 0},
                    ShownCase{"HugeCountWhileTyping", true, 1e30f, 127, 48740, 128, 128}),
    [](const auto& info) { return info.param.name; });

// ---- The move bar ----

struct MoveCase {
    const char* name;
    double value;
    float keyCount;
    int target;
};

class MoveTarget : public testing::TestWithParam<MoveCase> {};

TEST_P(MoveTarget, StaysWithinTheKeysInUse) {
    EXPECT_EQ(moveTarget(GetParam().value, GetParam().keyCount), GetParam().target);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MoveTarget,
    testing::Values(
        MoveCase{"InRange", 4, 10, 4}, MoveCase{"FirstPlace", 0, 10, 0},
        MoveCase{"LastPlaceInUse", 9, 10, 9}, MoveCase{"BeyondLastPlaceInUse", 50, 10, 9},
        MoveCase{"JustBeyondLastPlaceInUse", 10, 10, 9}, MoveCase{"BelowFirst", -3, 10, 0},
        MoveCase{"RoundsUp", 4.6, 10, 5}, MoveCase{"RoundsDown", 4.4, 10, 4},
        MoveCase{"HalfGoesUp", 4.5, 10, 5}, MoveCase{"FullTable", 127, 128, 127},
        MoveCase{"CountBeyondTableStopsAt127", 200, 1e6f, 127},
        MoveCase{"FractionalCount", 50, 12.5f, 12},
        MoveCase{"CountBelowOneLeavesFirstPlace", 5, 0, 0},
        MoveCase{"NoNumber", std::nan(""), 10, 0}, MoveCase{"InfiniteValue", infinity, 10, 9},
        MoveCase{"InfiniteCount", 200, std::numeric_limits<float>::infinity(), 127}),
    [](const auto& info) { return info.param.name; });

// ---- Exchanging two keys' records ----

KeyRecord recordOf(int n) {
    KeyRecord key;
    key.target.assign("/usr/bin/program" + std::to_string(n));
    key.argument.assign("/home/user/document" + std::to_string(n));
    key.iconIndex = static_cast<std::int16_t>(n);
    key.caption.assign(std::to_string(n));
    key.toolTip.assign("tip " + std::to_string(n));
    key.reserved = static_cast<std::int16_t>(n);
    key.backColor = static_cast<float>(n * 1000);
    return key;
}

TuneState numberedKeys() {
    TuneState state;
    for (int i = 0; i <= swapSlot; ++i)
        state.keys[i] = recordOf(i);
    return state;
}

struct SwapCase {
    const char* name;
    int a;
    int b;
    bool exchanges; // false: no key and not the slot changes
};

class SwapKeys : public testing::TestWithParam<SwapCase> {};

TEST_P(SwapKeys, ExchangesWholeRecordsThroughTheSwapSlot) {
    const auto& row = GetParam();
    const TuneState before = numberedKeys();
    TuneState state = before;
    swapKeys(state, row.a, row.b);
    for (int i = 0; i < maxKeys; ++i) {
        int expected = i;
        if (row.exchanges && i == row.a)
            expected = row.b;
        else if (row.exchanges && i == row.b)
            expected = row.a;
        EXPECT_EQ(state.keys[i], before.keys[expected]) << "key " << i;
    }
    EXPECT_EQ(state.keys[swapSlot], before.keys[row.exchanges ? row.a : swapSlot]);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SwapKeys,
    testing::Values(SwapCase{"Neighbours", 5, 6, true}, SwapCase{"Apart", 5, 7, true},
                    SwapCase{"Reversed", 7, 5, true}, SwapCase{"FirstAndLast", 0, 127, true},
                    SwapCase{"SameKeyOnlyFillsTheSlot", 5, 5, true},
                    SwapCase{"SlotIsNoKey", 5, swapSlot, false},
                    SwapCase{"BeyondTheSlot", 200, 5, false}, SwapCase{"Negative", -1, 5, false}),
    [](const auto& info) { return info.param.name; });

// ---- Exchanging two keys' icon files ----

// An icons folder by its entries: file name to contents; `folderMark` lays a folder instead.
using IconsFolder = std::map<std::string, std::string>;
const std::string folderMark = "<folder>";

void lay(const TempFolder& program, const IconsFolder& icons) {
    fs::create_directories(program / "icons");
    for (const auto& [name, contents] : icons) {
        if (contents == folderMark)
            fs::create_directories(program / "icons" / name);
        else
            program.write("icons/" + name, contents);
    }
}

IconsFolder iconsIn(const TempFolder& program) {
    IconsFolder icons;
    if (!fs::exists(program / "icons"))
        return icons;
    for (const auto& entry : fs::directory_iterator(program / "icons")) {
        const std::string name = entry.path().filename().string();
        icons[name] = entry.is_directory() ? folderMark : readBytes(entry.path());
    }
    return icons;
}

struct ExchangeCase {
    const char* name;
    int a;
    int b;
    IconsFolder before;
    IconsFolder after;
    const char* failureNames; // empty when the exchange succeeds; else a file the message names
};

class ExchangeIconFiles : public testing::TestWithParam<ExchangeCase> {};

TEST_P(ExchangeIconFiles, MovesEachIconWithItsKeyAndLosesNone) {
    const auto& row = GetParam();
    TempFolder program;
    lay(program, row.before);
    const WriteResult result = exchangeIconFiles(program.path(), row.a, row.b);
    const std::string failureNames = row.failureNames;
    EXPECT_EQ(result.ok, failureNames.empty()) << result.message.text();
    if (!failureNames.empty()) {
        EXPECT_NE(result.message.text().find(failureNames), std::string::npos)
            << result.message.text();
    }
    EXPECT_EQ(iconsIn(program), row.after);
}

const IconsFolder bothAndAnother{
    {"icon5.ico", "five"}, {"icon7.ico", "seven"}, {"icon2.ico", "two"}};
const IconsFolder bothWithLeftover{
    {"icon5.ico", "five"}, {"icon7.ico", "seven"}, {"icon1000.ico", "lost"}};

INSTANTIATE_TEST_SUITE_P(
    Rows, ExchangeIconFiles,
    testing::Values(
        ExchangeCase{"BothHaveIcons",
                     5,
                     7,
                     bothAndAnother,
                     {{"icon5.ico", "seven"}, {"icon7.ico", "five"}, {"icon2.ico", "two"}},
                     ""},
        ExchangeCase{"BothHaveIconsOtherWayRound",
                     7,
                     5,
                     bothAndAnother,
                     {{"icon5.ico", "seven"}, {"icon7.ico", "five"}, {"icon2.ico", "two"}},
                     ""},
        ExchangeCase{"FirstAndLastKey",
                     0,
                     127,
                     {{"icon0.ico", "first"}, {"icon127.ico", "last"}},
                     {{"icon0.ico", "last"}, {"icon127.ico", "first"}},
                     ""},
        ExchangeCase{
            "OnlyTheMovedKeyHasOne", 5, 7, {{"icon5.ico", "five"}}, {{"icon7.ico", "five"}}, ""},
        ExchangeCase{
            "OnlyTheOtherKeyHasOne", 5, 7, {{"icon7.ico", "seven"}}, {{"icon5.ico", "seven"}}, ""},
        ExchangeCase{"NeitherHasOne", 5, 7, {{"icon2.ico", "two"}}, {{"icon2.ico", "two"}}, ""},
        ExchangeCase{"EmptyFolder", 5, 7, {}, {}, ""},
        ExchangeCase{"FolderHoldingOnlyFolders",
                     5,
                     7,
                     {{"icon5.ico", folderMark}},
                     {{"icon5.ico", folderMark}},
                     ""},
        ExchangeCase{"SameKey", 5, 5, {{"icon5.ico", "five"}}, {{"icon5.ico", "five"}}, ""},
        ExchangeCase{"LeftoverBlocksAnExchangeThatNeedsItsName", 5, 7, bothWithLeftover,
                     bothWithLeftover, "icon1000.ico"},
        ExchangeCase{"LeftoverBlocksEvenWhenOnlyTheOtherKeyHasOne",
                     5,
                     7,
                     {{"icon7.ico", "seven"}, {"icon1000.ico", "lost"}},
                     {{"icon7.ico", "seven"}, {"icon1000.ico", "lost"}},
                     "icon1000.ico"},
        ExchangeCase{"LeftoverFolderBlocksToo",
                     5,
                     7,
                     {{"icon5.ico", "five"}, {"icon7.ico", "seven"}, {"icon1000.ico", folderMark}},
                     {{"icon5.ico", "five"}, {"icon7.ico", "seven"}, {"icon1000.ico", folderMark}},
                     "icon1000.ico"},
        ExchangeCase{"LeftoverStaysAsideWhenItsNameIsNotNeeded",
                     5,
                     7,
                     {{"icon5.ico", "five"}, {"icon1000.ico", "lost"}},
                     {{"icon7.ico", "five"}, {"icon1000.ico", "lost"}},
                     ""},
        ExchangeCase{"FolderInTheWayOfTheMovedIcon",
                     5,
                     7,
                     {{"icon5.ico", "five"}, {"icon7.ico", folderMark}},
                     {{"icon5.ico", "five"}, {"icon7.ico", folderMark}},
                     "icon7.ico"},
        ExchangeCase{"FolderInTheWayOfTheOtherIconIsUndone",
                     5,
                     7,
                     {{"icon5.ico", folderMark}, {"icon7.ico", "seven"}},
                     {{"icon5.ico", folderMark}, {"icon7.ico", "seven"}},
                     "icon5.ico"},
        ExchangeCase{"NoSuchKey", 5, 128, bothAndAnother, bothAndAnother, "128"}),
    [](const auto& info) { return info.param.name; });

TEST(ExchangeIconFilesWithoutFolder, RenamesNothingAndSucceeds) {
    TempFolder program;
    EXPECT_TRUE(exchangeIconFiles(program.path(), 5, 7));
    EXPECT_FALSE(fs::exists(program / "icons"));
}

// ---- Moving a key: records and icons together ----

struct MoveKeyCase {
    const char* name;
    IconsFolder before;
    IconsFolder after;
    bool moved;
};

class MoveKey : public testing::TestWithParam<MoveKeyCase> {};

TEST_P(MoveKey, KeepsEveryKeyWithItsOwnIcon) {
    const auto& row = GetParam();
    TempFolder program;
    lay(program, row.before);
    const TuneState before = numberedKeys();
    TuneState state = before;
    EXPECT_EQ(static_cast<bool>(moveKey(state, program.path(), 5, 7)), row.moved);
    EXPECT_EQ(state.keys[5], before.keys[row.moved ? 7 : 5]);
    EXPECT_EQ(state.keys[7], before.keys[row.moved ? 5 : 7]);
    EXPECT_EQ(iconsIn(program), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MoveKey,
    testing::Values(MoveKeyCase{"IconsFollowTheRecords",
                                {{"icon5.ico", "five"}, {"icon7.ico", "seven"}},
                                {{"icon5.ico", "seven"}, {"icon7.ico", "five"}},
                                true},
                    MoveKeyCase{"RefusedIconsPutTheRecordsBack", bothWithLeftover, bothWithLeftover,
                                false}),
    [](const auto& info) { return info.param.name; });

// ---- Shifting a key along the bar copy: the keys between make room ----

struct ShiftCase {
    const char* name;
    int from;
    int to;
    IconsFolder before;
    IconsFolder after;
    std::vector<int> order; // the keys at places 2..6 afterwards
};

class ShiftKey : public testing::TestWithParam<ShiftCase> {};

TEST_P(ShiftKey, TakesItsIconAndShiftsTheOthersOrChangesNothing) {
    const auto& row = GetParam();
    TempFolder program;
    lay(program, row.before);
    const TuneState before = numberedKeys();
    TuneState state = before;
    const bool moved = static_cast<bool>(shiftKey(state, program.path(), row.from, row.to));
    const std::vector<int> unmoved{2, 3, 4, 5, 6};
    EXPECT_EQ(moved, row.order != unmoved);
    for (int place = 2; place <= 6; ++place)
        EXPECT_EQ(state.keys[place], before.keys[row.order[place - 2]]) << "place " << place;
    EXPECT_EQ(iconsIn(program), row.after);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ShiftKey,
    testing::Values(
        ShiftCase{"Rightwards",
                  2,
                  5,
                  {{"icon2.ico", "two"}, {"icon4.ico", "four"}},
                  {{"icon5.ico", "two"}, {"icon3.ico", "four"}},
                  {3, 4, 5, 2, 6}},
        ShiftCase{
            "Leftwards", 6, 3, {{"icon6.ico", "six"}}, {{"icon3.ico", "six"}}, {2, 6, 3, 4, 5}},
        ShiftCase{"AFailureHalfwayPutsEverythingBack",
                  2,
                  6,
                  {{"icon2.ico", "two"}, {"icon5.ico", "five"}, {"icon1000.ico", "lost"}},
                  {{"icon2.ico", "two"}, {"icon5.ico", "five"}, {"icon1000.ico", "lost"}},
                  {2, 3, 4, 5, 6}}),
    [](const auto& info) { return info.param.name; });

} // namespace
