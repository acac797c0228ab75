#include "tune/filechooser.h"

#include "common/targets.h"
#include "platform/paths.h"
#include "platform/windowsystem.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFileIconProvider>
#include <QKeyEvent>
#include <QStorageInfo>

#include <algorithm>
#include <cctype>
#include <map>
#include <utility>

namespace ombrix {

namespace {

// A folder's or drive's icon as the desktop shows it, where the icon themes can be read
// safely; none otherwise. Each kind is looked up once per icon theme: the toolkit reads the
// themes' indexes again for every look-up, milliseconds that the drive list and each folder
// list would pay at every start. The icons are kept for the whole run, past the toolkit's
// end, so that none is released without it.
QIcon placeIcon(QFileIconProvider::IconType type) {
    if (!platform::iconThemesBounded())
        return {};
    static auto* made = new std::map<std::pair<int, QString>, QIcon>;
    const std::pair<int, QString> key{type, QIcon::themeName()};
    const auto found = made->find(key);
    if (found != made->end())
        return found->second;
    return made->emplace(key, QFileIconProvider().icon(type)).first->second;
}

} // namespace
namespace {

char lower(char c) {
    return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

// Classic wildcard matching with backtracking to the last "*".
bool wildcardFits(std::string_view name, std::string_view wildcard) {
    std::size_t n = 0, w = 0;
    std::size_t starAt = std::string_view::npos, resumeAt = 0;
    while (n < name.size()) {
        if (w < wildcard.size() && (wildcard[w] == '?' || lower(wildcard[w]) == lower(name[n]))) {
            ++n;
            ++w;
        } else if (w < wildcard.size() && wildcard[w] == '*') {
            starAt = w++;
            resumeAt = n;
        } else if (starAt != std::string_view::npos) {
            w = starAt + 1;
            n = ++resumeAt;
        } else {
            return false;
        }
    }
    while (w < wildcard.size() && wildcard[w] == '*')
        ++w;
    return w == wildcard.size();
}

template <typename Visit> void forEachWildcard(std::string_view pattern, Visit visit) {
    while (!pattern.empty()) {
        const auto end = pattern.find(';');
        std::string_view wildcard = pattern.substr(0, end);
        while (!wildcard.empty() && wildcard.front() == ' ')
            wildcard.remove_prefix(1);
        while (!wildcard.empty() && wildcard.back() == ' ')
            wildcard.remove_suffix(1);
        if (!wildcard.empty() && visit(wildcard))
            return;
        pattern = end == std::string_view::npos ? std::string_view{} : pattern.substr(end + 1);
    }
}

bool asksForPrograms(std::string_view pattern) {
    bool programs = false;
    forEachWildcard(pattern, [&](std::string_view wildcard) {
        programs = wildcard.size() == 5 && wildcardFits("*.exe", wildcard);
        return programs;
    });
    return programs;
}

bool isHidden(const std::filesystem::path& entry) {
    return entry.filename().string().starts_with('.');
}

bool lessIgnoringCase(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) < 0;
}

enum class Hidden { Left, Last };

// The entries of `folder` that `keep` accepts, by name; unreadable entries are skipped. Hidden
// entries are left out, or listed after the others.
template <typename Keep>
std::vector<std::filesystem::path> listFolder(const std::filesystem::path& folder, Keep keep,
                                              Hidden hidden = Hidden::Left) {
    std::vector<std::filesystem::path> found;
    std::error_code error;
    for (std::filesystem::directory_iterator it(folder, error), end; !error && it != end;
         it.increment(error)) {
        if ((hidden == Hidden::Last || !isHidden(it->path())) && keep(*it))
            found.push_back(it->path());
    }
    std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
        if (isHidden(a) != isHidden(b))
            return isHidden(b);
        return lessIgnoringCase(QString::fromStdString(a.filename().string()),
                                QString::fromStdString(b.filename().string()));
    });
    return found;
}

