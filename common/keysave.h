#pragma once

#include "common/keyrecord.h"
#include "common/savejournal.h"

#include <filesystem>
#include <span>
#include <string_view>
#include <vector>

// The stored keys as one save: the key table and the icon files in the data folder, the key
// count in the configuration folder, and whatever else a save adds (SavedFile), committed
// together so that either program's next start finds them agreeing.
namespace ombrix {

struct KeyFiles {
    std::filesystem::path dataFolder;
    std::filesystem::path keyCountFile;
};

// The setup program's scratch copy of the icons folder, inside the data folder.
inline constexpr std::string_view scratchFolderName = "tune.scratch";

// The journal's folder and every folder whose staged files a recovery looks for.
SavePlaces keySavePlaces(const KeyFiles& files);

// Finishes or rolls back an interrupted save, and removes the scratch folder of a setup
// program that was killed; called under the data lock (so no setup program runs) before the
// keys are read.
Recovery recoverKeys(const KeyFiles& files, SaveFileSystem& disk = diskFileSystem());

// The key table and the count, and `others` (icon files, texts), as one change.
WriteResult saveKeys(const KeyFiles& files, std::span<const KeyRecord> table, float count,
                     std::vector<SavedFile> others, SaveFileSystem& disk = diskFileSystem());

} // namespace ombrix
