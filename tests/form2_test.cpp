#include "bar/keybutton.h"
#include "tuneeditor.h"

#include "common/settings.h"
#include "tune/filechooser.h"
#include "tune/form2.h"
#include "tune/form3.h"
#include "tune/targetline.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <functional>

using namespace ombrix;

namespace {

QPixmap faceOf(const ombrix::KeyButton* key) {
    return key->icon().pixmap(16, 16);
}

// The key editor, with the state of every selector and copy button read at once.
struct EditorFixture : TuneEditor {
    using TuneEditor::TuneEditor;

    // True when selectors and copy buttons 0..n-1 are enabled and all others disabled.
    bool exactlyFirstEnabled(int n) const {
        for (int i = 0; i < maxKeys; ++i) {
            const bool expected = i < n;
            if (editor->selector(i)->isEnabled() != expected ||
                copy->key(i)->isEnabled() != expected)
                return false;
        }
        return true;
    }
    bool exactlyFirstShown(int n) const {
        for (int i = 0; i < maxKeys; ++i) {
            const bool expected = i < n;
            if (editor->selector(i)->isHidden() == expected || copy->key(i)->isHidden() == expected)
                return false;
        }
        return true;
    }
    QPoint markerPlaceOf(int i) {
        copy->showMarkerAround(i);
        return copy->marker()->pos();
    }
};

} // namespace

// ---- Caption

struct CaptionRow {
    int major, minor, patch;
    const char* caption;
};

class SetupCaption : public testing::TestWithParam<CaptionRow> {};

TEST_P(SetupCaption, WritesEachNumberWithItsSignPlace) {
    const CaptionRow& row = GetParam();
    EXPECT_EQ(setupCaption(row.major, row.minor, row.patch), row.caption);
}

INSTANTIATE_TEST_SUITE_P(Versions, SetupCaption,
                         testing::Values(CaptionRow{2, 1, 6, "Ombrix Setup -  2. 1. 6"},
                                         CaptionRow{0, 0, 0, "Ombrix Setup -  0. 0. 0"},
                                         CaptionRow{10, 0, 12, "Ombrix Setup -  10. 0. 12"},
                                         CaptionRow{-1, 2, -3, "Ombrix Setup - -1. 2.-3"}));

// ---- Selecting a key: the target and the lists

TEST(KeySelection, AProgramWithADocumentPointsTheListsAtTheProgram) {
    EditorFixture f;
    const auto program = f.file("apps/editor.exe");
    f.file("apps/zeta.exe");
    f.file("apps/notes.txt");
    const auto document = f.file("docs/a b.txt");
    f.key(4) = keyWith(program.string(), 0, "Ed", "Edit", systemGreyColour, document.string());
    f.copy->setKeyToolTip(4, "Edit");
    f.ui().Option3->setChecked(true);
    f.ui().File1->setPattern("*.*");
    f.ui().Text3->setText("left over");

    f.select(4);
    const auto& ui = f.ui();
    EXPECT_EQ(ui.Dir1->path(), program.parent_path());
    EXPECT_EQ(ui.File1->path(), program.parent_path());
    ASSERT_NE(ui.File1->currentItem(), nullptr);
    EXPECT_EQ(ui.File1->currentItem()->text(), "editor.exe");
    EXPECT_EQ(ui.File1->pattern(), "*.exe;*.bat;*.com;*.pif");
    EXPECT_EQ(ui.File1->count(), 2) << "notes.txt is no program";
    const auto drive = ui.Drive1->drive().string();
    EXPECT_TRUE(program.string().starts_with(drive)) << drive;
    EXPECT_TRUE(ui.Option2->isChecked());
    EXPECT_EQ(ui.Text3->text().toStdString(), program.string() + " " + document.string());
    EXPECT_EQ(ui.Text2->text(), "Edit");
    EXPECT_EQ(f.state.iconSourcePath, program.string());
    EXPECT_TRUE(
        TuneEditor::samePicture(ui.SmallIconPicture->pixmap(), TuneEditor::fakeIcon(program)));
    EXPECT_EQ(ui.HScroll2->value(), 4);
    EXPECT_EQ(f.state.selectedKey, 4);
    EXPECT_FALSE(f.state.loadingKey);
    EXPECT_TRUE(f.copy->marker()->isVisibleTo(f.copy.get()));
    EXPECT_EQ(f.copy->marker()->pos(), f.markerPlaceOf(4));
}

