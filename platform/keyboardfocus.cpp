#include "platform/keyboardfocus.h"

#include <QGuiApplication>
#include <QWidget>
#include <QWindow>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace ombrix::platform {

namespace {

// _NET_ACTIVE_WINDOW's source indication for a request made on the user's behalf, as pagers
// and task bars send it.
constexpr std::uint32_t userRequest = 2;

xcb_connection_t* x11Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootOf(xcb_connection_t* connection) {
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    return screen ? screen->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

xcb_atom_t activeWindowAtom(xcb_connection_t* connection) {
    constexpr const char* name = "_NET_ACTIVE_WINDOW";
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        connection,
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
        nullptr);
    const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

void askToActivate(xcb_connection_t* connection, xcb_window_t window) {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = activeWindowAtom(connection);
    message.data.data32[0] = userRequest;
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection, 0, rootOf(connection),
                   XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                   reinterpret_cast<const char*>(&message));
}

void acceptFocus(QWidget* window, bool accept) {
    if (QWindow* native = window->windowHandle())
        native->setFlag(Qt::WindowDoesNotAcceptFocus, !accept);
}

} // namespace

DesktopWindow activeDesktopWindow() {
    xcb_connection_t* connection = x11Connection();
    if (!connection)
        return 0;
    xcb_get_property_reply_t* reply = xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, rootOf(connection), activeWindowAtom(connection),
                         XCB_ATOM_WINDOW, 0, 1),
        nullptr);
    DesktopWindow active = 0;
    if (reply && reply->format == 32 && xcb_get_property_value_length(reply) >= 4)
        std::memcpy(&active, xcb_get_property_value(reply), sizeof active);
    std::free(reply);
    return active;
}

void takeFocus(QWidget* window) {
    acceptFocus(window, true);
    xcb_connection_t* connection = x11Connection();
    if (!connection) {
        window->activateWindow();
        return;
    }
    const auto id = static_cast<xcb_window_t>(window->winId());
    askToActivate(connection, id);
    // Window managers may keep docks out of the focus; the user asked for it all the same.
    xcb_set_input_focus(connection, XCB_INPUT_FOCUS_PARENT, id, XCB_CURRENT_TIME);
    xcb_flush(connection);
}

void giveFocusBack(QWidget* window, DesktopWindow previous) {
    acceptFocus(window, false);
    xcb_connection_t* connection = x11Connection();
    if (!connection || previous == 0)
        return;
    askToActivate(connection, previous);
    xcb_flush(connection);
}

} // namespace ombrix::platform
