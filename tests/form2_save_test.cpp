#include "tuneeditor.h"

#include "common/keytable.h"
#include "recordbytes.h"

#include <QCheckBox>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <sys/resource.h>
#include <unistd.h>

using namespace ombrix;

namespace {

// ---- Records as the file stores them, assembled field by field

const std::string greyColour = bytesOf({0x00, 0x00, 0x00, 0xCF});         // -2147483648.0
const std::string shutdownBlueColour = bytesOf({0x00, 0x00, 0x7F, 0x4B}); // 16711680.0

// A key no one has touched: no target (blanks), no document (never set), its number as
// caption after a blank, no pop-up text.
std::string untouchedRecord(int i) {
    return padded("", 250) + nuls(250) + littleEndian16(0) +
           padded(" " + std::to_string(i + 1), 6) + padded("", 36) + littleEndian16(0) + greyColour;
}

std::vector<std::string> folderFiles(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// The editor shown with key 6 given the caption "Mail" by "Setup" and the sound box cleared:
// changes that only "EXIT" stores.
void editKeySix(TuneEditor& f) {
    f.editor->show();
    f.select(6);
    f.ui().Check3->setChecked(false);
    f.ui().HScroll1->setValue(0);
    f.ui().Text1->setText("Mail");
    f.ui().Text2->setText("Posta");
    f.ui().Text3->setText("http://mail.example.org");
    f.ui().Command2->click();
    f.ui().Check1->setChecked(false);
}

} // namespace

// ---- "EXIT"

TEST(Exit, WritesEveryRecordByteForByteThenTheChoicesTheCountAndStartsTheBar) {
    TuneEditor f;
    const auto program = f.file("tools/ed.exe");
    editKeySix(f);
    f.select(0);
    f.openFolder(program.parent_path());
    f.clickFile("ed.exe");
    f.ui().Check3->setChecked(true);
    f.ui().Text2->setText("Editor");
    f.ui().Command2->click();
    f.select(2);
    f.ui().Option4->setChecked(true);

    f.ui().command1->click();

    std::string expected;
    for (int i = 0; i < maxKeys; ++i) {
        if (i == 0)
            expected += padded(program.string(), 250) + nuls(250) + littleEndian16(999) +
                        padded(" 1", 6) + padded("Editor", 36) + littleEndian16(0) + greyColour;
        else if (i == 2)
            expected += padded("shl.ShutdownWindows", 250) + padded("", 250) + littleEndian16(121) +
                        padded(" 3", 6) + padded("EXIT Windows", 36) + littleEndian16(0) +
                        shutdownBlueColour;
        else if (i == 6)
            expected += padded("http://mail.example.org", 250) + nuls(250) + littleEndian16(0) +
                        padded("Mail", 6) + padded("Posta", 36) + littleEndian16(0) + greyColour;
        else
            expected += untouchedRecord(i);
    }
    const std::string written = readBytes(keyTablePath(f.bar.folder.path()));
    ASSERT_EQ(written.size(), 128 * keyRecordSize) << "all 128 records, whatever the count";
    for (int i = 0; i < maxKeys; ++i) {
        const auto at = static_cast<std::size_t>(i) * keyRecordSize;
        EXPECT_EQ(written.substr(at, keyRecordSize), expected.substr(at, keyRecordSize))
            << "record " << i + 1;
    }

    EXPECT_EQ(f.bar.store.read("suono"), "False");
    EXPECT_EQ(f.bar.store.read("doppio"), "True");
    EXPECT_FALSE(f.state.soundOn);
    const std::string count = readBytes(f.bar.keyCountFile());
    ASSERT_EQ(count.size(), 344u);
    EXPECT_EQ(count.substr(340), bytesOf({0x00, 0x00, 0x20, 0x41})) << "10.0 as a single";

    ASSERT_EQ(f.bar.desktop.starts.size(), 1u);
    EXPECT_EQ(f.bar.desktop.starts[0].program, (f.bar.folder / "ombrix").string());
    EXPECT_TRUE(f.bar.desktop.starts[0].arguments.empty());
    EXPECT_EQ(f.bar.desktop.starts[0].workingDirectory, f.bar.folder.path().string());
    EXPECT_EQ(f.quits, 1);
    EXPECT_FALSE(f.editor->isVisible());
    EXPECT_FALSE(f.copy->marker()->isVisibleTo(f.copy.get()));
    EXPECT_TRUE(f.warnings.empty());
}

TEST(Leaving, TheCloseBoxKeepsTheOldTableButStoresTheCountAndStartsTheBar) {
    TuneEditor f;
    f.bar.writeKeys({keyWith("/old/one", 0, "One", "")});
    const std::string before = readBytes(keyTablePath(f.bar.folder.path()));
    editKeySix(f);
    f.state.keyCount = 12;

    f.editor->close();
    EXPECT_EQ(readBytes(keyTablePath(f.bar.folder.path())), before);
    EXPECT_EQ(readKeyCount(f.bar.keyCountFile()), 12);
    EXPECT_FALSE(f.bar.store.read("suono").has_value()) << "the sound box is stored by EXIT only";
    ASSERT_EQ(f.bar.desktop.starts.size(), 1u);
    EXPECT_EQ(f.bar.desktop.starts[0].program, (f.bar.folder / "ombrix").string());
    EXPECT_EQ(f.quits, 1);
    EXPECT_FALSE(f.editor->isVisible());
}

TEST(Leaving, ABarThatCannotBeStartedIsReportedAndTheSetupEndsAllTheSame) {
    TuneEditor f;
    f.editor->show();
    f.bar.desktop.startResult = 53;
    f.editor->close();
    ASSERT_EQ(f.warnings.size(), 1u);
    EXPECT_TRUE(f.warnings[0].contains("ombrix")) << f.warnings[0].toStdString();
    EXPECT_TRUE(f.warnings[0].contains("53"));
    EXPECT_EQ(f.quits, 1);
}

// ---- A save that fails

enum class Obstacle { FullDisk, FolderInTheWay, ReadOnlyFolder };

// Makes writing barra.dat fail the way its name says while it lives; every way leaves the
// program folder usable again afterwards.
class SaveObstacle {
public:
    SaveObstacle(Obstacle kind, const std::filesystem::path& folder)
        : kind_(kind), folder_(folder) {}
    ~SaveObstacle() { lift(); }

