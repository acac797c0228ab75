#include "bar/barservice.h"

#include "bar/barkeyboard.h"
#include "common/globalshortcut.h"
#include "common/settings.h"
#include "platform/globalshortcut.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QGuiApplication>

#include <cstdio>

namespace ombrix {

BarService::BarService(BarKeyboard& keyboard) : QObject(&keyboard), keyboard_(keyboard) {}

bool BarService::publish() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    return bus.registerObject(QString::fromLatin1(barObjectPath), this,
                              QDBusConnection::ExportScriptableSlots) &&
           bus.registerService(QString::fromLatin1(barServiceName));
}

void BarService::Toggle() {
    keyboard_.toggle();
}

void offerToggle(BarKeyboard& keyboard, const Preferences& preferences) {
    (new BarService(keyboard))->publish();
    const std::string text = preferences.shortcut();
    if (text.empty() || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    const std::optional<Shortcut> shortcut = parseShortcut(text);
    auto* held = new platform::GlobalShortcut(&keyboard);
    if (!shortcut || !held->hold(*shortcut)) {
        std::fprintf(stderr, "Ombrix cannot hold the shortcut \"%s\": %s\n", text.c_str(),
                     shortcut ? "another program holds it, or the keyboard has no such key"
                              : "the setting names no key with a modifier");
        delete held;
        return;
    }
    QObject::connect(held, &platform::GlobalShortcut::pressed, &keyboard,
                     [&keyboard] { keyboard.toggle(); });
}

bool askRunningBarToToggle() {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected() ||
        !bus.interface()->isServiceRegistered(QString::fromLatin1(barServiceName)))
        return false;
    const QDBusMessage call = QDBusMessage::createMethodCall(
        QString::fromLatin1(barServiceName), QString::fromLatin1(barObjectPath),
        QString::fromLatin1(barInterfaceName), QStringLiteral("Toggle"));
    return bus.call(call).type() == QDBusMessage::ReplyMessage;
}

} // namespace ombrix
