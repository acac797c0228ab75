#include "platform/desktopservices.h"
#include "platform/translation.h"

#include "platform/launcher.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDesktopServices>
#include <QMessageBox>
#include <QUrl>

namespace ombrix::platform {
namespace {

// A session manager that shows its own shut-down dialog when asked on the session bus.
struct SessionDialog {
    const char* service;
    const char* path;
    const char* interface;
    const char* method;
    QVariantList arguments;
};

bool askSessionForShutdownDialog() {
    const SessionDialog dialogs[] = {
        {"org.gnome.SessionManager",
         "/org/gnome/SessionManager",
         "org.gnome.SessionManager",
         "Shutdown",
         {}},
        {"org.kde.LogoutPrompt", "/LogoutPrompt", "org.kde.LogoutPrompt", "promptShutDown", {}},
        {"org.xfce.SessionManager",
         "/org/xfce/SessionManager",
         "org.xfce.Session.Manager",
         "Logout",
         {true, true}},
    };
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    for (const auto& d : dialogs) {
        QDBusInterface session(d.service, d.path, d.interface, bus);
        if (!session.isValid())
            continue;
        const QDBusMessage reply =
            session.callWithArgumentList(QDBus::Block, d.method, d.arguments);
        if (reply.type() != QDBusMessage::ErrorMessage)
            return true;
    }
    return false;
}

bool powerOffThroughLogind() {
    QDBusInterface logind("org.freedesktop.login1", "/org/freedesktop/login1",
                          "org.freedesktop.login1.Manager", QDBusConnection::systemBus());
    if (!logind.isValid())
        return false;
    const QDBusMessage reply = logind.call("PowerOff", true);
    return reply.type() != QDBusMessage::ErrorMessage;
}

} // namespace

int SystemDesktop::startProgram(const std::string& program,
                                const std::vector<std::string>& arguments,
                                const std::string& workingDirectory) {
    return platform::startProgram(program, arguments, workingDirectory);
}

void DesktopServices::openFolder(const std::string& folder) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(folder)));
}

void SystemDesktop::openWebAddress(const std::string& address) {
    QDesktopServices::openUrl(QUrl(QString::fromStdString(address)));
}

void SystemDesktop::requestShutdown(QWidget* parent) {
    if (askSessionForShutdownDialog())
        return;
    QMessageBox box(QMessageBox::Question, QStringLiteral("Ombrix"),
                    translate("Ombrix", "Shut down the computer now?"),
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.setDefaultButton(QMessageBox::No);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    if (box.exec() != QMessageBox::Yes)
        return;
    if (!powerOffThroughLogind())
        showWarning(parent, translate("Ombrix", "The system did not agree to shut down."));
}

void SystemDesktop::warn(QWidget* parent, const QString& text) {
    showWarning(parent, text);
}

namespace {

QString reasonOf(int number) {
    switch (number) {
    case errorFileNotFound:
        return translate("Ombrix", "no such file");
    case errorPathNotFound:
        return translate("Ombrix", "a folder on its way is missing");
    case errorPermissionDenied:
        return translate("Ombrix", "it may not be run or read");
    case errorPathFileAccess:
        return translate("Ombrix", "it cannot be reached");
    case errorOther:
        return translate("Ombrix", "it cannot be started this way");
    default:
        return translate("Ombrix", "the system refused");
    }
}

} // namespace

QString startFailure(const std::string& what, int number) {
    if (what.empty())
        return translate("Ombrix", "This key has nothing to start (error %1).").arg(number);
    return translate("Ombrix", "Cannot start \"%1\": %2 (error %3).")
        .arg(QString::fromStdString(what), reasonOf(number))
        .arg(number);
}

bool carryOut(const KeyAction& action, DesktopServices& desktop, QWidget* parent,
              const std::string& target) {
    if (!action.alsoOpen.empty())
        desktop.openWebAddress(
            QUrl::fromLocalFile(QString::fromStdString(action.alsoOpen)).toString().toStdString());
    int error = action.errorNumber;
    switch (action.kind) {
    case KeyActionKind::OpenWebAddress:
        desktop.openWebAddress(action.url);
        break;
    case KeyActionKind::ShutDown:
        desktop.requestShutdown(parent);
        break;
    case KeyActionKind::StartProgram:
        error = desktop.startProgram(action.program, action.arguments, action.workingDirectory);
        break;
    case KeyActionKind::Fail:
        break;
    }
    if (error != 0) {
        // A program that would not start is named as started; a press planned to fail names
        // the key's target.
        const std::string& what =
            action.kind == KeyActionKind::StartProgram ? action.program : target;
        desktop.warn(parent, startFailure(what, error));
        return false;
    }
    return closesBar(action);
}

void showWarning(QWidget* parent, const QString& text) {
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Ombrix"), text, QMessageBox::Ok, parent);
    box.setWindowFlag(Qt::WindowStaysOnTopHint);
    box.exec();
}

} // namespace ombrix::platform
