#pragma once

#include "common/globalshortcut.h"

#include <QAbstractNativeEventFilter>
#include <QObject>

#include <cstdint>

namespace ombrix::platform {

// Keys held for the program on the whole X11 desktop: pressed in any window, they come here.
// Elsewhere (Wayland, offscreen) nothing is held; the desktop's own shortcut settings can run
// `ombrix --toggle` instead.
class GlobalShortcut : public QObject, public QAbstractNativeEventFilter {
    Q_OBJECT

public:
    explicit GlobalShortcut(QObject* parent = nullptr);
    ~GlobalShortcut() override;

    // False when the keys cannot be held: no X11, a key the keyboard does not have, or another
    // program holding them already.
    bool hold(const Shortcut& shortcut);

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

signals:
    void pressed();

private:
    void release();

    std::uint8_t keycode_ = 0;
    std::uint16_t modifiers_ = 0;
};

} // namespace ombrix::platform
