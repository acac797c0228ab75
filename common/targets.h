#pragma once

#include "common/translatable.h"

#include <filesystem>
#include <string>
#include <string_view>

// What a key's target is, and where its program part ends.
namespace ombrix {

inline constexpr std::string_view shutdownTarget = "shl.ShutdownWindows";

// True when `path` names an existing regular file (links followed). Folders, devices and the
// empty path are not files.
bool fileExists(const std::filesystem::path& path);

// The bar takes a target as a web address when its first five characters are "http:" in any
// letter case; the setup program's bar copy also takes "https:".
enum class WebSchemes { HttpOnly, HttpAndHttps };
bool isWebAddress(std::string_view trimmedTarget, WebSchemes schemes = WebSchemes::HttpOnly);

// Exact case: only "shl.ShutdownWindows" asks for the shut-down dialog.
bool isShutdownTarget(std::string_view trimmedTarget);

// The pop-up text the setup program gives a shut-down key, in the design's words.
inline constexpr const char* shutdownToolTip = QT_TRANSLATE_NOOP("Ombrix", "EXIT Windows");

// Whether a key shows the design's shut-down text, which the window then gives in the user's
// language: a shut-down key whose stored pop-up text is still that text exactly, as keys set
// up in earlier versions hold it. A text the user typed is theirs and is shown as it stands.
bool showsShutdownToolTip(std::string_view trimmedTarget, std::string_view shownToolTip);

// A desktop entry is started from its Exec line and shows its Icon.
bool isDesktopEntry(std::string_view path);

// A program: a name ending in ".exe", ".bat", ".com" or ".pif" (kept for key tables brought
// from the other platform), a desktop entry, or an executable regular file.
bool isProgram(const std::filesystem::path& path);

// The path whose icon a key with its target's icon shows: the longest leading part of the
// target, ending at a blank or at the end, that names an existing file; when none does, the
// target up to and including its first ".exe", ".bat" or ".com" (any letter case) that a blank
// or the end follows; else the whole target. So "~/sites/example.com/run.sh" is run.sh.
std::string iconSourcePath(std::string_view trimmedTarget);

// A target split into the program to start and the document that follows it after a blank,
// as the setup program stores "program document" in one line.
struct TargetParts {
    std::string program;
    std::string document; // empty when the target holds only the program
};

// The program part is found as for iconSourcePath, with ".pif" as a fourth ending; the rest
// after the separating blank, trimmed, is the document.
TargetParts splitTarget(std::string_view trimmedTarget);

// The icon file of key `keyIndex` (0-based): data folder/icons/icon<keyIndex>.ico.
std::filesystem::path iconFilePath(const std::filesystem::path& dataFolder, int keyIndex);

} // namespace ombrix
