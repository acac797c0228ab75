#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Desktop entries (".desktop" files): what a key needs to start one and to show its icon.
namespace ombrix {

// The keys of the [Desktop Entry] group that starting an entry uses, with the value escapes
// \s \n \t \r \\ undone. Localized keys such as Name[de] are not read; when a key appears
// twice the first one counts. A key that is absent reads as empty.
struct DesktopEntry {
    std::string name;
    std::string exec;    // the command line, still quoted and holding its field codes
    std::string icon;    // an icon name or an absolute icon path
    std::string path;    // the folder to start in; empty when not given
    std::string tryExec; // a program that must be present for the entry to be usable
    bool terminal = false;

    bool operator==(const DesktopEntry&) const = default;
};

// The [Desktop Entry] group of an entry's text; nothing when the text has no such group.
std::optional<DesktopEntry> parseDesktopEntry(std::string_view text);

// The same for a file; nothing when the file cannot be read or holds no such group.
std::optional<DesktopEntry> readDesktopEntry(const std::filesystem::path& file);

// The words of an Exec line with its quoting undone: words are separated by blanks, tabs and
// newlines; inside double quotes a backslash makes the following " ` $ or \ literal. Field
// codes are left in place. Nothing when a quote is left open.
std::optional<std::vector<std::string>> splitExecLine(std::string_view exec);

// The argument vector that starts `entry`, stored at `entryPath`, with `document` (empty for
// none): the Exec line split as above, then its field codes expanded:
//   %f %F %u %U  the document, always as one argument; a word that is only the code vanishes
//                when there is no document, inside a larger word the code is replaced in place
//   %i           the two arguments "--icon" and Icon when Icon is set, else nothing; it must
//                stand alone as a word
//   %c           Name;  %k  entryPath;  %%  a single %
//   %d %D %n %N %v %m  (no longer in use) removed
// Nothing for an unbalanced quote, any other field code, a lone % at the end, or a line that
// leaves no program to start.
std::optional<std::vector<std::string>>
expandExec(const DesktopEntry& entry, std::string_view entryPath, std::string_view document);

} // namespace ombrix
