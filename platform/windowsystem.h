#pragma once

#include <string_view>

class QWidget;

// The window system the programs run on, and what the bar asks of it.
//
// In a Wayland session Qt would use its Wayland plugin where it is installed, and Wayland lets
// no window place itself or stay above the others: the bar could not dock. Most Wayland
// desktops also offer an X server (XWayland); the programs then use it, unless the user chose
// a platform with QT_QPA_PLATFORM.
namespace ombrix::platform {

// The environment as the choice reads it; an unset variable is empty.
struct WindowSystemEnvironment {
    std::string_view qpaPlatform;    // QT_QPA_PLATFORM: the user's own choice
    std::string_view waylandDisplay; // WAYLAND_DISPLAY
    std::string_view sessionType;    // XDG_SESSION_TYPE
    std::string_view display;        // DISPLAY: an X server is offered
};

// True when the programs should ask Qt for X11: a Wayland session (WAYLAND_DISPLAY set, or
// XDG_SESSION_TYPE "wayland") that offers an X server, and no platform chosen by the user.
bool prefersX11(const WindowSystemEnvironment& environment);

// Call before the QApplication is made: where prefersX11 holds, Qt is asked for X11, falling
// back to its own choice should the X server not answer. Only Qt's own start reads the
// request: ApplicationStarted takes it back out of the environment, so programs started from
// the bar choose for themselves.
void chooseWindowSystem();

// Call once the QApplication exists. On a native Wayland window system it says on standard
// error, in one sentence, why the bar cannot dock.
void applicationStarted();

// Whether Qt's own icons (QFileIconProvider, the style's) may be asked for: Qt's icon loader
// reads an icon theme's index.theme whole, so no theme may have one larger than any real one.
// Looked at once.
bool iconThemesBounded();

// The sentence applicationStarted writes on Wayland.
inline constexpr std::string_view cannotDockOnWayland =
    "Ombrix cannot dock its bar here: it runs as a native Wayland window, and Wayland lets no "
    "window place itself or stay above the others (an X server such as XWayland would).";

// Makes `window` a dock to the window manager (the freedesktop window type for docks): on every
// workspace, never in the task bar or the window switcher, without a frame, above ordinary
// windows, placed where it asks, never transient for another window. The window is made
// translucent, so that a compositor casts no shadow around its shape: it must paint all it
// shows. Call before the window is first shown. Does nothing where the window system has no
// such type.
void makeDock(QWidget* window);

} // namespace ombrix::platform
