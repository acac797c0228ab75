// Drops onto a bar that is out of date, and drops racing the setup program's start: nothing
// dropped is lost or hidden, and no drop overwrites a key the setup program saved.

#include "barfixture.h"

#include "common/keysave.h"
#include "savefaults.h"
#include "tune/startup.h"

#include <QMimeData>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <random>
#include <sys/wait.h>
#include <unistd.h>

using namespace ombrix;

namespace {

std::vector<KeyRecord> keysNamed(const std::string& prefix, int count) {
    std::vector<KeyRecord> keys;
    for (int i = 0; i < count; ++i)
        keys.push_back(keyWith("http://" + prefix + std::to_string(i) + ".example.org", 0,
                               prefix + std::to_string(i), prefix + " key"));
    return keys;
}

// Drops a web link onto the open bar, away from the keys, and lets the bar do its work.
void dropLink(Form1& bar, const std::string& address) {
    QMimeData mime;
    mime.setUrls({QUrl(QString::fromStdString(address))});
    const QPointF at(bar.width() - 5, 5);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &enter);
    QDropEvent drop(at, Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &drop);
    QTest::qWait(1);
}

std::vector<KeyRecord> storedKeys(BarFixture& f) {
    const int count = static_cast<int>(readKeyCount(f.keyCountFile()));
    return readKeyTable(keyTablePath(f.folder.path()), count).value_or(std::vector<KeyRecord>{});
}

} // namespace

// The setup program saved seven keys while the bar showed five: the drop becomes key 8, and
// the bar shows what is stored.
TEST(DropOntoABarOutOfDate, AddsAfterTheStoredKeysAndShowsThem) {
    BarFixture f;
    f.writeKeys(keysNamed("old", 5));
    auto bar = f.build();
    QTest::mouseClick(bar->handleArea(), Qt::LeftButton);
    ASSERT_EQ(bar->keyCount(), 5);

    std::vector<KeyRecord> saved = keysNamed("set", 7);
    f.writeKeys(saved);
    dropLink(*bar, "http://dropped.example.org/");

    EXPECT_TRUE(f.desktop.warnings.empty());
    const std::vector<KeyRecord> stored = storedKeys(f);
    ASSERT_EQ(stored.size(), 8u);
    for (int i = 0; i < 7; ++i)
        EXPECT_EQ(stored[static_cast<std::size_t>(i)].target.text(),
                  saved[static_cast<std::size_t>(i)].target.text())
            << "the setup program's key " << i + 1 << " stays";
    EXPECT_EQ(stored[7].target.text(), "http://dropped.example.org/");
    ASSERT_EQ(bar->keyCount(), 8);
    EXPECT_EQ(bar->key(6)->toolTip().toStdString(), "set key");
    EXPECT_EQ(bar->key(7)->toolTip().toStdString(), "http://dropped.example.org/");
}

// The setup program starts as the drop is made (a child process reading the keys at its
// start and saving them as they were read when it is left): each drop is either refused with
// a message or among the keys stored at the end.
TEST(DropAsTheSetupStarts, IsRefusedOrKept) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> jitter(0, 8000);
    int drops = 0;
    int refused = 0;
    int lost = 0;
    for (int round = 0; round < 24; ++round) {
        BarFixture f;
        f.writeKeys(keysNamed("old", 10));
        auto bar = f.build();
        QTest::mouseClick(bar->handleArea(), Qt::LeftButton);
        const int setupWait = jitter(random);
        // Held long enough in some rounds that the drop gives up waiting.
        const int setupHold = round % 4 == 0 ? 500000 : 20000;
        const pid_t setup = ::fork();
        if (setup == 0) {
            ::usleep(static_cast<useconds_t>(setupWait));
            const KeyFiles files{f.folder.path(), f.keyCountFile()};
            const SetupSession session = takeSetupSession(files.dataFolder, files.keyCountFile);
            const float count = readKeyCount(files.keyCountFile);
            const auto table = readKeyTable(keyTablePath(files.dataFolder), maxKeys);
            ::usleep(static_cast<useconds_t>(setupHold));
            const bool saved =
                session.mayRun && table && saveKeys(files, *table, count, {}, diskFileSystem());
            ::_exit(saved ? 0 : 1);
        }
        ::usleep(static_cast<useconds_t>(jitter(random)));
        const std::size_t warningsBefore = f.desktop.warnings.size();
        dropLink(*bar, "http://dropped.example.org/");
        int status = 0;
        ::waitpid(setup, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "round " << round;
        ++drops;
        if (f.desktop.warnings.size() > warningsBefore) {
            ++refused;
            EXPECT_EQ(f.desktop.warnings.back(), setupOpenMessage);
            continue;
        }
        const std::vector<KeyRecord> stored = storedKeys(f);
        const bool kept =
            stored.size() == 11 && stored[10].target.text() == "http://dropped.example.org/";
        lost += kept ? 0 : 1;
    }
    std::printf("%d drops as the setup program starts: %d refused, %d kept, %d lost\n", drops,
                refused, drops - refused - lost, lost);
    EXPECT_EQ(lost, 0);
    EXPECT_GT(refused, 0);
    EXPECT_LT(refused, drops);
}

// A save stopped after its commit point is finished by the bar's start before it reads the
// keys; one stopped before it leaves the old keys. The stop is a throw where the process died.
// The scratch folder a killed setup program left goes too.
TEST(InterruptedSave, IsFinishedOrUndoneBeforeTheBarReadsTheKeys) {
    for (const int stopAt : {1, 4}) {
        BarFixture f;
        f.writeKeys(keysNamed("old", 5));
        const KeyFiles files{f.folder.path(), f.keyCountFile()};
        savefaults::FaultyDisk disk(savefaults::Fault::Stop, stopAt, false);
        const std::vector<KeyRecord> saved = keysNamed("new", 7);
        EXPECT_THROW((void)saveKeys(files, saved, 7, {}, disk), savefaults::Stopped);
        f.folder.write("tune.scratch/icons/icon0.ico", "left by a killed setup program");
        const bool committed = std::filesystem::exists(f.folder / std::string(journalName));
        EXPECT_EQ(committed, stopAt == 4) << "the journal is the commit point";
        auto bar = f.build();
        EXPECT_EQ(bar->keyCount(), stopAt == 4 ? 7 : 5);
        EXPECT_EQ(bar->key(0)->toolTip().toStdString(), stopAt == 4 ? "new key" : "old key");
        EXPECT_FALSE(std::filesystem::exists(f.folder / std::string(journalName)));
        EXPECT_FALSE(std::filesystem::exists(f.folder / "tune.scratch"));
    }
}

// One setup program per data folder, whatever the runtime folder: a second one is refused
// while the first holds the lock, and starts once it is gone.
TEST(SetupSessionLock, AdmitsOneSetupProgramPerDataFolder) {
    TempFolder folder;
    const auto count = folder / "config" / "keycount.stm";
    std::optional<SetupSession> first = takeSetupSession(folder.path(), count);
    EXPECT_TRUE(first->mayRun);
    EXPECT_FALSE(takeSetupSession(folder.path(), count).mayRun);
    first.reset();
    EXPECT_TRUE(takeSetupSession(folder.path(), count).mayRun);
}
