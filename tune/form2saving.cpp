#include "tune/form2.h"

#include "common/keycount.h"
#include "common/keysave.h"
#include "common/keytable.h"
#include "common/leadingnumber.h"
#include "common/settings.h"
#include "platform/desktopservices.h"
#include "platform/graphemes.h"
#include "platform/translation.h"
#include "tune/form2fields.h"
#include "tune/form3.h"
#include "tune/keylist.h"

#include <QBuffer>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>

#include <algorithm>
#include <span>

// Saving in the key editor: "Setup" stores the fields in the checked key, staging its picture
// as an icon file; "EXIT" and the close box store the key table, the icon files, the count and
// the choices, and start the bar.
namespace ombrix {

using namespace form2fields;

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

} // namespace ombrix
