// Draws the program folder's two decoration icons, key1.ico and key2.ico: a keyboard keycap
// seen from above, in 32 x 32 and 16 x 16 with alpha. key1 is a slate-blue cap with the
// home-row bar, key2 an amber cap with a return arrow. Usage: makeicons <program folder>
// (run on the offscreen platform: no display is needed).

#include <QBuffer>
#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QtEndian>

#include <cstdio>
#include <functional>
#include <vector>

namespace {

constexpr int iconDirSize = 6;
constexpr int iconEntrySize = 16;
constexpr qreal designSize = 32.0; // every shape is laid out on a 32-unit grid

struct CapColours {
    QColor skirt;
    QColor faceTop;
    QColor faceBottom;
    QColor outline;
    QColor symbol;
};

using SymbolPainter = std::function<void(QPainter&)>;

void drawCap(QPainter& painter, const CapColours& colours) {
    // The skirt: the cap's sides, seen as a darker border around the top face.
    painter.setPen(QPen(colours.outline, 0)); // cosmetic: one pixel at every size
    painter.setBrush(colours.skirt);
    painter.drawRoundedRect(QRectF(2.5, 2.5, 27, 27), 5.5, 5.5);

    // The top face sits a little high, the way a cap looks from a typist's seat.
    QLinearGradient face(0, 5, 0, 23);
    face.setColorAt(0, colours.faceTop);
    face.setColorAt(1, colours.faceBottom);
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(6, 4.5, 20, 19), 4, 4);
}

void drawHomeBar(QPainter& painter, const QColor& colour) {
    painter.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(12.5, 18.5), QPointF(19.5, 18.5));
}

