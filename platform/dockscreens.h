#pragma once

#include "common/dockarea.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>
#include <set>
#include <string_view>
#include <vector>

class QScreen;

// The monitors the bar can dock to, each with its work area, and the word that they changed.
namespace ombrix::platform {

// The X11 atoms the work areas are read with (0 where the X server has no such name yet).
struct DockAtoms {
    std::uint32_t workArea = 0;
    std::uint32_t currentDesktop = 0;
    std::uint32_t clientList = 0; // a panel appears or goes
    std::uint32_t strutPartial = 0;
    std::uint32_t strut = 0;
};

// The monitors now, each with its work area in twips. On X11 the work area is the monitor less
// the struts of the panels on it (the desktop's single work area is only used with a single
// monitor); elsewhere it is what the toolkit calls the screen's available geometry.
std::vector<DockScreen> readDockScreens();

// Keeps the monitors as last read, and reads them again when the toolkit or the X server says
// that something changed: a monitor added or removed, a resolution, position, scale or primary
// change, a panel that appears, goes or changes what it reserves. Several words that come
// together make one change. Nothing runs in between: no polling.
class ScreenWatch : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit ScreenWatch(QObject* parent = nullptr);
    ~ScreenWatch() override;

    const std::vector<DockScreen>& screens() const { return screens_; }
    // The area of the monitor named `chosen`, else of the primary.
    ScreenSize areaOf(std::string_view chosen) const;
    // The scale of that monitor: its device pixels per logical pixel.
    double scaleOf(std::string_view chosen) const;

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void changed();

private:
    void watch(QScreen* screen);
    void changeSoon();
    void reread();

    std::vector<DockScreen> screens_;
    void watchPanels(const std::vector<std::uint32_t>& windows);

    DockAtoms atoms_;
    std::set<std::uint32_t> panels_; // windows with struts, watched for a change of them
    std::uint32_t root_ = 0;
    bool pending_ = false;
};

} // namespace ombrix::platform
