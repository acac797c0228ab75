#pragma once

#include "common/barwindow.h"
#include "common/dockarea.h"
#include "common/keyaction.h"
#include "common/keyrecord.h"
#include "common/keytexts.h"
#include "common/layout.h"
#include "common/settings.h"

#include "bar/keybutton.h"
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <filesystem>
#include <functional>
#include <memory>
#include <vector>

namespace ombrix::platform {
class DesktopServices;
class Sounds;
} // namespace ombrix::platform

namespace ombrix {

// What the bar window shares with its program: the key table and the options read at
// start-up, the program and data folders, and the services it calls.
using IconLoader = std::function<QPixmap(const std::filesystem::path&)>;

struct BarContext {
    std::filesystem::path programFolder; // the programs, sounds and decoration icons
    std::filesystem::path dataFolder;    // the user's key table and key icons
    Preferences* preferences = nullptr;
    platform::DesktopServices* desktop = nullptr;
    platform::Sounds* sounds = nullptr;
    std::function<ScreenSize()> screen; // the area the bar docks to as it is now, twips
    // Every monitor with its area, for dragging the handle across to another; none in tests
    // that keep to one area.
    std::function<std::vector<DockScreen>()> screens;
    // The scale of the bar's monitor (device pixels per logical pixel), which its key
    // pictures are made for; 1 when unset.
    std::function<double()> scale;
    std::function<void()> quit; // ends the program
};

// A bar window: borderless, always on top, a round handle when closed and a strip of keys as
// wide as the screen when open. Its geometry lives in twips in `state()`; every handler changes
// that value through the pure rules and then applies it to the widget. The bar (Form1) and the
// setup program's copy of it (Form3) differ only in the handlers they override.
class BarForm : public QWidget {
    Q_OBJECT

public:
    explicit BarForm(BarContext context, QWidget* parent = nullptr);
    ~BarForm() override;

    // Start-up: the keys, their faces and the first layout. Called again with a larger count,
    // it adds the buttons of keys dropped onto the bar.
    void createKeys(int keyCount);
    // Removes the buttons of keys count and beyond (the stored keys became fewer).
    void removeKeysFrom(int count);
    void setKeyFace(int i, const QString& caption, const QPixmap& picture);
    void setKeyToolTip(int i, const QString& text);
    void setKeyColour(int i, std::uint32_t rgb);

    // The face of key i from its record, trimming the fields it reads: its caption (or its
    // number), the icon file named after its index, or its target's own icon. False when a
    // picture could not be had; the key then shows an empty face.
    bool showFace(int i, KeyRecord& key, const std::filesystem::path& dataFolder,
                  const IconLoader& smallIcon);
    // The key's pop-up text, and the blue of a shut-down key.
    void showToolTipAndShutdownBlue(int i, KeyRecord& key);
    // The stored colour; false, leaving the colour as it is, when it is no colour value.
    bool showColour(int i, float backColor);
    void setKeys(std::vector<KeyRecord> keys) { keys_ = std::move(keys); }
    // Where the captions and pop-up texts as typed are kept, read by showFace and
    // showToolTipAndShutdownBlue; without them the records' own texts are shown.
    void useKeyTexts(const KeyTexts* texts) { texts_ = texts; }
    void setSoundAndDoubleClick(bool soundOn, bool doubleClickMode);
    void setWindowState(const BarWindowState& state);
    void setKeepOpen(bool on);
    void dock();
    void finishStartUp(); // hides Label4

    // Handlers, named after their controls; the windows override what they do differently.
    void Form_Load();
    virtual void Label5_Click();
    void Form_DblClick();
    void Form_MouseMove(double xTwips, double yTwips, Qt::MouseButtons buttons);
    virtual void Label1_Click(int index);
    void Label3_DblClick();
    virtual void Command2_Click(int index);
    // The screen watch: called when the monitors, their sizes, scales or panels change.
    virtual void Timer1_Timer() = 0;
    // After a change of scale (of the bar's monitor, or the window taken to another one): the
    // keys are placed on the new device pixels, and their pictures made again where their side
    // in device pixels changed.
    void followScale();
    virtual void Form_Unload();

    virtual void apri();

    // For tests and the start-ups.
    const BarWindowState& state() const { return state_; }
    const BarGeometry& rows() const { return geometry_; }
    Side side() const { return side_; }
    std::int32_t storedScreenWidth() const { return screenWidth_; }
    int keyCount() const { return static_cast<int>(keyButtons_.size()); }
    KeyButton* key(int i) const { return keyButtons_.at(static_cast<std::size_t>(i)); }
    QCheckBox* keepOpenBox() const { return check1_; }
    QLabel* sideButton(int i) const { return label1_[i]; }
    QLabel* closeLabel() const { return label3_; }
    QWidget* handleArea() const { return label5_; }
    QLabel* marker() const { return label4_; }
    QRegion shapeRegion() const;
    const std::vector<KeyRecord>& keys() const { return keys_; }
    std::vector<KeyRecord>& keys() { return keys_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool event(QEvent* event) override;
    // Gives the keys that show a picture their picture again, for the scale now.
    virtual void remakePictures() {}
    double monitorScale() const;

    // What the windows differ in.
    virtual RightSideDrag rightSideDrag() const { return RightSideDrag::FlushRight; }
    // Whether dragging the handle onto another monitor takes the bar there.
    virtual bool crossesMonitors() const { return false; }
    virtual KeyPressRules keyPressRules() const { return barKeyPress; }
    virtual void closeAfterKey();
    // Each key button as it is made, for the windows that watch their keys.
    virtual void keyCreated(KeyButton*) {}

public:
    // The keys that can be arranged: every key of the bar; the copy has disabled ones too.
    virtual int keysInUse() const { return keyCount(); }
    // Key button i shown with its top left corner at `place` (twips), on whole device pixels
    // as the layout puts keys: a dragged key, and the keys making room for it.
    void showKeyAt(int i, const KeyPlace& place);

protected:
    // The record behind key button i.
    virtual KeyRecord& keyRecord(int index);

    // Lays the rows out with `variant` and applies the result.
    void layOut(const LayoutVariant& variant, const LayoutInput& in);
    void applyState();
    void applyLayout();
    // Takes the window from the area it was in to `now`, keeping its place along its side;
    // false when the area is the same.
    bool moveToArea(ScreenSize now);
    const ScreenSize& area() const { return area_; }
    void playYes();
    void playClick();
    static QFont smallFont(const QFont& base);

    BarContext context_;
    BarWindowState state_;
    BarGeometry geometry_;
    Side side_ = Side::Left;
    std::int32_t screenWidth_ = 0;
    ScreenSize area_; // the area the window was last placed in
    bool soundOn_ = true;
    bool doubleClickMode_ = true;

private:
    void createControls();
    void crossToScreenUnder(double x, double y);

    double placedScale_ = 0;   // the device pixels per logical pixel the keys are placed on
    double picturesScale_ = 1; // the scale the key pictures were made for
    GrabPoint grabPoint_;
    bool draggedDuringPress_ = false;
    std::vector<KeyRecord> keys_;
    const KeyTexts* texts_ = nullptr;

    std::vector<KeyButton*> keyButtons_;
    QCheckBox* check1_ = nullptr;
    QLabel* label1_[4] = {};
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QWidget* label5_ = nullptr;
};

} // namespace ombrix
