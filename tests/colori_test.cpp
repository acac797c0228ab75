#include "bar/keybutton.h"
#include "barfixture.h"

#include "common/colourvalue.h"
#include "platform/screen.h"
#include "tune/colour/colori.h"
#include "tune/colour/colorisize.h"
#include "tune/form3.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <optional>
#include <set>

using namespace ombrix;
using colour::composeColour;

namespace {

constexpr float pureRed = 255.0f;
constexpr float darkRed = 0x32 * 65536.0f + 0x64 * 256.0f + 0xC8; // (200, 100, 50)

float colourOf(double r, double g, double b) {
    return static_cast<float>(composeColour(r, g, b));
}

// The colour a key button is painted with, 0xRRGGBB.
std::uint32_t painted(const ombrix::KeyButton* key) {
    return key->faceColour().rgb() & 0xFFFFFFu;
}

std::uint32_t paintedFor(float colour) {
    return paintedRgb(*colourValueOf(colour));
}

// The application font for as long as it lives, the one before it afterwards.
class ApplicationFont {
public:
    explicit ApplicationFont(double points) : before_(QApplication::font()) {
        QFont font = before_;
        font.setPointSizeF(points);
        QApplication::setFont(font);
    }
    ~ApplicationFont() { QApplication::setFont(before_); }
    ApplicationFont(const ApplicationFont&) = delete;
    ApplicationFont& operator=(const ApplicationFont&) = delete;

private:
    QFont before_;
};

// A text as a person reads it: the access key's mark "&" left out, "&&" read as "&".
QString readAs(QString text) {
    return text.replace(QRegularExpression(QStringLiteral("&(.)")), QStringLiteral("\\1"));
}

// A bar copy on 128 keys, 10 in use, some of them coloured, and the setup window's key
// selection as the colour window sees it: one selector on. The colour window opens over them on
// the key whose selector is on.
struct ColourFixture {
    ApplicationFont designFont{9}; // the font the window's places and texts are drawn for
    BarFixture bar;
    TuneState state;
    std::unique_ptr<Form3> copy;
    int editorSelection = 0; // the key whose selector is on in the setup window
    int clicks = 0;

    ColourFixture() {
        for (int i = 0; i < maxKeys; ++i)
            key(i) = defaultKeyRecord(i);
        key(0).backColor = pureRed;
        key(1).backColor = colourOf(0, 0, 0);
        key(3).backColor = darkRed;
        key(4).backColor = colourOf(10, 20, 30);
        state.keyCount = 10;
        state.screenWidth = 28800;
        copy = std::make_unique<Form3>(bar.startup().context, state);
        copy->layOutForStartUp();
        for (int i = 0; i < maxKeys; ++i)
            copy->showColour(i, key(i).backColor);
    }

    KeyRecord& key(int i) { return state.keys[static_cast<std::size_t>(i)]; }

    // The setup window selects a key as its selector's handler does.
    void selectInEditor(int i) {
        editorSelection = i;
        state.selectedKey = i;
    }

    ColourWindowContext windowContext() {
        ColourWindowContext context;
        context.programFolder = PROGRAM_DIR;
        context.state = &state;
        context.isKeySelected = [this](int i) { return i == editorSelection; };
        context.selectKey = [this](int i) { selectInEditor(i); };
        context.showOnBarCopy = [this](int i, float colour) { copy->showColour(i, colour); };
        context.click = [this] { ++clicks; };
        return context;
    }

    std::unique_ptr<colori> open(int selected = 0) {
        selectInEditor(selected);
        auto window = std::make_unique<colori>(windowContext());
        window->show();
        return window;
    }
};

const colori::Controls& ui(const std::unique_ptr<colori>& w) {
    return w->controls();
}

struct Boxes {
    const char *red, *green, *blue, *hue, *saturation, *luminance;
};

void expectBoxes(const std::unique_ptr<colori>& w, const Boxes& b) {
    EXPECT_EQ(ui(w).ROSSO->text(), b.red);
    EXPECT_EQ(ui(w).VERDE->text(), b.green);
    EXPECT_EQ(ui(w).BLUE->text(), b.blue);
    EXPECT_EQ(ui(w).ton->text(), b.hue);
    EXPECT_EQ(ui(w).sat->text(), b.saturation);
    EXPECT_EQ(ui(w).lum->text(), b.luminance);
}

bool samplesShow(const std::unique_ptr<colori>& w, std::uint32_t rgb) {
    for (const ombrix::KeyButton* key : ui(w).Command2)
        if (painted(key) != rgb)
            return false;
    return true;
}

bool workingColoursAreTheKeys(const std::unique_ptr<colori>& w, ColourFixture& f) {
    for (int i = 0; i < maxKeys; ++i)
        if (w->workingColour(i) != f.key(i).backColor)
            return false;
    return true;
}

// The strip as the window shows it: the colours of the pixel column through its middle.
std::vector<QRgb> stripColumn(colori& w) {
    const QImage shot = w.grab().toImage();
    const int x = platform::toPixels((5080 + 5220) / 2.0 + 480);
    std::vector<QRgb> column;
    for (int y = 0; y < platform::toPixels(3000); ++y)
        column.push_back(shot.pixel(x, y) & 0xFFFFFFu);
    return column;
}

} // namespace

// ---- The rule the cascades rest on

TEST(BoxChangeRule, ATextChangeRunsTheHandlerBeforeSetTextReturnsAndTheSameTextRunsNothing) {
    QLineEdit box(QStringLiteral("12"));
    int runs = 0;
    QObject::connect(&box, &QLineEdit::textChanged, [&] { ++runs; });
    box.setText(QStringLiteral("12"));
    EXPECT_EQ(runs, 0);
    box.setText(QStringLiteral("13"));
    EXPECT_EQ(runs, 1) << "run inside setText";
    // A handler that rewrites its own box runs again before its first run goes on.
    std::vector<QString> seen;
    QObject::connect(&box, &QLineEdit::textChanged, [&](const QString& text) {
        seen.push_back(text);
        if (text == QStringLiteral("300"))
            box.setText(QStringLiteral("240"));
        seen.push_back(QStringLiteral("after ") + text);
    });
    box.setText(QStringLiteral("300"));
    EXPECT_EQ(seen, (std::vector<QString>{"300", "240", "after 240", "after 300"}));
}

