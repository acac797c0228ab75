#include "platform/icons.h"

#include "platform/keypicturecache.h"

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
#include <QTimer>

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
QImage fitSmall(const QImage& image) {
    if (image.isNull())
        return {};
    if (image.size() == smallIcon)
        return image;
    const QImage scaled = image.scaled(smallIcon, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage canvas(smallIcon, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.drawImage((smallSize - scaled.width()) / 2, (smallSize - scaled.height()) / 2, scaled);
    painter.end();
    return canvas;
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
std::optional<QImage> icoFileSmall(const QString& path) {
    QImageIOPlugin* plugin = icoPlugin();
    if (!plugin)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const std::unique_ptr<QImageIOHandler> handler(plugin->create(&file, "ico"));
    if (!handler)
        return QImage();
    handler->jumpToImage(nearestSmallImage(*handler));
    QImage image;
    if (!handler->read(&image))
        return QImage();
    return fitSmall(image);
}

QImage imageFileSmall(const QString& path, const QByteArray& format = {}) {
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

// The Icon= value of the [Desktop Entry] group; only the untranslated key counts.
std::optional<QString> desktopEntryIcon(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string line;
    bool inMainGroup = false;
    while (std::getline(in, line)) {
        const QString text = trimmed(line);
        if (text.isEmpty() || text.startsWith('#'))
            continue;
        if (text.startsWith('[')) {
            inMainGroup = text == QLatin1String("[Desktop Entry]");
            continue;
        }
        const qsizetype equals = text.indexOf('=');
        if (inMainGroup && equals > 0 && text.left(equals).trimmed() == QLatin1String("Icon")) {
            const QString value = text.mid(equals + 1).trimmed();
            if (!value.isEmpty())
                return value;
        }
    }
    return std::nullopt;
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

// ---- the icon themes' folders ----

// The themes asked in turn: the current one, those it inherits, the fallback and hicolor.
QStringList themeChain(const QStringList& searchPaths) {
    QStringList chain{QIcon::themeName()};
    for (qsizetype i = 0; i < chain.size() && chain.size() < 16; ++i) {
        for (const QString& folder : searchPaths) {
            std::ifstream index(
                QFile::encodeName(folder + '/' + chain[i] + "/index.theme").toStdString());
            if (!index.is_open())
                continue;
            // Inherits= belongs to the first group; the size folders' groups follow it.
            std::string line;
            int groups = 0;
            while (std::getline(index, line) && (line.empty() || line[0] != '[' || ++groups < 2))
                if (line.rfind("Inherits=", 0) == 0) {
                    for (const QString& parent : trimmed(line.substr(9)).split(','))
                        if (!parent.trimmed().isEmpty())
                            appendIfMissing(chain, parent.trimmed());
                    break;
                }
            break;
        }
    }
    appendIfMissing(chain, QIcon::fallbackThemeName());
    appendIfMissing(chain, QStringLiteral("hicolor"));
    return chain;
}

// Every folder of every theme asked: the theme folders themselves, their size folders and
// their context folders ("16x16", "16x16/apps").
template <typename Visit>
void forEachThemeFolder(Visit&& visit) {
    prepareIconThemes();
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QStringList chain = themeChain(searchPaths);
    for (const QString& folder : searchPaths)
        for (const QString& theme : chain) {
            const std::filesystem::path root(
                QFile::encodeName(folder + '/' + theme).toStdString());
            std::error_code error;
            if (!std::filesystem::is_directory(root, error))
                continue;
            visit(root, 0);
            const std::filesystem::directory_iterator end;
            for (std::filesystem::directory_iterator size(root, error); !error && size != end;
                 size.increment(error)) {
                if (!size->is_directory(error))
                    continue;
                visit(size->path(), 1);
                std::error_code inner;
                for (std::filesystem::directory_iterator context(size->path(), inner);
                     !inner && context != end; context.increment(inner))
                    if (context->is_directory(inner))
                        visit(context->path(), 2);
            }
        }
}

// The themes asked and where, as the settings name them.
QString themeSettings() {
    prepareIconThemes();
    return QIcon::themeName() + ',' + QIcon::fallbackThemeName() + " in " +
           QIcon::themeSearchPaths().join(',');
}

// The picture files of the themes by icon name: the files a theme lookup of that name may
// have read. Made at the first picture taken from the theme, again when the themes change.
const std::multimap<std::string, std::filesystem::path>& themeFilesByName() {
    static QString madeFor;
    static std::multimap<std::string, std::filesystem::path> files;
    if (const QString now = themeSettings(); now != madeFor || files.empty()) {
        madeFor = now;
        files.clear();
        forEachThemeFolder([&](const std::filesystem::path& folder, int depth) {
            if (depth == 0)
                return;
            std::error_code error;
            const std::filesystem::directory_iterator end;
            for (std::filesystem::directory_iterator file(folder, error); !error && file != end;
                 file.increment(error)) {
                const std::string extension = file->path().extension().string();
                if (extension == ".png" || extension == ".svg" || extension == ".svgz" ||
                    extension == ".xpm")
                    files.emplace(file->path().stem().string(), file->path());
            }
        });
    }
    return files;
}

QImage themeIconSmall(const QString& name) {
    prepareIconThemes();
    const QIcon icon = QIcon::fromTheme(withoutImageSuffix(name));
    if (icon.isNull())
        return {};
    return fitSmall(icon.pixmap(smallIcon, 1.0).toImage());
}

QImage unthemedPixmapSmall(const QString& name) {
    const QDir pixmaps(QStringLiteral("/usr/share/pixmaps"));
    for (const char* suffix : {"", ".png", ".svg", ".xpm"}) {
        const QString candidate = pixmaps.filePath(name + QLatin1String(suffix));
        if (QFileInfo(candidate).isFile())
            if (QImage picture = imageFileSmall(candidate); !picture.isNull())
                return picture;
    }
    return {};
}

RenderedPicture desktopEntryIconSmall(const std::filesystem::path& file) {
    const std::optional<QString> icon = desktopEntryIcon(file);
    if (!icon)
        return {};
    if (QDir::isAbsolutePath(*icon)) {
        const std::filesystem::path image(QFile::encodeName(*icon).toStdString());
        return {QFileInfo(*icon).isFile() ? imageFileSmall(*icon) : QImage(), false, {image}};
    }
    RenderedPicture themed{themeIconSmall(*icon), true, {}};
    // The theme folders' times tell of icons added or removed; an icon file rewritten in
    // place shows only in its own times.
    const auto [first, last] = themeFilesByName().equal_range(
        QFile::encodeName(withoutImageSuffix(*icon)).toStdString());
    for (auto candidate = first; candidate != last; ++candidate)
        themed.readFiles.push_back(candidate->second);
    if (themed.picture.isNull())
        themed.picture = unthemedPixmapSmall(*icon);
    return themed;
}

// ---- everything else ----

QImage providerIconSmall(const std::filesystem::path& file) {
    prepareIconThemes(); // the provider looks up mime-type icons in the theme
    static const QFileIconProvider provider;
    const QIcon icon = provider.icon(QFileInfo(toQString(file)));
    return icon.isNull() ? QImage() : fitSmall(icon.pixmap(smallIcon, 1.0).toImage());
}

bool isRegularFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

void appendTime(std::string& stamp, const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return;
    stamp += path.string() + '@' + std::to_string(info.st_mtim.tv_sec) + '.' +
             std::to_string(info.st_mtim.tv_nsec) + ';';
}

} // namespace

QPixmap keyIconImage(const std::filesystem::path& icoFile) {
    if (!isRegularFile(icoFile))
        return {};
    return QPixmap::fromImage(imageFileSmall(toQString(icoFile)));
}

RenderedPicture renderSmallFileIcon(const std::filesystem::path& file) {
    RenderedPicture own;
    if (hasSuffix(file, ".ico")) {
        const auto ico = icoFileSmall(toQString(file));
        own.picture = ico ? *ico : imageFileSmall(toQString(file), "ico");
    } else if (hasSuffix(file, ".desktop"))
        own = desktopEntryIconSmall(file);
    if (own.picture.isNull()) {
        own.picture = providerIconSmall(file);
        own.fromTheme = true;
    }
    return own;
}

std::string iconThemesStamp() {
    prepareIconThemes();
    std::string stamp = (themeSettings() + ';').toStdString();
    // Installing, removing or replacing an icon file changes the time of its folder; the
    // icon caches and index files are rewritten when a theme changes.
    forEachThemeFolder([&](const std::filesystem::path& folder, int depth) {
        appendTime(stamp, folder);
        if (depth == 0) {
            appendTime(stamp, folder / "index.theme");
            appendTime(stamp, folder / "icon-theme.cache");
        }
    });
    appendTime(stamp, "/usr/share/pixmaps");
    // Pictures of other files follow their type, as the shared MIME database tells it.
    for (const QString& data :
         QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
        appendTime(stamp, QFile::encodeName(data + "/mime/mime.cache").toStdString());
    return stamp;
}

namespace {

std::filesystem::path keyPictureCacheFile() {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    return std::filesystem::path(QFile::encodeName(folder).toStdString()) / "Ombrix" /
           "keypictures.cache";
}

// One cache per program run, written once the start-up's pictures are all made: the save is
// queued behind the events that show the windows, and done again at the end for pictures
// made later (the setup program's chooser).
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
    QTimer::singleShot(0, application, [] {
        queued = false;
        keyPictures().save();
    });
    static const bool atQuit = [application] {
        QObject::connect(application, &QCoreApplication::aboutToQuit,
                         [] { keyPictures().save(); });
        return true;
    }();
    (void)atQuit;
}

} // namespace

QPixmap smallFileIcon(const std::filesystem::path& file) {
    if (!isRegularFile(file))
        return {};
    const QImage picture = keyPictures().picture(file);
    saveKeyPicturesSoon();
    return QPixmap::fromImage(picture);
}

} // namespace ombrix::platform