    // False when this user's writes cannot be stopped this way.
    bool raise() {
        switch (kind_) {
        case Obstacle::FullDisk:
            // Past this size a write fails as on a full disk (EFBIG instead of ENOSPC).
            getrlimit(RLIMIT_FSIZE, &saved_);
            oldSignal_ = std::signal(SIGXFSZ, SIG_IGN);
            {
                rlimit small = saved_;
                small.rlim_cur = 4096;
                setrlimit(RLIMIT_FSIZE, &small);
            }
            break;
        case Obstacle::FolderInTheWay:
            std::filesystem::create_directories(folder_ / "barra.dat");
            std::ofstream(folder_ / "barra.dat" / "inside") << "kept";
            break;
        case Obstacle::ReadOnlyFolder:
            std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::remove);
            if (::access(folder_.c_str(), W_OK) == 0)
                return false; // the superuser writes anyway
            break;
        }
        raised_ = true;
        return true;
    }

    void lift() {
        if (!raised_)
            return;
        raised_ = false;
        switch (kind_) {
        case Obstacle::FullDisk:
            setrlimit(RLIMIT_FSIZE, &saved_);
            std::signal(SIGXFSZ, oldSignal_);
            break;
        case Obstacle::FolderInTheWay:
            std::filesystem::remove_all(folder_ / "barra.dat");
            break;
        case Obstacle::ReadOnlyFolder:
            std::filesystem::permissions(folder_, std::filesystem::perms::owner_write,
                                         std::filesystem::perm_options::add);
            break;
        }
    }

private:
    Obstacle kind_;
    std::filesystem::path folder_;
    bool raised_ = false;
    rlimit saved_{};
    void (*oldSignal_)(int) = SIG_DFL;
};

struct ObstacleRow {
    const char* name;
    Obstacle obstacle;
    bool oldTable; // a table is there before
};

class FailedSave : public testing::TestWithParam<ObstacleRow> {};

TEST_P(FailedSave, SaysSoKeepsTheOldFileAndStaysOpenWithTheChanges) {
    const ObstacleRow& row = GetParam();
    TuneEditor f;
    if (row.oldTable)
        f.bar.writeKeys({keyWith("/old/one", 0, "One", "")});
    const std::string before = readBytes(keyTablePath(f.bar.folder.path()));
    const auto filesBefore = folderFiles(f.bar.folder.path());
    const std::string countBefore = readBytes(f.bar.keyCountFile());
    editKeySix(f);

    SaveObstacle obstacle(row.obstacle, f.bar.folder.path());
    if (!obstacle.raise())
        GTEST_SKIP() << "this user writes into a read-only folder all the same";
    f.ui().command1->click();
    obstacle.lift();

    ASSERT_EQ(f.warnings.size(), 1u);
    const QString table = QString::fromStdString(keyTablePath(f.bar.folder.path()).string());
    EXPECT_TRUE(f.warnings[0].contains(table)) << f.warnings[0].toStdString();
    if (row.oldTable) {
        EXPECT_EQ(readBytes(keyTablePath(f.bar.folder.path())), before);
    }
    EXPECT_TRUE(f.editor->isVisible());
    EXPECT_EQ(f.quits, 0);
    EXPECT_TRUE(f.bar.desktop.starts.empty()) << "the bar is not started";
    EXPECT_FALSE(f.bar.store.read("suono").has_value());
    EXPECT_EQ(readBytes(f.bar.keyCountFile()), countBefore) << "the closing did not run";
    EXPECT_EQ(f.key(6).caption.text(), "Mail") << "the change is still there";
    EXPECT_FALSE(f.ui().Check1->isChecked());
    EXPECT_EQ(folderFiles(f.bar.folder.path()), filesBefore) << "no half-written file is left";

    // Once the obstacle is gone, "EXIT" again stores everything.
    f.ui().command1->click();
    const auto keys = readKeyTable(keyTablePath(f.bar.folder.path()), maxKeys);
    ASSERT_TRUE(keys.has_value());
    ASSERT_EQ(keys->size(), 128u);
    EXPECT_EQ((*keys)[6].caption.text(), "Mail");
    EXPECT_EQ(f.bar.store.read("suono"), "False");
    EXPECT_EQ(f.quits, 1);
}

