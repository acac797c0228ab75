// Icon theme caches as the desktop's tool writes them, or damaged: a lookup answers with
// folders inside the file, or with nothing, and never reads outside the file.
#include "check.h"

#include "common/iconthemecache.h"

#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    const auto cache = ombrix::IconThemeCache::fromBytes(bytes);
    if (!cache)
        return 0;
    for (const char* name : {"terminal", "editor", "", "a", "folder-symbolic"})
        for (const auto& picture : cache->find(name))
            FUZZ_CHECK(picture.folder.size() < size);
    return 0;
}
