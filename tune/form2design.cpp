#include "tune/form2.h"

#include "platform/screen.h"
#include "platform/translation.h"
#include "tune/filechooser.h"
#include "tune/form2fields.h"
#include "tune/form3.h"
#include "tune/keyeditoraccess.h"
#include "tune/typedtext.h"
#include "widgets/choicefocus.h"
#include "widgets/design.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <iterator>

// The key editor's design: every control drawn at its place, in the desktop font's scale, and
// wired to the handler named after it.
namespace ombrix {

using namespace form2fields;

namespace {

// Places inside a frame are relative to the frame.
using design::Place;

// The design was drawn for a narrower typeface than a desktop's usual one: the whole window is
// drawn a fifth larger so that every text keeps the room it had.
constexpr double designScale = 1.2;
// Each window made sets the scale again: the design's, times the desktop font's growth.
design::Drawing drawing{designScale};

constexpr double clientWidth = 9480;
constexpr double clientHeight = 5808;

constexpr Place check1Place{6840, 0, 2535, 255};
constexpr Place check2Place{6840, 240, 2535, 372};
constexpr Place check5Place{6840, 720, 2460, 375};
constexpr Place check4Place{6840, 1080, 2535, 495};
constexpr Place label4Place{4800, 100, 1692, 372};
constexpr Place text4Place{5560, 440, 372, 288}; // below the two lines of Label4
constexpr Place label5Place{4800, 480, 1092, 252};
constexpr Place label2Place{4560, 840, 1540, 396};
constexpr Place text1Place{6120, 840, 495, 285};
constexpr Place label9Place{4560, 1320, 1812, 492};
constexpr Place smallIconPlace{6540, 1320, 300, 300};
constexpr Place check3Place{6840, 1680, 1215, 435};
constexpr Place image1Place{8160, 1680, 400, 400}; // room for a 32 x 32 picture
// The icon bar and the move bar are long enough to drag and to show their thumb: the icon bar
// on a line of its own under the icon, the move bar under its caption.
constexpr Place hScroll1Place{7200, 2100, 2180, 240}; // right of the pop-up text box
constexpr Place label1Place{8640, 1800, 380, 195};    // room for "125"
constexpr Place label3Place{4800, 1920, 2052, 252};
constexpr Place text2Place{4680, 2160, 2412, 285};
constexpr Place label6Place{7200, 2400, 2180, 492}; // ends inside the window
constexpr Place label7Place{7200, 2930, 400, 252};  // "Left" and "Right" need a little more
constexpr Place hScroll2Place{7620, 2900, 1380, 252};
constexpr Place label8Place{9020, 2930, 440, 252};
constexpr Place drive1Place{240, 240, 2055, 315};
constexpr Place dir1Place{240, 720, 2055, 1710};
constexpr Place file1Place{2400, 240, 1935, 1608};
constexpr Place command4Place{2400, 2100, 1932, 372};
constexpr Place kindFramePlace{360, 2400, 4212, 615};
constexpr Place option2Place{120, 240, 700, 315}; // each option ends where the next begins
constexpr Place option3Place{820, 240, 500, 315};
constexpr Place option5Place{1320, 240, 700, 315};
constexpr Place option4Place{2040, 200, 2100, 372};
constexpr Place text3Place{240, 3120, 6852, 288};
constexpr Place command2Place{4800, 2640, 975, 375};
constexpr Place command1Place{6120, 2640, 975, 375};
constexpr Place selectorFramePlace{60, 3460, 9372, 2292};

constexpr double selectorWidth = 550;
constexpr double selectorHeight = 240;
constexpr int selectorsPerRow = 16;
// The first column sits a little further left than drawn, so that "113" fits before column 2.
constexpr std::array<double, selectorsPerRow> selectorLefts = {
    60, 600, 1176, 1764, 2340, 2916, 3504, 4080, 4656, 5244, 5820, 6396, 6984, 7560, 8136, 8724};

constexpr int highestMovePlace = maxKeys;

QLineEdit* textBox(QWidget* parent, const char* text, const Place& place, const char* name) {
    return drawing.place(new QLineEdit(QString::fromUtf8(text), parent), place, name);
}

QScrollBar* scrollBar(QWidget* parent, int highest, const Place& place, const char* name) {
    auto* bar = drawing.place(new QScrollBar(Qt::Horizontal, parent), place, name);
    bar->setRange(0, highest);
    bar->setPageStep(10); // a click beside the thumb goes ten places: any picture in a few
    return bar;
}

// The room an option's circle and text take in its own font.
int neededWidth(const QRadioButton* option) {
    const QStyle* style = option->style();
    QString text = option->text();
    text.remove(QLatin1Char('&'));
    return style->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, option) +
           style->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, option) +
           option->fontMetrics().horizontalAdvance(text) + 2;
}

