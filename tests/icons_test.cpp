#include "platform/icons.h"
#include "tempfolder.h"

#include <QBuffer>
#include <QDir>
#include <QIcon>
#include <QImage>
#include <QImageWriter>
#include <QtEndian>

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/stat.h>

using ombrix::platform::keyIconImage;
using ombrix::platform::smallFileIcon;
namespace fs = std::filesystem;

namespace {

QImage solid(int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(colour);
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter(&buffer, format).write(image);
    return bytes;
}

// Qt writes one image per icon file; several are joined into one directory here.
std::string iconFile(const std::vector<QImage>& images) {
    QByteArray header(6, '\0');
    qToLittleEndian<quint16>(1, header.data() + 2);
    qToLittleEndian<quint16>(quint16(images.size()), header.data() + 4);
    QByteArray entries;
    QByteArray data;
    const quint32 firstOffset = 6 + 16 * quint32(images.size());
    for (const QImage& image : images) {
        const QByteArray single = encoded(image, "ico");
        QByteArray entry = single.mid(6, 16);
        const quint32 offset = qFromLittleEndian<quint32>(entry.constData() + 12);
        const quint32 length = qFromLittleEndian<quint32>(entry.constData() + 8);
        qToLittleEndian<quint32>(firstOffset + quint32(data.size()), entry.data() + 12);
        entries += entry;
        data += single.mid(offset, length);
    }
    return (header + entries + data).toStdString();
}

std::string pngFile(const QImage& image) {
    return encoded(image, "png").toStdString();
}

::testing::AssertionResult isSmallWithCentre(const QPixmap& pixmap, QColor expected) {
    if (pixmap.isNull())
        return ::testing::AssertionFailure() << "null pixmap";
    if (pixmap.size() != QSize(16, 16))
        return ::testing::AssertionFailure() << "size " << pixmap.width() << "x" << pixmap.height();
    const QColor centre = pixmap.toImage().pixelColor(8, 8);
    const bool near = qAbs(centre.red() - expected.red()) <= 2 &&
                      qAbs(centre.green() - expected.green()) <= 2 &&
                      qAbs(centre.blue() - expected.blue()) <= 2 && centre.alpha() >= 250;
    if (!near)
        return ::testing::AssertionFailure()
               << "centre " << centre.name(QColor::HexArgb).toStdString() << ", expected "
               << expected.name(QColor::HexArgb).toStdString();
    return ::testing::AssertionSuccess();
}

const QColor red(220, 30, 30);
const QColor green(30, 180, 60);
const QColor blue(30, 60, 220);
const QColor yellow(240, 210, 20);

// ---- which stored image of an icon file is shown ----

struct IconChoice {
    const char* name;
    std::vector<QImage> images;
    QColor expected;
};

class IconFileImage : public testing::TestWithParam<IconChoice> {};

TEST_P(IconFileImage, ShowsTheImageNearestSixteen) {
    TempFolder folder;
    const auto file = folder.write("icon3.ico", iconFile(GetParam().images));
    EXPECT_TRUE(isSmallWithCentre(smallFileIcon(file), GetParam().expected));
    EXPECT_TRUE(isSmallWithCentre(keyIconImage(file), GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Icons, IconFileImage,
    testing::Values(IconChoice{"ExactSizeAmongOthers",
                               {solid(48, 48, red), solid(16, 16, blue), solid(32, 32, green)},
                               blue},
                    IconChoice{"LargerWinsATie",
                               {solid(8, 8, yellow), solid(24, 24, green), solid(64, 64, red)},
                               green},
                    IconChoice{"OnlyALargeOneIsScaledDown", {solid(32, 32, red)}, red},
                    IconChoice{"OnlyASmallOneIsScaledUp", {solid(8, 8, yellow)}, yellow}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IconFileImage, WideImageIsCentredOnAClearBackground) {
    TempFolder folder;
    const auto file = folder.write("wide.ico", iconFile({solid(32, 16, green)}));
    const QPixmap pixmap = smallFileIcon(file);
    EXPECT_TRUE(isSmallWithCentre(pixmap, green));
    EXPECT_EQ(pixmap.toImage().pixelColor(8, 0).alpha(), 0) << "the band above stays clear";
}

TEST(IconFileImage, UpperCaseSuffixFromOldKeyTablesIsAnIconFile) {
    TempFolder folder;
    const auto file = folder.write("OLD.ICO", iconFile({solid(16, 16, red)}));
    EXPECT_TRUE(isSmallWithCentre(smallFileIcon(file), red));
}

TEST(IconFileImage, UnreadableIconFileGivesNoKeyImage) {
    TempFolder folder;
    EXPECT_TRUE(keyIconImage(folder.write("broken.ico", "not an icon")).isNull());
    EXPECT_TRUE(keyIconImage(folder / "missing.ico").isNull());
}

TEST(IconFileImage, GeneratedDecorationIconsRead) {
    for (const char* name : {"key1.ico", "key2.ico"}) {
        const QPixmap pixmap = keyIconImage(fs::path(PROGRAM_DIR) / name);
        ASSERT_FALSE(pixmap.isNull()) << name;
        EXPECT_EQ(pixmap.size(), QSize(16, 16)) << name;
        EXPECT_EQ(pixmap.toImage().pixelColor(0, 0).alpha(), 0) << name << ": corner is clear";
    }
    EXPECT_NE(keyIconImage(fs::path(PROGRAM_DIR) / "key1.ico").toImage(),
              keyIconImage(fs::path(PROGRAM_DIR) / "key2.ico").toImage());
}

// ---- what is not a file gives nothing ----

TEST(SmallFileIcon, NothingForMissingFilesAndFolders) {
    TempFolder folder;
    EXPECT_TRUE(smallFileIcon(folder / "missing.exe").isNull());
    EXPECT_TRUE(smallFileIcon(folder / "missing.ico").isNull());
    EXPECT_TRUE(smallFileIcon(folder / "missing.desktop").isNull());
    EXPECT_TRUE(smallFileIcon(folder.path()).isNull());
    fs::create_directory(folder / "looks.ico");
    EXPECT_TRUE(smallFileIcon(folder / "looks.ico").isNull());
}

TEST(SmallFileIcon, OrdinaryFilesShowTheProvidersIcon) {
    TempFolder folder;
    const auto program = folder.write("tool", "#!/bin/sh\n");
    ::chmod(program.c_str(), 0755);
    const QPixmap pixmap = smallFileIcon(program);
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_EQ(pixmap.size(), QSize(16, 16));
    EXPECT_FALSE(smallFileIcon(folder.write("notes.txt", "text")).isNull());
}

// ---- desktop entries ----

struct EntryCase {
    const char* name;
    const char* text; // "%1" stands for the folder holding the pictures written below
    QColor expected;
};

class DesktopEntryIcon : public testing::TestWithParam<EntryCase> {};

TEST_P(DesktopEntryIcon, ShowsTheImageItsIconKeyNames) {
    TempFolder folder;
    folder.write("red.png", pngFile(solid(16, 16, red)));
    folder.write("blue.png", pngFile(solid(48, 48, blue)));
    QImage palette(16, 16, QImage::Format_Indexed8);
    palette.setColorTable({green.rgb()});
    palette.fill(0);
    folder.write("palette.png", pngFile(palette));
    folder.write("deep.png", pngFile(solid(16, 16, yellow).convertToFormat(QImage::Format_RGBA64)));
    const QString text =
        QString::fromUtf8(GetParam().text).arg(QString::fromStdString(folder.path().string()));
    const auto entry = folder.write("app.desktop", text.toStdString());
    EXPECT_TRUE(isSmallWithCentre(smallFileIcon(entry), GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Icons, DesktopEntryIcon,
    testing::Values(
        EntryCase{"AbsolutePath", "[Desktop Entry]\nType=Application\nIcon=%1/red.png\n", red},
        EntryCase{"LargeImageScaled", "[Desktop Entry]\nIcon=%1/blue.png\nExec=x\n", blue},
        EntryCase{"PalettePicture", "[Desktop Entry]\nIcon=%1/palette.png\n", green},
        EntryCase{"SixteenBitsPerChannel", "[Desktop Entry]\nIcon=%1/deep.png\n", yellow},
        EntryCase{"BlanksAroundTheEqualsSign", "[Desktop Entry]\nIcon = %1/blue.png \n", blue},
        EntryCase{"TranslatedKeysIgnored",
                  "[Desktop Entry]\nIcon[de]=%1/red.png\nIcon=%1/blue.png\n", blue},
        EntryCase{"OnlyTheMainGroupCounts",
                  "# Icon=%1/red.png\n[Desktop Entry]\nName=x\nIcon=%1/blue.png\n"
                  "[Desktop Action second]\nIcon=%1/red.png\n",
                  blue}),
    [](const auto& info) { return std::string(info.param.name); });

// The icon of an entry whose picture cannot be found: the one every plain entry gets.
QImage fallbackEntryIcon(const TempFolder& folder) {
    return smallFileIcon(folder.write("none.desktop", "[Desktop Entry]\nName=none\n")).toImage();
}

TEST(DesktopEntryIconFallback, UnresolvableIconFallsBackToTheProvider) {
    TempFolder folder;
    const QImage fallback = fallbackEntryIcon(folder);
    ASSERT_FALSE(fallback.isNull());
    for (const char* icon : {"/no/such/picture.png", "no-such-icon-name-ombrix"}) {
        const auto entry =
            folder.write("app.desktop", std::string("[Desktop Entry]\nIcon=") + icon + "\n");
        EXPECT_EQ(smallFileIcon(entry).toImage(), fallback) << icon;
    }
}

// A name that no theme holds is looked for in ~/.icons and each $XDG_DATA_DIRS/icons.
TEST(DesktopEntryIconFallback, UnthemedNameIsFoundInTheIconBaseFolders) {
    TempFolder folder;
    folder.write("home/.icons/ombrix-home-icon.png", pngFile(solid(16, 16, red)));
    folder.write("data/icons/ombrix-data-icon.png", pngFile(solid(16, 16, blue)));
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    const char* dataDirs = std::getenv("XDG_DATA_DIRS");
    const std::string savedDataDirs = dataDirs ? dataDirs : "";
    ::setenv("HOME", (folder / "home").c_str(), 1);
    ::setenv("XDG_DATA_DIRS", (folder.path().string() + "/data:/usr/share").c_str(), 1);
    const QPixmap fromHome = smallFileIcon(
        folder.write("h.desktop", "[Desktop Entry]\nName=h\nIcon=ombrix-home-icon\n"));
    const QPixmap fromData = smallFileIcon(
        folder.write("d.desktop", "[Desktop Entry]\nName=d\nIcon=ombrix-data-icon\n"));
    ::setenv("HOME", home.c_str(), 1);
    if (dataDirs)
        ::setenv("XDG_DATA_DIRS", savedDataDirs.c_str(), 1);
    else
        ::unsetenv("XDG_DATA_DIRS");
    EXPECT_TRUE(isSmallWithCentre(fromHome, red));
    EXPECT_TRUE(isSmallWithCentre(fromData, blue));
}

// A theme that inherits another finds its pictures there, even when its first group is longer
// than the part of the index read at first.
TEST(DesktopEntryIconFallback, ThemeNameIsFoundInAnInheritedTheme) {
    TempFolder folder;
    folder.write("themes/ombrix-child/index.theme",
                 "[Icon Theme]\nName=child\nComment=" + std::string(20000, 'x') +
                     "\nInherits=ombrix-parent\nDirectories=16x16/apps\n\n[16x16/apps]\n"
                     "Size=16\nType=Fixed\n");
    folder.write("themes/ombrix-parent/index.theme",
                 "[Icon Theme]\nName=parent\nDirectories=16x16/apps\n\n[16x16/apps]\n"
                 "Size=16\nType=Fixed\n");
    folder.write("themes/ombrix-parent/16x16/apps/ombrix-inherited-icon.png",
                 pngFile(solid(16, 16, green)));
    const QStringList savedPaths = QIcon::themeSearchPaths();
    const QString savedTheme = QIcon::themeName();
    QIcon::setThemeSearchPaths(QStringList{QString::fromStdString((folder / "themes").string())} +
                               savedPaths);
    QIcon::setThemeName(QStringLiteral("ombrix-child"));
    const QPixmap pixmap = smallFileIcon(
        folder.write("i.desktop", "[Desktop Entry]\nName=i\nIcon=ombrix-inherited-icon\n"));
    QIcon::setThemeSearchPaths(savedPaths);
    QIcon::setThemeName(savedTheme);
    EXPECT_TRUE(isSmallWithCentre(pixmap, green));
}

TEST(DesktopEntryIconFallback, ThemeNameIsFoundInTheInstalledTheme) {
    if (!QDir(QStringLiteral("/usr/share/icons/Adwaita")).exists())
        GTEST_SKIP() << "\n*** adwaita-icon-theme is NOT installed: theme-name icons of desktop "
                        "entries are untested. Install it with the project's setup script. ***";
    TempFolder folder;
    const auto entry =
        folder.write("term.desktop", "[Desktop Entry]\nName=T\nIcon=utilities-terminal\n");
    const QPixmap pixmap = smallFileIcon(entry);
    ASSERT_FALSE(pixmap.isNull());
    EXPECT_EQ(pixmap.size(), QSize(16, 16));
    EXPECT_NE(pixmap.toImage(), fallbackEntryIcon(folder)) << "the theme lookup found nothing";
}

} // namespace

// The setup program rewrites icon files and exchanges their names while it runs; a picture
// already shown once must never stand in for the file that now has that name.
TEST(SmallFileIcon, AChangedOrRenamedFileIsReadAgain) {
    TempFolder folder;
    const auto five = folder.write("icons/icon5.ico", iconFile({solid(16, 16, red)}));
    const auto seven = folder.write("icons/icon7.ico", iconFile({solid(16, 16, green)}));
    EXPECT_TRUE(isSmallWithCentre(smallFileIcon(five), red));
    EXPECT_TRUE(isSmallWithCentre(smallFileIcon(seven), green));

    std::filesystem::rename(five, folder / "icons/icon1000.ico");
    std::filesystem::rename(seven, five);
    std::filesystem::rename(folder / "icons/icon1000.ico", seven);
    EXPECT_TRUE(isSmallWithCentre(smallFileIcon(five), green));
    EXPECT_TRUE(isSmallWithCentre(smallFileIcon(seven), red));

    folder.write("icons/icon5.ico", iconFile({solid(16, 16, blue)}));
    EXPECT_TRUE(isSmallWithCentre(smallFileIcon(five), blue));
}
