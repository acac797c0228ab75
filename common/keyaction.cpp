#include "common/keyaction.h"

#include "common/desktopentry.h"
#include "common/keyrecord.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>

namespace ombrix {
namespace {

namespace fs = std::filesystem;

// A fixed-width field's text: everything from the first NUL on is not text, and the blanks
// that pad it are not part of it.
std::string trimField(std::string_view field) {
    return std::string(trimmedBlanks(field.substr(0, field.find('\0'))));
}

bool endsWithIgnoringCase(std::string_view text, std::string_view lowerEnding) {
    if (text.size() < lowerEnding.size())
        return false;
    text = text.substr(text.size() - lowerEnding.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(text[i])) != lowerEnding[i])
            return false;
    }
    return true;
}

KeyAction failure(int number, std::string alsoOpen = {}) {
    KeyAction action;
    action.errorNumber = number;
    action.alsoOpen = std::move(alsoOpen);
    return action;
}

KeyAction start(std::string program, std::vector<std::string> arguments,
                std::string workingDirectory) {
    KeyAction action;
    action.kind = KeyActionKind::StartProgram;
    action.program = std::move(program);
    action.arguments = std::move(arguments);
    action.workingDirectory = std::move(workingDirectory);
    return action;
}

// On this platform a file's "short path" is its absolute path; only an existing file has one.
std::string absolutePath(const std::string& path) {
    std::error_code error;
    const fs::path absolute = fs::absolute(path, error);
    return error ? path : absolute.string();
}

bool isFolder(const std::string& path) {
    std::error_code error;
    return fs::is_directory(path, error);
}

bool mayExecute(const std::string& path) {
    return ::access(path.c_str(), X_OK) == 0;
}

// 0 when `path` is a file that may be executed, else the number its start would fail with.
int startability(const std::string& path) {
    if (!fileExists(path))
        return errorFileNotFound;
    return mayExecute(path) ? 0 : errorPermissionDenied;
}

struct ProgramLookup {
    std::string path;
    int error = 0;
};

// A program named with a path stands where it says; a bare name is looked up on PATH.
ProgramLookup findProgram(const std::string& name) {
    if (name.find('/') != std::string::npos)
        return {absolutePath(name), startability(name)};
    const char* searchPath = std::getenv("PATH");
    std::string_view folders = searchPath ? searchPath : "/usr/local/bin:/usr/bin:/bin";
    ProgramLookup lookup{{}, errorFileNotFound};
    while (true) {
        const auto colon = folders.find(':');
        const std::string_view folder = folders.substr(0, colon);
        const std::string candidate =
            absolutePath((fs::path(folder.empty() ? "." : folder) / name).string());
        const int error = startability(candidate);
        if (error == 0)
            return {candidate, 0};
        if (error == errorPermissionDenied)
            lookup.error = errorPermissionDenied;
        if (colon == std::string_view::npos)
            return lookup;
        folders.remove_prefix(colon + 1);
    }
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && *home)
        return home;
    const passwd* user = ::getpwuid(::getuid());
    return user && user->pw_dir ? user->pw_dir : "";
}

// The file a document names, as one absolute path; 53 when there is no such file.
struct DocumentCheck {
    std::string path;
    int error = 0;
};

DocumentCheck checkDocument(const std::string& document) {
    if (document.empty())
        return {};
    if (!fileExists(document))
        return {{}, errorFileNotFound};
    return {absolutePath(document), 0};
}

// A program that asks for a terminal is handed to a terminal, which runs the rest of its
// arguments as they are: the system's chosen one first, then those the desktop's launcher
// knows, each with the option that makes it run a program. False when there is none.
bool putInTerminal(KeyAction& action) {
    struct Terminal {
        const char* name;
        const char* runOption;
    };
    constexpr Terminal terminals[] = {{"x-terminal-emulator", "-e"},
                                      {"gnome-terminal", "--"},
                                      {"mate-terminal", "-x"},
                                      {"xfce4-terminal", "-x"},
                                      {"tilix", "-e"},
                                      {"konsole", "-e"},
                                      {"nxterm", "-e"},
                                      {"color-xterm", "-e"},
                                      {"rxvt", "-e"},
                                      {"dtterm", "-e"},
                                      {"xterm", "-e"}};
    for (const Terminal& terminal : terminals) {
        const ProgramLookup found = findProgram(terminal.name);
        if (found.error != 0)
            continue;
        action.arguments.insert(action.arguments.begin(), {terminal.runOption, action.program});
        action.program = found.path;
        return true;
    }
    return false;
}

