#pragma once

#include <functional>

class QWidget;

namespace ombrix {

// Makes a control that is pressed with the mouse but is no button to the toolkit (a coloured
// label, a click area) a button to screen readers: role "push button" and a "Press" action that
// runs `press`, as a click would.
void makePressable(QWidget* control, std::function<void()> press);

} // namespace ombrix
