#include "platform/dockscreens.h"

#include "platform/screen.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace ombrix::platform {
namespace {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};
template <typename T> using Reply = std::unique_ptr<T, FreeDeleter>;

xcb_connection_t* x11Connection() {
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return nullptr;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t rootOf(xcb_connection_t* c) {
    return xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
}

// The atoms the work areas are read with, asked for together: one round trip to the X server.
DockAtoms dockAtoms(xcb_connection_t* c) {
    constexpr std::string_view names[] = {"_NET_WORKAREA", "_NET_CURRENT_DESKTOP",
                                          "_NET_CLIENT_LIST", "_NET_WM_STRUT_PARTIAL",
                                          "_NET_WM_STRUT"};
    std::vector<xcb_intern_atom_cookie_t> cookies;
    for (const std::string_view name : names)
        cookies.push_back(
            xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.data()));
    xcb_atom_t atoms[std::size(names)] = {};
    for (std::size_t i = 0; i < cookies.size(); ++i) {
        const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(c, cookies[i], nullptr));
        atoms[i] = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    }
    return {atoms[0], atoms[1], atoms[2], atoms[3], atoms[4]};
}

xcb_get_property_cookie_t askProperty(xcb_connection_t* c, xcb_window_t window, xcb_atom_t name,
                                      xcb_atom_t type) {
    return xcb_get_property(c, 0, window, name, type, 0, 1024);
}

// The answer to askProperty, a property of 32-bit values; empty when the window has none.
std::vector<std::uint32_t> cardinals(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
    const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(c, cookie, nullptr));
    if (!reply || reply->format != 32)
        return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
    const int count = xcb_get_property_value_length(reply.get()) / 4;
    return {values, values + count};
}

struct X11Desktop {
    PixelRect desktop;
    PixelRect workArea;
    std::vector<Strut> struts;
    std::vector<std::uint32_t> strutWindows; // the panels that reserve them
};

// The struts of `windows`: every window's properties are asked for before any answer is read,
// so that a desktop of many windows costs one round trip, not two per window.
void readStruts(xcb_connection_t* c, const DockAtoms& atoms,
                const std::vector<std::uint32_t>& windows, X11Desktop& d) {
    std::vector<std::pair<xcb_get_property_cookie_t, xcb_get_property_cookie_t>> asked;
    for (const std::uint32_t window : windows)
        asked.emplace_back(askProperty(c, window, atoms.strutPartial, XCB_ATOM_CARDINAL),
                           askProperty(c, window, atoms.strut, XCB_ATOM_CARDINAL));
    for (std::size_t i = 0; i < windows.size(); ++i) {
        const auto p = cardinals(c, asked[i].first);
        const auto w = cardinals(c, asked[i].second);
        if (p.size() >= 12) {
            Strut s;
            double* fields[12] = {&s.left,       &s.right,    &s.top,          &s.bottom,
                                  &s.leftStartY, &s.leftEndY, &s.rightStartY,  &s.rightEndY,
                                  &s.topStartX,  &s.topEndX,  &s.bottomStartX, &s.bottomEndX};
            for (int f = 0; f < 12; ++f)
                *fields[f] = p[static_cast<std::size_t>(f)];
            d.struts.push_back(s);
        } else if (w.size() >= 4) {
            d.struts.push_back(wholeEdgeStrut(w[0], w[1], w[2], w[3], d.desktop));
        } else {
            continue;
        }
        d.strutWindows.push_back(windows[i]);
    }
}

// The X screen's size, the desktop's work area on the current workspace, and the struts of
// every managed window (the window manager lists panels among its clients).
X11Desktop readX11Desktop(xcb_connection_t* c, const DockAtoms& atoms) {
    X11Desktop d;
    const xcb_window_t root = rootOf(c);
    const xcb_get_geometry_cookie_t geometryAsked = xcb_get_geometry(c, root);
    const auto workAreaAsked = askProperty(c, root, atoms.workArea, XCB_ATOM_CARDINAL);
    const auto currentAsked = askProperty(c, root, atoms.currentDesktop, XCB_ATOM_CARDINAL);
    const auto clientsAsked = askProperty(c, root, atoms.clientList, XCB_ATOM_WINDOW);

    const Reply<xcb_get_geometry_reply_t> geometry(
        xcb_get_geometry_reply(c, geometryAsked, nullptr));
    if (geometry)
        d.desktop = {0, 0, static_cast<double>(geometry->width),
                     static_cast<double>(geometry->height)};
    const auto workArea = cardinals(c, workAreaAsked);
    const auto current = cardinals(c, currentAsked);
    const std::size_t at = 4 * (current.empty() ? 0 : current[0]);
    if (workArea.size() >= at + 4)
        d.workArea = {static_cast<double>(workArea[at]), static_cast<double>(workArea[at + 1]),
                      static_cast<double>(workArea[at + 2]), static_cast<double>(workArea[at + 3])};
    readStruts(c, atoms, cardinals(c, clientsAsked), d);
    return d;
}

// Qt puts a scaled monitor at its own top-left corner and makes it smaller by its scale.
Monitor monitorOf(const QScreen* screen) {
    const QRect g = screen->geometry();
    const double scale = screen->devicePixelRatio();
    return {screen->name().toStdString(),
            {static_cast<double>(g.x()), static_cast<double>(g.y()), g.width() * scale,
             g.height() * scale},
            screen == QGuiApplication::primaryScreen(),
            scale};
}

struct Reading {
    std::vector<DockScreen> screens;
    std::vector<std::uint32_t> strutWindows;
};

