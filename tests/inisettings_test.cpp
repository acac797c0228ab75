#include "common/dockarea.h"
#include "platform/inisettings.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <tuple>

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
    // The place the bar stores as it ends: written together, all on disk at once.
    ASSERT_TRUE(Preferences(store).setPlace({-15, 7200.5f, 400, 28800, 16200}));
    IniSettings again(file);
    const Preferences read(again);
    EXPECT_EQ(std::make_tuple(read.left(), read.top(0), read.width(), read.areaWidth(),
                              read.areaHeight()),
              std::make_tuple(-15.0f, 7200.5f, 400.0f, 28800.0f, 16200.0f));
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

struct SettingsFileCase {
    const char* name;
    void (*make)(const std::filesystem::path& file);
    bool keptAside; // damaged: kept as Ombrix.conf.damaged, the settings start afresh
    bool leftAlone; // no regular file: neither read nor written
};

class HostileSettingsFile : public testing::TestWithParam<SettingsFileCase> {};

// Never waits, is reported once, and either starts afresh beside the kept copy or leaves
// what is in the way alone.
TEST_P(HostileSettingsFile, IsReportedAndNeverHoldsTheProgram) {
    TempFolder folder;
    const auto file = folder / "Ombrix.conf";
    GetParam().make(file);
    struct stat before {};
    ::lstat(file.c_str(), &before);
    {
        IniSettings store(file);
        EXPECT_FALSE(store.problem().text().empty());
        EXPECT_NE(store.problem().text().find(file.string()), std::string::npos)
            << store.problem().text();
        EXPECT_EQ(Preferences(store).width(), 400);
        EXPECT_EQ(Preferences(store).setLeft(12), !GetParam().leftAlone);
    }
    EXPECT_EQ(std::filesystem::exists(folder / "Ombrix.conf.damaged"), GetParam().keptAside);
    if (GetParam().leftAlone) {
        struct stat after {};
        ::lstat(file.c_str(), &after);
        EXPECT_EQ(after.st_mode, before.st_mode);
        EXPECT_EQ(after.st_ino, before.st_ino);
        return;
    }
    IniSettings again(file);
    EXPECT_TRUE(again.problem().text().empty()) << "reported once: " << again.problem().text();
    EXPECT_EQ(Preferences(again).left(), 12);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, HostileSettingsFile,
    testing::Values(
        SettingsFileCase{"Fifo", [](const std::filesystem::path& f) { ::mkfifo(f.c_str(), 0600); },
                         false, true},
        SettingsFileCase{
            "LinkToDevNull",
            [](const std::filesystem::path& f) { std::filesystem::create_symlink("/dev/null", f); },
            false, true},
        SettingsFileCase{"Binary",
                         [](const std::filesystem::path& f) {
                             std::string bytes;
                             for (int i = 0; i < 4096; ++i)
                                 bytes += static_cast<char>((i * 7919) % 256);
                             std::ofstream(f, std::ios::binary) << bytes;
                         },
                         true, false},
        SettingsFileCase{"SparseAndHuge",
                         [](const std::filesystem::path& f) {
                             std::ofstream(f) << "[posizione]\n";
                             std::filesystem::resize_file(f, 300u << 20);
                         },
                         true, false}),
    [](const auto& info) { return std::string(info.param.name); });
