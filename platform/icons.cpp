#include "platform/icons.h"

#include "common/atomicfile.h"
#include "common/desktopentry.h"
#include "common/iconthemecache.h"
#include "platform/boundedfile.h"
#include "platform/keypicturecache.h"
#include "platform/windowsystem.h"

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
#include <cstdint>
#include <dirent.h>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <png.h>
#include <string>
#include <sys/stat.h>
#include <system_error>
#include <tuple>
#include <unistd.h>
#include <unordered_map>

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

// One of Qt's image readers on its own. Asked for one format, QImageReader loads every image
// plugin installed until one claims it, which costs a bar of icon keys several milliseconds and
// a megabyte of libraries it never uses.
QImageIOPlugin* formatPlugin(const QString& library) {
    static std::map<QString, QImageIOPlugin*> plugins;
    const auto known = plugins.find(library);
    if (known != plugins.end())
        return known->second;
    QImageIOPlugin* plugin = nullptr;
    for (const QString& folder : QCoreApplication::libraryPaths()) {
        QPluginLoader loader(folder + QStringLiteral("/imageformats/") + library);
        if ((plugin = qobject_cast<QImageIOPlugin*>(loader.instance())))
            break;
    }
    plugins[library] = plugin;
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

// A file's image nearest 16 x 16 through the plugin `library`, a scalable one rendered
// straight at that size; nothing when the plugin is not installed, so that the caller falls
// back to the general reader.
std::optional<QImage> pluginFileSmall(const QString& path, const QString& library,
                                      const QByteArray& format) {
    QImageIOPlugin* plugin = formatPlugin(library);
    if (!plugin)
        return std::nullopt;
    BoundedFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const std::unique_ptr<QImageIOHandler> handler(plugin->create(&file, format));
    if (!handler)
        return QImage();
    handler->jumpToImage(nearestSmallImage(*handler));
    const QSize size = handler->option(QImageIOHandler::Size).toSize();
    if (size.isValid() && handler->supportsOption(QImageIOHandler::ScaledSize) &&
        qMax(size.width(), size.height()) > smallSize)
        handler->setOption(QImageIOHandler::ScaledSize,
                           size.scaled(smallIcon, Qt::KeepAspectRatio));
    QImage image;
    if (!handler->read(&image))
        return QImage();
    return fitSmall(image);
}

// Whether a PNG file says how its values map to light (a gAMA, sRGB or iCCP chunk before its
// image data).
bool pngStatesItsGamma(const QString& path) {
    const std::string head =
        readFilePrefix(QFile::encodeName(path).toStdString(), 64 * 1024).value_or(std::string());
    for (std::size_t at = 8; at + 8 <= head.size();) {
        const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(head[at + i]); };
        const std::uint32_t length = std::uint32_t{byte(0)} << 24 | std::uint32_t{byte(1)} << 16 |
                                     std::uint32_t{byte(2)} << 8 | byte(3);
        const std::string_view type(head.data() + at + 4, 4);
        if (type == "gAMA" || type == "sRGB" || type == "iCCP")
            return true;
        if (type == "IDAT")
            return false;
        at += 12 + std::size_t{length};
    }
    return false;
}

