#include "common/datalock.h"
#include "common/keycount.h"
#include "common/keydrop.h"
#include "common/keysave.h"
#include "common/keytable.h"
#include "tempfolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using namespace ombrix;

namespace {

// What a drop is expected to store or start. "$D" in any text stands for the test's folder.
struct StoredKey {
    std::string target;
    int iconIndex;
    std::string caption;
    std::string toolTip;
};

struct Start {
    std::string program; // empty for a failed start
    std::vector<std::string> arguments;
    std::string folder;
    bool operator==(const Start&) const = default;
};

void PrintTo(const Start& s, std::ostream* os) {
    *os << testing::PrintToString(s.program) << " " << testing::PrintToString(s.arguments) << " in "
        << testing::PrintToString(s.folder);
}

using Form = DropItem::Form;

struct DropRow {
    const char* name;
    std::vector<DropItem> items;
    std::string keyTarget; // the key under the pointer; empty: away from the keys
    DropOutcome outcome;
    std::vector<StoredKey> added = {}; // AddKeys: the new records, after the shown keys
    std::vector<Start> starts = {};    // OpenWithKey
    int shown = 3;
    bool tableOnDisk = true; // else a first run: neither table nor count stored yet
    bool setupRunning = false;
    std::string_view message = {}; // AddKeys: why nothing may be added
};

void PrintTo(const DropRow& row, std::ostream* os) {
    *os << row.name;
}

const auto rowName = [](const auto& info) { return std::string(info.param.name); };

std::string inFolder(std::string text, const std::string& folder) {
    for (auto at = text.find("$D"); at != std::string::npos; at = text.find("$D", at))
        text.replace(at, 2, folder);
    return text;
}

void writeExecutable(const TempFolder& dir, const std::string& name) {
    ::chmod(dir.write(name, "#!/bin/sh\n").c_str(), 0755);
}

// A bar of `count` keys as the setup program leaves it: the table holds six records, the
// last of them beyond the keys in use; the count is stored beside it.
std::vector<KeyRecord> oldKeys(int count) {
    std::vector<KeyRecord> keys;
    for (int i = 0; i < count; ++i) {
        KeyRecord key = defaultKeyRecord(i);
        key.target.assign("old " + std::to_string(i));
        keys.push_back(key);
    }
    return keys;
}

class KeyDrop : public testing::TestWithParam<DropRow> {
protected:
    void SetUp() override {
        const std::string d = dir.path().string();
        writeExecutable(dir, "tool");
        const std::string longName = std::string(200, 'x') + "/" + std::string(60, 'y');
        writeExecutable(dir, longName);
        dir.write("Viewer.desktop", "[Desktop Entry]\nName=Picture Viewer\nExec=" + d +
                                        "/tool --view %F\nPath=" + d + "/sub\n");
        dir.write("Editor.desktop",
                  "[Desktop Entry]\nName=Editor\nExec=" + d + "/tool %f\nPath=" + d + "\n");
        dir.write("Site.desktop", "[Desktop Entry]\nType=Link\nURL=http://example.org/\n");
        dir.write("a.txt", "a");
        dir.write("b c.txt", "b");
        std::filesystem::create_directory(dir / "sub");
    }

