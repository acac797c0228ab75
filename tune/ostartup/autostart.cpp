#include "tune/ostartup/autostart.h"

#include "common/atomicfile.h"
#include "common/targets.h"

namespace ombrix {
namespace {

// The characters that make a word of an Exec line need quotes.
constexpr std::string_view reservedInExec = " \t\n\"'\\><~|&;$*?#()`";
constexpr std::string_view escapedInQuotes = "\"`$\\";

AutostartOutcome failure(std::string why) {
    return {false, AutostartChange::Unchanged, std::move(why)};
}

AutostartOutcome removeEntry(const std::filesystem::path& entry) {
    std::error_code error;
    const auto status = std::filesystem::symlink_status(entry, error);
    if (error || !std::filesystem::exists(status))
        return {};
    if (std::filesystem::is_directory(status))
        return failure("Cannot remove " + entry.string() + ": it is a folder, not an entry");
    if (!std::filesystem::remove(entry, error))
        return failure("Cannot remove " + entry.string() + ": " + error.message());
    return {true, AutostartChange::Removed, {}};
}

AutostartOutcome writeEntry(const std::filesystem::path& entry, const std::string& text) {
    std::string present;
    std::error_code error;
    if (std::filesystem::is_regular_file(entry, error) && readWholeFile(entry, present) &&
        present == text)
        return {};
    std::filesystem::create_directories(entry.parent_path(), error);
    if (error)
        return failure("Cannot create the folder " + entry.parent_path().string() + ": " +
                       error.message());
    const WriteResult written = writeFileAtomically(entry, text);
    if (!written)
        return failure(written.message.text());
    return {true, AutostartChange::Written, {}};
}

} // namespace

std::filesystem::path autostartFolder(const char* xdgConfigHome, const char* home) {
    if (xdgConfigHome && *xdgConfigHome && std::filesystem::path(xdgConfigHome).is_absolute())
        return std::filesystem::path(xdgConfigHome) / "autostart";
    if (home && *home)
        return std::filesystem::path(home) / ".config" / "autostart";
    return {};
}

std::string escapeEntryValue(std::string_view text) {
    std::string escaped;
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\n':
            escaped += "\\n";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string execWord(std::string_view word) {
    const bool quoted = word.find_first_of(reservedInExec) != std::string_view::npos;
    std::string out = quoted ? "\"" : "";
    for (const char c : word) {
        if (quoted && escapedInQuotes.find(c) != std::string_view::npos)
            out += '\\';
        out += c;
        if (c == '%')
            out += '%';
    }
    if (quoted)
        out += '"';
    return out;
}

std::string autostartEntryText(const std::filesystem::path& programFolder, std::string_view icon) {
    const auto line = [](std::string_view key, std::string_view value) {
        return std::string(key) + "=" + escapeEntryValue(value) + "\n";
    };
    return "[Desktop Entry]\n" + line("Type", "Application") + line("Version", "1.0") +
           line("Name", "Ombrix") + line("Comment", "Launcher bar docked to a side of the screen") +
           line("Icon", icon) + line("Exec", execWord((programFolder / "ombrix").string())) +
           line("Path", programFolder.string()) + line("Terminal", "false");
}

AutostartOutcome applyAutostart(bool startUp, const std::filesystem::path& programFolder,
                                const std::filesystem::path& autostartFolder) {
    if (autostartFolder.empty())
        return failure("No autostart folder: neither XDG_CONFIG_HOME nor HOME is set");
    const auto entry = autostartFolder / autostartEntryName;
    try {
        if (!startUp)
            return removeEntry(entry);
        const auto ownIcon = programFolder / "key1.ico";
        const std::string icon =
            fileExists(ownIcon) ? ownIcon.string() : std::string(fallbackEntryIcon);
        return writeEntry(entry, autostartEntryText(programFolder, icon));
    } catch (const std::exception& e) {
        return failure(entry.string() + ": " + e.what());
    }
}

} // namespace ombrix
