#pragma once

#include <filesystem>
#include <vector>

// Where the programs find what is theirs on this desktop.
namespace ombrix::platform {

// The folder of the running executable: key table, icons, sounds and the other programs.
std::filesystem::path programFolder();

// The per-user configuration folder, $XDG_CONFIG_HOME/Ombrix (default ~/.config/Ombrix).
// It holds the key count and the settings file, and is created when first written.
std::filesystem::path configFolder();

std::filesystem::path keyCountPath(); // configFolder()/keycount.stm
std::filesystem::path settingsPath(); // configFolder()/Ombrix.conf

// Where desktop entries live: $XDG_DATA_HOME/applications (default ~/.local/share/...), then
// each folder of $XDG_DATA_DIRS (default /usr/local/share:/usr/share) + /applications.
std::vector<std::filesystem::path> applicationFolders();

} // namespace ombrix::platform
