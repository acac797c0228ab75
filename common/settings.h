#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The per-user preferences, application "Ombrix", section "posizione". Every value is stored
// as text: numbers in their shortest decimal form, booleans as "True" or "False". Every read
// has a default, and a stored text that cannot be converted reads as that default.
namespace ombrix {

struct StoredPlace;

// Where the texts live. The program uses the settings file of the desktop session; tests use
// the in-memory store.
struct SettingValue {
    std::string_view key;
    std::string text;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> read(std::string_view key) const = 0;
    // False when the value could not be stored.
    [[nodiscard]] virtual bool write(std::string_view key, std::string_view text) = 0;
    // Several values stored together, as one write where the store can: false when any could
    // not be stored.
    [[nodiscard]] virtual bool writeAll(std::span<const SettingValue> values);
};

// Its writes never fail.
class MemorySettings : public SettingsStore {
public:
    std::optional<std::string> read(std::string_view key) const override;
    bool write(std::string_view key, std::string_view text) override;

private:
    std::map<std::string, std::string, std::less<>> values_;
};

// The names of the stored values, defined once for both programs.
namespace settingkey {
inline constexpr std::string_view left = "left";
inline constexpr std::string_view top = "top";
inline constexpr std::string_view width = "larghezza";
inline constexpr std::string_view side = "indice";
inline constexpr std::string_view sound = "suono";
inline constexpr std::string_view doubleClick = "doppio";
inline constexpr std::string_view transparentBack = "tras";
inline constexpr std::string_view showAllKeys = "tutti";
inline constexpr std::string_view startUp = "StartUp";
// The monitor the bar docks to, by name; the area's size in twips when "left" and "top" were
// stored, so that a place means the same spot at another size or scale.
inline constexpr std::string_view monitor = "monitor";
inline constexpr std::string_view areaWidth = "larghezzaarea";
inline constexpr std::string_view areaHeight = "altezzaarea";
inline constexpr std::string_view shortcut = "shortcut";
} // namespace settingkey

// Text forms of stored values.
std::string formatSingle(float value); // shortest decimal that reads back the same: "400"
std::string formatInt16(std::int16_t value);
std::string formatBool(bool value); // "True" or "False"

// Readings of stored texts; nothing when the text is no such value.
std::optional<float> parseSingle(std::string_view text);       // finite decimals only
std::optional<std::int16_t> parseInt16(std::string_view text); // whole after rounding to even
std::optional<bool> parseBool(std::string_view text); // "True"/"False" any case, or a number

// The keys that open and close the bar unless the settings say otherwise: Super+Alt and a
// letter, which no common desktop nor program takes for itself.
inline constexpr std::string_view defaultShortcut = "Super+Alt+O";

// Closed bar: the window is exactly this wide.
inline constexpr float closedWidth = 400;

// Typed access to every stored value with its default.
class Preferences {
public:
    explicit Preferences(SettingsStore& store) : store_(store) {}

    float left() const;                        // default 0
    float top(double screenHeightTwips) const; // default half the screen height
    float width() const;                       // default 400, the closed bar
    std::int16_t side() const;                 // default 1; a side other than 1..4 reads as 1
    bool sound() const;                        // default True
    bool doubleClick() const;                  // default True
    bool transparentBack() const;              // default False
    bool showAllKeys() const;                  // default True ("-1")
    bool startUp() const;                      // default False
    std::string monitor() const;               // default "": the primary monitor
    float areaWidth() const;                   // default 0: not stored (an older settings file)
    float areaHeight() const;                  // default 0
    // The keys that open and close the bar from anywhere, as "Super+Alt+O" writes them; the
    // empty text turns them off. Default defaultShortcut.
    std::string shortcut() const;

    // Each setter stores its value at once and is false when it could not.
    [[nodiscard]] bool setLeft(float twips);
    [[nodiscard]] bool setTop(float twips);
    [[nodiscard]] bool setWidth(float twips);
    [[nodiscard]] bool setSide(std::int16_t side);
    [[nodiscard]] bool setSound(bool on);
    [[nodiscard]] bool setDoubleClick(bool on);
    [[nodiscard]] bool setTransparentBack(bool on);
    [[nodiscard]] bool setShowAllKeys(bool on);
    [[nodiscard]] bool setStartUp(bool on);
    [[nodiscard]] bool setMonitor(std::string_view name);
    // The bar's place, its width and the area's size, stored together as the bar ends.
    [[nodiscard]] bool setPlace(const StoredPlace& place);

private:
    float single(std::string_view key, float fallback) const;
    bool boolean(std::string_view key, bool fallback) const;

    SettingsStore& store_;
};

} // namespace ombrix