    TempFolder dir;
};

TEST_P(KeyDrop, DoesWhatTheDropAsks) {
    const DropRow& row = GetParam();
    const std::string d = dir.path().string();
    std::vector<DropItem> items;
    for (DropItem item : row.items) {
        item.value = inFolder(item.value, d);
        items.push_back(item);
    }
    const std::vector<DroppedThing> things = sortOut(items);

    std::optional<KeyRecord> key;
    if (!row.keyTarget.empty()) {
        key = defaultKeyRecord(0);
        key->target.assign(inFolder(row.keyTarget, d));
        key->argument.assign(d + "/a.txt"); // the key's own document is not handed over
    }
    ASSERT_EQ(dropOutcome(things, key ? &*key : nullptr), row.outcome);

    if (row.outcome == DropOutcome::OpenWithKey) {
        std::vector<std::string> files;
        for (const DroppedThing& t : things)
            files.push_back(t.value);
        std::vector<Start> starts;
        for (const KeyAction& a : documentStarts(*key, files))
            starts.push_back({a.program, a.arguments, a.workingDirectory});
        std::vector<Start> expected;
        for (const Start& s : row.starts) {
            Start e{inFolder(s.program, d), {}, inFolder(s.folder, d)};
            for (const std::string& a : s.arguments)
                e.arguments.push_back(inFolder(a, d));
            expected.push_back(e);
        }
        EXPECT_EQ(starts, expected);
    }

    if (row.outcome != DropOutcome::AddKeys)
        return;
    const KeyStore store{dir / "data" / "barra.dat", dir / "config" / "keycount.stm"};
    const std::vector<KeyRecord> shown = oldKeys(row.shown);
    std::string tableBefore;
    if (row.tableOnDisk) {
        std::filesystem::create_directories(dir / "data");
        std::filesystem::create_directories(dir / "config");
        tableBefore = encodeKeyTable(oldKeys(row.shown + 3));
        dir.write("data/barra.dat", tableBefore);
        ASSERT_TRUE(writeKeyCount(store.keyCountFile, static_cast<float>(row.shown)));
    }
    std::vector<KeyRecord> added;
    for (const DroppedThing& t : things)
        added.push_back(*t.newKey);
    std::filesystem::create_directories(dir / "data");
    std::optional<DataLock> setup; // the setup program holds the lock for its whole session
    if (row.setupRunning)
        setup.emplace(DataLock::take(dir / "data", std::chrono::milliseconds(0)));
    const AddResult result = addKeys(store, shown, added);

    EXPECT_EQ(result.added, row.message.empty());
    EXPECT_EQ(result.message.text(), row.message);
    if (!row.message.empty()) {
        EXPECT_EQ(readBytes(store.keyTable), tableBefore);
        EXPECT_EQ(readStoredKeyCount(store.keyCountFile),
                  row.tableOnDisk ? std::optional<float>(row.shown) : std::nullopt);
        return;
    }
    const int count = row.shown + static_cast<int>(row.added.size());
    EXPECT_EQ(readStoredKeyCount(store.keyCountFile), std::optional<float>(count));
    const std::vector<KeyRecord> table = *readKeyTable(store.keyTable, maxKeys);
    ASSERT_EQ(table.size(), static_cast<std::size_t>(row.tableOnDisk ? row.shown + 3 : count));
    for (int i = 0; i < static_cast<int>(table.size()); ++i) {
        const auto at = static_cast<std::size_t>(i);
        if (i < row.shown || i >= count) {
            EXPECT_EQ(table[at], oldKeys(i + 1).back()) << "record " << i << " was changed";
            continue;
        }
        const StoredKey& want = row.added[static_cast<std::size_t>(i - row.shown)];
        EXPECT_EQ(table[at].target.text(), inFolder(want.target, d));
        EXPECT_EQ(table[at].iconIndex, want.iconIndex);
        EXPECT_EQ(table[at].caption.text(), want.caption);
        EXPECT_EQ(table[at].toolTip.text(), want.toolTip);
        EXPECT_TRUE(table[at].argument.text().empty() && !table[at].argument.neverSet());
        EXPECT_EQ(table[at].backColor, systemGreyColour);
    }
}

const std::string url = "http://www.debian.org/News/2024/some-long-page-name.html";

INSTANTIATE_TEST_SUITE_P(
    Drops, KeyDrop,
    testing::Values(
        // ---- away from the keys: programs, entries and web links become keys
        DropRow{"EntryBecomesTheNextKeyNamedByTheEntry",
                {{Form::LocalFile, "$D/Viewer.desktop"}},
                "",
                DropOutcome::AddKeys,
                {{"$D/Viewer.desktop", 999, "", "Picture Viewer"}}},
        DropRow{"ProgramBecomesAKeyNamedAfterItsFile",
                {{Form::LocalFile, "$D/tool"}},
                "",
                DropOutcome::AddKeys,
                {{"$D/tool", 999, "", "tool"}}},
        DropRow{"WebLinkHasTheSiteAsCaptionAndTheAddressAsPopUp",
                {{Form::Address, url}},
                "",
                DropOutcome::AddKeys,
                {{url, 0, "debian", url.substr(0, 36)}}},
        DropRow{"TextHoldingALinkAddsItToo",
                {{Form::Text, " HTTP://en.wikipedia.org/wiki/Bar\n"}},
                "",
                DropOutcome::AddKeys,
                {{"HTTP://en.wikipedia.org/wiki/Bar", 0, "wikipe",
                  "HTTP://en.wikipedia.org/wiki/Bar"}}},
        DropRow{"SeveralThingsBecomeKeysInTheirOrder",
                {{Form::LocalFile, "$D/tool"}, {Form::Address, "http://localhost:8080/"}},
                "",
                DropOutcome::AddKeys,
                {{"$D/tool", 999, "", "tool"},
                 {"http://localhost:8080/", 0, "localh", "http://localhost:8080/"}}},
        DropRow{"FirstRunWritesTheShownKeysAndTheNewOne",
                {{Form::LocalFile, "$D/tool"}},
                "",
                DropOutcome::AddKeys,
                {{"$D/tool", 999, "", "tool"}},
                {},
                3,
                false},
        DropRow{"FullBarAddsNothing",
                {{Form::LocalFile, "$D/tool"}},
                "",
                DropOutcome::AddKeys,
                {},
                {},
                128,
                true,
                false,
                barFullMessage},
        DropRow{"NoRoomForTwoAddsNeither",
                {{Form::LocalFile, "$D/tool"}, {Form::LocalFile, "$D/Editor.desktop"}},
                "",
                DropOutcome::AddKeys,
                {},
                {},
                127,
                true,
                false,
                barFullMessage},
        DropRow{"OpenSetupAddsNothing",
                {{Form::LocalFile, "$D/tool"}},
                "",
                DropOutcome::AddKeys,
                {},
                {},
                3,
                true,
                true,
                setupOpenMessage},
        // ---- away from the keys: what cannot be a key is refused while dragging
        DropRow{"DocumentAwayFromAKey", {{Form::LocalFile, "$D/a.txt"}}, "", DropOutcome::Refused},
        DropRow{"Folder", {{Form::LocalFile, "$D/sub"}}, "", DropOutcome::Refused},
        DropRow{"LinkEntryWithoutExecIsADocument",
                {{Form::LocalFile, "$D/Site.desktop"}},
                "",
                DropOutcome::Refused},
        DropRow{"PlainText", {{Form::Text, "http: is a scheme"}}, "", DropOutcome::Refused},
        DropRow{"SecureAddressTheBarCannotOpen",
                {{Form::Address, "https://debian.org/"}},
                "",
                DropOutcome::Refused},
        DropRow{"MissingFile", {{Form::LocalFile, "$D/gone"}}, "", DropOutcome::Refused},
        DropRow{"PathLongerThanATarget",
                {{Form::LocalFile, "$D/" + std::string(200, 'x') + "/" + std::string(60, 'y')}},
                "",
                DropOutcome::Refused},
        DropRow{"OneUnusableThingRefusesAll",
                {{Form::LocalFile, "$D/tool"}, {Form::LocalFile, "$D/sub"}},
                "",
                DropOutcome::Refused},
        // ---- onto a key: files go to its program
        DropRow{"ListEntryStartsOnceWithAllFilesInItsPath",
                {{Form::LocalFile, "$D/a.txt"}, {Form::LocalFile, "$D/b c.txt"}},
                "$D/Viewer.desktop",
                DropOutcome::OpenWithKey,
                {},
                {{"$D/tool", {"--view", "$D/a.txt", "$D/b c.txt"}, "$D/sub"}}},
        DropRow{"FileEntryStartsOncePerFile",
                {{Form::LocalFile, "$D/a.txt"}, {Form::LocalFile, "$D/b c.txt"}},
                "$D/Editor.desktop",
                DropOutcome::OpenWithKey,
                {},
                {{"$D/tool", {"$D/a.txt"}, "$D"}, {"$D/tool", {"$D/b c.txt"}, "$D"}}},
        DropRow{"ProgramGetsTheFileInsteadOfItsDocumentInItsFolder",
                {{Form::LocalFile, "$D/b c.txt"}},
                "$D/tool a.txt",
                DropOutcome::OpenWithKey,
                {},
                {{"$D/tool", {"$D/b c.txt"}, "$D"}}},
        DropRow{"ProgramsAndEntriesAreFilesToo",
                {{Form::LocalFile, "$D/Editor.desktop"}},
                "$D/tool",
                DropOutcome::OpenWithKey,
                {},
                {{"$D/tool", {"$D/Editor.desktop"}, "$D"}}},
        DropRow{
            "FolderOnAProgramKey", {{Form::LocalFile, "$D/sub"}}, "$D/tool", DropOutcome::Refused},
        DropRow{"LinkOnAProgramKey", {{Form::Address, url}}, "$D/tool", DropOutcome::Refused},
        DropRow{
            "WebKey", {{Form::LocalFile, "$D/a.txt"}}, "http://debian.org/", DropOutcome::Refused},
        DropRow{"ShutDownKey",
                {{Form::LocalFile, "$D/a.txt"}},
                "shl.ShutdownWindows",
                DropOutcome::Refused},
        DropRow{
            "DocumentKey", {{Form::LocalFile, "$D/a.txt"}}, "$D/b c.txt", DropOutcome::Refused}),
    rowName);

} // namespace

