#include "tune/colour/colori.h"
#include "tune/colour/colorilayout.h"

#include "common/colourvalue.h"
#include "common/leadingnumber.h"
#include "platform/screen.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <regex>

// The colour window's pickers: the colour field with its cross marker and the luminance strip
// with its arrow marker. Their handlers work in the design's twips whatever the window's scale.
namespace ombrix {

using namespace colourlayout;
using colourwindow::numberText;

namespace {

// The mouse surface of a picker: it paints nothing, so what lies below it shows through.
QWidget* mouseSurface(const design::Drawing& drawing, QWidget* parent, const Place& place,
                      const char* name) {
    auto* surface = drawing.place(new QWidget(parent), place, name);
    surface->setAttribute(Qt::WA_NoSystemBackground);
    return surface;
}

// A black plus sign with a grey shadow, filling `size`.
QPixmap crossPicture(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    const int w = size.width();
    const int h = size.height();
    painter.setPen(QColor(128, 128, 128));
    painter.drawLine(w / 2 + 1, 1, w / 2 + 1, h - 1);
    painter.drawLine(1, h / 2 + 1, w - 1, h / 2 + 1);
    painter.setPen(Qt::black);
    painter.drawLine(w / 2, 0, w / 2, h - 2);
    painter.drawLine(0, h / 2, w - 2, h / 2);
    return picture;
}

// A black arrow pointing left, filling `size`.
QPixmap arrowPicture(QSize size) {
    QPixmap picture(size);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    const double w = size.width();
    const double h = size.height();
    const QPointF head[] = {{0, h / 2}, {w / 2, 1}, {w / 2, h - 1}};
    painter.drawPolygon(head, 3);
    painter.drawRect(QRectF(w / 2, h / 2 - h / 6, w / 2, h / 3));
    return picture;
}

// The line's place on the strip, pixels within a window drawn at `scale`.
double stripLineY(int line, double scale) {
    return (stripBottomLine - stripLineStep * line) * scale / platform::twipsPerPixel();
}

// Saturation by row of the colour field: 240 on the top row, 120 on the middle row and 8.47 on
// the bottom row, on the parabola through those three rows.
double fieldSaturation(int row) {
    constexpr double top = 240;
    constexpr double middle = 120;
    constexpr double bottom = 8.47;
    constexpr double m = (colourwindow::fieldHeightPixels - 1) / 2; // 93
    constexpr double b = colourwindow::fieldHeightPixels - 1;       // 186
    const double r = row;
    return top * (r - m) * (r - b) / (m * b) + middle * r * (r - b) / (m * (m - b)) +
           bottom * r * (r - m) / (b * (b - m));
}

} // namespace

// ---- Pure helpers

namespace colourwindow {

QImage colourFieldPicture() {
    QImage picture(fieldWidthPixels, fieldHeightPixels, QImage::Format_RGB32);
    constexpr int lastColumn = fieldWidthPixels - 1;
    for (int row = 0; row < fieldHeightPixels; ++row) {
        const double saturation = fieldSaturation(row);
        for (int column = 0; column < fieldWidthPixels; ++column) {
            const int hue = column * static_cast<int>(highestHsl) / lastColumn;
            const colour::Rgb rgb = colour::hslToRgb(hue, saturation, 120).rgb;
            picture.setPixel(column, row,
                             qRgb(static_cast<int>(rgb.red), static_cast<int>(rgb.green),
                                  static_cast<int>(rgb.blue)));
        }
    }
    return picture;
}

GridPlace selectorPlace(int index) {
    constexpr int columns = 10;
    constexpr int movedIndex = 63;  // the selector captioned "64"
    constexpr int movedToSlot = 48; // after "48"
    int slot = index;
    if (index == movedIndex)
        slot = movedToSlot;
    else if (index >= movedToSlot && index < movedIndex)
        slot = index + 1;
    return {slot / columns, slot % columns};
}

QString numberText(double value) {
    if (value == 0)
        return QStringLiteral("0"); // never "-0"
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return QString::fromLatin1(text, static_cast<int>(result.ptr - text));
}

std::optional<double> strictNumber(std::string_view text) {
    static const std::regex number(
        R"([ \t\r\n]*[+-]?([0-9]+\.?[0-9]*|\.[0-9]+)([eE][+-]?[0-9]+)?[ \t\r\n]*)");
    const std::string whole(text);
    if (!std::regex_match(whole, number))
        return std::nullopt;
    return leadingNumber(whole);
}

} // namespace colourwindow

namespace colourlayout {

QRect stripArea(double scale) {
    const int reach = static_cast<int>(std::lround(stripLinePixels * scale));
    const int left = platform::toPixels(stripLineLeft * scale) - reach;
    const int right = platform::toPixels(stripLineRight * scale) + reach;
    const int bottom = static_cast<int>(std::ceil(stripLineY(0, scale))) + reach;
    return {left, 0, right - left + 1, bottom + 1};
}

} // namespace colourlayout

// Pictures first, markers above them, the transparent mouse surfaces on top.
void colori::createPickers() {
    const design::Drawing drawing{scale_};
    c_.Image1 = new QLabel(canvas_);
    c_.Image1->setObjectName(QStringLiteral("Image1"));
    c_.Image1->setFrameStyle(QFrame::Box | QFrame::Plain);
    c_.Image1->setLineWidth(1);
    const QImage field = colourwindow::colourFieldPicture();
    c_.Image1->setPixmap(QPixmap::fromImage(
        field.scaled(field.size() * scale_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
    c_.Image1->move(platform::toPixels(fieldLeft * scale_), platform::toPixels(fieldTop * scale_));
    c_.Image1->resize(c_.Image1->sizeHint()); // the picture and its border

    c_.Image4 = drawing.place(new QFrame(canvas_), image4Place, "Image4");
    c_.Image4->setFrameStyle(QFrame::Box | QFrame::Plain);

    c_.Image2 = drawing.place(new QLabel(canvas_), crossPlace, "Image2");
    c_.Image2->setPixmap(crossPicture(c_.Image2->size()));
    crossLeft_ = crossPlace.left;
    crossTop_ = crossPlace.top;

    c_.Image3 = drawing.place(new QLabel(canvas_), arrowPlace, "Image3");
    c_.Image3->setPixmap(arrowPicture(c_.Image3->size()));
    arrowTop_ = arrowPlace.top;

    c_.Label9 = mouseSurface(drawing, canvas_, label9Place, "Label9");
    c_.Label4 = mouseSurface(drawing, canvas_, label4Place, "Label4");
}

// The strip is kept as a picture and painted from it, so it looks as last drawn whenever the
// window is drawn again.
void colori::righe() {
    strip_.fill(Qt::transparent);
    QPainter painter(&strip_);
    const QPoint origin = stripArea(scale_).topLeft();
    const double pixelsPerTwip = scale_ / platform::twipsPerPixel();
    const double left = stripLineLeft * pixelsPerTwip - origin.x();
    const double right = stripLineRight * pixelsPerTwip - origin.x();
    const double lineWidth = stripLinePixels * scale_;
    for (int i = 0; i <= stripTopLine; ++i) {
        const std::int32_t value = colour::composeColour(colour::stripShade(stripColour_.red, i),
                                                         colour::stripShade(stripColour_.green, i),
                                                         colour::stripShade(stripColour_.blue, i));
        painter.setPen(
            QPen(QColor::fromRgb(paintedRgb(value)), lineWidth, Qt::SolidLine, Qt::SquareCap));
        const double y = stripLineY(i, scale_) - origin.y();
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
    painter.end();
    canvas_->update(stripArea(scale_));
    dipingi();
}

// ---- The markers

void colori::placeCross(double left, double top) {
    crossLeft_ = left;
    crossTop_ = top;
    c_.Image2->move(platform::toPixels(left * scale_), platform::toPixels(top * scale_));
}

void colori::placeArrow(double top) {
    arrowTop_ = top;
    c_.Image3->move(c_.Image3->x(), platform::toPixels(top * scale_));
}

// ---- The colour field

double colori::fieldWidth() const {
    return platform::toTwips(c_.Image1->width()) / scale_;
}

double colori::fieldHeight() const {
    return platform::toTwips(c_.Image1->height()) / scale_;
}

void colori::Label9_MouseDown(double, double) {
    fieldDrag_ = true;
    c_.Image2->hide();
    c_.Label9->setCursor(Qt::CrossCursor);
    rgbGuard_ = false;
    hslGuard_ = false;
    stripColour_ = {127, 127, 127};
    righe(); // the strip stays in greys for the whole drag
}

void colori::Label9_MouseMove(double x, double y) {
    if (!fieldDrag_)
        return;
    rgbGuard_ = true;
    hslGuard_ = true;
    c_.Label9->setCursor(Qt::CrossCursor);
    c_.Image2->hide();
    // Beyond an edge only the marker is seen, held on the edge.
    const auto heldOnEdge = [this] {
        c_.Label9->setCursor(Qt::BlankCursor);
        c_.Image2->show();
    };
    if (x > fieldWidth()) {
        x = fieldWidth();
        heldOnEdge();
    }
    if (x <= 0) {
        x = 0;
        heldOnEdge();
    }
    if (y <= 0) {
        y = 0;
        heldOnEdge();
    }
    if (y > fieldHeight() - crossPlace.height) {
        y = fieldHeight();
        heldOnEdge();
    }
    placeCross(fieldLeft + x - crossPlace.width / 2, fieldTop + y - crossPlace.height / 2);
    const double hue = (crossLeft_ - std::floor(fieldLeft - crossPlace.width / 2 + 0.5)) / hueTwips;
    const double saturation =
        highestHsl - (crossTop_ - std::floor(fieldTop - crossPlace.height / 2)) / saturationTwips;
    c_.ton->setText(numberText(std::floor(std::clamp(hue, 0.0, highestHsl) + 0.5)));
    c_.sat->setText(numberText(std::floor(std::clamp(saturation, 0.0, highestHsl) + 0.5)));
    calcola(); // the strip colour follows, the strip is drawn on release
    rgbGuard_ = false;
    hslGuard_ = false;
}

void colori::Label9_MouseUp() {
    fieldDrag_ = false;
    c_.Image2->show();
    c_.Label9->setCursor(Qt::ArrowCursor);
    rgbGuard_ = false;
    hslGuard_ = false;
    righe();
}

// ---- The luminance strip

void colori::Label4_MouseDown(double, double y) {
    stripDrag_ = true;
    c_.Label4->setCursor(Qt::ArrowCursor);
    luminanceFromStrip(y);
}

void colori::Label4_MouseMove(double x, double y) {
    if (!stripDrag_)
        return;
    c_.Label4->setCursor(Qt::ArrowCursor);
    if (x > label4Place.width)
        x = label4Place.width;
    if (x <= 0)
        x = 0;
    if (y <= 0)
        y = 0;
    if (y > label4Place.height + 1)
        y = label4Place.height;
    if (x > 0 && x <= stripReach)
        luminanceFromStrip(y);
}

void colori::Label4_MouseUp() {
    stripDrag_ = false;
}

// The arrow goes to the pointer; the luminance is read from it, rounded down, and the
// luminance box's handler converts and snaps the arrow to the luminance's own place.
void colori::luminanceFromStrip(double y) {
    placeArrow(label4Place.top + y - arrowPlace.height * 0.5);
    const double v = std::clamp(highestHsl - arrowTop_ / luminanceTwips, 0.0, highestHsl);
    c_.lum->setText(numberText(std::floor(v)));
}

// The mouse surfaces report positions in twips within themselves.
bool colori::eventFilter(QObject* watched, QEvent* event) {
    if (watched == canvas_ && event->type() == QEvent::Paint) {
        QPainter painter(canvas_);
        painter.drawImage(stripArea(scale_).topLeft(), strip_);
        return true;
    }
    const bool field = watched == c_.Label9;
    if (!field && watched != c_.Label4)
        return QDialog::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QDialog::eventFilter(watched, event);
    const QPointF p = static_cast<QMouseEvent*>(event)->position();
    const double twips = platform::twipsPerPixel() / scale_;
    const double x = p.x() * twips;
    const double y = p.y() * twips;
    if (type == QEvent::MouseMove)
        field ? Label9_MouseMove(x, y) : Label4_MouseMove(x, y);
    else if (type == QEvent::MouseButtonRelease)
        field ? Label9_MouseUp() : Label4_MouseUp();
    else
        field ? Label9_MouseDown(x, y) : Label4_MouseDown(x, y);
    return true;
}

} // namespace ombrix
