#include "tune/form2.h"
#include "platform/translation.h"

#include "common/colourvalue.h"
#include "common/keyaction.h"
#include "common/keycount.h"
#include "common/keysave.h"
#include "common/keytable.h"
#include "common/leadingnumber.h"
#include "common/settings.h"
#include "common/targets.h"
#include "platform/desktopservices.h"
#include "platform/graphemes.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "tune/filechooser.h"
#include "tune/form3.h"
#include "tune/imagelist.h"
#include "tune/keyeditoraccess.h"
#include "tune/keylist.h"
#include "tune/placement.h"
#include "tune/targetline.h"
#include "tune/typedtext.h"
#include "widgets/choicefocus.h"
#include "widgets/design.h"

#include <QBuffer>
#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QFocusEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <span>

namespace ombrix {

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

constexpr int highestIconNumber = imageListSize;
constexpr int highestMovePlace = maxKeys;
constexpr std::int32_t buttonFaceColour = static_cast<std::int32_t>(0x8000000Fu);
constexpr double selectionMarkerLeft = 1640;

QLineEdit* textBox(QWidget* parent, const char* text, const Place& place, const char* name) {
    return drawing.place(new QLineEdit(QString::fromUtf8(text), parent), place, name);
}

QScrollBar* scrollBar(QWidget* parent, int highest, const Place& place, const char* name) {
    auto* bar = drawing.place(new QScrollBar(Qt::Horizontal, parent), place, name);
    bar->setRange(0, highest);
    bar->setPageStep(10); // a click beside the thumb goes ten places: any picture in a few
    return bar;
}

// The number as the classic number-to-text writes it: a blank or a minus sign, then digits.
std::string numberText(int n) {
    return n < 0 ? std::to_string(n) : " " + std::to_string(n);
}

QString targetLine(const KeyRecord& key) {
    return QString::fromStdString(targetLineOf(key));
}

// A long text shows its beginning, as a text box filled by the program does.
void showFromStart(QLineEdit* box, const QString& text) {
    box->setText(text);
    box->setCursorPosition(0);
}

bool isPictureIndex(int iconIndex) {
    return iconIndex >= 1 && iconIndex <= 998;
}

// A field keeps its bytes when the text shown for it is the text it holds, so "Setup" without
// an edit stores the key as it was.
constexpr std::size_t captionWidth = decltype(KeyRecord::caption)::width;
constexpr std::size_t toolTipWidth = decltype(KeyRecord::toolTip)::width;

template <std::size_t Width> void assignChanged(FixedText<Width>& field, const std::string& text) {
    if (text != field.text())
        field.assign(text);
}

template <std::size_t Width> void assignChanged(FixedText<Width>& field, const QString& shown) {
    assignChanged(field, shown.toStdString());
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

std::string setupCaption(int major, int minor, int patch, const std::string& name) {
    return name + " - " + numberText(major) + "." + numberText(minor) + "." + numberText(patch);
}

Form2::Form2(TuneContext context, QWidget* parent)
    : QWidget(parent), context_(std::move(context)), state_(*context_.state),
      icons_(context_.dataFolder) {
    setWindowTitle(translate("Ombrix", "Ombrix Setup"));
    setObjectName(QStringLiteral("Form2"));
    setMouseTracking(true);
    textScale_ =
        keyEditorTextScale(clientWidth * designScale, clientHeight * designScale, screenNow());
    drawing.scale = designScale * textScale_;
    QFont designFont = font();
    designFont.setPixelSize(static_cast<int>(std::lround(11 * textScale_)));
    setFont(designFont);
    setFixedSize(platform::toPixels(clientWidth * drawing.scale),
                 platform::toPixels(clientHeight * drawing.scale));
    createControls();
    connectHandlers();
    connectBarCopyArranging();
    makeKeyEditorAccessible(*this, *context_.barCopy);
    fitSideBySide({c_.Option2, c_.Option3, c_.Option5, c_.Option4});
}

Form2::~Form2() = default;

void Form2::createControls() {
    createKeyListControls();
    createKeyFields();
    createIconControls();
    createTargetControls();
    createSelectors();
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

void Form2::setCaptionVersion(int major, int minor, int patch) {
    setWindowTitle(QString::fromStdString(
        setupCaption(major, minor, patch, translate("Ombrix", "Ombrix Setup").toStdString())));
}

void Form2::enableKeys(float keyCount) {
    for (int i = 0; i < maxKeys; ++i) {
        const bool inUse = keyEnabled(i, keyCount);
        selector(i)->setEnabled(inUse);
        context_.barCopy->key(i)->setEnabled(inUse);
    }
}

// A target without an icon shows none: keeping the previous key's picture would show it on
// this key of the bar copy, which the bar would never show.
QPixmap Form2::captureSmallIcon(const std::filesystem::path& file) {
    smallIcon_ = context_.smallIcon ? context_.smallIcon(file) : QPixmap();
    if (smallIcon_.isNull())
        c_.SmallIconPicture->clear();
    else
        c_.SmallIconPicture->setPixmap(smallIcon_);
    return smallIcon_;
}

std::filesystem::path Form2::workingIconFile(int i) const {
    return iconFilePath(icons_.folder(), i);
}

// ---- Loading and showing the window

void Form2::Form_Load() {
    QLabel* marker = context_.barCopy->marker();
    marker->move(platform::toPixels(selectionMarkerLeft), marker->y());
    marker->show();
    const KeyRecord& first = state_.keys[0];
    c_.Text1->setText(QString::fromStdString(state_.texts.textOf(first, 0, KeyTextField::Caption)));
    showStoredIconChoice(first);
    showFromStart(c_.Text3, targetLine(first));
    c_.Check1->setChecked(state_.soundOn);
    c_.Check2->setChecked(state_.doubleClickMode);
    showFromStart(c_.Text2, context_.barCopy->key(0)->toolTip());
    startUpLoading_ = true;
    if (context_.preferences->startUp())
        c_.Check5->setChecked(true);
    startUpLoading_ = false;
}

// The icon controls as key 0 stores them, leaving the bar copy alone.
void Form2::showStoredIconChoice(const KeyRecord& key) {
    const int iconIndex = key.iconIndex;
    if (iconIndex == targetIconIndex) {
        c_.Check3->setChecked(true);
        for (QWidget* w : {static_cast<QWidget*>(c_.Image1), static_cast<QWidget*>(c_.HScroll1),
                           static_cast<QWidget*>(c_.Text1), static_cast<QWidget*>(c_.Label1)})
            w->hide();
        c_.SmallIconPicture->show();
        return;
    }
    if (iconIndex < 0 || iconIndex > 998)
        return;
    c_.Check3->setChecked(false);
    c_.Image1->show();
    c_.HScroll1->show();
    c_.Label1->show();
    c_.SmallIconPicture->hide();
    const bool picture = isPictureIndex(iconIndex);
    c_.Image1->setPixmap(picture ? context_.images->image(iconIndex) : QPixmap());
    if (picture)
        c_.Label1->setText(QString::number(iconIndex));
    c_.Text1->setVisible(!picture);
    c_.Label2->setVisible(!picture);
}

void Form2::Form_Activate() {
    c_.Text4->setText(QString::fromStdString(formatSingle(state_.keyCount)));
    c_.Check4->setChecked(state_.showAllKeys);
}

bool Form2::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        Form_Activate();
    return QWidget::event(event);
}

void Form2::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    Form_Activate();
}

// ---- The option controls by their roles

bool Form2::usesTargetIcon() const {
    return c_.Check3->isChecked();
}
bool Form2::showsAllKeys() const {
    return c_.Check4->isChecked();
}
bool Form2::programKindChosen() const {
    return c_.Option2->isChecked();
}
bool Form2::webKindChosen() const {
    return c_.Option5->isChecked();
}

// ---- Selecting a key

void Form2::selectKey(int index) {
    if (index < 0 || index >= maxKeys)
        return;
    QRadioButton* on = selector(index);
    if (on->isChecked())
        Option1_Click(index);
    else
        on->setChecked(true);
}

void Form2::Option1_Click(int index) {
    if (index < 0 || index >= maxKeys)
        return;
    state_.loadingKey = true;
    state_.selectedKey = index;
    c_.HScroll2->setValue(index);
    c_.Option2->setChecked(true);
    c_.File1->setPattern(QString::fromLatin1(programPattern));
    c_.Text3->clear();
    context_.barCopy->showMarkerAround(index);
    const KeyRecord& key = state_.keys[static_cast<std::size_t>(index)];
    if (!isWebAddress(key.target.text(), WebSchemes::HttpAndHttps))
        pointListsAtProgram(key);
    showIconChoice(index, key);
    showFromStart(c_.Text2, context_.barCopy->key(index)->toolTip());
    showFromStart(c_.Text3, targetLine(key));
    state_.loadingKey = false;
}

// The program's icon, and the drive, folder and file lists at the program's file. A shut-down
// key and an empty target leave the lists where they are; a folder that does not exist
// leaves the folder list where it is.
void Form2::pointListsAtProgram(const KeyRecord& key) {
    const std::string target = key.target.text();
    const std::string program = splitTarget(target).program;
    state_.iconSourcePath = program;
    captureSmallIcon(program);
    const char first = key.target.bytes()[0];
    if (isShutdownTarget(target) || first == ' ' || first == '\0')
        return;
    const std::filesystem::path programPath(program);
    c_.Drive1->setDriveOf(programPath);
    c_.Dir1->setPath(programPath.parent_path());
    c_.File1->setPath(c_.Dir1->path());
    c_.File1->selectName(QString::fromStdString(programPath.filename().string()));
}

// The icon controls and the bar copy's key by the key's icon number. Setting Check3 and
// HScroll1 runs their handlers when the value changes.
void Form2::showIconChoice(int index, const KeyRecord& key) {
    const int iconIndex = key.iconIndex;
    Form3& copy = *context_.barCopy;
    if (iconIndex == 0 || isPictureIndex(iconIndex)) {
        c_.Check3->setChecked(false);
        // A number beyond the picture list cannot be shown on the scroll bar; it stays put.
        if (iconIndex <= c_.HScroll1->maximum())
            c_.HScroll1->setValue(iconIndex);
        c_.HScroll1->show();
        c_.Image1->show();
    }
    if (iconIndex == 0) {
        c_.Text1->setText(
            QString::fromStdString(state_.texts.textOf(key, index, KeyTextField::Caption)));
        c_.Text1->show();
        c_.Label2->show();
    } else if (isPictureIndex(iconIndex)) {
        c_.Text1->hide();
        c_.Label2->hide();
        if (iconIndex > c_.HScroll1->maximum()) {
            // Beyond the list: "Setup" keeps the number and the key's own icon file.
            c_.Label1->setText(QString::number(iconIndex));
            c_.Image1->clear();
        }
        const QPixmap picture = context_.images->image(iconIndex);
        if (picture.isNull())
            copy.key(index)->setText(QString());
        else
            copy.setKeyFace(index, QString(), picture);
    } else if (iconIndex == targetIconIndex) {
        c_.Check3->setChecked(true);
        for (QWidget* w : {static_cast<QWidget*>(c_.HScroll1), static_cast<QWidget*>(c_.Image1),
                           static_cast<QWidget*>(c_.Text1), static_cast<QWidget*>(c_.Label2)})
            w->hide();
        copy.setKeyFace(index, QString(), smallIcon_);
    }
}

// ---- The icon choice

void Form2::HScroll1_Change() {
    playClick();
    const int k = firstCheckedSelector();
    KeyRecord& key = state_.keys[static_cast<std::size_t>(k)];
    key.iconIndex = static_cast<std::int16_t>(std::min(c_.HScroll1->value(), highestIconNumber));
    if (c_.HScroll1->value() != key.iconIndex)
        c_.HScroll1->setValue(key.iconIndex);
    const bool picture = isPictureIndex(key.iconIndex);
    c_.Text1->setVisible(!picture);
    c_.Label2->setVisible(!picture);
    c_.Image1->setPixmap(picture ? context_.images->image(key.iconIndex) : QPixmap());
    if (picture && k < maxKeys)
        showFromStart(c_.Text2, context_.barCopy->key(k)->toolTip());
    c_.Label1->setText(QString::number(key.iconIndex));
    // The key's picture number changed at once, so its picture does too; loading a key only
    // shows the number it has and keeps the picture it has.
    if (picture && k < maxKeys && !state_.loadingKey && !usesTargetIcon())
        stageListPicture(k);
}

void Form2::Check3_Click() {
    const bool original = usesTargetIcon();
    c_.Image1->setVisible(!original);
    c_.HScroll1->setVisible(!original);
    c_.Label1->setVisible(!original);
    c_.SmallIconPicture->setVisible(original);
    // Back from the target's icon at number 0, the caption box is what the number means.
    const bool captionText = !original && c_.HScroll1->value() == 0;
    c_.Text1->setVisible(captionText);
    c_.Label2->setVisible(captionText);
}

int Form2::firstCheckedSelector() const {
    for (int i = 0; i < maxKeys; ++i) {
        if (selector(i)->isChecked())
            return i;
    }
    return swapSlot;
}

// ---- Window-level behaviours

void Form2::Form_MouseMove(double xTwips, double yTwips, Qt::MouseButtons buttons) {
    if (buttons == Qt::NoButton) {
        dragOrigin_ =
            QPoint(static_cast<int>(std::lround(xTwips)), static_cast<int>(std::lround(yTwips)));
        return;
    }
    if (buttons != Qt::LeftButton)
        return;
    const QPoint by(platform::toPixels(xTwips - dragOrigin_.x()),
                    platform::toPixels(yTwips - dragOrigin_.y()));
    QWidget* frame = window(); // the editor's own window, or the one it scrolls in
    frame->move(frame->pos() + by);
}

void Form2::mousePressEvent(QMouseEvent* event) {
    // The grab point is where the press happened, even when no move came before it.
    const QPointF p = event->position();
    Form_MouseMove(platform::toTwips(1) * p.x(), platform::toTwips(1) * p.y(), Qt::NoButton);
    QWidget::mousePressEvent(event);
}

void Form2::mouseMoveEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    Form_MouseMove(platform::toTwips(1) * p.x(), platform::toTwips(1) * p.y(), event->buttons());
}

