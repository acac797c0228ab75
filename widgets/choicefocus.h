#pragma once

#include <QObject>

#include <vector>

class QAbstractButton;

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
