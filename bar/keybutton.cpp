#include "bar/keybutton.h"

#include "widgets/design.h"

#include <QPainter>
#include <QStyle>

namespace ombrix {

namespace {

constexpr int edgeWidth = 1;
constexpr int captionPadding = 1; // between the edge and the caption's first and last letter

// The edge: light above and left, dark below and right; the other way round while pressed.
void drawEdge(QPainter& painter, const QRect& r, bool sunken) {
    const QColor light(255, 255, 255, 140);
    const QColor dark(0, 0, 0, 140);
    painter.setPen(sunken ? dark : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(sunken ? light : dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
}

void drawCaption(QPainter& painter, const QRect& inside, const QString& caption, const QFont& font,
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
    const QPointF centre = QRectF(inside).center();
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

void KeyButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    const QRect r = rect();
    const QColor face = colour_ ? *colour_ : palette().color(group, QPalette::Button);
    painter.fillRect(r, face);
    drawEdge(painter, r, isDown() || isChecked());

    const QRect inside = r.adjusted(edgeWidth, edgeWidth, -edgeWidth, -edgeWidth);
    const bool showsPicture =
        !icon().isNull() && (text().isEmpty() || toolButtonStyle() != Qt::ToolButtonTextOnly);
    if (showsPicture) {
        const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
        const QSize size = iconSize().boundedTo(inside.size());
        icon().paint(&painter,
                     QStyle::alignedRect(layoutDirection(), Qt::AlignCenter, size, inside),
                     Qt::AlignCenter, mode);
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
    drawCaption(painter, inside, text(), font(), caption);
}

} // namespace ombrix
