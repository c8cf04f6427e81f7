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
#include "qt/SingleInstanceGuard.h"
#include "support/TempDir.h"

using Claim = IInstanceLock::Claim;

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
            m_pGuard, [this] { m_claim = m_pGuard->TryClaim(); }, Qt::BlockingQueuedConnection);
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
        QCOMPARE(second.TryClaim(), Claim::kHeldElsewhere);
        QVERIFY(second.AskRunningCopyToShow());
        QTRY_COMPARE(running.m_nShowRequests.load(), 1);
    }

    void ownerEndingFreesTheDirectory() {
        TempDir dir;
        const QString strDir = QString::fromStdString(dir.Str());
        {
            SingleInstanceGuard first(strDir);
            QCOMPARE(first.TryClaim(), Claim::kOwner);
        }
        SingleInstanceGuard next(strDir);
        QCOMPARE(next.TryClaim(), Claim::kOwner);
    }

    void otherDirectoriesDoNotInterfere() {
        TempDir first;
        TempDir second;
        RunningCopy running(QString::fromStdString(first.Str()));
        SingleInstanceGuard other(QString::fromStdString(second.Str()));
        QCOMPARE(other.TryClaim(), Claim::kOwner);
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

        QCOMPARE(guard.TryClaim(), Claim::kOwner);
        QLocalSocket probe;  // the new owner listens where the old socket was
        probe.connectToServer(guard.ServerName());
        QVERIFY(probe.waitForConnected(1000));
    }

    void unreachableRunningCopyIsHeldElsewhere() {
        TempDir dir;
        const QString strDir = QString::fromStdString(dir.Str());
        QLockFile lock(QDir(strDir).filePath("brisaloo.lock"));  // a copy that does not answer
        QVERIFY(lock.tryLock(0));
        SingleInstanceGuard guard(strDir);
        guard.SetTimeouts(200, SingleInstanceGuard::kDefaultIdleLimitMs);
        QCOMPARE(guard.TryClaim(), Claim::kHeldElsewhere);
        QVERIFY(!guard.AskRunningCopyToShow());
    }

    void directoryWithoutRoomForALockIsNotGuarded() {
        TempDir dir;
        SingleInstanceGuard guard(QString::fromStdString(dir.File("missing")));
        QCOMPARE(guard.TryClaim(), Claim::kUnguarded);
    }

    // The channel takes one short line: a longer one, or none in time, and
    // the connection goes without showing anything.
    void overlongOrSilentConnectionIsDropped_data() {
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("line without end") << QByteArray(200, 's');
        QTest::newRow("nothing") << QByteArray();
    }
    void overlongOrSilentConnectionIsDropped() {
        QFETCH(QByteArray, sent);
        TempDir dir;
        SingleInstanceGuard guard(QString::fromStdString(dir.Str()));
        guard.SetTimeouts(2000, 100);
        int nShowRequests = 0;
        connect(&guard, &SingleInstanceGuard::ShowRequested, this, [&] { ++nShowRequests; });
        QCOMPARE(guard.TryClaim(), Claim::kOwner);
        QLocalSocket probe;
        probe.connectToServer(guard.ServerName());
        QVERIFY(probe.waitForConnected(1000));
        probe.write(sent);
        probe.flush();
        QTRY_COMPARE(probe.state(), QLocalSocket::UnconnectedState);
        QCOMPARE(nShowRequests, 0);
    }

    // A name that cannot be listened on (longer than a socket address holds)
    // still leaves this copy the owner, and it says why nobody can reach it.
    void failedListenIsReported() {
        TempDir dir;
        const std::string strLong = dir.File(std::string(120, 'r'));
        std::filesystem::create_directory(strLong);
        std::filesystem::permissions(strLong, std::filesystem::perms::owner_all);
        const QByteArray oldRuntimeDir = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(strLong));
        SingleInstanceGuard guard(QString::fromStdString(dir.Str()));
        QTest::ignoreMessage(QtWarningMsg,
                             QRegularExpression(QStringLiteral("^brisaloo: cannot listen on ")));
        const Claim claim = guard.TryClaim();
        qputenv("XDG_RUNTIME_DIR", oldRuntimeDir);
        QCOMPARE(claim, Claim::kOwner);
        QVERIFY(!guard.IsListening());
    }
};

QTEST_MAIN(SingleInstanceGuardTest)
#include "SingleInstanceGuardTest.moc"
