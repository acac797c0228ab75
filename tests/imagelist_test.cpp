#include "tempfolder.h"
#include "tune/imagelist.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <set>
#include <string>

using ombrix::ImageList;
using ombrix::imageListSize;
using ombrix::shutdownImage;
namespace fs = std::filesystem;

namespace {

constexpr int pictureSize = 32;

// Inside every tile's flat band, clear of the glyph in the middle.
constexpr QPoint tileSample(3, 16);
// The shut-down picture's tile, kept for it alone.
const QColor shutdownRed(0xc6, 0x28, 0x28);

const fs::path programFolder = PROGRAM_DIR;

QImage pictureImage(const ImageList& list, int n) {
    return list.image(n).toImage().convertToFormat(QImage::Format_ARGB32);
}

double distance(QColor a, QColor b) {
    const double red = a.red() - b.red();
    const double green = a.green() - b.green();
    const double blue = a.blue() - b.blue();
    return std::sqrt(red * red + green * green + blue * blue);
}

QColor tileColour(const QImage& picture) {
    return picture.pixelColor(tileSample);
}

// Pixels of the glyph area that stand out from the tile: a picture without a glyph has none.
int glyphPixels(const QImage& picture) {
    const QColor tile = tileColour(picture);
    int count = 0;
    for (int y = 6; y < 26; ++y)
        for (int x = 6; x < 26; ++x)
            if (distance(picture.pixelColor(x, y), tile) > 80)
                ++count;
    return count;
}

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return bytes;
}

// A strip whose picture n is filled with a colour that encodes n.
QImage numberedStrip(int width, int height) {
    QImage strip(width, height, QImage::Format_ARGB32);
    for (int x = 0; x < width; ++x) {
        const int n = x / pictureSize + 1;
        for (int y = 0; y < height; ++y)
            strip.setPixel(x, y, qRgb(n, 255 - n, 7));
    }
    return strip;
}

// ---- The pictures made by the build

class BuiltImageList : public ::testing::Test {
protected:
    ImageList list{programFolder};
};

TEST_F(BuiltImageList, StripHoldsAllPicturesSideBySide) {
    const QImage strip(QString::fromStdString((programFolder / "imagelist.png").string()));
    EXPECT_EQ(strip.width(), pictureSize * imageListSize);
    EXPECT_EQ(strip.height(), pictureSize);
    EXPECT_EQ(list.count(), imageListSize);
}

TEST_F(BuiltImageList, EveryPictureIsATileWithAGlyph) {
    for (int n = 1; n <= imageListSize; ++n) {
        SCOPED_TRACE("picture " + std::to_string(n));
        const QImage picture = pictureImage(list, n);
        ASSERT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), QSize(pictureSize, pictureSize));
        EXPECT_EQ(tileColour(picture).alpha(), 255);
        EXPECT_GE(glyphPixels(picture), 25);
    }
}

TEST_F(BuiltImageList, NoTwoPicturesAreAlike) {
    std::set<QByteArray> seen;
    for (int n = 1; n <= imageListSize; ++n) {
        const QImage picture = pictureImage(list, n);
        const QByteArray pixels(reinterpret_cast<const char*>(picture.constBits()),
                                picture.sizeInBytes());
        EXPECT_TRUE(seen.insert(pixels).second) << "picture " << n << " repeats an earlier one";
    }
}

// Scrolling through the list must show a change of colour at every step.
TEST_F(BuiltImageList, NeighboursHaveClearlyDifferentTiles) {
    for (int n = 1; n < imageListSize; ++n) {
        const QColor here = tileColour(pictureImage(list, n));
        const QColor next = tileColour(pictureImage(list, n + 1));
        EXPECT_GE(distance(here, next), 60)
            << "pictures " << n << " and " << n + 1 << ": " << qPrintable(here.name()) << " and "
            << qPrintable(next.name());
    }
}

