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

// The single stored in the file as it is; nothing when the file is missing or too short.
std::optional<float> readStoredKeyCount(const std::filesystem::path& path);

// A stored count made safe to use: no number or infinity gives the first-run count; any
// other value is taken to the nearest whole number (halves up) and limited to 1..128.
float saneKeyCount(float stored);

// The count the programs use: the stored one made safe, or the first-run count.
float readKeyCount(const std::filesystem::path& path);

// Writes the count into record 11, keeping the file's other bytes, atomically.
WriteResult writeKeyCount(const std::filesystem::path& path, float count);

} // namespace ombrix
