#pragma once

#include <QMenu>
#include <QString>

#include <functional>

namespace ombrix {

// What a key's menu offers, and what the bar's own menu offers after a removal.
enum class KeyMenuChoice { Edit, MoveLeft, MoveRight, Remove, OpenFolder, UndoRemoval };

struct KeyMenuOffer {
    bool moveLeft = false;   // not the first key
    bool moveRight = false;  // not the last key
    bool remove = false;     // not the only key
    bool openFolder = false; // a key that starts a program
};

// The menus' texts, in the user's language where a translation is installed.
class KeyMenu : public QMenu {
    Q_OBJECT

public:
    using Choose = std::function<void(KeyMenuChoice)>;

    // The menu of one key; `choose` is called with the item taken.
    static KeyMenu* forKey(QWidget* parent, const KeyMenuOffer& offer, Choose choose);
    // The bar's own menu: "Undo" of the last removal, while there is one to undo.
    static KeyMenu* forBar(QWidget* parent, int removedKeyNumber, Choose choose);

    // The bar's passing offer of the same, shown for a few seconds after a removal.
    static QString undoText();
    static QString undoToolTip(int removedKeyNumber);

private:
    using QMenu::QMenu;
    void offer(const QString& text, KeyMenuChoice choice, bool enabled, const Choose& choose);
};

} // namespace ombrix
