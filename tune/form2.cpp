#include "tune/form2.h"
#include "platform/translation.h"

#include "common/settings.h"
#include "platform/desktopservices.h"
#include "platform/screen.h"
#include "platform/sound.h"
#include "tune/form2fields.h"
#include "tune/form3.h"
#include "tune/keyeditoraccess.h"
#include "tune/keylist.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScrollBar>

#include <cmath>

// The key editor's window: made, loaded and activated, dragged by its surface, and the services
// its other units use. The rest of Form2 lives in the form2*.cpp files named in form2.h.
namespace ombrix {

using namespace form2fields;

namespace {

constexpr double selectionMarkerLeft = 1640;

// The number as the classic number-to-text writes it: a blank or a minus sign, then digits.
std::string numberText(int n) {
    return n < 0 ? std::to_string(n) : " " + std::to_string(n);
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
    drawDesign();
    connectHandlers();
    connectBarCopyArranging();
    makeKeyEditorAccessible(*this, *context_.barCopy);
    // After the access keys: the options are fitted to the texts they show.
    fitKindOptions();
}

Form2::~Form2() = default;

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
