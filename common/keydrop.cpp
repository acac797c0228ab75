#include "common/keydrop.h"

#include "common/datalock.h"
#include "common/desktopentry.h"
#include "common/keycount.h"
#include "common/keysave.h"
#include "common/keytable.h"
#include "common/keytexts.h"
#include "common/targets.h"

#include <algorithm>
#include <unistd.h>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

bool isBlankOrControl(char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == '\x7f';
}

// A web link is one word: an address with a blank or a line break in it is text.
bool isWebLink(std::string_view text) {
    return isWebAddress(text, WebSchemes::HttpOnly) &&
           std::none_of(text.begin(), text.end(), isBlankOrControl);
}

std::string_view trimmedText(std::string_view text) {
    const auto first = std::find_if_not(text.begin(), text.end(), isBlankOrControl);
    const auto last = std::find_if_not(text.rbegin(), text.rend(), isBlankOrControl).base();
    return first < last ? std::string_view(first, last) : std::string_view();
}

// A target must read back from the record exactly as it was given, or the key would name
// something else.
bool fitsTarget(const std::string& target) {
    return FixedText<250>(target).text() == target;
}

bool fitsProgramTarget(const std::string& path) {
    const TargetParts parts = splitTarget(path);
    return fitsTarget(path) && parts.program == path && parts.document.empty();
}

std::string webCaption(std::string_view address);

DroppedThing localFile(const std::string& path) {
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (fs::is_directory(status))
        return {DropKind::Folder, path, std::nullopt, {}, {}};
    if (!fs::is_regular_file(status))
        return {DropKind::Unusable, path, std::nullopt, {}, {}};
    std::string name;
    DropKind kind = DropKind::Document;
    if (isDesktopEntry(path)) {
        const auto entry = readDesktopEntry(path);
        if (entry && !entry->exec.empty()) {
            kind = DropKind::DesktopEntry;
            name = entry->name;
        }
    } else if (::access(path.c_str(), X_OK) == 0) {
        kind = DropKind::Program;
    }
    if (kind == DropKind::Document || !fitsProgramTarget(path))
        return {kind, path, std::nullopt, {}, {}};
    if (name.empty())
        name = fs::path(path).filename().string();
    return {kind, path, programKeyRecord(path, name), {}, name};
}

DroppedThing webLinkOrText(std::string_view text) {
    const std::string value(trimmedText(text));
    if (!isWebLink(value))
        return {DropKind::Unusable, value, std::nullopt, {}, {}};
    if (!fitsTarget(value))
        return {DropKind::WebLink, value, std::nullopt, {}, {}};
    return {DropKind::WebLink, value, webKeyRecord(value), webCaption(value), value};
}

KeyRecord newKeyRecord() {
    KeyRecord key;
    key.argument.assign("");
    key.caption.assign("");
    key.backColor = systemGreyColour;
    return key;
}

std::vector<std::string_view> hostNames(std::string_view address) {
    address.remove_prefix(std::string_view("http:").size());
    while (!address.empty() && (address.front() == '/' || address.front() == '\\'))
        address.remove_prefix(1);
    std::string_view host = address.substr(0, address.find_first_of("/\\?#"));
    if (const auto at = host.rfind('@'); at != std::string_view::npos)
        host.remove_prefix(at + 1);
    host = host.substr(0, host.find(':'));
    std::vector<std::string_view> names;
    while (!host.empty()) {
        const auto dot = host.find('.');
        names.push_back(host.substr(0, dot));
        host = dot == std::string_view::npos ? std::string_view() : host.substr(dot + 1);
    }
    return names;
}

// "www.debian.org" gives "debian", "en.wikipedia.org" "wikipedia": the name people know a
// site by is rarely its first or last part.
std::string webCaption(std::string_view address) {
    std::vector<std::string_view> names = hostNames(address);
    if (names.size() > 1)
        names.pop_back();
    std::erase_if(names, [](std::string_view n) { return n == "www" || n == "WWW"; });
    const auto longest = std::max_element(names.begin(), names.end(),
                                          [](auto a, auto b) { return a.size() < b.size(); });
    if (longest == names.end() || longest->empty())
        return "Web";
    return std::string(*longest);
}

