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

} // namespace

void KeyButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette::ColorGroup group = !isEnabled()       ? QPalette::Disabled
                                       : isActiveWindow() ? QPalette::Active
                                                          : QPalette::Inactive;
    const QRect r = rect();
    painter.fillRect(r, palette().color(group, QPalette::Button));
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
    if (!text().isEmpty())
        drawCaption(painter, inside, text(), font(), palette().color(group, QPalette::ButtonText));
}

namespace {

QPalette keyPalette(QPalette palette, std::uint32_t rgb) {
    const QColor colour = QColor::fromRgb(rgb);
    palette.setColor(QPalette::Button, colour);
    palette.setColor(QPalette::Window, colour);
    const QColor text = design::captionColourOn(colour);
    palette.setColor(QPalette::Active, QPalette::ButtonText, text);
    palette.setColor(QPalette::Inactive, QPalette::ButtonText, text);
    // A key not in use reads as such: its caption halfway between text and key colour.
    const QColor faded((text.red() + colour.red()) / 2, (text.green() + colour.green()) / 2,
                       (text.blue() + colour.blue()) / 2);
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, faded);
    return palette;
}

} // namespace

void paintKeyColour(QToolButton* key, std::uint32_t rgb) {
    // The keys of a bar start from one palette and most share a colour: the palette made for
    // one key serves the next one like it.
    static qint64 lastBase = 0;
    static std::uint32_t lastRgb = 0;
    static QPalette lastPalette;
    const QPalette base = key->palette();
    if (base.cacheKey() != lastBase || rgb != lastRgb || lastBase == 0) {
        lastPalette = keyPalette(base, rgb);
        lastBase = base.cacheKey();
        lastRgb = rgb;
    }
    key->setPalette(lastPalette);
}

} // namespace ombrix
