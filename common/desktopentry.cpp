#include "common/desktopentry.h"

#include "common/atomicfile.h"

#include <algorithm>
#include <cstdlib>

namespace ombrix {
namespace {

constexpr std::string_view entryGroup = "Desktop Entry";
constexpr std::size_t largestEntry = 1 << 20;

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

// Name and its translations: the one in the reader's most wanted language wins.
struct NameChoice {
    explicit NameChoice(std::span<const std::string> wanted) : languages(wanted) {}

    std::span<const std::string> languages;
    std::string plain;
    std::string translated;
    std::size_t rank = std::string::npos; // index in `languages` of `translated`

    void take(std::string_view key, std::string value) {
        if (key == "Name") {
            plain = std::move(value);
            return;
        }
        if (!key.starts_with("Name[") || !key.ends_with(']'))
            return;
        const std::string_view language = key.substr(5, key.size() - 6);
        const auto found = std::find(languages.begin(), languages.end(), language);
        const auto at = static_cast<std::size_t>(found - languages.begin());
        if (found != languages.end() && at <= rank) {
            rank = at;
            translated = std::move(value);
        }
    }
    std::string chosen() const { return rank == std::string::npos ? plain : translated; }
};

void takeKeyValue(DesktopEntry& entry, NameChoice& name, std::string_view line) {
    const auto equals = line.find('=');
    if (equals == std::string_view::npos)
        return;
    const std::string_view key = trimBlanks(line.substr(0, equals));
    std::string value = unescapeValue(trimBlanks(line.substr(equals + 1)));
    if (key == "Terminal")
        entry.terminal = value == "true";
    else if (std::string* field = fieldFor(entry, key))
        *field = std::move(value);
    else
        name.take(key, std::move(value));
}

// One word of an Exec line after its quoting is undone. Each character remembers whether
// it was quoted (by quotes or a backslash): a field code is a field code only unquoted.
struct ExecWord {
    std::string text;
    std::string quoted;   // 'q' for a quoted character of `text`, ' ' for a plain one
    bool started = false; // a quoted empty word "" still counts as a word
    bool hasQuoting = false;

    void add(char c, bool isQuoted) {
        text += c;
        quoted += isQuoted ? 'q' : ' ';
        started = true;
    }
    bool isQuotedAt(std::size_t i) const { return quoted[i] == 'q'; }
};

bool isWordSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

bool isDoubleQuoteEscape(char c) {
    return c == '"' || c == '`' || c == '$' || c == '\\';
}

// A # begins a comment where a shell would take it as the start of a word.
bool beginsComment(std::string_view exec, std::size_t i) {
    return i == 0 || exec[i - 1] == ' ' || exec[i - 1] == '\n';
}

enum class Quote { None, Single, Double };

std::optional<std::vector<ExecWord>> splitExecWords(std::string_view exec) {
    std::vector<ExecWord> words;
    ExecWord word;
    Quote quote = Quote::None;
    for (std::size_t i = 0; i < exec.size(); ++i) {
        const char c = exec[i];
        const bool hasNext = i + 1 < exec.size();
        if (quote == Quote::Single) {
            if (c == '\'')
                quote = Quote::None;
            else
                word.add(c, true);
        } else if (quote == Quote::Double) {
            if (c == '"')
                quote = Quote::None;
            else if (c == '\\' && hasNext && exec[i + 1] == '\n')
                ++i;
            else if (c == '\\' && hasNext && isDoubleQuoteEscape(exec[i + 1]))
                word.add(exec[++i], true);
            else
                word.add(c, true);
        } else if (c == '\'' || c == '"') {
            quote = c == '\'' ? Quote::Single : Quote::Double;
            word.started = word.hasQuoting = true;
        } else if (c == '\\') {
            if (!hasNext)
                return std::nullopt;
            word.started = word.hasQuoting = true;
            if (exec[++i] != '\n')
                word.add(exec[i], true);
        } else if (isWordSeparator(c)) {
            if (word.started)
                words.push_back(std::move(word));
            word = {};
        } else if (c == '#' && !word.started && beginsComment(exec, i)) {
            const auto end = exec.find('\n', i);
            i = end == std::string_view::npos ? exec.size() : end - 1;
        } else {
            word.add(c, false);
        }
    }
    if (quote != Quote::None)
        return std::nullopt;
    if (word.started)
        words.push_back(std::move(word));
    return words;
}

bool isRemovedCode(char code) {
    constexpr std::string_view removed = "dDnNvm";
    return removed.find(code) != std::string_view::npos;
}

bool isDocumentCode(char code) {
    return code == 'f' || code == 'F' || code == 'u' || code == 'U';
}

// The field codes of one Exec line, expanded word by word; the document goes to the first
// document code only.
class Expansion {
public:
    Expansion(const DesktopEntry& entry, std::string_view entryPath, std::string_view document)
        : entry_(entry), entryPath_(entryPath), document_(document) {}

