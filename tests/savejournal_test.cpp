#include "common/keysave.h"
#include "savefaults.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace ombrix;
using namespace savefaults;

namespace {

struct FaultCase {
    const char* name;
    Fault fault;
    bool noReplace; // the rename rules of FAT
};

class SaveStoppedAtEveryStep : public testing::TestWithParam<FaultCase> {};

KeyFiles filesIn(const TempFolder& folder) {
    return {folder / "data", folder / "config" / "keycount.stm"};
}

} // namespace

// Whatever change of the save fails or is the last one made, the next start finds the old
// keys or the new ones, never a mix, and nothing of the save is left behind.
TEST_P(SaveStoppedAtEveryStep, LeavesTheOldKeysOrTheNewOnes) {
    TempFolder folder;
    const KeyFiles files = filesIn(folder);
    writeOldState(files);
    const StoredKeys before = readStored(files);
    FaultyDisk clean(Fault::None, -1, GetParam().noReplace);
    clean.sync = false;
    ASSERT_TRUE(saveNewState(files, clean));
    const StoredKeys after = readStored(files);
    ASSERT_NE(before, after);

    int olds = 0;
    int news = 0;
    for (int step = 0; step < clean.changes(); ++step) {
        FaultyDisk disk(GetParam().fault, step, GetParam().noReplace);
        disk.sync = false;
        FaultyDisk setUp(Fault::None, -1, false);
        setUp.sync = false;
        writeOldState(files, setUp);
        bool saved = false;
        try {
            saved = static_cast<bool>(saveNewState(files, disk));
        } catch (const Stopped&) {
        }
        ASSERT_TRUE(disk.faultHit()) << "step " << step;
        FaultyDisk restart(Fault::None, -1, GetParam().noReplace);
        restart.sync = false;
        EXPECT_NE(recoverKeys(files, restart), Recovery::Failed) << "step " << step;
        const StoredKeys found = readStored(files);
        EXPECT_TRUE(found == before || found == after) << "step " << step;
        if (saved) {
            EXPECT_EQ(found, after) << "a save reported done is on the disk, step " << step;
        }
        EXPECT_FALSE(leftovers(files)) << "step " << step;
        (found == before ? olds : news) += 1;
    }
    // Both outcomes are reached: the steps before the commit point and after it were hit.
    EXPECT_GT(olds, 0);
    EXPECT_GT(news, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, SaveStoppedAtEveryStep,
                         testing::Values(FaultCase{"FailingOnExt4", Fault::Fail, false},
                                         FaultCase{"KilledOnExt4", Fault::Stop, false},
                                         FaultCase{"FailingOnFat", Fault::Fail, true},
                                         FaultCase{"KilledOnFat", Fault::Stop, true}),
                         [](const auto& info) { return std::string(info.param.name); });

// A recovery stopped at any of its own steps is finished by the next one.
TEST(SaveRecovery, StoppedItselfIsFinishedByTheNextStart) {
    TempFolder folder;
    const KeyFiles files = filesIn(folder);
    FaultyDisk clean(Fault::None, -1, true);
    clean.sync = false;
    writeOldState(files, clean);
    ASSERT_TRUE(saveNewState(files, clean));
    const StoredKeys after = readStored(files);
    for (int step = 0;; ++step) {
        writeOldState(files, clean);
        // Stopped just after the commit point (six files staged, the journal written and
        // renamed), so the journal is there to replay.
        FaultyDisk saving(Fault::Stop, 8, true);
        saving.sync = false;
        EXPECT_THROW((void)saveNewState(files, saving), Stopped);
        FaultyDisk recovering(Fault::Stop, step, true);
        recovering.sync = false;
        try {
            (void)recoverKeys(files, recovering);
        } catch (const Stopped&) {
        }
        FaultyDisk restart(Fault::None, -1, true);
        restart.sync = false;
        EXPECT_NE(recoverKeys(files, restart), Recovery::Failed);
        EXPECT_EQ(readStored(files), after) << "recovery stopped at step " << step;
        if (!recovering.faultHit())
            break;
    }
}

struct JournalCase {
    const char* name;
    std::string text;
};

class DamagedJournal : public testing::TestWithParam<JournalCase> {};

TEST_P(DamagedJournal, IsNoSaveToFinish) {
    EXPECT_FALSE(parseJournal(GetParam().text).has_value());
}

INSTANTIATE_TEST_SUITE_P(
    Rows, DamagedJournal,
    testing::Values(JournalCase{"Empty", ""},
                    JournalCase{"CutInAPath", "ombrix save 1\nput 9 /a/b"},
                    JournalCase{"NoEnd", "ombrix save 1\nput 4 /a/b\n"},
                    JournalCase{"WrongCount", "ombrix save 1\nput 4 /a/b\nend 2\n"},
                    JournalCase{"UnknownStep", "ombrix save 1\nmove 4 /a/b\nend 1\n"},
                    JournalCase{"LengthPastTheEnd", "ombrix save 1\nput 99 /a/b\nend 1\n"},
                    JournalCase{"LengthWithALeadingZero", "ombrix save 1\nput 04 /a/b\nend 1\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SaveJournal, ReadsBackWhatItWrote) {
    const std::vector<SavedFile> files{{"/d/barra.dat", "x"},
                                       {"/d/icons/a b\nc.ico", std::nullopt}};
    const auto parsed = parseJournal(journalText(files));
    ASSERT_TRUE(parsed.has_value());
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_EQ((*parsed)[0].path, files[0].path);
    EXPECT_TRUE((*parsed)[0].bytes.has_value());
    EXPECT_EQ((*parsed)[1].path, files[1].path);
    EXPECT_FALSE((*parsed)[1].bytes.has_value());
}

struct InTheWayCase {
    const char* name;
    void (*make)(const TempFolder&);
    const char* named; // what the message names
};

class SaveWithSomethingInTheWay : public testing::TestWithParam<InTheWayCase> {};

// What is not a regular file is never replaced, and the message names it.
TEST_P(SaveWithSomethingInTheWay, IsRefusedAndChangesNothing) {
    TempFolder folder;
    const KeyFiles files = filesIn(folder);
    writeOldState(files);
    GetParam().make(folder);
    const StoredKeys before = readStored(files);
    const WriteResult result = saveNewState(files, diskFileSystem());
    EXPECT_FALSE(result);
    EXPECT_NE(result.message.text().find(GetParam().named), std::string::npos)
        << result.message.text();
    EXPECT_EQ(readStored(files), before);
    EXPECT_FALSE(leftovers(files));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, SaveWithSomethingInTheWay,
    testing::Values(InTheWayCase{"TableLinkedToNull",
                                 [](const TempFolder& f) {
                                     fs::remove(f / "data/barra.dat");
                                     fs::create_symlink("/dev/null", f / "data/barra.dat");
                                 },
                                 "/dev/null"},
                    InTheWayCase{"CountIsAFifo",
                                 [](const TempFolder& f) {
                                     fs::remove(f / "config/keycount.stm");
                                     ::mkfifo((f / "config/keycount.stm").c_str(), 0600);
                                 },
                                 "keycount.stm"},
                    InTheWayCase{"IconsIsAFile",
                                 [](const TempFolder& f) {
                                     fs::remove_all(f / "data/icons");
                                     f.write("data/icons", "not a folder");
                                 },
                                 "icons is a file"}),
    [](const auto& info) { return std::string(info.param.name); });

// A link to a regular file is followed: the file is replaced and the link stays.
TEST(SaveJournal, FollowsALinkToARegularFile) {
    TempFolder folder;
    const KeyFiles files = filesIn(folder);
    writeOldState(files);
    fs::rename(files.dataFolder / "barra.dat", folder / "elsewhere.dat");
    fs::create_symlink(folder / "elsewhere.dat", files.dataFolder / "barra.dat");
    ASSERT_TRUE(saveNewState(files, diskFileSystem()));
    EXPECT_TRUE(fs::is_symlink(files.dataFolder / "barra.dat"));
    EXPECT_EQ(readBytes(folder / "elsewhere.dat"), encodeKeyTable(tableOf("n", maxKeys)));
}
