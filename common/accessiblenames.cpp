#include "common/accessiblenames.h"

#include <array>

namespace ombrix {

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

constexpr std::array<const char*, 4> sideNames = {
    "Dock the bar on the left side", "Dock the bar at the top", "Dock the bar on the right side",
    "Dock the bar at the bottom"};

// A key without a caption shows its number; that face is no name.
bool namesTheKey(std::string_view caption, int index) {
    return !trimmed(caption).empty() && trimmed(caption) != std::to_string(index + 1);
}

} // namespace

std::string keyAccessibleName(int index, std::string_view caption, std::string_view toolTip) {
    if (namesTheKey(caption, index))
        return std::string(trimmed(caption));
    if (!trimmed(toolTip).empty())
        return std::string(trimmed(toolTip));
    return "Key " + std::to_string(index + 1);
}

std::string keyAccessibleDescription(int index, std::string_view caption,
                                     std::string_view toolTip) {
    return namesTheKey(caption, index) ? std::string(trimmed(toolTip)) : std::string();
}

std::string barControlName(BarStopKind kind, int index) {
    switch (kind) {
    case BarStopKind::Handle:
        return "Open or close the bar";
    case BarStopKind::SeeThrough:
        return "See-through bar background";
    case BarStopKind::SideButton:
        return index >= 0 && index < 4 ? sideNames[static_cast<std::size_t>(index)] : "Dock";
    case BarStopKind::Close:
        return "End Ombrix";
    case BarStopKind::Setup:
        return "Set up the keys";
    case BarStopKind::KeepOpen:
        return "Keep the bar open after a key is used";
    case BarStopKind::Key:
        return keyAccessibleName(index, {}, {});
    }
    return {};
}

} // namespace ombrix
