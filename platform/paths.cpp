#include "platform/paths.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>
#include <string>

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

std::vector<std::filesystem::path> applicationFolders() {
    std::vector<std::filesystem::path> folders;
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    const char* home = std::getenv("HOME");
    if (dataHome && *dataHome)
        folders.emplace_back(std::filesystem::path(dataHome) / "applications");
    else if (home && *home)
        folders.emplace_back(std::filesystem::path(home) / ".local/share/applications");
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    std::string dirs = dataDirs && *dataDirs ? dataDirs : "/usr/local/share:/usr/share";
    for (std::size_t start = 0; start <= dirs.size();) {
        const std::size_t end = std::min(dirs.find(':', start), dirs.size());
        if (end > start)
            folders.emplace_back(std::filesystem::path(dirs.substr(start, end - start)) /
                                 "applications");
        start = end + 1;
    }
    return folders;
}

} // namespace ombrix::platform
