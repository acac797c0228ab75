#include "common/keytable.h"

#include <algorithm>

namespace ombrix {

std::filesystem::path keyTablePath(const std::filesystem::path& dataFolder) {
    return dataFolder / "barra.dat";
}

std::optional<std::vector<KeyRecord>> readKeyTable(const std::filesystem::path& path, int count) {
    std::string bytes;
    if (!readWholeFile(path, bytes))
        return std::nullopt;
    const auto whole = static_cast<int>(bytes.size() / keyRecordSize);
    std::vector<KeyRecord> keys;
    keys.reserve(static_cast<std::size_t>(std::clamp(std::min(whole, count), 0, maxKeys)));
    for (int i = 0; i < whole && i < count; ++i)
        keys.push_back(decodeKeyRecord(bytes.data() + static_cast<std::size_t>(i) * keyRecordSize));
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
