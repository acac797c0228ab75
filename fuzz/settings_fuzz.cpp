// Settings texts: what reads as a number reads back the same from the text written for it,
// no text with two signs is a number, and every single written reads back equal.
#include "check.h"

#include "common/settings.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    if (const auto single = ombrix::parseSingle(text)) {
        FUZZ_CHECK(std::isfinite(*single));
        const auto back = ombrix::parseSingle(ombrix::formatSingle(*single));
        FUZZ_CHECK(back &&
                   std::bit_cast<std::uint32_t>(*back) == std::bit_cast<std::uint32_t>(*single));
        FUZZ_CHECK(text.find("+-") == std::string::npos && text.find("-+") == std::string::npos);
    }
    if (const auto whole = ombrix::parseInt16(text))
        FUZZ_CHECK(ombrix::parseInt16(ombrix::formatInt16(*whole)) == whole);
    if (const auto flag = ombrix::parseBool(text))
        FUZZ_CHECK(ombrix::parseBool(ombrix::formatBool(*flag)) == flag);

    if (size >= 4) {
        float value = 0;
        std::memcpy(&value, data, 4);
        if (std::isfinite(value)) {
            ombrix::MemorySettings store;
            ombrix::Preferences prefs(store);
            FUZZ_CHECK(prefs.setWidth(value));
            FUZZ_CHECK(std::bit_cast<std::uint32_t>(prefs.width()) ==
                       std::bit_cast<std::uint32_t>(value));
        }
    }
    return 0;
}