void Form2::Command4_Click() {
    if (context_.openColourWindow)
        context_.openColourWindow();
}

// ---- The key list

void Form2::Text4_Change() {
    state_.keyCount = static_cast<float>(leadingNumber(c_.Text4->text().toStdString()));
    enableKeys(state_.keyCount);
}

void Form2::Text4_LostFocus() {
    correctKeyCount(c_.Text4->text().toStdString());
    const ShownKeys shown = shownKeys(showsAllKeys(), state_.keyCount);
    state_.lastKeyShown = shown.lastKeyShown;
    state_.barLength = shown.barLength;
    nascondi();
}

// The number box as leaving it corrects it.
void Form2::correctKeyCount(const std::string& typed) {
    const std::string corrected = correctedKeyCountText(typed);
    c_.Text4->setText(QString::fromStdString(corrected));
    state_.keyCount = static_cast<float>(leadingNumber(corrected));
    enableKeys(state_.keyCount);
}

bool Form2::eventFilter(QObject* watched, QEvent* event) {
    if (watched == c_.Text4 && event->type() == QEvent::FocusOut) {
        // Switching to another program or opening a menu does not leave the box.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            Text4_LostFocus();
    }
    return QWidget::eventFilter(watched, event);
}

void Form2::Check4_Click() {
    const bool all = showsAllKeys();
    const ShownKeys shown = shownKeys(all, state_.keyCount);
    state_.lastKeyShown = shown.lastKeyShown;
    state_.barLength = shown.barLength;
    state_.showAllKeys = all;
    // The choice holds for this run either way; the bar would open with the old one.
    if (!context_.preferences->setShowAllKeys(all))
        warn(translate("Ombrix",
                       "The show-all-keys choice could not be stored in the settings file."));
    nascondi();
}

