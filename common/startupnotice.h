#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The messages of the freedesktop startup-notification protocol, with which a program that
// starts another tells the desktop about the launch: the window manager then lets the started
// program's first window come to the front, and a launch feedback ends when it shows.
namespace ombrix {

// A launch's identifier: unique on this machine, ending in "_TIME" and the X server time of
// the user's action, from which window managers read when the launch was asked for.
std::string startupId(std::string_view launcher, std::string_view program, std::int64_t pid,
                      int serial, std::uint32_t serverTime);

// A message: its type ("new", "remove"), a colon, then KEY=value pairs separated by blanks;
// a value holding blanks, quotes or backslashes is quoted, its quotes and backslashes escaped.
std::string startupMessage(std::string_view type,
                           const std::vector<std::pair<std::string, std::string>>& fields);

// The message cut into the 20-byte pieces of the client messages that carry it, the NUL that
// ends it included; the last piece is filled up with NULs.
std::vector<std::array<char, 20>> startupMessagePieces(std::string_view message);

} // namespace ombrix