// A PNG file's picture read with libpng's simple reader: QImageReader would first load the
// description of every image plugin installed, which costs a first start of a bar of theme
// icons several milliseconds. Nothing when the file is not a PNG that reader takes, is too
// large to be an icon, or has 16 bits a channel without saying its gamma (that reader would
// take it for linear light, where Qt shows the values as they are), so that the caller falls
// back to the general reader.
std::optional<QImage> pngFile(const QString& path) {
    constexpr png_uint_32 largestSide = 1024;
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    const std::string bytes =
        readBoundedFile(QFile::encodeName(path).toStdString(), pictureFileLimit).value_or("");
    if (!png_image_begin_read_from_memory(&png, bytes.data(), bytes.size()))
        return std::nullopt;
    if (png.width == 0 || png.height == 0 || png.width > largestSide || png.height > largestSide ||
        ((png.format & PNG_FORMAT_FLAG_LINEAR) != 0 && !pngStatesItsGamma(path))) {
        png_image_free(&png);
        return std::nullopt;
    }
    // The byte order of QImage's 0xAARRGGBB pixels.
    png.format = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? PNG_FORMAT_BGRA : PNG_FORMAT_ARGB;
    QImage picture(static_cast<int>(png.width), static_cast<int>(png.height),
                   QImage::Format_ARGB32);
    if (picture.isNull() ||
        !png_image_finish_read(&png, nullptr, picture.bits(),
                               static_cast<png_int_32>(picture.bytesPerLine()), nullptr)) {
        png_image_free(&png);
        return std::nullopt;
    }
    return picture;
}

std::optional<QImage> icoFileSmall(const QString& path) {
    return pluginFileSmall(path, QStringLiteral("libqico.so"), "ico");
}