// The design gives each option of a row just the room its text takes in the design's font; in
// a wider one (a Japanese desktop's) the next option's circle would cover the text's last
// letter. Each option keeps its design place unless the one before needs more room: then it
// moves right just enough, and the last, whose text wraps, keeps its right edge.
void fitSideBySide(std::initializer_list<QRadioButton*> options) {
    int nextFree = 0;
    const QRadioButton* last = *std::prev(options.end());
    for (QRadioButton* option : options) {
        const QRect place = option->geometry();
        const int left = std::max(place.left(), nextFree);
        const int width = option == last ? place.right() + 1 - left
                                         : std::max(place.right() + 1 - left, neededWidth(option));
        option->setGeometry(left, place.top(), width, place.height());
        nextFree = left + width;
    }
}

} // namespace

void Form2::drawDesign() {
    textScale_ =
        keyEditorTextScale(clientWidth * designScale, clientHeight * designScale, screenNow());
    drawing.scale = designScale * textScale_;
    QFont designFont = font();
    designFont.setPixelSize(static_cast<int>(std::lround(11 * textScale_)));
    setFont(designFont);
    setFixedSize(platform::toPixels(clientWidth * drawing.scale),
                 platform::toPixels(clientHeight * drawing.scale));
    createKeyListControls();
    createKeyFields();
    createIconControls();
    createTargetControls();
    createSelectors();
}

void Form2::fitKindOptions() {
    fitSideBySide({c_.Option2, c_.Option3, c_.Option5, c_.Option4});
}

void Form2::createKeyListControls() {
    c_.Check1 =
        drawing.checkBox(this, QT_TRANSLATE_NOOP("Ombrix", "Suono/Sound"), check1Place, "Check1");
    c_.Check1->setChecked(true);
    c_.Check2 = drawing.checkBox(this, QT_TRANSLATE_NOOP("Ombrix", "Doppio click /double click"),
                                 check2Place, "Check2");
    c_.Check2->setChecked(true);
    c_.Check5 = drawing.checkBox(this, QT_TRANSLATE_NOOP("Ombrix", "Run on Windows start up"),
                                 check5Place, "Check5");
    c_.Check4 = drawing.checkBox(
        this, QT_TRANSLATE_NOOP("Ombrix", "Mostra tutti i tasti /Show all the keys"), check4Place,
        "Check4");
    c_.Label4 = drawing.label(this, QT_TRANSLATE_NOOP("Ombrix", "Numero tasti/Number of keys"),
                              label4Place, "Label4", design::Wrap::Yes);
    c_.Text4 = textBox(this, "128", text4Place, "Text4");
    c_.Label5 = drawing.label(this, QT_TRANSLATE_NOOP("Ombrix", "Max.: 128"), label5Place, "Label5",
                              design::Wrap::Yes);
    c_.Text4->raise(); // the label's box reaches under the number box; a click is the box's
    c_.Label6 = drawing.label(
        this, QT_TRANSLATE_NOOP("Ombrix", "Muovi il tasto selezionato / Move the checked key"),
        label6Place, "Label6", design::Wrap::Yes);
    c_.Label7 = drawing.label(this, QT_TRANSLATE_NOOP("Ombrix", "Left"), label7Place, "Label7",
                              design::Wrap::Yes);
    c_.HScroll2 = scrollBar(this, highestMovePlace, hScroll2Place, "HScroll2");
    c_.HScroll2->setTracking(false); // a drag changes the value only when the thumb is let go
    c_.Label8 = drawing.label(this, QT_TRANSLATE_NOOP("Ombrix", "Right"), label8Place, "Label8",
                              design::Wrap::Yes);
}