// The colour window selects keys through this call.
TEST(KeySelection, SelectingAKeyLoadsItWhetherItsSelectorWasOnOrNot) {
    for (const bool wasOn : {false, true}) {
        SCOPED_TRACE(wasOn ? "selector on" : "selector off");
        EditorFixture f;
        f.select(wasOn ? 4 : 2);
        f.ui().Text3->setText(QStringLiteral("typed"));
        f.editor->selectKey(4);
        EXPECT_TRUE(f.editor->selector(4)->isChecked());
        EXPECT_EQ(f.state.selectedKey, 4);
        EXPECT_EQ(f.ui().Text3->text().toStdString(), targetLineOf(f.key(4)));
    }
}

TEST(KeySelection, FindsTheProgramsEntryWhateverItsLetterCase) {
    EditorFixture f;
    const auto program = f.file("apps/Tool.EXE");
    f.file("apps/a.exe");
    f.key(2) = keyWith((f.bar.folder / "apps/tool.exe").string(), 0, "T", "");
    f.select(2);
    ASSERT_NE(f.ui().File1->currentItem(), nullptr);
    EXPECT_EQ(f.ui().File1->currentItem()->text(), "Tool.EXE");
}

struct UntouchedRow {
    const char* name;
    const char* target;
    const char* targetLine;
};

class KeySelectionWithoutAFile : public testing::TestWithParam<UntouchedRow> {};

TEST_P(KeySelectionWithoutAFile, LeavesTheListsWhereTheyWere) {
    EditorFixture f;
    const auto elsewhere = f.file("elsewhere/b.exe");
    f.file("elsewhere/a.exe");
    auto& ui = f.ui();
    ui.Drive1->setCurrentIndex(ui.Drive1->count() - 1);
    ui.Dir1->setPath(elsewhere.parent_path());
    ui.File1->setPath(elsewhere.parent_path());
    ui.File1->setCurrentRow(1);
    const auto drive = ui.Drive1->drive();

    f.key(6) = keyWith(GetParam().target, 0, "K", "");
    f.select(6);
    EXPECT_EQ(ui.Dir1->path(), elsewhere.parent_path());
    EXPECT_EQ(ui.File1->path(), elsewhere.parent_path());
    EXPECT_EQ(ui.File1->currentRow(), 1);
    EXPECT_EQ(ui.Drive1->drive(), drive);
    EXPECT_EQ(ui.Text3->text(), GetParam().targetLine);
}

