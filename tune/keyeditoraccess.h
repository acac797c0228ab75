#pragma once

namespace ombrix {

class Form2;
class Form3;

// The key editor for keyboard and screen reader users, set in this one place: every control
// named as a person would say it and labelled by its label, access keys (Alt and a letter) for
// the main controls, Return pressing the focused button, the icon bar and the move bar in the
// Tab cycle, and Tab following the layout row by row; and the bar copy beside it named as the
// bar is.
void makeKeyEditorAccessible(Form2& editor, Form3& barCopy);

} // namespace ombrix
