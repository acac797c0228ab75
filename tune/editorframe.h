#pragma once

#include <QScrollArea>

namespace ombrix {

class Form2;
class Form3;
struct TuneWindows;

// The key editor's window where the design's size does not fit the bar's area (a small screen,
// a large scale): the editor scrolls inside it. Closing it closes the editor, which may refuse.
// It holds the editor without owning it.
class EditorFrame : public QScrollArea {
    Q_OBJECT

public:
    explicit EditorFrame(Form2* editor);
    ~EditorFrame() override;

protected:
    void closeEvent(QCloseEvent* event) override;
};

} // namespace ombrix
