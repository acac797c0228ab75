#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>

// What either program reads at its start is read here: opened without waiting (a FIFO or a
// device never holds the program), only when it is a regular file, and whole only within a
// limit for its kind, so that no file, however large, costs more time or memory than that.
namespace ombrix {

inline constexpr std::size_t settingsFileLimit = 1 << 20;  // Ombrix.conf
inline constexpr std::size_t pictureFileLimit = 8 << 20;   // icon files, SVG and PNG pictures
inline constexpr std::size_t themeIndexLimit = 1 << 20;    // an icon theme's index.theme
inline constexpr std::size_t themeCacheLimit = 32 << 20;   // an icon theme's icon-theme.cache
inline constexpr std::size_t pictureCacheLimit = 16 << 20; // keypictures.cache
// The most a picture may declare it holds, in megabytes once decoded: far beyond any icon,
// far below what would cost the programs their memory.
inline constexpr int pictureAllocationLimitMb = 16;

// The whole of a regular file (links followed) of at most `limit` bytes; nothing when it is
// missing, unreadable, no regular file, or larger.
std::optional<std::string> readBoundedFile(const std::filesystem::path& path, std::size_t limit);

// The regular file of at most `limit` bytes opened for reading without waiting; -1 for
// anything else. The caller closes it.
int openBoundedFile(const std::filesystem::path& path, std::size_t limit);

} // namespace ombrix
