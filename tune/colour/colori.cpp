#include "tune/colour/colori.h"
#include "platform/translation.h"
#include "tune/colour/coloriaccess.h"
#include "tune/colour/colorilayout.h"
#include "tune/colour/colorisize.h"

#include "bar/keybutton.h"
#include "common/colourvalue.h"
#include "common/leadingnumber.h"
#include "platform/icons.h"
#include "platform/screen.h"
#include "widgets/design.h"
#include "widgets/focusring.h"

#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

#include <cmath>

namespace ombrix {

using namespace colourlayout;

namespace {

// Each window made sets the scale again: the desktop font's growth.
design::Drawing drawing{};

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

// The number in a box as the conversions read it: its longest leading number, 0 without one.
double boxNumber(const QLineEdit* box) {
    return leadingNumber(box->text().toStdString());
}

} // namespace

using colourwindow::numberText;

// ---- Building the window

colori::colori(ColourWindowContext context, QWidget* parent)
    : QDialog(parent), context_(std::move(context)), state_(*context_.state) {
    setWindowTitle(translate("Ombrix", "Colori"));
    setObjectName(QStringLiteral("colori"));
    setModal(true);
    scale_ = colourWindowTextScale(clientWidth, clientHeight, areaNow());
    drawing.scale = scale_;
    QFont designFont = font();
    designFont.setPixelSize(static_cast<int>(std::lround(11 * scale_)));
    setFont(designFont);
    const QSize drawn(platform::toPixels(clientWidth * scale_),
                      platform::toPixels(clientHeight * scale_));
    canvas_ = new QWidget;
    canvas_->setObjectName(QStringLiteral("canvas"));
    canvas_->setFixedSize(drawn);
    canvas_->installEventFilter(this); // it shows the luminance strip
    auto* scroller = new QScrollArea(this);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus); // the focus goes to the first box, as drawn
    scroller->setWidget(canvas_);
    bringFocusIntoView(scroller);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scroller);
    setFixedSize(colourWindowSize(drawn, areaNow(),
                                  style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this)));
    strip_ = QImage(stripArea(scale_).size(), QImage::Format_ARGB32_Premultiplied);
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
    c_.Label2 = drawing.label(canvas_, QT_TRANSLATE_NOOP("Ombrix", "Tonaltà"), label2Place,
                              "Label2", design::Wrap::No);
    c_.ton = numberBox(canvas_, tonPlace, "ton");
    c_.Label3 = drawing.label(canvas_, QT_TRANSLATE_NOOP("Ombrix", "Saturazione"), label3Place,
                              "Label3", design::Wrap::No);
    c_.sat = numberBox(canvas_, satPlace, "sat");
    c_.label5 = drawing.label(canvas_, QT_TRANSLATE_NOOP("Ombrix", "Luminosità"), label5Place,
                              "label5", design::Wrap::No);
    c_.lum = numberBox(canvas_, lumPlace, "lum");
    c_.label6 = drawing.label(canvas_, QT_TRANSLATE_NOOP("Ombrix", "Rosso"), label6Place, "label6",
                              design::Wrap::No);
    c_.ROSSO = numberBox(canvas_, rossoPlace, "ROSSO");
    c_.Label7 = drawing.label(canvas_, QT_TRANSLATE_NOOP("Ombrix", "Verde"), label7Place, "Label7",
                              design::Wrap::No);
    c_.VERDE = numberBox(canvas_, verdePlace, "VERDE");
    c_.Label8 = drawing.label(canvas_, QT_TRANSLATE_NOOP("Ombrix", "Blu"), label8Place, "Label8",
                              design::Wrap::No);
    c_.BLUE = numberBox(canvas_, bluePlace, "BLUE");
}

void colori::createButtons() {
    c_.Command9 = button(canvas_, QT_TRANSLATE_NOOP("Ombrix", "CANCEL"), command9Place, "Command9");
    c_.Command4 =
        button(canvas_, QT_TRANSLATE_NOOP("Ombrix", "CANCEL ALL"), command4Place, "Command4");
    c_.Command3 =
        button(canvas_, QT_TRANSLATE_NOOP("Ombrix", "System Gray"), command3Place, "Command3");
    c_.Command1 = button(canvas_, QT_TRANSLATE_NOOP("Ombrix", "OK"), command1Place, "Command1");
    c_.Command5 =
        button(canvas_, QT_TRANSLATE_NOOP("Ombrix", "Preceeding color"), command5Place, "Command5");
    QFont small = font();
    small.setPointSizeF(7 * scale_);
    for (std::size_t i = 0; i < c_.Command2.size(); ++i) {
        auto* key = drawing.place(new KeyButton(canvas_),
                                  {sampleKeyLefts[i], sampleKeyTop, sampleKeySize, sampleKeySize},
                                  "Command2");
        key->setObjectName(QStringLiteral("Command2_%1").arg(i));
        key->setToolTip(translate("Ombrix", "Lancia il programma/Launch the program"));
        key->setFont(small);
        key->setFocusPolicy(Qt::NoFocus);
        key->setIconSize(QSize(16, 16) * scale_);
        c_.Command2[i] = key;
    }
    c_.Command2[3]->setText(QStringLiteral("Dir"));
}

void colori::createSelectors() {
    c_.Frame1 =
        drawing.place(new QGroupBox(translate("Ombrix", "Button"), canvas_), frame1Place, "Frame1");
    c_.keySelectors = new QButtonGroup(this);
    c_.keySelectors->setExclusive(true);
    QFont smallFonts(QStringLiteral("Small Fonts"));
    // "128" fits before the next column's indicator
    smallFonts.setPixelSize(static_cast<int>(std::lround(9 * scale_)));
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

// ---- Services

void colori::playClick() {
    if (state_.soundOn && context_.click)
        context_.click();
}

ScreenSize colori::areaNow() const {
    return context_.area ? context_.area() : platform::screenTwips();
}

void openColourWindow(const ColourWindowContext& context, QWidget* parent) {
    colori window(context, parent);
    placeWithinArea(window, parent, window.areaNow());
    window.exec();
}

} // namespace ombrix
