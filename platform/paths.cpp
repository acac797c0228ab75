#include "platform/paths.h"

#include <QCoreApplication>

#include <cstdlib>

namespace ombrix::platform {

std::filesystem::path programFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::filesystem::path configFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg && std::filesystem::path(xdg).is_absolute())
        return std::filesystem::path(xdg) / "Ombrix";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home && *home ? home : "/tmp") / ".config" / "Ombrix";
}

std::filesystem::path keyCountPath() {
    return configFolder() / "keycount.stm";
}

std::filesystem::path settingsPath() {
    return configFolder() / "Ombrix.conf";
}

} // namespace ombrix::platform