TEST_F(BuiltImageList, OnlyTheShutDownPictureIsOnTheRedTile) {
    for (int n = 1; n <= imageListSize; ++n) {
        const QColor tile = tileColour(pictureImage(list, n));
        const bool red = distance(tile, shutdownRed) < 12;
        EXPECT_EQ(red, n == shutdownImage) << "picture " << n << ": " << qPrintable(tile.name());
    }
}

// ---- Numbers outside the list

class NumberOutsideList : public ::testing::TestWithParam<int> {};

TEST_P(NumberOutsideList, GivesNullPicture) {
    const ImageList list(programFolder);
    EXPECT_TRUE(list.image(GetParam()).isNull());
    EXPECT_FALSE(list.image(1).isNull()); // the list itself is there
}

INSTANTIATE_TEST_SUITE_P(ImageList, NumberOutsideList,
                         ::testing::Values(0, -1, imageListSize + 1, 999, INT_MIN, INT_MAX));

// ---- Strip files that cannot serve the whole list

std::string fullStrip() {
    return pngBytes(numberedStrip(pictureSize * imageListSize, pictureSize)).toStdString();
}

struct BadStrip {
    const char* name;
    std::string (*bytes)(); // null: no file at all
};

class UnusableStrip : public ::testing::TestWithParam<BadStrip> {};

TEST_P(UnusableStrip, GivesNullForEveryNumber) {
    TempFolder folder;
    if (GetParam().bytes)
        folder.write("imagelist.png", GetParam().bytes());
    const ImageList list(folder.path());
    for (int n : {1, shutdownImage, imageListSize})
        EXPECT_TRUE(list.image(n).isNull()) << "picture " << n;
    EXPECT_EQ(list.count(), imageListSize);
}

INSTANTIATE_TEST_SUITE_P(
    ImageList, UnusableStrip,
    ::testing::Values(BadStrip{"Missing", nullptr},
                      BadStrip{"OnePictureShort",
                               [] {
                                   const QImage strip = numberedStrip(
                                       pictureSize * (imageListSize - 1), pictureSize);
                                   return pngBytes(strip).toStdString();
                               }},
                      BadStrip{"TooLow",
                               [] {
                                   const QImage strip =
                                       numberedStrip(pictureSize * imageListSize, 16);
                                   return pngBytes(strip).toStdString();
                               }},
                      BadStrip{"NotAPicture",
                               [] { return std::string("imagelist, but not a PNG"); }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ImageList, MissingFolderGivesNullPictures) {
    const ImageList list(fs::path("/nonexistent/ombrix/folder"));
    EXPECT_TRUE(list.image(1).isNull());
    EXPECT_TRUE(list.image(shutdownImage).isNull());
}

// ---- Slicing and loading

TEST(ImageList, PictureNIsTheNthSquareOfTheStrip) {
    TempFolder folder;
    folder.write("imagelist.png", fullStrip());
    const ImageList list(folder.path());
    for (int n = 1; n <= imageListSize; ++n) {
        const QImage picture = pictureImage(list, n);
        ASSERT_EQ(picture.size(), QSize(pictureSize, pictureSize)) << "picture " << n;
        EXPECT_EQ(picture.pixel(0, 0), qRgb(n, 255 - n, 7)) << "picture " << n;
        EXPECT_EQ(picture.pixel(pictureSize - 1, pictureSize - 1), qRgb(n, 255 - n, 7))
            << "picture " << n;
    }
}

// The file is read when a picture is first asked for, and only then.
TEST(ImageList, ReadsTheFileOnceOnFirstRequest) {
    TempFolder folder;
    const ImageList list(folder.path());
    const fs::path file = folder.write("imagelist.png", fullStrip());
    ASSERT_FALSE(list.image(1).isNull()); // the file came after construction
    fs::remove(file);
    EXPECT_FALSE(list.image(imageListSize).isNull());
}

} // namespace
