#include "common/targets.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <span>
#include <system_error>
#include <unistd.h>

namespace ombrix {
namespace {

std::string lowerCase(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

bool endsWithIgnoringCase(std::string_view text, std::string_view ending) {
    return text.size() >= ending.size() &&
           lowerCase(text.substr(text.size() - ending.size())) == ending;
}

// Where the first of the given endings stops that a blank or the end of the target follows,
// or npos. An ending inside a name (a folder "example.com", a file "a.com.exe") is not one.
std::size_t endOfFirstEnding(std::string_view target, std::span<const std::string_view> endings) {
    const std::string lower = lowerCase(target);
    std::size_t best = std::string::npos;
    for (std::string_view ending : endings) {
        for (auto at = lower.find(ending); at != std::string::npos;
             at = lower.find(ending, at + 1)) {
            const std::size_t end = at + ending.size();
            if (end == lower.size() || lower[end] == ' ') {
                best = std::min(best, end);
                break;
            }
        }
    }
    return best;
}

// The longest leading part ending at a blank or at the end that names an existing file.
std::size_t endOfExistingFile(std::string_view target) {
    std::size_t end = target.size();
    while (end > 0) {
        if (fileExists(std::string(target.substr(0, end))))
            return end;
        const auto blank = target.rfind(' ', end - 1);
        if (blank == std::string_view::npos)
            break;
        end = blank;
    }
    return std::string_view::npos;
}

// A file that exists is the program, whatever dots its folders hold; otherwise the endings
// tell, as in key tables brought from the other platform.
std::size_t endOfProgram(std::string_view target, std::span<const std::string_view> endings) {
    // Without a blank the whole target is the program, whether a file has its name or not:
    // no file needs asking about (a bar of keys starts without a look at each program).
    if (target.find(' ') == std::string_view::npos)
        return target.size();
    const auto byFile = endOfExistingFile(target);
    return byFile != std::string_view::npos ? byFile : endOfFirstEnding(target, endings);
}

constexpr std::array<std::string_view, 3> iconEndings = {".exe", ".bat", ".com"};
constexpr std::array<std::string_view, 4> programEndings = {".exe", ".bat", ".com", ".pif"};

} // namespace

bool fileExists(const std::filesystem::path& path) {
    std::error_code error;
    return !path.empty() && std::filesystem::is_regular_file(path, error);
}

bool isWebAddress(std::string_view trimmedTarget, WebSchemes schemes) {
    const std::string lower = lowerCase(trimmedTarget.substr(0, 6));
    if (lower.starts_with("http:"))
        return true;
    return schemes == WebSchemes::HttpAndHttps && lower.starts_with("https:");
}

bool isShutdownTarget(std::string_view trimmedTarget) {
    return trimmedTarget == shutdownTarget;
}

bool showsShutdownToolTip(std::string_view trimmedTarget, std::string_view shownToolTip) {
    return isShutdownTarget(trimmedTarget) && shownToolTip == shutdownToolTip;
}

bool isDesktopEntry(std::string_view path) {
    return endsWithIgnoringCase(path, ".desktop");
}

bool isProgram(const std::filesystem::path& path) {
    const std::string name = path.string();
    for (std::string_view ending : programEndings) {
        if (endsWithIgnoringCase(name, ending))
            return true;
    }
    if (isDesktopEntry(name))
        return true;
    return fileExists(path) && ::access(name.c_str(), X_OK) == 0;
}

std::string iconSourcePath(std::string_view trimmedTarget) {
    const auto end = endOfProgram(trimmedTarget, iconEndings);
    return std::string(trimmedTarget.substr(0, end));
}

TargetParts splitTarget(std::string_view trimmedTarget) {
    const auto end = endOfProgram(trimmedTarget, programEndings);
    if (end == std::string_view::npos)
        return {std::string(trimmedTarget), {}};
    std::string_view rest = trimmedTarget.substr(end);
    const auto first = rest.find_first_not_of(' ');
    rest = first == std::string_view::npos ? std::string_view{} : rest.substr(first);
    const auto last = rest.find_last_not_of(' ');
    return {std::string(trimmedTarget.substr(0, end)), std::string(rest.substr(0, last + 1))};
}

std::filesystem::path iconFilePath(const std::filesystem::path& dataFolder, int keyIndex) {
    return dataFolder / "icons" / ("icon" + std::to_string(keyIndex) + ".ico");
}

} // namespace ombrix
