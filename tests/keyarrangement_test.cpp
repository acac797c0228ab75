#include "common/keyarrangement.h"

#include "common/datalock.h"
#include "common/keycount.h"
#include "common/keytable.h"
#include "savefaults.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <set>

using namespace ombrix;
using namespace savefaults;

namespace {

constexpr int storedRecords = 8; // the file holds more records than keys in use

KeyStore storeIn(const TempFolder& folder) {
    return {folder / "data" / "barra.dat", folder / "config" / "keycount.stm"};
}

KeyFiles filesOf(const KeyStore& store) {
    return {store.keyTable.parent_path(), store.keyCountFile};
}

std::string iconOf(int key) {
    return "icon of key " + std::to_string(key);
}

// Keys named k0, k1, ... by caption, `count` of them in use, with icon files for `icons`.
void writeKeys(const KeyStore& store, int count, const std::set<int>& icons) {
    std::error_code ignored;
    std::filesystem::remove_all(store.keyTable.parent_path(), ignored);
    std::filesystem::remove_all(store.keyCountFile.parent_path(), ignored);
    std::vector<KeyRecord> table;
    for (int i = 0; i < storedRecords; ++i) {
        KeyRecord key = defaultKeyRecord(i);
        key.caption.assign("k" + std::to_string(i));
        key.iconIndex = icons.contains(i) ? 5 : 0;
        table.push_back(key);
    }
    std::vector<SavedFile> files;
    for (int i : icons)
        files.push_back({iconFilePath(store.keyTable.parent_path(), i), iconOf(i)});
    std::filesystem::create_directories(store.keyTable.parent_path() / "icons");
    FaultyDisk quick(Fault::None, -1, false);
    quick.sync = false;
    ASSERT_TRUE(saveKeys(filesOf(store), table, static_cast<float>(count), files, quick));
}

std::vector<KeyRecord> shownKeys(const KeyStore& store) {
    return loadKeys(store.keyTable, static_cast<int>(readKeyCount(store.keyCountFile)));
}

struct MoveCase {
    const char* name;
    int count;
    std::set<int> icons;
    KeyArrangement change;
    std::vector<int> order; // the key each place holds afterwards, over all stored records
    int countAfter;
};

class ArrangingKeys : public testing::TestWithParam<MoveCase> {};

} // namespace

// The records, the icon files and the count after each change: every key keeps its own icon
// file or its lack of one, records beyond the keys in use stay.
TEST_P(ArrangingKeys, TakesRecordsAndIconFilesAlong) {
    const MoveCase& row = GetParam();
    TempFolder folder;
    const KeyStore store = storeIn(folder);
    writeKeys(store, row.count, row.icons);
    std::vector<KeyRecord> shown = shownKeys(store);
    if (row.change.countChange > 0)
        shown.push_back(loadKeys(store.keyTable, storedRecords)[row.count]);

    const ArrangeResult result = arrangeStoredKeys(store, shown, row.change);

    ASSERT_TRUE(result.done()) << result.message.text();
    EXPECT_EQ(readKeyCount(store.keyCountFile), row.countAfter);
    EXPECT_EQ(result.keys.size(), static_cast<std::size_t>(row.countAfter));
    const auto table = readKeyTable(store.keyTable, maxKeys);
    ASSERT_TRUE(table);
    ASSERT_EQ(table->size(), static_cast<std::size_t>(storedRecords));
    for (int place = 0; place < storedRecords; ++place) {
        const int key = row.order[static_cast<std::size_t>(place)];
        EXPECT_EQ((*table)[place].caption.text(), "k" + std::to_string(key)) << "place " << place;
        const auto icon = bytesOf(iconFilePath(store.keyTable.parent_path(), place));
        if (row.icons.contains(key))
            EXPECT_EQ(icon, iconOf(key)) << "place " << place;
        else
            EXPECT_FALSE(icon) << "place " << place;
    }
    EXPECT_FALSE(leftovers(filesOf(store)));
}

