#include "tune/form2.h"

#include "common/keytable.h"
#include "common/targets.h"
#include "platform/graphemes.h"
#include "platform/translation.h"
#include "tune/filechooser.h"
#include "tune/form2fields.h"
#include "tune/form3.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

// The target chooser in the key editor: the drive, folder and file lists and the kind options
// wired to the key being edited and its target line.
namespace ombrix {

using namespace form2fields;

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

} // namespace ombrix
