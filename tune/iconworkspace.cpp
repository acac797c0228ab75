#include "tune/iconworkspace.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>

namespace fs = std::filesystem;

namespace ombrix {
namespace {

std::string failed(const std::string& what, const fs::path& path, const std::string& why) {
    return "Cannot " + what + " " + path.string() + ": " + why + ".";
}

bool isRegularFile(const fs::directory_entry& entry) {
    std::error_code error;
    return entry.is_regular_file(error);
}

// Copies the regular files of `from` (not its subfolders) into the folder `to`, each written
// whole and flushed.
WriteResult copyFiles(const fs::path& from, const fs::path& to) {
    std::error_code error;
    for (fs::directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
        if (!isRegularFile(*it))
            continue;
        std::string bytes;
        if (!readWholeFile(it->path(), bytes))
            return WriteResult::failure(failed("read", it->path(), "the file cannot be read"));
        if (WriteResult written = writeFileAtomically(to / it->path().filename(), bytes); !written)
            return written;
    }
    if (error)
        return WriteResult::failure(failed("read the folder", from, error.message()));
    return {};
}

// What the old icons folder holds besides files (subfolders, links): kept as it is.
WriteResult copyTheRest(const fs::path& from, const fs::path& to) {
    std::error_code error;
    for (fs::directory_iterator it(from, error), end; !error && it != end; it.increment(error)) {
        if (isRegularFile(*it))
            continue;
        fs::copy(it->path(), to / it->path().filename(),
                 fs::copy_options::recursive | fs::copy_options::copy_symlinks, error);
        if (error)
            return WriteResult::failure(failed("copy", it->path(), error.message()));
    }
    return {};
}

// Exchanges two folders in one step where the file system can; otherwise by two renames.
bool exchangeFolders(const fs::path& a, const fs::path& b) {
    if (::renameat2(AT_FDCWD, a.c_str(), AT_FDCWD, b.c_str(), RENAME_EXCHANGE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    fs::path aside = b;
    aside += ".old";
    std::error_code error;
    fs::remove_all(aside, error);
    fs::rename(b, aside, error);
    if (error)
        return false;
    fs::rename(a, b, error);
    if (error) {
        fs::rename(aside, b, error);
        return false;
    }
    fs::rename(aside, a, error);
    return !error;
}

} // namespace

IconWorkspace::IconWorkspace(fs::path dataFolder)
    : dataFolder_(std::move(dataFolder)), current_(&dataFolder_) {}

IconWorkspace::~IconWorkspace() {
    if (scratch_.empty())
        return;
    std::error_code ignored;
    fs::remove_all(scratch_, ignored);
}

WriteResult IconWorkspace::prepareChange() {
    if (!scratch_.empty())
        return {};
    std::error_code error;
    std::string pattern = (fs::temp_directory_path(error) / "ombrix-icons-XXXXXX").string();
    if (error || ::mkdtemp(pattern.data()) == nullptr)
        return WriteResult::failure(failed("make a scratch folder for the icons in",
                                           fs::path(pattern).parent_path(),
                                           error ? error.message() : std::strerror(errno)));
    const fs::path scratch = pattern;
    fs::create_directory(scratch / "icons", error);
    WriteResult copied =
        error ? WriteResult::failure(failed("make", scratch / "icons", error.message()))
              : WriteResult{};
    if (copied && fs::is_directory(dataFolder_ / "icons", error))
        copied = copyFiles(dataFolder_ / "icons", scratch / "icons");
    if (!copied) {
        fs::remove_all(scratch, error);
        return copied;
    }
    scratch_ = scratch;
    current_ = &scratch_;
    return {};
}

WriteResult IconWorkspace::save(const std::function<WriteResult()>& writeKeyTable) {
    if (scratch_.empty())
        return writeKeyTable();
    const fs::path icons = dataFolder_ / "icons";
    const fs::path building = dataFolder_ / "icons.saving";
    std::error_code error;
    fs::remove_all(building, error); // left by a save that did not finish
    fs::create_directory(building, error);
    if (error)
        return WriteResult::failure(failed("make the folder", building, error.message()));
    const bool hadIcons = fs::is_directory(icons, error);
    WriteResult built = copyFiles(scratch_ / "icons", building);
    if (built && hadIcons)
        built = copyTheRest(icons, building);
    if (!built) {
        fs::remove_all(building, error);
        return built;
    }

    bool placed = false;
    if (hadIcons) {
        placed = exchangeFolders(building, icons);
    } else {
        fs::rename(building, icons, error);
        placed = !error;
    }
    if (!placed) {
        const std::string why = error ? error.message() : std::strerror(errno);
        fs::remove_all(building, error);
        return WriteResult::failure(failed("replace the folder", icons, why));
    }
    WriteResult table = writeKeyTable();
    if (!table) {
        // The old icons go back with the old key table.
        if (hadIcons)
            exchangeFolders(building, icons);
        else
            fs::rename(icons, building, error);
        fs::remove_all(building, error);
        return table;
    }
    fs::remove_all(building, error); // the old icons folder
    return {};
}

} // namespace ombrix
