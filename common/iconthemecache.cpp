#include "common/iconthemecache.h"

#include "common/atomicfile.h"
#include "common/boundedread.h"

#include <sys/stat.h>

namespace ombrix {

namespace {

constexpr std::uint32_t none = 0xFFFFFFFF;
// Bounds that keep a damaged file from making a lookup walk for ever.
constexpr std::uint32_t maxChain = 4096;
constexpr std::uint32_t maxPictures = 4096;

// The cache tool's hash of a name, over signed characters.
std::uint32_t nameHash(std::string_view name) {
    if (name.empty())
        return 0;
    std::uint32_t hash = static_cast<std::uint32_t>(static_cast<signed char>(name[0]));
    for (std::size_t i = 1; i < name.size(); ++i)
        hash = (hash << 5) - hash + static_cast<std::uint32_t>(static_cast<signed char>(name[i]));
    return hash;
}

// Nanoseconds since the epoch; 0 when the file is not there.
std::int64_t modifiedTime(const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return 0;
    return std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
}

} // namespace

std::optional<IconThemeCache> IconThemeCache::open(const std::filesystem::path& themeFolder) {
    const auto file = themeFolder / "icon-theme.cache";
    if (!isCurrent(modifiedTime(file), modifiedTime(themeFolder)))
        return std::nullopt;
    auto bytes = readBoundedFile(file, themeCacheLimit);
    if (!bytes)
        return std::nullopt;
    return fromBytes(std::move(*bytes));
}

bool IconThemeCache::isCurrent(std::int64_t cacheTime, std::int64_t folderTime) {
    return cacheTime != 0 && folderTime != 0 && cacheTime >= folderTime;
}

std::optional<IconThemeCache> IconThemeCache::fromBytes(std::string bytes) {
    IconThemeCache cache(std::move(bytes));
    if (!cache.valid())
        return std::nullopt;
    return cache;
}

bool IconThemeCache::valid() const {
    const auto major = half(0);
    const auto hashAt = word(4);
    const auto foldersAt = word(8);
    if (!major || *major != 1 || !hashAt || !foldersAt)
        return false;
    const auto buckets = word(*hashAt);
    const auto folders = word(*foldersAt);
    // Every bucket and every folder entry must lie inside the file.
    return buckets && *buckets > 0 && folders &&
           std::uint64_t{*hashAt} + 4 + 4ull * *buckets <= bytes_.size() &&
           std::uint64_t{*foldersAt} + 4 + 4ull * *folders <= bytes_.size();
}

std::optional<std::uint32_t> IconThemeCache::word(std::uint32_t at) const {
    if (std::uint64_t{at} + 4 > bytes_.size())
        return std::nullopt;
    std::uint32_t value = 0;
    for (int i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<unsigned char>(bytes_[at + i]);
    return value;
}

std::optional<std::uint16_t> IconThemeCache::half(std::uint32_t at) const {
    if (std::uint64_t{at} + 2 > bytes_.size())
        return std::nullopt;
    return static_cast<std::uint16_t>((static_cast<unsigned char>(bytes_[at]) << 8) |
                                      static_cast<unsigned char>(bytes_[at + 1]));
}

std::optional<std::string_view> IconThemeCache::text(std::uint32_t at) const {
    if (at >= bytes_.size())
        return std::nullopt;
    const std::size_t end = bytes_.find('\0', at);
    if (end == std::string::npos)
        return std::nullopt;
    return std::string_view(bytes_).substr(at, end - at);
}

std::vector<IconThemeCache::Picture> IconThemeCache::find(std::string_view name) const {
    std::vector<Picture> found;
    const std::uint32_t hashAt = *word(4);
    const std::uint32_t foldersAt = *word(8);
    const std::uint32_t buckets = *word(hashAt);
    const std::uint32_t folderCount = *word(foldersAt);
    auto icon = word(hashAt + 4 + 4 * (nameHash(name) % buckets));
    for (std::uint32_t step = 0; icon && *icon != none && step < maxChain; ++step) {
        const auto nameAt = word(*icon + 4);
        const auto iconName = nameAt ? text(*nameAt) : std::nullopt;
        if (!iconName)
            return {};
        if (*iconName != name) {
            icon = word(*icon);
            continue;
        }
        const auto listAt = word(*icon + 8);
        const auto count = listAt ? word(*listAt) : std::nullopt;
        if (!count || *count > maxPictures)
            return {};
        for (std::uint32_t i = 0; i < *count; ++i) {
            const std::uint32_t entry = *listAt + 4 + 8 * i;
            const auto folder = half(entry);
            const auto formats = half(entry + 2);
            if (!folder || !formats || *folder >= folderCount)
                return {};
            const auto folderNameAt = word(foldersAt + 4 + 4 * *folder);
            const auto folderName = folderNameAt ? text(*folderNameAt) : std::nullopt;
            if (!folderName)
                return {};
            found.push_back({*folderName, *formats});
        }
        return found;
    }
    return {};
}

} // namespace ombrix
