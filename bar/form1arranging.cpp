// The bar's keys arranged where they are: dragged to another place, moved, removed and put
// back through a key's menu, each change saved at once as a drop is.
#include "bar/form1.h"
#include "platform/translation.h"

#include "common/targets.h"
#include "platform/desktopservices.h"
#include "platform/screen.h"

#include <QContextMenuEvent>
#include <QToolButton>

namespace ombrix {

using platform::toPixels;

void Form1::makeArrangingControls() {
    dragging_ = new KeyDragging(
        *this, [this](const KeyArrangement& change) { arrangeKeys(change); },
        [this](int index, QPoint global) { showKeyMenu(index, global); });
    // Not a key: the keys are numbered by their place among the bar's key buttons.
    undoButton_ = new QToolButton(this);
    undoButton_->setText(KeyMenu::undoText());
    undoButton_->setFocusPolicy(Qt::NoFocus);
    undoButton_->hide();
    connect(undoButton_, &QAbstractButton::clicked, this, &Form1::undoRemoval);
    undoOffer_.setSingleShot(true);
    undoOffer_.setInterval(undoOfferMs);
    connect(&undoOffer_, &QTimer::timeout, undoButton_, &QWidget::hide);
}

void Form1::keyCreated(KeyButton* key) {
    dragging_->watch(key);
    emit keyAdded(key);
}

// The change is made to the keys as stored, only when they are still the ones shown.
bool Form1::saveArrangement(const KeyArrangement& change, std::span<const KeyRecord> shown) {
    ArrangeResult result = arrangeStoredKeys(store_, shown, change);
    switch (result.refusal) {
    case ArrangeRefusal::None:
        playClick();
        texts_ = std::move(result.texts);
        showStoredKeys(std::move(result.keys));
        return true;
    case ArrangeRefusal::Changed:
        showStoredKeys(std::move(result.keys));
        context_.desktop->warn(
            this, translate("Ombrix", "The keys were changed by another program. The bar now "
                                      "shows them as they are stored; nothing was moved."));
        return false;
    case ArrangeRefusal::NoSuchKey:
        return false;
    case ArrangeRefusal::SetupOpen:
    case ArrangeRefusal::Unreadable:
    case ArrangeRefusal::NotSaved:
        break;
    }
    context_.desktop->warn(this, translated(result.message));
    return false;
}

void Form1::arrangeKeys(const KeyArrangement& change) {
    if (saveArrangement(change, keys())) {
        removed_.reset();
        undoButton_->hide();
    }
}

void Form1::removeKey(int index) {
    const auto removal = removeArrangement(index, keyCount());
    if (!removal)
        return;
    const KeyRecord record = keys().at(static_cast<std::size_t>(index));
    if (!saveArrangement(*removal, keys()))
        return;
    removed_ = RemovedKey{index, record};
    offerUndo();
}

void Form1::undoRemoval() {
    undoButton_->hide();
    undoOffer_.stop();
    if (!removed_)
        return;
    const auto restore = restoreArrangement(removed_->index, keyCount());
    std::vector<KeyRecord> shown = keys();
    shown.push_back(removed_->record);
    if (restore && saveArrangement(*restore, shown))
        removed_.reset();
}

// A key's size, just past the last key: the place a new key would take.
void Form1::offerUndo() {
    const int last = keyCount() - 1;
    const KeyPlace& place = rows().keys.at(static_cast<std::size_t>(last));
    undoButton_->setGeometry(toPixels(place.left + keyPitch, place.top, keySize, keySize));
    // The word fits inside the key's size in the user's language, however long it is there.
    QFont font = smallFont(this->font());
    while (font.pointSizeF() > 4 &&
           QFontMetrics(font).horizontalAdvance(undoButton_->text()) > undoButton_->width() - 4)
        font.setPointSizeF(font.pointSizeF() - 0.5);
    undoButton_->setFont(font);
    undoButton_->setToolTip(KeyMenu::undoToolTip(removed_->index + 1));
    undoButton_->raise();
    undoButton_->show();
    undoOffer_.start();
}

void Form1::showKeyMenu(int index, QPoint global) {
    if (index < 0 || index >= keyCount())
        return;
    KeyMenuOffer offer;
    offer.moveLeft = index > 0;
    offer.moveRight = index < keyCount() - 1;
    offer.remove = keyCount() > 1;
    offer.openFolder = keyStartsProgram(keys().at(static_cast<std::size_t>(index)));
    KeyMenu* menu = KeyMenu::forKey(this, offer, [this, index](KeyMenuChoice choice) {
        // After the menu has closed: a choice may show a message box or end the bar.
        QTimer::singleShot(0, this, [this, index, choice] { chooseForKey(index, choice); });
    });
    menu->popup(global);
}

void Form1::chooseForKey(int index, KeyMenuChoice choice) {
    if (index < 0 || index >= keyCount())
        return;
    switch (choice) {
    case KeyMenuChoice::Edit:
        playClick();
        startSetup({std::string(keyToEditFlag), std::to_string(index + 1)});
        return;
    case KeyMenuChoice::MoveLeft:
        if (const auto move = moveArrangement(index, index - 1, keyCount()))
            arrangeKeys(*move);
        return;
    case KeyMenuChoice::MoveRight:
        if (const auto move = moveArrangement(index, index + 1, keyCount()))
            arrangeKeys(*move);
        return;
    case KeyMenuChoice::Remove:
        removeKey(index);
        return;
    case KeyMenuChoice::OpenFolder: {
        const auto program = std::filesystem::path(
            splitTarget(keys().at(static_cast<std::size_t>(index)).target.text()).program);
        context_.desktop->openFolder(program.parent_path().string());
        return;
    }
    case KeyMenuChoice::UndoRemoval:
        undoRemoval();
        return;
    }
}

// The bar's own menu, away from the keys: the last removal, until the next change.
void Form1::contextMenuEvent(QContextMenuEvent* event) {
    if (!removed_)
        return;
    KeyMenu* menu = KeyMenu::forBar(this, removed_->index + 1, [this](KeyMenuChoice) {
        QTimer::singleShot(0, this, [this] { undoRemoval(); });
    });
    menu->popup(event->globalPos());
}

} // namespace ombrix