// A dropped entry named in another script keeps its name beside the table, in the same save,
// and the texts already kept there stay with their keys.
TEST(DroppedTexts, JoinTheKeptTextsInTheSameSave) {
    TempFolder dir;
    const KeyFiles files{dir / "data", dir / "config" / "keycount.stm"};
    KeyRecord first = defaultKeyRecord(0);
    first.caption.assign("?????");
    KeyTexts kept;
    kept.keep(0, KeyTextField::Caption, {"Ωμέγα", "?????", false});
    ASSERT_TRUE(saveKeys(files, std::vector{first}, 1, {keyTextsFile(files.dataFolder, kept)}));

    KeyRecord entry = programKeyRecord("/usr/bin/viewer", "????????");
    KeyTexts dropped;
    dropped.keep(0, KeyTextField::ToolTip, {"Просмотр", "????????", false});
    const AddResult result = addKeys({keyTablePath(files.dataFolder), files.keyCountFile},
                                     std::vector{first}, std::vector{entry}, dropped);
    ASSERT_TRUE(result.added) << result.message.text();

    const std::vector<KeyRecord> table = *readKeyTable(keyTablePath(files.dataFolder), maxKeys);
    const KeyTexts read = readKeyTexts(keyTextsPath(files.dataFolder));
    EXPECT_EQ(read, result.texts);
    EXPECT_EQ(read.textOf(table.at(0), 0, KeyTextField::Caption), "Ωμέγα");
    EXPECT_EQ(read.textOf(table.at(1), 1, KeyTextField::ToolTip), "Просмотр");
}