INSTANTIATE_TEST_SUITE_P(
    Rows, ArrangingKeys,
    testing::Values(
        MoveCase{"FirstToLast", 5, {0, 2}, {0, 4, 0}, {1, 2, 3, 4, 0, 5, 6, 7}, 5},
        MoveCase{"LastToFirst", 5, {4}, {4, 0, 0}, {4, 0, 1, 2, 3, 5, 6, 7}, 5},
        MoveCase{"RightNeighbourBothWithIcons", 5, {1, 2}, {1, 2, 0}, {0, 2, 1, 3, 4, 5, 6, 7}, 5},
        MoveCase{"LeftNeighbourOnlyItWithIcon", 5, {3}, {3, 2, 0}, {0, 1, 3, 2, 4, 5, 6, 7}, 5},
        MoveCase{"OntoItself", 5, {2}, {2, 2, 0}, {0, 1, 2, 3, 4, 5, 6, 7}, 5},
        MoveCase{"WithoutAnyIconFile", 5, {}, {0, 3, 0}, {1, 2, 3, 0, 4, 5, 6, 7}, 5},
        MoveCase{"FifthOntoSecond", 6, {1, 4, 5}, {4, 1, 0}, {0, 4, 1, 2, 3, 5, 6, 7}, 6},
        MoveCase{"RemovedGoesPastTheKeysInUse", 5, {1, 3}, {1, 4, -1}, {0, 2, 3, 4, 1, 5, 6, 7}, 4},
        MoveCase{"RemovalUndone", 4, {3}, {4, 1, +1}, {0, 4, 1, 2, 3, 5, 6, 7}, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(KeyArrangement, RemovalAndItsUndoAreMovesOfTheKeysInUse) {
    EXPECT_EQ(removeArrangement(1, 5), (KeyArrangement{1, 4, -1}));
    EXPECT_EQ(restoreArrangement(1, 4), (KeyArrangement{4, 1, +1}));
    EXPECT_FALSE(removeArrangement(0, 1)) << "the only key stays";
    EXPECT_FALSE(moveArrangement(2, 5, 5)) << "no key in use at place 5";
}

TEST(KeyArrangement, ALetGoKeyTakesTheNearestPlace) {
    const std::vector<KeyPlace> twoRows{{1670, 60}, {2035, 60}, {1670, 425}, {2035, 425}};
    EXPECT_EQ(placeNearest(twoRows, 2300, 100), 1);
    EXPECT_EQ(placeNearest(twoRows, 9000, 500), 3) << "past the end of the second row";
    EXPECT_EQ(placeNearest(twoRows, 0, 0), 0) << "before the first";
    EXPECT_EQ(placeNearest({}, 0, 0), -1);
}

struct OptionCase {
    const char* name;
    std::vector<std::string> arguments;
    std::optional<int> key;
};

class KeyToEdit : public testing::TestWithParam<OptionCase> {};

TEST_P(KeyToEdit, NamesAKeyByItsNumber) {
    EXPECT_EQ(keyToEditOption(GetParam().arguments), GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, KeyToEdit,
    testing::Values(OptionCase{"Third", {"tune", "--key", "3"}, 2},
                    OptionCase{"Last", {"tune", "--key", "128"}, 127},
                    OptionCase{"Missing", {"tune"}, std::nullopt},
                    OptionCase{"NoNumber", {"tune", "--key"}, std::nullopt},
                    OptionCase{"Zero", {"tune", "--key", "0"}, std::nullopt},
                    OptionCase{"PastTheLast", {"tune", "--key", "129"}, std::nullopt},
                    OptionCase{"NotANumber", {"tune", "--key", "-2"}, std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

// A removal undone gives back every stored byte: table, count and icon files.
TEST(KeyArrangement, RemoveThenUndoGivesBackTheSameBytes) {
    TempFolder folder;
    const KeyStore store = storeIn(folder);
    writeKeys(store, 6, {0, 2, 5});
    const StoredKeys before = readStored(filesOf(store));

    const auto removal = removeArrangement(2, 6);
    ASSERT_TRUE(removal);
    const ArrangeResult removed = arrangeStoredKeys(store, shownKeys(store), *removal);
    ASSERT_TRUE(removed.done()) << removed.message.text();
    ASSERT_NE(readStored(filesOf(store)), before);

    std::vector<KeyRecord> shown = removed.keys;
    shown.push_back(loadKeys(store.keyTable, storedRecords)[5]);
    const ArrangeResult undone = arrangeStoredKeys(store, shown, *restoreArrangement(2, 5));
    ASSERT_TRUE(undone.done()) << undone.message.text();
    EXPECT_EQ(readStored(filesOf(store)), before);
}

// Nothing is written while the setup program holds the keys, or when the stored keys are not
// the ones the gesture was made on; the keys as stored come back to be shown.
TEST(KeyArrangement, RefusesStaleKeysAndTheSetupProgramsSession) {
    TempFolder folder;
    const KeyStore store = storeIn(folder);
    writeKeys(store, 5, {1});
    const StoredKeys before = readStored(filesOf(store));
    std::vector<KeyRecord> stale = shownKeys(store);
    stale[3].caption.assign("other");

    const ArrangeResult changed = arrangeStoredKeys(store, stale, {0, 4, 0});
    EXPECT_EQ(changed.refusal, ArrangeRefusal::Changed);
    EXPECT_EQ(changed.keys[3].caption.text(), "k3");
    {
        const DataLock setup = DataLock::take(store.keyTable.parent_path(), {});
        ASSERT_TRUE(setup.held());
        const ArrangeResult locked = arrangeStoredKeys(store, shownKeys(store), {0, 4, 0});
        EXPECT_EQ(locked.refusal, ArrangeRefusal::SetupOpen);
        EXPECT_EQ(locked.message.text(), setupOpenMessage);
    }
    EXPECT_EQ(readStored(filesOf(store)), before);
}

namespace {

struct ArrangeFault {
    const char* name;
    Fault fault;
    bool noReplace;
};

class ArrangementStoppedAtEveryStep : public testing::TestWithParam<ArrangeFault> {};

} // namespace

// Whichever write of a move's save fails or is the last one made, the next start finds the
// table, its icon files and the count all as before or all as after.
TEST_P(ArrangementStoppedAtEveryStep, LeavesTableIconsAndCountAgreeing) {
    TempFolder folder;
    const KeyStore store = storeIn(folder);
    const KeyArrangement change{4, 1, 0};
    writeKeys(store, 6, {1, 2, 4});
    const StoredKeys before = readStored(filesOf(store));
    FaultyDisk clean(Fault::None, -1, GetParam().noReplace);
    clean.sync = false;
    ASSERT_TRUE(arrangeStoredKeys(store, shownKeys(store), change, clean).done());
    const StoredKeys after = readStored(filesOf(store));
    ASSERT_NE(before, after);

    int olds = 0;
    int news = 0;
    for (int step = 0; step < clean.changes(); ++step) {
        writeKeys(store, 6, {1, 2, 4});
        FaultyDisk disk(GetParam().fault, step, GetParam().noReplace);
        disk.sync = false;
        bool done = false;
        try {
            done = arrangeStoredKeys(store, shownKeys(store), change, disk).done();
        } catch (const Stopped&) {
        }
        ASSERT_TRUE(disk.faultHit()) << "step " << step;
        EXPECT_NE(recoverKeys(filesOf(store)), Recovery::Failed) << "step " << step;
        const StoredKeys found = readStored(filesOf(store));
        EXPECT_TRUE(found == before || found == after) << "step " << step;
        if (done) {
            EXPECT_EQ(found, after) << "a move reported done is on the disk, step " << step;
        }
        EXPECT_FALSE(leftovers(filesOf(store))) << "step " << step;
        (found == before ? olds : news) += 1;
    }
    EXPECT_GT(olds, 0);
    EXPECT_GT(news, 0);
}

INSTANTIATE_TEST_SUITE_P(Rows, ArrangementStoppedAtEveryStep,
                         testing::Values(ArrangeFault{"FailingOnExt4", Fault::Fail, false},
                                         ArrangeFault{"KilledOnExt4", Fault::Stop, false},
                                         ArrangeFault{"FailingOnFat", Fault::Fail, true},
                                         ArrangeFault{"KilledOnFat", Fault::Stop, true}),
                         [](const auto& info) { return std::string(info.param.name); });