void Form2::nascondi() {
    Form3& copy = *context_.barCopy;
    state_.screenWidth = storedWidthOf(screenNow());
    copy.hide();
    state_.soundOn = context_.preferences->sound();
    state_.doubleClickMode = context_.preferences->doubleClick();
    copy.setSoundAndDoubleClick(state_.soundOn, state_.doubleClickMode);
    copy.layOutKeyList();
    showKeysInUse();
    // The keys may have moved to other rows; the marker stays with the selected key.
    if (copy.marker()->isVisibleTo(&copy))
        copy.showMarkerAround(state_.selectedKey);
    copy.show();
    if (isVisible())
        keepClearOfBarCopy(true); // the copy may have grown over the window
}

void Form2::keepClearOfBarCopy(bool onlyWhenCovered) {
    Form3& copy = *context_.barCopy;
    const double twips = platform::toTwips(1);
    // Until the window manager has framed the window, room is kept for a title bar.
    QWidget* window = this->window(); // the editor's own window, or the one it scrolls in
    const QRect inner = window->geometry();
    QRect frame = window->frameGeometry();
    if (frame == inner)
        frame = inner.adjusted(-4, -32, 4, 4);
    const BarWindowState& shown = copy.state();
    const Area copyArea{shown.left, shown.top, shown.width, shown.height};
    const Area now{frame.left() * twips, frame.top() * twips, frame.width() * twips,
                   frame.height() * twips};
    const ScreenSize screen = screenNow();
    const bool onScreen = liesWithin(now, screen);
    if (onlyWhenCovered && onScreen && !now.meets(copyArea))
        return;
    const EditorPlace place = placeEditor(screen, now.width, now.height, copyArea);
    if (place.copyTop != shown.top)
        copy.moveTop(place.copyTop);
    window->move(platform::toPixels(place.left), platform::toPixels(place.top));
}

