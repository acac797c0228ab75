#include "platform/icons.h"

#include "common/desktopentry.h"
#include "platform/firstframe.h"
#include "platform/iconthemes.h"
#include "platform/imagefiles.h"
#include "platform/keypicturecache.h"
#include "platform/screen.h"
#include "platform/windowsystem.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QStandardPaths>
#include <QString>

#include <map>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace ombrix::platform {

namespace {

QString toQString(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

bool hasSuffix(const std::filesystem::path& file, const char* suffix) {
    return QString::fromStdString(file.extension().string())
               .compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0;
}

// ---- desktop entries ----

QString trimmed(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

// The Icon= value of the [Desktop Entry] group, read as starting the entry reads it.
std::optional<QString> desktopEntryIcon(const std::filesystem::path& file) {
    const auto entry = readDesktopEntry(file);
    if (!entry || entry->icon.empty())
        return std::nullopt;
    return trimmed(entry->icon);
}

// Many programs share a theme's picture (every terminal shows "utilities-terminal"): each
// file is read once per run, again only when it changes.
QImage themePictureSmall(const std::filesystem::path& file, int side) {
    struct Seen {
        timespec modified;
        off_t size;
        QImage picture;
    };
    static std::map<std::pair<std::filesystem::path, int>, Seen> pictures;
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return {};
    const auto found = pictures.find({file, side});
    if (found != pictures.end() && found->second.size == info.st_size &&
        found->second.modified.tv_sec == info.st_mtim.tv_sec &&
        found->second.modified.tv_nsec == info.st_mtim.tv_nsec)
        return found->second.picture;
    const QImage picture = imageFileSmall(toQString(file), side);
    return (pictures[{file, side}] = {info.st_mtim, info.st_size, picture}).picture;
}

// A picture of that name outside the themes, in one of the icon base folders (~/.icons,
// each data folder's icons, /usr/share/pixmaps).
RenderedPicture unthemedPixmapSmall(const QString& name, int side) {
    for (const std::filesystem::path& folder : unthemedIconFolders()) {
        const QDir base(toQString(folder));
        for (const char* suffix : {"", ".png", ".svg", ".xpm"}) {
            const QString candidate = base.filePath(name + QLatin1String(suffix));
            if (QFileInfo(candidate).isFile())
                if (QImage picture = imageFileSmall(candidate, side); !picture.isNull())
                    return {picture, true, {QFile::encodeName(candidate).toStdString()}};
        }
    }
    return {QImage(), true, {}};
}

RenderedPicture desktopEntryIconSmall(const std::filesystem::path& file, int side) {
    const std::optional<QString> icon = desktopEntryIcon(file);
    if (!icon)
        return {};
    if (QDir::isAbsolutePath(*icon)) {
        const std::filesystem::path image(QFile::encodeName(*icon).toStdString());
        return {QFileInfo(*icon).isFile() ? imageFileSmall(*icon, side) : QImage(), false, {image}};
    }
    if (const auto themed = themeIconFile(*icon, side))
        return {themePictureSmall(*themed, side), true, {*themed}};
    return unthemedPixmapSmall(*icon, side);
}

// ---- everything else ----

QImage providerIconSmall(const std::filesystem::path& file, int side) {
    prepareIconThemes(); // the provider looks up mime-type icons in the theme
    static const QFileIconProvider provider;
    const QIcon icon = iconThemesBounded() ? provider.icon(QFileInfo(toQString(file))) : QIcon();
    return icon.isNull() ? QImage() : fitSmall(icon.pixmap(QSize(side, side), 1.0).toImage(), side);
}

bool isRegularFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

} // namespace

QPixmap keyIconImage(const std::filesystem::path& icoFile) {
    if (!isRegularFile(icoFile))
        return {};
    return QPixmap::fromImage(imageFileSmall(toQString(icoFile), KeyPictureCache::pictureSize));
}

RenderedPicture renderSmallFileIcon(const std::filesystem::path& file, int side) {
    RenderedPicture own;
    if (hasSuffix(file, ".ico")) {
        const auto ico = icoFileSmall(toQString(file), side);
        own.picture = ico ? *ico : imageFileSmall(toQString(file), side, "ico");
    } else if (hasSuffix(file, ".desktop"))
        own = desktopEntryIconSmall(file, side);
    if (own.picture.isNull()) {
        own.picture = providerIconSmall(file, side);
        own.fromTheme = true;
    }
    return own;
}

namespace {

std::filesystem::path keyPictureCacheFile() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return std::filesystem::path(QFile::encodeName(folder).toStdString()) / "Ombrix" /
           "keypictures.cache";
}

// One cache per program run, written once the start-up's pictures are all made: the save waits
// for the windows' first frame, and is done again at the end for pictures made later (the
// setup program's chooser).
KeyPictureCache& keyPictures() {
    static KeyPictureCache cache(keyPictureCacheFile(), renderSmallFileIcon, iconThemesStamp);
    return cache;
}

void saveKeyPicturesSoon() {
    static bool queued = false;
    auto* application = QCoreApplication::instance();
    if (queued || !application || !keyPictures().changed())
        return;
    queued = true;
    afterFirstFrame([] {
        queued = false;
        keyPictures().save();
    });
    static const bool atQuit = [application] {
        QObject::connect(application, &QCoreApplication::aboutToQuit, [] { keyPictures().save(); });
        return true;
    }();
    (void)atQuit;
}

} // namespace

QPixmap smallFileIcon(const std::filesystem::path& file, double scale) {
    const QImage picture = keyPictures().picture(file, scale);
    saveKeyPicturesSoon();
    QPixmap pixmap = QPixmap::fromImage(picture);
    // Exactly 16 logical pixels, also where round(16 x scale) is not 16 x scale.
    if (!pixmap.isNull())
        pixmap.setDevicePixelRatio(pixmap.width() / double(KeyPictureCache::pictureSize));
    return pixmap;
}

QPixmap smallFileIcon(const std::filesystem::path& file) {
    return smallFileIcon(file, screenScale());
}

} // namespace ombrix::platform