void Form2::createKeyFields() {
    c_.Label2 =
        drawing.label(this, QT_TRANSLATE_NOOP("Ombrix", "Testo del pulsante Button's caption"),
                      label2Place, "Label2", design::Wrap::Yes);
    c_.Text1 = textBox(this, "", text1Place, "Text1");
    limitToCharacters(c_.Text1, captionWidth);
    c_.Label3 = drawing.label(this, QT_TRANSLATE_NOOP("Ombrix", "PopUp testo / PopUp text"),
                              label3Place, "Label3", design::Wrap::Yes);
    c_.Text2 = textBox(this, "Description of the key", text2Place, "Text2");
    limitToCharacters(c_.Text2, toolTipWidth);
    c_.Text3 = textBox(this, "", text3Place, "Text3");
    c_.Command2 =
        drawing.button(this, QT_TRANSLATE_NOOP("Ombrix", "Setup"), command2Place, "Command2");
    c_.command1 =
        drawing.button(this, QT_TRANSLATE_NOOP("Ombrix", "EXIT"), command1Place, "command1");
}

void Form2::createIconControls() {
    c_.Label9 = drawing.label(this, QT_TRANSLATE_NOOP("Ombrix", "Scegli l'icona/Choose the icon"),
                              label9Place, "Label9", design::Wrap::Yes);
    c_.SmallIconPicture = drawing.place(new QLabel(this), smallIconPlace, "SmallIconPicture");
    c_.SmallIconPicture->setAlignment(Qt::AlignCenter);
    c_.Check3 = drawing.checkBox(this, QT_TRANSLATE_NOOP("Ombrix", "Originale / Original"),
                                 check3Place, "Check3");
    c_.Check3->setChecked(true);
    c_.Image1 = drawing.place(new QLabel(this), image1Place, "Image1");
    c_.Image1->setAlignment(Qt::AlignCenter);
    c_.HScroll1 = scrollBar(this, highestIconNumber, hScroll1Place, "HScroll1");
    c_.Label1 = drawing.place(new QLabel(this), label1Place, "Label1");
}

void Form2::createTargetControls() {
    c_.Drive1 = drawing.place(new DriveList(this), drive1Place, "Drive1");
    c_.Dir1 = drawing.place(new FolderList(this), dir1Place, "Dir1");
    c_.File1 = drawing.place(new FileList(this), file1Place, "File1");
    const std::filesystem::path home = QDir::homePath().toStdString();
    c_.Drive1->setDriveOf(home);
    c_.Dir1->setPath(home);
    c_.File1->setPattern(QString::fromLatin1(programPattern));
    c_.File1->setPath(c_.Dir1->path());
    c_.Command4 = drawing.button(this, QT_TRANSLATE_NOOP("Ombrix", "Background Color"),
                                 command4Place, "Command4");

    c_.KindFrame = drawing.place(new QGroupBox(this), kindFramePlace, "KindFrame");
    c_.Option2 = drawing.optionButton(c_.KindFrame, "exe", option2Place, "Option2");
    c_.Option3 = drawing.optionButton(c_.KindFrame, "file", option3Place, "Option3");
    c_.Option5 = drawing.optionButton(c_.KindFrame, "html", option5Place, "Option5");
    c_.Option4 = drawing.optionButton(
        c_.KindFrame, QT_TRANSLATE_NOOP("Ombrix", "Insert Key to shut down the computer"),
        option4Place, "Option4");
    c_.Option2->setChecked(true);
    // Passing over the shut-down option with the arrows must never make the key a shut-down key.
    new ArrowsMoveFocusOnly({c_.Option2, c_.Option3, c_.Option5, c_.Option4}, c_.KindFrame);
}

