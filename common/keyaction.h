#pragma once

#include "common/targets.h"

#include <string>
#include <string_view>
#include <vector>

// What pressing a key does, decided before anything is opened or started.
namespace ombrix {

// The numbers a failed key press reports, as the classic runtime numbers them.
inline constexpr int errorFileNotFound = 53;
inline constexpr int errorPermissionDenied = 70;
inline constexpr int errorPathFileAccess = 75;
inline constexpr int errorPathNotFound = 76;
inline constexpr int errorOther = 5;

// "Error: " and the number written with one leading blank: "Error:  53".
std::string errorMessage(int number);

// Where the bar and the setup program's bar copy differ in a key press.
struct KeyPressRules {
    WebSchemes schemes = WebSchemes::HttpOnly;
    // The copy also opens a target ending in "htm" or "html" as a document, once the target
    // is known to exist and its working folder to be usable; the start step still follows.
    bool openHtmlPages = false;
};

inline constexpr KeyPressRules barKeyPress{};
inline constexpr KeyPressRules barCopyKeyPress{WebSchemes::HttpAndHttps, true};

enum class KeyActionKind { OpenWebAddress, ShutDown, StartProgram, Fail };

struct KeyAction {
    KeyActionKind kind = KeyActionKind::Fail;
    std::string url;                    // OpenWebAddress: the trimmed target, "\\" as "/"
    std::string program;                // StartProgram: an absolute path
    std::vector<std::string> arguments; // StartProgram: never seen by a shell
    std::string workingDirectory;       // StartProgram: empty keeps the bar's own folder
    int errorNumber = 0;                // Fail
    // Set by the bar copy for a page: open it as a document first, then start the program
    // or report the failure. Empty otherwise.
    std::string alsoOpen;

    bool operator==(const KeyAction&) const = default;
};

// The key press for a key's `target` and `argument` fields. Both are trimmed of blanks and
// end at their first NUL (a field that was never set is empty).
//  - an empty target fails with 53;
//  - a web address (by `rules.schemes`) is opened; "shl.ShutdownWindows" asks to shut down;
//  - anything else is a program, optionally followed by a blank and a document (see
//    splitTarget); a non-empty argument is the document instead. The document is always one
//    argument and must be an existing file (else 53).
//  - the program must be an existing file (else 53). It starts in its own folder, except a
//    ".pif", which keeps the bar's folder; a file that may not be executed fails with 70.
//  - a desktop entry starts from its Exec line with the document for its file code; the
//    program is looked up on PATH unless given with its path (missing: 53); it starts in its
//    Path folder, else in the home folder, and in a terminal when it asks for one
//    (x-terminal-emulator -e, else the terminals the desktop's launcher knows). An unreadable
//    entry fails with 70; one without a usable Exec line (see expandExec: a field code in a
//    quoted part is refused), or asking for a terminal where there is none, with 5, the
//    number of a program that cannot be started.
//  - a working folder that does not exist fails with 76.
// Nothing is ever handed to a shell.
KeyAction planKeyPress(std::string_view target, std::string_view argument,
                       const KeyPressRules& rules = barKeyPress);

// Opening a web address and starting a program close the bar unless it is kept open; the
// shut-down request and failures leave it open.
bool closesBar(const KeyAction& action);

} // namespace ombrix
