#pragma once

#include <QComboBox>
#include <QListWidget>

#include <filesystem>
#include <string_view>
#include <vector>

// The key editor's three lists for picking a key's program or document: the volumes, the
// folders of the chosen place, and the files of the chosen folder that fit a pattern. They
// only show and select; what a choice does to the key is up to the window that holds them.
namespace ombrix {

// True when `fileName` fits one of the ";"-separated wildcards of `pattern` ("*" any run, "?"
// any one character), in any letter case. "*.*" fits every name, with or without a dot. The
// empty pattern fits nothing.
bool nameFitsPattern(std::string_view fileName, std::string_view pattern);

// True when the file list shows `file` under `pattern`: its name fits, or the pattern asks
// for programs ("*.exe" among its wildcards) and the file is a program here: an executable
// regular file or a desktop entry.
bool fileListShows(const std::filesystem::path& file, std::string_view pattern);

// The places a key's target can live in: "/" first, then the home folder, then the folders
// where this desktop keeps programs and their desktop entries (the user's and the system's
// applications folders, ~/.local/bin) that exist, then every other mounted device. Choosing
// an entry emits driveChanged.
class DriveList : public QComboBox {
    Q_OBJECT

public:
    explicit DriveList(QWidget* parent = nullptr);

    std::filesystem::path drive() const;
    // Chooses the entry that holds `path`: the one whose folder is the longest leading part
    // of it. Every absolute path is held at least by "/".
    void setDriveOf(const std::filesystem::path& path);
    std::vector<std::filesystem::path> drives() const;

    void showPopup() override;

signals:
    void driveChanged(const std::filesystem::path& drive);

private:
    void addDrive(const std::filesystem::path& root, const QString& label);
    void addProgramPlaces(const std::filesystem::path& home);
};

// The folder being looked at: its parent folders from the root down to it, then its own
// subfolders, hidden ones last. A double click on an entry, or Return on the current one, makes
// it the folder (as setPath does); a single click only emits folderClicked.
class FolderList : public QListWidget {
    Q_OBJECT

public:
    explicit FolderList(QWidget* parent = nullptr);

    const std::filesystem::path& path() const { return path_; }
    // False, changing nothing, when `folder` is no folder that can be listed.
    bool setPath(const std::filesystem::path& folder);
    std::filesystem::path entryPath(int row) const;

signals:
    void pathChanged(const std::filesystem::path& folder);
    void folderClicked(const std::filesystem::path& folder);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void fill();

    std::filesystem::path path_;
};

// The files of one folder that the pattern lets through, sorted by name without regard to
// letter case; hidden files are left out. Selecting an entry from code emits no click; the
// user choosing one, by a mouse click or by moving the selection with the keys, does.
class FileList : public QListWidget {
    Q_OBJECT

public:
    explicit FileList(QWidget* parent = nullptr);

    const std::filesystem::path& path() const { return path_; }
    const QString& pattern() const { return pattern_; }
    // Both re-read the folder (a pattern only when it differs), keeping the selected file
    // selected while it is still listed.
    void setPath(const std::filesystem::path& folder);
    void setPattern(const QString& pattern);
    void refresh();

    QString fileName(int row) const;
    // Selects the first entry equal to `name` in lower case; false, leaving the selection as
    // it is, when there is none.
    bool selectName(const QString& name);
    // The name of the selected entry; empty when none is selected.
    QString selectedName() const;

signals:
    void fileClicked();
    // Follows the click of the double click's first press.
    void fileDoubleClicked();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    std::filesystem::path path_;
    QString pattern_;
};

} // namespace ombrix
