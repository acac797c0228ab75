#include "common/keycount.h"

#include "common/keyrecord.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <string>

namespace ombrix {

std::optional<float> readStoredKeyCount(const std::filesystem::path& path) {
    const auto bytes = readFilePrefix(path, keyCountFileSize);
    if (!bytes || bytes->size() < keyCountFileSize)
        return std::nullopt;
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | static_cast<std::uint8_t>((*bytes)[keyCountOffset + i]);
    return std::bit_cast<float>(bits);
}

float saneKeyCount(float stored) {
    if (!std::isfinite(stored))
        return firstRunKeyCount;
    const double whole = std::floor(static_cast<double>(stored) + 0.5);
    return static_cast<float>(std::clamp(whole, 1.0, static_cast<double>(maxKeys)));
}

float readKeyCount(const std::filesystem::path& path) {
    const auto stored = readStoredKeyCount(path);
    return stored ? saneKeyCount(*stored) : firstRunKeyCount;
}

std::string keyCountBytes(const std::filesystem::path& path, float count) {
    std::string bytes = readFilePrefix(path, keptBytesLimit).value_or(std::string());
    if (bytes.size() < keyCountFileSize)
        bytes.resize(keyCountFileSize, '\0');
    auto bits = std::bit_cast<std::uint32_t>(count);
    for (int i = 0; i < 4; ++i, bits >>= 8)
        bytes[keyCountOffset + i] = static_cast<char>(bits & 0xFF);
    return bytes;
}

WriteResult writeKeyCount(const std::filesystem::path& path, float count) {
    const std::string bytes = keyCountBytes(path, count);
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    return writeFileAtomically(path, bytes);
}

} // namespace ombrix
