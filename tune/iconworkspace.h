#pragma once

#include "common/atomicfile.h"
#include "common/savejournal.h"

#include <filesystem>
#include <vector>

// The key icon files while the setup program runs. The key table is edited in memory and
// reaches barra.dat only on "EXIT"; the icon files must follow the same road, or a key moved
// and then left unsaved would show another key's picture at the next start. So the first
// change to an icon file (a moved key, a stored picture) copies the icons folder's files into
// a scratch folder inside the data folder (which the next start removes if a killed session
// left it), every change is made there, and "EXIT" saves the
// icon files together with the key table and the count (keysave.h). Leaving any other way
// leaves all of them as they were.
namespace ombrix {

class IconWorkspace {
public:
    explicit IconWorkspace(std::filesystem::path dataFolder);
    ~IconWorkspace(); // removes the scratch folder
    IconWorkspace(const IconWorkspace&) = delete;
    IconWorkspace& operator=(const IconWorkspace&) = delete;

    // The folder whose "icons" subfolder holds the icon files as the editor has them, for
    // iconFilePath and the key list: the data folder until the first change, then the
    // scratch folder.
    const std::filesystem::path& folder() const { return *current_; }

    // Called before changing an icon file: makes the scratch copy of the icons folder's files
    // the first time. On failure nothing changed and the change must not be made.
    WriteResult prepareChange();

    // The keys' icon files as the editor has them, as files of a save: each one the scratch
    // copy holds, and a removal for each one the icons folder holds and the copy does not.
    // Other files of the icons folder are no key's and stay. None before the first change.
    std::vector<SavedFile> savedIcons() const;

private:
    std::filesystem::path dataFolder_;
    std::filesystem::path scratch_; // empty until the first change
    const std::filesystem::path* current_;
};

} // namespace ombrix
