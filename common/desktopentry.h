#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Desktop entries (".desktop" files): what a key needs to start one and to show its icon,
// read as the desktop's own launcher (GLib's) reads them.
namespace ombrix {

// The keys of the [Desktop Entry] group that starting an entry uses, with the value escapes
// \s \n \t \r \\ undone. When a key appears twice the later one counts. A key that is absent
// reads as empty.
struct DesktopEntry {
    std::string name;    // Name in the first of the reader's languages the entry has, else Name
    std::string exec;    // the command line, still quoted and holding its field codes
    std::string icon;    // an icon name or an absolute icon path
    std::string path;    // the folder to start in; empty when not given
    std::string tryExec; // a program that must be present for the entry to be usable
    bool terminal = false;

    bool operator==(const DesktopEntry&) const = default;
};

// The languages a reader's locale asks for, most specific first: each entry of a colon list
// such as "de_AT.UTF-8@euro:fr" gives its variants de_AT.UTF-8@euro, de_AT@euro,
// de.UTF-8@euro, de@euro, de_AT.UTF-8, de_AT, de.UTF-8, de.
std::vector<std::string> languageVariants(std::string_view localeList);

// The reader's languages from the environment: the first set of LANGUAGE, LC_ALL,
// LC_MESSAGES and LANG.
std::vector<std::string> userLanguages();

// The [Desktop Entry] group of an entry's text; nothing when the text has no such group.
// Name[lang] is taken for the first of `languages` that the entry translates.
// The next line of a key file (a desktop entry, an icon theme's index.theme) without its line
// end; `text` moves past it.
std::string_view nextLine(std::string_view& text);

std::optional<DesktopEntry> parseDesktopEntry(std::string_view text,
                                              std::span<const std::string> languages = {});

// The same for a file, in the user's languages; nothing when the file cannot be read, is
// larger than any desktop entry (1 MiB) or holds no such group. Never waits on a FIFO.
std::optional<DesktopEntry> readDesktopEntry(const std::filesystem::path& file);

// The words of an Exec line with its quoting undone as a POSIX shell reads it: words are
// separated by blanks, tabs and newlines; single quotes keep everything literally; inside
// double quotes a backslash makes the following " ` $ or \ literal and a backslash-newline
// vanishes; outside quotes a backslash makes any character literal; a # that begins a word
// after a blank or newline comments out the rest of its line. Field codes are left in place.
// Nothing when a quote is left open or the line ends in a backslash.
std::optional<std::vector<std::string>> splitExecLine(std::string_view exec);

// The argument vector that starts `entry`, stored at `entryPath`, with `document` (empty for
// none): the Exec line split as above, then its field codes expanded:
//   %f %F %u %U  the document as one argument; only the first of them takes it, the others
//                give nothing. A word that is only the code vanishes when there is no
//                document; inside a larger word the code is replaced in place. When the line
//                has no such code the document becomes the last argument.
//   %i           the two arguments "--icon" and Icon when Icon is set, else nothing; it must
//                stand alone as a word
//   %c           Name;  %k  entryPath;  %%  a single %
//   %d %D %n %N %v %m  (no longer in use) removed
// Nothing, so that nothing starts, for an unbalanced quote, any other field code, a lone %
// at the end of a word, a line whose first word (the program) is empty or holds a field
// code, and any field code but %% in a word with quotes or backslashes: what a quoted code
// gives is undefined, and pasting a document into quoted text is how a document's name
// would reach a shell as a command.
std::optional<std::vector<std::string>>
expandExec(const DesktopEntry& entry, std::string_view entryPath, std::string_view document);

// The folders where an icon that no theme holds is looked for by its name, in order:
// $HOME/.icons, then the icons folder of $XDG_DATA_HOME and of each of $XDG_DATA_DIRS
// (default /usr/local/share:/usr/share), then /usr/share/pixmaps.
std::vector<std::filesystem::path> unthemedIconFolders();

} // namespace ombrix