// ---- The controls

TEST(ColourWindow, HasEveryControlWithItsCaption) {
    ColourFixture f;
    auto w = f.open();
    EXPECT_EQ(w->windowTitle(), "Colori");
    EXPECT_TRUE(w->isModal());
    const std::vector<std::pair<QString, QString>> captions = {
        {ui(w).Label2->text(), "Tonaltà"},
        {ui(w).Label3->text(), "Saturazione"},
        {ui(w).label5->text(), "Luminosità"},
        {ui(w).label6->text(), "Rosso"},
        {ui(w).Label7->text(), "Verde"},
        {ui(w).Label8->text(), "Blu"},
        {ui(w).Command9->text(), "CANCEL"},
        {ui(w).Command4->text(), "CANCEL ALL"},
        {ui(w).Command3->text(), "System Gray"},
        {ui(w).Command1->text(), "OK"},
        {ui(w).Command5->text(), "Preceeding color"},
        {ui(w).Frame1->title(), "Button"},
        {ui(w).Command2[0]->text(), ""},
        {ui(w).Command2[3]->text(), "Dir"},
    };
    for (const auto& [shown, expected] : captions)
        EXPECT_EQ(readAs(shown), expected);
    for (const ombrix::KeyButton* key : ui(w).Command2)
        EXPECT_EQ(key->toolTip(), "Lancia il programma/Launch the program");
    EXPECT_FALSE(ui(w).Command2[0]->icon().isNull()) << "key1.ico from the program folder";
    EXPECT_FALSE(ui(w).Command2[2]->icon().isNull()) << "key2.ico from the program folder";
    for (int i = 0; i < maxKeys; ++i)
        EXPECT_EQ(ui(w).Option1[static_cast<std::size_t>(i)]->text(), QString::number(i + 1));
}

TEST(ColourWindow, NoControlCoversTheColourField) {
    ColourFixture f;
    auto w = f.open();
    const QRect field = ui(w).Label9->geometry();
    EXPECT_EQ(ui(w).Image1->size(), QSize(177, 189)) << "the picture and its border";
    for (const QWidget* control :
         {static_cast<QWidget*>(ui(w).Command9), static_cast<QWidget*>(ui(w).Command4),
          static_cast<QWidget*>(ui(w).Command3), static_cast<QWidget*>(ui(w).Command1),
          static_cast<QWidget*>(ui(w).Command5), static_cast<QWidget*>(ui(w).Frame1),
          static_cast<QWidget*>(ui(w).Command2[0]), static_cast<QWidget*>(ui(w).Command2[3]),
          static_cast<QWidget*>(ui(w).Label4)})
        EXPECT_FALSE(control->geometry().intersects(field)) << control->objectName().toStdString();
}

using C = colori::Controls;

struct AccessKeyRow {
    const char* name;
    Qt::Key key;
    QWidget* (*control)(const C&); // the box that takes the focus, or the button pressed
    QLabel* (*label)(const C&);    // the label that shows the key; none for a button
};

class AccessKeys : public testing::TestWithParam<AccessKeyRow> {};

TEST_P(AccessKeys, AltAndTheUnderlinedLetterReachTheControlAndNoOtherHasIt) {
    const AccessKeyRow& row = GetParam();
    ColourFixture f;
    auto w = f.open(3);
    QApplication::setActiveWindow(w.get());
    QWidget* control = row.control(ui(w));
    QWidget* shower = row.label ? row.label(ui(w)) : control;
    const QChar letter = QChar(static_cast<char16_t>(row.key));
    std::vector<QWidget*> withLetter;
    for (QWidget* child : w->findChildren<QWidget*>()) {
        const auto* label = qobject_cast<QLabel*>(child);
        const auto* button = qobject_cast<QAbstractButton*>(child);
        const QString text = label ? label->text() : button ? button->text() : QString();
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        if (at >= 0 && at + 1 < text.size() && text.at(at + 1).toUpper() == letter)
            withLetter.push_back(child);
    }
    EXPECT_EQ(withLetter, std::vector<QWidget*>{shower});
    auto* button = qobject_cast<QAbstractButton*>(control);
    std::optional<QSignalSpy> clicked;
    if (button)
        clicked.emplace(button, &QAbstractButton::clicked);
    QTest::keyClick(w.get(), row.key, Qt::AltModifier);
    if (button) // the button shows itself pressed a moment first
        EXPECT_TRUE(QTest::qWaitFor([&] { return clicked->count() == 1; }, 2000));
    else
        EXPECT_EQ(QApplication::focusWidget(), control);
}

