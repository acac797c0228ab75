#include "widgets/accessiblepress.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>

namespace ombrix {

namespace {

// Holds a control's press, as a child of the control, so that it lives as long as the control.
class PressHolder : public QObject {
public:
    PressHolder(QWidget* control, std::function<void()> press)
        : QObject(control), press_(std::move(press)) {
        setObjectName(QStringLiteral("ombrix_press"));
    }
    void press() const { press_(); }

    static PressHolder* of(QObject* control) {
        for (QObject* child : control->children())
            if (auto* holder = dynamic_cast<PressHolder*>(child))
                return holder;
        return nullptr;
    }

private:
    std::function<void()> press_;
};

class PressableAccessible : public QAccessibleWidget {
public:
    explicit PressableAccessible(QWidget* control)
        : QAccessibleWidget(control, QAccessible::Button) {}

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override {
        if (action != pressAction() || !widget()->isEnabled())
            return;
        if (PressHolder* holder = PressHolder::of(widget()))
            holder->press();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }
};

} // namespace

void makePressable(QWidget* control, std::function<void()> press) {
    new PressHolder(control, std::move(press));
    // Qt's own interface for a label or a plain widget comes first whatever factory is added,
    // so the control's interface is put in the cache in its place.
    if (QAccessibleInterface* made = QAccessible::queryAccessibleInterface(control))
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    QAccessible::registerAccessibleInterface(new PressableAccessible(control));
}

} // namespace ombrix
