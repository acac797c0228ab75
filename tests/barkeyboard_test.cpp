#include "common/accessiblenames.h"
#include "common/barkeyboard.h"
#include "common/globalshortcut.h"
#include "common/settings.h"
#include "common/taborder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace ombrix;

namespace {

// Three keys in the first row after the controls, two in the second row at the left edge.
// Stops: 0 handle, 1 see-through, 2 left, 3 top, 4 "X", 5 bottom, 6 right, 7 "ins.",
// 8 keep-open, then keys 9..13.
std::vector<BarStop> fiveKeys() {
    return barStops({{1845, 235, "Term", "Terminal"},
                     {2210, 235, "", "Firefox web browser"},
                     {2575, 235, "Files", "File manager"},
                     {385, 675, "", "Calculator"},
                     {750, 675, "", ""}});
}

struct MoveRow {
    const char* name;
    int from;
    BarMove move;
    int to;
};

class BarFocusMove : public testing::TestWithParam<MoveRow> {};

TEST_P(BarFocusMove, LandsOnTheStopLaidOutThatWay) {
    EXPECT_EQ(movedFocus(fiveKeys(), GetParam().from, GetParam().move), GetParam().to);
}

INSTANTIATE_TEST_SUITE_P(
    Moves, BarFocusMove,
    testing::Values(MoveRow{"RightFromTheHandle", 0, BarMove::Right, 1},
                    MoveRow{"LeftFromTheHandleWrapsToTheLastKey", 0, BarMove::Left, 13},
                    MoveRow{"RightFromKeepOpenReachesTheFirstKey", 8, BarMove::Right, 9},
                    MoveRow{"RightAtARowsEndGoesOnInTheNextRow", 11, BarMove::Right, 12},
                    MoveRow{"RightFromTheLastKeyWrapsToTheHandle", 13, BarMove::Right, 0},
                    MoveRow{"DownGoesToTheNearestKeyOfTheNextRow", 9, BarMove::Down, 13},
                    MoveRow{"DownFromTheLastRowStays", 13, BarMove::Down, 13},
                    MoveRow{"UpFromTheFirstRowStaysAmongTheKeys", 10, BarMove::Up, 10},
                    MoveRow{"LeftFromTheFirstKeyReachesTheControls", 9, BarMove::Left, 8},
                    MoveRow{"UpFromTheSecondRowIsTheNearestKeyAbove", 12, BarMove::Up, 9},
                    MoveRow{"UpFromXIsTheTopSideButton", 4, BarMove::Up, 3},
                    MoveRow{"DownFromXIsTheBottomSideButton", 4, BarMove::Down, 5},
                    MoveRow{"UpFromTheTopSideButtonStays", 3, BarMove::Up, 3},
                    MoveRow{"HomeIsTheFirstKey", 4, BarMove::Home, 9},
                    MoveRow{"EndIsTheLastKey", 0, BarMove::End, 13}),
    [](const testing::TestParamInfo<MoveRow>& row) { return std::string(row.param.name); });

TEST(BarFocusMove, ABarWithoutKeysStartsOnTheHandle) {
    EXPECT_EQ(firstKeyStop(barStops({})), 0);
    EXPECT_EQ(firstKeyStop(fiveKeys()), 9);
}

struct Typed {
    const char* text;
    std::int64_t ms;
    int focused; // the stop after typing, -1 for no match (the focus stays)
};

struct TypeRow {
    const char* name;
    std::vector<Typed> typed;
};

class BarTypeAhead : public testing::TestWithParam<TypeRow> {};

TEST_P(BarTypeAhead, JumpsToTheKeysThatBeginWithTheLetters) {
    const std::vector<BarStop> stops = fiveKeys();
    TypeAhead typeAhead;
    int focus = 0;
    for (const Typed& t : GetParam().typed) {
        const int found = typeAhead.type(stops, focus, t.text, t.ms);
        EXPECT_EQ(found, t.focused) << "after \"" << t.text << "\" at " << t.ms;
        if (found >= 0)
            focus = found;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Words, BarTypeAhead,
    testing::Values(TypeRow{"ARepeatedLetterVisitsEachKeyInTurn",
                            {{"f", 0, 10}, {"f", 2000, 11}, {"f", 4000, 10}}},
                    TypeRow{"AWordBeingTypedStaysOnItsKey",
                            {{"f", 0, 10}, {"i", 300, 10}, {"l", 600, 11}}},
                    TypeRow{"LetterCaseDoesNotMatter", {{"T", 0, 9}, {"C", 2000, 12}}},
                    TypeRow{"TheCaptionCountsAsMuchAsThePopUpText", {{"FILES", 0, 11}}},
                    TypeRow{"NoKeyBeginsWithIt", {{"z", 0, -1}, {"c", 2000, 12}}},
                    TypeRow{"ControlsAreNeverJumpedTo", {{"h", 0, -1}}}),
    [](const testing::TestParamInfo<TypeRow>& row) { return std::string(row.param.name); });

struct NameRow {
    const char* name;
    int index;
    const char* caption;
    const char* toolTip;
    const char* spoken;
    const char* description;
};

class KeyName : public testing::TestWithParam<NameRow> {};

TEST_P(KeyName, IsWhatThePersonSees) {
    const NameRow& row = GetParam();
    EXPECT_EQ(keyAccessibleName(row.index, row.caption, row.toolTip).text(), row.spoken);
    EXPECT_EQ(keyAccessibleDescription(row.index, row.caption, row.toolTip), row.description);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyName,
    testing::Values(NameRow{"CaptionAndPopUpText", 0, "Mail", "Posta elettronica", "Mail",
                            "Posta elettronica"},
                    NameRow{"IconOnlyIsItsPopUpText", 2, "", "Web browser", "Web browser", ""},
                    NameRow{"NeitherIsItsNumber", 6, "", "", "Key 7", ""},
                    NameRow{"TheNumberOnItsFaceIsNoCaption", 6, "7", "Mail", "Mail", ""},
                    NameRow{"OnlyTheNumberOnItsFace", 6, "7", "", "Key 7", ""},
                    NameRow{"AnotherKeysNumberIsACaption", 6, "8", "", "8", ""},
                    NameRow{"BlanksCountAsNothing", 127, "   ", "  ", "Key 128", ""},
                    NameRow{"BlanksAroundAreNotSpoken", 0, " Ed ", "Editor ", "Ed", "Editor"}),
    [](const testing::TestParamInfo<NameRow>& row) { return std::string(row.param.name); });

TEST(BarControlNames, EveryControlHasANameOfItsOwn) {
    std::vector<std::string> names;
    for (const BarStop& stop : barStops({})) {
        const std::string name = barControlName(stop.kind, stop.index).text();
        EXPECT_FALSE(name.empty());
        EXPECT_EQ(std::count(names.begin(), names.end(), name), 0) << name;
        names.push_back(name);
    }
    EXPECT_EQ(names.size(), 9u);
}

struct OrderRow {
    const char* name;
    std::vector<ControlBox> boxes;
    std::vector<int> order;
};

class TabOrder : public testing::TestWithParam<OrderRow> {};

TEST_P(TabOrder, ReadsTheLayoutRowByRow) {
    EXPECT_EQ(readingOrder(GetParam().boxes, 100), GetParam().order);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TabOrder,
    testing::Values(OrderRow{"LeftToRightInARow", {{900, 0, 10, 10}, {0, 0, 10, 10}}, {1, 0}},
                    OrderRow{"RowsTopToBottom", {{0, 500, 10, 10}, {900, 0, 10, 10}}, {1, 0}},
                    OrderRow{"SlightlyLowerIsTheSameRow",
                             {{900, 0, 10, 10}, {0, 80, 10, 10}, {400, 250, 10, 10}},
                             {1, 0, 2}},
                    OrderRow{"ARowIsMeasuredFromItsFirstControl",
                             {{0, 0, 10, 10}, {500, 90, 10, 10}, {100, 180, 10, 10}},
                             {0, 1, 2}},
                    OrderRow{"Nothing", {}, {}}),
    [](const testing::TestParamInfo<OrderRow>& row) { return std::string(row.param.name); });

struct ShortcutRow {
    const char* name;
    const char* text;
    std::optional<Shortcut> shortcut;
};

class ShortcutText : public testing::TestWithParam<ShortcutRow> {};

TEST_P(ShortcutText, NamesTheKeysOrNone) {
    EXPECT_EQ(parseShortcut(GetParam().text), GetParam().shortcut);
}

INSTANTIATE_TEST_SUITE_P(Texts, ShortcutText,
                         testing::Values(ShortcutRow{"TheDefault", "Super+Alt+O",
                                                     Shortcut{false, true, false, true, "o"}},
                                         ShortcutRow{"AnyLetterCaseAndBlanks", " ctrl + SHIFT+F12 ",
                                                     Shortcut{true, false, true, false, "F12"}},
                                         ShortcutRow{"MetaAndWinAreSuper", "Meta+Win+space",
                                                     Shortcut{false, false, false, true, "space"}},
                                         ShortcutRow{"EmptyTurnsItOff", "", std::nullopt},
                                         ShortcutRow{"APlainKeyIsRefused", "O", std::nullopt},
                                         ShortcutRow{"NoKey", "Ctrl+", std::nullopt},
                                         ShortcutRow{"UnknownModifier", "Hyper+O", std::nullopt}),
                         [](const testing::TestParamInfo<ShortcutRow>& row) {
                             return std::string(row.param.name);
                         });

TEST(ShortcutText, TheSettingDefaultsToTheDefaultAndAnEmptyValueTurnsItOff) {
    MemorySettings store;
    Preferences prefs(store);
    EXPECT_EQ(prefs.shortcut(), defaultShortcut);
    ASSERT_TRUE(store.write(settingkey::shortcut, ""));
    EXPECT_EQ(parseShortcut(prefs.shortcut()), std::nullopt);
}

} // namespace
