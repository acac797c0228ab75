#pragma once

#include <QByteArray>
#include <QString>

class QWidget;

namespace ombrix::platform {

// Tells the desktop, by the freedesktop startup-notification protocol, that the program about
// to be started is the window the user just asked for: the window manager then lets that
// program's first window come to the front instead of opening it behind the active window.
// While the object lives the launch's identifier stands in this process's environment
// (DESKTOP_STARTUP_ID), so the program started meanwhile inherits it; Qt's X11 plugin in the
// started program reads it, marks its first window with it and tells the desktop the launch
// is done. Does nothing outside X11.
class LaunchNotice {
public:
    // `program`: the executable's file name; `name`: what the desktop may show for the launch.
    LaunchNotice(const QString& program, const QString& name);
    ~LaunchNotice();

    LaunchNotice(const LaunchNotice&) = delete;
    LaunchNotice& operator=(const LaunchNotice&) = delete;

    // The program did not start: the desktop is told the launch ended.
    void cancel();

    // The identifier handed on; empty outside X11.
    const QByteArray& id() const { return id_; }

private:
    QByteArray id_;
};

// The launch that started this program, as the desktop or the bar announced it; empty when
// there was none. Read it before the QApplication is made: Qt's X11 plugin takes it out of
// the environment.
QByteArray launchId();

// Marks `window`, shown, as the launched program's window and tells the desktop the launch is
// done. Qt says so too, but leaves the identifier unquoted, and GNOME's identifiers hold the
// application's name with its blanks: the launch feedback would then spin until it times out.
void completeLaunch(QWidget* window, const QByteArray& id);

} // namespace ombrix::platform
