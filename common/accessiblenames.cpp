#include "common/accessiblenames.h"

#include "common/keyrecord.h"
#include "common/translatable.h"

#include <array>

namespace ombrix {

namespace {

constexpr std::array<const char*, 4> sideNames = {
    QT_TRANSLATE_NOOP("Ombrix", "Dock the bar on the left side"),
    QT_TRANSLATE_NOOP("Ombrix", "Dock the bar at the top"),
    QT_TRANSLATE_NOOP("Ombrix", "Dock the bar on the right side"),
    QT_TRANSLATE_NOOP("Ombrix", "Dock the bar at the bottom")};

// A key without a caption shows its number; that face is no name.
bool namesTheKey(std::string_view caption, int index) {
    return !trimmedBlanks(caption).empty() && trimmedBlanks(caption) != std::to_string(index + 1);
}

} // namespace

UserMessage keyAccessibleName(int index, std::string_view caption, std::string_view toolTip) {
    if (namesTheKey(caption, index))
        return UserMessage::verbatim(std::string(trimmedBlanks(caption)));
    if (!trimmedBlanks(toolTip).empty())
        return UserMessage::verbatim(std::string(trimmedBlanks(toolTip)));
    return {QT_TRANSLATE_NOOP("Ombrix", "Key %1"), {std::to_string(index + 1)}};
}

std::string keyAccessibleDescription(int index, std::string_view caption,
                                     std::string_view toolTip) {
    return namesTheKey(caption, index) ? std::string(trimmedBlanks(toolTip)) : std::string();
}

UserMessage barControlName(BarStopKind kind, int index) {
    switch (kind) {
    case BarStopKind::Handle:
        return QT_TRANSLATE_NOOP("Ombrix", "Open or close the bar");
    case BarStopKind::SeeThrough:
        return QT_TRANSLATE_NOOP("Ombrix", "See-through bar background");
    case BarStopKind::SideButton:
        return index >= 0 && index < 4 ? sideNames[static_cast<std::size_t>(index)]
                                       : QT_TRANSLATE_NOOP("Ombrix", "Dock");
    case BarStopKind::Close:
        return QT_TRANSLATE_NOOP("Ombrix", "End Ombrix");
    case BarStopKind::Setup:
        return QT_TRANSLATE_NOOP("Ombrix", "Set up the keys");
    case BarStopKind::KeepOpen:
        return QT_TRANSLATE_NOOP("Ombrix", "Keep the bar open after a key is used");
    case BarStopKind::Key:
        return keyAccessibleName(index, {}, {});
    }
    return {};
}

} // namespace ombrix
