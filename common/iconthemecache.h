#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ombrix {

// The index of an icon theme that the desktop's icon cache tool (gtk-update-icon-cache)
// writes as icon-theme.cache into the theme's folder: for every icon name, the theme's
// folders that hold a picture of that name and in which formats. Reading it answers a name
// with one hash lookup instead of a reading of every folder of the theme.
//
// The file is big-endian: a header (major 1, minor, the offsets of the hash table and of the
// folder list), the folder names, and a hash table of names, each with its list of
// (folder, formats). Every offset is checked: a damaged file gives no answers, never a read
// outside it.
class IconThemeCache {
public:
    enum Format : std::uint16_t { xpm = 1, svg = 2, png = 4 };

    struct Picture {
        std::string_view folder; // relative to the theme's folder, as "16x16/apps"
        std::uint16_t formats;   // the Format bits of the files present
    };

    // The cache of the theme in `themeFolder`, when it is there, well formed and at least as
    // new as the folder (an older one predates the last change to the theme).
    static std::optional<IconThemeCache> open(const std::filesystem::path& themeFolder);

    // Whether a cache modified at `cacheTime` indexes a theme folder modified at `folderTime`
    // (nanoseconds since the epoch; 0 for a file that is not there).
    static bool isCurrent(std::int64_t cacheTime, std::int64_t folderTime);

    // The same over the bytes of a cache file.
    static std::optional<IconThemeCache> fromBytes(std::string bytes);

    // Where pictures of `name` are, as the cache lists them.
    std::vector<Picture> find(std::string_view name) const;

private:
    explicit IconThemeCache(std::string bytes) : bytes_(std::move(bytes)) {}
    bool valid() const;
    std::optional<std::uint32_t> word(std::uint32_t at) const;
    std::optional<std::uint16_t> half(std::uint32_t at) const;
    std::optional<std::string_view> text(std::uint32_t at) const;

    std::string bytes_;
};

} // namespace ombrix