// Where the first of an Exec line's document codes stands, and which it is; 0 for none.
struct DocumentCode {
    char code = 0;
    bool wholeWord = false;
};

DocumentCode firstDocumentCode(const std::vector<std::string>& words) {
    for (const std::string& word : words) {
        for (std::size_t i = 0; i + 1 < word.size(); ++i) {
            if (word[i] != '%')
                continue;
            const char code = word[++i];
            if (code == 'f' || code == 'F' || code == 'u' || code == 'U')
                return {code, word.size() == 2};
        }
    }
    return {};
}

bool takesList(const std::string& program) {
    if (!isDesktopEntry(program))
        return false;
    const auto entry = readDesktopEntry(program);
    const auto words = entry ? splitExecLine(entry->exec) : std::nullopt;
    if (!words)
        return false;
    const DocumentCode found = firstDocumentCode(*words);
    return (found.code == 'F' || found.code == 'U') && found.wholeWord;
}

std::string absolute(const std::string& path) {
    std::error_code error;
    const fs::path whole = fs::absolute(path, error);
    return error ? path : whole.string();
}

// One start of an entry that takes a list, with all the files. The start is planned for the
// first file, which checks everything a start needs; then the argument that file became is
// replaced by all of them. Its place is found by expanding the Exec line once more with a
// stand-in no path can be (it holds a NUL): the entry's own arguments end the planned ones,
// whatever a terminal puts before them. Nothing when that place cannot be found.
std::optional<KeyAction> startWithAll(const std::string& program,
                                      std::span<const std::string> files) {
    KeyAction start = planKeyPress(program, files.front());
    if (start.kind != KeyActionKind::StartProgram)
        return start;
    std::vector<std::string> documents;
    for (const std::string& file : files) {
        if (!fileExists(file)) {
            KeyAction missing;
            missing.errorNumber = errorFileNotFound;
            return missing;
        }
        documents.push_back(absolute(file));
    }
    const std::string standIn("\0documents", 10);
    const auto entry = readDesktopEntry(program);
    const auto words = entry ? expandExec(*entry, absolute(program), standIn) : std::nullopt;
    if (!words)
        return std::nullopt;
    const auto at = std::find(words->begin(), words->end(), standIn);
    const auto fromEnd = static_cast<std::size_t>(words->end() - at);
    std::vector<std::string>& arguments = start.arguments;
    if (at == words->end() || fromEnd > arguments.size())
        return std::nullopt;
    const auto place = arguments.end() - static_cast<std::ptrdiff_t>(fromEnd);
    if (*place != documents.front())
        return std::nullopt;
    const auto next = arguments.erase(place);
    arguments.insert(next, documents.begin(), documents.end());
    return start;
}

} // namespace

KeyRecord programKeyRecord(const std::string& path, const std::string& name) {
    KeyRecord key = newKeyRecord();
    key.target.assign(path);
    key.iconIndex = targetIconIndex;
    key.toolTip.assign(name);
    return key;
}

KeyRecord webKeyRecord(const std::string& address) {
    KeyRecord key = newKeyRecord();
    key.target.assign(address);
    key.iconIndex = 0;
    key.caption.assign(webCaption(address));
    key.toolTip.assign(address);
    return key;
}

DroppedThing sortOut(const DropItem& item) {
    switch (item.form) {
    case DropItem::Form::LocalFile:
        return localFile(item.value);
    case DropItem::Form::Address:
    case DropItem::Form::Text:
        break;
    }
    return webLinkOrText(item.value);
}

std::vector<DroppedThing> sortOut(std::span<const DropItem> items) {
    std::vector<DroppedThing> things;
    things.reserve(items.size());
    for (const DropItem& item : items)
        things.push_back(sortOut(item));
    return things;
}

bool keyStartsProgram(const KeyRecord& key) {
    const std::string target = key.target.text();
    if (target.empty() || isWebAddress(target, WebSchemes::HttpOnly) || isShutdownTarget(target))
        return false;
    const std::string program = splitTarget(target).program;
    return fileExists(program) && isProgram(program);
}

