#pragma once

#include "common/keyrecord.h"
#include "common/savejournal.h"

#include <filesystem>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Captions and pop-up texts exactly as typed. The key table keeps one byte of Windows-1252 per
// character, so a text in another script reaches it as question marks; the text itself is kept
// in a small file of UTF-8 texts beside the table, barra.utf8, written in the same save. Each
// text there remembers what its record held when it was written, and is shown only while the
// record still holds that: a table that another program changed shows its own texts, never
// stale ones.
namespace ombrix {

enum class KeyTextField { Caption, ToolTip };

// A typed text split into characters as a person sees them (grapheme clusters, each in UTF-8).
// Splitting needs Unicode's segmentation rules, which the window layer has.
using Graphemes = std::vector<std::string>;

// What a typed text becomes in a record field `width` bytes wide: at most `width` characters as
// a person sees them, so a caption holds six letters in any script and an emoji is never cut
// in half; each character is its byte of Windows-1252 when it is one character of that page,
// else "?".
struct FieldText {
    std::string typed;  // the text kept, in UTF-8: the first `width` characters of what was typed
    std::string stored; // the record's text, in UTF-8 as FixedText::text gives it back
    bool cut = false;   // characters past the width were left out
    bool exact() const { return typed == stored; } // the record alone keeps the text
};
FieldText fieldTextOf(const Graphemes& typed, std::size_t width);

// The companion texts of a key table, by key index and field.
class KeyTexts {
public:
    // Keeps `typed` for the field of key `keyIndex` while its record holds `stored` (as
    // FixedText::text gives it); an exact text needs no companion and clears the entry.
    void keep(int keyIndex, KeyTextField field, const FieldText& text);
    void forget(int keyIndex, KeyTextField field);

    // The text a key shows for the field: the typed text when the record still holds what it
    // was written with, else the record's own (trimmed) text.
    std::string textOf(const KeyRecord& key, int keyIndex, KeyTextField field) const;

    // The same reordering as the key table's: key `from` moves to place `to`, the keys between
    // shift by one towards the gap; two keys exchanged swap their texts.
    void moveKey(int from, int to);
    void exchangeKeys(int a, int b);

    // Entries whose record no longer holds what they were written with are dropped, so a save
    // never carries a stale text forward.
    void dropStale(std::span<const KeyRecord> keys);

    // Key `fromIndex`'s texts in `other` become key `toIndex`'s here (a dropped key taking
    // its place at the end of the bar).
    void adoptKey(const KeyTexts& other, int fromIndex, int toIndex);

    bool empty() const { return entries_.empty(); }
    std::size_t size() const { return entries_.size(); }

    // The file's lines: a heading, then one line per text: key number, field, the record's
    // text and the typed text, separated by tabs, with backslash, tab and line breaks escaped.
    std::string encode() const;
    // Lines that cannot be read are skipped; a file of another kind gives no texts.
    static KeyTexts decode(std::string_view bytes);

    bool operator==(const KeyTexts&) const = default;

private:
    struct Entry {
        std::string stored;
        std::string typed;
        bool operator==(const Entry&) const = default;
    };
    std::map<std::pair<int, KeyTextField>, Entry> entries_;
};

// barra.utf8 beside the key table.
std::filesystem::path keyTextsPath(const std::filesystem::path& dataFolder);

// The companion of a table; none when the file is missing, unreadable or not one.
KeyTexts readKeyTexts(const std::filesystem::path& path);

// The companion as one file of a save: its lines, or, without texts, its removal, so that a
// save never leaves texts of keys that no longer have them.
SavedFile keyTextsFile(const std::filesystem::path& dataFolder, const KeyTexts& texts);

} // namespace ombrix
