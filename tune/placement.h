#pragma once

#include "common/barwindow.h"

// Where the key editor goes on the screen beside the bar copy, which stays on top of every
// window: the copy must cover none of the editor, and the editor must lie wholly on the
// area the bar docks to. Plain values in twips; the windows apply the result.
namespace ombrix {

struct Area {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;

    bool meets(const Area& other) const {
        return left < other.left + other.width && other.left < left + width &&
               top < other.top + other.height && other.top < top + height;
    }
};

struct EditorPlace {
    double left = 0; // the editor's frame
    double top = 0;
    double copyTop = 0; // the copy's top, moved only when the two cannot both fit otherwise
};

// The editor (its frame, `width` x `height`) centred in the area when the copy leaves that
// place free; else just above or below the copy, whichever is nearer the centre; else the copy
// goes to the top of the area and the editor below it. The copy's saved place is not changed
// by moving it. An area smaller than the editor puts the editor at its top left. The area is
// the bar's monitor less its panels; every place is on the desktop.
EditorPlace placeEditor(ScreenSize area, double width, double height, const Area& copy);

// The editor's window in the area: the design's size (`width` x `height`, its frame adding
// `frameWidth` x `frameHeight`) where it fits beside the copy, which stays on top and is
// `copyHeight` high; else as much of it as fits, its content then scrolling.
struct EditorView {
    double width = 0; // the content shown, without the frame
    double height = 0;
    bool scrolls = false;
};
EditorView editorView(ScreenSize area, double width, double height, double frameWidth,
                      double frameHeight, double copyHeight);

// The part of the area a window beside the copy can have, the copy staying on top: the larger
// of the bands above and below the copy, the area's whole width; the whole area when the copy
// lies off it.
ScreenSize roomBesideCopy(ScreenSize area, const Area& copy);

// True when the window lies wholly inside the area.
bool liesWithin(const Area& window, ScreenSize area);

} // namespace ombrix
