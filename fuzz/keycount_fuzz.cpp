// The key-count file: whatever it holds, the programs get a whole number from 1 to 128, read
// from bytes 340..343 only; the file is read through the same bounded reader as on disk.
#include "check.h"

#include "common/keycount.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// One in-memory file for every input, named as a path the reader opens like any other.
struct MemoryFile {
    MemoryFile()
        : fd(::memfd_create("keycount.stm", 0)), path("/proc/self/fd/" + std::to_string(fd)) {}
    void hold(const std::uint8_t* data, std::size_t size) {
        FUZZ_CHECK(::ftruncate(fd, 0) == 0);
        FUZZ_CHECK(::pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
    }
    int fd;
    std::string path;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file;
    file.hold(data, size);
    const auto stored = ombrix::readStoredKeyCount(file.path);
    const float count = ombrix::readKeyCount(file.path);
    FUZZ_CHECK(count >= 1 && count <= 128 && std::floor(count) == count);
    if (size < ombrix::keyCountFileSize) {
        FUZZ_CHECK(!stored && count == ombrix::firstRunKeyCount);
        return 0;
    }
    std::uint32_t bits = 0;
    for (int i = 3; i >= 0; --i)
        bits = (bits << 8) | data[ombrix::keyCountOffset + static_cast<std::size_t>(i)];
    FUZZ_CHECK(stored && std::bit_cast<std::uint32_t>(*stored) == bits);
    FUZZ_CHECK(count == ombrix::saneKeyCount(*stored));
    if (std::isfinite(*stored) && *stored >= 1 && *stored <= 128)
        FUZZ_CHECK(std::fabs(count - *stored) <= 0.5f);
    return 0;
}
