// Desktop entries and their Exec lines: whatever an entry says, a document stays one
// argument (or inside the one word whose code stands for it) and is never the program, and
// the same line gives the same arguments for any document.
#include "check.h"

#include "common/desktopentry.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace {

// Two documents of the same shape: one must expand wherever the other does.
constexpr std::string_view plainDocument = "/tmp/\x01plain\x01";
constexpr std::string_view hostileDocument = "/tmp/\x01\"$(touch PWNED)' `x`;\n%f\\ \x01";

std::size_t elementsHolding(const std::vector<std::string>& argv, std::string_view document) {
    std::size_t holding = 0;
    for (const std::string& argument : argv)
        holding += argument.find(document) != std::string::npos;
    return holding;
}

std::vector<std::string> replaced(std::vector<std::string> argv, std::string_view from,
                                  std::string_view to) {
    for (std::string& argument : argv) {
        if (const auto at = argument.find(from); at != std::string::npos)
            argument.replace(at, from.size(), to);
    }
    return argv;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (text.find('\x01') != std::string_view::npos)
        return 0; // the documents' mark must come from the documents alone
    const std::vector<std::string> languages = ombrix::languageVariants("de_AT.UTF-8@euro:fr");
    const auto entry = ombrix::parseDesktopEntry(text, languages);
    // The whole input as an Exec line, and the entry's own line when it has one.
    ombrix::DesktopEntry asLine;
    asLine.exec = std::string(text);
    asLine.name = "N";
    asLine.icon = "icon";
    const ombrix::DesktopEntry* const entries[] = {&asLine, entry ? &*entry : nullptr};
    for (const ombrix::DesktopEntry* e : entries) {
        if (!e)
            continue;
        (void)ombrix::splitExecLine(e->exec);
        const auto plain = ombrix::expandExec(*e, "/apps/e.desktop", plainDocument);
        const auto hostile = ombrix::expandExec(*e, "/apps/e.desktop", hostileDocument);
        const auto none = ombrix::expandExec(*e, "/apps/e.desktop", "");
        FUZZ_CHECK(plain.has_value() == hostile.has_value());
        FUZZ_CHECK(plain.has_value() == none.has_value());
        if (!plain)
            continue;
        FUZZ_CHECK(!plain->empty() && !plain->front().empty());
        FUZZ_CHECK(plain->front().find(plainDocument) == std::string::npos);
        FUZZ_CHECK(elementsHolding(*plain, plainDocument) == 1);
        FUZZ_CHECK(elementsHolding(*hostile, hostileDocument) == 1);
        FUZZ_CHECK(replaced(*plain, plainDocument, hostileDocument) == *hostile);
        FUZZ_CHECK(elementsHolding(*none, "\x01") == 0);
        FUZZ_CHECK(none->size() == plain->size() || none->size() + 1 == plain->size());
    }
    return 0;
}
