#include "platform/globalshortcut.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <qguiapplication_platform.h>

#include <X11/Xlib.h>
#include <xcb/xcb.h>

#include <cstdlib>

namespace ombrix::platform {

namespace {

// Num Lock and Caps Lock change nothing about the shortcut: it is held with each of them too.
constexpr std::uint16_t ignoredLocks[] = {0, XCB_MOD_MASK_LOCK, XCB_MOD_MASK_2,
                                          XCB_MOD_MASK_LOCK | XCB_MOD_MASK_2};
constexpr std::uint16_t shortcutModifiers =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;

QNativeInterface::QX11Application* x11() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
}

xcb_window_t rootOf(xcb_connection_t* connection) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return screen ? screen->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

std::uint16_t modifiersOf(const Shortcut& shortcut) {
    return static_cast<std::uint16_t>(
        (shortcut.shift ? XCB_MOD_MASK_SHIFT : 0) | (shortcut.control ? XCB_MOD_MASK_CONTROL : 0) |
        (shortcut.alt ? XCB_MOD_MASK_1 : 0) | (shortcut.super ? XCB_MOD_MASK_4 : 0));
}

} // namespace

GlobalShortcut::GlobalShortcut(QObject* parent) : QObject(parent) {}

GlobalShortcut::~GlobalShortcut() {
    release();
}

bool GlobalShortcut::hold(const Shortcut& shortcut) {
    release();
    auto* native = x11();
    if (!native || !native->display())
        return false;
    const KeySym symbol = XStringToKeysym(shortcut.key.c_str());
    const KeyCode code =
        symbol == NoSymbol ? KeyCode{0} : XKeysymToKeycode(native->display(), symbol);
    if (code == 0)
        return false;
    xcb_connection_t* connection = native->connection();
    const std::uint16_t modifiers = modifiersOf(shortcut);
    bool held = true;
    for (const std::uint16_t locks : ignoredLocks) {
        xcb_generic_error_t* error = xcb_request_check(
            connection, xcb_grab_key_checked(connection, 1, rootOf(connection),
                                             static_cast<std::uint16_t>(modifiers | locks), code,
                                             XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        held = held && !error;
        std::free(error);
    }
    keycode_ = code;
    modifiers_ = modifiers;
    if (!held) {
        release();
        return false;
    }
    QCoreApplication::instance()->installNativeEventFilter(this);
    return true;
}

void GlobalShortcut::release() {
    if (keycode_ == 0)
        return;
    QCoreApplication::instance()->removeNativeEventFilter(this);
    if (auto* native = x11()) {
        xcb_connection_t* connection = native->connection();
        for (const std::uint16_t locks : ignoredLocks)
            xcb_ungrab_key(connection, keycode_, rootOf(connection),
                           static_cast<std::uint16_t>(modifiers_ | locks));
        xcb_flush(connection);
    }
    keycode_ = 0;
}

bool GlobalShortcut::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7F) != XCB_KEY_PRESS)
        return false;
    const auto* press = static_cast<const xcb_key_press_event_t*>(message);
    if (press->detail != keycode_ || (press->state & shortcutModifiers) != modifiers_)
        return false;
    emit pressed();
    return true;
}

} // namespace ombrix::platform