void Form2::showKeysInUse() {
    for (int i = 0; i < maxKeys; ++i) {
        const bool shown = keyVisible(i, state_.lastKeyShown);
        context_.barCopy->key(i)->setVisible(shown);
        selector(i)->setVisible(shown);
    }
    enableKeys(state_.keyCount);
}

// ---- Moving a key

void Form2::HScroll2_Change() {
    playClick();
    const int v = c_.HScroll2->value();
    const int from = state_.selectedKey;
    if (v == from)
        return;
    const int place = std::max(0, moveTarget(v, state_.keyCount));
    if (place != v) {
        c_.HScroll2->setValue(place); // runs this handler again with the place in use
        return;
    }
    if (!exchangeWithIconFiles(from, v))
        return;
    muovi();
    if (selector(v)->isChecked())
        Option1_Click(v);
    else
        selector(v)->setChecked(true);
}

// The records and the icon files move together or not at all, so that each key keeps its own
// icon file; a refused rename leaves the move bar at the key's place.
bool Form2::exchangeWithIconFiles(int from, int to) {
    WriteResult moved = icons_.prepareChange();
    if (moved)
        moved = moveKey(state_, icons_.folder(), from, to);
    if (!moved) {
        const QSignalBlocker quiet(c_.HScroll2);
        c_.HScroll2->setValue(from);
        warn(translated(moved.message));
    }
    return moved.ok;
}

