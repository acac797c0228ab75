#pragma once

#include <filesystem>
#include <string_view>
#include <vector>

// Where the programs find what is theirs on this desktop.
namespace ombrix::platform {

// The folder of the running executable, links resolved (so /usr/bin/ombrix, a link, gives the
// installation's program folder): sounds, decoration icons, the picture list and the other
// programs.
std::filesystem::path programFolder();

// The file that makes a program folder portable. The build puts it into the program folder it
// makes; the install rules never install it.
inline constexpr std::string_view portableMarkerName = "portable";

// Where each user's key table (barra.dat) and key icons (icons/) live. A portable program
// folder, one holding the portable marker (the build's folder, or any copy of it), keeps them
// beside the programs. Every other program folder is an installed copy, possibly shared by
// many users and owned by root: it keeps them per user in $XDG_DATA_HOME/Ombrix (an unset,
// empty or relative XDG_DATA_HOME means $HOME/.local/share) and never writes into its own
// folder, also when run as root. The marker says "portable" rather than "installed" so that
// a copy that lacks it, however it was installed, errs on the side that writes nothing there.
// Either variable may be null; without HOME the user's folder lies under /tmp.
std::filesystem::path dataFolder(const std::filesystem::path& programFolder,
                                 const char* xdgDataHome, const char* home);
// The running program's data folder, from its environment. The setup program creates it
// before it writes there; the bar only reads.
std::filesystem::path dataFolder();

// The per-user configuration folder, $XDG_CONFIG_HOME/Ombrix (default ~/.config/Ombrix).
// It holds the key count and the settings file, and is created when first written.
std::filesystem::path configFolder();

std::filesystem::path keyCountPath(); // configFolder()/keycount.stm
std::filesystem::path settingsPath(); // configFolder()/Ombrix.conf

// Where desktop entries live: $XDG_DATA_HOME/applications (default ~/.local/share/...), then
// each folder of $XDG_DATA_DIRS (default /usr/local/share:/usr/share) + /applications.
std::vector<std::filesystem::path> applicationFolders();

} // namespace ombrix::platform
