#pragma once

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace ombrix::platform {

// A rendered key picture and what it was made from besides its source file.
struct RenderedPicture {
    QImage picture;                               // null when the file has no picture
    bool fromTheme = false;                       // depends on the icon themes' state
    std::vector<std::filesystem::path> readFiles; // other files whose pictures were read
};

// The key pictures of earlier starts, kept in one file per user, so that a key whose picture
// comes from the icon theme costs a small file read instead of a theme lookup and an SVG
// render. An entry is used only while everything it was made from is unchanged:
//  - the source file and the other files it read (the icon file a desktop entry names, in a
//    theme or by its path): their identity and times, one stat each; a small file changed
//    too recently for its times to show a later change at the same size, by its contents;
//  - for a picture from the icon theme, the themes' stamp (iconThemesStamp), computed once
//    and only when such an entry is met;
//  - the picture's size in device pixels: a key picture is 16 logical pixels square, drawn for
//    the screen's scale s from round(16 s) device pixels, and the cache keeps one picture per
//    file and size, so that a start on a screen of scale 2 reads its 32 x 32 pictures as a
//    start at scale 1 reads its 16 x 16 ones;
//  - the cache's format, recorded in the file's header.
// A cache file that is missing, unreadable, of another format or corrupt in any byte is
// treated as empty; one that cannot be written leaves every picture right, only slower.
class KeyPictureCache {
public:
    // Renders the picture of a file `side` device pixels square.
    using Render = std::function<RenderedPicture(const std::filesystem::path&, int side)>;
    using ThemeStamp = std::function<std::string()>;

    // `file` is read at the first lookup; `render` makes a picture the cache cannot give;
    // `themeStamp` describes the icon themes as they are now.
    KeyPictureCache(std::filesystem::path file, Render render, ThemeStamp themeStamp);

    // The picture of a regular file for a screen of scale `scale`, sideAt(scale) device pixels
    // square, from the cache when it is still valid, else rendered and remembered; a null
    // picture for a path that names no regular file.
    QImage picture(const std::filesystem::path& source, double scale = 1.0);

    // Writes the cache atomically when it changed since the last save (a picture rendered, a
    // fingerprint brought up to date); pictures not asked for in this run are kept, the most
    // recent first, up to a bound. False when the file could not be written (then the old one
    // stays as it was).
    bool save();

    // True when the cache has changed since the last save.
    bool changed() const { return changed_; }
    // How many pictures were rendered rather than taken from the cache.
    int renders() const { return renders_; }

    static constexpr int pictureSize = 16; // logical pixels
    static constexpr int largestSide = 256;
    // The device pixels of a key picture's side on a screen of scale `scale`.
    static int sideAt(double scale);

    struct FileStamp {
        std::string path;
        std::string identity; // a fingerprint, as for the source
        bool operator==(const FileStamp&) const = default;
    };
    struct Entry {
        std::string fingerprint;      // of the source file
        std::uint64_t themeStamp = 0; // 0 when the picture does not come from the theme
        std::vector<FileStamp> readFiles;
        QImage picture;
        bool usedNow = false;
    };

private:
    void load();
    bool isValid(const std::filesystem::path& source, Entry& entry);
    std::uint64_t currentThemeStamp();

    std::filesystem::path file_;
    Render render_;
    ThemeStamp themeStamp_;
    using Key = std::pair<std::string, int>; // the source file and the picture's side
    std::map<Key, Entry> entries_;
    std::vector<Key> order_; // loaded entries, most recent first
    bool loaded_ = false;
    bool changed_ = false;
    int renders_ = 0;
    std::uint64_t themeStampNow_ = 0;
};

} // namespace ombrix::platform
