#pragma once

#include "common/keyarrangement.h"

#include <QObject>
#include <QPoint>

#include <functional>

class QAbstractButton;

namespace ombrix {

class BarForm;

// Dragging a key to another place on the open bar. A press on a key that moves beyond the
// drag distance picks the key up: it follows the pointer and the other keys make room at the
// place it would go to. Letting go hands the move to `arrange`; leaving the bar on the way, or
// Escape, puts every key back and nothing happens, and so does letting go at the key's own
// place. A press that does not move stays a click of the key, and a right click (or the
// keyboard's menu request on a key) asks for its menu.
class KeyDragging : public QObject {
    Q_OBJECT

public:
    using Arrange = std::function<void(const KeyArrangement&)>;
    using ShowMenu = std::function<void(int key, QPoint global)>;

    KeyDragging(BarForm& bar, Arrange arrange, ShowMenu showMenu);

    // Called for every key button the bar makes.
    void watch(QAbstractButton* key);

    bool dragging() const { return state_ == State::Dragging; }
    // The place the key would go to if let go now; -1 while nothing is dragged.
    int targetPlace() const { return dragging() ? target_ : -1; }

    // Puts every key back at its own place, the drag ending without a change.
    void cancel();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum class State { Idle, Pressed, Dragging, Cancelled };

    int indexOf(QObject* key) const;
    void pickUp();
    void follow(QPoint global);
    void layKeys(const KeyArrangement& change);
    bool letGo(QAbstractButton* key);

    BarForm& bar_;
    Arrange arrange_;
    ShowMenu showMenu_;
    State state_ = State::Idle;
    int from_ = -1;
    int target_ = -1;
    QPoint pressedAt_; // on the screen
    QPoint grab_;      // where the key was taken, inside it
};

} // namespace ombrix
