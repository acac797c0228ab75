#pragma once

#include <optional>
#include <string>
#include <string_view>

// The keys that open and close the bar from anywhere, as the settings file writes them:
// modifiers and a key joined by "+", for example "Super+Alt+O" or "Ctrl+Shift+F12".
namespace ombrix {

struct Shortcut {
    bool control = false;
    bool alt = false;
    bool shift = false;
    bool super = false;
    std::string key; // the X key name: a letter or digit in lower case, or "F12", "space", ...

    friend bool operator==(const Shortcut&, const Shortcut&) = default;
};

// The shortcut `text` names, or none: for the empty text (the user turned it off) and for a text
// with no key, an unknown modifier, or no modifier at all (a plain key held by the bar would be
// lost to every other program). Modifier names in any letter case: Ctrl or Control, Alt, Shift,
// Super, Meta or Win.
std::optional<Shortcut> parseShortcut(std::string_view text);

} // namespace ombrix
