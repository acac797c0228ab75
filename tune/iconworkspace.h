#pragma once

#include "common/atomicfile.h"

#include <filesystem>
#include <functional>

// The key icon files while the setup program runs. The key table is edited in memory and
// reaches barra.dat only on "EXIT"; the icon files must follow the same road, or a key moved
// and then left unsaved would show another key's picture at the next start. So the first
// change to an icon file (a moved key, a stored picture) copies the icons folder into a scratch
// folder, every change is made there, and only save() puts the icons into the data folder,
// together with the key table. Leaving any other way leaves both as they were.
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

    // Writes the icon files and then the key table (through `writeKeyTable`), as one save:
    // the new icons folder is built beside the old one and exchanged with it, then the key
    // table is written; when the key table cannot be written, the old icons folder is put
    // back. Files in the icons folder that are no key's icon file stay. Without a change to
    // the icons only the key table is written.
    WriteResult save(const std::function<WriteResult()>& writeKeyTable);

private:
    std::filesystem::path dataFolder_;
    std::filesystem::path scratch_; // empty until the first change
    const std::filesystem::path* current_;
};

} // namespace ombrix