void Form2::HScroll2_Scroll(int value) {
    context_.barCopy->showMarkerAround(std::max(0, moveTarget(value, state_.keyCount)));
}

void Form2::muovi() {
    Form3& copy = *context_.barCopy;
    const IconLoader viaSmallIconPicture = [this](const std::filesystem::path& file) {
        state_.iconSourcePath = file.string();
        return captureSmallIcon(file);
    };
    const IconLoader iconFile = [this](const std::filesystem::path& file) {
        return context_.smallIcon ? context_.smallIcon(file) : QPixmap();
    };
    for (int i = 0; i < maxKeys; ++i) {
        KeyRecord& key = state_.keys[static_cast<std::size_t>(i)];
        copy.setKeyFace(i, QString(), QPixmap());
        copy.setKeyColour(i, paintedRgb(buttonFaceColour));
        copy.showFace(i, key, icons_.folder(),
                      key.iconIndex == targetIconIndex ? viaSmallIconPicture : iconFile);
        copy.showToolTipAndShutdownBlue(i, key);
        copy.showColour(i, key.backColor);
    }
}

// ---- The target chooser

// With the "exe" kind a new place starts a new program choice.
void Form2::programKindChosenPlace() {
    if (!programKindChosen())
        return;
    c_.File1->setPattern(QString::fromLatin1(programPattern));
    c_.Text3->clear();
}

void Form2::Drive1_Change() {
    if (state_.loadingKey)
        return;
    programKindChosenPlace();
    c_.Dir1->setPath(c_.Drive1->drive()); // runs Dir1_Change, which shows the files
}

void Form2::Dir1_Change() {
    if (state_.loadingKey)
        return;
    programKindChosenPlace();
    c_.File1->setPath(c_.Dir1->path());
}

void Form2::Dir1_Click() {
    c_.File1->setPath(c_.Dir1->path());
}

