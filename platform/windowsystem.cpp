#include "platform/windowsystem.h"

#include "common/boundedread.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QImageReader>
#include <QStandardPaths>
#include <QWidget>
#include <QWindow>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace ombrix::platform {

namespace {

constexpr const char* qpaPlatformVariable = "QT_QPA_PLATFORM";
// The X11 platform first; if its X server does not answer, Qt tries Wayland.
constexpr const char* x11FirstPlatforms = "xcb;wayland";

// Qt's X11 plugin reads this property of a window whenever it sets the window's type: its
// value is a set of the plugin's window-type bits, of which 0x4 is the dock.
constexpr const char* x11WindowTypeProperty = "_q_xcb_wm_window_type";
constexpr int x11DockType = 0x000004;

bool chose = false;

// The atoms of `names`, asked for together so that they cost one round trip to the X server.
std::vector<xcb_atom_t> atomsNamed(xcb_connection_t* connection,
                                   const std::vector<std::string_view>& names) {
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const std::string_view name : names)
        cookies.push_back(
            xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()));
    std::vector<xcb_atom_t> atoms;
    for (const auto& cookie : cookies) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
        atoms.push_back(reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE));
        std::free(reply);
    }
    return atoms;
}

// What a window manager may not do for a dock of its own accord: put it on every workspace
// and keep it out of task bars and pagers. Written on the window before it is mapped; Qt adds
// its own states to these when it shows the window.
void askForEveryWorkspace(xcb_connection_t* connection, xcb_window_t window) {
    const std::vector<xcb_atom_t> atoms =
        atomsNamed(connection, {"_NET_WM_DESKTOP", "_NET_WM_STATE", "_NET_WM_STATE_STICKY",
                                "_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER"});
    const std::uint32_t everyDesktop = 0xFFFFFFFF;
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atoms[0], XCB_ATOM_CARDINAL, 32,
                        1, &everyDesktop);
    const std::vector<xcb_atom_t> states(atoms.begin() + 2, atoms.end());
    xcb_change_property(connection, XCB_PROP_MODE_APPEND, window, atoms[1], XCB_ATOM_ATOM, 32,
                        static_cast<std::uint32_t>(states.size()), states.data());
    xcb_flush(connection);
}

// Qt paints only inside the window's shape; what lies outside is the window's own background,
// which Qt leaves undefined. A compositor that draws the whole window would show it as a
// dark box around the handle: it is made clear.
void clearOutsideTheShape(xcb_connection_t* connection, xcb_window_t window) {
    const std::uint32_t clear = 0;
    xcb_change_window_attributes(connection, window, XCB_CW_BACK_PIXEL, &clear);
}

std::string_view variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::string_view(value) : std::string_view();
}

} // namespace

bool prefersX11(const WindowSystemEnvironment& environment) {
    const bool waylandSession =
        !environment.waylandDisplay.empty() || environment.sessionType == "wayland";
    return environment.qpaPlatform.empty() && waylandSession && !environment.display.empty();
}

void chooseWindowSystem() {
    const WindowSystemEnvironment environment{variable(qpaPlatformVariable),
                                              variable("WAYLAND_DISPLAY"),
                                              variable("XDG_SESSION_TYPE"), variable("DISPLAY")};
    chose = prefersX11(environment);
    if (chose)
        qputenv(qpaPlatformVariable, x11FirstPlatforms);
}

bool iconThemesBounded() {
    static const bool bounded = [] {
        QStringList bases = QIcon::themeSearchPaths();
        for (const QString& data :
             QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation))
            bases.append(data + QStringLiteral("/icons"));
        for (const QString& base : bases) {
            for (const QString& theme : QDir(base).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
                const QFileInfo index(base + '/' + theme + QStringLiteral("/index.theme"));
                if (index.exists() &&
                    (!index.isFile() || static_cast<std::size_t>(index.size()) > themeIndexLimit))
                    return false;
            }
        }
        return true;
    }();
    return bounded;
}

void applicationStarted() {
    // A picture that says it is huge is not decoded: no icon needs more.
    QImageReader::setAllocationLimit(pictureAllocationLimitMb);
    if (chose) {
        qunsetenv(qpaPlatformVariable);
        chose = false;
    }
    if (QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(cannotDockOnWayland.size()),
                     cannotDockOnWayland.data());
    }
}

void makeDock(QWidget* window) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    // Qt's X11 plugin makes a tool window transient for the program's hidden leader window,
    // and KWin keeps a transient dock on one desktop only; and a dock that also asks to be
    // "above" stays over fullscreen windows under xfwm4. Every window manager keeps a dock
    // above ordinary windows by its type alone, so the dock is a plain window without either.
    window->setWindowFlags(
        (window->windowFlags() & ~(Qt::WindowType_Mask | Qt::WindowStaysOnTopHint)) | Qt::Window);
    // A compositor casts a shadow under a window's whole rectangle, but none under the clear
    // pixels of a translucent window: the round handle casts a round shadow, or none.
    window->setAttribute(Qt::WA_TranslucentBackground);
    window->winId(); // makes the native window, which the type is written on
    QWindow* native = window->windowHandle();
    if (!native)
        return;
    native->setProperty(x11WindowTypeProperty, x11DockType);
    // The plugin writes the type when the flags are set, and only when they change: change
    // one and set them back, both before the window is first shown.
    const Qt::WindowFlags flags = native->flags();
    native->setFlags(flags ^ Qt::WindowDoesNotAcceptFocus);
    native->setFlags(flags);
    if (auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()) {
        const auto id = static_cast<xcb_window_t>(window->winId());
        clearOutsideTheShape(x11->connection(), id);
        askForEveryWorkspace(x11->connection(), id);
    }
}

} // namespace ombrix::platform
