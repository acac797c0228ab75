#pragma once

#include "bar/barform.h"
#include "platform/desktopservices.h"
#include "platform/dockscreens.h"
#include "platform/inisettings.h"
#include "platform/paths.h"
#include "platform/singleinstance.h"
#include "platform/sound.h"

#include <functional>

namespace ombrix {

// What a program of the bar's folder uses of the desktop while it runs: its folder, the
// user's data folder, the settings, the desktop's services, the sounds and the monitors. Both
// programs make one at start.
struct DesktopSession {
    std::filesystem::path folder = platform::programFolder();
    std::filesystem::path data = platform::dataFolder();
    platform::IniSettings store{platform::settingsPath()};
    Preferences preferences{store};
    platform::SystemDesktop desktop;
    platform::Sounds sounds{folder};
    platform::ScreenWatch screens; // the monitors and their work areas, kept current

    // The context of a bar window on this desktop; `quit` ends the program.
    BarContext barContext(std::function<void()> quit);
    // The small icon of a file drawn for the device pixels of the bar's monitor.
    QPixmap smallIcon(const std::filesystem::path& file) const;
};

// Tells the user once, when the windows are up, what was wrong with the settings file.
void tellSettingsProblem(const DesktopSession& session);

// True for the only running copy of a program; a second copy tells the user so, and should end.
bool isOnlyCopy(platform::SingleInstance& instance);

} // namespace ombrix
