#include "widgets/choicefocus.h"

#include <QAbstractButton>
#include <QKeyEvent>

#include <algorithm>

namespace ombrix {

ArrowsMoveFocusOnly::ArrowsMoveFocusOnly(std::vector<QAbstractButton*> options, QObject* parent)
    : QObject(parent), options_(std::move(options)) {
    for (QAbstractButton* option : options_) {
        option->setFocusPolicy(Qt::StrongFocus);
        option->installEventFilter(this);
    }
}

bool ArrowsMoveFocusOnly::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    int step = 0;
    switch (key->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up:
        step = -1;
        break;
    case Qt::Key_Right:
    case Qt::Key_Down:
        step = 1;
        break;
    default:
        return false;
    }
    const auto at = std::find(options_.begin(), options_.end(), watched);
    if (at == options_.end())
        return false;
    const auto count = static_cast<long>(options_.size());
    const long next = ((at - options_.begin()) + step + count) % count;
    options_[static_cast<std::size_t>(next)]->setFocus(Qt::OtherFocusReason);
    return true;
}

} // namespace ombrix
