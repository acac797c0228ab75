#include "common/globalshortcut.h"

#include <algorithm>
#include <cctype>

namespace ombrix {

namespace {

std::string lowered(std::string_view text) {
    std::string out(text);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return out;
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool addModifier(Shortcut& shortcut, std::string_view name) {
    const std::string n = lowered(name);
    if (n == "ctrl" || n == "control")
        shortcut.control = true;
    else if (n == "alt")
        shortcut.alt = true;
    else if (n == "shift")
        shortcut.shift = true;
    else if (n == "super" || n == "meta" || n == "win")
        shortcut.super = true;
    else
        return false;
    return true;
}

} // namespace

std::optional<Shortcut> parseShortcut(std::string_view text) {
    Shortcut shortcut;
    std::string_view rest = trimmed(text);
    for (auto plus = rest.find('+'); plus != std::string_view::npos; plus = rest.find('+')) {
        if (!addModifier(shortcut, trimmed(rest.substr(0, plus))))
            return std::nullopt;
        rest = rest.substr(plus + 1);
    }
    const std::string_view key = trimmed(rest);
    const bool anyModifier = shortcut.control || shortcut.alt || shortcut.shift || shortcut.super;
    if (key.empty() || !anyModifier)
        return std::nullopt;
    shortcut.key = key.size() == 1 ? lowered(key) : std::string(key);
    return shortcut;
}

} // namespace ombrix
