#include "common/boundedread.h"

#include <array>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrix {

std::optional<std::string> readBoundedFile(const std::filesystem::path& path, std::size_t limit) {
    // The size is looked at first, so that a file too large costs no read at all; the read
    // is bounded all the same, for a file that grows meanwhile.
    const int fd = openBoundedFile(path, limit);
    if (fd < 0)
        return std::nullopt;
    std::string bytes;
    std::array<char, 65536> buffer;
    bool failed = false;
    while (bytes.size() <= limit) {
        const ssize_t got = ::read(fd, buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        failed = got < 0;
        if (got <= 0)
            break;
        bytes.append(buffer.data(), static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (failed || bytes.size() > limit)
        return std::nullopt;
    return bytes;
}

int openBoundedFile(const std::filesystem::path& path, std::size_t limit) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat info {};
    if (fd >= 0 && (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
                    static_cast<std::size_t>(info.st_size) > limit)) {
        ::close(fd);
        return -1;
    }
    return fd;
}

} // namespace ombrix
