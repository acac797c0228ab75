#pragma once

#include <QObject>

#include <vector>

class QAbstractButton;
class QAbstractSlider;
class QWidget;

namespace ombrix {

// Option buttons whose choice has consequences: the arrow keys only move the focus among them,
// and a choice is taken only with Space or a click. Qt's own arrows check the option they land
// on, so passing over an option would choose it.
class ArrowsMoveFocusOnly : public QObject {
public:
    // Watches `options`, in the order the arrows visit them; lives as long as `parent`.
    ArrowsMoveFocusOnly(std::vector<QAbstractButton*> options, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::vector<QAbstractButton*> options_;
};

} // namespace ombrix

namespace ombrix {

// Return and Enter press the focused button, as Space does: a window that is no dialog has no
// default button to take them.
// Scroll bars used from the keyboard: Left and Right step, Page Up and Page Down go a page back
// and on, Home and End to the ends. Qt's horizontal scroll bars step backwards on Right.
class ScrollBarKeys : public QObject {
public:
    ScrollBarKeys(std::vector<QAbstractSlider*> bars, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

class ReturnPresses : public QObject {
public:
    ReturnPresses(std::vector<QAbstractButton*> buttons, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Sets the Tab order of `controls`, children of `window`, to their reading order on the window:
// row by row from the top, each row from left to right.
void tabInReadingOrder(QWidget* window, const std::vector<QWidget*>& controls);

} // namespace ombrix
