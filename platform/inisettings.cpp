#include "platform/inisettings.h"

namespace ombrix::platform {
namespace {

const QString section = QStringLiteral("posizione");

QString keyOf(std::string_view key) {
    return section + '/' + QString::fromUtf8(key.data(), static_cast<qsizetype>(key.size()));
}

} // namespace

IniSettings::IniSettings(const std::filesystem::path& file)
    : settings_(QString::fromStdString(file.string()), QSettings::IniFormat) {}

std::optional<std::string> IniSettings::read(std::string_view key) const {
    const QVariant value = settings_.value(keyOf(key));
    if (!value.isValid())
        return std::nullopt;
    // A value the user edited into a list ("1,2") comes back as several texts: no number.
    if (value.typeId() == QMetaType::QStringList)
        return std::string();
    return value.toString().toStdString();
}

bool IniSettings::write(std::string_view key, std::string_view text) {
    settings_.setValue(keyOf(key),
                       QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    settings_.sync();
    return settings_.status() == QSettings::NoError;
}

} // namespace ombrix::platform
