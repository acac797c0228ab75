#pragma once

#include "common/keyaction.h"

#include <QString>

#include <string>
#include <vector>

class QWidget;

// What a key press asks of the desktop. The bar talks to this interface only, so tests can
// watch what a press would do without starting anything or powering anything off.
namespace ombrix::platform {

class DesktopServices {
public:
    virtual ~DesktopServices() = default;

    // 0 when started, else the error number (53 missing, 70 denied, 76 no folder, 5 other).
    virtual int startProgram(const std::string& program, const std::vector<std::string>& arguments,
                             const std::string& workingDirectory) = 0;
    virtual void openWebAddress(const std::string& address) = 0;
    // The session's own shut-down dialog, or a confirmation of ours before asking the system
    // to power off. Nothing powers off without the user confirming.
    virtual void requestShutdown(QWidget* parent) = 0;
    // A warning box kept on top of the bar.
    virtual void warn(QWidget* parent, const QString& text) = 0;
    // The folder in the desktop's file manager.
    virtual void openFolder(const std::string& folder);
};

// The real desktop.
class SystemDesktop : public DesktopServices {
public:
    int startProgram(const std::string& program, const std::vector<std::string>& arguments,
                     const std::string& workingDirectory) override;
    void openWebAddress(const std::string& address) override;
    void requestShutdown(QWidget* parent) override;
    void warn(QWidget* parent, const QString& text) override;
};

// Carries out a planned key press: a page to open first, then the web address, the shut-down
// request, the program, or the error message. True when the press succeeded in a way that
// closes the bar (a web address or a started program).
// `target` is what the key starts as its record holds it, which a failed press names.
bool carryOut(const KeyAction& action, DesktopServices& desktop, QWidget* parent,
              const std::string& target = {});

// What a person reads when `what` (a program, document or address; may be empty) cannot be
// started: the file and what failed in plain words, in the user's language, and the error's
// number for those who know it: Cannot start "/home/ann/bin/backup.sh": no such file (error 53).
QString startFailure(const std::string& what, int number);

// Shows "text" in a warning box with the exclamation icon, on top of every window.
void showWarning(QWidget* parent, const QString& text);

} // namespace ombrix::platform
