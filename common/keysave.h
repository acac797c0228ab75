#pragma once

#include "common/keyrecord.h"
#include "common/savejournal.h"

#include <filesystem>
#include <span>
#include <vector>

// The stored keys as one save: the key table and the icon files in the data folder, the key
// count in the configuration folder, and whatever else a save adds (SavedFile), committed
// together so that either program's next start finds them agreeing.
namespace ombrix {

struct KeyFiles {
    std::filesystem::path dataFolder;
    std::filesystem::path keyCountFile;
};

// The journal's folder and every folder whose staged files a recovery looks for.
SavePlaces keySavePlaces(const KeyFiles& files);

// Finishes or rolls back an interrupted save; called under the data lock before the keys are
// read.
Recovery recoverKeys(const KeyFiles& files, SaveFileSystem& disk = diskFileSystem());

// The key table and the count, and `others` (icon files, texts), as one change.
WriteResult saveKeys(const KeyFiles& files, std::span<const KeyRecord> table, float count,
                     std::vector<SavedFile> others, SaveFileSystem& disk = diskFileSystem());

} // namespace ombrix
