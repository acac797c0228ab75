#pragma once

#include "common/barkeyboard.h"
#include "platform/keyboardfocus.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QWidget>

namespace ombrix {

class Form1;

// The mark around the control that has the keyboard focus: a ring in black or white, whichever
// reads better on the control's face, inside a dark line that reads on the rows' background.
class FocusMark : public QWidget {
public:
    explicit FocusMark(QWidget* bar);
    // Draws the mark around `target`, whose face has colour `face`.
    void follow(QWidget* target, const QColor& face);
    QColor ringColour() const { return ring_; }

    static constexpr std::uint32_t outline = 0x0B1F4D; // dark blue, on the rows' background

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor ring_;
};

// The bar used from the keyboard. Opened by `ombrix --toggle` (or a shortcut), the bar takes
// the focus, remembering the window that had it, and puts it on its first key; the arrows,
// Home, End and typed letters move it, Return or Space use the focused key or control, and
// Escape closes the bar. Whenever the bar closes, however it was closed, the focus goes back.
// Opened by the mouse, the bar never takes the focus. While the bar is closed its keys and
// controls other than the handle are hidden.
class BarKeyboard : public QObject {
    Q_OBJECT

public:
    explicit BarKeyboard(Form1& bar);

    // Opens the bar from the keyboard, or closes it when it is open.
    void toggle();
    void openByKeyboard();
    void closeByKeyboard();
    // True while the bar holds the focus the keyboard gave it.
    bool holdsFocus() const { return holdsFocus_; }
    // The stops as the bar is laid out now, and the one with the focus (-1 for none).
    std::vector<BarStop> stops() const;
    int focusedStop() const;
    QWidget* widgetOf(const BarStop& stop) const;
    const FocusMark& mark() const { return *mark_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool handleKey(QKeyEvent* event);
    void focusStop(int index);
    void use(const BarStop& stop);
    void showMarkOn(QWidget* focused);
    void release();
    void showControlsOfState();

    Form1& bar_;
    FocusMark* mark_;
    TypeAhead typeAhead_;
    QElapsedTimer clock_;
    platform::DesktopWindow previous_ = 0;
    bool holdsFocus_ = false;
};

} // namespace ombrix
