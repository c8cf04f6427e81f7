// SPDX-License-Identifier: GPL-3.0-or-later
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QLocalSocket>
#include <QLockFile>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <memory>

#include "UiTestSupport.h"
#include "support/TempDir.h"
#include "qt/SingleInstanceGuard.h"

using Claim = SingleInstanceGuard::Claim;

// A running copy: a guard that owns the data directory and answers second
// starts from its own thread, as another process would from its event loop.
class RunningCopy {
public:
    explicit RunningCopy(const QString& strDir) {
        m_thread.start();
        m_pGuard = new SingleInstanceGuard(strDir);
        m_pGuard->moveToThread(&m_thread);
        QObject::connect(
            m_pGuard, &SingleInstanceGuard::ShowRequested, m_pGuard, [this] { ++m_nShowRequests; },
            Qt::DirectConnection);
        QMetaObject::invokeMethod(
            m_pGuard, [this] { m_claim = m_pGuard->ClaimDataDirectory(); },
            Qt::BlockingQueuedConnection);
    }
    ~RunningCopy() {
        QMetaObject::invokeMethod(
            m_pGuard, [this] { delete m_pGuard; }, Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }

    Claim m_claim = Claim::kUnguarded;
    std::atomic<int> m_nShowRequests{0};

private:
    QThread m_thread;
    SingleInstanceGuard* m_pGuard = nullptr;
};

class SingleInstanceGuardTest : public QObject {
    Q_OBJECT

private slots:
    void secondStartShowsTheRunningCopy() {
        TempDir dir;
        RunningCopy running(QString::fromStdString(dir.Str()));
        QCOMPARE(running.m_claim, Claim::kOwner);
        QVERIFY(std::filesystem::exists(dir.File("brisaloo.lock")));

        SingleInstanceGuard second(QString::fromStdString(dir.Str()));
        QCOMPARE(second.ClaimDataDirectory(), Claim::kShownRunningCopy);
        QTRY_COMPARE(running.m_nShowRequests.load(), 1);
    }

    void ownerEndingFreesTheDirectory() {
        TempDir dir;
        const QString strDir = QString::fromStdString(dir.Str());
        {
            SingleInstanceGuard first(strDir);
            QCOMPARE(first.ClaimDataDirectory(), Claim::kOwner);
        }
        SingleInstanceGuard next(strDir);
        QCOMPARE(next.ClaimDataDirectory(), Claim::kOwner);
    }

    void otherDirectoriesDoNotInterfere() {
        TempDir first;
        TempDir second;
        RunningCopy running(QString::fromStdString(first.Str()));
        SingleInstanceGuard other(QString::fromStdString(second.Str()));
        QCOMPARE(other.ClaimDataDirectory(), Claim::kOwner);
        QVERIFY(other.ServerName() !=
                SingleInstanceGuard(QString::fromStdString(first.Str())).ServerName());
    }

    // A copy killed with SIGKILL leaves its lock file and its socket file.
    void lockAndSocketOfAKilledCopyDoNotBlockTheNextStart() {
        TempDir dir;
        const QString strDir = QString::fromStdString(dir.Str());
        SingleInstanceGuard guard(strDir);
        const pid_t pid = ::fork();
        QVERIFY(pid >= 0);
        if (pid == 0) {
            QLockFile lock(guard.LockFilePath());
            if (lock.tryLock(0)) ::raise(SIGKILL);
            ::_exit(1);
        }
        int nStatus = 0;
        QCOMPARE(::waitpid(pid, &nStatus, 0), pid);
        QVERIFY(WIFSIGNALED(nStatus) && WTERMSIG(nStatus) == SIGKILL);
        QVERIFY(std::filesystem::exists(guard.LockFilePath().toStdString()));
        const QString strSocket = QDir(QDir::tempPath()).filePath(guard.ServerName());
        std::ofstream(strSocket.toStdString()) << "left behind";

        QCOMPARE(guard.ClaimDataDirectory(), Claim::kOwner);
        QLocalSocket probe;  // the new owner listens where the old socket was
        probe.connectToServer(guard.ServerName());
        QVERIFY(probe.waitForConnected(1000));
    }

    void unreachableRunningCopyIsExplained() {
        TempDir dir;
        const QString strDir = QString::fromStdString(dir.Str());
        QLockFile lock(QDir(strDir).filePath("brisaloo.lock"));  // a copy that does not answer
        QVERIFY(lock.tryLock(0));
        SingleInstanceGuard guard(strDir);
        MessageRecorder recorder;
        QVERIFY(!ClaimOrExplain(guard));
        QCOMPARE(recorder.Texts(), QStringList{AlreadyRunningMessage(strDir)});
        QVERIFY(recorder.Texts()[0].contains(strDir));
    }

    void directoryWithoutRoomForALockIsNotGuarded() {
        TempDir dir;
        SingleInstanceGuard guard(QString::fromStdString(dir.File("missing")));
        MessageRecorder recorder;
        QVERIFY(ClaimOrExplain(guard));
        QVERIFY(recorder.Texts().isEmpty());
    }
};

QTEST_MAIN(SingleInstanceGuardTest)
#include "SingleInstanceGuardTest.moc"
