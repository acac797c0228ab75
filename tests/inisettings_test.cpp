#include "platform/inisettings.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

using namespace ombrix;
using ombrix::platform::IniSettings;

TEST(IniSettings, StoresTheTextsInGroupPosizione) {
    TempFolder folder;
    const auto file = folder / "Ombrix" / "Ombrix.conf";
    {
        IniSettings store(file);
        Preferences prefs(store);
        EXPECT_TRUE(prefs.setWidth(400));
        EXPECT_TRUE(prefs.setTransparentBack(true));
        EXPECT_TRUE(prefs.setSide(2));
    }
    const std::string text = readBytes(file);
    EXPECT_NE(text.find("[posizione]"), std::string::npos) << text;
    EXPECT_NE(text.find("larghezza=400"), std::string::npos) << text;
    EXPECT_NE(text.find("tras=True"), std::string::npos) << text;

    IniSettings again(file);
    const Preferences prefs(again);
    EXPECT_EQ(prefs.width(), 400);
    EXPECT_TRUE(prefs.transparentBack());
    EXPECT_EQ(prefs.side(), 2);
}

TEST(IniSettings, AWriteIsOnDiskBeforeTheStoreIsGone) {
    TempFolder folder;
    const auto file = folder / "Ombrix.conf";
    IniSettings store(file);
    ASSERT_TRUE(Preferences(store).setLeft(1234));
    EXPECT_NE(readBytes(file).find("left=1234"), std::string::npos);
}

TEST(IniSettings, AFileOfGarbageGivesTheDefaults) {
    TempFolder folder;
    const auto file = folder.write("Ombrix.conf", "[posizione]\nleft=@@@\ntop=\nlarghezza=1,2\n"
                                                  "indice=left\nsuono=maybe\n\x01\x02\xff\n"
                                                  "tras=7e400\n");
    IniSettings store(file);
    const Preferences prefs(store);
    EXPECT_EQ(prefs.left(), 0);
    EXPECT_EQ(prefs.top(1000), 500);
    EXPECT_EQ(prefs.width(), 400);
    EXPECT_EQ(prefs.side(), 1);
    EXPECT_TRUE(prefs.sound());
    EXPECT_FALSE(prefs.transparentBack());
}

TEST(IniSettings, RandomBytesNeverBreakTheReader) {
    TempFolder folder;
    std::string noise;
    for (int i = 0; i < 4096; ++i)
        noise += static_cast<char>((i * 7919) % 251);
    IniSettings store(folder.write("Ombrix.conf", noise));
    const Preferences prefs(store);
    EXPECT_EQ(prefs.width(), 400);
    EXPECT_EQ(prefs.side(), 1);
}

TEST(IniSettings, AnUnwritableFileIsReported) {
    TempFolder folder;
    folder.write("blocker", "a file where the folder should be");
    IniSettings store(folder / "blocker" / "Ombrix.conf");
    EXPECT_FALSE(store.write("left", "0"));
}
