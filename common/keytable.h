#pragma once

#include "common/atomicfile.h"
#include "common/keyrecord.h"

#include <filesystem>
#include <optional>
#include <span>
#include <vector>

// barra.dat: no header, one 550-byte record per key, record n holding key n - 1.
namespace ombrix {

// The key table in a data folder.
std::filesystem::path keyTablePath(const std::filesystem::path& dataFolder);

// The whole records at the start of the file, at most `count` of them and never more than
// 128: no more than 70,400 bytes are read. A record cut short by the end of the file is not
// a record. Nothing when the file cannot be read or is no regular file.
std::optional<std::vector<KeyRecord>> readKeyTable(const std::filesystem::path& path, int count);

// The keys the bar shows: records 1..count of the table, and for every key the file does not
// hold (a missing or short file) the default key with its number as caption.
std::vector<KeyRecord> loadKeys(const std::filesystem::path& path, int count);

// The file's bytes for these keys, in order.
std::string encodeKeyTable(std::span<const KeyRecord> keys);

// Writes the keys as records 1..keys.size(), replacing the file atomically.
WriteResult writeKeyTable(const std::filesystem::path& path, std::span<const KeyRecord> keys);

} // namespace ombrix
