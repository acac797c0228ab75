#pragma once

#include "common/settings.h"
#include "common/usermessage.h"

#include <QSettings>

#include <filesystem>
#include <memory>
#include <string>

namespace ombrix::platform {

// The settings file of the desktop session: INI form, group [posizione]. Each write is
// flushed at once, so a value saved just before the program ends is never lost.
//
// The file is looked at before it is read: one that is no regular file (a FIFO, a device, or
// a link to one) is neither read nor written, and left alone; one that is damaged (larger
// than any settings file, or not readable as one) is kept aside as "<name>.damaged" and the
// settings start again from their defaults. Either is told once, by problem().
class IniSettings : public SettingsStore {
public:
    explicit IniSettings(const std::filesystem::path& file);

    std::optional<std::string> read(std::string_view key) const override;
    [[nodiscard]] bool write(std::string_view key, std::string_view text) override;
    // The values set together and the file written once.
    [[nodiscard]] bool writeAll(std::span<const SettingValue> values) override;

    // What was wrong with the file at the start, in words for the user; empty when nothing.
    const UserMessage& problem() const { return problem_; }

private:
    std::unique_ptr<QSettings> settings_; // none for a file that is left alone
    UserMessage problem_;
};

} // namespace ombrix::platform
