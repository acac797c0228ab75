#pragma once

#include <QPixmap>

#include <filesystem>
#include <string>

#include "platform/iconthemes.h"
#include "platform/keypicturecache.h"

namespace ombrix::platform {

// The small icon (16 x 16 logical pixels) the desktop shows for a file, drawn for the device
// pixels of a screen of scale `scale` (32 x 32 with device pixel ratio 2 at scale 2):
//  - an ".ico" file (any letter case) shows its own picture;
//  - a desktop entry (".desktop") shows its Icon=: an absolute image path, else a name looked
//    up in the icon themes as the desktop looks it up (the folder of the size, else the
//    nearest larger, else the nearest smaller) in the current icon theme, the themes it inherits,
//    the fallback theme (Debian's Adwaita where none is set) and hicolor, a name with dashes
//    falling back to its shorter forms; else a picture of that name in /usr/share/pixmaps;
//  - any other file, and a desktop entry or icon file whose picture cannot be found, shows
//    the icon QFileIconProvider gives for it.
// A path that names no regular file (missing, a folder) gives a null pixmap. Pictures of
// another size are scaled smoothly to fit (enlarged once, when made, where a picture exists
// only smaller), keeping their proportions, centred on a clear background.
// Pictures are kept between runs in $XDG_CACHE_HOME/Ombrix/keypictures.cache (see
// KeyPictureCache), so that a later start reads them instead of asking the icon theme; the
// cache is written after the start-up's events, and again when the program ends.
// Needs a QGuiApplication; call from the event thread.
QPixmap smallFileIcon(const std::filesystem::path& file, double scale);
// The same for the primary screen's scale.
QPixmap smallFileIcon(const std::filesystem::path& file);

// What smallFileIcon shows for a regular file, `side` device pixels square, made afresh, with
// what it depends on.
RenderedPicture renderSmallFileIcon(const std::filesystem::path& file, int side);

// The picture stored in an icon file at 16 x 16: of the file's images the one whose size is
// nearest 16 (the larger on a tie), scaled to fit. Any image format Qt reads works. Null when
// the file is missing or holds no readable image.
QPixmap keyIconImage(const std::filesystem::path& icoFile);

} // namespace ombrix::platform
