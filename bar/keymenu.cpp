#include "bar/keymenu.h"

namespace ombrix {

void KeyMenu::offer(const QString& text, KeyMenuChoice choice, bool enabled, const Choose& choose) {
    QAction* action = addAction(text);
    action->setEnabled(enabled);
    action->setData(static_cast<int>(choice));
    connect(action, &QAction::triggered, this, [choose, choice] { choose(choice); });
}

KeyMenu* KeyMenu::forKey(QWidget* parent, const KeyMenuOffer& can, Choose choose) {
    auto* menu = new KeyMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->offer(tr("&Edit…"), KeyMenuChoice::Edit, true, choose);
    menu->addSeparator();
    menu->offer(tr("Move &left"), KeyMenuChoice::MoveLeft, can.moveLeft, choose);
    menu->offer(tr("Move r&ight"), KeyMenuChoice::MoveRight, can.moveRight, choose);
    menu->offer(tr("&Remove"), KeyMenuChoice::Remove, can.remove, choose);
    if (can.openFolder) {
        menu->addSeparator();
        menu->offer(tr("&Open the containing folder"), KeyMenuChoice::OpenFolder, true, choose);
    }
    return menu;
}

KeyMenu* KeyMenu::forBar(QWidget* parent, int removedKeyNumber, Choose choose) {
    auto* menu = new KeyMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->offer(tr("&Undo the removal of key %1").arg(removedKeyNumber), KeyMenuChoice::UndoRemoval,
                true, choose);
    return menu;
}

QString KeyMenu::undoText() {
    return tr("Undo");
}

QString KeyMenu::undoToolTip(int removedKeyNumber) {
    return tr("Undo the removal of key %1").arg(removedKeyNumber);
}

} // namespace ombrix
