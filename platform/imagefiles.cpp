#include "platform/imagefiles.h"

#include "common/atomicfile.h"
#include "common/boundedread.h"
#include "platform/boundedfile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QImageIOHandler>
#include <QImageIOPlugin>
#include <QImageReader>
#include <QPainter>
#include <QPluginLoader>

#include <climits>
#include <cstdint>
#include <map>
#include <memory>
#include <png.h>
#include <string>
#include <string_view>

namespace ombrix::platform {

// Scales to fit side x side keeping proportions, smoothly both down and up; a picture that is
// not square sits centred.
QImage fitSmall(const QImage& image, int side) {
    if (image.isNull())
        return {};
    const QSize square(side, side);
    if (image.size() == square)
        return image;
    const QImage scaled = image.scaled(square, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage canvas(square, QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    painter.drawImage((side - scaled.width()) / 2, (side - scaled.height()) / 2, scaled);
    painter.end();
    return canvas;
}

namespace {

// Distance of a stored image's size from the side wanted; on a tie the larger image wins,
// since scaling down keeps detail that scaling up would have to invent.
int nearnessToSmall(const QSize& size, int wanted) {
    const int side = qMax(size.width(), size.height());
    return 2 * qAbs(side - wanted) + (side < wanted ? 1 : 0);
}

// Icon files hold several sizes; only the chosen one is decoded.
void jumpToImageNearestSmall(QImageReader& reader, int side) {
    const int count = reader.imageCount();
    int best = 0;
    int bestNearness = INT_MAX;
    for (int index = 0; index < count && reader.jumpToImage(index); ++index) {
        const QSize size = reader.size();
        if (size.isValid() && nearnessToSmall(size, side) < bestNearness) {
            bestNearness = nearnessToSmall(size, side);
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

int nearestSmallImage(QImageIOHandler& handler, int side) {
    const int count = handler.imageCount();
    int best = 0;
    int bestNearness = INT_MAX;
    for (int index = 0; index < count && handler.jumpToImage(index); ++index) {
        const QSize size = handler.option(QImageIOHandler::Size).toSize();
        if (size.isValid() && nearnessToSmall(size, side) < bestNearness) {
            bestNearness = nearnessToSmall(size, side);
            best = index;
        }
    }
    return best;
}

// A file's image nearest 16 x 16 through the plugin `library`, a scalable one rendered
// straight at that size; nothing when the plugin is not installed, so that the caller falls
// back to the general reader.
std::optional<QImage> pluginFileSmall(const QString& path, const QString& library,
                                      const QByteArray& format, int side) {
    QImageIOPlugin* plugin = formatPlugin(library);
    if (!plugin)
        return std::nullopt;
    BoundedFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QImage();
    const std::unique_ptr<QImageIOHandler> handler(plugin->create(&file, format));
    if (!handler)
        return QImage();
    handler->jumpToImage(nearestSmallImage(*handler, side));
    const QSize size = handler->option(QImageIOHandler::Size).toSize();
    if (size.isValid() && handler->supportsOption(QImageIOHandler::ScaledSize) &&
        qMax(size.width(), size.height()) > side)
        handler->setOption(QImageIOHandler::ScaledSize,
                           size.scaled(QSize(side, side), Qt::KeepAspectRatio));
    QImage image;
    if (!handler->read(&image))
        return QImage();
    return fitSmall(image, side);
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

} // namespace

std::optional<QImage> icoFileSmall(const QString& path, int side) {
    return pluginFileSmall(path, QStringLiteral("libqico.so"), "ico", side);
}

QImage imageFileSmall(const QString& path, int side, QByteArray format) {
    if (format.isEmpty()) {
        // Naming the format spares the reader probing every format plugin for each file; the
        // theme's scalable pictures go to the SVG reader alone.
        format = QFileInfo(path).suffix().toLower().toLatin1();
        if (format == "svg" || format == "svgz")
            if (auto picture = pluginFileSmall(path, QStringLiteral("libqsvg.so"), format, side))
                return *picture;
        if (format == "png")
            if (auto picture = pngFile(path))
                return fitSmall(*picture, side);
        if (format != "png" && format != "xpm")
            format.clear();
    }
    BoundedFile file(path);
    file.open(QIODevice::ReadOnly);
    QImageReader reader(&file, format);
    jumpToImageNearestSmall(reader, side);
    // Scalable and some compressed formats can render straight at the small size.
    const QSize size = reader.size();
    if (size.isValid() && reader.supportsOption(QImageIOHandler::ScaledSize) &&
        qMax(size.width(), size.height()) > side)
        reader.setScaledSize(size.scaled(QSize(side, side), Qt::KeepAspectRatio));
    return fitSmall(reader.read(), side);
}

} // namespace ombrix::platform
