#include "common/keytexts.h"

#include "common/boundedread.h"
#include "common/cp1252.h"

#include <charconv>

namespace ombrix {
namespace {

constexpr std::string_view heading = "# Ombrix key texts 1";
// A text file of 128 keys' captions and pop-up texts, escaped, stays far below this.
constexpr std::size_t largestFile = 256 * 1024;

// One character as a person sees it, as the record keeps it: itself when it is a single
// character of Windows-1252 (which round-trips), else a question mark.
std::string storedFormOf(const std::string& grapheme) {
    const std::string byte = utf8ToCp1252(grapheme);
    if (byte.size() == 1 && cp1252ToUtf8(byte) == grapheme)
        return grapheme;
    return "?";
}

std::string_view fieldName(KeyTextField field) {
    return field == KeyTextField::Caption ? "caption" : "tooltip";
}

std::string recordText(const KeyRecord& key, KeyTextField field) {
    return field == KeyTextField::Caption ? key.caption.text() : key.toolTip.text();
}

std::string escaped(std::string_view text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\t':
            out += "\\t";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\r':
            out += "\\r";
            break;
        default:
            out += c;
        }
    }
    return out;
}

bool unescaped(std::string_view text, std::string& out) {
    out.clear();
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\') {
            out += text[i];
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case '\\':
            out += '\\';
            break;
        case 't':
            out += '\t';
            break;
        case 'n':
            out += '\n';
            break;
        case 'r':
            out += '\r';
            break;
        default:
            return false;
        }
    }
    return true;
}

std::vector<std::string_view> split(std::string_view line, char separator) {
    std::vector<std::string_view> parts;
    for (std::size_t at = 0;;) {
        const auto next = line.find(separator, at);
        parts.push_back(line.substr(at, next == std::string_view::npos ? next : next - at));
        if (next == std::string_view::npos)
            return parts;
        at = next + 1;
    }
}

} // namespace

FieldText fieldTextOf(const Graphemes& typed, std::size_t width) {
    FieldText text;
    std::string stored;
    for (std::size_t i = 0; i < typed.size(); ++i) {
        if (i == width) {
            text.cut = true;
            break;
        }
        text.typed += typed[i];
        stored += storedFormOf(typed[i]);
    }
    text.typed = std::string(trimmedBlanks(text.typed));
    text.stored = std::string(trimmedBlanks(stored));
    return text;
}

void KeyTexts::keep(int keyIndex, KeyTextField field, const FieldText& text) {
    if (text.exact())
        forget(keyIndex, field);
    else
        entries_[{keyIndex, field}] = {text.stored, text.typed};
}

void KeyTexts::forget(int keyIndex, KeyTextField field) {
    entries_.erase({keyIndex, field});
}

std::string KeyTexts::textOf(const KeyRecord& key, int keyIndex, KeyTextField field) const {
    std::string own = recordText(key, field);
    const auto found = entries_.find({keyIndex, field});
    if (found != entries_.end() && found->second.stored == own)
        return found->second.typed;
    return own;
}

void KeyTexts::moveKey(int from, int to) {
    if (from == to)
        return;
    const int step = from < to ? 1 : -1;
    decltype(entries_) moved;
    for (auto& [place, entry] : entries_) {
        int index = place.first;
        if (index == from)
            index = to;
        else if ((step > 0 && index > from && index <= to) ||
                 (step < 0 && index < from && index >= to))
            index -= step;
        moved[{index, place.second}] = std::move(entry);
    }
    entries_ = std::move(moved);
}

void KeyTexts::exchangeKeys(int a, int b) {
    decltype(entries_) exchanged;
    for (auto& [place, entry] : entries_) {
        const int index = place.first == a ? b : place.first == b ? a : place.first;
        exchanged[{index, place.second}] = std::move(entry);
    }
    entries_ = std::move(exchanged);
}

void KeyTexts::adoptKey(const KeyTexts& other, int fromIndex, int toIndex) {
    for (const KeyTextField field : {KeyTextField::Caption, KeyTextField::ToolTip}) {
        entries_.erase({toIndex, field});
        if (const auto found = other.entries_.find({fromIndex, field});
            found != other.entries_.end())
            entries_[{toIndex, field}] = found->second;
    }
}

void KeyTexts::dropStale(std::span<const KeyRecord> keys) {
    std::erase_if(entries_, [&keys](const auto& item) {
        const auto index = static_cast<std::size_t>(item.first.first);
        return index >= keys.size() ||
               recordText(keys[index], item.first.second) != item.second.stored;
    });
}

std::string KeyTexts::encode() const {
    std::string out(heading);
    out += '\n';
    for (const auto& [place, entry] : entries_) {
        out += std::to_string(place.first + 1);
        out += '\t';
        out += fieldName(place.second);
        out += '\t' + escaped(entry.stored) + '\t' + escaped(entry.typed) + '\n';
    }
    return out;
}

KeyTexts KeyTexts::decode(std::string_view bytes) {
    KeyTexts texts;
    std::vector<std::string_view> lines = split(bytes, '\n');
    if (lines.empty() || lines.front() != heading)
        return texts;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::vector<std::string_view> parts = split(lines[i], '\t');
        if (parts.size() != 4)
            continue;
        int number = 0;
        const auto [end, error] =
            std::from_chars(parts[0].data(), parts[0].data() + parts[0].size(), number);
        if (error != std::errc() || end != parts[0].data() + parts[0].size() || number < 1 ||
            number > maxKeys)
            continue;
        KeyTextField field = KeyTextField::Caption;
        if (parts[1] == fieldName(KeyTextField::ToolTip))
            field = KeyTextField::ToolTip;
        else if (parts[1] != fieldName(KeyTextField::Caption))
            continue;
        Entry entry;
        if (!unescaped(parts[2], entry.stored) || !unescaped(parts[3], entry.typed))
            continue;
        texts.entries_[{number - 1, field}] = std::move(entry);
    }
    return texts;
}

std::filesystem::path keyTextsPath(const std::filesystem::path& dataFolder) {
    return dataFolder / "barra.utf8";
}

KeyTexts readKeyTexts(const std::filesystem::path& path) {
    const std::optional<std::string> bytes = readBoundedFile(path, largestFile);
    if (!bytes)
        return {};
    return KeyTexts::decode(*bytes);
}

SavedFile keyTextsFile(const std::filesystem::path& dataFolder, const KeyTexts& texts) {
    if (texts.empty())
        return {keyTextsPath(dataFolder), std::nullopt};
    return {keyTextsPath(dataFolder), texts.encode()};
}

} // namespace ombrix
