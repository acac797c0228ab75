#include "tune/keylist.h"

#include "common/leadingnumber.h"
#include "common/targets.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <system_error>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace ombrix {
namespace {

constexpr int lastKeyIndex = maxKeys - 1;
static_assert(allKeysBarLength == maxKeys * keyStepTwips + 2020);

bool isKeyIndex(int index) {
    return index >= 0 && index <= lastKeyIndex;
}

// Renames icon files one at a time, never over anything, and remembers each rename so that a
// failed exchange can be put back in reverse order.
class IconRenames {
public:
    bool move(const fs::path& from, const fs::path& to) {
        if (auto refusal = renameWithoutReplacing(from, to)) {
            failure_ = *refusal;
            return false;
        }
        done_.emplace_back(from, to);
        return true;
    }

    // The failure, with a note for every file that could not be put back.
    UserMessage undoAndExplain() {
        UserMessage message = failure_;
        for (auto it = done_.rbegin(); it != done_.rend(); ++it) {
            if (renameWithoutReplacing(it->second, it->first))
                message.then({QT_TRANSLATE_NOOP("Ombrix", "The icon file %1 could not be put back "
                                                          "as %2; rename it by hand."),
                              {it->second.string(), it->first.string()}});
        }
        done_.clear();
        return message;
    }

private:
    static std::optional<UserMessage> renameWithoutReplacing(const fs::path& from,
                                                             const fs::path& to) {
        std::error_code error;
        if (fs::exists(fs::symlink_status(to, error)))
            return UserMessage(QT_TRANSLATE_NOOP("Ombrix",
                                                 "The icon file %1 could not be renamed to %2: a "
                                                 "file or folder of that name is in the way."),
                               {from.string(), to.string()});
        fs::rename(from, to, error);
        if (error)
            return UserMessage(
                QT_TRANSLATE_NOOP("Ombrix", "The icon file %1 could not be renamed to %2: %3."),
                {from.string(), to.string(), error.message()});
        return std::nullopt;
    }

    std::vector<std::pair<fs::path, fs::path>> done_;
    UserMessage failure_;
};

// Only plain files count, as a folder holding just other folders has no icons to exchange.
bool holdsAnyFile(const fs::path& folder) {
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        if (fileExists(it->path()))
            return true;
    }
    return false;
}

UserMessage noKeyMessage(int place) {
    return {QT_TRANSLATE_NOOP("Ombrix", "There is no key at place %1."), {std::to_string(place)}};
}

UserMessage leftoverMessage(const fs::path& temporary) {
    return {QT_TRANSLATE_NOOP("Ombrix",
                              "The icon file %1 is left over from an exchange of icons that did "
                              "not finish and may hold a key's icon. Rename it to the icon file "
                              "of the key it belongs to, or delete it, then move the key again."),
            {temporary.string()}};
}

} // namespace

std::string correctedKeyCountText(std::string_view text) {
    const double value = leadingNumber(text);
    if (value > maxKeys)
        return std::to_string(maxKeys);
    if (value < fewestKeys)
        return "5"; // not 3: a bar of three keys is rarely what was meant
    return std::to_string(static_cast<int>(std::round(value)));
}

ShownKeys shownKeys(bool showAllKeys, float keyCount) {
    if (showAllKeys)
        return {static_cast<float>(lastKeyIndex), allKeysBarLength};
    return {keyCount, keyCount * keyStepTwips};
}

bool keyEnabled(int index, float keyCount) {
    return isKeyIndex(index) && static_cast<float>(index) < keyCount;
}

bool keyVisible(int index, float lastKeyShown) {
    return isKeyIndex(index) && static_cast<float>(index) <= lastKeyShown;
}

int moveTarget(double value, float keyCount) {
    if (std::isnan(value))
        return 0;
    // The last key in use is the last index below the count, as keyEnabled has it.
    double lastInUse = 0;
    if (keyCount >= 1)
        lastInUse = std::min(std::ceil(static_cast<double>(keyCount)) - 1,
                             static_cast<double>(lastKeyIndex));
    return static_cast<int>(std::clamp(std::round(value), 0.0, lastInUse));
}

void swapKeys(TuneState& state, int a, int b) {
    if (!isKeyIndex(a) || !isKeyIndex(b))
        return;
    auto& keys = state.keys;
    keys[swapSlot] = keys[a];
    keys[a] = keys[b];
    keys[b] = keys[swapSlot];
    state.texts.exchangeKeys(a, b);
}

WriteResult exchangeIconFiles(const fs::path& dataFolder, int a, int b) {
    if (!isKeyIndex(a) || !isKeyIndex(b))
        return WriteResult::failure(noKeyMessage(isKeyIndex(a) ? b : a));
    if (a == b || !holdsAnyFile(dataFolder / "icons"))
        return {};
    const fs::path iconOfA = iconFilePath(dataFolder, a);
    const fs::path iconOfB = iconFilePath(dataFolder, b);
    const fs::path temporary = iconFilePath(dataFolder, iconSwapNumber);
    const bool aHasIcon = fileExists(iconOfA);
    const bool bHasIcon = fileExists(iconOfB);

    std::error_code error;
    if (bHasIcon && fs::exists(fs::symlink_status(temporary, error)))
        return WriteResult::failure(leftoverMessage(temporary));

    IconRenames renames;
    const bool exchanged = (!bHasIcon || renames.move(iconOfB, temporary)) &&
                           (!aHasIcon || renames.move(iconOfA, iconOfB)) &&
                           (!bHasIcon || renames.move(temporary, iconOfA));
    if (exchanged)
        return {};
    return WriteResult::failure(renames.undoAndExplain());
}

WriteResult moveKey(TuneState& state, const fs::path& dataFolder, int from, int to) {
    swapKeys(state, from, to);
    WriteResult icons = exchangeIconFiles(dataFolder, from, to);
    if (!icons)
        swapKeys(state, from, to);
    return icons;
}

WriteResult shiftKey(TuneState& state, const fs::path& dataFolder, int from, int to) {
    if (!isKeyIndex(from) || !isKeyIndex(to))
        return WriteResult::failure(noKeyMessage(isKeyIndex(from) ? to : from));
    const int step = to > from ? 1 : -1;
    for (int at = from; at != to; at += step) {
        WriteResult moved = moveKey(state, dataFolder, at, at + step);
        if (moved)
            continue;
        for (int back = at; back != from; back -= step)
            (void)moveKey(state, dataFolder, back, back - step);
        return moved;
    }
    return {};
}

} // namespace ombrix