INSTANTIATE_TEST_SUITE_P(
    Controls, AccessKeys,
    testing::Values(
        AccessKeyRow{"Hue", Qt::Key_T, [](const C& c) -> QWidget* { return c.ton; },
                     [](const C& c) { return c.Label2; }},
        AccessKeyRow{"Saturation", Qt::Key_S, [](const C& c) -> QWidget* { return c.sat; },
                     [](const C& c) { return c.Label3; }},
        AccessKeyRow{"Luminance", Qt::Key_L, [](const C& c) -> QWidget* { return c.lum; },
                     [](const C& c) { return c.label5; }},
        AccessKeyRow{"Red", Qt::Key_R, [](const C& c) -> QWidget* { return c.ROSSO; },
                     [](const C& c) { return c.label6; }},
        AccessKeyRow{"Green", Qt::Key_V, [](const C& c) -> QWidget* { return c.VERDE; },
                     [](const C& c) { return c.Label7; }},
        AccessKeyRow{"Blue", Qt::Key_B, [](const C& c) -> QWidget* { return c.BLUE; },
                     [](const C& c) { return c.Label8; }},
        AccessKeyRow{"Cancel", Qt::Key_C, [](const C& c) -> QWidget* { return c.Command9; },
                     nullptr},
        AccessKeyRow{"CancelAll", Qt::Key_A, [](const C& c) -> QWidget* { return c.Command4; },
                     nullptr},
        AccessKeyRow{"SystemGray", Qt::Key_G, [](const C& c) -> QWidget* { return c.Command3; },
                     nullptr},
        AccessKeyRow{"Ok", Qt::Key_O, [](const C& c) -> QWidget* { return c.Command1; }, nullptr},
        AccessKeyRow{"PreceedingColor", Qt::Key_P,
                     [](const C& c) -> QWidget* { return c.Command5; }, nullptr}),
    [](const testing::TestParamInfo<AccessKeyRow>& info) { return info.param.name; });

struct SelectorRow {
    int index;
    int row;
    int column;
};

class SelectorGrid : public testing::TestWithParam<SelectorRow> {};

TEST_P(SelectorGrid, KeyOrderWithSixtyFourInTheFifthRow) {
    const SelectorRow& r = GetParam();
    const colourwindow::GridPlace place = colourwindow::selectorPlace(r.index);
    EXPECT_EQ(place.row, r.row);
    EXPECT_EQ(place.column, r.column);
}

// Indexes; the captions are one more.
INSTANTIATE_TEST_SUITE_P(Places, SelectorGrid,
                         testing::Values(SelectorRow{0, 0, 0}, SelectorRow{47, 4, 7},
                                         SelectorRow{63, 4, 8}, SelectorRow{48, 4, 9},
                                         SelectorRow{49, 5, 0}, SelectorRow{62, 6, 3},
                                         SelectorRow{64, 6, 4}, SelectorRow{119, 11, 9},
                                         SelectorRow{120, 12, 0}, SelectorRow{127, 12, 7}));

TEST(SelectorGrid, EverySelectorHasAPlaceOfItsOwn) {
    ColourFixture f;
    auto w = f.open();
    std::set<std::pair<int, int>> places;
    for (const QRadioButton* selector : ui(w).Option1)
        places.insert({selector->x(), selector->y()});
    EXPECT_EQ(places.size(), 128u);
}

// ---- Numbers in the boxes

struct StrictRow {
    const char* text;
    std::optional<double> value;
};

class StrictNumber : public testing::TestWithParam<StrictRow> {};

