#pragma once

#include "bar/barform.h"
#include "bar/keyarranging.h"
#include "bar/keymenu.h"

#include "common/keyarrangement.h"
#include "common/keydrop.h"

#include <optional>

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

    // Arranging the keys where they are (form1arranging.cpp): each change is saved at once.
    void arrangeKeys(const KeyArrangement& change);
    void showKeyMenu(int index, QPoint global);
    void chooseForKey(int index, KeyMenuChoice choice);
    void removeKey(int index);
    void undoRemoval();
    bool canUndoRemoval() const { return removed_.has_value(); }
    QAbstractButton* undoButton() const { return undoButton_; }
    KeyDragging* keyDragging() const { return dragging_; }
    // The passing offer to undo a removal stays this long.
    static constexpr int undoOfferMs = 6000;

signals:
    // A key button made after the start (a dropped key, a removal undone).
    void keyAdded(QWidget* key);

public:
protected:
    bool crossesMonitors() const override { return true; }
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void keyCreated(KeyButton* key) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void remakePictures() override;
    LayoutInput layoutInput() const;
    DropOutcome dropOutcomeAt(QPoint at);
    void answerDrag(QDropEvent* event);
    void endDrag();
    bool addDroppedKeys(std::vector<KeyRecord> added, KeyTexts addedTexts);
    void openWithKey(int index, std::vector<std::string> files);
    void startSetup(const std::vector<std::string>& arguments);
    void makeArrangingControls();
    // Shows the keys as stored now, after a drop or an arrangement.
    void showStoredKeys(std::vector<KeyRecord> stored);
    bool saveArrangement(const KeyArrangement& change, std::span<const KeyRecord> shown);
    void offerUndo();

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

    struct RemovedKey {
        int index;
        KeyRecord record; // as the bar showed it
    };
    std::optional<RemovedKey> removed_; // the last removal, until the next change
    KeyDragging* dragging_ = nullptr;
    QAbstractButton* undoButton_ = nullptr;
    QTimer undoOffer_;
};

} // namespace ombrix
