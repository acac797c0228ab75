#include "common/atomicfile.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <random>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view temporaryMark = ".ombrix-tmp.";
constexpr std::string_view nameLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t nameLetterCount = 6;

UserMessage cannotWrite(const fs::path& path, int error) {
    return {QT_TRANSLATE_NOOP("Ombrix", "Cannot write %1: %2."),
            {path.string(), std::strerror(error)}};
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;

    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    // Closes now and tells whether the close reported an error.
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The file a path finally names, its symbolic links followed; a dangling link names the
// file it would point at. Loops end where the system would stop following them.
fs::path followLinks(fs::path path) {
    constexpr int systemLinkLimit = 40;
    for (int i = 0; i < systemLinkLimit; ++i) {
        std::error_code error;
        if (!fs::is_symlink(fs::symlink_status(path, error)))
            return path;
        const fs::path next = fs::read_symlink(path, error);
        if (error)
            return path;
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    return path;
}

// A device, a FIFO or a folder is never replaced by a regular file, nor what a link to one
// points at: the user is told which file is in the way.
UserMessage notRegularMessage(const fs::path& path, const fs::path& target) {
    if (target == path)
        return {QT_TRANSLATE_NOOP("Ombrix", "Cannot write %1: it is not a regular file, and is "
                                            "left alone. Move it away to let the file be written."),
                {path.string()}};
    return {QT_TRANSLATE_NOOP("Ombrix",
                              "Cannot write %1 (a link to %2): it is not a regular file, and is "
                              "left alone. Move it away to let the file be written."),
            {path.string(), target.string()}};
}

// Whether a file that exists may be replaced: as writing it in place would allow, and never
// one its owner has made read-only (which the superuser could write, but should not).
int replaceError(const fs::path& target, const struct stat& info) {
    if ((info.st_mode & S_IWUSR) == 0)
        return EACCES;
    if (::access(target.c_str(), W_OK) != 0)
        return errno;
    return 0;
}

std::string randomLetters() {
    static std::mt19937 random{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, nameLetters.size() - 1);
    std::string letters;
    for (std::size_t i = 0; i < nameLetterCount; ++i)
        letters += nameLetters[pick(random)];
    return letters;
}

bool isTemporaryName(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix) || name.size() != prefix.size() + nameLetterCount)
        return false;
    name.remove_prefix(prefix.size());
    return name.find_first_not_of(nameLetters) == std::string_view::npos;
}

bool sameFile(int fd, const fs::path& path) {
    struct stat opened {};
    struct stat named {};
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 &&
           opened.st_dev == named.st_dev && opened.st_ino == named.st_ino;
}

// Removes the temporary files of `target` that no living writer holds: a write that was
// killed leaves its temporary file unlocked.
void removeLeftoverTemporaries(const fs::path& target) {
    const std::string prefix = temporaryPrefixFor(target);
    std::error_code error;
    for (const auto& entry : fs::directory_iterator(target.parent_path(), error)) {
        const fs::path candidate = entry.path();
        if (!isTemporaryName(candidate.filename().string(), prefix))
            continue;
        if (!fs::is_regular_file(fs::symlink_status(candidate, error)))
            continue;
        const Descriptor fd(
            ::open(candidate.c_str(), O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
        if (fd && ::flock(fd.get(), LOCK_EX | LOCK_NB) == 0 && sameFile(fd.get(), candidate))
            ::unlink(candidate.c_str());
    }
}

// A new temporary file beside `target`, created with the umask's bits and locked for as long
// as it stays open; -1 and errno when none could be made.
int createTemporary(const fs::path& target, fs::path& name) {
    const fs::path folder = target.parent_path();
    const std::string prefix = temporaryPrefixFor(target);
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = folder / (prefix + randomLetters());
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return -1;
        }
        // Between creating and locking, another writer's clean-up may take the file for a
        // leftover and remove it; then this name is given up.
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && sameFile(fd, name))
            return fd;
        ::close(fd);
    }
    errno = EEXIST;
    return -1;
}

// The folder's own entry is synced so the rename is on the disk, not only the bytes. A file
// system that cannot sync a folder has nothing more to do.
void syncFolder(const fs::path& folder) {
    const Descriptor fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd)
        ::fsync(fd.get());
}

// Opens a file for reading without ever waiting: a FIFO with no writer or a terminal would
// otherwise hold the program. Only a regular file is kept open; -1 for anything else.
int openRegularFile(const fs::path& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode))) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace

std::string temporaryPrefixFor(const fs::path& path) {
    return path.filename().string() + std::string(temporaryMark);
}

WriteResult writeFileAtomically(const fs::path& path, std::string_view bytes) {
    const fs::path target = followLinks(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return WriteResult::failure(notRegularMessage(path, target));
    if (exists) {
        if (const int error = replaceError(target, existing); error != 0)
            return WriteResult::failure(cannotWrite(path, error));
    }
    removeLeftoverTemporaries(target);

    fs::path temporary;
    Descriptor fd(createTemporary(target, temporary));
    if (!fd)
        return WriteResult::failure(cannotWrite(path, errno));
    const auto fail = [&] {
        const int error = errno;
        ::unlink(temporary.c_str());
        return WriteResult::failure(cannotWrite(path, error));
    };
    if (!writeAll(fd.get(), bytes))
        return fail();
    if (exists) {
        // The owner is kept where this user may give it away (the superuser may); the bits
        // are kept in any case.
        [[maybe_unused]] const int ignored = ::fchown(fd.get(), existing.st_uid, existing.st_gid);
        if (::fchmod(fd.get(), existing.st_mode & 07777) != 0)
            return fail();
    }
    if (::fsync(fd.get()) != 0)
        return fail();
    // Renamed while still locked, so no clean-up can take it for a leftover before then.
    if (::rename(temporary.c_str(), target.c_str()) != 0)
        return fail();
    fd.close();
    syncFolder(target.parent_path());
    return {};
}

std::optional<std::string> readFilePrefix(const fs::path& path, std::size_t limit) {
    const Descriptor fd(openRegularFile(path));
    if (!fd)
        return std::nullopt;
    std::string bytes;
    std::array<char, 65536> buffer;
    while (bytes.size() < limit) {
        const std::size_t wanted = std::min(buffer.size(), limit - bytes.size());
        const ssize_t got = ::read(fd.get(), buffer.data(), wanted);
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return std::nullopt;
        if (got == 0)
            break;
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    return bytes;
}

bool readWholeFile(const fs::path& path, std::string& bytes) {
    auto whole = readFilePrefix(path, std::numeric_limits<std::size_t>::max());
    if (!whole)
        return false;
    bytes = std::move(*whole);
    return true;
}

} // namespace ombrix
