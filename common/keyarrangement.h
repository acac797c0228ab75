#pragma once

#include "common/keydrop.h"
#include "common/keyrecord.h"
#include "common/keytexts.h"
#include "common/layout.h"
#include "common/savejournal.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// Arranging the keys where they are: a key taken to another place, a key removed, a removal
// undone. Every one of them is the same reordering: one key goes from one place to another and
// the keys between shift by one towards the gap it left. Its record, its icon file and its
// companion texts go with it; a removal also lowers the count by one, leaving the removed key
// just past the keys in use, exactly as it was, so that undoing it puts the same bytes back.
namespace ombrix {

struct KeyArrangement {
    int from = 0;
    int to = 0;
    int countChange = 0; // -1 a removal, +1 a removal undone, 0 a move

    bool operator==(const KeyArrangement&) const = default;
};

// Key `from` of `count` keys taken to place `to`; nothing when either is not a key in use.
std::optional<KeyArrangement> moveArrangement(int from, int to, int count);
// Key `index` of `count` keys removed; nothing for no key in use or for the only key.
std::optional<KeyArrangement> removeArrangement(int index, int count);
// The key removed from place `index` back there, `count` being the keys in use after the
// removal: the key just past them returns.
std::optional<KeyArrangement> restoreArrangement(int index, int count);

// The same change applied to anything kept by key place, in place. The places must exist.
template <class T> void arrange(std::vector<T>& byPlace, const KeyArrangement& change) {
    const auto at = [&](int place) { return byPlace.begin() + place; };
    if (change.from < change.to)
        std::rotate(at(change.from), at(change.from + 1), at(change.to + 1));
    else if (change.to < change.from)
        std::rotate(at(change.to), at(change.from), at(change.from + 1));
}

// Where each key is after the change: entry i is the place the key now at i came from.
std::vector<int> arrangedOrder(const KeyArrangement& change, int size);

// The icon files a change writes, `icons` being the files there now by key index: each place
// between `from` and `to` takes the file of the key that comes to it, or loses its own when
// that key has none. Places whose file stays the same are left out.
std::vector<SavedFile> arrangedIconFiles(const std::filesystem::path& dataFolder,
                                         const std::map<int, std::string>& icons,
                                         const KeyArrangement& change);

// The place a dragged key goes to when let go at (x, y), in the window's twips: the place of
// the keys in use whose middle is nearest, so a key dragged past the ends of a row takes the
// row's first or last place. -1 when there are no places.
int placeNearest(std::span<const KeyPlace> places, double x, double y);

// The key the setup program selects at its start, from its command line: "--key N" names key
// number N (counted from 1, as the keys are numbered), given as index N - 1. Nothing when the
// option is missing or N is no key number.
std::optional<int> keyToEditOption(std::span<const std::string> arguments);

// The option that asks for it.
inline constexpr std::string_view keyToEditFlag = "--key";

enum class ArrangeRefusal {
    None,
    SetupOpen,  // the setup program holds the stored keys
    Changed,    // the stored keys are not the ones the gesture was made on
    NoSuchKey,  // the change names no key in use
    Unreadable, // the table or an icon file could not be read
    NotSaved,   // the save failed; the message says why
};

struct ArrangeResult {
    ArrangeRefusal refusal = ArrangeRefusal::None;
    UserMessage message;         // for SetupOpen, Unreadable and NotSaved
    std::vector<KeyRecord> keys; // the keys in use as stored now, whether or not it was done
    KeyTexts texts;              // their texts as typed, as stored beside them
    bool done() const { return refusal == ArrangeRefusal::None; }
};

// Makes the change to the stored keys and saves the table, the icon files, the companion
// texts and the count as one change, under the data folder's lock, having first finished any
// interrupted save. The stored keys are read again first: the change is made only when they
// are the ones `shown` holds (the keys in use as the bar shows them, followed, for a removal
// undone, by the key that comes back), so a gesture made on keys that another program has
// changed since writes nothing. Records beyond the count stay as they are, byte for byte.
ArrangeResult arrangeStoredKeys(const KeyStore& store, std::span<const KeyRecord> shown,
                                const KeyArrangement& change,
                                SaveFileSystem& disk = diskFileSystem());

} // namespace ombrix
