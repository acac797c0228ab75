#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The start-up helper's work: the desktop's autostart entry that starts the bar when the user
// logs in, made or taken away to match the stored start-up choice. Plain files, no Qt.
namespace ombrix {

inline constexpr std::string_view autostartEntryName = "ombrix.desktop";
// The icon the entry names when the program folder has no key1.ico of its own.
inline constexpr std::string_view fallbackEntryIcon = "application-x-executable";

// $XDG_CONFIG_HOME/autostart; an unset, empty or relative XDG_CONFIG_HOME means
// $HOME/.config. Empty when neither names a folder. Either argument may be null.
std::filesystem::path autostartFolder(const char* xdgConfigHome, const char* home);

// A value as desktop entries store text: backslash, newline, tab and carriage return escaped.
std::string escapeEntryValue(std::string_view text);

// One word of an Exec line that stands for exactly `word`: as it is when it holds no reserved
// character, else in double quotes with " ` $ and \ escaped; a % is doubled either way. The
// result still needs escapeEntryValue to become part of the entry's text.
std::string execWord(std::string_view word);

// The whole entry that starts `programFolder`/ombrix in `programFolder`, showing `icon` (an
// absolute picture path or a theme name).
std::string autostartEntryText(const std::filesystem::path& programFolder, std::string_view icon);

enum class AutostartChange { Unchanged, Written, Removed };

struct AutostartOutcome {
    bool ok = true;
    AutostartChange change = AutostartChange::Unchanged;
    std::string message; // why it failed, naming the file or folder
};

// With `startUp` the folder ends up holding the entry for `programFolder` (the folder is
// created when missing; the entry is written atomically, and only when its text differs);
// without, an entry there is removed. A second run changes nothing. A folder standing where
// the entry belongs is never removed. Nothing is thrown.
AutostartOutcome applyAutostart(bool startUp, const std::filesystem::path& programFolder,
                                const std::filesystem::path& autostartFolder);

} // namespace ombrix