TEST_P(StrictNumber, TakesOnlyAWholeNumber) {
    EXPECT_EQ(colourwindow::strictNumber(GetParam().text), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, StrictNumber,
    testing::Values(StrictRow{" 7 ", 7}, StrictRow{"-4", -4}, StrictRow{".5", 0.5},
                    StrictRow{"1e2", 100}, StrictRow{"", std::nullopt},
                    StrictRow{"12a", std::nullopt}, StrictRow{"-", std::nullopt},
                    StrictRow{"1 2", std::nullopt}, StrictRow{"1e", std::nullopt}));

// ---- Opening and showing a key

struct ShownRow {
    const char* name;
    int key;
    Boxes boxes;
    std::uint32_t samples;
};

class ShowingAKey : public testing::TestWithParam<ShownRow> {};

TEST_P(ShowingAKey, FillsTheBoxesAndPaintsTheSampleKeysAndTheCopy) {
    const ShownRow& r = GetParam();
    ColourFixture f;
    auto w = f.open(5);
    ui(w).Option1[static_cast<std::size_t>(r.key)]->setChecked(true);
    expectBoxes(w, r.boxes);
    EXPECT_TRUE(samplesShow(w, r.samples));
    EXPECT_EQ(painted(f.copy->key(r.key)), r.samples);
    EXPECT_EQ(f.state.selectedKey, r.key);
    EXPECT_EQ(f.editorSelection, r.key) << "the setup window follows";
    EXPECT_TRUE(workingColoursAreTheKeys(w, f)) << "showing a key stores nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Keys, ShowingAKey,
    testing::Values(ShownRow{"PureRed", 0, {"255", "0", "0", "0", "240", "120"}, 0xFF0000},
                    ShownRow{"Black", 1, {"0", "0", "0", "0", "240", "0"}, 0x000000},
                    ShownRow{"SystemGrey", 2, {"0", "0", "128", "160", "240", "60"}, 0xC8C8C8},
                    ShownRow{"DarkRed", 3, {"200", "100", "50", "13", "144", "118"}, 0xC86432},
                    ShownRow{"NightBlue", 4, {"10", "20", "30", "140", "117", "19"}, 0x0A141E}),
    [](const testing::TestParamInfo<ShownRow>& info) { return info.param.name; });

TEST(ColourWindow, OpensOnTheSelectedKeyInBothWindows) {
    ColourFixture f;
    auto w = f.open(3);
    EXPECT_TRUE(ui(w).Option1[3]->isChecked());
    EXPECT_EQ(f.state.selectedKey, 3);
    expectBoxes(w, {"200", "100", "50", "13", "144", "118"});
    EXPECT_TRUE(samplesShow(w, 0xC86432));
    EXPECT_TRUE(workingColoursAreTheKeys(w, f));
    EXPECT_FALSE(f.state.loadingKey);
    EXPECT_TRUE(w->guardsClear());
}

// ---- Cascades

TEST(Cascade, TypingInRedMakesTheWorkingColourAndShowingAGreyKeyKeepsItGrey) {
    ColourFixture f;
    auto w = f.open(3);
    ui(w).ROSSO->setText(QStringLiteral("10"));
    const colour::Hsl hsl = colour::rgbToHsl(10, 100, 50).hsl;
    expectBoxes(w, {"10", "100", "50", colourwindow::numberText(hsl.hue).toUtf8().constData(),
                    colourwindow::numberText(hsl.saturation).toUtf8().constData(),
                    colourwindow::numberText(hsl.luminance).toUtf8().constData()});
    EXPECT_TRUE(samplesShow(w, 0x0A6432));
    const float typed = colourOf(10, 100, 50);
    EXPECT_EQ(w->workingColour(3), typed);
    EXPECT_EQ(painted(f.copy->key(3)), 0x0A6432u) << "the copy shows the typed colour";
    ui(w).Option1[2]->setChecked(true); // the system grey, shown as red 0, green 0, blue 128
    ui(w).Option1[3]->setChecked(true);
    w->Command1_Click();
    EXPECT_EQ(f.key(3).backColor, typed);
    EXPECT_EQ(f.key(2).backColor, -2147483648.0f) << "showing a colour never changes it";
    EXPECT_TRUE(w->guardsClear());
}

TEST(Cascade, TypingInHueChangesTheWorkingColourAndTheCopyButNotTheStrip) {
    ColourFixture f;
    auto w = f.open(3);
    const std::vector<QRgb> strip = stripColumn(*w);
    ui(w).ton->setText(QStringLiteral("80"));
    const colour::Rgb rgb = colour::hslToRgb(80, 144, 118).rgb;
    const float expected = colourOf(rgb.red, rgb.green, rgb.blue);
    EXPECT_EQ(ui(w).VERDE->text(), colourwindow::numberText(rgb.green));
    EXPECT_EQ(w->workingColour(3), expected);
    EXPECT_EQ(painted(f.copy->key(3)), paintedFor(expected));
    EXPECT_TRUE(samplesShow(w, paintedFor(expected)));
    EXPECT_EQ(f.key(3).backColor, darkRed) << "nothing reaches the key table before OK";
    EXPECT_EQ(stripColumn(*w), strip) << "typing does not redraw the strip";
    w->Command1_Click();
    EXPECT_EQ(f.key(3).backColor, expected);
    EXPECT_FALSE(w->isVisible());
}

TEST(Cascade, ShowingAKeyNeverChangesItsWorkingColour) {
    ColourFixture f;
    const float typedColour = colourOf(183, 82, 82); // what hue 0, saturation 100, lum. 125 give
    const colour::Hsl back = colour::rgbToHsl(183, 82, 82).hsl;
    ASSERT_NE(back.saturation, 100) << "the boxes typed differ from the key's own conversion";
    f.key(6).backColor = typedColour;
    auto w = f.open(5);
    ui(w).ton->setText(QStringLiteral("0"));
    ui(w).sat->setText(QStringLiteral("100"));
    ui(w).lum->setText(QStringLiteral("125"));
    ASSERT_EQ(w->workingColour(5), typedColour);
    ui(w).Option1[6]->setChecked(true);
    EXPECT_EQ(w->workingColour(6), typedColour);
    EXPECT_EQ(ui(w).sat->text(), colourwindow::numberText(back.saturation));
}

struct ClampRow {
    const char* name;
    QLineEdit* colori::Controls::*box;
    const char* typed;
    const char* shown;
};

class Clamping : public testing::TestWithParam<ClampRow> {};

TEST_P(Clamping, ABoxOutOfRangeIsHeldToItsEnd) {
    const ClampRow& r = GetParam();
    ColourFixture f;
    auto w = f.open(3);
    QLineEdit* box = ui(w).*(r.box);
    box->setText(QString::fromUtf8(r.typed));
    EXPECT_EQ(box->text(), r.shown);
    EXPECT_TRUE(w->guardsClear());
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, Clamping,
    testing::Values(ClampRow{"HueAbove", &colori::Controls::ton, "300", "240"},
                    ClampRow{"HueBelow", &colori::Controls::ton, "-5", "0"},
                    ClampRow{"SaturationAbove", &colori::Controls::sat, "241", "240"},
                    ClampRow{"LuminanceBelow", &colori::Controls::lum, "-1", "0"},
                    ClampRow{"LuminanceLetters", &colori::Controls::lum, "abc", "abc"},
                    ClampRow{"RedAbove", &colori::Controls::ROSSO, "300", "255"},
                    ClampRow{"BlueBelow", &colori::Controls::BLUE, "-7", "0"},
                    ClampRow{"GreenFraction", &colori::Controls::VERDE, "12.5", "12.5"}),
    [](const testing::TestParamInfo<ClampRow>& info) { return info.param.name; });

class NotANumber : public testing::TestWithParam<const char*> {};

// A red, green or blue box holding no number waits for one: nothing converts, nothing is
// painted, nothing is stored.
TEST_P(NotANumber, InARedGreenOrBlueBoxChangesNothing) {
    ColourFixture f;
    auto w = f.open(3);
    ui(w).BLUE->setText(QString::fromUtf8(GetParam()));
    EXPECT_EQ(ui(w).BLUE->text(), GetParam());
    EXPECT_EQ(ui(w).ton->text(), "13");
    EXPECT_EQ(ui(w).lum->text(), "118");
    EXPECT_TRUE(samplesShow(w, 0xC86432));
    EXPECT_EQ(w->workingColour(3), darkRed);
    ui(w).BLUE->setText(QStringLiteral("60"));
    EXPECT_TRUE(samplesShow(w, 0xC8643C)) << "a number then converts as usual";
    w->Command1_Click();
    EXPECT_EQ(f.key(3).backColor, colourOf(200, 100, 60));
}

INSTANTIATE_TEST_SUITE_P(Texts, NotANumber, testing::Values("", "abc", "12a", "-"));

// ---- Buttons

TEST(Buttons, CancelRestoresOnlyTheSelectedKey) {
    ColourFixture f;
    auto w = f.open(4);
    ui(w).ton->setText(QStringLiteral("40"));
    ui(w).Option1[3]->setChecked(true);
    ui(w).ton->setText(QStringLiteral("80"));
    const float changedFour = w->workingColour(4);
    ASSERT_NE(w->workingColour(3), darkRed);
    QTest::mouseClick(ui(w).Command9, Qt::LeftButton);
    EXPECT_EQ(w->workingColour(3), darkRed);
    EXPECT_EQ(w->workingColour(4), changedFour);
    expectBoxes(w, {"200", "100", "50", "13", "144", "118"});
    EXPECT_EQ(painted(f.copy->key(3)), 0xC86432u);
    EXPECT_EQ(f.clicks, 1) << "the button's click; selecting plays nothing";
    EXPECT_TRUE(w->isVisible());
}

TEST(Buttons, CancelAllRestoresEveryKeyAndSelectsTheFirstInBothWindows) {
    ColourFixture f;
    auto w = f.open(4);
    ui(w).ton->setText(QStringLiteral("40"));
    ui(w).Option1[3]->setChecked(true);
    ui(w).ton->setText(QStringLiteral("80"));
    const int clicks = f.clicks;
    QTest::mouseClick(ui(w).Command4, Qt::LeftButton);
    EXPECT_TRUE(workingColoursAreTheKeys(w, f));
    EXPECT_TRUE(ui(w).Option1[0]->isChecked());
    EXPECT_EQ(f.editorSelection, 0);
    EXPECT_EQ(f.state.selectedKey, 0);
    EXPECT_EQ(painted(f.copy->key(3)), 0xC86432u);
    EXPECT_EQ(painted(f.copy->key(4)), paintedFor(f.key(4).backColor));
    expectBoxes(w, {"255", "0", "0", "0", "240", "120"});
    EXPECT_EQ(f.clicks, clicks) << "no sound";
}

TEST(Buttons, SystemGrayShowsDarkBlueButPaintsAndStoresTheSystemGrey) {
    ColourFixture f;
    auto w = f.open(0);
    QTest::mouseClick(ui(w).Command3, Qt::LeftButton);
    expectBoxes(w, {"0", "0", "128", "160", "240", "60"});
    EXPECT_TRUE(samplesShow(w, 0xC8C8C8));
    EXPECT_EQ(painted(f.copy->key(0)), 0xC8C8C8u);
    EXPECT_EQ(f.key(0).backColor, pureRed);
    QTest::mouseClick(ui(w).Command1, Qt::LeftButton);
    EXPECT_EQ(f.key(0).backColor, -2147483648.0f);
    EXPECT_EQ(painted(f.copy->key(0)), 0xC8C8C8u);
}

TEST(Buttons, PreceedingColorCopiesTheKeyBefore) {
    ColourFixture f;
    auto w = f.open(4);
    QTest::mouseClick(ui(w).Command5, Qt::LeftButton);
    EXPECT_EQ(w->workingColour(4), darkRed);
    expectBoxes(w, {"200", "100", "50", "13", "144", "118"});
    EXPECT_EQ(painted(f.copy->key(4)), 0xC86432u);
}

TEST(Buttons, PreceedingColorOnTheFirstKeyOnlyClicks) {
    ColourFixture f;
    auto w = f.open(0);
    const int clicks = f.clicks;
    QTest::mouseClick(ui(w).Command5, Qt::LeftButton);
    EXPECT_TRUE(workingColoursAreTheKeys(w, f));
    expectBoxes(w, {"255", "0", "0", "0", "240", "120"});
    EXPECT_EQ(f.clicks, clicks + 1);
}

TEST(Buttons, OkStoresEveryWorkingColourAndPaintsTheCopy) {
    ColourFixture f;
    auto w = f.open(7);
    ui(w).lum->setText(QStringLiteral("30"));
    ui(w).Option1[8]->setChecked(true);
    QTest::mouseClick(ui(w).Command5, Qt::LeftButton);
    const float chosen = w->workingColour(7);
    QTest::mouseClick(ui(w).Command1, Qt::LeftButton);
    EXPECT_EQ(f.key(7).backColor, chosen);
    EXPECT_EQ(f.key(8).backColor, chosen);
    EXPECT_EQ(painted(f.copy->key(8)), paintedFor(chosen));
    EXPECT_EQ(w->result(), QDialog::Accepted);
}

TEST(Buttons, ClosingTheWindowStoresNothingAndTheCopyShowsTheKeysAgain) {
    ColourFixture f;
    auto w = f.open(3);
    ui(w).ton->setText(QStringLiteral("100"));
    ASSERT_NE(painted(f.copy->key(3)), 0xC86432u);
    w->close();
    EXPECT_EQ(f.key(3).backColor, darkRed);
    EXPECT_EQ(painted(f.copy->key(3)), 0xC86432u);
}

TEST(Buttons, ASampleKeyOnlyClicks) {
    ColourFixture f;
    auto w = f.open(3);
    const int clicks = f.clicks;
    f.state.soundOn = false;
    QTest::mouseClick(ui(w).Command2[1], Qt::LeftButton);
    EXPECT_EQ(f.clicks, clicks) << "no sound while sound is off";
    f.state.soundOn = true;
    QTest::mouseClick(ui(w).Command2[1], Qt::LeftButton);
    EXPECT_EQ(f.clicks, clicks + 1);
    EXPECT_TRUE(workingColoursAreTheKeys(w, f));
    EXPECT_TRUE(samplesShow(w, 0xC86432));
}

TEST(Buttons, BackgroundColorOpensTheWindowModallyOverTheEditor) {
    ColourFixture f;
    f.selectInEditor(3);
    QWidget editor;
    editor.show();
    bool sawWindow = false;
    QTimer::singleShot(0, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            auto* window = qobject_cast<colori*>(top);
            if (!window || !window->isVisible())
                continue;
            sawWindow =
                window == QApplication::activeModalWidget() && window->parentWidget() == &editor;
            window->controls().ton->setText(QStringLiteral("160"));
            window->controls().Command1->click();
        }
    });
    openColourWindow(f.windowContext(), &editor);
    EXPECT_TRUE(sawWindow);
    const colour::Rgb rgb = colour::hslToRgb(160, 144, 118).rgb;
    EXPECT_EQ(f.key(3).backColor, colourOf(rgb.red, rgb.green, rgb.blue));
}

