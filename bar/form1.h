#pragma once

#include "bar/barform.h"

#include "common/keydrop.h"

namespace ombrix {

// The bar program's window: the bar window with the setup button "ins.", the see-through
// option Check2, and the handlers that open, close, dock and remember the bar.
class Form1 : public BarForm {
    Q_OBJECT

public:
    explicit Form1(BarContext context, QWidget* parent = nullptr);

    void setTransparentBack(bool on);
    void layoutRows();

    void Command1_Click();
    void Check2_Click();
    void Timer1_Timer() override;
    void Form_Unload() override;

    QCheckBox* transparentBox() const { return check2_; }
    QPushButton* setupButton() const { return command1_; }

    // Drops: where new keys are saved and how their icons are read.
    void setKeyStore(KeyStore store, IconLoader smallIcon);
    // The captions and pop-up texts as typed, read beside the key table.
    void setKeyTexts(KeyTexts texts) { texts_ = std::move(texts); }
    // The key under a point of the window, or -1 away from the keys.
    int keyAt(QPoint at) const;

    // A drag held this long over the closed handle opens the bar.
    static constexpr int dragOpenDelayMs = 500;

protected:
    bool crossesMonitors() const override { return true; }
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void remakePictures() override;
    LayoutInput layoutInput() const;
    DropOutcome dropOutcomeAt(QPoint at);
    void answerDrag(QDropEvent* event);
    void endDrag();
    bool addDroppedKeys(std::vector<KeyRecord> added, KeyTexts addedTexts);
    void openWithKey(int index, std::vector<std::string> files);

    bool transparentBack_ = false;
    bool unloaded_ = false;
    QPushButton* command1_ = nullptr;
    QCheckBox* check2_ = nullptr;

    KeyStore store_;
    KeyTexts texts_;
    IconLoader smallIcon_;
    std::vector<DroppedThing> dragged_; // what the drag over the bar carries
    QTimer dragOpenTimer_;
    bool openedByDrag_ = false;
    bool draggedOverOpenBar_ = false;
    QPoint dragAt_; // where the pointer of the drag was last seen, on the screen
};

} // namespace ombrix
