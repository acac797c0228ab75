#include "tuneeditor.h"

#include "common/keycount.h"
#include "common/keytable.h"
#include "tune/colour/colori.h"

#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QScrollBar>

#include <gtest/gtest.h>

using namespace ombrix;

// What the setup program keeps and what it shows: nothing it holds is lost or stored wrong,
// and nothing it stores differs from what it showed.
namespace {

std::string tableBytes(const TuneEditor& f) {
    return readBytes(keyTablePath(f.bar.folder.path()));
}

std::string recordBytes(const KeyRecord& key) {
    std::string bytes(keyRecordSize, '\0');
    encodeKeyRecord(key, bytes.data());
    return bytes;
}

// Keys 2 and 3 show pictures 5 and 6 from their icon files; the table is saved.
void twoPictureKeys(TuneEditor& f) {
    std::vector<KeyRecord> keys;
    for (int i = 0; i < 10; ++i)
        keys.push_back(defaultKeyRecord(i));
    keys[2] = keyWith("/two", 5, "", "two");
    keys[3] = keyWith("/three", 6, "", "three");
    f.bar.writeKeys(keys);
    f.file("icons/icon2.ico", "picture of two");
    f.file("icons/icon3.ico", "picture of three");
    std::copy(keys.begin(), keys.end(), f.state.keys.begin());
    f.editor->show();
}

} // namespace

// ---- The key table and the icon files agree

TEST(KeyTableAndIcons, LeavingWithoutExitKeepsBothAsSavedAndExitSavesBoth) {
    for (const bool exit : {false, true}) {
        TuneEditor f;
        twoPictureKeys(f);
        const std::string table = tableBytes(f);
        f.select(2);
        f.ui().HScroll2->setValue(3); // key 2 moves to place 3 with its picture
        ASSERT_EQ(f.key(3).target.text(), "/two");
        EXPECT_EQ(readBytes(f.editor->workingIconFile(3)), "picture of two");
        if (exit)
            f.ui().command1->click();
        else
            f.editor->close();

        const auto saved = loadKeys(keyTablePath(f.bar.folder.path()), 4);
        EXPECT_EQ(readBytes(f.iconFile(3)), exit ? "picture of two" : "picture of three");
        EXPECT_EQ(readBytes(f.iconFile(2)), exit ? "picture of three" : "picture of two");
        EXPECT_EQ(saved[3].target.text(), exit ? "/two" : "/three");
        if (!exit) {
            EXPECT_EQ(tableBytes(f), table);
        }
    }
}

