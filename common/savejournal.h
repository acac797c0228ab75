#pragma once

#include "common/atomicfile.h"

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One save of the stored keys reaches the disk as one change, whatever files it touches (the
// key table, the icon files, the key count in another folder, the texts beside the table):
//  1. each new file is written whole and synced beside its target, as "<name>.ombrix-new";
//  2. a journal naming every file of the save is written beside the key table and renamed
//     into place: that rename is the commit point;
//  3. each staged file is renamed over its target (files the save drops are removed), then
//     the journal is removed.
// A save stopped before its commit point leaves staged files only: the next start removes
// them and the old files stay. A save stopped after it leaves the journal: the next start
// finishes it. Every step may be done twice, so a stop during the recovery itself is
// harmless too. Where the file system cannot rename over an existing file (FAT), the target
// is removed first; a stop between the two leaves the staged file, which the journal names.
namespace ombrix {

// The file system operations of a save, so that tests can fail or stop any one of them. Each
// returns 0 or an errno value.
class SaveFileSystem {
public:
    virtual ~SaveFileSystem() = default;
    // Creates or empties the file, writes the bytes and syncs them.
    virtual int writeNew(const std::filesystem::path& path, std::string_view bytes) = 0;
    // Renames; may fail with EEXIST when `to` exists and the file system cannot replace.
    virtual int rename(const std::filesystem::path& from, const std::filesystem::path& to) = 0;
    virtual int remove(const std::filesystem::path& path) = 0;
    virtual int syncFolder(const std::filesystem::path& folder) = 0;
    virtual int makeFolder(const std::filesystem::path& folder) = 0;
    // At most `limit` bytes of a regular file; nothing when it is missing or no regular file.
    virtual std::optional<std::string> read(const std::filesystem::path& path,
                                            std::size_t limit) = 0;
    // The names of the entries of a folder; none when it cannot be read.
    virtual std::vector<std::string> list(const std::filesystem::path& folder) = 0;
};

// The real disk.
SaveFileSystem& diskFileSystem();

// One file of a save: its new bytes, or nothing when the save removes it.
struct SavedFile {
    std::filesystem::path path;
    std::optional<std::string> bytes;
};

// Where a save's journal lives and which folders its staged files may be left in.
struct SavePlaces {
    std::filesystem::path journalFolder;               // the data folder
    std::vector<std::filesystem::path> stagingFolders; // every folder a save writes into
};

inline constexpr std::string_view stagedSuffix = ".ombrix-new";
inline constexpr std::string_view journalName = "save.journal";

// Saves the files as one change. A file whose bytes are already on the disk is left alone.
// Before its commit point a failure leaves every old file as it was; after it the save is
// finished at the next start, and the message says so.
WriteResult commitSave(SaveFileSystem& disk, const SavePlaces& places,
                       const std::vector<SavedFile>& files);

// What the start found of an earlier save.
enum class Recovery { Clean, RolledBack, RolledForward, Failed };

// Finishes a save that reached its commit point, removes what one that did not left behind.
// Runs before anything reads the stored keys, under the data folder's lock.
Recovery recoverSave(SaveFileSystem& disk, const SavePlaces& places);

// The journal's text for these files, and the files it names (nothing for a damaged one).
std::string journalText(const std::vector<SavedFile>& files);
std::optional<std::vector<SavedFile>> parseJournal(std::string_view text);

} // namespace ombrix
