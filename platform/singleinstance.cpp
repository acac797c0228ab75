#include "platform/singleinstance.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace ombrix::platform {

namespace {

QString lockPathFor(const QString& programName) {
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && QFileInfo(runtime).isDir())
        return QDir(runtime).filePath(programName + ".lock");
    // The temporary folder is shared by every user: the user id keeps the locks apart.
    return QDir(QDir::tempPath())
        .filePath(QStringLiteral("%1-%2.lock").arg(programName).arg(::getuid()));
}

} // namespace

SingleInstance::SingleInstance(const QString& programName)
    : path_(lockPathFor(programName)), lock_(path_) {
    // By default a lock older than 30 s counts as stale even while its holder runs; this lock
    // lives as long as the program, so only a dead holder makes it stale.
    lock_.setStaleLockTime(0);
}

bool SingleInstance::acquire() {
    if (lock_.isLocked() || lock_.tryLock(0))
        return true;
    return lock_.error() != QLockFile::LockFailedError;
}

bool isRunning(const QString& programName) {
    qint64 pid = 0;
    QString host;
    QString application;
    if (!QLockFile(lockPathFor(programName)).getLockInfo(&pid, &host, &application) || pid <= 0)
        return false;
    // The signal 0 only asks whether the process exists; EPERM means it does, as someone else's.
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

} // namespace ombrix::platform