INSTANTIATE_TEST_SUITE_P(
    Obstacles, FailedSave,
    testing::Values(ObstacleRow{"FullDisk", Obstacle::FullDisk, true},
                    ObstacleRow{"FolderInTheWay", Obstacle::FolderInTheWay, false},
                    ObstacleRow{"ReadOnlyFolder", Obstacle::ReadOnlyFolder, true}),
    [](const auto& info) { return std::string(info.param.name); });

// The count is part of what "EXIT" stores: without it nothing is stored. The close box then
// reports the count it cannot store and leaves all the same.
TEST(FailedSave, AKeyCountThatCannotBeWrittenStoresNothingAndTheSetupCanBeLeft) {
    TuneEditor f;
    f.bar.writeKeys({keyWith("/old/one", 0, "One", "")});
    const std::string before = readBytes(keyTablePath(f.bar.folder.path()));
    std::filesystem::remove_all(f.bar.folder / "config");
    f.bar.folder.write("config", "a file where the configuration folder belongs");
    editKeySix(f);
    f.ui().command1->click();
    ASSERT_EQ(f.warnings.size(), 1u);
    EXPECT_TRUE(f.warnings[0].contains("config")) << f.warnings[0].toStdString();
    EXPECT_EQ(readBytes(keyTablePath(f.bar.folder.path())), before);
    EXPECT_TRUE(f.editor->isVisible());
    EXPECT_EQ(f.quits, 0);

    f.editor->close();
    ASSERT_EQ(f.warnings.size(), 2u);
    EXPECT_TRUE(f.warnings[1].contains(QString::fromStdString(f.bar.keyCountFile().string())))
        << f.warnings[1].toStdString();
    EXPECT_EQ(readBytes(keyTablePath(f.bar.folder.path())), before);
    EXPECT_EQ(f.quits, 1);
    EXPECT_EQ(f.bar.desktop.starts.size(), 1u);
}

// ---- Starting with the session

TEST(StartUpBox, EachClickStoresTheChoiceAndStartsTheHelperOnce) {
    TuneEditor f;
    f.editor->Form_Load();
    ASSERT_FALSE(f.ui().Check5->isChecked());
    f.ui().Check5->click();
    EXPECT_EQ(f.bar.store.read("StartUp"), "True");
    ASSERT_EQ(f.bar.desktop.starts.size(), 1u);
    EXPECT_EQ(f.bar.desktop.starts[0].program, (f.bar.folder / "OStartUp").string());
    EXPECT_TRUE(f.bar.desktop.starts[0].arguments.empty());
    EXPECT_EQ(f.bar.desktop.starts[0].workingDirectory, f.bar.folder.path().string());

    f.ui().Check5->click();
    EXPECT_EQ(f.bar.store.read("StartUp"), "False");
    EXPECT_EQ(f.bar.desktop.starts.size(), 2u);
    EXPECT_TRUE(f.warnings.empty());
}

TEST(StartUpBox, LoadingAStoredChoiceStartsNothing) {
    TuneEditor f;
    f.bar.store.write("StartUp", "True");
    f.editor->Form_Load();
    f.editor->Form_Load(); // the start-up loads the window twice
    EXPECT_TRUE(f.ui().Check5->isChecked());
    EXPECT_TRUE(f.bar.desktop.starts.empty());
    EXPECT_EQ(f.bar.store.read("StartUp"), "True");

    f.ui().Check5->click();
    EXPECT_EQ(f.bar.store.read("StartUp"), "False");
    EXPECT_EQ(f.bar.desktop.starts.size(), 1u) << "the user's first click counts";
}

TEST(StartUpBox, AMissingHelperIsReportedAfterTheChoiceIsStored) {
    TuneEditor f;
    f.bar.desktop.startResult = 53;
    f.ui().Check5->click();
    EXPECT_EQ(f.bar.store.read("StartUp"), "True");
    ASSERT_EQ(f.warnings.size(), 1u);
    EXPECT_TRUE(f.warnings[0].contains((f.bar.folder / "OStartUp").c_str()));
    EXPECT_TRUE(f.warnings[0].contains("no such file (error 53)")) << f.warnings[0].toStdString();
}
