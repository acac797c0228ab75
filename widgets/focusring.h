#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class QScrollArea;

namespace ombrix {

// A clear mark around whatever control within `window` has the keyboard focus: a 2-pixel ring in
// black or white, whichever reads better on the window's background (4.5:1 at least), drawn
// over the window so that every kind of control gets the same mark whatever the style. The
// styles' own marks can be as faint as 1.1:1.
class FocusRing : public QWidget {
public:
    explicit FocusRing(QWidget* window);
    QColor colour() const { return colour_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow(QWidget* focused);

    QPointer<QWidget> target_;
    QColor colour_;
};

// Keeps whatever control within `area`'s drawing takes the focus, by Tab or by its access key,
// in view, as a window too small for its drawing scrolls.
void bringFocusIntoView(QScrollArea* area);

} // namespace ombrix
