#include "tune/form2.h"

#include "common/targets.h"
#include "tune/filechooser.h"
#include "tune/form2fields.h"
#include "tune/form3.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>

// A key in the key editor's fields: selecting a key loads its fields, its icon choice and the
// chooser's place; the icon controls change its picture number at once.
namespace ombrix {

using namespace form2fields;

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

} // namespace ombrix
