// OStartUp: makes the desktop start the bar at log-in, or stops it, as the stored start-up
// choice says, then ends. The setup program starts it after each change of the choice.
#include "common/settings.h"
#include "platform/inisettings.h"
#include "platform/paths.h"
#include "tune/ostartup/autostart.h"

#include <QCoreApplication>

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    ombrix::platform::IniSettings store(ombrix::platform::settingsPath());
    const ombrix::Preferences prefs(store);
    const auto folder =
        ombrix::autostartFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    const ombrix::AutostartOutcome outcome =
        ombrix::applyAutostart(prefs.startUp(), ombrix::platform::programFolder(), folder);
    if (!outcome.ok) {
        std::cerr << "OStartUp: " << outcome.message << '\n';
        return 1;
    }
    return 0;
}
