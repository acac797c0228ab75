#include "platform/launchnotice.h"

#include "common/startupnotice.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QWidget>
#include <qguiapplication_platform.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

namespace ombrix::platform {

namespace {

constexpr const char* startupIdVariable = "DESKTOP_STARTUP_ID";

xcb_atom_t atomNamed(xcb_connection_t* connection, std::string_view name) {
    const auto cookie =
        xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data());
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
        xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// A connection of its own, with a window to send from: the messages of one launch come from
// one window, and waiting for the server's answer here takes no event from Qt's connection.
class MessageWindow {
public:
    MessageWindow() {
        int screenNumber = 0;
        connection_ = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(connection_))
            return;
        xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
        for (int i = 0; i < screenNumber && screens.rem > 0; ++i)
            xcb_screen_next(&screens);
        if (screens.rem == 0)
            return;
        screenNumber_ = screenNumber;
        root_ = screens.data->root;
        window_ = xcb_generate_id(connection_);
        const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window_, root_, -1, -1, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, XCB_CW_EVENT_MASK,
                          &events);
    }
    ~MessageWindow() {
        if (window_)
            xcb_destroy_window(connection_, window_);
        xcb_flush(connection_);
        xcb_disconnect(connection_);
    }
    MessageWindow(const MessageWindow&) = delete;
    MessageWindow& operator=(const MessageWindow&) = delete;

    bool usable() const { return window_ != 0; }
    int screenNumber() const { return screenNumber_; }

    // The server's time now: a property changed on the window comes back with the time of
    // the change. The user's click that asked for the launch came just before.
    std::uint32_t serverTime() {
        const xcb_atom_t atom = atomNamed(connection_, "_OMBRIX_LAUNCH_TIME");
        xcb_change_property(connection_, XCB_PROP_MODE_APPEND, window_, atom, XCB_ATOM_STRING, 8, 0,
                            nullptr);
        xcb_flush(connection_);
        while (xcb_generic_event_t* event = xcb_wait_for_event(connection_)) {
            const bool changed = (event->response_type & 0x7F) == XCB_PROPERTY_NOTIFY;
            const std::uint32_t time =
                changed ? reinterpret_cast<xcb_property_notify_event_t*>(event)->time : 0;
            std::free(event);
            if (changed)
                return time;
        }
        return 0;
    }

    void broadcast(const std::string& message) {
        const xcb_atom_t begin = atomNamed(connection_, "_NET_STARTUP_INFO_BEGIN");
        const xcb_atom_t more = atomNamed(connection_, "_NET_STARTUP_INFO");
        bool first = true;
        for (const auto& piece : startupMessagePieces(message)) {
            xcb_client_message_event_t event = {};
            event.response_type = XCB_CLIENT_MESSAGE;
            event.format = 8;
            event.window = window_;
            event.type = first ? begin : more;
            std::memcpy(event.data.data8, piece.data(), piece.size());
            xcb_send_event(connection_, 0, root_, XCB_EVENT_MASK_PROPERTY_CHANGE,
                           reinterpret_cast<const char*>(&event));
            first = false;
        }
        xcb_flush(connection_);
    }

private:
    xcb_connection_t* connection_ = nullptr;
    xcb_window_t root_ = 0;
    xcb_window_t window_ = 0;
    int screenNumber_ = 0;
};

int launches = 0;

} // namespace

LaunchNotice::LaunchNotice(const QString& program, const QString& name) {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    MessageWindow sender;
    if (!sender.usable())
        return;
    const std::string id = startupId(QCoreApplication::applicationName().toLower().toStdString(),
                                     program.toStdString(), QCoreApplication::applicationPid(),
                                     ++launches, sender.serverTime());
    sender.broadcast(startupMessage("new", {{"ID", id},
                                            {"NAME", name.toStdString()},
                                            {"BIN", program.toStdString()},
                                            {"WMCLASS", program.toStdString()},
                                            {"SCREEN", std::to_string(sender.screenNumber())}}));
    id_ = QByteArray::fromStdString(id);
    qputenv(startupIdVariable, id_);
}

LaunchNotice::~LaunchNotice() {
    if (!id_.isEmpty())
        qunsetenv(startupIdVariable);
}

void LaunchNotice::cancel() {
    if (id_.isEmpty())
        return;
    MessageWindow sender;
    if (sender.usable())
        sender.broadcast(startupMessage("remove", {{"ID", id_.toStdString()}}));
}

QByteArray launchId() {
    return qgetenv(startupIdVariable);
}

void completeLaunch(QWidget* window, const QByteArray& id) {
    if (id.isEmpty() || QGuiApplication::platformName() != QLatin1String("xcb"))
        return;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    xcb_connection_t* connection = x11->connection();
    xcb_change_property(
        connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window->winId()),
        atomNamed(connection, "_NET_STARTUP_ID"), atomNamed(connection, "UTF8_STRING"), 8,
        static_cast<std::uint32_t>(id.size()), id.constData());
    // A round trip: the window is marked before the launch is said to be done.
    std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    MessageWindow sender;
    if (sender.usable())
        sender.broadcast(startupMessage("remove", {{"ID", id.toStdString()}}));
}

} // namespace ombrix::platform
