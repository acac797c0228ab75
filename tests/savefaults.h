#pragma once

// The save of the stored keys under faults: a disk that fails or stops at its k-th change,
// optionally with the rename rules of FAT (no rename over an existing file), and the two
// states a save goes between, read back whole to tell which one the disk holds.

#include "common/keycount.h"
#include "common/keysave.h"
#include "common/keytable.h"
#include "common/keytexts.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

namespace savefaults {

namespace fs = std::filesystem;
using namespace ombrix;

// What happens at the chosen change.
enum class Fault { None, Fail, Stop };

// Thrown where the program would have died; nothing of the save runs after it.
struct Stopped {};

class FaultyDisk final : public SaveFileSystem {
public:
    FaultyDisk(Fault fault, int at, bool noReplace, void (*stop)() = nullptr)
        : fault_(fault), at_(at), noReplace_(noReplace), stop_(stop) {}

    int changes() const { return count_; }
    bool faultHit() const { return hit_; }

    // Off in the unit tests: a stopped save loses no more without the syncs, and runs at
    // the speed of memory.
    bool sync = true;

    int writeNew(const fs::path& path, std::string_view bytes) override {
        if (const int error = change())
            return error;
        if (sync)
            return disk().writeNew(path, bytes);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (!file)
            return errno;
        const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
        return std::fclose(file) == 0 && written ? 0 : EIO;
    }
    int rename(const fs::path& from, const fs::path& to) override {
        if (const int error = change())
            return error;
        if (!noReplace_)
            return disk().rename(from, to);
        return ::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0
                   ? 0
                   : errno;
    }
    int remove(const fs::path& path) override {
        if (const int error = change())
            return error;
        return disk().remove(path);
    }
    int syncFolder(const fs::path& folder) override { return sync ? disk().syncFolder(folder) : 0; }
    int makeFolder(const fs::path& folder) override {
        if (const int error = change())
            return error;
        return disk().makeFolder(folder);
    }
    std::optional<std::string> read(const fs::path& path, std::size_t limit) override {
        return disk().read(path, limit);
    }
    std::vector<std::string> list(const fs::path& folder) override { return disk().list(folder); }

private:
    static SaveFileSystem& disk() { return diskFileSystem(); }
    int change() {
        if (count_++ != at_ || fault_ == Fault::None)
            return 0;
        hit_ = true;
        if (fault_ == Fault::Fail)
            return EIO;
        if (stop_)
            stop_();
        throw Stopped{};
    }

    Fault fault_;
    int at_;
    bool noReplace_;
    void (*stop_)();
    int count_ = 0;
    bool hit_ = false;
};

// Everything a save may change, as bytes: absent files are absent from `icons`.
struct StoredKeys {
    std::optional<std::string> table;
    std::optional<std::string> count;
    std::map<int, std::string> icons;
    std::optional<std::string> texts; // barra.utf8
    bool operator==(const StoredKeys&) const = default;
};

inline std::optional<std::string> bytesOf(const fs::path& file) {
    return readFilePrefix(file, 1 << 20);
}

inline StoredKeys readStored(const KeyFiles& files) {
    StoredKeys stored{bytesOf(keyTablePath(files.dataFolder)),
                      bytesOf(files.keyCountFile),
                      {},
                      bytesOf(keyTextsPath(files.dataFolder))};
    for (int i = 0; i < maxKeys; ++i) {
        if (auto icon = bytesOf(files.dataFolder / "icons" / ("icon" + std::to_string(i) + ".ico")))
            stored.icons[i] = *icon;
    }
    return stored;
}

inline std::vector<KeyRecord> tableOf(const std::string& firstCaption, int keys) {
    std::vector<KeyRecord> table;
    for (int i = 0; i < keys; ++i) {
        KeyRecord key = defaultKeyRecord(i);
        key.caption.assign(firstCaption + std::to_string(i % 10));
        table.push_back(key);
    }
    return table;
}

inline fs::path iconPath(const KeyFiles& files, int i) {
    return files.dataFolder / "icons" / ("icon" + std::to_string(i) + ".ico");
}

// The old state: five keys, icons for keys 0, 1 and 3.
inline void writeOldState(const KeyFiles& files, SaveFileSystem& disk = diskFileSystem()) {
    std::error_code ignored;
    fs::remove_all(files.dataFolder, ignored);
    fs::remove_all(files.keyCountFile.parent_path(), ignored);
    fs::create_directories(files.dataFolder / "icons");
    const auto table = tableOf("o", maxKeys);
    (void)saveKeys(files, table, 5,
                   {{iconPath(files, 0), "old icon 0"},
                    {iconPath(files, 1), "old icon 1"},
                    {iconPath(files, 3), "old icon 3"},
                    {keyTextsPath(files.dataFolder), "old texts"}},
                   disk);
}

// The new state: keys 0 and 1 exchanged with their icons, key 2 given a picture, key 3's icon
// dropped, seven keys.
inline WriteResult saveNewState(const KeyFiles& files, SaveFileSystem& disk) {
    const auto table = tableOf("n", maxKeys);
    return saveKeys(files, table, 7,
                    {{iconPath(files, 0), "old icon 1"},
                     {iconPath(files, 1), "old icon 0"},
                     {iconPath(files, 2), "new icon 2"},
                     {iconPath(files, 3), std::nullopt},
                     {keyTextsPath(files.dataFolder), "new texts"}},
                    disk);
}

// Whether anything of a save is left: staged files or a journal.
inline bool leftovers(const KeyFiles& files) {
    for (const fs::path& folder : keySavePlaces(files).stagingFolders) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error)) {
            const std::string name = it->path().filename().string();
            if (name.ends_with(stagedSuffix) || name == journalName)
                return true;
        }
    }
    return false;
}

} // namespace savefaults