void drawReturnArrow(QPainter& painter, const QColor& colour) {
    QPainterPath arrow;
    arrow.moveTo(21, 8.5);
    arrow.lineTo(21, 15);
    arrow.lineTo(11.5, 15);
    painter.setPen(QPen(colour, 2.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(arrow);
    QPainterPath head;
    head.moveTo(9.5, 15);
    head.lineTo(14, 11);
    head.lineTo(14, 19);
    head.closeSubpath();
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawPath(head);
}

QImage drawIcon(int size, const CapColours& colours, const SymbolPainter& symbol) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / designSize, size / designSize);
    drawCap(painter, colours);
    symbol(painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

// The ICO writer stores one image per call; a file holding several sizes is the writer's
// single-image files joined: one directory with every entry, then every image's data.
QByteArray singleImageIco(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "ico");
    if (!writer.write(image)) {
        std::fprintf(stderr, "makeicons: the ICO writer failed: %s\n",
                     qPrintable(writer.errorString()));
        return {};
    }
    return bytes;
}

struct IcoImage {
    QByteArray entry; // 16-byte directory entry
    QByteArray data;
};

bool splitSingleImageIco(const QByteArray& file, IcoImage& image) {
    if (file.size() < iconDirSize + iconEntrySize ||
        qFromLittleEndian<quint16>(file.constData() + 4) != 1)
        return false;
    image.entry = file.mid(iconDirSize, iconEntrySize);
    const auto offset = qFromLittleEndian<quint32>(image.entry.constData() + 12);
    const auto length = qFromLittleEndian<quint32>(image.entry.constData() + 8);
    if (offset + length > static_cast<quint32>(file.size()))
        return false;
    image.data = file.mid(offset, length);
    return true;
}

// Qt's writer leaves the padding at the end of each AND-mask row unset; zeroing it makes
// every build write the same bytes.
void clearMaskPadding(IcoImage& image) {
    constexpr int bitmapHeaderSize = 40;
    if (image.data.size() < bitmapHeaderSize ||
        qFromLittleEndian<quint32>(image.data.constData()) != bitmapHeaderSize)
        return; // not a bitmap entry
    const auto width = qFromLittleEndian<qint32>(image.data.constData() + 4);
    const auto height = qFromLittleEndian<qint32>(image.data.constData() + 8) / 2; // XOR + AND
    const int rowBytes = (width + 31) / 32 * 4;
    const int usedBytes = (width + 7) / 8;
    const qsizetype maskStart = bitmapHeaderSize + qsizetype(width) * height * 4;
    if (maskStart + qsizetype(rowBytes) * height > image.data.size())
        return;
    for (int row = 0; row < height; ++row)
        for (int byte = usedBytes; byte < rowBytes; ++byte)
            image.data[maskStart + row * rowBytes + byte] = '\0';
}

QByteArray joinIco(const std::vector<IcoImage>& images) {
    QByteArray out(iconDirSize, '\0');
    qToLittleEndian<quint16>(1, out.data() + 2); // type: icon
    qToLittleEndian<quint16>(static_cast<quint16>(images.size()), out.data() + 4);
    quint32 offset = iconDirSize + iconEntrySize * static_cast<quint32>(images.size());
    for (const IcoImage& image : images) {
        QByteArray entry = image.entry;
        qToLittleEndian<quint32>(offset, entry.data() + 12);
        out += entry;
        offset += static_cast<quint32>(image.data.size());
    }
    for (const IcoImage& image : images)
        out += image.data;
    return out;
}

// Reading the file back proves it holds both sizes with their alpha.
bool verifyIco(const QString& path) {
    QImageReader reader(path, "ico");
    if (reader.imageCount() != 2)
        return false;
    for (int index = 0; index < 2; ++index) {
        reader.jumpToImage(index);
        const QImage image = reader.read();
        if (image.isNull() || !image.hasAlphaChannel())
            return false;
    }
    return true;
}

bool writeKeyIcon(const QString& path, const CapColours& colours, const SymbolPainter& symbol) {
    std::vector<IcoImage> images;
    for (int size : {32, 16}) {
        IcoImage image;
        if (!splitSingleImageIco(singleImageIco(drawIcon(size, colours, symbol)), image)) {
            std::fprintf(stderr, "makeicons: unexpected ICO layout for %d x %d\n", size, size);
            return false;
        }
        clearMaskPadding(image);
        images.push_back(image);
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(joinIco(images)) < 0 ||
        !file.flush()) {
        std::fprintf(stderr, "makeicons: cannot write %s\n", qPrintable(path));
        return false;
    }
    file.close();
    if (!verifyIco(path)) {
        std::fprintf(stderr, "makeicons: %s does not read back as a two-size icon\n",
                     qPrintable(path));
        return false;
    }
    return true;
}

bool icoPluginPresent() {
    if (QImageWriter::supportedImageFormats().contains("ico"))
        return true;
    std::fprintf(stderr,
                 "makeicons: ERROR: Qt has no ICO image writer (the imageformats plugin "
                 "libqico.so was not found). Install Qt's image format plugins. Formats "
                 "found: %s\n",
                 QImageWriter::supportedImageFormats().join(' ').constData());
    return false;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv); // painting into images needs no display
    if (argc != 2) {
        std::fprintf(stderr, "usage: makeicons <program folder>\n");
        return 2;
    }
    if (!icoPluginPresent())
        return 1;
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    folder.mkpath(".");

    const CapColours slate{{0x3b, 0x4a, 0x63},
                           {0xe4, 0xea, 0xf4},
                           {0xb3, 0xc0, 0xd6},
                           {0x1f, 0x27, 0x36},
                           {0x33, 0x40, 0x57}};
    const CapColours amber{{0x8a, 0x52, 0x0e},
                           {0xff, 0xe2, 0x9a},
                           {0xf4, 0xb0, 0x3c},
                           {0x4a, 0x2b, 0x05},
                           {0x6b, 0x3c, 0x06}};
    const bool written = writeKeyIcon(folder.filePath("key1.ico"), slate,
                                      [&](QPainter& p) { drawHomeBar(p, slate.symbol); }) &&
                         writeKeyIcon(folder.filePath("key2.ico"), amber,
                                      [&](QPainter& p) { drawReturnArrow(p, amber.symbol); });
    return written ? 0 : 1;
}
