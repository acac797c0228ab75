#include "common/boundedread.h"

#include "common/atomicfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrix {

std::optional<std::string> readBoundedFile(const std::filesystem::path& path, std::size_t limit) {
    auto bytes = readFilePrefix(path, limit + 1);
    if (!bytes || bytes->size() > limit)
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