DropOutcome dropOutcome(std::span<const DroppedThing> things, const KeyRecord* onKey) {
    if (things.empty())
        return DropOutcome::Refused;
    if (!onKey) {
        const bool allKeys = std::all_of(things.begin(), things.end(), [](const DroppedThing& t) {
            return t.newKey.has_value();
        });
        return allKeys ? DropOutcome::AddKeys : DropOutcome::Refused;
    }
    const bool allFiles = std::all_of(things.begin(), things.end(), [](const DroppedThing& t) {
        return t.kind == DropKind::Document || t.kind == DropKind::Program ||
               t.kind == DropKind::DesktopEntry;
    });
    return allFiles && keyStartsProgram(*onKey) ? DropOutcome::OpenWithKey : DropOutcome::Refused;
}

std::vector<KeyAction> documentStarts(const KeyRecord& key, std::span<const std::string> files) {
    if (files.empty())
        return {};
    const std::string program = splitTarget(key.target.text()).program;
    if (files.size() > 1 && takesList(program)) {
        if (auto all = startWithAll(program, files))
            return {std::move(*all)};
    }
    std::vector<KeyAction> starts;
    for (const std::string& file : files)
        starts.push_back(planKeyPress(program, file));
    return starts;
}

UserMessage unfinishedSaveMessage(const fs::path& dataFolder) {
    return {QT_TRANSLATE_NOOP("Ombrix", "Cannot finish the last save in %1."),
            {dataFolder.string()}};
}

UserMessage unreadableMessage(const fs::path& file) {
    return {QT_TRANSLATE_NOOP("Ombrix", "Cannot read %1."), {file.string()}};
}

AddResult addKeys(const KeyStore& store, std::span<const KeyRecord> shown,
                  std::span<const KeyRecord> added, const KeyTexts& addedTexts) {
    const KeyFiles files{store.keyTable.parent_path(), store.keyCountFile};
    std::error_code error;
    fs::create_directories(files.dataFolder, error);
    // A drop waits a moment for another drop; the setup program holds the lock all along.
    const DataLock lock = DataLock::take(files.dataFolder, std::chrono::milliseconds(300));
    if (lock.state() == DataLock::State::Busy)
        return {false, setupOpenMessage, {}, {}};
    if (recoverKeys(files) == Recovery::Failed)
        return {false, unfinishedSaveMessage(files.dataFolder), {}, {}};

    // The keys as stored now, which another program may have changed since the bar read them.
    const bool counted = readStoredKeyCount(files.keyCountFile).has_value();
    const auto onDisk =
        counted ? static_cast<std::size_t>(readKeyCount(files.keyCountFile)) : shown.size();
    const std::size_t count = onDisk + added.size();
    if (count > static_cast<std::size_t>(maxKeys))
        return {false, barFullMessage, {}, {}};
    std::vector<KeyRecord> table;
    if (fs::exists(store.keyTable, error)) {
        auto stored = readKeyTable(store.keyTable, maxKeys);
        if (!stored)
            return {false, unreadableMessage(store.keyTable), {}, {}};
        table = std::move(*stored);
    }
    for (std::size_t i = table.size(); i < onDisk; ++i)
        table.push_back(i < shown.size() ? shown[i] : defaultKeyRecord(static_cast<int>(i)));
    KeyTexts texts = readKeyTexts(keyTextsPath(files.dataFolder));
    texts.dropStale(table);
    for (std::size_t j = 0; j < added.size(); ++j) {
        const std::size_t at = onDisk + j;
        if (at < table.size())
            table[at] = added[j];
        else
            table.push_back(added[j]);
        texts.adoptKey(addedTexts, static_cast<int>(j), static_cast<int>(at));
    }
    if (const WriteResult saved = saveKeys(files, table, static_cast<float>(count),
                                           {keyTextsFile(files.dataFolder, texts)});
        !saved)
        return {false, saved.message, {}, {}};
    table.resize(count);
    return {true, {}, std::move(table), std::move(texts)};
}

} // namespace ombrix
