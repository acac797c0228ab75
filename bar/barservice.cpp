#include "bar/barservice.h"

#include "bar/barkeyboard.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

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
