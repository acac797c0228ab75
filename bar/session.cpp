#include "bar/session.h"
#include "platform/translation.h"

#include "platform/icons.h"

#include <QTimer>

namespace ombrix {

BarContext DesktopSession::barContext(std::function<void()> quit) {
    BarContext context;
    context.programFolder = folder;
    context.dataFolder = data;
    context.preferences = &preferences;
    context.desktop = &desktop;
    context.sounds = &sounds;
    // The chosen monitor's work area, the primary's while the chosen one is missing.
    context.screen = [this] { return screens.areaOf(preferences.monitor()); };
    context.screens = [this] { return screens.screens(); };
    context.scale = [this] { return screens.scaleOf(preferences.monitor()); };
    context.quit = std::move(quit);
    return context;
}

QPixmap DesktopSession::smallIcon(const std::filesystem::path& file) const {
    return platform::smallFileIcon(file, screens.scaleOf(preferences.monitor()));
}

void tellSettingsProblem(const DesktopSession& session) {
    if (session.store.problem().empty())
        return;
    QTimer::singleShot(
        0, [text = translated(session.store.problem())] { platform::showWarning(nullptr, text); });
}

bool isOnlyCopy(platform::SingleInstance& instance) {
    if (instance.acquire())
        return true;
    platform::showWarning(nullptr,
                          translate("Ombrix", "The requested application is already open."));
    return false;
}

} // namespace ombrix
