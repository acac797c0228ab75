// The keys arranged on the bar copy, as on the bar: dragged to another place, or moved,
// removed and selected through a key's menu. Like a move with the move bar, the records change
// in the editor's table and the icon files in its scratch copy; "EXIT" saves them all.
#include "platform/translation.h"
#include "tune/form2.h"

#include "tune/form3.h"
#include "tune/keylist.h"

#include <QLineEdit>
#include <QTimer>

namespace ombrix {

void Form2::connectBarCopyArranging() {
    context_.barCopy->setArranging(
        [this](const KeyArrangement& change) { arrangeKeys(change); },
        [this](int index, QPoint global) { showKeyMenu(index, global); });
}

bool Form2::arrangeKeys(const KeyArrangement& change) {
    if (change.from == change.to)
        return true;
    playClick();
    WriteResult moved = icons_.prepareChange();
    if (moved)
        moved = shiftKey(state_, icons_.folder(), change.from, change.to);
    if (!moved) {
        warn(translated(moved.message));
        return false;
    }
    muovi();
    selectKey(change.to);
    return true;
}

void Form2::showKeyMenu(int index, QPoint global) {
    const int inUse = context_.barCopy->keysInUse();
    if (index < 0 || index >= inUse)
        return;
    KeyMenuOffer offer;
    offer.moveLeft = index > 0;
    offer.moveRight = index < inUse - 1;
    offer.remove = inUse > fewestKeys; // the number box keeps at least three keys
    KeyMenu* menu = KeyMenu::forKey(context_.barCopy, offer, [this, index](KeyMenuChoice choice) {
        QTimer::singleShot(0, this, [this, index, choice] { chooseForKey(index, choice); });
    });
    menu->popup(global);
}

void Form2::chooseForKey(int index, KeyMenuChoice choice) {
    const int inUse = context_.barCopy->keysInUse();
    switch (choice) {
    case KeyMenuChoice::Edit:
        selectKey(index);
        return;
    case KeyMenuChoice::MoveLeft:
        if (const auto move = moveArrangement(index, index - 1, inUse))
            arrangeKeys(*move);
        return;
    case KeyMenuChoice::MoveRight:
        if (const auto move = moveArrangement(index, index + 1, inUse))
            arrangeKeys(*move);
        return;
    case KeyMenuChoice::Remove:
        // The key goes past the keys in use, where the number box leaves it with its data.
        if (inUse <= fewestKeys || index < 0 || index >= inUse)
            return;
        if (!arrangeKeys({index, inUse - 1, 0}))
            return;
        c_.Text4->setText(QString::number(inUse - 1));
        Text4_LostFocus();
        selectKey(std::min(index, inUse - 2));
        return;
    case KeyMenuChoice::OpenFolder:
    case KeyMenuChoice::UndoRemoval:
        return;
    }
}

} // namespace ombrix
