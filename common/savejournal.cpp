#include "common/savejournal.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view journalHeader = "ombrix save 1\n";
constexpr std::size_t journalLimit = 1 << 20;

fs::path stagedPath(const fs::path& target) {
    fs::path staged = target;
    staged += stagedSuffix;
    return staged;
}

UserMessage cannotWrite(const fs::path& path, int error) {
    return {QT_TRANSLATE_NOOP("Ombrix", "Cannot write %1: %2."),
            {path.string(), std::strerror(error)}};
}

class Disk final : public SaveFileSystem {
public:
    int writeNew(const fs::path& path, std::string_view bytes) override {
        const int fd =
            ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (fd < 0)
            return errno;
        int error = 0;
        while (!bytes.empty() && error == 0) {
            const ssize_t written = ::write(fd, bytes.data(), bytes.size());
            if (written < 0 && errno != EINTR)
                error = errno;
            else if (written > 0)
                bytes.remove_prefix(static_cast<std::size_t>(written));
        }
        if (error == 0 && ::fsync(fd) != 0)
            error = errno;
        if (::close(fd) != 0 && error == 0)
            error = errno;
        return error;
    }
    int rename(const fs::path& from, const fs::path& to) override {
        return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    }
    int remove(const fs::path& path) override { return ::unlink(path.c_str()) == 0 ? 0 : errno; }
    int syncFolder(const fs::path& folder) override {
        const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd < 0)
            return errno;
        // A file system that cannot sync a folder has nothing more to do.
        ::fsync(fd);
        ::close(fd);
        return 0;
    }
    int makeFolder(const fs::path& folder) override {
        return ::mkdir(folder.c_str(), 0777) == 0 ? 0 : errno;
    }
    std::optional<std::string> read(const fs::path& path, std::size_t limit) override {
        return readFilePrefix(path, limit);
    }
    std::vector<std::string> list(const fs::path& folder) override {
        std::vector<std::string> names;
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end;
             it.increment(error))
            names.push_back(it->path().filename().string());
        return names;
    }
};

// Replaces `target` with `staged`; where the file system cannot rename over a file the
// target goes first, and a stop in between leaves the staged file for the journal's replay.
// A staged file already gone was renamed by an earlier run.
int replaceWithStaged(SaveFileSystem& disk, const fs::path& staged, const fs::path& target) {
    int error = disk.rename(staged, target);
    if (error == EEXIST || error == EPERM || error == EACCES || error == ENOTEMPTY) {
        if (const int removed = disk.remove(target); removed != 0 && removed != ENOENT)
            return removed;
        error = disk.rename(staged, target);
    }
    return error == ENOENT ? 0 : error;
}

// Carries out a committed save's renames and removals, every one safe to repeat.
int applyJournal(SaveFileSystem& disk, const std::vector<SavedFile>& files) {
    std::set<fs::path> folders;
    for (const SavedFile& file : files) {
        const int error = file.bytes ? replaceWithStaged(disk, stagedPath(file.path), file.path)
                                     : disk.remove(file.path);
        if (error != 0 && error != ENOENT)
            return error;
        folders.insert(file.path.parent_path());
    }
    for (const fs::path& folder : folders)
        disk.syncFolder(folder);
    return 0;
}

void removeStagedFiles(SaveFileSystem& disk, const SavePlaces& places) {
    for (const fs::path& folder : places.stagingFolders) {
        for (const std::string& name : disk.list(folder)) {
            if (name.size() > stagedSuffix.size() && name.ends_with(stagedSuffix))
                disk.remove(folder / name);
        }
    }
}

// The files whose bytes differ from what is on the disk.
std::vector<SavedFile> changedFiles(SaveFileSystem& disk, const std::vector<SavedFile>& files) {
    std::vector<SavedFile> changed;
    for (const SavedFile& file : files) {
        const std::size_t wanted = file.bytes ? file.bytes->size() + 1 : 1;
        const auto current = disk.read(file.path, wanted);
        const bool same = file.bytes ? current == file.bytes : !current.has_value();
        if (!same)
            changed.push_back(file);
    }
    return changed;
}

// The folder a file goes into, made where missing; a file where the folder should be is
// named with what to do.
WriteResult makeFolderFor(SaveFileSystem& disk, const fs::path& file) {
    const fs::path folder = file.parent_path();
    struct stat info {};
    if (::stat(folder.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode))
            return {};
        return WriteResult::failure(
            {QT_TRANSLATE_NOOP("Ombrix", "%1 is a file where a folder is needed: move it away or "
                                         "rename it, then save again."),
             {folder.string()}});
    }
    std::error_code error;
    fs::create_directories(folder.parent_path(), error);
    const int made = disk.makeFolder(folder);
    if (made != 0 && made != EEXIST)
        return WriteResult::failure({QT_TRANSLATE_NOOP("Ombrix", "Cannot make the folder %1: %2."),
                                     {folder.string(), std::strerror(made)}});
    return {};
}

// A target that is there must be a regular file: a save never replaces a device, a FIFO or
// a folder, nor what a link to one of them points at.
WriteResult checkTarget(const fs::path& target) {
    struct stat info {};
    if (::stat(target.c_str(), &info) != 0 || S_ISREG(info.st_mode))
        return {};
    return WriteResult::failure(
        {QT_TRANSLATE_NOOP("Ombrix", "%1 is not a regular file and is left alone: move it away, "
                                     "then save again."),
         {target.string()}});
}

