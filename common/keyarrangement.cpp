#include "common/keyarrangement.h"

#include "common/boundedread.h"
#include "common/datalock.h"
#include "common/keycount.h"
#include "common/keysave.h"
#include "common/keytable.h"
#include "common/targets.h"

#include <chrono>
#include <numeric>

namespace fs = std::filesystem;

namespace ombrix {
namespace {

bool inUse(int index, int count) {
    return index >= 0 && index < count && count <= maxKeys;
}

int lowest(const KeyArrangement& change) {
    return std::min(change.from, change.to);
}

int highest(const KeyArrangement& change) {
    return std::max(change.from, change.to);
}

// The bar trims the fields it shows in its own copy of the keys; what it shows is the same
// key as the record when the trimmed fields agree.
KeyRecord trimmed(KeyRecord key) {
    key.target.trimInPlace();
    key.argument.trimInPlace();
    key.caption.trimInPlace();
    key.toolTip.trimInPlace();
    return key;
}

bool sameKeys(std::span<const KeyRecord> stored, std::span<const KeyRecord> shown) {
    return std::equal(
        stored.begin(), stored.end(), shown.begin(), shown.end(),
        [](const KeyRecord& a, const KeyRecord& b) { return trimmed(a) == trimmed(b); });
}

// The icon files of the places a change touches. A file too large for an icon, or something
// in the way that is no regular file, makes the change impossible to carry with its icons.
std::optional<std::map<int, std::string>>
iconsBetween(SaveFileSystem& disk, const fs::path& dataFolder, const KeyArrangement& change) {
    std::map<int, std::string> icons;
    for (int i = lowest(change); i <= highest(change); ++i) {
        const fs::path file = iconFilePath(dataFolder, i);
        auto bytes = disk.read(file, pictureFileLimit + 1);
        if (bytes && bytes->size() <= pictureFileLimit) {
            icons[i] = std::move(*bytes);
            continue;
        }
        std::error_code error;
        if (bytes || fs::exists(fs::symlink_status(file, error)))
            return std::nullopt;
    }
    return icons;
}

ArrangeResult refused(ArrangeRefusal why, std::vector<KeyRecord> keys, UserMessage message = {}) {
    return {why, std::move(message), std::move(keys), {}};
}

} // namespace

std::optional<KeyArrangement> moveArrangement(int from, int to, int count) {
    if (!inUse(from, count) || !inUse(to, count))
        return std::nullopt;
    return KeyArrangement{from, to, 0};
}

std::optional<KeyArrangement> removeArrangement(int index, int count) {
    if (!inUse(index, count) || count < 2)
        return std::nullopt;
    return KeyArrangement{index, count - 1, -1};
}

std::optional<KeyArrangement> restoreArrangement(int index, int count) {
    if (!inUse(index, count + 1) || count < 1)
        return std::nullopt;
    return KeyArrangement{count, index, +1};
}

std::vector<int> arrangedOrder(const KeyArrangement& change, int size) {
    std::vector<int> order(static_cast<std::size_t>(std::max(size, 0)));
    std::iota(order.begin(), order.end(), 0);
    if (highest(change) < size && lowest(change) >= 0)
        arrange(order, change);
    return order;
}

std::vector<SavedFile> arrangedIconFiles(const fs::path& dataFolder,
                                         const std::map<int, std::string>& icons,
                                         const KeyArrangement& change) {
    const std::vector<int> order = arrangedOrder(change, highest(change) + 1);
    std::vector<SavedFile> files;
    for (int place = lowest(change); place <= highest(change); ++place) {
        const auto had = icons.find(place);
        const auto comes = icons.find(order[static_cast<std::size_t>(place)]);
        const bool hadOne = had != icons.end();
        const bool comesOne = comes != icons.end();
        if (comesOne && (!hadOne || had->second != comes->second))
            files.push_back({iconFilePath(dataFolder, place), comes->second});
        else if (!comesOne && hadOne)
            files.push_back({iconFilePath(dataFolder, place), std::nullopt});
    }
    return files;
}

int placeNearest(std::span<const KeyPlace> places, double x, double y) {
    int nearest = -1;
    double best = 0;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const double dx = places[i].left + keySize / 2.0 - x;
        const double dy = places[i].top + keySize / 2.0 - y;
        const double distance = dx * dx + dy * dy;
        if (nearest < 0 || distance < best) {
            nearest = static_cast<int>(i);
            best = distance;
        }
    }
    return nearest;
}

