#include "platform/screen.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace ombrix::platform {

double twipsPerPixel() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return 1440.0 / (dpi > 0 ? dpi : 96.0);
}

double screenScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double scale = screen ? screen->devicePixelRatio() : 1.0;
    return scale > 0 ? scale : 1.0;
}

ScreenSize screenTwips() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return {};
    const QRect pixels = screen->geometry();
    const double t = twipsPerPixel();
    return {pixels.width() * t, pixels.height() * t};
}

int toPixels(double twips) {
    return static_cast<int>(std::lround(twips / twipsPerPixel()));
}

double toTwips(int pixels) {
    return pixels * twipsPerPixel();
}

QRect toPixels(double left, double top, double width, double height) {
    return {toPixels(left), toPixels(top), toPixels(width), toPixels(height)};
}

} // namespace ombrix::platform
