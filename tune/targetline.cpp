#include "tune/targetline.h"

#include "common/cp1252.h"
#include "common/keyrecord.h"
#include "common/targets.h"

namespace ombrix {
namespace {

bool isWholeTarget(std::string_view target) {
    return isWebAddress(target, WebSchemes::HttpAndHttps) || isShutdownTarget(target);
}

// The first character of a UTF-8 text that Windows-1252 cannot hold; empty when there is none.
std::string firstUnheldCharacter(std::string_view utf8) {
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t length = 1;
        const auto lead = static_cast<unsigned char>(utf8[at]);
        if (lead >= 0xF0)
            length = 4;
        else if (lead >= 0xE0)
            length = 3;
        else if (lead >= 0xC0)
            length = 2;
        const std::string_view character = utf8.substr(at, length);
        if (cp1252ToUtf8(utf8ToCp1252(character)) != character)
            return std::string(character);
        at += length;
    }
    return {};
}

std::string fieldRefusal(std::string_view text, std::string_view what) {
    constexpr std::size_t width = decltype(KeyRecord::target)::width;
    static_assert(width == decltype(KeyRecord::argument)::width);
    if (const std::string unheld = firstUnheldCharacter(text); !unheld.empty())
        return "The " + std::string(what) + " holds the character \"" + unheld +
               "\", which the key table cannot store (it keeps the Windows-1252 characters "
               "only). Rename the file or choose another one.";
    const std::size_t characters = utf8ToCp1252(text).size();
    if (characters > width)
        return "The " + std::string(what) + " is " + std::to_string(characters) +
               " characters long, more than the " + std::to_string(width) +
               " characters the key table holds. Choose a file with a shorter path.";
    return {};
}

} // namespace

std::string targetLineOf(const KeyRecord& key) {
    const std::string target = key.target.text();
    const std::string argument = key.argument.text();
    if (!argument.empty() && !isWholeTarget(target) && splitTarget(target).document == argument)
        return target + " ";
    return target + " " + argument;
}

TargetFields targetFieldsOf(std::string_view line) {
    const std::string_view target = trimmedBlanks(line);
    if (isWholeTarget(target))
        return {std::string(target), {}};
    TargetParts parts = splitTarget(target);
    return {std::move(parts.program), std::move(parts.document)};
}

std::string targetRefusal(const TargetFields& fields) {
    if (std::string why = fieldRefusal(fields.target, "target"); !why.empty())
        return why;
    return fieldRefusal(fields.argument, "document");
}

} // namespace ombrix
