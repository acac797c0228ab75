#pragma once

#include "common/keyrecord.h"

#include <filesystem>
#include <vector>

// The keys a newcomer finds on the very first run, before any key table exists: a terminal,
// the file manager, a web browser, a text editor and a calculator where the desktop has them,
// then a web address and the shut-down key. Programs are desktop entries, shown with their
// own icons.
namespace ombrix {

// `applicationFolders` are searched in order (the user's own first); the first entry found
// for each kind of program is used. Always ends with the web address and the shut-down key,
// so the table is never empty and never longer than eight keys.
std::vector<KeyRecord> starterKeys(const std::vector<std::filesystem::path>& applicationFolders);

// A first run: neither a key table nor a stored key count exists yet. Both programs then use
// the starter keys, and their number is the key count.
bool isFirstRun(const std::filesystem::path& keyTable, const std::filesystem::path& keyCountFile);

} // namespace ombrix