    // False when the word holds a code that may not be expanded.
    bool expand(const ExecWord& word, std::vector<std::string>& argv) {
        if (expandLoneCode(word, argv))
            return true;
        std::string expanded;
        bool hadCode = false;
        for (std::size_t i = 0; i < word.text.size(); ++i) {
            if (word.text[i] != '%') {
                expanded += word.text[i];
                continue;
            }
            if (++i == word.text.size())
                return false;
            hadCode = true;
            if (!expandInWord(word, i, expanded))
                return false;
        }
        // A word made only of codes that gave nothing is no argument at all.
        if (!expanded.empty() || !hadCode || word.hasQuoting)
            argv.push_back(std::move(expanded));
        return true;
    }

    // A document that no code took is handed over as the last argument.
    void finish(std::vector<std::string>& argv) {
        if (!documentTaken_ && !document_.empty())
            argv.emplace_back(document_);
    }

private:
    std::string_view takeDocument() {
        if (documentTaken_)
            return {};
        documentTaken_ = true;
        return document_;
    }

    // A word that is one unquoted field code on its own: it may vanish or become two
    // arguments.
    bool expandLoneCode(const ExecWord& word, std::vector<std::string>& argv) {
        if (word.text.size() != 2 || word.text[0] != '%' || word.hasQuoting)
            return false;
        const char code = word.text[1];
        if (isDocumentCode(code)) {
            if (const std::string_view document = takeDocument(); !document.empty())
                argv.emplace_back(document);
            return true;
        }
        if (code == 'i') {
            if (!entry_.icon.empty()) {
                argv.emplace_back("--icon");
                argv.push_back(entry_.icon);
            }
            return true;
        }
        return isRemovedCode(code);
    }

    // The code at word.text[i] (after its %) inside a larger word; false when not allowed.
    bool expandInWord(const ExecWord& word, std::size_t i, std::string& expanded) {
        const char code = word.text[i];
        const bool quoted = word.isQuotedAt(i - 1) || word.isQuotedAt(i);
        if (code == '%' && word.isQuotedAt(i - 1) == word.isQuotedAt(i)) {
            expanded += '%';
            return true;
        }
        // A word with any quoting may be text that a shell reads (sh -c "viewer %f", or
        // sh -c viewer\ %f): no field code is pasted into it.
        if (quoted || word.hasQuoting)
            return false;
        if (isDocumentCode(code))
            expanded += takeDocument();
        else if (code == 'c')
            expanded += entry_.name;
        else if (code == 'k')
            expanded += entryPath_;
        else if (!isRemovedCode(code))
            return false; // %i cannot become two arguments inside a word
        return true;
    }

