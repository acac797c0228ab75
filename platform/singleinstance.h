#pragma once

#include <QLockFile>
#include <QString>

namespace ombrix::platform {

// One running copy per user and per program. The lock is a file in the per-user runtime
// folder ($XDG_RUNTIME_DIR, else the temporary folder with the user id in the file name).
// It is held from a successful acquire() for the rest of the object's life. A lock left by
// a copy that crashed or was killed is taken over at once; a live holder's lock never goes
// stale, however long it has been held.
class SingleInstance {
public:
    explicit SingleInstance(const QString& programName);

    // True when this object now holds the lock (and on any later call). False only when
    // another live process holds it. When the lock file cannot be made at all (an unwritable
    // runtime folder) the answer is true: a broken folder must not keep the program from
    // starting.
    bool acquire();

    QString lockFilePath() const { return path_; }

private:
    QString path_;
    QLockFile lock_;
};

// True while a live process holds the lock of `programName`; the lock is only looked at,
// never taken, so a copy starting at that moment is not turned away. A lock left by a copy
// that crashed or was killed does not count.
bool isRunning(const QString& programName);

// Asks the running copy of `programName` that holds its lock to end (SIGTERM, which it takes
// as a request to quit as the user would), then waits up to `patienceMs` for it to let go of
// the lock. True when no copy holds the lock any more. Only a live holder of the lock that is
// still that program (the program named in the lock) is asked, never this process.
bool endRunningCopy(const QString& programName, int patienceMs);

} // namespace ombrix::platform