// ---- The colour field

struct PixelRow {
    int column, row;
    int red, green, blue;
};

class FieldPicture : public testing::TestWithParam<PixelRow> {};

TEST_P(FieldPicture, HoldsTheSampleColours) {
    const PixelRow& p = GetParam();
    static const QImage picture = colourwindow::colourFieldPicture();
    ASSERT_EQ(picture.size(), QSize(175, 187));
    EXPECT_EQ(picture.pixel(p.column, p.row) & 0xFFFFFFu, qRgb(p.red, p.green, p.blue) & 0xFFFFFFu);
}

INSTANTIATE_TEST_SUITE_P(
    Samples, FieldPicture,
    testing::Values(PixelRow{0, 0, 255, 0, 0}, PixelRow{15, 0, 255, 128, 0},
                    PixelRow{29, 0, 255, 255, 0}, PixelRow{58, 0, 0, 255, 0},
                    PixelRow{87, 0, 0, 255, 255}, PixelRow{116, 0, 0, 0, 255},
                    PixelRow{145, 0, 255, 0, 255}, PixelRow{174, 0, 255, 0, 0},
                    PixelRow{0, 93, 191, 64, 64}, PixelRow{58, 93, 64, 191, 64},
                    PixelRow{116, 93, 64, 64, 191}, PixelRow{0, 186, 132, 123, 123},
                    PixelRow{58, 186, 123, 132, 123}, PixelRow{116, 186, 123, 123, 132}));

