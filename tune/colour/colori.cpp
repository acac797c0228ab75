#include "tune/colour/colori.h"
#include "tune/colour/coloriaccess.h"

#include "bar/keybutton.h"
#include "common/colourvalue.h"
#include "common/leadingnumber.h"
#include "platform/icons.h"
#include "platform/screen.h"
#include "widgets/design.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <regex>

namespace ombrix {

namespace {

// Places inside the selector frame are relative to the frame.
using design::Place;
constexpr design::Drawing drawing{};

// The colour field keeps its picture's pixel size, 2655 x 2835 twips on a 96 dpi screen. The
// design's buttons and sample keys would cover its right edge and its bottom rows there, so the
// buttons and the strip beside it stand this much further right, and the sample keys and the
// selectors below it this much lower, than the design has them.
constexpr double besideField = 480;
constexpr double belowField = 420;

constexpr double clientWidth = 6060 + besideField;
constexpr double clientHeight = 6588 + belowField;

// The first two labels start further left and reach to their boxes, so that "Saturazione"
// fits in a desktop's usual typeface.
constexpr Place label2Place{60, 240, 1000, 372};
constexpr Place tonPlace{1080, 240, 375, 285};
constexpr Place label3Place{60, 600, 1000, 372};
constexpr Place satPlace{1080, 600, 375, 285};
constexpr Place label5Place{72, 960, 900, 372};
constexpr Place lumPlace{1080, 960, 375, 285};
constexpr Place label6Place{360, 1320, 612, 252};
constexpr Place rossoPlace{1080, 1320, 375, 285};
constexpr Place label7Place{360, 1680, 612, 252};
constexpr Place verdePlace{1080, 1680, 375, 285};
constexpr Place label8Place{360, 2040, 612, 252};
constexpr Place bluePlace{1080, 2040, 375, 285};

// The colour field and its cross marker.
constexpr double fieldLeft = 1680;
constexpr double fieldTop = 120;
constexpr Place label9Place{fieldLeft, fieldTop, 2655, 2895};
constexpr Place crossPlace{1920, 840, 120, 120};
constexpr double hueTwips = 11.06;        // per hue unit, from the field's left edge
constexpr double saturationTwips = 11.81; // per saturation unit, 240 at the field's top edge

// The luminance strip, its frame, its mouse surface and its arrow marker.
constexpr Place image4Place{5040 + besideField, 120, 255, 2880};
constexpr Place label4Place{4920 + besideField, 120, 660, 2880};
constexpr Place arrowPlace{5280 + besideField, 840, 255, 255};
constexpr double luminanceTwips = 12; // per luminance unit; arrow top 0 is luminance 240
constexpr double stripLineLeft = 5080 + besideField;
constexpr double stripLineRight = 5220 + besideField;
constexpr double stripBottomLine = 2920; // line 0; each line above it 11 twips higher
constexpr double stripLineStep = 11;
constexpr int stripTopLine = 250;
constexpr int stripLinePixels = 5;
// A drag that leaves the strip sideways stops changing the luminance beyond this.
constexpr double stripReach = 640;

constexpr Place command9Place{3960 + besideField, 120, 972, 495};
constexpr Place command4Place{3960 + besideField, 840, 972, 732};
constexpr Place command3Place{4080 + besideField, 1800, 732, 492};
constexpr Place command1Place{4080 + besideField, 2520, 735, 495};
constexpr Place command5Place{120, 2640 + belowField, 1572, 372};
constexpr std::array<double, 4> sampleKeyLefts = {1920, 2400, 2880, 3360};
constexpr double sampleKeyTop = 2640 + belowField;
constexpr double sampleKeySize = 350;

constexpr Place frame1Place{0, 3000 + belowField, 5892 + besideField, 3492};
constexpr double selectorWidth = 550;
constexpr double selectorHeight = 240;
constexpr double firstSelectorTop = 240;
// The first column sits a little further left than drawn, so that "121" fits before column 2.
constexpr std::array<double, 10> selectorLefts = {30,   600,  1176, 1764, 2340,
                                                  2916, 3504, 4080, 4656, 5244};

constexpr double highestHsl = 240;

constexpr double highestRgb = 255;

bool isKeyIndex(int index) {
    return index >= 0 && index < maxKeys;
}

QLineEdit* numberBox(QWidget* parent, const Place& place, const char* name) {
    auto* box = drawing.place(new QLineEdit(parent), place, name);
    box->setTextMargins(0, 0, 0, 0);
    return box;
}

QPushButton* button(QWidget* parent, const char* text, const Place& place, const char* name) {
    auto* made = drawing.wrappingButton(parent, text, place, name);
    made->setAutoDefault(false); // Enter in a number box presses no button
    return made;
}

// The mouse surface of a picker: it paints nothing, so what lies below it shows through.
QWidget* mouseSurface(QWidget* parent, const Place& place, const char* name) {
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

// The number in a box as the conversions read it: its longest leading number, 0 without one.
double boxNumber(const QLineEdit* box) {
    return leadingNumber(box->text().toStdString());
}

// The line's place on the strip, pixels within the window.
double stripLineY(int line) {
    return (stripBottomLine - stripLineStep * line) / platform::twipsPerPixel();
}

// The part of the window the strip's lines can cover, pixels.
QRect stripArea() {
    const int reach = stripLinePixels;
    const int left = platform::toPixels(stripLineLeft) - reach;
    const int right = platform::toPixels(stripLineRight) + reach;
    const int bottom = static_cast<int>(std::ceil(stripLineY(0))) + reach;
    return {left, 0, right - left + 1, bottom + 1};
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

using colourwindow::numberText;

// ---- Building the window

colori::colori(ColourWindowContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)), state_(*context_.state) {
    setWindowTitle(QStringLiteral("Colori"));
    setObjectName(QStringLiteral("colori"));
    setModal(true);
    QFont designFont = font();
    designFont.setPixelSize(11);
    setFont(designFont);
    setFixedSize(platform::toPixels(clientWidth), platform::toPixels(clientHeight));
    strip_ = QImage(stripArea().size(), QImage::Format_ARGB32_Premultiplied);
    strip_.fill(Qt::transparent);
    createControls();
    connectHandlers();
    makeColourWindowAccessible(*this);
    Form_Load();
}

colori::~colori() = default;

void colori::createControls() {
    createBoxes();
    createPickers();
    createButtons();
    createSelectors();
}

void colori::createBoxes() {
    c_.Label2 = drawing.label(this, "Tonaltà", label2Place, "Label2", design::Wrap::No);
    c_.ton = numberBox(this, tonPlace, "ton");
    c_.Label3 = drawing.label(this, "Saturazione", label3Place, "Label3", design::Wrap::No);
    c_.sat = numberBox(this, satPlace, "sat");
    c_.label5 = drawing.label(this, "Luminosità", label5Place, "label5", design::Wrap::No);
    c_.lum = numberBox(this, lumPlace, "lum");
    c_.label6 = drawing.label(this, "Rosso", label6Place, "label6", design::Wrap::No);
    c_.ROSSO = numberBox(this, rossoPlace, "ROSSO");
    c_.Label7 = drawing.label(this, "Verde", label7Place, "Label7", design::Wrap::No);
    c_.VERDE = numberBox(this, verdePlace, "VERDE");
    c_.Label8 = drawing.label(this, "Blu", label8Place, "Label8", design::Wrap::No);
    c_.BLUE = numberBox(this, bluePlace, "BLUE");
}

// Pictures first, markers above them, the transparent mouse surfaces on top.
void colori::createPickers() {
    c_.Image1 = new QLabel(this);
    c_.Image1->setObjectName(QStringLiteral("Image1"));
    c_.Image1->setFrameStyle(QFrame::Box | QFrame::Plain);
    c_.Image1->setLineWidth(1);
    c_.Image1->setPixmap(QPixmap::fromImage(colourwindow::colourFieldPicture()));
    c_.Image1->move(platform::toPixels(fieldLeft), platform::toPixels(fieldTop));
    c_.Image1->resize(c_.Image1->sizeHint()); // the picture and its border

    c_.Image4 = drawing.place(new QFrame(this), image4Place, "Image4");
    c_.Image4->setFrameStyle(QFrame::Box | QFrame::Plain);

    c_.Image2 = drawing.place(new QLabel(this), crossPlace, "Image2");
    c_.Image2->setPixmap(crossPicture(c_.Image2->size()));
    crossLeft_ = crossPlace.left;
    crossTop_ = crossPlace.top;

    c_.Image3 = drawing.place(new QLabel(this), arrowPlace, "Image3");
    c_.Image3->setPixmap(arrowPicture(c_.Image3->size()));
    arrowTop_ = arrowPlace.top;

    c_.Label9 = mouseSurface(this, label9Place, "Label9");
    c_.Label4 = mouseSurface(this, label4Place, "Label4");
}

void colori::createButtons() {
    c_.Command9 = button(this, "CANCEL", command9Place, "Command9");
    c_.Command4 = button(this, "CANCEL ALL", command4Place, "Command4");
    c_.Command3 = button(this, "System Gray", command3Place, "Command3");
    c_.Command1 = button(this, "OK", command1Place, "Command1");
    c_.Command5 = button(this, "Preceeding color", command5Place, "Command5");
    QFont small = font();
    small.setPointSizeF(7);
    for (std::size_t i = 0; i < c_.Command2.size(); ++i) {
        auto* key = drawing.place(new KeyButton(this),
                                  {sampleKeyLefts[i], sampleKeyTop, sampleKeySize, sampleKeySize},
                                  "Command2");
        key->setObjectName(QStringLiteral("Command2_%1").arg(i));
        key->setToolTip(QStringLiteral("Lancia il programma/Launch the program"));
        key->setFont(small);
        key->setFocusPolicy(Qt::NoFocus);
        key->setIconSize(QSize(16, 16));
        c_.Command2[i] = key;
    }
    c_.Command2[3]->setText(QStringLiteral("Dir"));
}

void colori::createSelectors() {
    c_.Frame1 = drawing.place(new QGroupBox(QStringLiteral("Button"), this), frame1Place, "Frame1");
    c_.keySelectors = new QButtonGroup(this);
    c_.keySelectors->setExclusive(true);
    QFont smallFonts(QStringLiteral("Small Fonts"));
    smallFonts.setPixelSize(9); // "128" fits before the next column's indicator
    for (int i = 0; i < maxKeys; ++i) {
        const colourwindow::GridPlace grid = colourwindow::selectorPlace(i);
        const Place place{selectorLefts[static_cast<std::size_t>(grid.column)],
                          firstSelectorTop + selectorHeight * grid.row, selectorWidth,
                          selectorHeight};
        auto* selector = new QRadioButton(QString::number(i + 1), c_.Frame1);
        selector->setGeometry(drawing.pixels(place));
        selector->setObjectName(QStringLiteral("Option1_%1").arg(i));
        selector->setFont(smallFonts);
        c_.keySelectors->addButton(selector, i);
        c_.Option1[static_cast<std::size_t>(i)] = selector;
    }
}

// A box's handler runs inside setText, before the statement that set the text goes on: the
// cascades below rest on that.
void colori::connectHandlers() {
    connect(c_.ton, &QLineEdit::textChanged, this, [this] { ton_Change(); });
    connect(c_.sat, &QLineEdit::textChanged, this, [this] { sat_Change(); });
    connect(c_.lum, &QLineEdit::textChanged, this, [this] { lum_Change(); });
    connect(c_.ROSSO, &QLineEdit::textChanged, this, [this] { ROSSO_Change(); });
    connect(c_.VERDE, &QLineEdit::textChanged, this, [this] { VERDE_Change(); });
    connect(c_.BLUE, &QLineEdit::textChanged, this, [this] { BLUE_Change(); });
    for (int i = 0; i < maxKeys; ++i) {
        connect(c_.Option1[static_cast<std::size_t>(i)], &QRadioButton::toggled, this,
                [this, i](bool on) {
                    if (on)
                        Option1_Click(i);
                });
    }
    for (int i = 0; i < static_cast<int>(c_.Command2.size()); ++i)
        connect(c_.Command2[static_cast<std::size_t>(i)], &QAbstractButton::clicked, this,
                [this, i] { Command2_Click(i); });
    connect(c_.Command1, &QPushButton::clicked, this, [this] { Command1_Click(); });
    connect(c_.Command9, &QPushButton::clicked, this, [this] { Command9_Click(); });
    connect(c_.Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(c_.Command3, &QPushButton::clicked, this, [this] { Command3_Click(); });
    connect(c_.Command5, &QPushButton::clicked, this, [this] { Command5_Click(); });
    c_.Label9->installEventFilter(this);
    c_.Label4->installEventFilter(this);
}

// ---- Loading and activation

void colori::Form_Load() {
    for (int i = 0; i < maxKeys; ++i) {
        const auto k = static_cast<std::size_t>(i);
        workingColours_[k] = state_.keys[k].backColor;
        const bool on =
            context_.isKeySelected ? context_.isKeySelected(i) : i == state_.selectedKey;
        if (on)
            c_.Option1[k]->setChecked(true); // its handler runs with the colours loaded so far
    }
    // The boxes open on the selected key's colour, the one the sample keys show.
    if (!isKeyIndex(state_.selectedKey))
        return;
    hexText_ = colour::colourHexText(workingColours_[static_cast<std::size_t>(state_.selectedKey)]);
    showingColour_ = true;
    posiziona();
    showingColour_ = false;
    dipingi();
}

void colori::Form_Activate() {
    righe();
    c_.Command2[0]->setIcon(QIcon(platform::smallFileIcon(context_.programFolder / "key1.ico")));
    c_.Command2[2]->setIcon(QIcon(platform::smallFileIcon(context_.programFolder / "key2.ico")));
}

bool colori::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QDialog::event(event);
}

void colori::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Form_Activate();
}

// ---- Selecting a key and the buttons

void colori::Option1_Click(int index) {
    if (!isKeyIndex(index))
        return;
    selectInEditor(index);
    state_.loadingKey = false;
    showKeyColour(index);
}

void colori::selectInEditor(int index) {
    if (context_.selectKey)
        context_.selectKey(index);
    else
        state_.selectedKey = index;
}

void colori::showKeyColour(int k) {
    if (!isKeyIndex(k))
        return;
    hexText_ = colour::colourHexText(workingColours_[static_cast<std::size_t>(k)]);
    // Showing a colour writes the red, green and blue boxes, which must not take it as typed:
    // the system grey would become the plain colour the boxes show for it.
    const bool showing = showingColour_;
    showingColour_ = true;
    posiziona();
    showingColour_ = showing;
    // posiziona has brought the hue, saturation and luminance boxes in step with the red, green
    // and blue ones already. Should one still differ (boxes typed earlier showing the same
    // red, green and blue), converting it back here would change the key's working colour by
    // merely showing it, so the boxes only follow.
    const bool guarded = rgbGuard_;
    rgbGuard_ = true;
    RICALCOLA();
    rgbGuard_ = guarded;
    dipingi();
}

void colori::Command2_Click(int) {
    playClick();
}

void colori::Command1_Click() {
    playClick();
    for (int i = 0; i < maxKeys; ++i) {
        const auto k = static_cast<std::size_t>(i);
        state_.keys[k].backColor = workingColours_[k];
        paintBarCopyKey(i, workingColours_[k]);
    }
    accept();
}

void colori::Command9_Click() {
    playClick();
    state_.loadingKey = false;
    const int k = checkedSelector();
    if (k < 0)
        return;
    workingColours_[static_cast<std::size_t>(k)] =
        state_.keys[static_cast<std::size_t>(k)].backColor;
    showKeyColour(k);
}

void colori::Command4_Click() {
    state_.loadingKey = false;
    for (int i = 0; i < maxKeys; ++i) {
        const auto k = static_cast<std::size_t>(i);
        workingColours_[k] = state_.keys[k].backColor;
        paintBarCopyKey(i, workingColours_[k]);
    }
    c_.Option1[0]->setChecked(true);
    selectInEditor(0);
    showKeyColour(0);
}

void colori::Command3_Click() {
    playClick();
    state_.loadingKey = false;
    const int k = checkedSelector();
    if (k < 0)
        return;
    workingColours_[static_cast<std::size_t>(k)] = colour::systemGreyValue;
    showKeyColour(k);
}

// The first key has no preceding key: the button then only clicks.
void colori::Command5_Click() {
    playClick();
    const int k = state_.selectedKey;
    if (!isKeyIndex(k) || k == 0)
        return;
    workingColours_[static_cast<std::size_t>(k)] = workingColours_[static_cast<std::size_t>(k - 1)];
    showKeyColour(k);
}

// Closing without "OK" stores nothing; the bar copy shows the key table's colours again.
void colori::reject() {
    for (int i = 0; i < maxKeys; ++i)
        paintBarCopyKey(i, state_.keys[static_cast<std::size_t>(i)].backColor);
    QDialog::reject();
}

// The checked selector, -1 when none is.
int colori::checkedSelector() const {
    return c_.keySelectors->checkedId();
}

// ---- The boxes

void colori::ton_Change() {
    clampHslBox(c_.ton);
    convertHsl();
    placeCross(std::floor(fieldLeft - crossPlace.width / 2 + 0.5) + boxNumber(c_.ton) * hueTwips,
               crossTop_);
}

void colori::sat_Change() {
    clampHslBox(c_.sat);
    convertHsl();
    placeCross(crossLeft_, std::floor(fieldTop - crossPlace.height / 2) +
                               (highestHsl - boxNumber(c_.sat)) * saturationTwips);
}

void colori::lum_Change() {
    clampHslBox(c_.lum);
    convertHsl();
    placeArrow((highestHsl - boxNumber(c_.lum)) * luminanceTwips);
}

// Rewriting the box runs its handler again before this one goes on.
void colori::clampHslBox(QLineEdit* box) {
    if (boxNumber(box) > highestHsl)
        box->setText(numberText(highestHsl));
    if (!(boxNumber(box) >= 0))
        box->setText(QStringLiteral("0"));
}

void colori::convertHsl() {
    if (rgbGuard_)
        return;
    hslGuard_ = true;
    calcola();
    hslGuard_ = false;
}

void colori::ROSSO_Change() {
    rgbBoxChanged(c_.ROSSO);
}

void colori::VERDE_Change() {
    rgbBoxChanged(c_.VERDE);
}

void colori::BLUE_Change() {
    rgbBoxChanged(c_.BLUE);
}

// Text that is no number (an empty box, letters) is left alone until it becomes one: the box
// neither clamps nor converts, so half-typed input changes nothing.
void colori::rgbBoxChanged(QLineEdit* box) {
    const std::optional<double> value = colourwindow::strictNumber(box->text().toStdString());
    if (!value)
        return;
    if (*value > highestRgb)
        box->setText(numberText(highestRgb));
    else if (*value < 0)
        box->setText(QStringLiteral("0"));
    if (hslGuard_)
        return;
    rgbGuard_ = true;
    RICALCOLA();
    rgbGuard_ = false;
    if (!showingColour_)
        keepTypedColour();
}

// Red, green and blue are one view of the key's colour, as hue, saturation and luminance are
// the other: a colour typed there becomes the key's working colour, which "OK" stores.
void colori::keepTypedColour() {
    const int k = state_.selectedKey;
    if (!isKeyIndex(k))
        return;
    workingColours_[static_cast<std::size_t>(k)] = static_cast<float>(sampleColour_);
    paintBarCopyKey(k, workingColours_[static_cast<std::size_t>(k)]);
}

// ---- The conversions

// The boxes' numbers are held to the model's ranges: a box can hold a number its handler let
// pass as text that is no number ("1e9x" reads as 1e9 here).
void colori::calcola() {
    const auto hsl = [](const QLineEdit* box) {
        return std::clamp(boxNumber(box), 0.0, highestHsl);
    };
    const colour::RgbAndStrip result = colour::hslToRgb(hsl(c_.ton), hsl(c_.sat), hsl(c_.lum));
    stripColour_ = result.strip;
    c_.ROSSO->setText(numberText(result.rgb.red));
    c_.VERDE->setText(numberText(result.rgb.green));
    c_.BLUE->setText(numberText(result.rgb.blue));
    paintSampleKeys(colour::composeColour(result.rgb.red, result.rgb.green, result.rgb.blue));
    const int k = state_.selectedKey;
    if (!isKeyIndex(k))
        return;
    workingColours_[static_cast<std::size_t>(k)] = static_cast<float>(sampleColour_);
    paintBarCopyKey(k, workingColours_[static_cast<std::size_t>(k)]);
}

void colori::RICALCOLA() {
    const auto rgb = [](const QLineEdit* box) {
        return std::clamp(boxNumber(box), 0.0, highestRgb);
    };
    const colour::HslAndStrip result = colour::rgbToHsl(rgb(c_.ROSSO), rgb(c_.VERDE), rgb(c_.BLUE));
    stripColour_ = result.strip;
    c_.lum->setText(numberText(result.hsl.luminance));
    c_.ton->setText(numberText(result.hsl.hue));
    c_.sat->setText(numberText(result.hsl.saturation));
    righe();
    paintSampleKeys(colour::composeColour(rgb(c_.ROSSO), rgb(c_.VERDE), rgb(c_.BLUE)));
    const int k = state_.selectedKey;
    if (isKeyIndex(k))
        paintBarCopyKey(k, workingColours_[static_cast<std::size_t>(k)]);
}

void colori::posiziona() {
    const std::optional<colour::Rgb> rgb = colour::splitHexText(hexText_);
    if (!rgb)
        return;
    c_.ROSSO->setText(numberText(rgb->red));
    c_.VERDE->setText(numberText(rgb->green));
    c_.BLUE->setText(numberText(rgb->blue));
}

void colori::dipingi() {
    const int k = state_.selectedKey;
    if (!isKeyIndex(k))
        return;
    const float colour = workingColours_[static_cast<std::size_t>(k)];
    const std::optional<ColourValue> value = colourValueOf(colour);
    if (!value)
        return;
    paintSampleKeys(*value);
    paintBarCopyKey(k, colour);
}

// ---- Painting

void colori::paintSampleKeys(std::int32_t colourValue) {
    sampleColour_ = colourValue;
    for (KeyButton* key : c_.Command2)
        key->setColour(paintedRgb(colourValue));
}

void colori::paintBarCopyKey(int i, float colour) {
    if (context_.showOnBarCopy)
        context_.showOnBarCopy(i, colour);
}

// The strip is kept as a picture and painted from it, so it looks as last drawn whenever the
// window is drawn again.
void colori::righe() {
    strip_.fill(Qt::transparent);
    QPainter painter(&strip_);
    const QPoint origin = stripArea().topLeft();
    const double t = platform::twipsPerPixel();
    const double left = stripLineLeft / t - origin.x();
    const double right = stripLineRight / t - origin.x();
    for (int i = 0; i <= stripTopLine; ++i) {
        const std::int32_t value = colour::composeColour(colour::stripShade(stripColour_.red, i),
                                                         colour::stripShade(stripColour_.green, i),
                                                         colour::stripShade(stripColour_.blue, i));
        painter.setPen(QPen(QColor::fromRgb(paintedRgb(value)), stripLinePixels, Qt::SolidLine,
                            Qt::SquareCap));
        const double y = stripLineY(i) - origin.y();
        painter.drawLine(QPointF(left, y), QPointF(right, y));
    }
    painter.end();
    update(stripArea());
    dipingi();
}

void colori::paintEvent(QPaintEvent* event) {
    QDialog::paintEvent(event);
    QPainter painter(this);
    painter.drawImage(stripArea().topLeft(), strip_);
}

// ---- The markers

void colori::placeCross(double left, double top) {
    crossLeft_ = left;
    crossTop_ = top;
    c_.Image2->move(platform::toPixels(left), platform::toPixels(top));
}

void colori::placeArrow(double top) {
    arrowTop_ = top;
    c_.Image3->move(c_.Image3->x(), platform::toPixels(top));
}

// ---- The colour field

double colori::fieldWidth() const {
    return platform::toTwips(c_.Image1->width());
}

double colori::fieldHeight() const {
    return platform::toTwips(c_.Image1->height());
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
    const bool field = watched == c_.Label9;
    if (!field && watched != c_.Label4)
        return QDialog::eventFilter(watched, event);
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick &&
        type != QEvent::MouseMove && type != QEvent::MouseButtonRelease)
        return QDialog::eventFilter(watched, event);
    const QPointF p = static_cast<QMouseEvent*>(event)->position();
    const double t = platform::twipsPerPixel();
    const double x = p.x() * t;
    const double y = p.y() * t;
    if (type == QEvent::MouseMove)
        field ? Label9_MouseMove(x, y) : Label4_MouseMove(x, y);
    else if (type == QEvent::MouseButtonRelease)
        field ? Label9_MouseUp() : Label4_MouseUp();
    else
        field ? Label9_MouseDown(x, y) : Label4_MouseDown(x, y);
    return true;
}

// ---- Services

void colori::playClick() {
    if (state_.soundOn && context_.click)
        context_.click();
}

void openColourWindow(const ColourWindowContext& context, QWidget* parent) {
    colori window(context, parent);
    window.exec();
}

} // namespace ombrix
