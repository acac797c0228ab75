#include "platform/singleinstance.h"

#include <QDir>
#include <QFileInfo>

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

} // namespace ombrix::platform
