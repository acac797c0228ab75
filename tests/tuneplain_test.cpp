#include "tempfolder.h"
#include "tune/iconworkspace.h"
#include "tune/keylist.h"
#include "tune/placement.h"
#include "tune/targetline.h"

#include "common/keycount.h"
#include "common/keysave.h"
#include "common/targets.h"

#include <gtest/gtest.h>

#include <ostream>

using namespace ombrix;
namespace fs = std::filesystem;

namespace {

template <typename Row>
requires requires(const Row& row) {
    row.name;
}
void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// ---- The icon files follow the key table

struct IconFolder {
    TempFolder folder;
    IconFolder() {
        folder.write("icons/icon3.ico", "three");
        folder.write("icons/icon4.ico", "four");
        folder.write("icons/notes.txt", "kept");
        folder.write("barra.dat", "old table");
    }
    std::string icon(int i) const { return readBytes(iconFilePath(folder.path(), i)); }
};

KeyFiles keyFilesOf(const IconFolder& f) {
    return {f.folder.path(), f.folder / "config/keycount.stm"};
}

TEST(IconWorkspace, ChangesReachTheIconsFolderOnlyWithTheKeyTable) {
    IconFolder f;
    TuneState state;
    {
        IconWorkspace icons(f.folder.path());
        ASSERT_TRUE(icons.prepareChange());
        ASSERT_TRUE(moveKey(state, icons.folder(), 3, 5)); // icon3 becomes icon5
        EXPECT_EQ(readBytes(iconFilePath(icons.folder(), 5)), "three");
        EXPECT_EQ(f.icon(3), "three") << "nothing changes before the save";
        EXPECT_FALSE(fileExists(iconFilePath(f.folder.path(), 5)));
    } // left without saving
    EXPECT_EQ(f.icon(3), "three");
    EXPECT_EQ(f.icon(4), "four");
    EXPECT_FALSE(fileExists(iconFilePath(f.folder.path(), 5)));
    EXPECT_FALSE(fs::exists(f.folder / "tune.scratch")) << "the scratch copy goes with it";

    IconWorkspace icons(f.folder.path());
    ASSERT_TRUE(icons.prepareChange());
    ASSERT_TRUE(moveKey(state, icons.folder(), 3, 6)); // icon3 becomes icon6, none at 3
    const WriteResult saved =
        saveKeys(keyFilesOf(f), std::span(state.keys.data(), maxKeys), 7, icons.savedIcons());
    ASSERT_TRUE(saved) << saved.message.text();
    EXPECT_FALSE(fileExists(iconFilePath(f.folder.path(), 3)));
    EXPECT_EQ(f.icon(4), "four");
    EXPECT_EQ(f.icon(6), "three");
    EXPECT_EQ(readBytes(f.folder / "icons/notes.txt"), "kept");
    EXPECT_EQ(readKeyCount(f.folder / "config/keycount.stm"), 7);
}

TEST(IconWorkspace, ASaveThatCannotBeMadeChangesNoIcon) {
    IconFolder f;
    TuneState state;
    IconWorkspace icons(f.folder.path());
    ASSERT_TRUE(icons.prepareChange());
    ASSERT_TRUE(moveKey(state, icons.folder(), 3, 4));
    fs::remove(f.folder / "barra.dat");
    fs::create_directory(f.folder / "barra.dat"); // a folder in the table's way
    const WriteResult saved =
        saveKeys(keyFilesOf(f), std::span(state.keys.data(), maxKeys), 7, icons.savedIcons());
    EXPECT_FALSE(saved);
    EXPECT_NE(saved.message.text().find("barra.dat"), std::string::npos) << saved.message.text();
    EXPECT_EQ(f.icon(3), "three");
    EXPECT_EQ(f.icon(4), "four");
    EXPECT_FALSE(fs::exists(f.folder / "config/keycount.stm"));
}

// ---- The target line and the fields "Setup" stores from it

struct LineRow {
    const char* name;
    std::string line;
    TargetFields fields;
    std::string refusal; // the start of the message; empty when the key can hold the line
};

class SetupFields : public testing::TestWithParam<LineRow> {};

TEST_P(SetupFields, SplitTheLineIntoProgramAndDocumentOrRefuseIt) {
    const LineRow& row = GetParam();
    const TargetFields fields = targetFieldsOf(row.line);
    EXPECT_EQ(fields.target, row.fields.target);
    EXPECT_EQ(fields.argument, row.fields.argument);
    EXPECT_EQ(targetRefusal(fields).substr(0, row.refusal.size()), row.refusal);
    EXPECT_EQ(targetRefusal(fields).empty(), row.refusal.empty());
}

const std::string longPath = "/" + std::string(250, 'a') + ".exe";

INSTANTIATE_TEST_SUITE_P(
    Lines, SetupFields,
    testing::Values(
        LineRow{"ProgramAndDocument", "/t/ed.exe /d/a b.txt ", {"/t/ed.exe", "/d/a b.txt"}, ""},
        LineRow{"DocumentRemoved", "/t/ed.exe ", {"/t/ed.exe", ""}, ""},
        LineRow{"WebAddressWhole", " http://h/p q ", {"http://h/p q", ""}, ""},
        LineRow{"ShutdownKey", "shl.ShutdownWindows ", {"shl.ShutdownWindows", ""}, ""},
        LineRow{"TooLong", longPath, {longPath, ""}, "The target is 255 characters long"},
        LineRow{"DocumentTooLong",
                "/t/ed.exe " + longPath,
                {"/t/ed.exe", longPath},
                "The document is 255 characters long"},
        LineRow{"CharacterOutsideTheSet",
                "/t/\xC4\x89.exe",
                {"/t/\xC4\x89.exe", ""},
                "The target holds the character \"\xC4\x89\""},
        LineRow{"Windows1252Letters",
                "/t/\xC3\xA9t\xC3\xA9.exe",
                {"/t/\xC3\xA9t\xC3\xA9.exe", ""},
                ""}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- The key editor beside the bar copy

struct PlaceRow {
    const char* name;
    ScreenSize screen;
    Area copy;
    EditorPlace expected;
};

class EditorPlacement : public testing::TestWithParam<PlaceRow> {};

// The editor's frame: 9480 x 5808 twips drawn a fifth larger, with a title bar.
constexpr double editorWidth = 11496, editorHeight = 7420;

TEST_P(EditorPlacement, KeepsTheEditorOnTheScreenAndClearOfTheCopy) {
    const PlaceRow& row = GetParam();
    const EditorPlace place = placeEditor(row.screen, editorWidth, editorHeight, row.copy);
    EXPECT_EQ(place.left, row.expected.left);
    EXPECT_EQ(place.top, row.expected.top);
    EXPECT_EQ(place.copyTop, row.expected.copyTop);
    const Area copy{row.copy.left, place.copyTop, row.copy.width, row.copy.height};
    EXPECT_FALSE((Area{place.left, place.top, editorWidth, editorHeight}.meets(copy)));
    EXPECT_TRUE(liesWithin({place.left, place.top, editorWidth, editorHeight}, row.screen));
}

INSTANTIATE_TEST_SUITE_P(
    Screens, EditorPlacement,
    testing::Values(
        PlaceRow{"CentredWhenFree", {28800, 16200}, {0, 0, 28800, 1500}, {8652, 4390, 0}},
        PlaceRow{"LaptopCopyAtMidHeightMovesToTheTop",
                 {20490, 11520},
                 {0, 5760, 20490, 1500},
                 {4497, 2050, 0}},
        PlaceRow{"AboveWhenThereIsRoom", {28800, 16200}, {0, 8000, 28800, 1500}, {8652, 580, 8000}},
        PlaceRow{
            "BelowWhenNearerTheCentre", {20490, 11520}, {0, 1000, 20490, 1500}, {4497, 2500, 1000}},
        PlaceRow{"SmallScreenMovesTheCopyToTheTop",
                 {15360, 11520},
                 {0, 4000, 15360, 2000},
                 {1932, 2050, 0}},
        PlaceRow{"OnThePrimaryBelowAnother",
                 {28800, 16200, 0, 16200},
                 {0, 16200, 28800, 1500},
                 {8652, 20590, 16200}},
        PlaceRow{"BelowATopPanelOnTheRightMonitor",
                 {19200, 14910, 28800, 450},
                 {28800, 450, 19200, 1800},
                 {32652, 4195, 450}}),
    [](const auto& info) { return std::string(info.param.name); });

struct ViewRow {
    const char* name;
    ScreenSize area;
    double twipsPerPixel; // the scale: 15 at 1x, 7.5 at 2x
    double copyHeight;
    EditorView expected;
};

class EditorFits : public testing::TestWithParam<ViewRow> {};

// The design's editor, 11376 x 6970 twips, in a frame of 8 x 36 pixels.
TEST_P(EditorFits, WholeWhereItFitsElseScrolling) {
    const ViewRow& row = GetParam();
    const double t = row.twipsPerPixel;
    const EditorView view = editorView(row.area, 11376, 6970, 8 * t, 36 * t, row.copyHeight);
    EXPECT_EQ(view.width, row.expected.width);
    EXPECT_EQ(view.height, row.expected.height);
    EXPECT_EQ(view.scrolls, row.expected.scrolls);
    EXPECT_LE(view.width + 8 * t, row.area.width);
    EXPECT_LE(view.height + 36 * t + row.copyHeight, row.area.height);
}

INSTANTIATE_TEST_SUITE_P(
    Areas, EditorFits,
    testing::Values(
        ViewRow{"SmallScreenAtOne", {15360, 11520}, 15, 1800, {11376, 6970, false}},
        ViewRow{"FullHdAtTwiceWithPanels", {14400, 7515, 0, 225}, 7.5, 1800, {11376, 5445, true}},
        ViewRow{"LaptopAtOneAndAHalf", {16000, 9000}, 10, 1800, {11376, 6840, true}},
        ViewRow{"SmallScreenAtOneAndAQuarter", {12288, 9216}, 12, 1800, {11376, 6970, false}},
        ViewRow{"SmallScreenAtTwice", {7680, 5760}, 7.5, 1800, {7620, 3690, true}}),
    [](const auto& info) { return std::string(info.param.name); });

struct RoomRow {
    const char* name;
    Area copy;
    ScreenSize expected;
};

class RoomBesideCopy : public testing::TestWithParam<RoomRow> {};

// An area of 1366 x 738 pixels below a 30-pixel panel, at 15 twips a pixel.
TEST_P(RoomBesideCopy, IsTheLargerBandTheCopyLeaves) {
    const ScreenSize room = roomBesideCopy({20490, 11070, 0, 450}, GetParam().copy);
    EXPECT_EQ(room, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Copies, RoomBesideCopy,
    testing::Values(RoomRow{"AtTheTop", {0, 450, 20490, 2400}, {20490, 8670, 0, 2850}},
                    RoomRow{"AtTheBottom", {0, 9120, 20490, 2400}, {20490, 8670, 0, 450}},
                    RoomRow{"AboveTheMiddle", {0, 4000, 300, 2400}, {20490, 5120, 0, 6400}},
                    RoomRow{"OffTheArea", {0, 12000, 20490, 2400}, {20490, 11070, 0, 450}}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
