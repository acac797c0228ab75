#pragma once

#include "common/barwindow.h"

namespace ombrix {

class Form2;
class Form3;

// The key editor for keyboard and screen reader users, set in this one place: every control
// named as a person would say it and labelled by its label, access keys (Alt and a letter) for
// the main controls, Return pressing the focused button, the icon bar and the move bar in the
// Tab cycle, and Tab following the layout row by row; and the bar copy beside it named as the
// bar is.
void makeKeyEditorAccessible(Form2& editor, Form3& barCopy);

// How much larger than designed the key editor is drawn for the desktop's font, from a window
// of the given size in twips on `screen`: it grows with the font as far as the screen allows.
double keyEditorTextScale(double widthTwips, double heightTwips, const ScreenSize& screen);

} // namespace ombrix