KeyAction planDesktopEntry(const std::string& entryPath, const std::string& document) {
    if (::access(entryPath.c_str(), R_OK) != 0)
        return failure(errorPermissionDenied);
    const auto entry = readDesktopEntry(entryPath);
    if (!entry || entry->exec.empty())
        return failure(errorOther);
    const std::string folder = entry->path.empty() ? homeFolder() : entry->path;
    if (!folder.empty() && !isFolder(folder))
        return failure(errorPathNotFound);
    const DocumentCheck doc = checkDocument(document);
    if (doc.error != 0)
        return failure(doc.error);
    if (!entry->tryExec.empty() && findProgram(entry->tryExec).error != 0)
        return failure(errorFileNotFound);
    auto argv = expandExec(*entry, entryPath, doc.path);
    if (!argv)
        return failure(errorOther);
    const ProgramLookup program = findProgram(argv->front());
    if (program.error != 0)
        return failure(program.error);
    argv->erase(argv->begin());
    KeyAction action = start(program.path, std::move(*argv), folder);
    if (entry->terminal && !putInTerminal(action))
        return failure(errorOther);
    return action;
}

// Programs kept from the other platform's key tables, and every other program, start in
// their own folder; a ".pif" never changed the folder.
std::string workingFolderOf(const std::string& program) {
    if (endsWithIgnoringCase(program, ".pif"))
        return {};
    return fs::path(program).parent_path().string();
}

bool isPage(std::string_view path) {
    return endsWithIgnoringCase(path, "htm") || endsWithIgnoringCase(path, "html");
}

KeyAction planProgram(const std::string& programPart, const std::string& document,
                      const KeyPressRules& rules) {
    if (!fileExists(programPart))
        return failure(errorFileNotFound);
    const std::string program = absolutePath(programPart);
    if (isDesktopEntry(program))
        return planDesktopEntry(program, document);
    const std::string folder = workingFolderOf(program);
    if (!folder.empty() && !isFolder(folder))
        return failure(errorPathNotFound);
    // The page is opened before the document is looked at or the start is tried, so it
    // opens even when those fail.
    std::string page = rules.openHtmlPages && isPage(program) ? program : std::string();
    const DocumentCheck doc = checkDocument(document);
    if (doc.error != 0)
        return failure(doc.error, std::move(page));
    if (!mayExecute(program))
        return failure(errorPermissionDenied, std::move(page));
    std::vector<std::string> arguments;
    if (!doc.path.empty())
        arguments.push_back(doc.path);
    KeyAction action = start(program, std::move(arguments), folder);
    action.alsoOpen = std::move(page);
    return action;
}

// Key tables written on the other platform hold addresses such as "http:\\host\page", which
// its shell opened as "http://host/page": backslashes before the query are slashes.
std::string webAddressOf(std::string address) {
    const auto queryAt = address.find_first_of("?#");
    for (std::size_t i = 0; i < std::min(queryAt, address.size()); ++i) {
        if (address[i] == '\\')
            address[i] = '/';
    }
    return address;
}

} // namespace

std::string errorMessage(int number) {
    // A number is written with a blank where a negative one has its sign.
    const std::string digits = std::to_string(number);
    return "Error: " + (number < 0 ? digits : " " + digits);
}

KeyAction planKeyPress(std::string_view target, std::string_view argument,
                       const KeyPressRules& rules) {
    const std::string trimmedTarget = trimField(target);
    if (trimmedTarget.empty())
        return failure(errorFileNotFound);
    if (isWebAddress(trimmedTarget, rules.schemes)) {
        KeyAction action;
        action.kind = KeyActionKind::OpenWebAddress;
        action.url = webAddressOf(trimmedTarget);
        return action;
    }
    if (isShutdownTarget(trimmedTarget)) {
        KeyAction action;
        action.kind = KeyActionKind::ShutDown;
        return action;
    }
    TargetParts parts = splitTarget(trimmedTarget);
    const std::string trimmedArgument = trimField(argument);
    if (!trimmedArgument.empty())
        parts.document = trimmedArgument;
    return planProgram(parts.program, parts.document, rules);
}

bool closesBar(const KeyAction& action) {
    return action.kind == KeyActionKind::OpenWebAddress ||
           action.kind == KeyActionKind::StartProgram;
}

} // namespace ombrix
