#include "bar/keyarranging.h"

#include "bar/barform.h"
#include "platform/screen.h"

#include <QAbstractButton>
#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace ombrix {

KeyDragging::KeyDragging(BarForm& bar, Arrange arrange, ShowMenu showMenu)
    : QObject(&bar), bar_(bar), arrange_(std::move(arrange)), showMenu_(std::move(showMenu)) {
    bar_.installEventFilter(this); // Escape, while the drag holds the keyboard
}

void KeyDragging::watch(QAbstractButton* key) {
    key->installEventFilter(this);
}

int KeyDragging::indexOf(QObject* key) const {
    for (int i = 0; i < bar_.keyCount(); ++i) {
        if (bar_.key(i) == key)
            return i;
    }
    return -1;
}

bool KeyDragging::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &bar_) {
        const bool escape = event->type() == QEvent::KeyPress &&
                            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape;
        if (escape && dragging()) {
            cancel();
            return true;
        }
        return false;
    }
    const int index = indexOf(watched);
    if (index < 0)
        return false;
    auto* key = static_cast<QAbstractButton*>(watched);
    switch (event->type()) {
    case QEvent::KeyPress: {
        // The Menu key and Shift+F10 ask for the focused key's menu.
        const auto* press = static_cast<QKeyEvent*>(event);
        const bool menuKey = press->key() == Qt::Key_Menu && press->modifiers() == Qt::NoModifier;
        const bool shiftF10 =
            press->key() == Qt::Key_F10 && press->modifiers() == Qt::ShiftModifier;
        if (!(menuKey || shiftF10) || !showMenu_ || state_ != State::Idle)
            return false;
        showMenu_(index, key->mapToGlobal(key->rect().center()));
        return true;
    }
    case QEvent::ContextMenu:
        if (state_ == State::Idle && showMenu_)
            showMenu_(index, static_cast<QContextMenuEvent*>(event)->globalPos());
        return true;
    case QEvent::MouseButtonPress: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        state_ = State::Pressed;
        from_ = index;
        pressedAt_ = mouse->globalPosition().toPoint();
        grab_ = mouse->position().toPoint();
        return false;
    }
    case QEvent::MouseMove: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (state_ == State::Pressed && (mouse->buttons() & Qt::LeftButton) &&
            (mouse->globalPosition().toPoint() - pressedAt_).manhattanLength() >=
                QApplication::startDragDistance())
            pickUp();
        if (dragging())
            follow(mouse->globalPosition().toPoint());
        // A key put back keeps its face up until the button is let go.
        return dragging() || state_ == State::Cancelled;
    }
    case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
            return false;
        return letGo(key);
    default:
        return false;
    }
}

void KeyDragging::pickUp() {
    if (from_ >= bar_.keysInUse()) {
        state_ = State::Idle;
        return;
    }
    state_ = State::Dragging;
    target_ = from_;
    QAbstractButton* key = bar_.key(from_);
    key->setDown(false);
    key->raise();
    bar_.grabKeyboard();
}

void KeyDragging::follow(QPoint global) {
    const QPoint at = bar_.mapFromGlobal(global);
    // Leaving the bar ends the drag: coming back does not pick the key up again.
    if (!bar_.shapeRegion().contains(at)) {
        cancel();
        return;
    }
    const double x = platform::toTwips(1) * at.x();
    const double y = platform::toTwips(1) * at.y();
    bar_.showKeyAt(from_,
                   {x - platform::toTwips(1) * grab_.x(), y - platform::toTwips(1) * grab_.y()});
    const auto& places = bar_.rows().keys;
    const auto inUse =
        std::span(places).first(std::min(places.size(), static_cast<std::size_t>(bar_.keyCount())));
    const int place = placeNearest(inUse, x, y);
    if (place < 0 || place == target_)
        return;
    target_ = place;
    layKeys({from_, target_, 0});
}

// Every key but the dragged one at the place it has after `change`.
void KeyDragging::layKeys(const KeyArrangement& change) {
    const auto& places = bar_.rows().keys;
    const int count = std::min(bar_.keysInUse(), static_cast<int>(places.size()));
    const std::vector<int> order = arrangedOrder(change, count);
    for (int place = 0; place < count; ++place) {
        const int key = order[static_cast<std::size_t>(place)];
        if (dragging() && key == from_)
            continue;
        bar_.showKeyAt(key, places[static_cast<std::size_t>(place)]);
    }
}

void KeyDragging::cancel() {
    if (!dragging())
        return;
    state_ = State::Cancelled;
    layKeys({0, 0, 0});
    bar_.releaseKeyboard();
}

// The button sees its release only while it is down; a key that was dragged is not down, so
// letting go never starts it.
bool KeyDragging::letGo(QAbstractButton* key) {
    const State was = state_;
    const KeyArrangement change{from_, target_, 0};
    if (was == State::Dragging) {
        state_ = State::Cancelled;
        layKeys({0, 0, 0});
        bar_.releaseKeyboard();
    }
    if (was == State::Dragging || was == State::Cancelled)
        key->setDown(false);
    state_ = State::Idle;
    from_ = target_ = -1;
    if (was == State::Dragging && change.from != change.to) {
        // After the release is done with: saving may show a message box.
        QTimer::singleShot(0, &bar_, [arrange = arrange_, change] { arrange(change); });
    }
    return false;
}

} // namespace ombrix
