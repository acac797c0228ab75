#pragma once

#include "common/barkeyboard.h"
#include "common/usermessage.h"

#include <string>
#include <string_view>

// What a screen reader says for the bar's keys and controls. Icon-only keys would otherwise
// have no name at all, and the design's controls are named after their places ("Check2").
// The names are the design's words, translated by the window that gives them.
namespace ombrix {

// A key's name: its caption, else its pop-up text (both as typed), else "Key" and its number
// (index + 1). The number a key without a caption shows on its face counts as no caption.
UserMessage keyAccessibleName(int index, std::string_view caption, std::string_view toolTip);

// What a key says after its name: its pop-up text, when that is not already the name.
std::string keyAccessibleDescription(int index, std::string_view caption, std::string_view toolTip);

// The name of one of the bar's controls (`index` tells the side buttons apart).
UserMessage barControlName(BarStopKind kind, int index);

} // namespace ombrix