    const DesktopEntry& entry_;
    std::string_view entryPath_;
    std::string_view document_;
    bool documentTaken_ = false;
};

bool namesNoProgram(const ExecWord& word) {
    for (std::size_t i = 0; i < word.text.size(); ++i) {
        if (word.text[i] == '%' && !word.isQuotedAt(i))
            return true;
    }
    return false;
}

// The parts of a locale name: language_TERRITORY.CODESET@MODIFIER.
void appendVariants(std::string_view locale, std::vector<std::string>& out) {
    const auto at = locale.find('@');
    const std::string_view modifier = at == std::string_view::npos ? "" : locale.substr(at);
    locale = locale.substr(0, at);
    const auto dot = locale.find('.');
    const std::string_view codeset = dot == std::string_view::npos ? "" : locale.substr(dot);
    locale = locale.substr(0, dot);
    const auto underscore = locale.find('_');
    const std::string_view territory =
        underscore == std::string_view::npos ? "" : locale.substr(underscore);
    const std::string_view language = locale.substr(0, underscore);
    if (language.empty())
        return;
    // Most specific first: the modifier weighs most, then the territory, then the codeset.
    for (int keep = 7; keep >= 0; --keep) {
        const bool withModifier = keep & 4, withTerritory = keep & 2, withCodeset = keep & 1;
        if ((withModifier && modifier.empty()) || (withTerritory && territory.empty()) ||
            (withCodeset && codeset.empty()))
            continue;
        std::string variant(language);
        if (withTerritory)
            variant += territory;
        if (withCodeset)
            variant += codeset;
        if (withModifier)
            variant += modifier;
        out.push_back(std::move(variant));
    }
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

} // namespace

std::string_view nextLine(std::string_view& text) {
    const auto end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.ends_with('\r'))
        line.remove_suffix(1);
    return line;
}

std::vector<std::string> languageVariants(std::string_view localeList) {
    std::vector<std::string> variants;
    while (!localeList.empty()) {
        const auto colon = localeList.find(':');
        appendVariants(localeList.substr(0, colon), variants);
        localeList = colon == std::string_view::npos ? "" : localeList.substr(colon + 1);
    }
    return variants;
}

std::vector<std::string> userLanguages() {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        if (const std::string value = environment(name); !value.empty())
            return languageVariants(value);
    }
    return {};
}

std::optional<DesktopEntry> parseDesktopEntry(std::string_view text,
                                              std::span<const std::string> languages) {
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (text.starts_with(byteOrderMark))
        text.remove_prefix(byteOrderMark.size());

    DesktopEntry entry;
    NameChoice name(languages);
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
            takeKeyValue(entry, name, line);
    }
    if (!found)
        return std::nullopt;
    entry.name = name.chosen();
    return entry;
}

std::optional<DesktopEntry> readDesktopEntry(const std::filesystem::path& file) {
    const auto text = readFilePrefix(file, largestEntry + 1);
    if (!text || text->size() > largestEntry)
        return std::nullopt;
    const std::vector<std::string> languages = userLanguages();
    return parseDesktopEntry(*text, languages);
}

std::optional<std::vector<std::string>> splitExecLine(std::string_view exec) {
    const auto words = splitExecWords(exec);
    if (!words)
        return std::nullopt;
    std::vector<std::string> texts;
    for (const ExecWord& word : *words)
        texts.push_back(word.text);
    return texts;
}

std::optional<std::vector<std::string>>
expandExec(const DesktopEntry& entry, std::string_view entryPath, std::string_view document) {
    const auto words = splitExecWords(entry.exec);
    if (!words)
        return std::nullopt;
    // The program is named, never made by a field code: no document is ever started as one.
    if (words->empty() || words->front().text.empty() || namesNoProgram(words->front()))
        return std::nullopt;
    Expansion expansion(entry, entryPath, document);
    std::vector<std::string> argv;
    for (const ExecWord& word : *words) {
        if (!expansion.expand(word, argv))
            return std::nullopt;
    }
    expansion.finish(argv);
    return argv;
}

std::vector<std::filesystem::path> unthemedIconFolders() {
    std::vector<std::filesystem::path> folders;
    if (const std::string home = environment("HOME"); !home.empty())
        folders.push_back(std::filesystem::path(home) / ".icons");
    std::string dataHome = environment("XDG_DATA_HOME");
    if (dataHome.empty() && !environment("HOME").empty())
        dataHome = environment("HOME") + "/.local/share";
    std::string dataDirs = environment("XDG_DATA_DIRS");
    if (dataDirs.empty())
        dataDirs = "/usr/local/share:/usr/share";
    const std::string joined = dataHome.empty() ? dataDirs : dataHome + ":" + dataDirs;
    for (std::string_view rest = joined; !rest.empty();) {
        const auto colon = rest.find(':');
        if (const std::string_view dir = rest.substr(0, colon); !dir.empty())
            folders.push_back(std::filesystem::path(dir) / "icons");
        rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
    }
    folders.emplace_back("/usr/share/pixmaps");
    return folders;
}

} // namespace ombrix