struct DragRow {
    const char* name;
    double x, y; // twips within the field's mouse surface
    const char* hue;
    const char* saturation;
    bool heldOnEdge;
};

class FieldDrag : public testing::TestWithParam<DragRow> {};

TEST_P(FieldDrag, SetsHueAndSaturationAndTheSelectedKeysColour) {
    const DragRow& r = GetParam();
    ColourFixture f;
    auto w = f.open(3);
    w->Label9_MouseDown(1000, 1000);
    w->Label9_MouseMove(r.x, r.y);
    EXPECT_EQ(ui(w).ton->text(), r.hue);
    EXPECT_EQ(ui(w).sat->text(), r.saturation);
    const colour::Rgb rgb =
        colour::hslToRgb(ui(w).ton->text().toDouble(), ui(w).sat->text().toDouble(), 118).rgb;
    EXPECT_EQ(w->workingColour(3), colourOf(rgb.red, rgb.green, rgb.blue));
    EXPECT_EQ(ui(w).ROSSO->text(), colourwindow::numberText(rgb.red));
    EXPECT_EQ(ui(w).Label9->cursor().shape(), r.heldOnEdge ? Qt::BlankCursor : Qt::CrossCursor);
    EXPECT_EQ(ui(w).Image2->isVisibleTo(w.get()), r.heldOnEdge);
    EXPECT_TRUE(w->guardsClear()) << "between moves";
    w->Label9_MouseUp();
    EXPECT_TRUE(ui(w).Image2->isVisibleTo(w.get()));
    EXPECT_EQ(ui(w).Label9->cursor().shape(), Qt::ArrowCursor);
}

INSTANTIATE_TEST_SUITE_P(
    Places, FieldDrag,
    testing::Values(DragRow{"Middle", 1327.5, 1417.5, "120", "120", false},
                    DragRow{"LeftEdge", 0, 1417.5, "0", "120", true},
                    DragRow{"PastTopLeft", -300, -300, "0", "240", true},
                    DragRow{"RightmostPixel", 2640, 15, "239", "239", false},
                    DragRow{"PastRight", 4000, 1417.5, "240", "120", true},
                    DragRow{"PastBottom", 1327.5, 4000, "120", "0", true},
                    DragRow{"NearBottomSnapsToIt", 1327.5, 2730, "120", "0", true}),
    [](const testing::TestParamInfo<DragRow>& info) { return info.param.name; });

TEST(FieldDrag, AMoveWithoutAPressDoesNothing) {
    ColourFixture f;
    auto w = f.open(3);
    w->Label9_MouseMove(1327.5, 1417.5);
    expectBoxes(w, {"200", "100", "50", "13", "144", "118"});
}

