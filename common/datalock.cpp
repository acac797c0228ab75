#include "common/datalock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace ombrix {

std::filesystem::path dataLockPath(const std::filesystem::path& dataFolder) {
    return dataFolder / "barra.lock";
}

DataLock DataLock::take(const std::filesystem::path& dataFolder,
                        std::chrono::milliseconds patience) {
    const std::filesystem::path path = dataLockPath(dataFolder);
    // Never through a link, and never a FIFO or device: opening one could wait for ever.
    const int fd =
        ::open(path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0644);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        if (fd >= 0)
            ::close(fd);
        return DataLock(-1, State::Unavailable);
    }
    const auto giveUp = std::chrono::steady_clock::now() + patience;
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int error = errno;
        if ((error != EWOULDBLOCK && error != EINTR) ||
            std::chrono::steady_clock::now() >= giveUp) {
            ::close(fd);
            return DataLock(-1, error == EWOULDBLOCK ? State::Busy : State::Unavailable);
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return DataLock(fd, State::Held);
}

DataLock::DataLock(DataLock&& other) noexcept : fd_(other.fd_), state_(other.state_) {
    other.fd_ = -1;
}

DataLock& DataLock::operator=(DataLock&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = other.fd_;
        state_ = other.state_;
        other.fd_ = -1;
    }
    return *this;
}

DataLock::~DataLock() {
    if (fd_ >= 0)
        ::close(fd_);
}

} // namespace ombrix
