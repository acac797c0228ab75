#include "common/settings.h"

#include "common/dockarea.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace ombrix {

std::optional<std::string> MemorySettings::read(std::string_view key) const {
    const auto found = values_.find(key);
    if (found == values_.end())
        return std::nullopt;
    return found->second;
}

bool SettingsStore::writeAll(std::span<const SettingValue> values) {
    bool stored = true;
    for (const SettingValue& value : values)
        stored = write(value.key, value.text) && stored;
    return stored;
}

bool MemorySettings::write(std::string_view key, std::string_view text) {
    values_.insert_or_assign(std::string(key), std::string(text));
    return true;
}

namespace {

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i]))
            return false;
    }
    return true;
}

// A decimal with at most one sign, "+" or "-", and nothing around it but blanks; finite
// only. Read straight into the type it is stored as, so the shortest text of a value, even
// of the largest single, reads back as that value.
template <typename Number> std::optional<Number> parseDecimal(std::string_view text) {
    text = trimmed(text);
    if (text.starts_with('+') && !text.starts_with("+-"))
        text.remove_prefix(1);
    Number value = 0;
    const auto [end, error] =
        std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
    if (text.empty() || error != std::errc() || end != text.data() + text.size() ||
        !std::isfinite(value))
        return std::nullopt;
    return value;
}

} // namespace

std::string formatSingle(float value) {
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, result.ptr);
}

std::string formatInt16(std::int16_t value) {
    return std::to_string(value);
}

std::string formatBool(bool value) {
    return value ? "True" : "False";
}

std::optional<float> parseSingle(std::string_view text) {
    return parseDecimal<float>(text);
}

std::optional<std::int16_t> parseInt16(std::string_view text) {
    const auto value = parseDecimal<double>(text);
    if (!value)
        return std::nullopt;
    const double whole = std::nearbyint(*value);
    if (whole < std::numeric_limits<std::int16_t>::min() ||
        whole > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(whole);
}

std::optional<bool> parseBool(std::string_view text) {
    text = trimmed(text);
    if (equalsIgnoringCase(text, "True"))
        return true;
    if (equalsIgnoringCase(text, "False"))
        return false;
    if (const auto number = parseDecimal<double>(text))
        return *number != 0;
    return std::nullopt;
}

float Preferences::single(std::string_view key, float fallback) const {
    const auto text = store_.read(key);
    return text ? parseSingle(*text).value_or(fallback) : fallback;
}

bool Preferences::boolean(std::string_view key, bool fallback) const {
    const auto text = store_.read(key);
    return text ? parseBool(*text).value_or(fallback) : fallback;
}

float Preferences::left() const {
    return single(settingkey::left, 0);
}

float Preferences::top(double screenHeightTwips) const {
    return single(settingkey::top, static_cast<float>(screenHeightTwips / 2));
}

float Preferences::width() const {
    return single(settingkey::width, closedWidth);
}

std::int16_t Preferences::side() const {
    const auto text = store_.read(settingkey::side);
    const auto side = text ? parseInt16(*text) : std::nullopt;
    return (side && *side >= 1 && *side <= 4) ? *side : 1;
}

bool Preferences::sound() const {
    return boolean(settingkey::sound, true);
}
bool Preferences::doubleClick() const {
    return boolean(settingkey::doubleClick, true);
}
bool Preferences::transparentBack() const {
    return boolean(settingkey::transparentBack, false);
}
bool Preferences::showAllKeys() const {
    return boolean(settingkey::showAllKeys, true);
}
bool Preferences::startUp() const {
    return boolean(settingkey::startUp, false);
}

std::string Preferences::monitor() const {
    return store_.read(settingkey::monitor).value_or(std::string());
}
float Preferences::areaWidth() const {
    return single(settingkey::areaWidth, 0);
}
float Preferences::areaHeight() const {
    return single(settingkey::areaHeight, 0);
}
std::string Preferences::shortcut() const {
    return store_.read(settingkey::shortcut).value_or(std::string(defaultShortcut));
}

bool Preferences::setLeft(float twips) {
    return store_.write(settingkey::left, formatSingle(twips));
}
bool Preferences::setTop(float twips) {
    return store_.write(settingkey::top, formatSingle(twips));
}
bool Preferences::setWidth(float twips) {
    return store_.write(settingkey::width, formatSingle(twips));
}
bool Preferences::setSide(std::int16_t side) {
    return store_.write(settingkey::side, formatInt16(side));
}
bool Preferences::setSound(bool on) {
    return store_.write(settingkey::sound, formatBool(on));
}
bool Preferences::setDoubleClick(bool on) {
    return store_.write(settingkey::doubleClick, formatBool(on));
}
bool Preferences::setTransparentBack(bool on) {
    return store_.write(settingkey::transparentBack, formatBool(on));
}
bool Preferences::setShowAllKeys(bool on) {
    return store_.write(settingkey::showAllKeys, formatBool(on));
}
bool Preferences::setStartUp(bool on) {
    return store_.write(settingkey::startUp, formatBool(on));
}

bool Preferences::setMonitor(std::string_view name) {
    return store_.write(settingkey::monitor, name);
}
bool Preferences::setPlace(const StoredPlace& place) {
    const SettingValue values[] = {{settingkey::left, formatSingle(place.left)},
                                   {settingkey::top, formatSingle(place.top)},
                                   {settingkey::width, formatSingle(place.width)},
                                   {settingkey::areaWidth, formatSingle(place.areaWidth)},
                                   {settingkey::areaHeight, formatSingle(place.areaHeight)}};
    return store_.writeAll(values);
}

} // namespace ombrix