TEST(FieldDrag, APressAloneLeavesTheColourAndDrawsTheStripInGreys) {
    ColourFixture f;
    auto w = f.open(3);
    QTest::mousePress(ui(w).Label9, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_FALSE(ui(w).Image2->isVisibleTo(w.get()));
    EXPECT_EQ(ui(w).Label9->cursor().shape(), Qt::CrossCursor);
    QTest::mouseRelease(ui(w).Label9, Qt::LeftButton, {}, QPoint(50, 50));
    EXPECT_TRUE(workingColoursAreTheKeys(w, f));
    expectBoxes(w, {"200", "100", "50", "13", "144", "118"});
    const std::vector<QRgb> strip = stripColumn(*w);
    const std::set<QRgb> shades(strip.begin(), strip.end());
    EXPECT_TRUE(shades.count(0x000000) && shades.count(0xFFFFFF));
    for (QRgb shade : shades) {
        const int r = qRed(shade);
        EXPECT_TRUE(r == qGreen(shade) && r == qBlue(shade)) << std::hex << shade;
    }
}

TEST(FieldDrag, TheStripStaysGreyDuringTheDragAndFollowsOnRelease) {
    ColourFixture f;
    auto w = f.open(3);
    QTest::mousePress(ui(w).Label9, Qt::LeftButton, {}, QPoint(10, 10));
    const std::vector<QRgb> grey = stripColumn(*w);
    QTest::mouseMove(ui(w).Label9, QPoint(100, 40));
    w->Label9_MouseMove(1500, 600); // the offscreen platform may drop a synthetic move
    EXPECT_EQ(stripColumn(*w), grey);
    EXPECT_NE(w->workingColour(3), darkRed);
    QTest::mouseRelease(ui(w).Label9, Qt::LeftButton, {}, QPoint(100, 40));
    EXPECT_NE(stripColumn(*w), grey);
    EXPECT_EQ(f.key(3).backColor, darkRed);
}

struct CrossRow {
    const char* hue;
    const char* saturation;
    double left, top;
};

class CrossMarker : public testing::TestWithParam<CrossRow> {};

TEST_P(CrossMarker, FollowsTypedHueAndSaturation) {
    const CrossRow& r = GetParam();
    ColourFixture f;
    auto w = f.open(3);
    ui(w).ton->setText(QString::fromUtf8(r.hue));
    ui(w).sat->setText(QString::fromUtf8(r.saturation));
    EXPECT_DOUBLE_EQ(w->crossLeft(), r.left);
    EXPECT_DOUBLE_EQ(w->crossTop(), r.top);
}

INSTANTIATE_TEST_SUITE_P(
    Edges, CrossMarker,
    testing::Values(CrossRow{"0", "240", 1620, 60},
                    CrossRow{"240", "0", 1620 + 240 * 11.06, 60 + 240 * 11.81},
                    CrossRow{"300", "-20", 1620 + 240 * 11.06, 60 + 240 * 11.81},
                    CrossRow{"120", "120", 1620 + 120 * 11.06, 60 + 120 * 11.81}));

// ---- The luminance strip

TEST(Strip, RunsFromBlackThroughTheColourToWhiteAndSurvivesBeingCovered) {
    ColourFixture f;
    auto w = f.open(3);
    const std::vector<QRgb> strip = stripColumn(*w);
    const colour::StripColour middle = w->stripColour();
    // The outer rows of the five-pixel lines show only the top and the bottom line.
    const int topRow = platform::toPixels(170) - 1;
    const int bottomRow = platform::toPixels(2920) + 1;
    EXPECT_EQ(strip[static_cast<std::size_t>(topRow)], 0xFFFFFFu);
    EXPECT_EQ(strip[static_cast<std::size_t>(bottomRow)], 0x000000u);
    // The row through line 125 shows one of the lines drawn near it.
    const QRgb shown = strip[static_cast<std::size_t>(platform::toPixels(1545))];
    bool nearMiddle = false;
    for (int line = 120; line <= 130; ++line)
        nearMiddle =
            nearMiddle || shown == paintedRgb(composeColour(colour::stripShade(middle.red, line),
                                                            colour::stripShade(middle.green, line),
                                                            colour::stripShade(middle.blue, line)));
    EXPECT_TRUE(nearMiddle) << std::hex << shown;
    w->hide();
    w->show();
    EXPECT_EQ(stripColumn(*w), strip);
}

struct ArrowRow {
    const char* luminance;
    double top;
};

class ArrowMarker : public testing::TestWithParam<ArrowRow> {};

TEST_P(ArrowMarker, FollowsTypedLuminance) {
    ColourFixture f;
    auto w = f.open(3);
    ui(w).lum->setText(QString::fromUtf8(GetParam().luminance));
    EXPECT_DOUBLE_EQ(w->arrowTop(), GetParam().top);
}

INSTANTIATE_TEST_SUITE_P(Luminances, ArrowMarker,
                         testing::Values(ArrowRow{"120", 1440}, ArrowRow{"0", 2880},
                                         ArrowRow{"240", 0}, ArrowRow{"300", 0}));

struct StripPressRow {
    const char* name;
    double y; // twips within the strip's mouse surface
    const char* luminance;
};

class StripPress : public testing::TestWithParam<StripPressRow> {};

TEST_P(StripPress, SetsTheLuminanceRoundedDown) {
    const StripPressRow& r = GetParam();
    ColourFixture f;
    auto w = f.open(3);
    w->Label4_MouseDown(100, r.y);
    EXPECT_EQ(ui(w).lum->text(), r.luminance);
    const double luminance = ui(w).lum->text().toDouble();
    EXPECT_DOUBLE_EQ(w->arrowTop(), (240 - luminance) * 12) << "snapped to the luminance";
    const colour::Rgb rgb = colour::hslToRgb(13, 144, luminance).rgb;
    EXPECT_EQ(w->workingColour(3), colourOf(rgb.red, rgb.green, rgb.blue));
}

INSTANTIATE_TEST_SUITE_P(Places, StripPress,
                         testing::Values(StripPressRow{"ArrowTop1445", 1445 - 120 + 127.5, "119"},
                                         StripPressRow{"ArrowTop1440", 1440 - 120 + 127.5, "120"},
                                         StripPressRow{"AboveTheTop", -500, "240"},
                                         StripPressRow{"BelowTheBottom", 5000, "0"}),
                         [](const testing::TestParamInfo<StripPressRow>& info) {
                             return info.param.name;
                         });

struct StripMoveRow {
    const char* name;
    double x;
    bool changes;
};

class StripMove : public testing::TestWithParam<StripMoveRow> {};

TEST_P(StripMove, ChangesTheLuminanceOnlyOverTheStrip) {
    const StripMoveRow& r = GetParam();
    ColourFixture f;
    auto w = f.open(3);
    w->Label4_MouseDown(100, 1440 - 120 + 127.5);
    ASSERT_EQ(ui(w).lum->text(), "120");
    w->Label4_MouseMove(r.x, 2880 - 120 + 127.5);
    EXPECT_EQ(ui(w).lum->text(), r.changes ? "0" : "120");
    w->Label4_MouseUp();
    w->Label4_MouseMove(300, 120);
    EXPECT_EQ(ui(w).lum->text(), r.changes ? "0" : "120") << "no drag after the release";
}

INSTANTIATE_TEST_SUITE_P(Sideways, StripMove,
                         testing::Values(StripMoveRow{"OverTheStrip", 300, true},
                                         StripMoveRow{"AtTheReach", 640, true},
                                         StripMoveRow{"BeyondTheReach", 650, false},
                                         StripMoveRow{"OffToTheRight", 900, false},
                                         StripMoveRow{"OffToTheLeft", -20, false}),
                         [](const testing::TestParamInfo<StripMoveRow>& info) {
                             return info.param.name;
                         });

// ---- Large text

struct LargeTextRow {
    const char* name;
    ScreenSize areaPixels; // width, height, left, top
    double scale;          // 0: as large as still fits
};

class LargeText : public testing::TestWithParam<LargeTextRow> {};

TEST_P(LargeText, TheWindowAndItsTextsGrowWithTheDesktopFontAndLieOnTheArea) {
    const LargeTextRow& row = GetParam();
    ColourFixture f;
    const QSize designed = f.open()->size();
    const double t = platform::toTwips(1);
    const ScreenSize& a = row.areaPixels;
    const ScreenSize area{a.width * t, a.height * t, a.left * t, a.top * t};
    ColourWindowContext context = f.windowContext();
    context.area = [area] { return area; };
    const ApplicationFont desktop(14);
    QWidget editor;
    editor.setGeometry(static_cast<int>(a.left + a.width) - 300,
                       static_cast<int>(a.top + a.height) - 200, 400, 300);
    editor.show();
    std::optional<QRect> framed;
    double scale = 0;
    int textPixels = 0;
    QRect field, cross;
    std::pair<QString, QString> dragged;
    QTimer::singleShot(0, [&] {
        auto* w = qobject_cast<colori*>(QApplication::activeModalWidget());
        if (!w)
            return;
        framed = QRect(w->pos(), w->size() + QSize(8, 36));
        scale = w->scale();
        textPixels = w->font().pixelSize();
        w->controls().ton->setText(QStringLiteral("120"));
        w->controls().sat->setText(QStringLiteral("120"));
        field = w->controls().Image1->geometry();
        cross = w->controls().Image2->geometry();
        // A drag to the field's middle reads as the middle at any scale.
        QWidget* surface = w->controls().Label9;
        const QPointF middle = QPointF(1327.5, 1417.5) * w->scale() / platform::twipsPerPixel();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseMove}) {
            QMouseEvent event(type, middle, surface->mapToGlobal(middle), Qt::LeftButton,
                              Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(surface, &event);
        }
        dragged = {w->controls().ton->text(), w->controls().sat->text()};
        w->close();
    });
    openColourWindow(context, &editor);
    ASSERT_TRUE(framed);
    if (row.scale > 0)
        EXPECT_DOUBLE_EQ(scale, row.scale);
    else
        EXPECT_GT(scale, 1.3) << "as large as the area allows";
    EXPECT_NEAR(framed->width() - 8, designed.width() * scale, 2);
    EXPECT_NEAR(framed->height() - 36, designed.height() * scale, 2);
    EXPECT_NEAR(textPixels, 11 * scale, 1);
    EXPECT_TRUE(QRect(a.left, a.top, a.width, a.height).contains(*framed))
        << "the window and its frame lie on the area";
    EXPECT_NEAR(field.width(), 175 * scale + 2, 2) << "the colour field grows, not its border";
    EXPECT_TRUE(field.contains(cross.center())) << "the cross stays on the field";
    EXPECT_EQ(dragged, std::make_pair(QStringLiteral("120"), QStringLiteral("120")));
}

