#pragma once

#include <QPixmap>

#include <filesystem>

namespace ombrix::platform {

// The small icon (16 x 16 pixels, device pixel ratio 1) the desktop shows for a file:
//  - an ".ico" file (any letter case) shows its own picture;
//  - a desktop entry (".desktop") shows its Icon=: an absolute image path, else a name looked
//    up in the current icon theme, then in Debian's Adwaita, then in /usr/share/pixmaps;
//  - any other file, and a desktop entry or icon file whose picture cannot be found, shows
//    the icon QFileIconProvider gives for it.
// A path that names no regular file (missing, a folder) gives a null pixmap. Pictures of
// another size are scaled to fit, keeping their proportions, centred on a clear background.
// Needs a QGuiApplication; call from the event thread.
QPixmap smallFileIcon(const std::filesystem::path& file);

// The picture stored in an icon file at 16 x 16: of the file's images the one whose size is
// nearest 16 (the larger on a tie), scaled to fit. Any image format Qt reads works. Null when
// the file is missing or holds no readable image.
QPixmap keyIconImage(const std::filesystem::path& icoFile);

} // namespace ombrix::platform
