#include "widgets/choicefocus.h"

#include "common/taborder.h"

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QKeyEvent>
#include <QWidget>

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

namespace ombrix {

ScrollBarKeys::ScrollBarKeys(std::vector<QAbstractSlider*> bars, QObject* parent)
    : QObject(parent) {
    for (QAbstractSlider* bar : bars) {
        bar->setFocusPolicy(Qt::StrongFocus);
        bar->installEventFilter(this);
    }
}

bool ScrollBarKeys::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    using Action = QAbstractSlider::SliderAction;
    Action action = Action::SliderNoAction;
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Left:
    case Qt::Key_Down:
        action = Action::SliderSingleStepSub;
        break;
    case Qt::Key_Right:
    case Qt::Key_Up:
        action = Action::SliderSingleStepAdd;
        break;
    case Qt::Key_PageUp:
        action = Action::SliderPageStepSub;
        break;
    case Qt::Key_PageDown:
        action = Action::SliderPageStepAdd;
        break;
    case Qt::Key_Home:
        action = Action::SliderToMinimum;
        break;
    case Qt::Key_End:
        action = Action::SliderToMaximum;
        break;
    default:
        return false;
    }
    static_cast<QAbstractSlider*>(watched)->triggerAction(action);
    return true;
}

ReturnPresses::ReturnPresses(std::vector<QAbstractButton*> buttons, QObject* parent)
    : QObject(parent) {
    for (QAbstractButton* button : buttons)
        button->installEventFilter(this);
}

bool ReturnPresses::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress)
        return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter)
        return false;
    auto* button = static_cast<QAbstractButton*>(watched);
    if (button->isEnabled())
        button->animateClick();
    return true;
}

void tabInReadingOrder(QWidget* window, const std::vector<QWidget*>& controls) {
    std::vector<ControlBox> boxes;
    for (QWidget* control : controls) {
        const QPoint at = control->mapTo(window, QPoint(0, 0));
        boxes.push_back({static_cast<double>(at.x()), static_cast<double>(at.y()),
                         static_cast<double>(control->width()),
                         static_cast<double>(control->height())});
    }
    constexpr double rowTolerancePixels = 8;
    const std::vector<int> order = readingOrder(boxes, rowTolerancePixels);
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(controls[static_cast<std::size_t>(order[i - 1])],
                             controls[static_cast<std::size_t>(order[i])]);
}

} // namespace ombrix