INSTANTIATE_TEST_SUITE_P(Areas, LargeText,
                         testing::Values(LargeTextRow{"Roomy", {1920, 1080, 0, 0}, 14.0 / 9.0},
                                         LargeTextRow{"LowBelowAPanel", {1024, 738, 0, 30}, 0}),
                         [](const testing::TestParamInfo<LargeTextRow>& info) {
                             return info.param.name;
                         });

// On an area smaller than the design (a small screen at double scale, below the bar copy) the
// window lies on the area and its drawing scrolls: every control keeps its place and size,
// and the focus brings the one it reaches into view.
TEST(SmallArea, TheWindowLiesOnTheAreaAndScrollsToTheFocusedControl) {
    ColourFixture f;
    const QSize designed = f.open()->size();
    const double t = platform::toTwips(1);
    const ScreenSize area{683 * t, 300 * t, 0, 40 * t};
    ColourWindowContext context = f.windowContext();
    context.area = [area] { return area; };
    colori window(context);
    placeWithinArea(window, nullptr, area);
    window.show();
    QApplication::setActiveWindow(&window);
    const QRect framed(window.pos(), window.size() + QSize(8, 36));
    EXPECT_TRUE(QRect(0, 40, 683, 300).contains(framed)) << "the window and its frame lie on it";
    EXPECT_EQ(window.canvas()->size(), designed) << "the drawing keeps the design's size";
    auto* scroller = window.findChild<QScrollArea*>();
    ASSERT_TRUE(scroller);
    QPushButton* ok = window.controls().Command1;
    ok->setFocus();
    QApplication::processEvents();
    const QRect seen(ok->mapTo(scroller->viewport(), QPoint(0, 0)), ok->size());
    EXPECT_TRUE(scroller->viewport()->rect().contains(seen)) << "OK scrolled into view";
}
