#pragma once

#include <QString>

#include <filesystem>
#include <optional>
#include <string>

namespace ombrix::platform {

// Finding an icon by name in the icon themes, as the desktop finds it.

// Done once, at the first theme lookup: the themes' search folders, the current theme
// (hicolor where none is set) and the fallback theme (Adwaita where none is set).
void prepareIconThemes();

// The theme's file to draw an icon name from at `side` device pixels: a folder of that size
// first, else the nearest larger, else the nearest smaller; a name with dashes that no theme
// has falls back to its shorter forms.
std::optional<std::filesystem::path> themeIconFile(QString name, int side);

// The state of the icon themes that pictures from the theme depend on: the theme names in
// the order they are asked, the folders searched, the times of each theme's folder, index and
// icon cache, and of its folders two levels deep unless its icon cache is at least as new as
// the theme's folder; then the times of /usr/share/pixmaps and of the MIME databases. Reads
// no icon.
std::string iconThemesStamp();

// Forgets the index of the icon themes' files that this run made at its first picture from a
// theme, as a new run starts without it: the next such picture reads the themes' folders again.
void forgetIconThemes();

} // namespace ombrix::platform
