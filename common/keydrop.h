#pragma once

#include "common/atomicfile.h"
#include "common/keyaction.h"
#include "common/keyrecord.h"
#include "common/keytexts.h"
#include "common/usermessage.h"

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What dropping things onto the open bar does: programs, desktop entries and web links
// dropped away from the keys become new keys at the end of the bar; files dropped onto a key
// that starts a program are handed to that program. Everything else is refused while it is
// dragged, so nothing happens when it is let go.
namespace ombrix {

// One dragged thing as the desktop offers it.
struct DropItem {
    enum class Form { LocalFile, Address, Text };
    Form form = Form::Text;
    std::string value; // an absolute path, an address, or plain text (UTF-8)

    bool operator==(const DropItem&) const = default;
};

enum class DropKind {
    DesktopEntry, // a readable entry with an Exec line
    Program,      // an executable regular file
    WebLink,      // an address, or a one-line text, beginning "http:" in any letter case
    Document,     // any other regular file
    Folder,
    Unusable, // text that is no web link, an address of another kind (the bar opens only
              // "http:" ones), a file that is not there
};

// A dragged thing sorted out once, when the drag enters the bar.
struct DroppedThing {
    DropKind kind = DropKind::Unusable;
    std::string value;
    // The key it becomes when dropped away from the keys, exactly as the setup program
    // stores such a key; nothing when it cannot be a key: not a program, entry or web link,
    // or a path or address that the record's 250 characters cannot hold as it is.
    std::optional<KeyRecord> newKey;
    // The new key's caption and pop-up text as found, uncut, in UTF-8: what the key shows
    // where its record cannot hold them.
    std::string caption;
    std::string toolTip;
};

DroppedThing sortOut(const DropItem& item);
std::vector<DroppedThing> sortOut(std::span<const DropItem> items);

// The key a program, desktop entry or web link becomes:
//  - a program or desktop entry: its path as target, the target's own icon (999), an empty
//    caption, and as pop-up text the entry's Name (else the file's name), cut to 36;
//  - a web link: the address as target, a caption of the host's longest name (leaving out
//    "www" and the top-level domain) cut to 6, and the address as pop-up text, cut to 36.
// Each has an empty document and the default colour of a new key.
KeyRecord programKeyRecord(const std::string& path, const std::string& name);
KeyRecord webKeyRecord(const std::string& address);

enum class DropOutcome { Refused, AddKeys, OpenWithKey };

// What letting go does, `onKey` being the key under the pointer (null away from the keys):
//  - away from the keys: AddKeys when every thing can be a key;
//  - on a key that starts a program (keyStartsProgram): OpenWithKey when every thing is a
//    file (a document, program or desktop entry; never a folder);
//  - Refused otherwise, and always on a web or shut-down key and for an empty drop.
DropOutcome dropOutcome(std::span<const DroppedThing> things, const KeyRecord* onKey);

// A key that starts a program: its target is neither a web address nor the shut-down
// command, and its program part is an existing program file.
bool keyStartsProgram(const KeyRecord& key);

// The starts that hand `files` to the program of `key`, whose own document is left out:
// a desktop entry whose Exec line takes a list (%F or %U standing as a word of its own)
// starts once with all of them; any other entry (%f, %u) and a plain program start once per
// file. Each start is planned as a key press of the program with that document, so it runs
// in the program's folder (an entry's Path), never through a shell, and a failure is an
// action of kind Fail with its error number.
std::vector<KeyAction> documentStarts(const KeyRecord& key, std::span<const std::string> files);

// Where the key table and the key count are kept.
struct KeyStore {
    std::filesystem::path keyTable;
    std::filesystem::path keyCountFile;
};

inline constexpr const char* barFullMessage =
    QT_TRANSLATE_NOOP("Ombrix", "La barra ha già 128 tasti/The bar already has 128 keys");
inline constexpr const char* setupOpenMessage =
    QT_TRANSLATE_NOOP("Ombrix", "Chiudere prima la personalizzazione/Close the setup window first");

// Why stored keys could not be changed: a save interrupted earlier could not be finished, or
// a file could not be read.
UserMessage unfinishedSaveMessage(const std::filesystem::path& dataFolder);
UserMessage unreadableMessage(const std::filesystem::path& file);

struct AddResult {
    bool added = false;
    UserMessage message;         // why nothing was added
    std::vector<KeyRecord> keys; // the keys the bar shows now, as stored
    KeyTexts texts;              // their texts as typed, as stored beside them
};

// Puts `added` after the keys stored now and saves the table and the count as one change,
// under the data folder's lock, having first finished any interrupted save. The count and
// the table are read from the disk: another program may have saved keys since the bar read
// them, and those stay. The records the file already holds stay as they are, byte for byte,
// also those beyond the counted keys; counted keys the file lacks are written as `shown` has
// them (a first run's keys, before anything was stored). Nothing is written, and the message
// says why, when the keys would be more than 128, while the setup program runs (it holds the
// lock and writes the keys when it is left), or when the table cannot be read. The texts
// beside the table are kept with their keys, and `addedTexts` (by index into `added`) join
// them in the same save.
AddResult addKeys(const KeyStore& store, std::span<const KeyRecord> shown,
                  std::span<const KeyRecord> added, const KeyTexts& addedTexts = {});

} // namespace ombrix
