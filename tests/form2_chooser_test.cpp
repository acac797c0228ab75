#include "bar/keybutton.h"
#include "tuneeditor.h"

#include "tune/targetline.h"

#include <QCheckBox>
#include <QImage>
#include <QRadioButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace ombrix;

namespace {

QStringList listed(const FileList* list) {
    QStringList names;
    for (int i = 0; i < list->count(); ++i)
        names << list->fileName(i);
    return names;
}

// A folder with a program of the other platform, a program of this one and a document.
std::filesystem::path mixedFolder(TuneEditor& f) {
    f.file("mixed/a.exe");
    f.file("mixed/b.txt");
    const auto run = f.file("mixed/run", "#!/bin/sh\n");
    std::filesystem::permissions(run, std::filesystem::perms::owner_all);
    return run.parent_path();
}

} // namespace

// ---- The kind options

struct KindRow {
    const char* name;
    QRadioButton* Form2::Controls::*option;
    const char* pattern;
    const char* targetLine; // afterwards, from "/p/ed.exe /d/a.txt"
    QStringList files;      // what the file list shows of the mixed folder
};

class KindOption : public testing::TestWithParam<KindRow> {};

TEST_P(KindOption, SetsThePatternAndTheTargetLine) {
    const KindRow& row = GetParam();
    TuneEditor f;
    f.openFolder(mixedFolder(f));
    if (row.option == &Form2::Controls::Option2)
        f.ui().Option3->setChecked(true); // "exe" is checked from the start
    f.ui().Text3->setText("/p/ed.exe /d/a.txt");

    (f.ui().*row.option)->setChecked(true);
    EXPECT_EQ(f.ui().File1->pattern(), row.pattern);
    EXPECT_EQ(f.ui().Text3->text(), row.targetLine);
    EXPECT_EQ(listed(f.ui().File1), row.files);
}