// The folder list's folder and the selected file's name, one separator between them.
std::filesystem::path Form2::chosenFile() const {
    std::string folder = c_.Dir1->path().string();
    if (!folder.ends_with('/'))
        folder += '/';
    return folder + c_.File1->selectedName().toStdString();
}

void Form2::File1_Click() {
    KeyRecord& key = state_.keys[static_cast<std::size_t>(state_.selectedKey)];
    if (webKindChosen()) {
        key.target.assign(c_.Text3->text().toStdString());
        return;
    }
    if (c_.File1->selectedName().isEmpty())
        return;
    const std::filesystem::path file = chosenFile();
    // A path the key table cannot hold is only shown; "Setup" then says why it is refused.
    const bool fits = targetRefusal({file.string(), {}}).empty();
    if (isProgram(file)) {
        state_.iconSourcePath = file.string();
        captureSmallIcon(file);
        showFromStart(c_.Text3, QString::fromStdString(file.string()));
        if (fits) {
            key.target.assign(file.string());
            assignChanged(key.argument, std::string()); // the line shows the program alone
        }
    } else {
        showFromStart(c_.Text3, c_.Text3->text() + ' ' + QString::fromStdString(file.string()));
        if (fits)
            key.argument.assign(file.string());
    }
}

// The double click comes right after its own click, which has already put the file into the
// target line; adding a document a second time would leave a target no key can start.
void Form2::File1_DblClick() {
    if (state_.loadingKey || c_.File1->selectedName().isEmpty())
        return;
    const std::filesystem::path file = chosenFile();
    const QString path = QString::fromStdString(file.string());
    if (isProgram(file)) {
        state_.iconSourcePath = file.string();
        captureSmallIcon(file);
        showFromStart(c_.Text3, path);
    } else if (!c_.Text3->text().endsWith(' ' + path)) {
        showFromStart(c_.Text3, c_.Text3->text() + ' ' + path);
    }
}

void Form2::Option2_Click() {
    c_.File1->setPattern(QString::fromLatin1(programKindPattern));
    c_.Text3->clear();
}

void Form2::Option3_Click() {
    c_.File1->setPattern(QStringLiteral("*.*"));
}

void Form2::Option5_Click() {
    c_.File1->setPattern(QString());
    c_.Text3->setText(QString::fromLatin1(webAddressStart));
}

void Form2::Option4_Click() {
    c_.File1->setPattern(QString::fromLatin1(programKindPattern));
    c_.Text3->clear();
    const int k = state_.selectedKey;
    KeyRecord& key = state_.keys[static_cast<std::size_t>(k)];
    key.target.assign(shutdownTarget);
    key.argument.assign("");
    key.iconIndex = shutdownImage;
    c_.Label1->setText(QString::number(shutdownImage));
    // The pop-up text is the design's, in the user's language, kept as the boxes keep theirs.
    const FieldText toolTip =
        platform::typedField(translate(textContext, shutdownToolTip), toolTipWidth);
    key.toolTip.assign(toolTip.stored);
    state_.texts.keep(k, KeyTextField::ToolTip, toolTip);
    key.backColor = shutdownBlue;
    stageListPicture(k);
    context_.barCopy->showToolTipAndShutdownBlue(k, key);
    Option1_Click(k); // checks "exe" again, which leaves this option
}

// ---- "Setup"

void Form2::Command2_Click() {
    playClick();
    const int i = firstCheckedSelector();
    if (i >= maxKeys)
        return;
    KeyRecord& key = state_.keys[static_cast<std::size_t>(i)];
    const QString line = c_.Text3->text();
    if (line.isEmpty()) {
        clearKey(i);
        return;
    }
    const FieldText caption = platform::typedField(c_.Text1->text(), captionWidth);
    const FieldText toolTip = platform::typedField(c_.Text2->text(), toolTipWidth);
    if (caption.cut || toolTip.cut) {
        warn(translate("Ombrix",
                       "This key was not set up.\nA caption holds at most %1 characters and a "
                       "pop-up text at most %2.")
                 .arg(captionWidth)
                 .arg(toolTipWidth));
        return;
    }
    // A line showing what the key holds keeps the key's fields byte for byte; any other line
    // is split into the program and its document, so the bar starts what the line shows.
    if (line != targetLine(key)) {
        const TargetFields fields = targetFieldsOf(line.toStdString());
        if (const std::string refusal = targetRefusal(fields); !refusal.empty()) {
            warn(translate("Ombrix", "This key was not set up.\n%1")
                     .arg(QString::fromStdString(refusal)));
            return;
        }
        assignChanged(key.target, fields.target);
        assignChanged(key.argument, fields.argument);
    }
    const double shown = leadingNumber(c_.Label1->text().toStdString());
    key.iconIndex = usesTargetIcon()
                        ? targetIconIndex
                        : static_cast<std::int16_t>(std::clamp(shown, -32768.0, 32767.0));
    showSetupFace(i, key, caption);
    assignChanged(key.toolTip, toolTip.stored);
    state_.texts.keep(i, KeyTextField::ToolTip, toolTip);
    context_.barCopy->setKeyToolTip(
        i, QString::fromStdString(state_.texts.textOf(key, i, KeyTextField::ToolTip)));
}

