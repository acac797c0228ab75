#include "platform/paths.h"

#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace ombrix::platform {

namespace {

// $<variable>/Ombrix when the variable names an absolute folder, else $HOME/<fallback>/Ombrix.
std::filesystem::path userFolder(const char* xdgValue, const char* home,
                                 const std::filesystem::path& fallback) {
    if (xdgValue && *xdgValue && std::filesystem::path(xdgValue).is_absolute())
        return std::filesystem::path(xdgValue) / "Ombrix";
    return std::filesystem::path(home && *home ? home : "/tmp") / fallback / "Ombrix";
}

} // namespace

std::filesystem::path programFolder() {
    const std::filesystem::path folder = QCoreApplication::applicationDirPath().toStdString();
    std::error_code error;
    const std::filesystem::path real = std::filesystem::canonical(folder, error);
    return error ? folder : real;
}

std::filesystem::path dataFolder(const std::filesystem::path& programFolder,
                                 const char* xdgDataHome, const char* home) {
    std::error_code error;
    if (std::filesystem::is_regular_file(programFolder / portableMarkerName, error))
        return programFolder;
    return userFolder(xdgDataHome, home, ".local/share");
}

std::filesystem::path dataFolder() {
    return dataFolder(programFolder(), std::getenv("XDG_DATA_HOME"), std::getenv("HOME"));
}

std::filesystem::path configFolder() {
    return userFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), ".config");
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