INSTANTIATE_TEST_SUITE_P(
    Options, KindOption,
    testing::Values(
        KindRow{"Exe", &Form2::Controls::Option2, "*.exe;*.com;*.bat;*.pif", "", {"a.exe", "run"}},
        KindRow{"File",
                &Form2::Controls::Option3,
                "*.*",
                "/p/ed.exe /d/a.txt",
                {"a.exe", "b.txt", "run"}},
        KindRow{"Html", &Form2::Controls::Option5, "", "http://", {}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Choosing another place

struct PlaceRow {
    const char* name;
    bool programKind; // "exe" rather than "file"
    bool loading;     // a key is being loaded into the window
    bool lineEmptied;
    bool filesFollow; // the file list shows the new folder
};

class PlaceChange : public testing::TestWithParam<PlaceRow> {};

TEST_P(PlaceChange, EmptiesTheLineOnlyForProgramsAndNeverWhileLoading) {
    const PlaceRow& row = GetParam();
    TuneEditor f;
    const auto first = mixedFolder(f);
    const auto second = f.file("other/c.exe").parent_path();
    f.openFolder(first);
    (row.programKind ? f.ui().Option2 : f.ui().Option3)->setChecked(true);
    f.ui().File1->setPattern("*.txt"); // a pattern of neither kind
    f.ui().Text3->setText("/p/ed.exe");

    f.state.loadingKey = row.loading;
    f.openFolder(second);
    f.state.loadingKey = false;
    EXPECT_EQ(f.ui().Text3->text().isEmpty(), row.lineEmptied);
    EXPECT_EQ(f.ui().File1->pattern(), row.lineEmptied ? programPattern : "*.txt");
    EXPECT_EQ(f.ui().File1->path(), row.filesFollow ? second : first);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PlaceChange,
                         testing::Values(PlaceRow{"Programs", true, false, true, true},
                                         PlaceRow{"Files", false, false, false, true},
                                         PlaceRow{"ProgramsWhileLoading", true, true, false,
                                                  false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(PlaceChange, AnotherDriveShowsItsTopFolder) {
    TuneEditor f;
    auto& ui = f.ui();
    ASSERT_GE(ui.Drive1->count(), 2) << "the root and the home folder";
    f.openFolder(mixedFolder(f));
    ui.Text3->setText("/p/ed.exe");
    ui.Drive1->setCurrentIndex(0);
    EXPECT_EQ(ui.Drive1->drive(), "/");
    EXPECT_EQ(ui.Dir1->path(), "/");
    EXPECT_EQ(ui.File1->path(), "/");
    EXPECT_EQ(ui.Text3->text(), "") << "the program kind starts over";
}

TEST(PlaceChange, AClickOnAFolderShowsTheFolderListsFolderEvenWhileLoading) {
    TuneEditor f;
    const auto folder = mixedFolder(f);
    f.openFolder(folder);
    f.ui().File1->setPath(f.bar.folder.path());
    f.state.loadingKey = true;
    emit f.ui().Dir1->folderClicked(folder.parent_path());
    EXPECT_EQ(f.ui().File1->path(), folder);
}

// ---- Clicking files

TEST(FileClick, AProgramThenADocumentMakeOneTargetLine) {
    TuneEditor f;
    const auto program = f.file("tools/ed.exe");
    const auto document = f.file("docs/a b.txt");
    f.select(3);
    f.openFolder(program.parent_path());
    f.clickFile("ed.exe");
    EXPECT_EQ(f.ui().Text3->text().toStdString(), program.string());
    EXPECT_EQ(f.key(3).target.text(), program.string());
    EXPECT_EQ(f.state.iconSourcePath, program.string());
    EXPECT_TRUE(
        TuneEditor::samePicture(f.ui().SmallIconPicture->pixmap(), TuneEditor::fakeIcon(program)));

    f.ui().Option3->setChecked(true);
    f.openFolder(document.parent_path());
    f.clickFile("a b.txt");
    const std::string line = program.string() + " " + document.string();
    EXPECT_EQ(f.ui().Text3->text().toStdString(), line);
    EXPECT_EQ(f.key(3).target.text(), program.string());
    EXPECT_EQ(f.key(3).argument.text(), document.string());
    EXPECT_TRUE(
        TuneEditor::samePicture(f.ui().SmallIconPicture->pixmap(), TuneEditor::fakeIcon(program)))
        << "a document leaves the program's icon";

    f.ui().Check3->setChecked(true);
    f.ui().Command2->click();
    EXPECT_EQ(f.key(3).target.text(), program.string()) << "Setup stores what the line shows";
    EXPECT_EQ(f.key(3).argument.text(), document.string());
    EXPECT_EQ(f.key(3).argument.text(), document.string());
}

TEST(FileClick, ProgramsOfThisDesktopAreProgramsToo) {
    TuneEditor f;
    const auto folder = mixedFolder(f);
    const auto entry = f.file("mixed/app.desktop", "[Desktop Entry]\nExec=true\n");
    f.select(1);
    f.openFolder(folder);
    f.clickFile("run");
    EXPECT_EQ(f.key(1).target.text(), (folder / "run").string());
    f.clickFile("app.desktop");
    EXPECT_EQ(f.key(1).target.text(), entry.string());
    EXPECT_EQ(f.ui().Text3->text().toStdString(), entry.string());
    EXPECT_TRUE(f.key(1).argument.text().empty());
}

TEST(FileClick, WithTheWebKindTheLineBecomesTheTarget) {
    TuneEditor f;
    f.select(2);
    f.key(2).argument.assign("/kept.txt");
    f.ui().Option5->setChecked(true);
    f.ui().Text3->setText("http:\\\\example.org");
    f.ui().File1->setCurrentRow(-1);
    f.editor->File1_Click();
    EXPECT_EQ(f.key(2).target.text(), "http:\\\\example.org");
    EXPECT_EQ(f.key(2).argument.text(), "/kept.txt");
}

TEST(FileDoubleClick, ShowsTheFileWithoutChangingTheKey) {
    TuneEditor f;
    const auto program = f.file("tools/ed.exe");
    f.select(4);
    const KeyRecord before = f.key(4);
    f.openFolder(program.parent_path());
    ASSERT_TRUE(f.ui().File1->selectName("ed.exe")); // selected without a click
    f.editor->File1_DblClick();
    EXPECT_EQ(f.ui().Text3->text().toStdString(), program.string());
    EXPECT_TRUE(
        TuneEditor::samePicture(f.ui().SmallIconPicture->pixmap(), TuneEditor::fakeIcon(program)));
    EXPECT_EQ(f.key(4), before);

    f.ui().Text3->setText("typed");
    f.state.loadingKey = true;
    f.editor->File1_DblClick();
    EXPECT_EQ(f.ui().Text3->text(), "typed") << "ignored while a key is loaded";
}

TEST(FileDoubleClick, ADocumentDoubleClickedAppearsOnceInTheLine) {
    TuneEditor f;
    const auto program = f.file("tools/ed.exe");
    const auto document = f.file("tools/notes.txt");
    f.select(4);
    f.openFolder(program.parent_path());
    f.clickFile("ed.exe", true);
    f.ui().Option3->setChecked(true);
    f.clickFile("notes.txt", true);
    EXPECT_EQ(f.ui().Text3->text().toStdString(), program.string() + " " + document.string());
    EXPECT_EQ(f.key(4).target.text(), program.string());
    EXPECT_EQ(f.key(4).argument.text(), document.string());
}

// ---- The shut-down key

TEST(ShutdownOption, MakesTheSelectedKeyTheShutdownKeyAtOnce) {
    TuneEditor f;
    f.key(3) = keyWith("/bin/ed.exe", 0, "Ed", "Edit", 255.0f, "/doc.txt");
    f.select(3);
    f.ui().Option4->setChecked(true);

    const KeyRecord& key = f.key(3);
    EXPECT_EQ(key.target.text(), "shl.ShutdownWindows");
    EXPECT_EQ(key.argument.text(), "");
    EXPECT_EQ(key.iconIndex, 121);
    EXPECT_EQ(key.toolTip.text(), "EXIT Windows");
    EXPECT_EQ(key.backColor, 16711680.0f);
    EXPECT_EQ(f.copy->key(3)->toolTip(), "EXIT Windows");
    EXPECT_EQ(f.copy->key(3)->faceColour(), QColor(Qt::blue));
    EXPECT_TRUE(TuneEditor::samePicture(f.faceOf(3), QIcon(f.images.image(121)).pixmap(16, 16)));
    EXPECT_EQ(f.ui().Label1->text(), "121");
    EXPECT_TRUE(f.ui().Option2->isChecked()) << "the key selection returns to programs";
    EXPECT_EQ(f.ui().File1->pattern(), programPattern);
    EXPECT_EQ(f.ui().Text3->text(), "shl.ShutdownWindows ");
    EXPECT_FALSE(QImage(QString::fromStdString(f.workingIcon(3).string())).isNull())
        << "the picture follows the number at once";

    f.ui().Command2->click();
    EXPECT_EQ(f.key(3).target.text(), "shl.ShutdownWindows");
    EXPECT_EQ(f.key(3).iconIndex, 121);
    EXPECT_FALSE(QImage(QString::fromStdString(f.workingIcon(3).string())).isNull());
    EXPECT_EQ(f.key(2), defaultKeyRecord(2)) << "no other key changes";
}

struct ArrowRow {
    const char* name;
    int startOption; // 0 "exe", 1 "file", 2 "html", 3 shut down
    Qt::Key key;
};

class ArrowsOverTheKinds : public testing::TestWithParam<ArrowRow> {};

// Every arrow, from every option, only moves the focus: the key stays as it was. Space on the
// shut-down option still chooses it, so the keys do reach the options.
TEST_P(ArrowsOverTheKinds, MoveTheFocusAndNeverChangeTheKey) {
    TuneEditor f;
    f.key(3) = keyWith("/bin/ed.exe", 0, "Ed", "Edit", 255.0f, "/doc.txt");
    f.select(3);
    const KeyRecord before = f.key(3);
    const std::array<QRadioButton*, 4> kinds = {f.ui().Option2, f.ui().Option3, f.ui().Option5,
                                                f.ui().Option4};
    kinds[static_cast<std::size_t>(GetParam().startOption)]->setFocus();
    for (int step = 0; step < 5; ++step) {
        QWidget* focused = f.editor->focusWidget();
        QTest::keyClick(focused, GetParam().key);
        EXPECT_NE(f.editor->focusWidget(), focused) << "step " << step;
        EXPECT_EQ(f.key(3), before) << "step " << step;
        EXPECT_TRUE(f.ui().Option2->isChecked()) << "step " << step;
    }
    f.ui().Option4->setFocus();
    QTest::keyClick(f.ui().Option4, Qt::Key_Space);
    EXPECT_EQ(f.key(3).target.text(), "shl.ShutdownWindows");
}

INSTANTIATE_TEST_SUITE_P(Keys, ArrowsOverTheKinds,
                         testing::Values(ArrowRow{"UpFromExe", 0, Qt::Key_Up},
                                         ArrowRow{"LeftFromExe", 0, Qt::Key_Left},
                                         ArrowRow{"RightFromHtml", 2, Qt::Key_Right},
                                         ArrowRow{"DownFromHtml", 2, Qt::Key_Down},
                                         ArrowRow{"RightFromFile", 1, Qt::Key_Right},
                                         ArrowRow{"LeftFromShutdown", 3, Qt::Key_Left}),
                         [](const testing::TestParamInfo<ArrowRow>& row) {
                             return std::string(row.param.name);
                         });

// ---- "Setup"

struct SetupRow {
    const char* name;
    const char* targetLine;
    bool original; // Check3
    int picture;   // HScroll1
    int iconIndex; // stored afterwards
    const char* caption;
    const char* face;  // the copy's caption text
    int faceFrom;      // the copy's picture: 0 none, 1 the icon file
    const char* tip;   // stored and shown
    bool iconFileMade; // icons/icon7.ico written from the picture
};

class Setup : public testing::TestWithParam<SetupRow> {};

// Key 7 held a program with a document, picture 9, caption "Old", a red colour; the window
// shows a captured icon, the caption "Mail" and the pop-up text "Posta elettronica".
TEST_P(Setup, AppliesTheWindowToTheCheckedKey) {
    const SetupRow& row = GetParam();
    TuneEditor f;
    const auto program = f.file("tools/mail.exe");
    f.key(7) = keyWith(program.string(), 9, "Old", "old tip", 255.0f, "/doc.txt");
    f.select(7);
    f.editor->captureSmallIcon(program);
    f.ui().Check3->setChecked(row.original);
    f.ui().HScroll1->setValue(row.picture);
    f.ui().Text1->setText("Mail");
    f.ui().Text2->setText("Posta elettronica");
    f.ui().Text3->setText(row.targetLine);
    f.file("icons/icon7.ico", "an earlier icon");

    f.ui().Command2->click();
    const KeyRecord& key = f.key(7);
    const TargetFields line = targetFieldsOf(row.targetLine);
    EXPECT_EQ(key.target.text(), line.target);
    EXPECT_EQ(key.iconIndex, row.iconIndex);
    EXPECT_EQ(key.caption.text(), row.caption);
    EXPECT_EQ(key.toolTip.text(), row.tip);
    EXPECT_EQ(f.copy->key(7)->toolTip(), row.tip);
    EXPECT_EQ(f.copy->key(7)->text(), row.face);
    const QPixmap expectedFace =
        row.faceFrom == 1 ? TuneEditor::fakeIcon(f.workingIcon(7)) : QPixmap();
    if (row.faceFrom == 0) {
        EXPECT_TRUE(f.faceOf(7).isNull());
    } else {
        EXPECT_TRUE(TuneEditor::samePicture(f.faceOf(7), expectedFace));
    }
    EXPECT_EQ(readBytes(f.workingIcon(7)) != "an earlier icon", row.iconFileMade);
    EXPECT_EQ(key.argument.text(), line.argument) << "the line's document, or none";
    if (std::string(row.targetLine).empty()) {
        EXPECT_EQ(key.reserved, 0);
    }
    EXPECT_EQ(key.backColor, 255.0f) << "the colour is the colour window's";
    EXPECT_TRUE(f.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(IconNumbers, Setup,
                         testing::Values(SetupRow{"Caption", "/tools/mail.exe", false, 0, 0, "Mail",
                                                  "Mail", 0, "Posta elettronica", false},
                                         SetupRow{"Picture", "/tools/mail.exe", false, 5, 5, "Old",
                                                  "", 1, "Posta elettronica", true},
                                         // The line names no program that exists: the copy
                                         // shows the empty face the bar would show.
                                         SetupRow{"TargetsOwnIcon", "/tools/mail.exe -n", true, 5,
                                                  999, "Old", "", 0, "Posta elettronica", false},
                                         SetupRow{"EmptyTargetLine", "", true, 5, 0, "", "8", 0, "",
                                                  false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Setup, APictureBecomesAnIconFileInANewIconsFolder) {
    TuneEditor f;
    f.select(5);
    f.ui().Check3->setChecked(false);
    f.ui().HScroll1->setValue(5);
    f.ui().Text3->setText("/bin/true");
    ASSERT_FALSE(std::filesystem::exists(f.bar.folder / "icons"));
    f.ui().Command2->click();

    const QImage stored(QString::fromStdString(f.workingIcon(5).string()), "ICO");
    ASSERT_FALSE(stored.isNull());
    const QImage picture = f.images.image(5).toImage();
    EXPECT_EQ(stored.size(), picture.size());
    EXPECT_EQ(stored.convertToFormat(QImage::Format_ARGB32),
              picture.convertToFormat(QImage::Format_ARGB32));
    EXPECT_EQ(f.key(5).iconIndex, 5);
}

TEST(Setup, AnIconsFolderThatCannotBeWrittenIsReportedOnExitAndNothingSaved) {
    TuneEditor f;
    f.file("icons", "a file where the icons folder belongs");
    f.editor->show();
    f.select(5);
    f.ui().Check3->setChecked(false);
    f.ui().HScroll1->setValue(5);
    f.ui().Text3->setText("/bin/true");
    f.ui().Text2->setText("tip");
    f.ui().Command2->click();
    EXPECT_TRUE(f.warnings.empty()) << "the icon waits for EXIT";
    EXPECT_EQ(f.key(5).target.text(), "/bin/true");
    EXPECT_EQ(f.key(5).toolTip.text(), "tip");
    f.ui().command1->click();
    ASSERT_EQ(f.warnings.size(), 1u);
    EXPECT_TRUE(f.warnings[0].contains(QString::fromStdString((f.bar.folder / "icons").string())))
        << f.warnings[0].toStdString();
    EXPECT_FALSE(fileExists(f.bar.folder / "barra.dat")) << "nor is the key table";
    EXPECT_TRUE(f.editor->isVisible());
}

// ---- The window's design

TEST(KeyEditorDesign, EveryControlTakesAClickAtItsMiddle) {
    TuneEditor f;
    f.editor->show();
    const auto& ui = f.ui();
    const std::initializer_list<QWidget*> controls = {
        ui.Text2,    ui.Text3,   ui.Text4,   ui.Check1,   ui.Check2,
        ui.Check3,   ui.Check4,  ui.Check5,  ui.Command2, ui.command1,
        ui.Command4, ui.Drive1,  ui.Dir1,    ui.File1,    ui.Option2,
        ui.Option3,  ui.Option4, ui.Option5, ui.HScroll2, f.editor->selector(6)};
    for (QWidget* control : controls) {
        const QPoint middle = control->mapTo(f.editor.get(), control->rect().center());
        QWidget* hit = f.editor->childAt(middle);
        EXPECT_TRUE(hit == control || control->isAncestorOf(hit))
            << control->objectName().toStdString() << " is covered by "
            << (hit ? hit->objectName().toStdString() : "nothing");
    }
}
