#include "common/desktopentry.h"

#include <algorithm>
#include <fstream>
#include <iterator>

namespace ombrix {
namespace {

constexpr std::string_view entryGroup = "Desktop Entry";

std::string_view trimBlanks(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

// Only the five escapes of string values are undone; any other backslash pair is kept
// whole, so the quoting of an Exec line still sees its own \" \` \$ and \\.
std::string unescapeValue(std::string_view value) {
    std::string plain;
    plain.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            plain += value[i];
            continue;
        }
        switch (value[i + 1]) {
        case 's':
            plain += ' ';
            break;
        case 'n':
            plain += '\n';
            break;
        case 't':
            plain += '\t';
            break;
        case 'r':
            plain += '\r';
            break;
        case '\\':
            plain += '\\';
            break;
        default:
            plain += value.substr(i, 2);
            break;
        }
        ++i;
    }
    return plain;
}

// Where a key's value goes; nothing for keys that starting an entry never reads.
std::string* fieldFor(DesktopEntry& entry, std::string_view key) {
    if (key == "Name")
        return &entry.name;
    if (key == "Exec")
        return &entry.exec;
    if (key == "Icon")
        return &entry.icon;
    if (key == "Path")
        return &entry.path;
    if (key == "TryExec")
        return &entry.tryExec;
    return nullptr;
}

// The first of two equal keys counts; localized keys such as Name[de] match no field.
void takeKeyValue(DesktopEntry& entry, std::vector<std::string_view>& seenKeys,
                  std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return;
    const std::string_view key = trimBlanks(line.substr(0, equals));
    if (std::find(seenKeys.begin(), seenKeys.end(), key) != seenKeys.end())
        return;
    seenKeys.push_back(key);
    const std::string value = unescapeValue(trimBlanks(line.substr(equals + 1)));
    if (key == "Terminal")
        entry.terminal = value == "true";
    else if (std::string* field = fieldFor(entry, key))
        *field = value;
}

std::string_view nextLine(std::string_view& text) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

// One word of an Exec line after its quoting is undone.
struct ExecWord {
    std::string text;
    bool started = false; // a quoted empty word "" still counts as a word
};

bool isWordSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isQuotedEscape(char c) {
    return c == '"' || c == '`' || c == '$' || c == '\\';
}

bool isRemovedCode(char code) {
    constexpr std::string_view removed = "dDnNvm";
    return removed.find(code) != std::string_view::npos;
}

bool isDocumentCode(char code) {
    return code == 'f' || code == 'F' || code == 'u' || code == 'U';
}

// A word that is one field code on its own: it may vanish or become two arguments.
bool expandLoneCode(std::string_view word, const DesktopEntry& entry, std::string_view document,
                    std::vector<std::string>& argv) {
    if (word.size() != 2 || word[0] != '%')
        return false;
    const char code = word[1];
    if (isDocumentCode(code)) {
        if (!document.empty())
            argv.emplace_back(document);
        return true;
    }
    if (code == 'i') {
        if (!entry.icon.empty()) {
            argv.emplace_back("--icon");
            argv.push_back(entry.icon);
        }
        return true;
    }
    return isRemovedCode(code);
}

// The codes inside a larger word, replaced in place; nothing for a code that is not allowed.
std::optional<std::string> expandCodesInWord(std::string_view word, const DesktopEntry& entry,
                                             std::string_view entryPath,
                                             std::string_view document) {
    std::string expanded;
    for (std::size_t i = 0; i < word.size(); ++i) {
        if (word[i] != '%') {
            expanded += word[i];
            continue;
        }
        if (++i == word.size())
            return std::nullopt;
        const char code = word[i];
        if (code == '%')
            expanded += '%';
        else if (isDocumentCode(code))
            expanded += document;
        else if (code == 'c')
            expanded += entry.name;
        else if (code == 'k')
            expanded += entryPath;
        else if (!isRemovedCode(code))
            return std::nullopt; // %i cannot become two arguments inside a word
    }
    return expanded;
}

} // namespace

std::optional<DesktopEntry> parseDesktopEntry(std::string_view text) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());

    DesktopEntry entry;
    std::vector<std::string_view> seenKeys;
    bool found = false;
    bool inGroup = false;
    while (!text.empty()) {
        const std::string_view line = trimBlanks(nextLine(text));
        if (line.empty() || line.starts_with('#'))
            continue;
        if (line.starts_with('[') && line.ends_with(']')) {
            if (inGroup)
                break; // the entry's group ends where the next group begins
            inGroup = line.substr(1, line.size() - 2) == entryGroup;
            found = found || inGroup;
            continue;
        }
        if (inGroup)
            takeKeyValue(entry, seenKeys, line);
    }
    if (!found)
        return std::nullopt;
    return entry;
}

std::optional<DesktopEntry> readDesktopEntry(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in)
        return std::nullopt;
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return parseDesktopEntry(text);
}

std::optional<std::vector<std::string>> splitExecLine(std::string_view exec) {
    std::vector<std::string> words;
    ExecWord word;
    bool quoted = false;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        if (quoted) {
            if (c == '"')
                quoted = false;
            else if (c == '\\' && i + 1 < exec.size() && isQuotedEscape(exec[i + 1]))
                word.text += exec[++i];
            else
                word.text += c;
        } else if (c == '"') {
            quoted = true;
            word.started = true;
        } else if (isWordSeparator(c)) {
            if (word.started)
                words.push_back(std::move(word.text));
            word = {};
        } else {
            word.text += c;
            word.started = true;
        }
    }
    if (quoted)
        return std::nullopt;
    if (word.started)
        words.push_back(std::move(word.text));
    return words;
}

std::optional<std::vector<std::string>>
expandExec(const DesktopEntry& entry, std::string_view entryPath, std::string_view document) {
    const auto words = splitExecLine(entry.exec);
    if (!words)
        return std::nullopt;
    std::vector<std::string> argv;
    for (const std::string& word : *words) {
        if (expandLoneCode(word, entry, document, argv))
            continue;
        auto expanded = expandCodesInWord(word, entry, entryPath, document);
        if (!expanded)
            return std::nullopt;
        // A word made only of codes that gave nothing is no argument at all.
        if (!expanded->empty() || word.empty() || word.find('%') == std::string::npos)
            argv.push_back(std::move(*expanded));
    }
    if (argv.empty() || argv.front().empty())
        return std::nullopt;
    return argv;
}

} // namespace ombrix
