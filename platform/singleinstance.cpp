#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QThread>

#include <cerrno>
#include <csignal>
#include <optional>
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

namespace {

struct LockHolder {
    qint64 pid = 0;
    QString application; // the name of the holder's executable, as QLockFile writes it
};

std::optional<LockHolder> holderOf(const QString& path) {
    LockHolder holder;
    QString host;
    if (!QLockFile(path).getLockInfo(&holder.pid, &host, &holder.application) || holder.pid <= 0)
        return std::nullopt;
    return holder;
}

// True while `pid` runs as the executable named in its lock; a process number taken over by
// another program since, or a process that has ended and not yet been waited for, is not it.
bool stillRuns(const LockHolder& holder) {
    const QString proc = QStringLiteral("/proc/%1/").arg(holder.pid);
    QFile stat(proc + QStringLiteral("stat"));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype afterName = line.lastIndexOf(") ");
    if (afterName < 0 || line.mid(afterName + 2, 1) == "Z")
        return false;
    QString executable = QFileInfo(QFile::symLinkTarget(proc + QStringLiteral("exe"))).fileName();
    executable.remove(QStringLiteral(" (deleted)")); // replaced on disk while it runs
    return executable.isEmpty() || executable == holder.application;
}

} // namespace

bool endRunningCopy(const QString& programName, int patienceMs) {
    const QString path = lockPathFor(programName);
    const std::optional<LockHolder> holder = holderOf(path);
    if (!holder || !stillRuns(*holder))
        return true;
    if (holder->pid == QCoreApplication::applicationPid())
        return false;
    if (::kill(static_cast<pid_t>(holder->pid), SIGTERM) != 0)
        return false;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const std::optional<LockHolder> now = holderOf(path);
        if (!now || now->pid != holder->pid || !stillRuns(*now))
            return true;
        if (waited.elapsed() >= patienceMs)
            return false;
        QThread::msleep(20);
    }
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