// How deep `root` reaches when it is `path` or one of its parent folders (compared component
// by component), else 0.
std::size_t heldDepth(const std::filesystem::path& root, const std::filesystem::path& path) {
    const auto rootEnd = std::mismatch(root.begin(), root.end(), path.begin(), path.end()).first;
    if (rootEnd != root.end() && !rootEnd->empty())
        return 0;
    return static_cast<std::size_t>(std::distance(root.begin(), root.end())) + 1;
}

QString shown(const std::filesystem::path& path) {
    return QString::fromStdString(path.string());
}

} // namespace

bool nameFitsPattern(std::string_view fileName, std::string_view pattern) {
    bool fits = false;
    forEachWildcard(pattern, [&](std::string_view wildcard) {
        fits = wildcard == "*.*" || wildcardFits(fileName, wildcard);
        return fits;
    });
    return fits;
}

bool fileListShows(const std::filesystem::path& file, std::string_view pattern) {
    if (nameFitsPattern(file.filename().string(), pattern))
        return true;
    return asksForPrograms(pattern) && fileExists(file) && isProgram(file);
}

DriveList::DriveList(QWidget* parent) : QComboBox(parent) {
    addDrive("/", QStringLiteral("/"));
    const std::filesystem::path home = QDir::homePath().toStdString();
    if (home != "/")
        addDrive(home, shown(home));
    addProgramPlaces(home);
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const std::filesystem::path root = volume.rootPath().toStdString();
        if (!volume.isValid() || !volume.isReady() || !volume.device().startsWith("/dev/") ||
            findData(shown(root)) >= 0)
            continue;
        const QString name = volume.displayName();
        addDrive(root,
                 name == shown(root) ? name : shown(root) + QStringLiteral(" [") + name + ']');
    }
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(drive()); });
}

// The folders where this desktop keeps programs and their desktop entries, where they exist.
void DriveList::addProgramPlaces(const std::filesystem::path& home) {
    std::vector<std::filesystem::path> places = platform::applicationFolders();
    places.push_back(home / ".local" / "bin");
    const std::string homeText = home.string() + '/';
    for (const auto& place : places) {
        std::error_code error;
        if (!std::filesystem::is_directory(place, error) || findData(shown(place)) >= 0)
            continue;
        std::string label = place.string();
        if (home != "/" && label.starts_with(homeText))
            label = "~/" + label.substr(homeText.size());
        addItem(placeIcon(QFileIconProvider::Folder), QString::fromStdString(label), shown(place));
    }
}

// The list that drops down shows every place whole, however narrow the box.
void DriveList::showPopup() {
    QComboBox::showPopup();
    int widest = 0;
    for (int i = 0; i < count(); ++i)
        widest = std::max(widest, view()->fontMetrics().horizontalAdvance(itemText(i)));
    QWidget* popup = view()->window();
    popup->resize(std::max(popup->width(), widest + iconSize().width() + 40), popup->height());
}

void DriveList::addDrive(const std::filesystem::path& root, const QString& label) {
    addItem(placeIcon(QFileIconProvider::Drive), label, shown(root));
}

std::filesystem::path DriveList::drive() const {
    return currentData().toString().toStdString();
}

std::vector<std::filesystem::path> DriveList::drives() const {
    std::vector<std::filesystem::path> all;
    for (int i = 0; i < count(); ++i)
        all.emplace_back(itemData(i).toString().toStdString());
    return all;
}

void DriveList::setDriveOf(const std::filesystem::path& path) {
    const std::filesystem::path wanted = path.lexically_normal();
    int best = -1;
    std::size_t bestDepth = 0;
    for (int i = 0; i < count(); ++i) {
        const std::filesystem::path root = itemData(i).toString().toStdString();
        const std::size_t depth = heldDepth(root.lexically_normal(), wanted);
        if (depth > bestDepth) {
            best = i;
            bestDepth = depth;
        }
    }
    if (best >= 0)
        setCurrentIndex(best);
}

FolderList::FolderList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemDoubleClicked, this,
            [this](QListWidgetItem* item) { setPath(entryPath(row(item))); });
    connect(this, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { emit folderClicked(entryPath(row(item))); });
}

