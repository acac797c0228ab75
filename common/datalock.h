#pragma once

#include <chrono>
#include <filesystem>

// One lock on the stored keys of a data folder: an advisory lock on "barra.lock" beside the
// key table. The setup program holds it for its whole session, the bar while it adds dropped
// keys; whoever changes the keys reads them under it. The lock belongs to the open file, so it
// ends with its holder's process, however that ends: it is never stale.
namespace ombrix {

class DataLock {
public:
    enum class State {
        Held,       // this object holds the lock
        Busy,       // another holder kept it for longer than the patience given
        Unavailable // no lock file can be made there (a read-only or missing folder)
    };

    // Takes the lock of `dataFolder`, trying again for up to `patience` while it is busy.
    static DataLock take(const std::filesystem::path& dataFolder,
                         std::chrono::milliseconds patience);

    DataLock(DataLock&& other) noexcept;
    DataLock& operator=(DataLock&& other) noexcept;
    DataLock(const DataLock&) = delete;
    DataLock& operator=(const DataLock&) = delete;
    ~DataLock();

    State state() const { return state_; }
    bool held() const { return state_ == State::Held; }

private:
    DataLock(int fd, State state) : fd_(fd), state_(state) {}
    int fd_;
    State state_;
};

std::filesystem::path dataLockPath(const std::filesystem::path& dataFolder);

} // namespace ombrix
