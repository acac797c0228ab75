// Key table records: any 550 bytes decode, and a decoded record writes back byte for byte;
// its texts decode to UTF-8 that re-encodes to at most the field's width.
#include "check.h"

#include "common/cp1252.h"
#include "common/keyrecord.h"
#include "common/keytable.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

template <std::size_t Width> void checkText(const ombrix::FixedText<Width>& field) {
    const std::string text = field.text();
    FUZZ_CHECK(ombrix::utf8ToCp1252(text).size() <= Width);
    FUZZ_CHECK(text.empty() || (text.front() != ' ' && text.back() != ' '));
    ombrix::FixedText<Width> trimmed = field;
    trimmed.trimInPlace();
    FUZZ_CHECK(trimmed.text() == text);
    ombrix::FixedText<Width> again = trimmed;
    again.trimInPlace();
    FUZZ_CHECK(again == trimmed);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::size_t records = std::min<std::size_t>(size / ombrix::keyRecordSize, 4);
    std::vector<ombrix::KeyRecord> keys;
    for (std::size_t i = 0; i < records; ++i) {
        const char* bytes = reinterpret_cast<const char*>(data) + i * ombrix::keyRecordSize;
        const ombrix::KeyRecord key = ombrix::decodeKeyRecord(bytes);
        char back[ombrix::keyRecordSize];
        ombrix::encodeKeyRecord(key, back);
        FUZZ_CHECK(std::memcmp(back, bytes, ombrix::keyRecordSize) == 0);
        checkText(key.target);
        checkText(key.argument);
        checkText(key.caption);
        checkText(key.toolTip);
        keys.push_back(key);
    }
    const std::string table = ombrix::encodeKeyTable(keys);
    FUZZ_CHECK(table.size() == records * ombrix::keyRecordSize);
    FUZZ_CHECK(std::memcmp(table.data(), data, table.size()) == 0);

    // Every byte of the code page has a meaning, so any field's bytes survive UTF-8.
    const std::string raw(reinterpret_cast<const char*>(data), std::min<std::size_t>(size, 300));
    FUZZ_CHECK(ombrix::utf8ToCp1252(ombrix::cp1252ToUtf8(raw)) == raw);
    return 0;
}
