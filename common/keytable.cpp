#include "common/keytable.h"

#include <algorithm>

namespace ombrix {

std::filesystem::path keyTablePath(const std::filesystem::path& dataFolder) {
    return dataFolder / "barra.dat";
}

std::optional<std::vector<KeyRecord>> readKeyTable(const std::filesystem::path& path, int count) {
    // Only the records that can be used are read: a huge or endless file costs no more
    // than a full table.
    const auto wanted = static_cast<std::size_t>(std::clamp(count, 0, maxKeys));
    const auto bytes = readFilePrefix(path, wanted * keyRecordSize);
    if (!bytes)
        return std::nullopt;
    const std::size_t whole = bytes->size() / keyRecordSize;
    std::vector<KeyRecord> keys;
    keys.reserve(whole);
    for (std::size_t i = 0; i < whole; ++i)
        keys.push_back(decodeKeyRecord(bytes->data() + i * keyRecordSize));
    return keys;
}

std::vector<KeyRecord> loadKeys(const std::filesystem::path& path, int count) {
    std::vector<KeyRecord> keys = readKeyTable(path, count).value_or(std::vector<KeyRecord>{});
    for (int i = static_cast<int>(keys.size()); i < count; ++i)
        keys.push_back(defaultKeyRecord(i));
    return keys;
}

std::string encodeKeyTable(std::span<const KeyRecord> keys) {
    std::string bytes(keys.size() * keyRecordSize, '\0');
    for (std::size_t i = 0; i < keys.size(); ++i)
        encodeKeyRecord(keys[i], bytes.data() + i * keyRecordSize);
    return bytes;
}

WriteResult writeKeyTable(const std::filesystem::path& path, std::span<const KeyRecord> keys) {
    return writeFileAtomically(path, encodeKeyTable(keys));
}

} // namespace ombrix
