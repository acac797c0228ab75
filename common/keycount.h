#pragma once

#include "common/atomicfile.h"

#include <filesystem>
#include <optional>

// keycount.stm: the number of keys, a little-endian single in record 11 of 34-byte records
// (bytes 340..343). The rest of the file is kept as it is when the count is written.
namespace ombrix {

inline constexpr std::size_t keyCountOffset = 340;
inline constexpr std::size_t keyCountFileSize = keyCountOffset + 4;

// The key count of a first run, before the setup program has ever saved one.
inline constexpr float firstRunKeyCount = 8;

// The most of an existing file that writing the count keeps; a larger file is no key-count
// file and keeps only its start.
inline constexpr std::size_t keptBytesLimit = 65536;

// The single stored in the file as it is, reading no more than its first 344 bytes; nothing
// when the file is missing, too short or no regular file.
std::optional<float> readStoredKeyCount(const std::filesystem::path& path);

// A stored count made safe to use: no number or infinity gives the first-run count; any
// other value is taken to the nearest whole number (halves up) and limited to 1..128.
float saneKeyCount(float stored);

// The count the programs use: the stored one made safe, or the first-run count.
float readKeyCount(const std::filesystem::path& path);

// The file's bytes with `count` in record 11, its other bytes kept (up to keptBytesLimit).
std::string keyCountBytes(const std::filesystem::path& path, float count);

// Writes the count into record 11, keeping the file's other bytes (up to keptBytesLimit),
// atomically.
WriteResult writeKeyCount(const std::filesystem::path& path, float count);

} // namespace ombrix
