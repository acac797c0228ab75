#pragma once

#include <QObject>

namespace ombrix {

class BarKeyboard;
class Preferences;

// The running bar on the session bus, so that `ombrix --toggle` (bound to a shortcut of the
// desktop) reaches it: `gdbus call --session --dest org.ombrix.Ombrix --object-path
// /org/ombrix/Ombrix --method org.ombrix.Ombrix.Bar.Toggle` does the same.
inline constexpr const char* barServiceName = "org.ombrix.Ombrix";
inline constexpr const char* barObjectPath = "/org/ombrix/Ombrix";
inline constexpr const char* barInterfaceName = "org.ombrix.Ombrix.Bar";

class BarService : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.ombrix.Ombrix.Bar")

public:
    explicit BarService(BarKeyboard& keyboard);

    // False when there is no session bus or the name is taken.
    bool publish();

public slots:
    // Opens the bar with the keyboard focus on its first key, or closes it when it is open.
    Q_SCRIPTABLE void Toggle();

private:
    BarKeyboard& keyboard_;
};

// Offers the bar's toggle to the desktop: on the session bus, and through the global shortcut
// the settings name (default defaultShortcut, none when empty). A shortcut another program
// holds, or one that cannot be read, is reported on standard error and the bar goes on.
void offerToggle(BarKeyboard& keyboard, const Preferences& preferences);

// Asks the bar running in this session to toggle; false when none answers.
bool askRunningBarToToggle();

} // namespace ombrix
