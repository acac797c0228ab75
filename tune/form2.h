#pragma once

#include "bar/barform.h"
#include "bar/keymenu.h"
#include "common/atomicfile.h"
#include "common/keyarrangement.h"
#include "common/translatable.h"
#include "tune/iconworkspace.h"
#include "tune/imagelist.h"
#include "tune/tunestate.h"

#include <QCheckBox>
#include <QPixmap>
#include <QRadioButton>
#include <QWidget>

#include <array>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace ombrix {

class DriveList;
class FileList;
class FolderList;
class Form3;

// What the key editor works on and with. state, barCopy, images and preferences must be set;
// the rest may be left empty.
struct TuneContext {
    std::filesystem::path programFolder; // the programs the editor starts
    std::filesystem::path dataFolder;    // the key table and key icons it writes
    TuneState* state = nullptr;
    Form3* barCopy = nullptr;
    ImageList* images = nullptr;
    Preferences* preferences = nullptr;
    platform::Sounds* sounds = nullptr;     // may be null: no sound
    IconLoader smallIcon;                   // the small icon of a file, null when it has none
    std::function<void()> openColourWindow; // "Background Color"
    // The screen as it is now, twips; unset means the primary screen.
    std::function<ScreenSize()> screen;
    // Tells the user something went wrong; unset means a warning box.
    std::function<void(const QString&)> warn;
    // Starts the bar and the start-up helper when the editor is left or the start-up choice
    // changes; may be null: nothing is started.
    platform::DesktopServices* desktop = nullptr;
    std::filesystem::path keyCountFile; // where leaving stores the number of keys
    std::function<void()> quit;         // ends the setup program; unset: nothing ends
    // Ends a bar started while the setup ran, so that leaving leaves exactly one bar, showing
    // the keys just saved; unset: nothing is ended.
    std::function<void()> endRunningBar;
};

// The file list's pattern for programs, as loading a key and changing the place set it.
inline constexpr const char* programPattern = "*.exe;*.bat;*.com;*.pif";
// The same files as the kind options name them.
inline constexpr const char* programKindPattern = "*.exe;*.com;*.bat;*.pif";
// What the "html" kind puts into the target line for the address to be typed after it.
inline constexpr const char* webAddressStart = "http://";

// The shut-down key's fixed values.
inline constexpr float shutdownBlue = 16711680.0f; // &HFF0000

// "Ombrix Setup - " and the version, each number written as the classic number-to-text does:
// a blank before a number that is not negative, a minus sign before one that is.
// `name` is the window's name in the user's language.
std::string setupCaption(int major, int minor, int patch, const std::string& name = "Ombrix Setup");

// The setup program's key editor: one selector per key, the fields of the selected key, the
// number of keys and the move bar, and the global check boxes. Every change it makes to a
// key shows at once on the bar copy. A handler runs whenever its control's value really
// changes, also when the window sets the value itself; handlers are named after their
// controls. The window itself is in form2.cpp, its parts in the form2*.cpp files named below.
class Form2 : public QWidget {
    Q_OBJECT

public:
    // The controls, named as the window's design names them.
    struct Controls {
        QCheckBox* Check1; // sound
        QCheckBox* Check2; // double click
        QCheckBox* Check3; // the target's own icon
        QCheckBox* Check4; // show all the keys
        QCheckBox* Check5; // run at start-up
        QLabel* Label1;    // the icon number
        QLabel* Label2;    // the caption prompt
        QLabel* Label3;
        QLabel* Label4;
        QLabel* Label5;
        QLabel* Label6;
        QLabel* Label7;
        QLabel* Label8;
        QLabel* Label9;
        QLineEdit* Text1; // caption, 6 characters
        QLineEdit* Text2; // pop-up text
        QLineEdit* Text3; // target line
        QLineEdit* Text4; // number of keys
        QLabel* SmallIconPicture;
        QLabel* Image1;
        QScrollBar* HScroll1; // icon number 0..125
        QScrollBar* HScroll2; // the checked key's place 0..128
        DriveList* Drive1;
        FolderList* Dir1;
        FileList* File1;
        QPushButton* Command4; // "Background Color"
        QPushButton* Command2; // "Setup"
        QPushButton* command1; // "EXIT"
        QGroupBox* KindFrame;
        QRadioButton* Option2; // "exe"
        QRadioButton* Option3; // "file"
        QRadioButton* Option5; // "html"
        QRadioButton* Option4; // shut down
        QGroupBox* SelectorFrame;
        std::array<QRadioButton*, maxKeys> Option1;
        QButtonGroup* keySelectors;
    };

    explicit Form2(TuneContext context, QWidget* parent = nullptr);
    ~Form2() override;

    // For the start-up.
    void setCaptionVersion(int major, int minor, int patch);
    // Keys 0..keyCount-1 are enabled, the others disabled, on the selectors and the bar copy.
    void enableKeys(float keyCount);
    // Shows the small icon of `file` in SmallIconPicture and returns it; a file without an
    // icon empties the picture and returns a null pixmap.
    QPixmap captureSmallIcon(const std::filesystem::path& file);
    // Key i's icon file as the editor has it; it reaches the program folder on "EXIT".
    std::filesystem::path workingIconFile(int i) const;
    QRadioButton* selector(int i) const { return c_.Option1.at(static_cast<std::size_t>(i)); }
    QCheckBox* showAllBox() const { return c_.Check4; }
    const Controls& controls() const { return c_; }

