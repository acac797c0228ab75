#include "bar/baraccessible.h"
#include "platform/translation.h"

#include "bar/form1.h"
#include "common/accessiblenames.h"
#include "widgets/accessiblepress.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace ombrix {

namespace {

QString nameOf(BarStopKind kind, int index = 0) {
    return translated(barControlName(kind, index));
}

// The key's number: its place among the keys of its window, as they were made.
int keyIndexOf(const KeyButton* key) {
    int index = 0;
    for (const QObject* sibling : key->parent()->children()) {
        if (sibling == key)
            return index;
        if (qobject_cast<const KeyButton*>(sibling))
            ++index;
    }
    return index;
}

class KeyAccessible : public QAccessibleWidget {
public:
    explicit KeyAccessible(KeyButton* key) : QAccessibleWidget(key, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        const KeyButton* key = button();
        if (t == QAccessible::Name && key->accessibleName().isEmpty())
            return translated(keyAccessibleName(keyIndexOf(key), key->text().toStdString(),
                                                key->toolTip().toStdString()));
        if (t == QAccessible::Description && key->accessibleDescription().isEmpty())
            return QString::fromStdString(keyAccessibleDescription(
                keyIndexOf(key), key->text().toStdString(), key->toolTip().toStdString()));
        return QAccessibleWidget::text(t);
    }

    QStringList actionNames() const override { return {pressAction()}; }

    void doAction(const QString& action) override {
        if (action == pressAction() && button()->isEnabled() && button()->isVisible())
            button()->click();
    }

    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    KeyButton* button() const { return static_cast<KeyButton*>(widget()); }
};

QAccessibleInterface* keyFactory(const QString&, QObject* object) {
    if (auto* key = qobject_cast<KeyButton*>(object))
        return new KeyAccessible(key);
    return nullptr;
}

} // namespace

void makeBarAccessible(BarForm& bar) {
    static const bool installed = [] {
        QAccessible::installFactory(keyFactory);
        return true;
    }();
    (void)installed;
    bar.setAccessibleName(QStringLiteral("Ombrix"));
    bar.handleArea()->setAccessibleName(nameOf(BarStopKind::Handle));
    makePressable(bar.handleArea(), [&bar] { bar.Label5_Click(); });
    for (int i = 0; i < 4; ++i) {
        bar.sideButton(i)->setAccessibleName(nameOf(BarStopKind::SideButton, i));
        makePressable(bar.sideButton(i), [&bar, i] { bar.Label1_Click(i); });
    }
    bar.closeLabel()->setAccessibleName(nameOf(BarStopKind::Close));
    makePressable(bar.closeLabel(), [&bar] { bar.Label3_DblClick(); });
    bar.keepOpenBox()->setAccessibleName(nameOf(BarStopKind::KeepOpen));
    bar.marker()->setAccessibleName(translate("Ombrix", "Selected key"));
}

void makeBarAccessible(Form1& bar) {
    makeBarAccessible(static_cast<BarForm&>(bar));
    bar.setupButton()->setAccessibleName(nameOf(BarStopKind::Setup));
    bar.transparentBox()->setAccessibleName(nameOf(BarStopKind::SeeThrough));
}

} // namespace ombrix