void FolderList::keyPressEvent(QKeyEvent* event) {
    const bool opens = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (opens && currentRow() >= 0) {
        setPath(entryPath(currentRow()));
        return;
    }
    QListWidget::keyPressEvent(event);
}

bool FolderList::setPath(const std::filesystem::path& folder) {
    std::error_code error;
    if (folder.empty() || !std::filesystem::is_directory(folder, error))
        return false;
    const std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    std::filesystem::path normal = (error ? folder : absolute).lexically_normal();
    if (!normal.has_filename() && normal != normal.root_path())
        normal = normal.parent_path(); // "/a/b/" is the folder "/a/b"

    if (normal == path_)
        return true;
    path_ = normal;
    fill();
    emit pathChanged(path_);
    return true;
}

std::filesystem::path FolderList::entryPath(int row) const {
    const QListWidgetItem* entry = item(row);
    if (!entry)
        return {};
    return entry->data(Qt::UserRole).toString().toStdString();
}

void FolderList::fill() {
    clear();
    const QIcon closedFolder = placeIcon(QFileIconProvider::Folder);
    std::vector<std::filesystem::path> chain;
    for (std::filesystem::path p = path_; !p.empty(); p = p.parent_path()) {
        chain.push_back(p);
        if (p == p.root_path())
            break;
    }
    std::reverse(chain.begin(), chain.end());
    int depth = 0;
    const auto add = [&](const std::filesystem::path& p, int indent) {
        const QString name = p == p.root_path() ? shown(p) : shown(p.filename());
        auto* entry = new QListWidgetItem(closedFolder, QString(indent * 2, ' ') + name, this);
        entry->setData(Qt::UserRole, shown(p));
    };
    for (const auto& p : chain)
        add(p, depth++);
    setCurrentRow(depth - 1);
    // Hidden folders come last: ~/.local/bin and ~/.local/share/applications hold programs.
    const auto subfolders = listFolder(
        path_,
        [](const std::filesystem::directory_entry& e) {
            std::error_code error;
            return e.is_directory(error);
        },
        Hidden::Last);
    for (const auto& p : subfolders)
        add(p, depth);
}

FileList::FileList(QWidget* parent) : QListWidget(parent) {
    connect(this, &QListWidget::itemClicked, this, [this] { emit fileClicked(); });
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { emit fileDoubleClicked(); });
}

void FileList::keyPressEvent(QKeyEvent* event) {
    QListWidgetItem* before = currentItem();
    QListWidget::keyPressEvent(event);
    if (currentItem() && currentItem() != before)
        emit fileClicked();
}

QString FileList::selectedName() const {
    const QListWidgetItem* entry = currentItem();
    return entry && entry->isSelected() ? entry->text() : QString();
}

void FileList::setPath(const std::filesystem::path& folder) {
    path_ = folder;
    refresh();
}

void FileList::setPattern(const QString& pattern) {
    if (pattern == pattern_)
        return;
    pattern_ = pattern;
    refresh();
}

void FileList::refresh() {
    const QString selected = currentItem() ? currentItem()->text() : QString();
    clear();
    if (path_.empty())
        return;
    const std::string pattern = pattern_.toStdString();
    const auto files = listFolder(path_, [&](const std::filesystem::directory_entry& e) {
        std::error_code error;
        return e.is_regular_file(error) && fileListShows(e.path(), pattern);
    });
    for (const auto& file : files)
        addItem(shown(file.filename()));
    const auto kept = findItems(selected, Qt::MatchExactly);
    if (!selected.isEmpty() && !kept.isEmpty())
        setCurrentItem(kept.front());
}

QString FileList::fileName(int row) const {
    const QListWidgetItem* entry = item(row);
    return entry ? entry->text() : QString();
}

bool FileList::selectName(const QString& name) {
    const QString wanted = name.toLower();
    for (int row = 0; row < count(); ++row) {
        if (item(row)->text().toLower() == wanted) {
            setCurrentRow(row);
            return true;
        }
    }
    return false;
}

} // namespace ombrix