std::optional<int> keyToEditOption(std::span<const std::string> arguments) {
    const auto flag = std::find(arguments.begin(), arguments.end(), keyToEditFlag);
    if (flag == arguments.end() || flag + 1 == arguments.end())
        return std::nullopt;
    const std::string& number = *(flag + 1);
    if (number.empty() || number.size() > 3 ||
        !std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    const int key = std::stoi(number);
    if (key < 1 || key > maxKeys)
        return std::nullopt;
    return key - 1;
}

ArrangeResult arrangeStoredKeys(const KeyStore& store, std::span<const KeyRecord> shown,
                                const KeyArrangement& change, SaveFileSystem& disk) {
    const KeyFiles files{store.keyTable.parent_path(), store.keyCountFile};
    const std::vector<KeyRecord> asShown(shown.begin(), shown.end());
    // As a drop: a moment's patience for another drop; the setup program holds it all along.
    const DataLock lock = DataLock::take(files.dataFolder, std::chrono::milliseconds(300));
    if (lock.state() == DataLock::State::Busy)
        return refused(ArrangeRefusal::SetupOpen, asShown, setupOpenMessage);
    if (recoverKeys(files, disk) == Recovery::Failed)
        return refused(ArrangeRefusal::NotSaved, asShown, unfinishedSaveMessage(files.dataFolder));

    const int returning = change.countChange > 0 ? 1 : 0;
    const auto storedCount = readStoredKeyCount(files.keyCountFile);
    const int count = storedCount ? static_cast<int>(readKeyCount(files.keyCountFile))
                                  : static_cast<int>(shown.size()) - returning;
    std::vector<KeyRecord> table;
    std::error_code error;
    if (fs::exists(store.keyTable, error)) {
        auto stored = readKeyTable(store.keyTable, maxKeys);
        if (!stored)
            return refused(ArrangeRefusal::Unreadable, asShown, unreadableMessage(store.keyTable));
        table = std::move(*stored);
    }
    // Keys in use that the file does not hold yet (a first run's) are stored as shown.
    for (auto i = table.size(); i < static_cast<std::size_t>(count) + returning; ++i)
        table.push_back(i < shown.size() ? shown[i] : defaultKeyRecord(static_cast<int>(i)));
    std::vector<KeyRecord> inUseNow(table.begin(), table.begin() + count);

    if (count + returning != static_cast<int>(shown.size()) ||
        !sameKeys(std::span(table).first(shown.size()), shown))
        return refused(ArrangeRefusal::Changed, std::move(inUseNow));
    if (highest(change) >= count + returning || lowest(change) < 0 ||
        count + change.countChange < 1 || count + change.countChange > maxKeys)
        return refused(ArrangeRefusal::NoSuchKey, std::move(inUseNow));
    const auto icons = iconsBetween(disk, files.dataFolder, change);
    if (!icons)
        return refused(ArrangeRefusal::Unreadable, std::move(inUseNow),
                       UserMessage(QT_TRANSLATE_NOOP("Ombrix", "Cannot read the icon files in %1."),
                                   {(files.dataFolder / "icons").string()}));

    // The texts as typed go with their keys, as the icon files do.
    KeyTexts texts = readKeyTexts(keyTextsPath(files.dataFolder));
    texts.dropStale(table);
    texts.moveKey(change.from, change.to);
    arrange(table, change);
    std::vector<SavedFile> others = arrangedIconFiles(files.dataFolder, *icons, change);
    others.push_back(keyTextsFile(files.dataFolder, texts));
    const int newCount = count + change.countChange;
    if (const WriteResult saved =
            saveKeys(files, table, static_cast<float>(newCount), std::move(others), disk);
        !saved)
        return refused(ArrangeRefusal::NotSaved, std::move(inUseNow), saved.message);
    table.resize(static_cast<std::size_t>(newCount));
    return {ArrangeRefusal::None, {}, std::move(table), std::move(texts)};
}

} // namespace ombrix
