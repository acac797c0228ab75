#include "bar/keybutton.h"

#include "widgets/design.h"

#include <QPainter>
#include <algorithm>

#include <cmath>

namespace ombrix {

namespace {

constexpr int captionPadding = 1; // between the edge and the caption's first and last letter

int devicePixel(double logical, double scale) {
    return static_cast<int>(std::lround(logical * scale));
}

// The edge, `width` device pixels: light above and left, dark below and right; the other way
// round while pressed. Drawn as strips of whole device pixels, so that it stays sharp at any
// scale.
void drawEdge(QPainter& painter, const QRect& r, int width, bool sunken) {
    const QColor light(255, 255, 255, 140);
    const QColor dark(0, 0, 0, 140);
    const QColor& upper = sunken ? dark : light;
    const QColor& lower = sunken ? light : dark;
    // Each strip runs the whole side, so that the corners blend as four lines drawn in turn.
    painter.fillRect(QRect(r.left(), r.top(), r.width(), width), upper);
    painter.fillRect(QRect(r.left(), r.top(), width, r.height()), upper);
    painter.fillRect(QRect(r.left(), r.bottom() + 1 - width, r.width(), width), lower);
    painter.fillRect(QRect(r.right() + 1 - width, r.top(), width, r.height()), lower);
}

void drawCaption(QPainter& painter, const QRectF& inside, const QString& caption, const QFont& font,
                 const QColor& colour) {
    painter.setFont(font);
    painter.setPen(colour);
    const double room = inside.width() - 2 * captionPadding;
    const double needed = QFontMetricsF(font).horizontalAdvance(caption);
    if (needed <= room || room <= 0) {
        painter.drawText(inside, Qt::AlignCenter, caption);
        return;
    }
    // Squeezed sideways about the key's centre, the whole caption stays readable.
    const QPointF centre = inside.center();
    painter.save();
    painter.translate(centre);
    painter.scale(room / needed, 1.0);
    const QRectF wide(-needed / 2 - captionPadding, -inside.height() / 2.0,
                      needed + 2 * captionPadding, inside.height());
    painter.drawText(wide, Qt::AlignCenter, caption);
    painter.restore();
}

// A key not in use reads as such: its caption halfway between text and key colour.
QColor fadedCaption(const QColor& text, const QColor& face) {
    return QColor((text.red() + face.red()) / 2, (text.green() + face.green()) / 2,
                  (text.blue() + face.blue()) / 2);
}

} // namespace

void KeyButton::setToolButtonStyle(Qt::ToolButtonStyle style) {
    style_ = style;
    update();
}

void KeyButton::setColour(std::uint32_t rgb) {
    colour_ = QColor::fromRgb(rgb);
    update();
}

QColor KeyButton::faceColour() const {
    return colour_ ? *colour_ : palette().color(QPalette::Button);
}

void KeyButton::setFacePixels(const QRect& devicePixels) {
    facePixels_ = devicePixels;
    update();
}

QRect KeyButton::facePixels() const {
    if (facePixels_)
        return *facePixels_;
    const double scale = devicePixelRatioF();
    const QRect r = geometry();
    const int left = devicePixel(r.x(), scale);
    const int top = devicePixel(r.y(), scale);
    return QRect(left, top, devicePixel(r.x() + r.width(), scale) - left,
                 devicePixel(r.y() + r.height(), scale) - top);
}

// The face, its edge and its picture are drawn on whole device pixels of the window (at a
// scale of 1.5 a logical pixel is a pixel and a half, and a key drawn in logical pixels would
// get blurred or uneven edges); the caption in logical pixels, as text is laid out.
void KeyButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const double scale = devicePixelRatioF();
    const QTransform logical = painter.worldTransform();
    // From device pixels relative to the parent to this key's logical pixels.
    const QTransform device =
        QTransform::fromTranslate(-x(), -y()).scale(1 / scale, 1 / scale) * logical;
    painter.setWorldTransform(device);

    const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    const QRect r = facePixels();
    const QColor face = colour_ ? *colour_ : palette().color(group, QPalette::Button);
    painter.fillRect(r, face);
    const int edge = std::max(1, devicePixel(1, scale));
    drawEdge(painter, r, edge, isDown() || isChecked());

    const QRect inside = r.adjusted(edge, edge, -edge, -edge);
    const bool showsPicture =
        !icon().isNull() && (text().isEmpty() || toolButtonStyle() != Qt::ToolButtonTextOnly);
    if (showsPicture) {
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        const QPixmap picture = icon().pixmap(iconSize(), scale, mode);
        const int side =
            std::min({devicePixel(iconSize().width(), scale), inside.width(), inside.height()});
        // A picture made for this scale lands pixel for pixel; any other is scaled smoothly.
        painter.setRenderHint(QPainter::SmoothPixmapTransform, picture.width() != side);
        painter.drawPixmap(QRect(inside.left() + (inside.width() - side) / 2,
                                 inside.top() + (inside.height() - side) / 2, side, side),
                           picture);
        return;
    }
    if (text().isEmpty())
        return;
    QColor caption = palette().color(group, QPalette::ButtonText);
    if (colour_) {
        caption = design::captionColourOn(face);
        if (!isEnabled())
            caption = fadedCaption(caption, face);
    }
    painter.setWorldTransform(logical);
    drawCaption(painter, device.mapRect(QRectF(inside)), text(), font(), caption);
}

} // namespace ombrix
