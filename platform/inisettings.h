#pragma once

#include "common/settings.h"

#include <QSettings>

#include <filesystem>

namespace ombrix::platform {

// The settings file of the desktop session: INI form, group [posizione]. Each write is
// flushed at once, so a value saved just before the program ends is never lost.
class IniSettings : public SettingsStore {
public:
    explicit IniSettings(const std::filesystem::path& file);

    std::optional<std::string> read(std::string_view key) const override;
    [[nodiscard]] bool write(std::string_view key, std::string_view text) override;

private:
    mutable QSettings settings_;
};

} // namespace ombrix::platform
