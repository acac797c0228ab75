#include "bar/keybutton.h"
#include "barfixture.h"

#include "common/starterkeys.h"

#include <gtest/gtest.h>

using namespace ombrix;

namespace {

QColor keyColour(Form1& bar, int i) {
    return bar.key(i)->faceColour();
}

} // namespace

TEST(BarStartup, KeyFacesToolTipsAndColoursComeFromTheKeyTable) {
    BarFixture f;
    f.folder.write("icons/icon2.ico", "an icon file");
    f.folder.write("tools/edit.exe", "x");
    const std::string editor = (f.folder / "tools/edit.exe").string();
    f.writeKeys({
        keyWith("", 0, " Mail ", " Posta ", 255.0f),          // caption, red
        keyWith(editor + " /n notes.txt", 999, "", "Editor"), // the program's own icon
        keyWith("", 5, "", "", 65280.0f),                     // icon file of key 2, green
        keyWith("", 0, "      ", ""),                         // blank caption: its number
        keyWith(std::string(shutdownTarget), 0, "Off", "", std::nanf("")), // blue
        keyWith("", 4000, "gone", ""), // unknown face: left empty
    });
    auto bar = f.build();
    ASSERT_EQ(bar->keyCount(), 6);

    EXPECT_EQ(bar->key(0)->text(), "Mail");
    EXPECT_EQ(bar->key(0)->toolTip(), "Posta");
    EXPECT_EQ(keyColour(*bar, 0), QColor(255, 0, 0));
    EXPECT_TRUE(bar->key(1)->text().isEmpty());
    EXPECT_FALSE(bar->key(1)->icon().isNull()) << "icon taken from the path up to .exe";
    EXPECT_FALSE(bar->key(2)->icon().isNull()) << "icon file named after the key index";
    EXPECT_EQ(keyColour(*bar, 2), QColor(0, 255, 0));
    EXPECT_EQ(bar->key(3)->text(), "4");
    EXPECT_EQ(keyColour(*bar, 3), QColor(0xC8, 0xC8, 0xC8)) << "the system grey";
    EXPECT_EQ(keyColour(*bar, 4), QColor(0, 0, 255)) << "a shutdown key without a colour";
    EXPECT_TRUE(bar->key(5)->text().isEmpty());
    EXPECT_EQ(bar->keys()[0].caption.text(), "Mail");
    EXPECT_EQ(f.beeps, 1) << "one beep for the colour that is no number";
}

TEST(BarStartup, AShutdownKeyWithAValidColourShowsThatColour) {
    BarFixture f;
    f.writeKeys({keyWith(std::string(shutdownTarget), 0, "Off", "", 65535.0f)});
    auto bar = f.build();
    EXPECT_EQ(keyColour(*bar, 0), QColor(255, 255, 0));
}

TEST(BarStartup, AMissingIconFileLeavesThatKeyBlankAndTheOthersFaced) {
    BarFixture f;
    f.writeKeys({keyWith("", 7, "", ""), keyWith("", 0, "Next", "")});
    auto bar = f.build();
    EXPECT_TRUE(bar->key(0)->icon().isNull());
    EXPECT_TRUE(bar->key(0)->text().isEmpty());
    EXPECT_EQ(bar->key(1)->text(), "Next");
    EXPECT_EQ(f.beeps, 1);
}