// A real drag on the bar copy, pressed on key `from` and let go on the middle of key `to`.
void dragOnCopy(Form3& copy, int from, int to) {
    QAbstractButton* key = copy.key(from);
    const QPoint start = key->geometry().center();
    const QPoint end = copy.key(to)->geometry().center();
    const auto send = [key, &copy](QEvent::Type type, QPoint onCopy, Qt::MouseButtons buttons) {
        const QPoint at = key->mapFrom(&copy, onCopy);
        QMouseEvent event(type, at, key->mapToGlobal(at), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(key, &event);
    };
    send(QEvent::MouseButtonPress, start, Qt::LeftButton);
    for (int step = 1; step <= 5; ++step)
        send(QEvent::MouseMove, start + (end - start) * step / 5, Qt::LeftButton);
    send(QEvent::MouseButtonRelease, end, Qt::NoButton);
    QCoreApplication::processEvents();
}

// Keys dragged or removed on the bar copy change the editor's table and its scratch icons
// only; "EXIT" saves them with the rest.
TEST(KeyTableAndIcons, KeysArrangedOnTheCopyAreKeptUntilExit) {
    TuneEditor f;
    twoPictureKeys(f);
    f.copy->openAtFullWidth();
    dragOnCopy(*f.copy, 3, 0);
    EXPECT_EQ(f.key(0).target.text(), "/three");
    EXPECT_EQ(f.key(3).target.text(), "/two");
    EXPECT_EQ(f.state.selectedKey, 0);
    EXPECT_EQ(readBytes(f.editor->workingIconFile(0)), "picture of three");
    EXPECT_EQ(readBytes(f.iconFile(3)), "picture of three") << "saved only on EXIT";

    f.editor->chooseForKey(1, KeyMenuChoice::Remove); // the key that was first
    EXPECT_EQ(f.ui().Text4->text(), "9");
    EXPECT_EQ(f.key(2).target.text(), "/two") << "the keys after it moved up";
    f.ui().command1->click();
    const auto saved = loadKeys(keyTablePath(f.bar.folder.path()), 10);
    EXPECT_EQ(readKeyCount(f.bar.keyCountFile()), 9);
    EXPECT_EQ(saved[0].target.text(), "/three");
    EXPECT_EQ(saved[9].caption.text(), "1") << "the removed key waits past the keys in use";
    EXPECT_EQ(readBytes(f.iconFile(0)), "picture of three");
    EXPECT_EQ(readBytes(f.iconFile(2)), "picture of two");
    EXPECT_FALSE(fileExists(f.iconFile(3)));
}

// ---- Every picture key leaves with its icon file

TEST(PictureKeys, APictureChosenWithoutSetupHasItsFileAfterExit) {
    TuneEditor f;
    f.editor->show();
    f.select(4);
    f.ui().Check3->setChecked(false);
    f.ui().HScroll1->setValue(7); // the number is the key's at once; no "Setup"
    f.select(5);
    f.ui().Option4->setChecked(true); // the shut-down key, complete without "Setup"
    f.key(6).iconIndex = 9;           // a picture key whose file went missing
    f.ui().command1->click();

    for (const auto& [key, picture] : {std::pair{4, 7}, {5, 121}, {6, 9}}) {
        const QImage stored(QString::fromStdString(f.iconFile(key).string()), "ICO");
        ASSERT_FALSE(stored.isNull()) << "key " << key;
        EXPECT_EQ(stored.convertToFormat(QImage::Format_ARGB32),
                  f.images.image(picture).toImage().convertToFormat(QImage::Format_ARGB32))
            << "key " << key;
    }
    EXPECT_TRUE(f.warnings.empty());
}

TEST(PictureKeys, ATargetWithoutAnIconShowsAnEmptyFaceNotThePreviousKeysPicture) {
    TuneEditor f;
    const auto program = f.file("tools/ed.exe");
    f.key(1) = keyWith(program.string(), 999, "", "");
    f.key(2) = keyWith("/no/such/program.exe", 999, "", "");
    f.select(1);
    ASSERT_FALSE(f.faceOf(1).isNull());
    f.select(2);
    EXPECT_TRUE(f.faceOf(2).isNull());
    EXPECT_TRUE(f.ui().SmallIconPicture->pixmap().isNull());
}

// ---- "Setup" is a round trip

TEST(SetupRoundTrip, AnUneditedKeyIsStoredByteForByteAndTheLineIsWhatTheBarStarts) {
    TuneEditor f;
    const auto program = f.file("tools/ed.exe");
    const auto document = f.file("docs/a b.txt");
    KeyRecord withDocument =
        keyWith(program.string(), 999, "", "Editor", 255.0f, document.string());
    withDocument.reserved = 7;
    // As earlier versions stored it: the document in the target and in the argument.
    const KeyRecord saved = keyWith(program.string() + " " + document.string(), 0, "Ed", "",
                                    systemGreyColour, document.string());
    f.key(3) = withDocument;
    f.key(4) = saved;
    f.key(5) = defaultKeyRecord(5); // caption " 6" as stored, with its blank
    f.editor->muovi();
    f.editor->show();
    for (int i : {3, 4, 5}) {
        const KeyRecord before = f.key(i);
        f.select(i);
        f.ui().Command2->click();
        f.ui().Command2->click();
        EXPECT_EQ(recordBytes(f.key(i)), recordBytes(before)) << "key " << i;
    }
    f.select(4);
    EXPECT_EQ(f.ui().Text3->text().toStdString(), program.string() + " " + document.string() + " ")
        << "the document shows once";

    f.select(3);
    f.ui().Text3->setText(QString::fromStdString(program.string() + " "));
    f.ui().Command2->click();
    EXPECT_EQ(f.key(3).target.text(), program.string());
    EXPECT_EQ(f.key(3).argument.text(), "") << "the document taken off the line is off the key";
}

// ---- Targets the key table cannot hold

TEST(SetupRefusal, ALineTheKeyTableCannotHoldIsRefusedAndNothingStored) {
    for (const std::string& line :
         {"/" + std::string(260, 'x') + ".exe", std::string("/bin/\xE2\x82\xAC\xC4\x89.exe")}) {
        TuneEditor f;
        f.editor->show();
        f.select(2);
        const KeyRecord before = f.key(2);
        f.ui().Text2->setText("changed");
        f.ui().Text3->setText(QString::fromStdString(line));
        f.ui().Command2->click();
        EXPECT_EQ(f.key(2), before) << line;
        ASSERT_EQ(f.warnings.size(), 1u) << line;
        EXPECT_TRUE(f.warnings[0].contains("250 characters") || f.warnings[0].contains("\u0109"))
            << f.warnings[0].toStdString();
    }
}

// ---- The key count stored is a corrected one

TEST(KeyCount, ANumberTypedAndNeverLeftIsCorrectedBeforeItIsStored) {
    for (const auto& [typed, stored] : {std::pair{"2", 5.0f}, {"0", 5.0f}, {"200", 128.0f}}) {
        TuneEditor f;
        f.editor->show();
        f.ui().Text4->setText(typed);
        f.editor->close();
        EXPECT_EQ(readKeyCount(f.bar.keyCountFile()), stored) << typed;
    }
}

// ---- Controls a person can use

TEST(KeyEditorControls, BarsShowAThumbAndReachAnyPictureInAFewClicks) {
    TuneEditor f;
    f.editor->show();
    for (QScrollBar* bar : {f.ui().HScroll1, f.ui().HScroll2}) {
        EXPECT_GE(bar->width(), 100) << bar->objectName().toStdString();
        EXPECT_GE(bar->pageStep(), 10) << bar->objectName().toStdString();
    }
}

TEST(KeyEditorControls, TheChooserReachesThePlacesOfThisDesktopsPrograms) {
    TuneEditor f;
    const auto applications = f.bar.folder / "home/.local/share/applications";
    std::filesystem::create_directories(applications);
    std::filesystem::create_directories(f.bar.folder / "home/.local/bin");
    std::filesystem::create_directories(f.bar.folder / "home/Music");
    const QByteArray home = qgetenv("HOME");
    qputenv("XDG_DATA_HOME", QByteArray::fromStdString(applications.parent_path().string()));
    qputenv("HOME", QByteArray::fromStdString((f.bar.folder / "home").string()));
    DriveList drives;
    FolderList folders;
    qunsetenv("XDG_DATA_HOME");
    qputenv("HOME", home);
    const auto places = drives.drives();
    EXPECT_NE(std::find(places.begin(), places.end(), applications), places.end());
    EXPECT_NE(std::find(places.begin(), places.end(), f.bar.folder / "home/.local/bin"),
              places.end());
    folders.setPath(f.bar.folder / "home");
    const int rows = folders.count();
    ASSERT_GE(rows, 2);
    EXPECT_EQ(folders.entryPath(rows - 2), f.bar.folder / "home/Music");
    EXPECT_EQ(folders.entryPath(rows - 1), f.bar.folder / "home/.local") << "hidden folders last";
}
