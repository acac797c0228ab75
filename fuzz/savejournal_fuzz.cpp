// The journal of a save, which the next start reads to finish a save: whatever it holds, it is
// either refused whole or names files that written out again read back the same.
#include "check.h"

#include "common/savejournal.h"

#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto files = ombrix::parseJournal(text);
    if (!files)
        return 0;
    FUZZ_CHECK(ombrix::journalText(*files) == text);
    for (const ombrix::SavedFile& file : *files)
        FUZZ_CHECK(!file.path.empty() && (!file.bytes || file.bytes->empty()));
    return 0;
}
