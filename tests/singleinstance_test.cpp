#include "platform/singleinstance.h"
#include "tempfolder.h"

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>

#include <sys/wait.h>
#include <unistd.h>

using ombrix::platform::isRunning;
using ombrix::platform::SingleInstance;
namespace fs = std::filesystem;

namespace {

// Each test gets its own runtime folder; the caller's is put back afterwards.
class SingleInstanceTest : public testing::Test {
protected:
    void SetUp() override {
        if (qEnvironmentVariableIsSet("XDG_RUNTIME_DIR"))
            saved_ = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime_.path().string()));
    }
    void TearDown() override {
        if (saved_)
            qputenv("XDG_RUNTIME_DIR", *saved_);
        else
            qunsetenv("XDG_RUNTIME_DIR");
    }

    TempFolder runtime_;

private:
    std::optional<QByteArray> saved_;
};

TEST_F(SingleInstanceTest, SecondCopyIsRefusedWhileTheFirstLives) {
    EXPECT_FALSE(isRunning("ombrix"));
    {
        SingleInstance first("ombrix");
        ASSERT_TRUE(first.acquire());
        EXPECT_TRUE(isRunning("ombrix"));
        EXPECT_FALSE(isRunning("tune"));
        EXPECT_TRUE(first.acquire()) << "asking again keeps the lock";
        SingleInstance second("ombrix");
        EXPECT_FALSE(second.acquire());
        SingleInstance otherProgram("tune");
        EXPECT_TRUE(otherProgram.acquire()) << "each program has its own lock";
    }
    EXPECT_FALSE(isRunning("ombrix"));
    SingleInstance later("ombrix");
    EXPECT_TRUE(later.acquire()) << "the lock ends with its holder";
}

TEST_F(SingleInstanceTest, LongHeldLockOfALiveCopyNeverGoesStale) {
    SingleInstance first("ombrix");
    ASSERT_TRUE(first.acquire());
    QFile lock(first.lockFilePath());
    ASSERT_TRUE(lock.open(QIODevice::ReadWrite));
    ASSERT_TRUE(lock.setFileTime(QDateTime::currentDateTime().addDays(-1),
                                 QFileDevice::FileModificationTime));
    lock.close();
    SingleInstance second("ombrix");
    EXPECT_FALSE(second.acquire());
}

// The id of a process that has certainly ended.
pid_t deadProcessId() {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(0);
    ::waitpid(child, nullptr, 0);
    return child;
}

// A lock file exactly as a copy writes it, but naming a process that is gone, as a copy that
// crashed or was killed leaves it.
QByteArray lockOfDeadCopy(const QString& folder) {
    const QString probePath = QDir(folder).filePath("probe.lock");
    QLockFile probe(probePath);
    if (!probe.tryLock(0))
        return {};
    QFile file(probePath);
    file.open(QIODevice::ReadOnly);
    QByteArray contents = file.readAll();
    probe.unlock();
    const qsizetype endOfPid = contents.indexOf('\n');
    if (endOfPid < 0)
        return {};
    return QByteArray::number(qint64(deadProcessId())) + contents.mid(endOfPid);
}

TEST_F(SingleInstanceTest, LockOfACrashedCopyIsTakenOverAtOnce) {
    const QString folder = QString::fromStdString(runtime_.path().string());
    const QByteArray stale = lockOfDeadCopy(folder);
    ASSERT_FALSE(stale.isEmpty());
    SingleInstance copy("ombrix");
    runtime_.write(QFileInfo(copy.lockFilePath()).fileName().toStdString(), stale.toStdString());
    ASSERT_TRUE(fs::exists(copy.lockFilePath().toStdString()));
    EXPECT_FALSE(isRunning("ombrix")) << "a crashed copy is not running";
    EXPECT_TRUE(copy.acquire());
    SingleInstance another("ombrix");
    EXPECT_FALSE(another.acquire()) << "the taken-over lock is really held";
}

// A lock whose process number now belongs to another program (the copy crashed and the
// number was given again) names no copy to end: that program is never sent a signal.
TEST_F(SingleInstanceTest, EndingACopyNeverSignalsAnotherProgramUnderItsOldNumber) {
    const QString folder = QString::fromStdString(runtime_.path().string());
    QByteArray lock = lockOfDeadCopy(folder);
    ASSERT_FALSE(lock.isEmpty());
    const pid_t other = ::fork();
    if (other == 0) {
        ::execlp("sleep", "sleep", "30", nullptr); // another program
        ::_exit(127);
    }
    QThread::msleep(100); // until it runs as that program
    lock = QByteArray::number(qint64(other)) + lock.mid(lock.indexOf('\n'));
    runtime_.write(QFileInfo(SingleInstance("ombrix").lockFilePath()).fileName().toStdString(),
                   lock.toStdString());
    const bool ended = ombrix::platform::endRunningCopy("ombrix", 200);
    int status = 0;
    const pid_t waited = ::waitpid(other, &status, WNOHANG);
    ::kill(other, SIGKILL);
    ::waitpid(other, nullptr, 0);
    EXPECT_TRUE(ended) << "no copy of the program holds the lock";
    EXPECT_EQ(waited, 0) << "the other program was signalled";
}

// ---- where the lock lives ----

enum class Runtime { Existing, Missing, Unset };

struct FolderCase {
    const char* name;
    Runtime runtime;
    bool inRuntimeFolder;
};

class LockFolder : public SingleInstanceTest, public testing::WithParamInterface<FolderCase> {};

TEST_P(LockFolder, IsThePerUserRuntimeFolder) {
    const QString runtime = QString::fromStdString(runtime_.path().string());
    if (GetParam().runtime == Runtime::Missing)
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime + "/gone"));
    else if (GetParam().runtime == Runtime::Unset)
        qunsetenv("XDG_RUNTIME_DIR");
    const QString path = SingleInstance("ombrix").lockFilePath();
    if (GetParam().inRuntimeFolder) {
        EXPECT_EQ(path, runtime + "/ombrix.lock");
    } else {
        EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(QDir::tempPath()).absoluteFilePath());
        EXPECT_TRUE(QFileInfo(path).fileName().contains(QString::number(::getuid())))
            << "the shared temporary folder needs the user id: " << path.toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(SingleInstance, LockFolder,
                         testing::Values(FolderCase{"XdgRuntimeDir", Runtime::Existing, true},
                                         FolderCase{"MissingXdgRuntimeDir", Runtime::Missing,
                                                    false},
                                         FolderCase{"NoXdgRuntimeDir", Runtime::Unset, false}),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
