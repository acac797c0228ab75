#include "common/keysave.h"

#include "common/keycount.h"
#include "common/keytable.h"

namespace ombrix {

SavePlaces keySavePlaces(const KeyFiles& files) {
    return {files.dataFolder,
            {files.dataFolder, files.dataFolder / "icons", files.keyCountFile.parent_path()}};
}

Recovery recoverKeys(const KeyFiles& files, SaveFileSystem& disk) {
    std::error_code ignored;
    std::filesystem::remove_all(files.dataFolder / scratchFolderName, ignored);
    return recoverSave(disk, keySavePlaces(files));
}

WriteResult saveKeys(const KeyFiles& files, std::span<const KeyRecord> table, float count,
                     std::vector<SavedFile> others, SaveFileSystem& disk) {
    others.insert(others.begin(), {keyTablePath(files.dataFolder), encodeKeyTable(table)});
    others.push_back({files.keyCountFile, keyCountBytes(files.keyCountFile, count)});
    return commitSave(disk, keySavePlaces(files), others);
}

} // namespace ombrix