void Form2::createSelectors() {
    c_.SelectorFrame = drawing.place(new QGroupBox(translate("Ombrix", "Button"), this),
                                     selectorFramePlace, "SelectorFrame");
    c_.keySelectors = new QButtonGroup(this);
    c_.keySelectors->setExclusive(true);
    QFont smallFonts(QStringLiteral("Small Fonts"));
    smallFonts.setPixelSize(static_cast<int>(std::lround(10 * textScale_)));
    for (int i = 0; i < maxKeys; ++i) {
        const int row = i / selectorsPerRow;
        const Place place{selectorLefts[static_cast<std::size_t>(i % selectorsPerRow)],
                          240.0 + selectorHeight * row, selectorWidth, selectorHeight};
        auto* selector = new QRadioButton(QString::number(i + 1), c_.SelectorFrame);
        selector->setGeometry(drawing.pixels(place));
        selector->setObjectName(QStringLiteral("Option1_%1").arg(i));
        selector->setFont(smallFonts);
        c_.keySelectors->addButton(selector, i);
        c_.Option1[static_cast<std::size_t>(i)] = selector;
    }
}

void Form2::connectHandlers() {
    for (int i = 0; i < maxKeys; ++i) {
        connect(selector(i), &QRadioButton::toggled, this, [this, i](bool checked) {
            if (checked)
                Option1_Click(i);
        });
    }
    connect(c_.HScroll1, &QScrollBar::valueChanged, this, [this] { HScroll1_Change(); });
    connect(c_.Check3, &QCheckBox::toggled, this, [this] { Check3_Click(); });
    connect(c_.Command4, &QPushButton::clicked, this, [this] { Command4_Click(); });
    connect(c_.Text4, &QLineEdit::textChanged, this, [this] { Text4_Change(); });
    connect(c_.Text4, &QLineEdit::returnPressed, this, [this] { Text4_LostFocus(); });
    c_.Text4->installEventFilter(this);
    connect(c_.Check4, &QCheckBox::toggled, this, [this] { Check4_Click(); });
    connect(c_.HScroll2, &QScrollBar::valueChanged, this, [this] { HScroll2_Change(); });
    connect(c_.HScroll2, &QScrollBar::sliderMoved, this, [this](int v) { HScroll2_Scroll(v); });
    // The preview of a drag ends with the drag; a changed value then moves the key.
    connect(c_.HScroll2, &QScrollBar::sliderReleased, this,
            [this] { context_.barCopy->showMarkerAround(state_.selectedKey); });
    connectChooserHandlers();
}

void Form2::connectChooserHandlers() {
    connect(c_.Drive1, &DriveList::driveChanged, this, [this] { Drive1_Change(); });
    connect(c_.Dir1, &FolderList::pathChanged, this, [this] { Dir1_Change(); });
    connect(c_.Dir1, &FolderList::folderClicked, this, [this] { Dir1_Click(); });
    connect(c_.File1, &FileList::fileClicked, this, [this] { File1_Click(); });
    connect(c_.File1, &FileList::fileDoubleClicked, this, [this] { File1_DblClick(); });
    const auto onChecked = [this](QRadioButton* option, void (Form2::*handler)()) {
        connect(option, &QRadioButton::toggled, this, [this, handler](bool checked) {
            if (checked)
                (this->*handler)();
        });
    };
    onChecked(c_.Option2, &Form2::Option2_Click);
    onChecked(c_.Option3, &Form2::Option3_Click);
    onChecked(c_.Option4, &Form2::Option4_Click);
    onChecked(c_.Option5, &Form2::Option5_Click);
    connect(c_.Command2, &QPushButton::clicked, this, [this] { Command2_Click(); });
    connect(c_.command1, &QPushButton::clicked, this, [this] { command1_Click(); });
    connect(c_.Check5, &QCheckBox::toggled, this, [this] { Check5_Click(); });
}

} // namespace ombrix
