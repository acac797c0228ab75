#include "platform/inisettings.h"

#include "common/boundedread.h"

#include <sys/stat.h>

namespace ombrix::platform {
namespace {

const QString section = QStringLiteral("posizione");

QString keyOf(std::string_view key) {
    return section + '/' + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

std::unique_ptr<QSettings> settingsOf(const std::filesystem::path& file) {
    auto settings =
        std::make_unique<QSettings>(QString::fromStdString(file.string()), QSettings::IniFormat);
    settings->allKeys(); // reads the file now, so that its status tells whether it is damaged
    return settings;
}

// Keeps a damaged file under another name, where the user may look at it.
UserMessage setAside(const std::filesystem::path& file, bool tooLarge) {
    std::filesystem::path aside = file;
    aside += ".damaged";
    std::error_code error;
    std::filesystem::rename(file, aside, error);
    if (error)
        return {
            tooLarge
                ? QT_TRANSLATE_NOOP("Ombrix", "The settings file %1 is far too large to be one and "
                                              "could not be kept aside (%2): the settings start "
                                              "from their defaults.")
                : QT_TRANSLATE_NOOP("Ombrix", "The settings file %1 was damaged and could not be "
                                              "kept aside (%2): the settings start from their "
                                              "defaults."),
            {file.string(), error.message()}};
    return {
        tooLarge
            ? QT_TRANSLATE_NOOP("Ombrix", "The settings file %1 is far too large to be one. It is "
                                          "kept as %2, and the settings start again from their "
                                          "defaults.")
            : QT_TRANSLATE_NOOP("Ombrix", "The settings file %1 was damaged. It is kept as %2, and "
                                          "the settings start again from their defaults."),
        {file.string(), aside.string()}};
}

} // namespace

IniSettings::IniSettings(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode)) {
            problem_ = {QT_TRANSLATE_NOOP("Ombrix",
                                          "The settings file %1 is not a regular file and is "
                                          "left alone: no setting is read or stored. Move it "
                                          "away to let the settings be stored."),
                        {file.string()}};
            return;
        }
        if (static_cast<std::size_t>(info.st_size) > settingsFileLimit)
            problem_ = setAside(file, true);
    }
    settings_ = settingsOf(file);
    if (settings_->status() == QSettings::FormatError) {
        settings_.reset();
        problem_ = setAside(file, false);
        settings_ = settingsOf(file);
    }
}

std::optional<std::string> IniSettings::read(std::string_view key) const {
    if (!settings_)
        return std::nullopt;
    const QVariant value = settings_->value(keyOf(key));
    if (!value.isValid())
        return std::nullopt;
    // A value the user edited into a list ("1,2") comes back as several texts: no number.
    if (value.typeId() == QMetaType::QStringList)
        return std::string();
    return value.toString().toStdString();
}

bool IniSettings::write(std::string_view key, std::string_view text) {
    const SettingValue value{key, std::string(text)};
    return writeAll(std::span(&value, 1));
}

bool IniSettings::writeAll(std::span<const SettingValue> values) {
    if (!settings_)
        return false;
    for (const SettingValue& value : values)
        settings_->setValue(keyOf(value.key), QString::fromStdString(value.text));
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}

} // namespace ombrix::platform
