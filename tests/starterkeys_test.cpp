#include "common/starterkeys.h"
#include "common/targets.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

using namespace ombrix;

TEST(StarterKeys, WithoutProgramsTheWebAddressAndShutdownRemain) {
    TempFolder folder;
    const auto keys = starterKeys({folder / "applications"});
    ASSERT_EQ(keys.size(), 2u);
    EXPECT_TRUE(isWebAddress(keys[0].target.text()));
    EXPECT_TRUE(isShutdownTarget(keys[1].target.text()));
    EXPECT_EQ(keys[1].caption.text(), "Off");
}

TEST(StarterKeys, FindsOneProgramOfEachKindUserEntriesFirst) {
    TempFolder folder;
    const auto user = folder / "user";
    const auto system = folder / "system";
    folder.write("system/debian-xterm.desktop", "[Desktop Entry]\nExec=xterm\n");
    folder.write("system/org.gnome.Terminal.desktop", "[Desktop Entry]\nExec=gnome-terminal\n");
    folder.write("user/org.gnome.Terminal.desktop", "[Desktop Entry]\nExec=gnome-terminal\n");
    folder.write("system/thunar.desktop", "[Desktop Entry]\nExec=thunar\n");
    folder.write("system/org.gnome.Calculator.desktop", "[Desktop Entry]\nExec=gnome-calculator\n");

    const auto keys = starterKeys({user, system});
    ASSERT_EQ(keys.size(), 5u);
    EXPECT_EQ(keys[0].target.text(), (user / "org.gnome.Terminal.desktop").string());
    EXPECT_EQ(keys[1].target.text(), (system / "thunar.desktop").string());
    EXPECT_EQ(keys[2].target.text(), (system / "org.gnome.Calculator.desktop").string());
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(keys[i].iconIndex, targetIconIndex) << "programs show their own icons";
        EXPECT_FALSE(keys[i].toolTip.text().empty());
    }
}

TEST(StarterKeys, EveryKeyHasAPlainColour) {
    TempFolder folder;
    for (const auto& key : starterKeys({folder.path()})) {
        EXPECT_GE(key.backColor, 0.0f);
        EXPECT_LE(key.backColor, 16777215.0f);
    }
}
