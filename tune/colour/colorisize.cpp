#include "tune/colour/colorisize.h"

#include "common/textscale.h"
#include "platform/screen.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace ombrix {

namespace {

// Until the window manager has framed the window, room is kept for a frame and title bar.
constexpr int frameWidthPixels = 8;
constexpr int frameHeightPixels = 36;

// Moves `start` as little as it takes for `length` from it to lie within the area's side.
int keptOnSide(int start, int length, int areaStart, int areaLength) {
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

} // namespace

double colourWindowTextScale(double widthTwips, double heightTwips, const ScreenSize& area) {
    return textScale({QApplication::font().pointSizeF(),
                      widthTwips + platform::toTwips(frameWidthPixels),
                      heightTwips + platform::toTwips(frameHeightPixels), area.width, area.height});
}

QSize colourWindowSize(QSize drawn, const ScreenSize& area, int scrollBar) {
    const QSize room = platform::toPixels(area.left, area.top, area.width, area.height).size() -
                       QSize(frameWidthPixels, frameHeightPixels);
    bool cutAcross = drawn.width() > room.width();
    bool cutDown = drawn.height() > room.height();
    // A scroll bar along one side takes room from the other, which may then be cut too.
    cutDown = cutDown || (cutAcross && drawn.height() + scrollBar > room.height());
    cutAcross = cutAcross || (cutDown && drawn.width() + scrollBar > room.width());
    return {std::min(drawn.width() + (cutDown ? scrollBar : 0), room.width()),
            std::min(drawn.height() + (cutAcross ? scrollBar : 0), room.height())};
}

void placeWithinArea(QWidget& window, const QWidget* parent, const ScreenSize& area) {
    const QRect room = platform::toPixels(area.left, area.top, area.width, area.height);
    const QSize framed = window.size() + QSize(frameWidthPixels, frameHeightPixels);
    // The parent may be shown inside a window that scrolls it: the window is what is seen.
    const QRect over = parent ? parent->window()->frameGeometry() : room;
    const QPoint centred = over.center() - QPoint(framed.width() / 2, framed.height() / 2);
    window.move(keptOnSide(centred.x(), framed.width(), room.left(), room.width()),
                keptOnSide(centred.y(), framed.height(), room.top(), room.height()));
}

} // namespace ombrix