QImage imageFileSmall(const QString& path, QByteArray format = {}) {
    if (format.isEmpty()) {
        // Naming the format spares the reader probing every format plugin for each file; the
        // theme's scalable pictures go to the SVG reader alone.
        format = QFileInfo(path).suffix().toLower().toLatin1();
        if (format == "svg" || format == "svgz")
            if (auto picture = pluginFileSmall(path, QStringLiteral("libqsvg.so"), format))
                return *picture;
        if (format == "png")
            if (auto picture = pngFile(path))
                return fitSmall(*picture);
        if (format != "png" && format != "xpm")
            format.clear();
    }
    BoundedFile file(path);
    file.open(QIODevice::ReadOnly);
    QImageReader reader(&file, format);
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

// ---- the icon themes' folders ----

// The Inherits= value of an index.theme, which belongs to its first group (the size folders'
// groups follow it); nothing when the file cannot be read.
std::optional<std::string> inheritedThemes(const std::string& index) {
    // The first group is short: the start of the file holds it, and the whole file is read
    // only when it does not.
    constexpr std::size_t start = 16 * 1024;
    std::optional<std::string> text = readFilePrefix(index, start);
    if (text && text->size() == start && text->find("\n[", 1) == std::string::npos)
        text = readFilePrefix(index, themeIndexLimit);
    if (!text)
        return std::nullopt;
    int groups = 0;
    for (std::string_view rest = *text; !rest.empty();) {
        const std::string_view line = nextLine(rest);
        if (!line.empty() && line[0] == '[' && ++groups >= 2)
            break;
        if (line.starts_with("Inherits="))
            return std::string(line.substr(9));
    }
    return std::string();
}

// The themes asked in turn: the current one, those it inherits, the fallback and hicolor.
QStringList themeChain(const QStringList& searchPaths) {
    QStringList chain{QIcon::themeName()};
    for (qsizetype i = 0; i < chain.size() && chain.size() < 16; ++i) {
        for (const QString& folder : searchPaths) {
            const auto inherits = inheritedThemes(
                QFile::encodeName(folder + '/' + chain[i] + "/index.theme").toStdString());
            if (!inherits)
                continue;
            for (const QString& parent : trimmed(*inherits).split(','))
                if (!parent.trimmed().isEmpty())
                    appendIfMissing(chain, parent.trimmed());
            break;
        }
    }
    appendIfMissing(chain, QIcon::fallbackThemeName());
    appendIfMissing(chain, QStringLiteral("hicolor"));
    return chain;
}

// The names of a folder's entries and whether each is a folder, in one pass (no file is
// opened).
template <typename Visit> void forEachName(const std::string& folder, Visit&& visit) {
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        bool isFolder = entry->d_type == DT_DIR;
        if (entry->d_type == DT_UNKNOWN || entry->d_type == DT_LNK) {
            struct stat info {};
            isFolder =
                ::stat((folder + '/' + entry->d_name).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
        }
        visit(std::string_view(entry->d_name), isFolder);
    }
    ::closedir(dir);
}

// Every folder of every theme asked: the theme folders themselves, their size folders and
// their context folders ("16x16", "16x16/apps"). `visit` returns, for a theme folder (depth
// 0), whether its own folders are to be visited too.
template <typename Visit> void forEachThemeFolder(Visit&& visit) {
    prepareIconThemes();
    const QStringList searchPaths = QIcon::themeSearchPaths();
    const QStringList chain = themeChain(searchPaths);
    for (const QString& folder : searchPaths)
        for (const QString& theme : chain) {
            const std::string root = QFile::encodeName(folder + '/' + theme).toStdString();
            struct stat info {};
            if (::stat(root.c_str(), &info) != 0 || !S_ISDIR(info.st_mode))
                continue;
            if (!visit(root, 0))
                continue;
            forEachName(root, [&](std::string_view size, bool sizeIsFolder) {
                if (!sizeIsFolder)
                    return;
                const std::string sizeFolder = root + '/' + std::string(size);
                visit(sizeFolder, 1);
                forEachName(sizeFolder, [&](std::string_view context, bool contextIsFolder) {
                    if (contextIsFolder)
                        visit(sizeFolder + '/' + std::string(context), 2);
                });
            });
        }
}

// The themes asked and where, as the settings name them.
QString themeSettings() {
    prepareIconThemes();
    return QIcon::themeName() + ',' + QIcon::fallbackThemeName() + " in " +
           QIcon::themeSearchPaths().join(',');
}

// ---- finding an icon by name in the themes ----

// One folder of a theme as its index.theme describes it; a key it leaves out has the value
// every icon theme assumes for it.
struct ThemeFolder {
    enum class Kind { fixed, scalable, threshold };
    Kind kind = Kind::threshold;
    int size = 0;
    int minSize = 0;
    int maxSize = 0;
    int threshold = 2;
    int scale = 1;

    bool matches(int wanted) const {
        if (scale != 1)
            return false;
        switch (kind) {
        case Kind::fixed:
            return size == wanted;
        case Kind::scalable:
            return minSize <= wanted && wanted <= maxSize;
        case Kind::threshold:
            return size - threshold <= wanted && wanted <= size + threshold;
        }
        return false;
    }
    int distance(int wanted) const {
        const int low = kind == Kind::threshold ? (size - threshold) * scale : minSize * scale;
        const int high = kind == Kind::threshold ? (size + threshold) * scale : maxSize * scale;
        if (kind == Kind::fixed)
            return qAbs(size * scale - wanted);
        if (wanted < low)
            return minSize * scale - wanted;
        if (wanted > high)
            return wanted - maxSize * scale;
        return 0;
    }
};

// The folders an index.theme lists, in its order.
std::vector<std::pair<std::string, ThemeFolder>> themeFolders(const std::string& index) {
    std::string text;
    text = readBoundedFile(index, themeIndexLimit).value_or(std::string());
    std::vector<std::pair<std::string, ThemeFolder>> folders;
    std::map<std::string, std::size_t> byName;
    ThemeFolder* current = nullptr;
    bool sizesGiven[2] = {false, false};
    const auto finish = [&] {
        if (current && !sizesGiven[0])
            current->minSize = current->size;
        if (current && !sizesGiven[1])
            current->maxSize = current->size;
    };
    for (std::string_view rest = text; !rest.empty();) {
        const std::string line(nextLine(rest));
        if (line.empty() || line[0] == '#')
            continue;
        if (line[0] == '[') {
            finish();
            const auto found = byName.find(line.substr(1, line.find(']') - 1));
            current = found == byName.end() ? nullptr : &folders[found->second].second;
            sizesGiven[0] = sizesGiven[1] = false;
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        const std::string value = line.substr(equals + 1);
        if (key == "Directories" && folders.empty()) {
            for (const QString& name :
                 QString::fromStdString(value).split(',', Qt::SkipEmptyParts)) {
                byName.emplace(name.trimmed().toStdString(), folders.size());
                folders.push_back({name.trimmed().toStdString(), {}});
            }
        } else if (current) {
            const int number = std::atoi(value.c_str());
            if (key == "Size")
                current->size = number;
            else if (key == "MinSize")
                current->minSize = number, sizesGiven[0] = true;
            else if (key == "MaxSize")
                current->maxSize = number, sizesGiven[1] = true;
            else if (key == "Threshold")
                current->threshold = number;
            else if (key == "Scale")
                current->scale = number;
            else if (key == "Type")
                current->kind = value == "Fixed"      ? ThemeFolder::Kind::fixed
                                : value == "Scalable" ? ThemeFolder::Kind::scalable
                                                      : ThemeFolder::Kind::threshold;
        }
    }
    finish();
    return folders;
}

// Where a picture file sits: which theme (0 the current one), which of its folders, which
// search folder, which extension; the lowest of each wins.
struct ThemeFile {
    int theme;
    int folder;
    int searchFolder;
    int extension;
};

// Every picture file of the themes asked, by icon name: from a theme's icon cache when it is
// at least as new as the theme's folder (IconThemeCache), as desktop programs read it, else
// from one reading of the theme's folders. Made at the first picture taken from the theme,
// again when the themes change.
class ThemeIndex {
public:
    explicit ThemeIndex(const QStringList& searchPaths) {
        const QStringList chain = themeChain(searchPaths);
        for (const QString& base : searchPaths)
            bases_.push_back(QFile::encodeName(base).toStdString());
        for (int theme = 0; theme < chain.size(); ++theme) {
            const std::string name = QFile::encodeName(chain[theme]).toStdString();
            themes_.push_back(name);
            folders_.push_back({});
            for (const std::string& base : bases_) {
                const std::string index = base + '/' + name + "/index.theme";
                if (::access(index.c_str(), R_OK) == 0) {
                    folders_.back() = themeFolders(index);
                    break;
                }
            }
            auto& byName = folderNumbers_.emplace_back();
            for (int folder = 0; folder < static_cast<int>(folders_.back().size()); ++folder)
                byName.emplace(folders_.back()[folder].first, folder);
            for (int base = 0; base < static_cast<int>(bases_.size()); ++base) {
                if (auto cache = IconThemeCache::open(bases_[base] + '/' + name))
                    caches_.push_back({theme, base, *std::move(cache)});
                else
                    readTheme(theme, base, byName);
            }
        }
    }

    // The file a desktop shows as the 16 x 16 picture of `name`: in the first theme that has
    // it, a folder of the size, else the nearest size.
    std::optional<std::filesystem::path> find(const std::string& name) const {
        std::vector<ThemeFile> cached;
        for (const auto& [theme, base, cache] : caches_)
            for (const auto& picture : cache.find(name)) {
                const auto folder = folderNumbers_[theme].find(picture.folder);
                if (folder == folderNumbers_[theme].end())
                    continue; // a folder the theme's index does not list is never searched
                for (const auto& [format, order] : cacheFormats)
                    if (picture.formats & format)
                        cached.push_back({theme, folder->second, base, order});
            }
        const auto [first, last] = files_.equal_range(name);
        const ThemeFile* best = nullptr;
        const auto rank = [this](const ThemeFile& file) {
            const ThemeFolder& info = folders_[file.theme][file.folder].second;
            return std::tuple(file.theme, info.matches(smallSize) ? 0 : 1, info.distance(smallSize),
                              file.folder, file.searchFolder, file.extension);
        };
        for (auto file = first; file != last; ++file)
            if (!best || rank(file->second) < rank(*best))
                best = &file->second;
        for (const ThemeFile& file : cached)
            if (!best || rank(file) < rank(*best))
                best = &file;
        if (!best)
            return std::nullopt;
        return bases_[best->searchFolder] + '/' + themes_[best->theme] + '/' +
               folders_[best->theme][best->folder].first + '/' + name + extensions[best->extension];
    }

private:
    static constexpr const char* extensions[] = {".png", ".svg", ".xpm", ".svgz"};
    // The formats an icon cache records, with their places in `extensions`.
    static constexpr std::pair<IconThemeCache::Format, int> cacheFormats[] = {
        {IconThemeCache::png, 0}, {IconThemeCache::svg, 1}, {IconThemeCache::xpm, 2}};

    struct CachedTheme {
        int theme;
        int base;
        IconThemeCache cache;
    };

    // Theme folders are one or two levels deep ("scalable", "16x16/apps").
    void readTheme(int theme, int base, const std::map<std::string, int, std::less<>>& byName) {
        const std::string root = bases_[base] + '/' + themes_[theme];
        forEachName(root, [&](std::string_view size, bool sizeIsFolder) {
            if (!sizeIsFolder)
                return;
            const std::string sizeName(size);
            if (const auto found = byName.find(sizeName); found != byName.end())
                readFolder(theme, found->second, base, root + '/' + sizeName);
            forEachName(root + '/' + sizeName, [&](std::string_view context, bool isFolder) {
                const std::string relative = sizeName + '/' + std::string(context);
                if (const auto found = byName.find(relative); isFolder && found != byName.end())
                    readFolder(theme, found->second, base, root + '/' + relative);
            });
        });
    }

    void readFolder(int theme, int folder, int base, const std::string& path) {
        forEachName(path, [&](std::string_view file, bool) {
            const auto dot = file.rfind('.');
            if (dot == std::string_view::npos)
                return;
            const std::string_view extension = file.substr(dot);
            for (int order = 0; order < 4; ++order)
                if (extension == extensions[order]) {
                    files_.emplace(std::string(file.substr(0, dot)),
                                   ThemeFile{theme, folder, base, order});
                    return;
                }
        });
    }

    std::vector<std::string> bases_;
    std::vector<std::string> themes_;
    std::vector<std::vector<std::pair<std::string, ThemeFolder>>> folders_;
    std::vector<std::map<std::string, int, std::less<>>> folderNumbers_; // by folder name
    std::unordered_multimap<std::string, ThemeFile> files_;
    std::vector<CachedTheme> caches_;
};

std::unique_ptr<ThemeIndex>& madeThemeIndex() {
    static std::unique_ptr<ThemeIndex> index;
    return index;
}

const ThemeIndex& themeIndex() {
    static QString madeFor;
    auto& index = madeThemeIndex();
    if (const QString now = themeSettings(); !index || now != madeFor) {
        madeFor = now;
        index = std::make_unique<ThemeIndex>(QIcon::themeSearchPaths());
    }
    return *index;
}

// The theme's file for an icon name; a name with dashes that no theme has falls back to its
// shorter forms ("utilities-terminal-root", then "utilities-terminal", then "utilities").
std::optional<std::filesystem::path> themeIconFile(QString name) {
    name = withoutImageSuffix(name);
    while (!name.isEmpty()) {
        if (auto file = themeIndex().find(QFile::encodeName(name).toStdString()))
            return file;
        const qsizetype dash = name.lastIndexOf('-');
        if (dash <= 0)
            break;
        name.truncate(dash);
    }
    return std::nullopt;
}

// Many programs share a theme's picture (every terminal shows "utilities-terminal"): each
// file is read once per run, again only when it changes.
QImage themePictureSmall(const std::filesystem::path& file) {
    struct Seen {
        timespec modified;
        off_t size;
        QImage picture;
    };
    static std::map<std::filesystem::path, Seen> pictures;
    struct stat info {};
    if (::stat(file.c_str(), &info) != 0)
        return {};
    const auto found = pictures.find(file);
    if (found != pictures.end() && found->second.size == info.st_size &&
        found->second.modified.tv_sec == info.st_mtim.tv_sec &&
        found->second.modified.tv_nsec == info.st_mtim.tv_nsec)
        return found->second.picture;
    return (pictures[file] = {info.st_mtim, info.st_size, imageFileSmall(toQString(file))}).picture;
}

// A picture of that name outside the themes, in one of the icon base folders (~/.icons,
// each data folder's icons, /usr/share/pixmaps).
RenderedPicture unthemedPixmapSmall(const QString& name) {
    for (const std::filesystem::path& folder : unthemedIconFolders()) {
        const QDir base(toQString(folder));
        for (const char* suffix : {"", ".png", ".svg", ".xpm"}) {
            const QString candidate = base.filePath(name + QLatin1String(suffix));
            if (QFileInfo(candidate).isFile())
                if (QImage picture = imageFileSmall(candidate); !picture.isNull())
                    return {picture, true, {QFile::encodeName(candidate).toStdString()}};
        }
    }
    return {QImage(), true, {}};
}

RenderedPicture desktopEntryIconSmall(const std::filesystem::path& file) {
    const std::optional<QString> icon = desktopEntryIcon(file);
    if (!icon)
        return {};
    if (QDir::isAbsolutePath(*icon)) {
        const std::filesystem::path image(QFile::encodeName(*icon).toStdString());
        return {QFileInfo(*icon).isFile() ? imageFileSmall(*icon) : QImage(), false, {image}};
    }
    if (const auto themed = themeIconFile(*icon))
        return {themePictureSmall(*themed), true, {*themed}};
    return unthemedPixmapSmall(*icon);
}

// ---- everything else ----

QImage providerIconSmall(const std::filesystem::path& file) {
    prepareIconThemes(); // the provider looks up mime-type icons in the theme
    static const QFileIconProvider provider;
    const QIcon icon = iconThemesBounded() ? provider.icon(QFileInfo(toQString(file))) : QIcon();
    return icon.isNull() ? QImage() : fitSmall(icon.pixmap(smallIcon, 1.0).toImage());
}

bool isRegularFile(const std::filesystem::path& file) {
    std::error_code error;
    return std::filesystem::is_regular_file(file, error);
}

// Appends the modification time of `path` when it exists, and returns it (0 when it does not).
std::int64_t appendTime(std::string& stamp, const std::filesystem::path& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        return 0;
    stamp += path.string() + '@' + std::to_string(info.st_mtim.tv_sec) + '.' +
             std::to_string(info.st_mtim.tv_nsec) + ';';
    return std::int64_t{info.st_mtim.tv_sec} * 1'000'000'000 + info.st_mtim.tv_nsec;
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

void forgetIconThemes() {
    madeThemeIndex().reset();
}

std::string iconThemesStamp() {
    prepareIconThemes();
    std::string stamp = (themeSettings() + ';').toStdString();
    // Installing, removing or replacing an icon file changes the time of its folder. A theme
    // whose icon cache is at least as new as the theme folder itself is kept indexed by the
    // desktop's icon cache tool, which the system runs again at every change to an installed
    // theme (as desktop programs, which read that cache, rely on): its cache's time stands for
    // its folders, which spares a start hundreds of folder reads.
    forEachThemeFolder([&](const std::string& folder, int depth) {
        const std::int64_t folderTime = appendTime(stamp, folder);
        if (depth != 0)
            return true;
        appendTime(stamp, folder + "/index.theme");
        const std::int64_t cacheTime = appendTime(stamp, folder + "/icon-theme.cache");
        return !IconThemeCache::isCurrent(cacheTime, folderTime);
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
        QObject::connect(application, &QCoreApplication::aboutToQuit, [] { keyPictures().save(); });
        return true;
    }();
    (void)atQuit;
}

} // namespace

QPixmap smallFileIcon(const std::filesystem::path& file) {
    const QImage picture = keyPictures().picture(file);
    saveKeyPicturesSoon();
    return QPixmap::fromImage(picture);
}

} // namespace ombrix::platform
