#pragma once

#include <cstdint>

class QWidget;

// Taking the keyboard focus at the user's request and giving it back. The bar never takes the
// focus on its own; opened by the keyboard it must, and when it closes the window the user was
// typing in gets the focus again.
namespace ombrix::platform {

// A top-level window of the desktop, as the window system names it; 0 is none.
using DesktopWindow = std::uint32_t;

// The window that has the focus now, as the window manager reports it; 0 when it does not say
// (or on a window system without such a report).
DesktopWindow activeDesktopWindow();

// Lets `window` accept the focus and asks for it, as a user action: the window manager's focus
// stealing prevention is meant for programs raising themselves, not for a shortcut the user
// pressed. Where the window manager refuses, the focus is set directly.
void takeFocus(QWidget* window);

// Makes `window` refuse the focus again and gives the focus to `previous` (when not 0).
void giveFocusBack(QWidget* window, DesktopWindow previous);

} // namespace ombrix::platform