// An empty target line makes an empty key, shown by its number.
void Form2::clearKey(int i) {
    KeyRecord& key = state_.keys[static_cast<std::size_t>(i)];
    key.iconIndex = 0;
    key.argument.assign("");
    key.target.assign("");
    key.toolTip.assign("");
    key.caption.assign("");
    key.reserved = 0;
    state_.texts.forget(i, KeyTextField::Caption);
    state_.texts.forget(i, KeyTextField::ToolTip);
    context_.barCopy->setKeyFace(i, QString::number(i + 1), QPixmap());
    context_.barCopy->setKeyToolTip(i, QString::fromStdString(key.toolTip.text()));
}

void Form2::showSetupFace(int i, KeyRecord& key, const FieldText& caption) {
    Form3& copy = *context_.barCopy;
    if (isPictureIndex(key.iconIndex)) {
        const WriteResult stored = storeIconFile(i);
        if (!stored)
            warn(translated(stored.message));
        const auto file = workingIconFile(i);
        copy.setKeyFace(i, QString(), context_.smallIcon ? context_.smallIcon(file) : QPixmap());
    } else if (key.iconIndex == targetIconIndex) {
        copy.setKeyFace(i, QString(), captureSmallIcon(iconSourcePath(key.target.text())));
    } else if (key.iconIndex == 0) {
        assignChanged(key.caption, caption.stored);
        state_.texts.keep(i, KeyTextField::Caption, caption);
        copy.setKeyFace(i, QString::fromStdString(caption.typed), QPixmap());
    }
}

// Image1's picture as an icon file, replacing the key's earlier one whole. Without a picture
// (a number beyond the picture list) an icon file the key already has is kept.
WriteResult Form2::storeIconFile(int i) {
    return stagePicture(i, c_.Image1->pixmap());
}