std::vector<SavedFile> withLinksFollowed(std::vector<SavedFile> files) {
    for (SavedFile& file : files) {
        std::error_code error;
        if (fs::is_symlink(fs::symlink_status(file.path, error))) {
            const fs::path resolved = fs::weakly_canonical(file.path, error);
            if (!error)
                file.path = resolved;
        }
    }
    return files;
}

} // namespace

SaveFileSystem& diskFileSystem() {
    static Disk disk;
    return disk;
}

std::string journalText(const std::vector<SavedFile>& files) {
    std::string text(journalHeader);
    for (const SavedFile& file : files) {
        const std::string path = file.path.string();
        text += file.bytes ? "put " : "remove ";
        text += std::to_string(path.size()) + " " + path + "\n";
    }
    text += "end " + std::to_string(files.size()) + "\n";
    return text;
}

std::optional<std::vector<SavedFile>> parseJournal(std::string_view text) {
    if (!text.starts_with(journalHeader))
        return std::nullopt;
    text.remove_prefix(journalHeader.size());
    std::vector<SavedFile> files;
    while (!text.starts_with("end ")) {
        SavedFile file;
        if (text.starts_with("put "))
            file.bytes = std::string();
        else if (!text.starts_with("remove "))
            return std::nullopt;
        text.remove_prefix(file.bytes ? 4 : 7);
        std::size_t length = 0;
        if (text.starts_with('0')) // one way to write each length
            return std::nullopt;
        const auto [after, error] = std::from_chars(text.data(), text.data() + text.size(), length);
        if (error != std::errc() || after == text.data() + text.size() || *after != ' ')
            return std::nullopt;
        text.remove_prefix(static_cast<std::size_t>(after - text.data()) + 1);
        if (length == 0 || text.size() < length + 1 || text[length] != '\n')
            return std::nullopt;
        file.path = std::string(text.substr(0, length));
        text.remove_prefix(length + 1);
        files.push_back(std::move(file));
    }
    if (text != "end " + std::to_string(files.size()) + "\n")
        return std::nullopt;
    return files;
}

Recovery recoverSave(SaveFileSystem& disk, const SavePlaces& places) {
    const fs::path journal = places.journalFolder / journalName;
    Recovery outcome = Recovery::Clean;
    if (const auto text = disk.read(journal, journalLimit)) {
        const auto files = parseJournal(*text);
        if (files && applyJournal(disk, *files) != 0)
            return Recovery::Failed;
        outcome = files ? Recovery::RolledForward : Recovery::RolledBack;
        if (const int removed = disk.remove(journal); removed != 0 && removed != ENOENT)
            return Recovery::Failed;
        disk.syncFolder(places.journalFolder);
    }
    const auto hasStaged = [&] {
        for (const fs::path& folder : places.stagingFolders) {
            for (const std::string& name : disk.list(folder))
                if (name.size() > stagedSuffix.size() && name.ends_with(stagedSuffix))
                    return true;
        }
        return false;
    };
    if (hasStaged()) {
        removeStagedFiles(disk, places);
        if (outcome == Recovery::Clean)
            outcome = Recovery::RolledBack;
    }
    return outcome;
}

WriteResult commitSave(SaveFileSystem& disk, const SavePlaces& places,
                       const std::vector<SavedFile>& wanted) {
    if (recoverSave(disk, places) == Recovery::Failed)
        return WriteResult::failure(
            {QT_TRANSLATE_NOOP("Ombrix", "An earlier save could not be finished in %1."),
             {places.journalFolder.string()}});
    const std::vector<SavedFile> files = changedFiles(disk, withLinksFollowed(wanted));
    if (files.empty())
        return {};
    for (const SavedFile& file : files) {
        if (WriteResult ok = checkTarget(file.path); !ok)
            return ok;
        if (WriteResult ok = makeFolderFor(disk, file.path); !ok)
            return ok;
    }
    const auto giveUp = [&](const fs::path& path, int error) {
        removeStagedFiles(disk, places);
        return WriteResult::failure(cannotWrite(path, error));
    };
    std::set<fs::path> folders{places.journalFolder};
    for (const SavedFile& file : files) {
        if (!file.bytes)
            continue;
        const fs::path staged = stagedPath(file.path);
        if (const int error = disk.writeNew(staged, *file.bytes); error != 0)
            return giveUp(file.path, error);
        folders.insert(file.path.parent_path());
    }
    for (const fs::path& folder : folders)
        disk.syncFolder(folder);

    const fs::path journal = places.journalFolder / journalName;
    const fs::path stagedJournal = stagedPath(journal);
    if (const int error = disk.writeNew(stagedJournal, journalText(files)); error != 0)
        return giveUp(journal, error);
    if (const int error = disk.rename(stagedJournal, journal); error != 0)
        return giveUp(journal, error);
    disk.syncFolder(places.journalFolder);

    // Committed: from here on the save is finished, now or at the next start.
    if (const int error = applyJournal(disk, files); error != 0)
        return WriteResult::failure(
            {QT_TRANSLATE_NOOP("Ombrix", "Cannot finish saving in %1: %2. The save is finished "
                                         "at the next start."),
             {places.journalFolder.string(), std::strerror(error)}});
    disk.remove(journal);
    disk.syncFolder(places.journalFolder);
    return {};
}

} // namespace ombrix
