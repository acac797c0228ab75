#include "common/atomicfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <sys/stat.h>
#include <unistd.h>

namespace ombrix {
namespace {

std::string describe(const std::filesystem::path& path, const char* what, int error) {
    return std::string("Cannot ") + what + " " + path.string() + ": " + std::strerror(error);
}

bool writeAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

WriteResult writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::path temp = path;
    temp += ".XXXXXX";
    std::string pattern = temp.string();
    const int fd = ::mkstemp(pattern.data());
    if (fd < 0)
        return WriteResult::failure(describe(path, "write", errno));

    if (!writeAll(fd, bytes) || ::fsync(fd) != 0) {
        const int error = errno;
        ::close(fd);
        ::unlink(pattern.c_str());
        return WriteResult::failure(describe(path, "write", error));
    }
    // mkstemp makes the file private; a key table is an ordinary file of the user's.
    ::fchmod(fd, 0644);
    if (::close(fd) != 0) {
        const int error = errno;
        ::unlink(pattern.c_str());
        return WriteResult::failure(describe(path, "write", error));
    }
    if (::rename(pattern.c_str(), path.c_str()) != 0) {
        const int error = errno;
        ::unlink(pattern.c_str());
        return WriteResult::failure(describe(path, "replace", error));
    }
    return {};
}

bool readWholeFile(const std::filesystem::path& path, std::string& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace ombrix
