// Draws the desktop's application icons for the hicolor theme, at every usual size:
// <name>.png in <folder>/<n>x<n>/apps/. The bar's icon is its own closed handle (a dark disc
// with a ring and a centre dot) pulling out a strip of three coloured keys; the setup
// program's is an amber keycap carrying three sliders. Usage: makeappicons <folder> <bar
// icon name> <setup icon name> (run on the offscreen platform: no display is needed).

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>

#include <array>
#include <cstdio>
#include <functional>

namespace {

constexpr std::array iconSizes{16, 22, 24, 32, 48, 64, 128, 256};
constexpr qreal designSize = 64.0; // every shape is laid out on a 64-unit grid

const QColor outline(40, 44, 56);
const QColor handleColour(52, 72, 120);
const QColor stripColour(230, 226, 216); // the bar's own background

void drawBar(QPainter& painter) {
    painter.setPen(QPen(outline, 2));
    painter.setBrush(stripColour);
    painter.drawRoundedRect(QRectF(20, 21, 42, 22), 5, 5);
    const std::array keyColours{QColor(70, 130, 200), QColor(235, 160, 40), QColor(90, 170, 90)};
    painter.setPen(Qt::NoPen);
    for (std::size_t i = 0; i < keyColours.size(); ++i) {
        painter.setBrush(keyColours[i]);
        painter.drawRoundedRect(QRectF(37 + 8.0 * static_cast<qreal>(i), 26, 6.5, 12), 1.5, 1.5);
    }
    // The handle: disc, inner ring and centre dot, as the closed bar shows them.
    painter.setPen(QPen(outline, 2));
    painter.setBrush(handleColour);
    painter.drawEllipse(QPointF(18, 32), 16, 16);
    painter.setPen(QPen(stripColour, 3));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QPointF(18, 32), 9, 9);
    painter.setPen(Qt::NoPen);
    painter.setBrush(stripColour);
    painter.drawEllipse(QPointF(18, 32), 3.5, 3.5);
}

void drawSetup(QPainter& painter) {
    painter.setPen(QPen(outline, 2));
    painter.setBrush(QColor(176, 112, 24));
    painter.drawRoundedRect(QRectF(5, 5, 54, 54), 11, 11);
    QLinearGradient face(0, 10, 0, 48);
    face.setColorAt(0, QColor(255, 214, 120));
    face.setColorAt(1, QColor(236, 166, 50));
    painter.setPen(Qt::NoPen);
    painter.setBrush(face);
    painter.drawRoundedRect(QRectF(12, 9, 40, 38), 8, 8);
    // Three sliders, each with its knob at another place.
    const std::array knobs{36.0, 22.0, 30.0};
    for (std::size_t i = 0; i < knobs.size(); ++i) {
        const qreal y = 18 + 10.0 * static_cast<qreal>(i);
        painter.setPen(QPen(outline, 3, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(19, y), QPointF(45, y));
        painter.setPen(QPen(outline, 1.5));
        painter.setBrush(QColor(250, 250, 250));
        painter.drawEllipse(QPointF(knobs[i], y), 4, 4);
    }
}

QImage drawIcon(int size, const std::function<void(QPainter&)>& draw) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / designSize, size / designSize);
    draw(painter);
    painter.end();
    return image.convertToFormat(QImage::Format_ARGB32);
}

bool writeEverySize(const QString& folder, const QString& name,
                    const std::function<void(QPainter&)>& draw) {
    for (const int size : iconSizes) {
        const QString apps = QStringLiteral("%1/%2x%2/apps").arg(folder).arg(size);
        const QString file = apps + QLatin1Char('/') + name + QStringLiteral(".png");
        if (!QDir().mkpath(apps) || !drawIcon(size, draw).save(file, "PNG")) {
            std::fprintf(stderr, "makeappicons: cannot write %s\n", qPrintable(file));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: makeappicons <folder> <bar icon name> <setup icon name>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    const bool ok = writeEverySize(folder, QString::fromLocal8Bit(argv[2]), drawBar) &&
                    writeEverySize(folder, QString::fromLocal8Bit(argv[3]), drawSetup);
    return ok ? 0 : 1;
}