Reading readScreens(const DockAtoms* atoms) {
    std::vector<Monitor> monitors;
    for (const QScreen* screen : QGuiApplication::screens())
        monitors.push_back(monitorOf(screen));
    const double t = twipsPerPixel();
    if (xcb_connection_t* c = x11Connection()) {
        X11Desktop d = readX11Desktop(c, atoms ? *atoms : dockAtoms(c));
        return {dockScreensOf(monitors, d.struts, d.desktop, d.workArea, t),
                std::move(d.strutWindows)};
    }
    Reading reading;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect a = screen->availableGeometry();
        reading.screens.push_back(
            {screen->name().toStdString(),
             twipsOf({static_cast<double>(a.x()), static_cast<double>(a.y()),
                      static_cast<double>(a.width()), static_cast<double>(a.height())},
                     t),
             screen == QGuiApplication::primaryScreen(), screen->devicePixelRatio()});
    }
    return reading;
}

} // namespace

std::vector<DockScreen> readDockScreens() {
    return readScreens(nullptr).screens;
}

ScreenWatch::ScreenWatch(QObject* parent) : QObject(parent) {
    xcb_connection_t* c = x11Connection();
    if (c)
        atoms_ = dockAtoms(c);
    Reading reading = readScreens(c ? &atoms_ : nullptr);
    screens_ = std::move(reading.screens);
    auto* app = qGuiApp;
    connect(app, &QGuiApplication::screenAdded, this, [this](QScreen* screen) {
        watch(screen);
        changeSoon();
    });
    connect(app, &QGuiApplication::screenRemoved, this, &ScreenWatch::changeSoon);
    connect(app, &QGuiApplication::primaryScreenChanged, this, &ScreenWatch::changeSoon);
    for (QScreen* screen : QGuiApplication::screens())
        watch(screen);
    // The desktop's work area changes when a panel appears, goes or reserves another strut.
    if (c) {
        root_ = rootOf(c);
        // Qt already listens on the root window; property changes are added to what it asked.
        const Reply<xcb_get_window_attributes_reply_t> attributes(
            xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, root_), nullptr));
        const std::uint32_t mask =
            (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
        xcb_change_window_attributes(c, root_, XCB_CW_EVENT_MASK, &mask);
        xcb_flush(c);
        QCoreApplication::instance()->installNativeEventFilter(this);
        watchPanels(reading.strutWindows);
    }
}

// A panel that changes its strut says so on its own window; the window manager may not
// change the desktop's work area for it (xfwm4 keeps it whole with several monitors).
void ScreenWatch::watchPanels(const std::vector<std::uint32_t>& windows) {
    xcb_connection_t* c = x11Connection();
    if (!c)
        return;
    // Checked, so that a panel already gone is no error for the toolkit to report; all are
    // asked before the first answer is awaited.
    std::vector<std::pair<std::uint32_t, xcb_void_cookie_t>> asked;
    for (const std::uint32_t window : windows) {
        if (!panels_.insert(window).second)
            continue;
        const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
        asked.emplace_back(
            window, xcb_change_window_attributes_checked(c, window, XCB_CW_EVENT_MASK, &mask));
    }
    for (const auto& [window, cookie] : asked) {
        const Reply<xcb_generic_error_t> error(xcb_request_check(c, cookie));
        if (error)
            panels_.erase(window);
    }
}

ScreenWatch::~ScreenWatch() {
    if (QCoreApplication::instance())
        QCoreApplication::instance()->removeNativeEventFilter(this);
}

void ScreenWatch::watch(QScreen* screen) {
    connect(screen, &QScreen::geometryChanged, this, &ScreenWatch::changeSoon);
    connect(screen, &QScreen::availableGeometryChanged, this, &ScreenWatch::changeSoon);
    connect(screen, &QScreen::logicalDotsPerInchChanged, this, &ScreenWatch::changeSoon);
}

ScreenSize ScreenWatch::areaOf(std::string_view chosen) const {
    const int index = dockedScreen(screens_, chosen);
    return index < 0 ? ScreenSize{} : screens_[static_cast<std::size_t>(index)].area;
}

double ScreenWatch::scaleOf(std::string_view chosen) const {
    const int index = dockedScreen(screens_, chosen);
    return index < 0 ? 1.0 : screens_[static_cast<std::size_t>(index)].scale;
}

bool ScreenWatch::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
    if (eventType != "xcb_generic_event_t")
        return false;
    const auto* event = static_cast<const xcb_generic_event_t*>(message);
    if ((event->response_type & 0x7f) == XCB_PROPERTY_NOTIFY) {
        const auto* property = static_cast<const xcb_property_notify_event_t*>(message);
        const bool desktop = property->window == root_ && (property->atom == atoms_.workArea ||
                                                           property->atom == atoms_.clientList);
        const bool panel =
            panels_.count(property->window) != 0 &&
            (property->atom == atoms_.strutPartial || property->atom == atoms_.strut);
        if (desktop || panel)
            changeSoon();
    }
    return false;
}

// The toolkit tells one change in several words (a new monitor is added, then the others
// move); they are read once, after the words of the moment are all in.
void ScreenWatch::changeSoon() {
    if (pending_)
        return;
    pending_ = true;
    QTimer::singleShot(0, this, &ScreenWatch::reread);
}

void ScreenWatch::reread() {
    pending_ = false;
    Reading reading = readScreens(x11Connection() ? &atoms_ : nullptr);
    watchPanels(reading.strutWindows);
    std::vector<DockScreen> now = std::move(reading.screens);
    const bool same = now.size() == screens_.size() &&
                      std::equal(now.begin(), now.end(), screens_.begin(),
                                 [](const DockScreen& a, const DockScreen& b) {
                                     return a.name == b.name && a.area == b.area &&
                                            a.primary == b.primary && a.scale == b.scale;
                                 });
    screens_ = std::move(now);
    if (!same)
        emit changed();
}

} // namespace ombrix::platform
