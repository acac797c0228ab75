#include "platform/iconthemes.h"

#include "common/atomicfile.h"
#include "common/boundedread.h"
#include "common/desktopentry.h"
#include "common/iconthemecache.h"
#include "platform/imagefiles.h"

#include <QDir>
#include <QFile>
#include <QIcon>
#include <QStandardPaths>
#include <QString>

#include <cstdint>
#include <dirent.h>
#include <limits>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <unordered_map>

namespace ombrix::platform {

namespace {

QString trimmed(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).trimmed();
}

void appendIfMissing(QStringList& list, const QString& folder) {
    if (!list.contains(folder))
        list.append(folder);
}

} // namespace

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

namespace {

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

    // Sizes are in device pixels: a folder of Scale 2 and Size 16 holds 32-pixel pictures.
    bool matches(int wanted) const {
        switch (kind) {
        case Kind::fixed:
            return size * scale == wanted;
        case Kind::scalable:
            return minSize * scale <= wanted && wanted <= maxSize * scale;
        case Kind::threshold:
            return (size - threshold) * scale <= wanted && wanted <= (size + threshold) * scale;
        }
        return false;
    }
    // Whether every picture of the folder is smaller than wanted, so would have to be enlarged.
    bool smallerThan(int wanted) const {
        const int largest = kind == Kind::fixed      ? size
                            : kind == Kind::scalable ? maxSize
                                                     : size + threshold;
        return largest * scale < wanted;
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

    // The file to draw `name` from at `side` device pixels: in the first theme that has it, a
    // folder of the size, else the nearest larger size, else the nearest smaller one.
    std::optional<std::filesystem::path> find(const std::string& name, int side) const {
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
        const auto rank = [this, side](const ThemeFile& file) {
            const ThemeFolder& info = folders_[file.theme][file.folder].second;
            return std::tuple(file.theme, info.matches(side) ? 0 : 1, info.smallerThan(side),
                              info.distance(side), file.folder, file.searchFolder, file.extension);
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

// The theme's file for an icon name; a name with dashes that no theme has falls back to its
// shorter forms ("utilities-terminal-root", then "utilities-terminal", then "utilities").
std::optional<std::filesystem::path> themeIconFile(QString name, int side) {
    name = withoutImageSuffix(name);
    while (!name.isEmpty()) {
        if (auto file = themeIndex().find(QFile::encodeName(name).toStdString(), side))
            return file;
        const qsizetype dash = name.lastIndexOf('-');
        if (dash <= 0)
            break;
        name.truncate(dash);
    }
    return std::nullopt;
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

} // namespace ombrix::platform
