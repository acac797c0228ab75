#pragma once

#include "common/barwindow.h"
#include "common/keyaction.h"
#include "common/keyrecord.h"
#include "common/layout.h"
#include "common/settings.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
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
// start-up, the program folder, and the services it calls.
struct BarContext {
    std::filesystem::path programFolder;
    Preferences* preferences = nullptr;
    platform::DesktopServices* desktop = nullptr;
    platform::Sounds* sounds = nullptr;
    std::function<ScreenSize()> screen; // the screen as it is now, twips
    std::function<void()> quit;         // ends the program
};

// The bar: a borderless, always-on-top window that is a round handle when closed and a strip
// of keys as wide as the screen when open. Its geometry lives in twips in `state()`; every
// handler changes that value through the pure rules and then applies it to the widget.
class Form1 : public QWidget {
    Q_OBJECT

public:
    explicit Form1(BarContext context, QWidget* parent = nullptr);
    ~Form1() override;

    // Start-up: the keys, their faces and the first layout.
    void createKeys(int keyCount);
    void setKeyFace(int i, const QString& caption, const QPixmap& picture);
    void setKeyToolTip(int i, const QString& text);
    void setKeyColour(int i, std::uint32_t rgb);
    void setKeys(std::vector<KeyRecord> keys) { keys_ = std::move(keys); }
    void setOptions(bool soundOn, bool doubleClickMode, bool transparentBack);
    void setWindowState(const BarWindowState& state);
    void setKeepOpen(bool on);
    void layoutRows();
    void dock();
    void finishStartUp(); // hides Label4

    // Handlers, named after their controls.
    void Form_Load();
    void Label5_Click();
    void Form_DblClick();
    void Form_MouseMove(double xTwips, double yTwips, Qt::MouseButtons buttons);
    void Label1_Click(int index);
    void Label3_DblClick();
    void Command1_Click();
    void Check2_Click();
    void Command2_Click(int index);
    void Timer1_Timer();
    void Form_Unload();

    void apri();

    // For tests and the start-up.
    const BarWindowState& state() const { return state_; }
    const BarGeometry& rows() const { return geometry_; }
    Side side() const { return side_; }
    std::int32_t storedScreenWidth() const { return screenWidth_; }
    int keyCount() const { return static_cast<int>(keyButtons_.size()); }
    QToolButton* key(int i) const { return keyButtons_.at(static_cast<std::size_t>(i)); }
    QCheckBox* keepOpenBox() const { return check1_; }
    QCheckBox* transparentBox() const { return check2_; }
    QLabel* sideButton(int i) const { return label1_[i]; }
    QLabel* closeLabel() const { return label3_; }
    QWidget* handleArea() const;
    QLabel* marker() const { return label4_; }
    QPushButton* setupButton() const { return command1_; }
    QRegion shapeRegion() const;
    const std::vector<KeyRecord>& keys() const { return keys_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void applyState();
    void applyLayout();
    LayoutInput layoutInput() const;
    void runKeyAction(const KeyAction& action);
    void closeAfterKey();
    void playYes();
    void playClick();

    BarContext context_;
    BarWindowState state_;
    BarGeometry geometry_;
    GrabPoint grabPoint_;
    Side side_ = Side::Left;
    std::int32_t screenWidth_ = 0;
    float barLength_ = 0;
    bool soundOn_ = true;
    bool doubleClickMode_ = true;
    bool transparentBack_ = false;
    bool unloaded_ = false;
    std::vector<KeyRecord> keys_;

    std::vector<QToolButton*> keyButtons_;
    QPushButton* command1_ = nullptr;
    QCheckBox* check1_ = nullptr;
    QCheckBox* check2_ = nullptr;
    QLabel* label1_[4] = {};
    QLabel* label3_ = nullptr;
    QLabel* label4_ = nullptr;
    QWidget* label5_ = nullptr;
    bool draggedDuringPress_ = false;
    QTimer timer1_;
};

} // namespace ombrix
