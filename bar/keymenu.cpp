#include "bar/keymenu.h"
#include "platform/translation.h"

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
    menu->offer(translate("Ombrix", "&Edit…"), KeyMenuChoice::Edit, true, choose);
    menu->addSeparator();
    menu->offer(translate("Ombrix", "Move &left"), KeyMenuChoice::MoveLeft, can.moveLeft, choose);
    menu->offer(translate("Ombrix", "Move r&ight"), KeyMenuChoice::MoveRight, can.moveRight,
                choose);
    menu->offer(translate("Ombrix", "&Remove"), KeyMenuChoice::Remove, can.remove, choose);
    if (can.openFolder) {
        menu->addSeparator();
        menu->offer(translate("Ombrix", "&Open the containing folder"), KeyMenuChoice::OpenFolder,
                    true, choose);
    }
    return menu;
}

KeyMenu* KeyMenu::forBar(QWidget* parent, int removedKeyNumber, Choose choose) {
    auto* menu = new KeyMenu(parent);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->offer(translate("Ombrix", "&Undo the removal of key %1").arg(removedKeyNumber),
                KeyMenuChoice::UndoRemoval, true, choose);
    return menu;
}

QString KeyMenu::undoText() {
    return translate("Ombrix", "Undo");
}

QString KeyMenu::undoToolTip(int removedKeyNumber) {
    return translate("Ombrix", "Undo the removal of key %1").arg(removedKeyNumber);
}

} // namespace ombrix