// Key i's icon file, in the icons as the editor has them until "EXIT".
WriteResult Form2::stagePicture(int i, const QPixmap& picture) {
    if (picture.isNull())
        return {};
    if (WriteResult prepared = icons_.prepareChange(); !prepared)
        return prepared;
    const auto file = workingIconFile(i);
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        return WriteResult::failure({QT_TRANSLATE_NOOP("Ombrix", "Cannot make the folder %1: %2."),
                                     {file.parent_path().string(), error.message()}});
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!picture.toImage().save(&buffer, "ICO"))
        return WriteResult::failure(
            {QT_TRANSLATE_NOOP("Ombrix", "Cannot make an icon of the picture for %1."),
             {file.string()}});
    return writeFileAtomically(
        file, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// The picture of the list that key i's number names, as its icon file.
void Form2::stageListPicture(int i) {
    const KeyRecord& key = state_.keys[static_cast<std::size_t>(i)];
    const WriteResult staged = stagePicture(i, context_.images->image(key.iconIndex));
    if (!staged)
        warn(translated(staged.message));
}

// Every key leaving the editor with a picture of the list has its icon file, also when its
// number was chosen without "Setup" or its file went missing; the bar shows that file.
bool Form2::giveEveryPictureKeyItsFile() {
    for (int i = 0; i < maxKeys; ++i) {
        const KeyRecord& key = state_.keys[static_cast<std::size_t>(i)];
        if (key.iconIndex < 1 || key.iconIndex > highestIconNumber ||
            fileExists(workingIconFile(i)))
            continue;
        const WriteResult staged = stagePicture(i, context_.images->image(key.iconIndex));
        if (!staged) {
            warn(translate("Ombrix", "The keys were not saved.\n%1\nThe setup stays open with your "
                                     "changes.")
                     .arg(translated(staged.message)));
            return false;
        }
    }
    return true;
}

// ---- Saving and leaving

void Form2::command1_Click() {
    playClick();
    if (!storeTableAndChoices())
        return;
    context_.barCopy->marker()->hide();
    close();
}

// The key table, the icon files and the count first, as one save: when it cannot be made
// nothing is stored, so that "EXIT" again after putting things right stores everything.
bool Form2::storeTableAndChoices() {
    if (!giveEveryPictureKeyItsFile())
        return false;
    correctKeyCount(formatSingle(state_.keyCount));
    const auto table = keyTablePath(context_.dataFolder);
    const std::span<const KeyRecord> keys(state_.keys.data(), maxKeys);
    state_.texts.dropStale(keys);
    std::vector<SavedFile> others = icons_.savedIcons();
    others.push_back(keyTextsFile(context_.dataFolder, state_.texts));
    const WriteResult written = saveKeys({context_.dataFolder, context_.keyCountFile}, keys,
                                         state_.keyCount, std::move(others));
    if (!written) {
        warn(translate("Ombrix", "The keys were not saved.\n%1\nThe old %2 is unchanged; the setup "
                                 "stays open with your changes.")
                 .arg(translated(written.message), QString::fromStdString(table.string())));
        return false;
    }
    countSaved_ = state_.keyCount;
    state_.soundOn = c_.Check1->isChecked();
    state_.doubleClickMode = c_.Check2->isChecked();
    Preferences& prefs = *context_.preferences;
    if (!prefs.setSound(state_.soundOn) || !prefs.setDoubleClick(state_.doubleClickMode)) {
        warn(translate("Ombrix",
                       "The keys were saved, but the sound and double-click choices could "
                       "not be stored in the settings file. The setup stays open."));
        return false;
    }
    return true;
}

bool Form2::Form_Unload() {
    if (unloaded_)
        return true;
    // A number typed and never left is corrected as leaving the box would; the count stored
    // is always one the bar can use.
    correctKeyCount(formatSingle(state_.keyCount));
    // The count that cannot be stored is reported, and the setup ends all the same: nothing
    // else was changed, and a setup that cannot be left helps no one.
    const WriteResult counted = countSaved_ == state_.keyCount
                                    ? WriteResult{}
                                    : writeKeyCount(context_.keyCountFile, state_.keyCount);
    if (!counted)
        warn(translate("Ombrix", "The number of keys was not saved.\n%1\nThe bar keeps its "
                                 "earlier number of keys.")
                 .arg(translated(counted.message)));
    unloaded_ = true;
    if (context_.endRunningBar)
        context_.endRunningBar();
    startFromProgramFolder("ombrix");
    if (context_.quit)
        context_.quit();
    return true;
}

void Form2::closeEvent(QCloseEvent* event) {
    if (Form_Unload())
        event->accept();
    else
        event->ignore();
}

void Form2::Check5_Click() {
    if (startUpLoading_) {
        startUpLoading_ = false;
        return;
    }
    const bool on = c_.Check5->isChecked();
    if (!context_.preferences->setStartUp(on)) {
        const QSignalBlocker quiet(c_.Check5);
        c_.Check5->setChecked(!on);
        warn(translate("Ombrix", "The start-up choice could not be stored in the settings file."));
        return;
    }
    startFromProgramFolder("OStartUp");
}

// Started without waiting; 0 when it runs, else the error number, which the user is told.
int Form2::startFromProgramFolder(const char* program) {
    if (!context_.desktop)
        return 0;
    const std::filesystem::path file = context_.programFolder / program;
    const int error =
        context_.desktop->startProgram(file.string(), {}, context_.programFolder.string());
    if (error != 0)
        warn(platform::startFailure(file.string(), error));
    return error;
}

// ---- Services

void Form2::playClick() {
    if (state_.soundOn && context_.sounds)
        context_.sounds->playClick();
}

void Form2::warn(const QString& text) {
    if (context_.warn)
        context_.warn(text);
    else
        platform::showWarning(this, text);
}

ScreenSize Form2::screenNow() const {
    return context_.screen ? context_.screen() : platform::screenTwips();
}

} // namespace ombrix
