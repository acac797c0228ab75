#include "platform/icons.h"
#include "platform/keypicturecache.h"
#include "tempfolder.h"

#include <QBuffer>
#include <QIcon>
#include <QImage>
#include <QImageWriter>
#include <QPixmapCache>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>

using ombrix::platform::iconThemesStamp;
using ombrix::platform::KeyPictureCache;
using ombrix::platform::renderSmallFileIcon;
namespace fs = std::filesystem;

namespace {

const QColor red(220, 30, 30);
const QColor green(30, 180, 60);
const QColor blue(30, 60, 220);

std::string encoded(QColor colour, const char* format, int side = 16) {
    QImage image(side, side, QImage::Format_ARGB32);
    image.fill(colour);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes.toStdString();
}

// Rewrites a file where it is, as an editor does: the folder that holds it keeps its time.
void rewriteInPlace(const fs::path& file, const std::string& bytes) {
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes;
}

enum class Source { themeIcon, iconFile };
enum class Between {
    nothing,
    newIconContents,
    anotherTheme,
    iconAddedToTheme, // and the theme's icon cache made again, when it has one
    damagedCache,
    truncatedCache
};

struct Row {
    const char* name;
    Source source;
    Between between;
    bool cacheWritable;
    QColor shownAfter;           // on the next start
    int rendersAfter;            // pictures made afresh by the next start
    bool settled = false;        // the files last modified an hour before the first start
    bool themeIconCache = false; // the current theme has an icon cache
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

// Two icon themes that both hold "ombrix-test-key" in their second folder, a desktop entry
// showing it, and a key icon file; the current theme is "first". The themes' state is put
// back afterwards.
class KeyPictureCacheTest : public ::testing::TestWithParam<Row> {
protected:
    void SetUp() override {
        savedPaths_ = QIcon::themeSearchPaths();
        savedTheme_ = QIcon::themeName();
        for (const auto& [theme, colour] : {std::pair{"first", red}, std::pair{"second", blue}}) {
            folder_.write(std::string("themes/") + theme + "/index.theme",
                          std::string("[Icon Theme]\nName=") + theme +
                              "\nDirectories=16x16/places,16x16/apps\n\n[16x16/places]\nSize=16\n"
                              "Type=Fixed\n\n[16x16/apps]\nSize=16\nType=Fixed\n");
            fs::create_directories(folder_ / "themes" / theme / "16x16/places");
            folder_.write(std::string("themes/") + theme + "/16x16/apps/ombrix-test-key.png",
                          encoded(colour, "png"));
        }
        QIcon::setThemeSearchPaths(
            QStringList{QString::fromStdString((folder_ / "themes").string())} + savedPaths_);
        QIcon::setThemeName(QStringLiteral("first"));
        entry_ = folder_.write("program.desktop", "[Desktop Entry]\nIcon=ombrix-test-key\n");
        icon_ = folder_.write("icons/icon0.ico", encoded(red, "ico"));
    }
    void TearDown() override {
        QIcon::setThemeSearchPaths(savedPaths_);
        QIcon::setThemeName(savedTheme_);
    }

    // One start of a program: a cache of its own over the same file; Qt's own picture caches
    // (icons by name, pixmaps by file) and the index of the themes' files are emptied as a new
    // process finds them.
    QImage start(const fs::path& cacheFile, const fs::path& source, int& renders, bool& saved,
                 double scale = 1.0) {
        QPixmapCache::clear();
        QIcon::setThemeSearchPaths(QIcon::themeSearchPaths());
        ombrix::platform::forgetIconThemes();
        KeyPictureCache cache(cacheFile, renderSmallFileIcon, iconThemesStamp);
        const QImage picture = cache.picture(source, scale);
        saved = cache.save();
        renders = cache.renders();
        return picture;
    }

    fs::path themeIcon() const { return folder_ / "themes/first/16x16/apps/ombrix-test-key.png"; }

