#include "tune/iconworkspace.h"

#include "common/keyrecord.h"
#include "common/keysave.h"
#include "common/targets.h"

#include <string>

namespace fs = std::filesystem;

namespace ombrix {
namespace {

// The most an icon file of the scratch copy is read: far beyond any icon the editor makes.
constexpr std::size_t iconFileLimit = 16 << 20;

fs::path scratchFolderOf(const fs::path& dataFolder) {
    return dataFolder / scratchFolderName;
}

// Copies the regular files of the icons folder (not its subfolders, not a save's staged
// files) into the folder `to`, each written whole and flushed.
WriteResult copyIconFiles(const fs::path& from, const fs::path& to) {
    std::error_code error;
    const fs::path icons = from / "icons";
    if (!fs::is_directory(icons, error))
        return {};
    for (fs::directory_iterator it(icons, error), end; !error && it != end; it.increment(error)) {
        std::error_code ignored;
        const fs::path file = it->path();
        if (!it->is_regular_file(ignored) || file.string().ends_with(stagedSuffix))
            continue;
        const auto bytes = readFilePrefix(file, iconFileLimit);
        if (!bytes)
            return WriteResult::failure(
                {QT_TRANSLATE_NOOP("Ombrix", "Cannot read %1: it is no readable icon file."),
                 {file.string()}});
        if (WriteResult written = writeFileAtomically(to / "icons" / file.filename(), *bytes);
            !written)
            return written;
    }
    if (error)
        return WriteResult::failure({QT_TRANSLATE_NOOP("Ombrix", "Cannot read the folder %1: %2."),
                                     {icons.string(), error.message()}});
    return {};
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
    const fs::path scratch = scratchFolderOf(dataFolder_);
    std::error_code error;
    fs::remove_all(scratch, error);
    fs::create_directories(scratch / "icons", error);
    if (error)
        return WriteResult::failure(
            {QT_TRANSLATE_NOOP("Ombrix", "Cannot make a scratch folder for the icons in %1: %2."),
             {dataFolder_.string(), error.message()}});
    WriteResult copied = copyIconFiles(dataFolder_, scratch);
    if (!copied) {
        fs::remove_all(scratch, error);
        return copied;
    }
    scratch_ = scratch;
    current_ = &scratch_;
    return {};
}

std::vector<SavedFile> IconWorkspace::savedIcons() const {
    std::vector<SavedFile> icons;
    if (scratch_.empty())
        return icons;
    for (int i = 0; i < maxKeys; ++i) {
        const fs::path target = iconFilePath(dataFolder_, i);
        std::error_code error;
        if (auto bytes = readFilePrefix(iconFilePath(scratch_, i), iconFileLimit))
            icons.push_back({target, std::move(bytes)});
        else if (fs::exists(fs::symlink_status(target, error)))
            icons.push_back({target, std::nullopt});
    }
    return icons;
}

} // namespace ombrix
