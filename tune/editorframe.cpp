#include "tune/editorframe.h"

#include "tune/form2.h"
#include "widgets/focusring.h"

#include <QCloseEvent>

namespace ombrix {

EditorFrame::EditorFrame(Form2* editor) {
    setWindowTitle(editor->windowTitle());
    setWidgetResizable(false);
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::NoFocus); // the focus goes to the editor's controls, as drawn
    setWidget(editor);
    bringFocusIntoView(this);
}

EditorFrame::~EditorFrame() {
    takeWidget(); // the editor belongs to the program, not to its window
}

void EditorFrame::closeEvent(QCloseEvent* event) {
    if (widget() && !widget()->close())
        event->ignore();
    else
        event->accept();
}

} // namespace ombrix