INSTANTIATE_TEST_SUITE_P(
    Targets, KeySelectionWithoutAFile,
    testing::Values(UntouchedRow{"Web", "HTTPS://example.org/a", "HTTPS://example.org/a "},
                    UntouchedRow{"Shutdown", "shl.ShutdownWindows", "shl.ShutdownWindows "},
                    UntouchedRow{"Blank", "", " "}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Selecting a key: the icon controls by icon number

struct IconRow {
    const char* name;
    int iconIndex;
    bool original;     // Check3
    bool iconBarShown; // HScroll1
    int iconBarValue;  // HScroll1's value afterwards
    int image;         // Image1: the picture's number, 0 none, -1 hidden
    bool captionShown; // Text1 and Label2
    int storedAfter;   // the key's icon number afterwards
};

class IconChoice : public testing::TestWithParam<IconRow> {};

// Key 2 shows picture 7 before; key 5 is selected with the row's icon number.
TEST_P(IconChoice, FollowsTheKeysIconNumber) {
    const IconRow& row = GetParam();
    EditorFixture f;
    const auto program = f.file("apps/run.exe");
    f.key(2).iconIndex = 7;
    f.key(5) = keyWith(program.string(), static_cast<std::int16_t>(row.iconIndex), "Cap", "Tip");
    f.select(2);
    f.copy->setKeyFace(5, "before", QPixmap());

    f.select(5);
    const auto& ui = f.ui();
    EXPECT_EQ(ui.Check3->isChecked(), row.original);
    EXPECT_EQ(ui.HScroll1->isHidden(), !row.iconBarShown);
    EXPECT_EQ(ui.HScroll1->value(), row.iconBarValue);
    EXPECT_EQ(ui.Image1->isHidden(), row.image < 0);
    if (row.image > 0) {
        EXPECT_TRUE(TuneEditor::samePicture(ui.Image1->pixmap(), f.images.image(row.image)));
    } else if (row.image == 0) {
        EXPECT_TRUE(ui.Image1->pixmap().isNull());
    }
    EXPECT_EQ(ui.Text1->isHidden(), !row.captionShown);
    EXPECT_EQ(ui.Label2->isHidden(), !row.captionShown);
    EXPECT_EQ(ui.SmallIconPicture->isHidden(), !row.original);
    EXPECT_EQ(f.key(5).iconIndex, row.storedAfter);
    EXPECT_EQ(f.key(2).iconIndex, 7) << "the key selected before keeps its icon";
}

INSTANTIATE_TEST_SUITE_P(Numbers, IconChoice,
                         testing::Values(IconRow{"Caption", 0, false, true, 0, 0, true, 0},
                                         IconRow{"Picture", 5, false, true, 5, 5, false, 5},
                                         IconRow{"TargetIcon", 999, true, false, 7, -1, false, 999},
                                         // No picture of the list: "Setup" keeps the key's
                                         // own icon file rather than the last one shown.
                                         IconRow{"BeyondThePictures", 200, false, true, 7, 0, false,
                                                 200},
                                         IconRow{"Unknown", 4000, false, true, 7, 7, false, 4000}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(IconChoice, TheBarCopysKeyShowsWhatTheNumberMeans) {
    EditorFixture f;
    const auto program = f.file("apps/run.exe");
    f.key(1) = keyWith(program.string(), 0, "Cap", "");
    f.key(2) = keyWith(program.string(), 5, "", "");
    f.key(3) = keyWith(program.string(), targetIconIndex, "", "");
    f.key(4) = keyWith(program.string(), 4000, "", "");
    for (int i = 1; i <= 4; ++i)
        f.copy->setKeyFace(i, "old", QPixmap());
    for (int i = 1; i <= 4; ++i)
        f.select(i);
    EXPECT_EQ(f.copy->key(1)->text(), "old") << "a caption key is left as it is";
    EXPECT_EQ(f.copy->key(2)->text(), "");
    EXPECT_TRUE(
        TuneEditor::samePicture(faceOf(f.copy->key(2)), QIcon(f.images.image(5)).pixmap(16, 16)));
    EXPECT_EQ(f.copy->key(3)->text(), "");
    EXPECT_TRUE(TuneEditor::samePicture(faceOf(f.copy->key(3)), TuneEditor::fakeIcon(program)));
    EXPECT_EQ(f.copy->key(4)->text(), "old");
    EXPECT_EQ(f.ui().Text1->text(), "Cap") << "the caption box is loaded only for caption keys";
}

struct IconBarRow {
    int value;
    int stored;
    bool picture;
};

class IconBar : public testing::TestWithParam<IconBarRow> {};

TEST_P(IconBar, ChangesTheCheckedKeyAtOnce) {
    const IconBarRow& row = GetParam();
    EditorFixture f;
    f.key(3).iconIndex = 40;
    f.select(3);
    f.ui().HScroll1->setValue(row.value);
    EXPECT_EQ(f.key(3).iconIndex, row.stored);
    EXPECT_EQ(f.ui().HScroll1->value(), row.stored);
    EXPECT_EQ(f.ui().Label1->text(), QString::number(row.stored));
    EXPECT_EQ(f.ui().Text1->isHidden(), row.picture);
    EXPECT_EQ(f.ui().Label2->isHidden(), row.picture);
    if (row.picture) {
        EXPECT_TRUE(TuneEditor::samePicture(f.ui().Image1->pixmap(), f.images.image(row.stored)));
    } else {
        EXPECT_TRUE(f.ui().Image1->pixmap().isNull());
    }
    EXPECT_EQ(f.key(2).iconIndex, 0) << "only the checked key changes";
}

INSTANTIATE_TEST_SUITE_P(Values, IconBar,
                         testing::Values(IconBarRow{12, 12, true}, IconBarRow{0, 0, false},
                                         IconBarRow{1, 1, true}, IconBarRow{125, 125, true},
                                         IconBarRow{126, 125, true}));

TEST(IconChoice, OriginalSwitchesBetweenTheTargetsIconAndThePictures) {
    EditorFixture f;
    f.key(3).iconIndex = 12;
    f.select(3);
    const auto& ui = f.ui();
    ui.Check3->setChecked(true);
    for (QWidget* w :
         std::initializer_list<QWidget*>{ui.Image1, ui.HScroll1, ui.Text1, ui.Label2, ui.Label1})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(ui.SmallIconPicture->isHidden());
    ui.Check3->setChecked(false);
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Image1, ui.HScroll1, ui.Label1})
        EXPECT_FALSE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_TRUE(ui.SmallIconPicture->isHidden());
    EXPECT_EQ(f.key(3).iconIndex, 12) << "the record changes only with Setup";
}

// ---- The number of keys

struct TypedCountRow {
    const char* text;
    float keyCount;
    int enabled;
};

class TypingTheKeyCount : public testing::TestWithParam<TypedCountRow> {};

TEST_P(TypingTheKeyCount, EnablesExactlyTheKeysInUse) {
    const TypedCountRow& row = GetParam();
    EditorFixture f;
    f.ui().Text4->setText(row.text);
    EXPECT_EQ(f.state.keyCount, row.keyCount);
    EXPECT_TRUE(f.exactlyFirstEnabled(row.enabled));
    EXPECT_EQ(f.ui().Text4->text(), row.text) << "typing is corrected only on leaving the box";
}

INSTANTIATE_TEST_SUITE_P(Texts, TypingTheKeyCount,
                         testing::Values(TypedCountRow{"12", 12, 12}, TypedCountRow{"1", 1, 1},
                                         TypedCountRow{"", 0, 0}, TypedCountRow{"7abc", 7, 7},
                                         TypedCountRow{"200", 200, 128}));

struct LeftCountRow {
    const char* typed;
    const char* corrected;
    int keyCount;
};

class LeavingTheKeyCount : public testing::TestWithParam<LeftCountRow> {};

TEST_P(LeavingTheKeyCount, CorrectsTheNumberAndLaysTheCopyOut) {
    const LeftCountRow& row = GetParam();
    EditorFixture f;
    f.ui().Text4->setText(row.typed);
    f.editor->Text4_LostFocus();
    EXPECT_EQ(f.ui().Text4->text(), row.corrected);
    EXPECT_EQ(f.state.keyCount, row.keyCount);
    EXPECT_TRUE(f.exactlyFirstEnabled(row.keyCount));
    // "Show all" is off: one more key than in use is shown, disabled.
    EXPECT_EQ(f.state.lastKeyShown, row.keyCount);
    EXPECT_EQ(f.state.barLength, row.keyCount * 365.0f);
    EXPECT_TRUE(f.exactlyFirstShown(std::min(row.keyCount + 1, maxKeys)));
    EXPECT_TRUE(f.copy->isVisible());
}

INSTANTIATE_TEST_SUITE_P(Texts, LeavingTheKeyCount,
                         testing::Values(LeftCountRow{"200", "128", 128}, LeftCountRow{"2", "5", 5},
                                         LeftCountRow{"0", "5", 5}, LeftCountRow{"", "5", 5},
                                         LeftCountRow{"3", "3", 3}, LeftCountRow{"40", "40", 40}));

TEST(KeyCount, LeavingTheBoxForAnotherControlCorrectsIt) {
    EditorFixture f;
    f.ui().Text4->setText("1");
    QFocusEvent toWindow(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(f.ui().Text4, &toWindow);
    EXPECT_EQ(f.ui().Text4->text(), "1") << "switching to another program is not leaving";
    QFocusEvent toControl(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(f.ui().Text4, &toControl);
    EXPECT_EQ(f.ui().Text4->text(), "5");
    EXPECT_EQ(f.state.keyCount, 5);
}

// ---- Showing all the keys

TEST(ShowAllKeys, ShowsAllOrTheKeysInUseAndOneMoreAndStoresTheChoice) {
    EditorFixture f;
    f.ui().Text4->setText("10");
    f.ui().Check4->setChecked(true);
    EXPECT_TRUE(f.exactlyFirstShown(128));
    EXPECT_TRUE(f.exactlyFirstEnabled(10));
    EXPECT_EQ(f.state.lastKeyShown, 127);
    EXPECT_EQ(f.state.barLength, 48740);
    EXPECT_TRUE(f.state.showAllKeys);
    EXPECT_EQ(f.bar.store.read("tutti"), "True");

    f.ui().Check4->setChecked(false);
    EXPECT_TRUE(f.exactlyFirstShown(11));
    EXPECT_TRUE(f.exactlyFirstEnabled(10));
    EXPECT_EQ(f.state.lastKeyShown, 10);
    EXPECT_EQ(f.state.barLength, 3650);
    EXPECT_FALSE(f.state.showAllKeys);
    EXPECT_EQ(f.bar.store.read("tutti"), "False");
}

// A settings file that takes no value.
class RefusingSettings : public SettingsStore {
public:
    std::optional<std::string> read(std::string_view) const override { return std::nullopt; }
    bool write(std::string_view, std::string_view) override { return false; }
};

TEST(ShowAllKeys, AChoiceTheSettingsFileRefusesHoldsForThisRunAndTheUserIsTold) {
    RefusingSettings refusing;
    Preferences prefs(refusing);
    EditorFixture f(&prefs);
    f.ui().Text4->setText("10");
    f.ui().Check4->setChecked(true);
    f.ui().Check4->setChecked(false);
    EXPECT_TRUE(f.exactlyFirstShown(11));
    EXPECT_FALSE(f.state.showAllKeys);
    ASSERT_FALSE(f.warnings.empty());
    EXPECT_EQ(f.warnings.back(),
              "The show-all-keys choice could not be stored in the settings file.");
}

TEST(ShowAllKeys, TheMarkerStaysWithTheSelectedKeyWhenTheCopyIsLaidOutAgain) {
    EditorFixture f;
    f.select(40);
    const QPoint before = f.copy->marker()->pos();
    f.bar.screen = {9600, 10800}; // narrow: the copy folds into more rows
    f.ui().Check4->setChecked(true);
    const QPoint after = f.copy->marker()->pos();
    EXPECT_NE(after, before);
    EXPECT_EQ(after, f.markerPlaceOf(40));
}

// ---- Moving the checked key

struct MoveRow {
    const char* name;
    bool iconOf5, iconOf7, otherIcon;
    bool icon5After, icon7After;
};

class MovingAKey : public testing::TestWithParam<MoveRow> {};

TEST_P(MovingAKey, ExchangesRecordsAndIconFilesAndSelectsTheNewPlace) {
    const MoveRow& row = GetParam();
    EditorFixture f;
    f.key(5) = keyWith("five", 0, "Five", "tip five");
    f.key(7) = keyWith("seven", 0, "Seven", "tip seven");
    if (row.iconOf5)
        f.file("icons/icon5.ico", "5");
    if (row.iconOf7)
        f.file("icons/icon7.ico", "7");
    if (row.otherIcon)
        f.file("icons/icon9.ico", "9");
    else
        std::filesystem::create_directories(f.bar.folder / "icons");
    f.select(5);

    f.ui().HScroll2->setValue(7);
    EXPECT_EQ(f.key(7).target.text(), "five");
    EXPECT_EQ(f.key(5).target.text(), "seven");
    EXPECT_EQ(fileExists(f.workingIcon(5)), row.icon5After);
    EXPECT_EQ(fileExists(f.workingIcon(7)), row.icon7After);
    if (row.iconOf5 && row.iconOf7) {
        EXPECT_EQ(readBytes(f.workingIcon(7)), "5");
        EXPECT_EQ(readBytes(f.workingIcon(5)), "7");
    }
    EXPECT_EQ(f.state.selectedKey, 7);
    EXPECT_TRUE(f.editor->selector(7)->isChecked());
    EXPECT_EQ(f.ui().HScroll2->value(), 7);
    // The copy is painted from the table again.
    EXPECT_EQ(f.copy->key(7)->text(), "Five");
    EXPECT_EQ(f.copy->key(7)->toolTip(), "tip five");
    EXPECT_EQ(f.copy->key(5)->text(), "Seven");
    EXPECT_EQ(f.copy->marker()->pos(), f.markerPlaceOf(7));
    EXPECT_TRUE(f.warnings.empty());
}

INSTANTIATE_TEST_SUITE_P(
    IconFiles, MovingAKey,
    testing::Values(MoveRow{"BothHaveIcons", true, true, false, true, true},
                    MoveRow{"OnlyTheMovedKey", true, false, false, false, true},
                    MoveRow{"OnlyTheOtherKey", false, true, false, true, false},
                    MoveRow{"NeitherInAFolderWithIcons", false, false, true, false, false},
                    MoveRow{"EmptyIconsFolder", false, false, false, false, false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(MovingAKey, BeyondTheKeysInUseGoesToTheLastPlaceInUse) {
    EditorFixture f;
    f.key(2) = keyWith("two", 0, "Two", "");
    f.key(9) = keyWith("nine", 0, "Nine", "");
    f.select(2);
    f.ui().HScroll2->setValue(100);
    EXPECT_EQ(f.key(9).target.text(), "two");
    EXPECT_EQ(f.key(2).target.text(), "nine");
    EXPECT_EQ(f.ui().HScroll2->value(), 9);
    EXPECT_EQ(f.state.selectedKey, 9);
}

TEST(MovingAKey, ARefusedIconRenameMovesNothing) {
    EditorFixture f;
    f.key(5) = keyWith("five", 0, "Five", "");
    f.key(7) = keyWith("seven", 0, "Seven", "");
    f.file("icons/icon5.ico", "5");
    f.file("icons/icon7.ico", "7");
    f.file("icons/icon1000.ico", "left over"); // in the way of the exchange
    f.select(5);
    f.ui().HScroll2->setValue(7);
    EXPECT_EQ(f.key(5).target.text(), "five");
    EXPECT_EQ(f.key(7).target.text(), "seven");
    EXPECT_EQ(readBytes(f.workingIcon(5)), "5");
    EXPECT_EQ(readBytes(f.workingIcon(7)), "7");
    ASSERT_EQ(f.warnings.size(), 1u);
    EXPECT_EQ(f.state.selectedKey, 5);
    EXPECT_EQ(f.ui().HScroll2->value(), 5);
}

TEST(MovingAKey, DraggingTheThumbPreviewsAndExchangesOnceOnRelease) {
    EditorFixture f;
    for (int i = 0; i < 10; ++i) {
        f.key(i) = keyWith("key" + std::to_string(i), 0, "K" + std::to_string(i), "");
        f.file("icons/icon" + std::to_string(i) + ".ico", std::to_string(i));
    }
    f.select(2);
    const auto before = f.state.keys;
    QScrollBar* bar = f.ui().HScroll2;

    // Thumb positions and where the marker shows the key would land (the last key in use is 9).
    const std::array<std::pair<int, int>, 4> drag = {{{4, 4}, {6, 6}, {50, 9}, {5, 5}}};
    bar->setSliderDown(true);
    for (const auto& [position, landing] : drag) {
        bar->setSliderPosition(position);
        EXPECT_EQ(f.copy->marker()->pos(), f.markerPlaceOf(landing)) << position;
        EXPECT_EQ(bar->value(), 2);
        EXPECT_EQ(f.state.selectedKey, 2);
        EXPECT_EQ(f.state.keys, before) << "no record changes while dragging";
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(readBytes(f.workingIcon(i)), std::to_string(i)) << "no file is renamed";
    }
    bar->setSliderDown(false);

    EXPECT_EQ(f.key(5).target.text(), "key2");
    EXPECT_EQ(f.key(2).target.text(), "key5");
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9}) {
        EXPECT_EQ(f.key(i), before[static_cast<std::size_t>(i)]) << i;
        EXPECT_EQ(readBytes(f.workingIcon(i)), std::to_string(i));
    }
    EXPECT_EQ(readBytes(f.workingIcon(5)), "2");
    EXPECT_EQ(readBytes(f.workingIcon(2)), "5");
    EXPECT_EQ(f.state.selectedKey, 5);
    EXPECT_EQ(f.copy->marker()->pos(), f.markerPlaceOf(5));
}

TEST(MovingAKey, ADragLetGoWhereItStartedChangesNothing) {
    EditorFixture f;
    f.key(2) = keyWith("two", 0, "Two", "");
    f.select(2);
    const auto before = f.state.keys;
    const QPoint markerBefore = f.copy->marker()->pos();
    QScrollBar* bar = f.ui().HScroll2;
    bar->setSliderDown(true);
    bar->setSliderPosition(6);
    bar->setSliderPosition(2);
    bar->setSliderDown(false);
    EXPECT_EQ(f.state.keys, before);
    EXPECT_EQ(f.state.selectedKey, 2);
    EXPECT_EQ(f.copy->marker()->pos(), markerBefore);
}

// ---- Painting the copy from the table

TEST(BarCopyPaint, EveryKeyShowsItsRecord) {
    EditorFixture f;
    const auto program = f.file("apps/tool.exe");
    const auto icon = f.file("icons/icon3.ico");
    f.key(7) = keyWith("", 0, "", "  spaced tip  ");
    f.key(3) = keyWith("", 4, "", "");
    f.key(9) = keyWith(program.string() + " --flag", targetIconIndex, "", "");
    f.key(11) = keyWith("", 0, "Red", "", 255.0f);
    f.key(12) = keyWith("", 0, "Grey", "");
    for (int i : {7, 3, 9, 11, 12})
        f.copy->setKeyFace(i, "stale", TuneEditor::fakeIcon(icon));
    f.copy->setKeyColour(12, 0x00FF00);

    f.editor->muovi();
    EXPECT_EQ(f.copy->key(7)->text(), "8") << "an empty caption shows the key's number";
    EXPECT_TRUE(faceOf(f.copy->key(7)).isNull());
    EXPECT_EQ(f.copy->key(7)->toolTip(), "spaced tip");
    EXPECT_EQ(f.copy->key(3)->text(), "");
    EXPECT_TRUE(TuneEditor::samePicture(faceOf(f.copy->key(3)), TuneEditor::fakeIcon(icon)));
    EXPECT_TRUE(TuneEditor::samePicture(faceOf(f.copy->key(9)), TuneEditor::fakeIcon(program)));
    EXPECT_EQ(f.state.iconSourcePath, program.string());
    EXPECT_TRUE(
        TuneEditor::samePicture(f.ui().SmallIconPicture->pixmap(), TuneEditor::fakeIcon(program)));
    EXPECT_EQ(f.copy->key(11)->text(), "Red");
    EXPECT_EQ(f.copy->key(11)->faceColour(), QColor(Qt::red));
    EXPECT_EQ(f.copy->key(12)->faceColour(), QColor(0xC8, 0xC8, 0xC8));
}

// ---- Loading, showing and moving the window

TEST(KeyEditorLoad, TakesKeyZeroAndTheOptions) {
    EditorFixture f;
    const auto program = f.file("apps/tool.exe");
    f.key(0) = keyWith(program.string(), targetIconIndex, "Tool", "", systemGreyColour, "doc");
    f.copy->setKeyToolTip(0, "first tip");
    f.state.soundOn = false;
    f.bar.store.write("StartUp", "True");
    f.copy->marker()->hide();

    f.editor->Form_Load();
    const auto& ui = f.ui();
    EXPECT_TRUE(ui.Check3->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{ui.Image1, ui.HScroll1, ui.Text1, ui.Label1})
        EXPECT_TRUE(w->isHidden()) << w->objectName().toStdString();
    EXPECT_FALSE(ui.SmallIconPicture->isHidden());
    EXPECT_EQ(ui.Text1->text(), "Tool");
    EXPECT_EQ(ui.Text3->text().toStdString(), program.string() + " doc");
    EXPECT_FALSE(ui.Check1->isChecked());
    EXPECT_TRUE(ui.Check2->isChecked());
    EXPECT_EQ(ui.Text2->text(), "first tip");
    EXPECT_TRUE(ui.Check5->isChecked());
    EXPECT_TRUE(f.copy->marker()->isVisibleTo(f.copy.get()));
    EXPECT_EQ(f.copy->marker()->x(), 1640 / 15);
}

TEST(KeyEditorActivate, TheNumberBoxAndShowAllFollowTheState) {
    EditorFixture f;
    f.state.keyCount = 12;
    f.state.showAllKeys = true;
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(f.editor.get(), &activate);
    EXPECT_EQ(f.ui().Text4->text(), "12");
    EXPECT_TRUE(f.exactlyFirstEnabled(12));
    EXPECT_TRUE(f.ui().Check4->isChecked());
    EXPECT_EQ(f.bar.store.read("tutti"), "True") << "the box's change ran its handler";
}

TEST(KeyEditorWindow, ADragWithTheLeftButtonMovesTheWindow) {
    EditorFixture f;
    f.editor->move(100, 100);
    const QPoint start = f.editor->pos();
    f.editor->Form_MouseMove(150, 150, Qt::NoButton);
    f.editor->Form_MouseMove(450, 300, Qt::LeftButton);
    EXPECT_EQ(f.editor->pos(), start + QPoint(20, 10));
    f.editor->Form_MouseMove(900, 900, Qt::RightButton);
    EXPECT_EQ(f.editor->pos(), start + QPoint(20, 10));
}

// ---- The file list's pattern

struct PatternRow {
    const char* name;
    const char* pattern;
    bool fits;
};

class FilePattern : public testing::TestWithParam<PatternRow> {};

TEST_P(FilePattern, FitsNamesInAnyLetterCase) {
    EXPECT_EQ(nameFitsPattern(GetParam().name, GetParam().pattern), GetParam().fits);
}

INSTANTIATE_TEST_SUITE_P(Names, FilePattern,
                         testing::Values(PatternRow{"a.exe", programPattern, true},
                                         PatternRow{"SETUP.EXE", programPattern, true},
                                         PatternRow{"old.pif", programPattern, true},
                                         PatternRow{"a.exe.txt", programPattern, false},
                                         PatternRow{"readme", "*.*", true},
                                         PatternRow{"a.txt", "", false},
                                         PatternRow{"ab.c", "a?.c", true},
                                         PatternRow{"abc.c", "a?.c", false},
                                         PatternRow{"x.htm", " *.txt ; *.htm", true}));

TEST(FileList, ProgramsIncludeExecutablesAndDesktopEntriesHere) {
    TempFolder folder;
    const auto script = folder.write("run", "#!/bin/sh\n");
    std::filesystem::permissions(script, std::filesystem::perms::owner_all);
    folder.write("app.desktop", "[Desktop Entry]\n");
    folder.write("plain", "text");
    folder.write(".hidden.exe", "x");
    folder.write("b.EXE", "x");
    FileList list;
    list.setPattern(programPattern);
    list.setPath(folder.path());
    QStringList shown;
    for (int i = 0; i < list.count(); ++i)
        shown << list.fileName(i);
    EXPECT_EQ(shown, QStringList({"app.desktop", "b.EXE", "run"}));
    list.setPattern("*.*");
    EXPECT_EQ(list.count(), 4) << "every file but the hidden one";
}