    // Puts the window where the bar copy, always on top, covers none of it and it lies wholly
    // on the screen; moves the copy when they cannot both fit. With `onlyWhenCovered` a window
    // the copy leaves free stays where it is.
    void keepClearOfBarCopy(bool onlyWhenCovered);

    // Loads the window from key 0 and the options; the start-up runs it before and after the
    // key table is read.
    void Form_Load();
    // Each time the window becomes active: the number box and the show-all box follow the state.
    void Form_Activate();
    void Form_MouseMove(double xTwips, double yTwips, Qt::MouseButtons buttons);
    void Command4_Click();

    // The selected key (form2keyfields.cpp).
    // Loads key `index` into the window and marks it on the bar copy.
    void Option1_Click(int index);
    // Switches key `index`'s selector on, so that its key selection runs once: through the
    // selector's handler, or directly when the selector is on already.
    void selectKey(int index);
    void HScroll1_Change();
    void Check3_Click();

    // The key list (form2keylist.cpp).
    void Text4_Change();
    void Text4_LostFocus();
    void Check4_Click();
    // Moves the checked key to the move bar's place, with its icon file, and selects it there.
    void HScroll2_Change();
    // While the move bar's thumb is dragged only the bar copy's marker shows where the key
    // would land; nothing is exchanged until the thumb is released.
    void HScroll2_Scroll(int value);
    // Lays the bar copy out again and shows and enables the keys in use.
    void nascondi();
    // Paints every key of the bar copy from the key table.
    void muovi();

    // Keys arranged on the bar copy (form2arranging.cpp): a key dragged to another place, or
    // moved and removed through its menu, with its icon file in the scratch copy; kept with
    // the other changes until "EXIT".
    // False, with a message and nothing changed, when an icon file cannot follow its key.
    bool arrangeKeys(const KeyArrangement& change);
    void showKeyMenu(int index, QPoint global);
    void chooseForKey(int index, KeyMenuChoice choice);

    // The target chooser (form2chooser.cpp). The place handlers do nothing while a key is being
    // loaded; a file click writes the key's target or document at once.
    void Drive1_Change();
    void Dir1_Change();
    void Dir1_Click();
    void File1_Click();
    // Shows the file in the target line as a click does, without touching the key; a second
    // run for the same document does not add it again.
    void File1_DblClick();
    void Option2_Click(); // "exe"
    void Option3_Click(); // "file"
    void Option4_Click(); // makes the selected key the shut-down key, complete without "Setup"
    void Option5_Click(); // "html"

    // "Setup" and "EXIT" (form2saving.cpp).
    // Applies the target line, the icon choice, the caption and the pop-up text to the checked
    // key and its button on the bar copy; a chosen picture is stored as the key's icon file.
    void Command2_Click();
    // "EXIT": stores every key and the sound and double-click choices, then closes the window.
    // A store that fails says so and leaves the window open with every change kept.
    void command1_Click();
    // The closing, by "EXIT" or the close box: stores the number of keys, starts the bar and
    // ends the program. False, keeping the window open, when the number cannot be stored.
    bool Form_Unload();
    // Stores the start-up choice at once and starts the start-up helper; the load setting the
    // box from the stored choice starts nothing.
    void Check5_Click();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // What the option controls mean where they are read.
    bool usesTargetIcon() const;    // Check3, "Originale / Original"
    bool showsAllKeys() const;      // Check4, "Mostra tutti i tasti /Show all the keys"
    bool programKindChosen() const; // Option2, "exe"
    bool webKindChosen() const;     // Option5, "html"
    // The icon controls as Form_Load shows key 0's, leaving the bar copy alone.
    void showStoredIconChoice(const KeyRecord& key);

    // The design (form2design.cpp).
    void drawDesign(); // the window at the desktop font's scale, every control at its place
    void createKeyFields();
    void createIconControls();
    void createKeyListControls();
    void createTargetControls();
    void createSelectors();
    void fitKindOptions(); // the kind options side by side, each with room for its text
    void connectHandlers();
    void connectChooserHandlers();
    void connectBarCopyArranging(); // form2arranging.cpp

    // The selected key's fields (form2keyfields.cpp).
    void showIconChoice(int index, const KeyRecord& key);
    void pointListsAtProgram(const KeyRecord& key);
    int firstCheckedSelector() const;

    // The key list (form2keylist.cpp).
    void showKeysInUse();
    bool exchangeWithIconFiles(int from, int to);
    void correctKeyCount(const std::string& typed);

    // The target chooser (form2chooser.cpp).
    void programKindChosenPlace();
    std::filesystem::path chosenFile() const;

    // "Setup" and "EXIT" (form2saving.cpp).
    void clearKey(int i);
    void showSetupFace(int i, KeyRecord& key, const FieldText& caption);
    WriteResult storeIconFile(int i);
    WriteResult stagePicture(int i, const QPixmap& picture);
    void stageListPicture(int i);
    bool giveEveryPictureKeyItsFile();
    bool storeTableAndChoices();
    int startFromProgramFolder(const char* program);

    void playClick();
    void warn(const QString& text);
    ScreenSize screenNow() const;

    TuneContext context_;
    TuneState& state_;
    IconWorkspace icons_;
    Controls c_{};
    QPixmap smallIcon_;               // what SmallIconPicture shows
    QPoint dragOrigin_;               // twips, where a drag of the window began
    bool startUpLoading_ = false;     // set while the load sets Check5 from the setting
    bool unloaded_ = false;           // the closing has run; it runs once
    std::optional<float> countSaved_; // the count "EXIT" stored with the keys
    double textScale_ = 1; // how much larger than designed the desktop font draws the window
};

} // namespace ombrix