TEST(BarStartup, WithoutAKeyTableTheKeysShowTheirNumbers) {
    BarFixture f;
    ASSERT_TRUE(writeKeyCount(f.keyCountFile(), 4));
    auto bar = f.build();
    ASSERT_EQ(bar->keyCount(), 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(bar->key(i)->text(), QString::number(i + 1));
    bar->Command2_Click(2);
    EXPECT_EQ(f.desktop.warnings,
              std::vector<std::string>{"This key has nothing to start (error 53)."});
}

TEST(BarStartup, AShortKeyTableShowsNumbersForTheMissingRecords) {
    BarFixture f;
    f.writeKeys({keyWith("", 0, "One", "")});
    ASSERT_TRUE(writeKeyCount(f.keyCountFile(), 3));
    auto bar = f.build();
    ASSERT_EQ(bar->keyCount(), 3);
    EXPECT_EQ(bar->key(0)->text(), "One");
    EXPECT_EQ(bar->key(2)->text(), "3");
}

TEST(BarStartup, AFirstRunShowsTheStarterKeys) {
    BarFixture f;
    f.folder.write("applications/debian-xterm.desktop",
                   "[Desktop Entry]\nName=XTerm\nExec=xterm\nIcon=mini.xterm\n");
    auto bar = f.build();
    const auto starter = starterKeys({f.folder / "applications"});
    ASSERT_EQ(bar->keyCount(), static_cast<int>(starter.size()));
    ASSERT_EQ(bar->keyCount(), 3);
    EXPECT_FALSE(bar->key(0)->icon().isNull()) << "the terminal shows its own icon";
    EXPECT_EQ(bar->key(1)->text(), "Web");
    EXPECT_EQ(bar->key(2)->text(), "Off");

    bar->Command2_Click(1);
    EXPECT_EQ(f.desktop.webAddresses, std::vector<std::string>{"http://www.debian.org/"});
}

struct PlaceCase {
    const char* name;
    const char* left;
    const char* top;
    const char* width;
    BarWindowState expected;
    bool keepOpen;
};

class SavedPlace : public testing::TestWithParam<PlaceCase> {};

TEST_P(SavedPlace, RestoresShapeKeepOpenAndStaysOnTheScreen) {
    const auto& c = GetParam();
    BarFixture f;
    f.writeKeys({keyWith("", 0, "A", "")});
    if (c.left)
        f.store.write("left", c.left);
    if (c.top)
        f.store.write("top", c.top);
    if (c.width)
        f.store.write("larghezza", c.width);
    auto bar = f.build();
    EXPECT_EQ(bar->state().left, c.expected.left);
    EXPECT_EQ(bar->state().top, c.expected.top);
    EXPECT_EQ(bar->state().width, c.expected.width);
    EXPECT_EQ(bar->state().shape, c.expected.shape);
    EXPECT_EQ(bar->keepOpenBox()->isChecked(), c.keepOpen);
    EXPECT_FALSE(bar->marker()->isVisibleTo(bar.get()));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SavedPlace,
    testing::Values(
        PlaceCase{"FirstRunHalfway",
                  nullptr,
                  nullptr,
                  nullptr,
                  {0, 8100, 400, 0, WindowShape::Handle},
                  false},
        PlaceCase{
            "SavedOpen", "0", "3000", "28800", {0, 3000, 28800, 0, WindowShape::WholeBar}, true},
        PlaceCase{
            "BelowTheBottom", "0", "30000", "400", {0, 15400, 400, 0, WindowShape::Handle}, false},
        // Saved open on a screen of another width: it starts shaped as the handle.
        PlaceCase{"OpenAtAnOldWidth",
                  "0",
                  "3000",
                  "19200",
                  {0, 3000, 19200, 0, WindowShape::Handle},
                  true},
        PlaceCase{"Garbage", "x", "y", "z", {0, 8100, 400, 0, WindowShape::Handle}, false}),
    [](const auto& info) { return info.param.name; });

TEST(BarStartup, TheWindowLandsWhereTheSettingsSayInPixels) {
    BarFixture f;
    f.writeKeys({keyWith("", 0, "A", "")});
    f.store.write("left", "0");
    f.store.write("top", "3000");
    auto bar = f.build();
    EXPECT_EQ(bar->geometry(), QRect(0, 200, 27, 33));
    EXPECT_EQ(bar->mask().boundingRect(), QRect(0, 0, 27, 27)) << "cut to the round handle";
}

TEST(BarStartup, AFailedKeyTableStepLeavesNoKeyWithoutItsRecord) {
    BarFixture f;
    f.writeKeys({keyWith("", 0, "A", ""), keyWith("", 0, "B", ""), keyWith("", 0, "C", "")});
    ombrix::BarStartup startup = f.startup();
    startup.readKeys = [](const ombrix::BarStartup& s, int& keyCount) -> std::vector<KeyRecord> {
        ombrix::startupKeys(s, keyCount); // the count is known when memory runs out
        throw std::bad_alloc();
    };
    auto bar = ombrix::buildBar(startup);
    EXPECT_EQ(f.beeps, 1);
    ASSERT_GE(bar->keyCount(), 1);
    ASSERT_EQ(bar->keys().size(), static_cast<std::size_t>(bar->keyCount()));
    for (int i = 0; i < bar->keyCount(); ++i)
        bar->Command2_Click(i);
    EXPECT_EQ(f.desktop.warnings,
              std::vector<std::string>(static_cast<std::size_t>(bar->keyCount()),
                                       "This key has nothing to start (error 53)."));
}
