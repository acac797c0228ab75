#include "platform/icons.h"

#include "common/desktopentry.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QIcon>
#include <QImage>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QImageReader>
#include <QPainter>
#include <QPluginLoader>
#include <QStandardPaths>
#include <QString>

#include <climits>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <system_error>

namespace ombrix::platform {

namespace {

constexpr int smallSize = 16;
const QSize smallIcon(smallSize, smallSize);

QString toQString(const std::filesystem::path& path) {
    return QFile::decodeName(path.c_str());
}

bool hasSuffix(const std::filesystem::path& file, const char* suffix) {
    return QString::fromStdString(file.extension().string())
               .compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0;
}

// Scales to fit 16 x 16 keeping proportions; a picture that is not square sits centred.
QPixmap fitSmall(const QImage& image) {
    if (image.isNull())
        return {};
    if (image.size() == smallIcon)
        return QPixmap::fromImage(image);
    const QImage scaled = image.scaled(smallIcon, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage canvas(smallIcon, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.drawImage((smallSize - scaled.width()) / 2, (smallSize - scaled.height()) / 2, scaled);
    painter.end();
    return QPixmap::fromImage(canvas);
}

// Distance of a stored image's size from 16; on a tie the larger image wins, since scaling
// down keeps detail that scaling up would have to invent.
int nearnessToSmall(const QSize& size) {
    const int side = qMax(size.width(), size.height());
    return 2 * qAbs(side - smallSize) + (side < smallSize ? 1 : 0);
}

// Icon files hold several sizes; only the chosen one is decoded.
void jumpToImageNearestSmall(QImageReader& reader) {
    const int count = reader.imageCount();
    int best = 0;
    int bestNearness = INT_MAX;
    for (int index = 0; index < count && reader.jumpToImage(index); ++index) {
        const QSize size = reader.size();
        if (size.isValid() && nearnessToSmall(size) < bestNearness) {
            bestNearness = nearnessToSmall(size);
            best = index;
        }
    }
    if (count > 1)
        reader.jumpToImage(best);
}

// Qt's icon-file reader on its own. Asked for one format, QImageReader loads every image
// plugin installed until one claims it, which costs a bar of icon keys several milliseconds and
// a megabyte of libraries it never uses.
QImageIOPlugin* icoPlugin() {
    static QImageIOPlugin* const plugin = [] {
        for (const QString& folder : QCoreApplication::libraryPaths()) {
            QPluginLoader loader(folder + QStringLiteral("/imageformats/libqico.so"));
            if (auto* found = qobject_cast<QImageIOPlugin*>(loader.instance()))
                return found;
        }
        return static_cast<QImageIOPlugin*>(nullptr);
    }();
    return plugin;
}

int nearestSmallImage(QImageIOHandler& handler) {
    const int count = handler.imageCount();
    int best = 0;
    int bestNearness = INT_MAX;
    for (int index = 0; index < count && handler.jumpToImage(index); ++index) {
        const QSize size = handler.option(QImageIOHandler::Size).toSize();
        if (size.isValid() && nearnessToSmall(size) < bestNearness) {
            bestNearness = nearnessToSmall(size);
            best = index;
        }
    }
    return best;
}

// An icon file's image nearest 16 x 16; nothing when the ico reader is not installed, so that
// the caller falls back to the general reader.
std::optional<QPixmap> icoFileSmall(const QString& path) {
    QImageIOPlugin* plugin = icoPlugin();
    if (!plugin)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QPixmap();
    const std::unique_ptr<QImageIOHandler> handler(plugin->create(&file, "ico"));
    if (!handler)
        return QPixmap();
    handler->jumpToImage(nearestSmallImage(*handler));
    QImage image;
    if (!handler->read(&image))
        return QPixmap();
    return fitSmall(image);
}

QPixmap imageFileSmall(const QString& path, const QByteArray& format = {}) {
    // Naming the format spares the reader probing every format plugin for each file.
    QImageReader reader(path, format);
    jumpToImageNearestSmall(reader);
    // Scalable and some compressed formats can render straight at the small size.
    const QSize size = reader.size();
    if (size.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize) &&
        qMax(size.width(), size.height()) > smallSize)
        reader.setScaledSize(size.scaled(smallIcon, Qt::KeepAspectRatio));
    return fitSmall(reader.read());
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

void appendIfMissing(QStringList& list, const QString& folder) {
    if (!list.contains(folder))
        list.append(folder);
}

// Done once, at the first theme lookup. The offscreen platform sets no search path, and a
// bare X11 session names only "hicolor", which holds hardly any standard names: Adwaita,
// installed on every Debian desktop, answers what the current theme cannot.
void prepareIconThemes() {
    static const bool prepared = [] {
        QStringList paths = QIcon::themeSearchPaths();
        appendIfMissing(paths, QDir::homePath() + "/.local/share/icons");
        for (const QString& data :
             QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
            appendIfMissing(paths, data + "/icons");
        appendIfMissing(paths, QStringLiteral("/usr/share/icons"));
        QIcon::setThemeSearchPaths(paths);
        if (QIcon::themeName().isEmpty())
            QIcon::setThemeName(QStringLiteral("hicolor"));
        const QString fallback = QIcon::fallbackThemeName();
        if (fallback.isEmpty() || fallback == QLatin1String("hicolor"))
            QIcon::setFallbackThemeName(QStringLiteral("Adwaita"));
        return true;
    }();
    (void)prepared;
}

// Icon= should be a bare name, but "name.png" is common in the wild.
QString withoutImageSuffix(const QString& name) {
    for (const char* suffix : {".png", ".svg", ".xpm"})
        if (name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive))
            return name.chopped(4);
    return name;
}

QPixmap themeIconSmall(const QString& name) {
    prepareIconThemes();
    const QIcon icon = QIcon::fromTheme(withoutImageSuffix(name));
    if (icon.isNull())
        return {};
    return fitSmall(icon.pixmap(smallIcon, 1.0).toImage());
}

// An icon that no theme holds lies by its name in one of the icon base folders.
QPixmap unthemedPixmapSmall(const QString& name) {
    for (const std::filesystem::path& folder : unthemedIconFolders()) {
        const QDir base(toQString(folder));
        for (const char* suffix : {"", ".png", ".svg", ".xpm"}) {
            const QString candidate = base.filePath(name + QLatin1String(suffix));
            if (QFileInfo(candidate).isFile())
                if (QPixmap pixmap = imageFileSmall(candidate); !pixmap.isNull())
                    return pixmap;
        }
    }
    return {};
}

QPixmap desktopEntryIconSmall(const std::filesystem::path& file) {
    const std::optional<QString> icon = desktopEntryIcon(file);
    if (!icon)
        return {};
    if (QDir::isAbsolutePath(*icon))
        return QFileInfo(*icon).isFile() ? imageFileSmall(*icon) : QPixmap();
    if (QPixmap themed = themeIconSmall(*icon); !themed.isNull())
        return themed;
    return unthemedPixmapSmall(*icon);
}

// ---- everything else ----

QPixmap providerIconSmall(const std::filesystem::path& file) {
    prepareIconThemes(); // the provider looks up mime-type icons in the theme
    static const QFileIconProvider provider;
    const QIcon icon = provider.icon(QFileInfo(toQString(file)));
    return icon.isNull() ? QPixmap() : fitSmall(icon.pixmap(smallIcon, 1.0).toImage());
}

bool isRegularFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

} // namespace

QPixmap keyIconImage(const std::filesystem::path& icoFile) {
    if (!isRegularFile(icoFile))
        return {};
    return imageFileSmall(toQString(icoFile));
}

namespace {

QPixmap loadSmallFileIcon(const std::filesystem::path& file) {
    QPixmap own;
    if (hasSuffix(file, ".ico")) {
        const auto ico = icoFileSmall(toQString(file));
        own = ico ? *ico : imageFileSmall(toQString(file), "ico");
    } else if (hasSuffix(file, ".desktop"))
        own = desktopEntryIconSmall(file);
    return own.isNull() ? providerIconSmall(file) : own;
}

// Keys often share a program; its icon is looked up once. A file that changes (the setup
// program rewrites icon files and exchanges their names) is another file here and is read again.
struct FileIdentity {
    dev_t device;
    ino_t inode;
    std::int64_t modifiedNs;
    off_t size;
    bool operator==(const FileIdentity&) const = default;
};

struct CachedIcon {
    FileIdentity identity;
    QPixmap picture;
};

std::optional<FileIdentity> identityOf(const std::filesystem::path& file) {
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return std::nullopt;
    return FileIdentity{info.st_dev, info.st_ino,
                        std::int64_t{info.st_mtim.tv_sec} * 1000000000 + info.st_mtim.tv_nsec,
                        info.st_size};
}

} // namespace

QPixmap smallFileIcon(const std::filesystem::path& file) {
    if (!isRegularFile(file))
        return {};
    static std::map<std::filesystem::path, CachedIcon> cache;
    const auto identity = identityOf(file);
    if (!identity)
        return loadSmallFileIcon(file);
    const auto found = cache.find(file);
    if (found != cache.end() && found->second.identity == *identity)
        return found->second.picture;
    QPixmap picture = loadSmallFileIcon(file);
    cache[file] = {*identity, picture};
    return picture;
}

} // namespace ombrix::platform