    TempFolder folder_;
    fs::path entry_;
    fs::path icon_;
    QStringList savedPaths_;
    QString savedTheme_;
};

::testing::AssertionResult shows(const QImage& picture, QColor expected, int side = 16) {
    if (picture.size() != QSize(side, side))
        return ::testing::AssertionFailure()
               << "size " << picture.width() << "x" << picture.height();
    const QColor centre = picture.pixelColor(side / 2, side / 2);
    if (qAbs(centre.red() - expected.red()) > 2 || qAbs(centre.green() - expected.green()) > 2 ||
        qAbs(centre.blue() - expected.blue()) > 2)
        return ::testing::AssertionFailure() << "centre " << centre.name().toStdString();
    return ::testing::AssertionSuccess();
}

TEST_P(KeyPictureCacheTest, NextStartShowsTheCurrentPicture) {
    const Row& row = GetParam();
    // An unwritable cache: its folder's place is taken by a file.
    const fs::path cacheFile = row.cacheWritable
                                   ? folder_ / "cache/Ombrix/keypictures.cache"
                                   : folder_.write("blocked", "") / "keypictures.cache";
    const fs::path source = row.source == Source::themeIcon ? entry_ : icon_;
    int renders = 0;
    bool saved = false;
    if (row.themeIconCache) {
        // As the desktop's icon cache tool leaves it: the cache as new as the theme's folder.
        const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
        fs::last_write_time(folder_.write("themes/first/icon-theme.cache", "cache"), anHourAgo);
        fs::last_write_time(folder_ / "themes/first", anHourAgo);
    }
    if (row.settled) {
        const auto anHourAgo = fs::file_time_type::clock::now() - std::chrono::hours(1);
        for (const fs::path& file : {entry_, icon_, themeIcon()})
            fs::last_write_time(file, anHourAgo);
    }
    ASSERT_TRUE(shows(start(cacheFile, source, renders, saved), red));
    EXPECT_EQ(renders, 1);
    EXPECT_EQ(saved, row.cacheWritable);

    switch (row.between) {
    case Between::nothing:
        break;
    case Between::newIconContents:
        rewriteInPlace(row.source == Source::themeIcon ? themeIcon() : icon_,
                       encoded(green, row.source == Source::themeIcon ? "png" : "ico"));
        break;
    case Between::anotherTheme:
        QIcon::setThemeName(QStringLiteral("second"));
        break;
    case Between::iconAddedToTheme:
        // In a folder the theme lists first, so that it is found before the picture shown.
        folder_.write("themes/first/16x16/places/ombrix-test-key.png", encoded(green, "png"));
        if (row.themeIconCache)
            rewriteInPlace(folder_ / "themes/first/icon-theme.cache", "cache, made again");
        break;
    case Between::damagedCache: {
        std::fstream cache(cacheFile, std::ios::in | std::ios::out | std::ios::binary);
        cache.seekp(static_cast<std::streamoff>(fs::file_size(cacheFile) / 2));
        cache.put('\x5A');
        break;
    }
    case Between::truncatedCache:
        fs::resize_file(cacheFile, fs::file_size(cacheFile) - 9);
        break;
    }

    EXPECT_TRUE(shows(start(cacheFile, source, renders, saved), row.shownAfter));
    EXPECT_EQ(renders, row.rendersAfter);
    EXPECT_EQ(saved, row.cacheWritable);
}

// The theme's first also holds the picture at 32 x 32, in green: a screen of scale 2 shows
// that one pixel for pixel, a screen of scale 1.25 (20 pixels) the larger one made smaller
// rather than the 16-pixel one enlarged, and each scale keeps its own picture in the cache.
TEST_F(KeyPictureCacheTest, EachScaleGetsThePictureDrawnForItsPixels) {
    folder_.write("themes/first/index.theme",
                  "[Icon Theme]\nName=first\nDirectories=16x16/places,16x16/apps,32x32/apps\n\n"
                  "[16x16/places]\nSize=16\nType=Fixed\n\n[16x16/apps]\nSize=16\nType=Fixed\n\n"
                  "[32x32/apps]\nSize=32\nType=Fixed\n");
    folder_.write("themes/first/32x32/apps/ombrix-test-key.png", encoded(green, "png", 32));
    const fs::path cacheFile = folder_ / "cache/keypictures.cache";
    int renders = 0;
    bool saved = false;
    EXPECT_TRUE(shows(start(cacheFile, entry_, renders, saved, 2.0), green, 32));
    EXPECT_EQ(renders, 1);
    EXPECT_TRUE(shows(start(cacheFile, entry_, renders, saved, 2.0), green, 32));
    EXPECT_EQ(renders, 0) << "a warm start at scale 2 reads the cache";
    EXPECT_TRUE(shows(start(cacheFile, entry_, renders, saved, 1.0), red, 16));
    EXPECT_EQ(renders, 1) << "another scale gets a picture of its own";
    EXPECT_TRUE(shows(start(cacheFile, entry_, renders, saved, 1.25), green, 20));
    EXPECT_EQ(renders, 1);
    EXPECT_TRUE(shows(start(cacheFile, entry_, renders, saved, 2.0), green, 32));
    EXPECT_EQ(renders, 0) << "the pictures of other scales are kept";
}

INSTANTIATE_TEST_SUITE_P(
    Icons, KeyPictureCacheTest,
    ::testing::Values(
        Row{"UnchangedThemeIconIsReadFromTheCache", Source::themeIcon, Between::nothing, true, red,
            0},
        Row{"UnchangedIconFileIsReadFromTheCache", Source::iconFile, Between::nothing, true, red,
            0},
        Row{"ThemeIconWithNewContents", Source::themeIcon, Between::newIconContents, true, green,
            1},
        Row{"IconFileWithNewContents", Source::iconFile, Between::newIconContents, true, green, 1},
        Row{"AnotherTheme", Source::themeIcon, Between::anotherTheme, true, blue, 1},
        Row{"IconAddedToTheTheme", Source::themeIcon, Between::iconAddedToTheme, true, green, 1},
        Row{"IconAddedToTheThemeAndItsIconCache", Source::themeIcon, Between::iconAddedToTheme,
            true, green, 1, false, true},
        Row{"DamagedCache", Source::themeIcon, Between::damagedCache, true, red, 1},
        Row{"TruncatedCache", Source::themeIcon, Between::truncatedCache, true, red, 1},
        Row{"CacheThatCannotBeWritten", Source::themeIcon, Between::nothing, false, red, 1},
        // Files modified long ago are known by one stat each; a rewrite still shows.
        Row{"SettledThemeIconIsReadFromTheCache", Source::themeIcon, Between::nothing, true, red, 0,
            true},
        Row{"SettledThemeIconWithNewContents", Source::themeIcon, Between::newIconContents, true,
            green, 1, true},
        Row{"SettledIconFileWithNewContents", Source::iconFile, Between::newIconContents, true,
            green, 1, true}),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
