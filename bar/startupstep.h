#pragma once

#include <functional>

namespace ombrix {

// Runs one step of a program's start-up. A step that fails, by returning false or by throwing,
// beeps once and start-up goes on with the next step: bad data never stops a program starting.
inline void runStartupStep(const std::function<void()>& beep, const std::function<bool()>& body) {
    bool ok = false;
    try {
        ok = body();
    } catch (...) {
        ok = false;
    }
    if (!ok && beep)
        beep();
}

} // namespace ombrix
